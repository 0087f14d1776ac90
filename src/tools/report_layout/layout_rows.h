// The spreadsheet rows that the lines of a report layout become. (platform-independent)
//
// Account lines become account texts, range lines ranges behind the RNG or RNG1 keyword,
// text lines labels and rule lines underlines; every row ends with CR LF. An account or
// range text holds the main account, then the profit center when profit centers are
// included, then the department when departments are too (never without the profit
// center). A layout keeps each segment in 8 characters: one with a capital letter loses its
// trailing blanks; any other keeps its last n characters, n the company's length for that
// segment.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace r7::report_layout {

struct Inclusion {
  bool profit_centers = false;
  bool departments = false;  // only with profit centers
};

// One 8-character segment of a layout line, fitted to a segment of `length` characters.
std::string FitSegment(std::string_view field, int length);

// The row of one layout line: its type code and its text.
std::string LayoutRow(std::string_view type, std::string_view text,
                      const std::array<int, 3>& segment_lengths, Inclusion inclusion);

}  // namespace r7::report_layout
