// Record layout of the report layout file `gllayout`, which the accounting system keeps
// for its financial-report layouts. (platform-independent)
//
// One record per layout line; line 00000 is the layout's head record. Key 0 is the
// layout number and the line number together (8 characters).
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "ledger/ledger_records.h"

namespace r7::ledger {

namespace gllayout {
inline constexpr std::size_t kRecordLength = 77;
inline constexpr TextField kLayoutNumber{0, 3};  // digits
inline constexpr TextField kLineNumber{3, 5};    // digits
inline constexpr TextField kKey{0, 8};
inline constexpr TextField kLineType{8, 4};  // for example "LIT", "RNG1", "PRE "
inline constexpr TextField kLineText{12, 65};
}  // namespace gllayout

template <typename Byte>
class BasicLayoutRecord : public RecordAccess<Byte> {
  using RecordAccess<Byte>::image_;
  using RecordAccess<Byte>::kWritable;

 public:
  explicit BasicLayoutRecord(std::span<Byte> bytes) : RecordAccess<Byte>(bytes) {}
  std::string_view layout_number() const { return image_.Text(gllayout::kLayoutNumber); }
  std::string_view line_number() const { return image_.Text(gllayout::kLineNumber); }
  std::string_view line_type() const { return image_.Text(gllayout::kLineType); }
  std::string_view line_text() const { return image_.Text(gllayout::kLineText); }
  void set_layout_number(std::string_view v) requires kWritable {
    image_.SetText(gllayout::kLayoutNumber, v);
  }
  void set_line_number(std::string_view v) requires kWritable {
    image_.SetText(gllayout::kLineNumber, v);
  }
  void set_line_type(std::string_view v) requires kWritable {
    image_.SetText(gllayout::kLineType, v);
  }
  void set_line_text(std::string_view v) requires kWritable {
    image_.SetText(gllayout::kLineText, v);
  }
};

using LayoutRecordView = BasicLayoutRecord<const char>;
using LayoutRecordImage = BasicLayoutRecord<char>;

}  // namespace r7::ledger
