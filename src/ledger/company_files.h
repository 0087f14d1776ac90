// Layouts of the two plain files of a company's data directory: the company file
// `compfile.dat` (name and account code structure) and the fiscal calendar
// `glprdv66.dat`. (platform-independent)
//
// Both are read from their start; the lengths below are the parts the driver reads. A
// file that ends early gives an image shorter than that, whose missing fields read empty;
// the catalogue decides what a short file means.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "ledger/ledger_records.h"

namespace r7::ledger {

namespace compfile {
inline constexpr std::size_t kImageLength = 264;
inline constexpr TextField kName{50, 30};  // blank padded
// Segment lengths as one digit character each: main account, profit center ("0" when
// there is none), department ("0" when there is none).
inline constexpr TextField kMainLength{184, 1};
inline constexpr TextField kProfitCenterLength{185, 1};
inline constexpr TextField kDepartmentLength{186, 1};
constexpr TextField SegmentLength(int segment) {
  return {kMainLength.offset + static_cast<std::size_t>(segment), 1};
}
}  // namespace compfile

namespace glprdv66 {
inline constexpr std::size_t kImageLength = 242;
inline constexpr std::size_t kMaxPeriods = 13;
// Start and end dates (YYYYMMDD) of period `index` + 1, `index` from 0 to 12.
constexpr TextField PeriodStart(std::size_t index) {
  return {16 + 16 * index, 8};
}
constexpr TextField PeriodEnd(std::size_t index) {
  return {24 + 16 * index, 8};
}
inline constexpr TextField kPeriodCount{224, 2};    // decimal digits
inline constexpr TextField kCurrentPeriod{226, 2};  // decimal digits
}  // namespace glprdv66

template <typename Byte>
class BasicCompanyFile : public RecordAccess<Byte> {
  using RecordAccess<Byte>::image_;
  using RecordAccess<Byte>::kWritable;

 public:
  explicit BasicCompanyFile(std::span<Byte> bytes) : RecordAccess<Byte>(bytes) {}
  std::string_view name() const { return image_.Text(compfile::kName); }
  // Segment 0 main, 1 profit center, 2 department: its digit character, empty past the end.
  std::string_view segment_length(int segment) const {
    if (segment < 0 || segment > 2) return {};
    return image_.Text(compfile::SegmentLength(segment));
  }
  void set_name(std::string_view v) requires kWritable { image_.SetText(compfile::kName, v); }
  // `length` 0 to 8, written as its digit.
  void set_segment_length(int segment, int length) requires kWritable {
    if (segment < 0 || segment > 2 || length < 0 || length > 9) return;
    char digit = static_cast<char>('0' + length);
    image_.SetText(compfile::SegmentLength(segment), std::string_view(&digit, 1));
  }
};

template <typename Byte>
class BasicCalendarFile : public RecordAccess<Byte> {
  using RecordAccess<Byte>::image_;
  using RecordAccess<Byte>::kWritable;

 public:
  explicit BasicCalendarFile(std::span<Byte> bytes) : RecordAccess<Byte>(bytes) {}
  // Dates of period `index` + 1; empty for an index past the 13 entries.
  std::string_view period_start(std::size_t index) const {
    return index < glprdv66::kMaxPeriods ? image_.Text(glprdv66::PeriodStart(index))
                                         : std::string_view();
  }
  std::string_view period_end(std::size_t index) const {
    return index < glprdv66::kMaxPeriods ? image_.Text(glprdv66::PeriodEnd(index))
                                         : std::string_view();
  }
  std::string_view period_count() const { return image_.Text(glprdv66::kPeriodCount); }
  std::string_view current_period() const { return image_.Text(glprdv66::kCurrentPeriod); }
  void set_period(std::size_t index, std::string_view start,
                  std::string_view end) requires kWritable {
    if (index >= glprdv66::kMaxPeriods) return;
    image_.SetText(glprdv66::PeriodStart(index), start);
    image_.SetText(glprdv66::PeriodEnd(index), end);
  }
  // Two decimal digits, 0 to 99.
  void set_period_count(int count) requires kWritable {
    SetTwoDigits(glprdv66::kPeriodCount, count);
  }
  void set_current_period(int period) requires kWritable {
    SetTwoDigits(glprdv66::kCurrentPeriod, period);
  }

 private:
  void SetTwoDigits(TextField field, int value) requires kWritable {
    if (value < 0 || value > 99) return;
    char digits[2] = {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
    image_.SetText(field, std::string_view(digits, 2));
  }
};

using CompanyFileView = BasicCompanyFile<const char>;
using CompanyFileImage = BasicCompanyFile<char>;
using CalendarFileView = BasicCalendarFile<const char>;
using CalendarFileImage = BasicCalendarFile<char>;

}  // namespace r7::ledger
