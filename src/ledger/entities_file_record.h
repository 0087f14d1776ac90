// Record layout of the driver's own financial entities file (extension ".sad"): segment
// values with their descriptions, and financial entities, named segment specifiers.
// (platform-independent)
//
// A record's full value text is its first part (30 characters, blank-padded) without
// trailing blanks, followed by its continuation (zero-terminated), so a specifier of up to
// 130 characters fits. The segment code is 1 to 3 for a value of the main account, profit
// center or department, 101 to 103 for an entity of that segment.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "ledger/ledger_records.h"

namespace r7::ledger {

namespace entities_file {
inline constexpr std::size_t kRecordLength = 184;
inline constexpr TextField kValueFirstPart{0, 30};
inline constexpr Int16Field kSegmentCode{30};
inline constexpr TextField kDescription{32, 51};         // zero-terminated
inline constexpr TextField kValueContinuation{83, 101};  // zero-terminated
// The longest full value text and description the fields can hold with their terminators.
inline constexpr std::size_t kMaxValueText = 30 + 100;
inline constexpr std::size_t kMaxDescription = 50;
inline constexpr std::int16_t kEntityCodeOffset = 100;
}  // namespace entities_file

template <typename Byte>
class BasicEntitiesFileRecord : public RecordAccess<Byte> {
  using RecordAccess<Byte>::image_;
  using RecordAccess<Byte>::kWritable;

 public:
  explicit BasicEntitiesFileRecord(std::span<Byte> bytes) : RecordAccess<Byte>(bytes) {}
  std::int16_t segment_code() const { return image_.Int16(entities_file::kSegmentCode); }
  std::string_view description() const { return UpToNul(image_.Text(entities_file::kDescription)); }
  // The first part without its trailing blanks, then the continuation.
  std::string value_text() const {
    std::string_view first = image_.Text(entities_file::kValueFirstPart);
    std::size_t end = first.find_last_not_of(' ');
    std::string text(end == std::string_view::npos ? std::string_view() : first.substr(0, end + 1));
    text += UpToNul(image_.Text(entities_file::kValueContinuation));
    return text;
  }
  void set_segment_code(std::int16_t code) requires kWritable {
    image_.SetInt16(entities_file::kSegmentCode, code);
  }
  // Cut to 50 characters so that the terminator always fits.
  void set_description(std::string_view v) requires kWritable {
    image_.SetText(entities_file::kDescription, v.substr(0, entities_file::kMaxDescription), '\0');
  }
  // Splits the text over the two value fields; cut to 130 characters.
  void set_value_text(std::string_view v) requires kWritable {
    std::string_view first = v.substr(0, entities_file::kValueFirstPart.width);
    std::string_view rest = v.size() > first.size() ? v.substr(first.size()) : std::string_view();
    image_.SetText(entities_file::kValueFirstPart, first);
    image_.SetText(entities_file::kValueContinuation,
                   rest.substr(0, entities_file::kValueContinuation.width - 1), '\0');
  }

 private:
  static std::string_view UpToNul(std::string_view field) {
    return field.substr(0, field.find('\0'));
  }
};

using EntitiesFileRecordView = BasicEntitiesFileRecord<const char>;
using EntitiesFileRecordImage = BasicEntitiesFileRecord<char>;

}  // namespace r7::ledger
