// What a dialog's list views show: columns with their widths and alignment, and how an
// owner-drawn list paints its rows. (interface)
//
// A list view in report style shows rows of cell texts under column headings. A column of
// width 0 is hidden: the user sees neither its heading nor its cells. The handler keeps its
// own order of the rows: to sort, it writes them again in the new order.
//
// Owner-drawn lists paint each row as the dialog's handler says: for every row that comes
// into view the platform sends message::kPaintListRow with a RowPaint filled with the row's
// cells, in black on white (the system's highlight colours when selected), aligned as their
// columns; the handler changes what it wants, and the platform paints the result, each
// cell in its column on a single line, vertically centred, 4 pixels in from either side.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace r7::platform {

enum class Alignment { kLeft, kRight };

struct ListColumn {
  std::string title;
  int width = 100;  // dialog pixels; 0 hides the column
  Alignment alignment = Alignment::kLeft;
  friend bool operator==(const ListColumn&, const ListColumn&) = default;
};

// A colour: red, green and blue, or one of the system's selection colours.
struct Colour {
  enum class Kind { kRgb, kHighlight, kHighlightText };
  Kind kind = Kind::kRgb;
  std::uint32_t rgb = 0;  // 0xRRGGBB

  static constexpr Colour Rgb(int red, int green, int blue) {
    return {Kind::kRgb, static_cast<std::uint32_t>((red << 16) | (green << 8) | blue)};
  }
  static constexpr Colour Highlight() { return {Kind::kHighlight, 0}; }
  static constexpr Colour HighlightText() { return {Kind::kHighlightText, 0}; }
  friend bool operator==(const Colour&, const Colour&) = default;
};

inline constexpr Colour kBlack = Colour::Rgb(0, 0, 0);
inline constexpr Colour kWhite = Colour::Rgb(255, 255, 255);

struct CellPaint {
  std::string text;
  Colour text_colour = kBlack;
  Alignment alignment = Alignment::kLeft;
  friend bool operator==(const CellPaint&, const CellPaint&) = default;
};

struct RowPaint {
  int control = 0;
  int row = 0;  // from 0, in display order
  bool selected = false;
  Colour background = kWhite;
  std::vector<CellPaint> cells;  // one per column, hidden ones included
  friend bool operator==(const RowPaint&, const RowPaint&) = default;
};

// The paint of a row before its handler changes it.
RowPaint DefaultRowPaint(int control, int row, bool selected, const std::vector<std::string>& cells,
                         const std::vector<ListColumn>& columns);

}  // namespace r7::platform
