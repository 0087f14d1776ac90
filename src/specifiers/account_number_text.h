// Account numbers as text: the stored form of a segment value and the display form of a
// stored account number, the rules that the ledger files and the account specifier share.
// (platform-independent)
//
// An account number is three 8-character fields, main account, profit center, department.
// A segment value is stored by one rule everywhere (records and scan bounds alike): a value
// made of digits only is right-aligned and zero-filled ("1000" -> "00001000"); a value with
// a letter is left-aligned and blank-filled ("AB" -> "AB      "). The display form cuts each
// field back to the company's length for its segment and joins the fields with "-".
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace r7 {

inline constexpr std::size_t kSegmentFieldWidth = 8;
inline constexpr std::size_t kAccountNumberWidth = 3 * kSegmentFieldWidth;
inline constexpr int kSegmentCount = 3;

// The field of a segment that does not exist, and of the title records' other segments.
inline constexpr std::string_view kZeroSegmentField = "00000000";

// The 8-character stored form of one segment value. A value longer than 8 characters
// keeps its first 8.
std::string StoredSegment(std::string_view value);

// The display form of one stored field: with an upper-case letter, the field without its
// trailing blanks; otherwise its last `length` characters (the whole field when `length`
// is 0 or wider than the field).
std::string_view DisplaySegment(std::string_view field, int length);

// The display form of a stored account number for segment lengths main, profit center,
// department; a segment of length 0 is left out. A short text shows the fields it has.
std::string DisplayAccount(std::string_view account_number, const std::array<int, 3>& lengths);

}  // namespace r7
