// How a list view's row is painted before its handler changes it. (platform-independent)
#include "platform/list_view.h"

namespace r7::platform {

RowPaint DefaultRowPaint(int control, int row, bool selected, const std::vector<std::string>& cells,
                         const std::vector<ListColumn>& columns) {
  RowPaint paint;
  paint.control = control;
  paint.row = row;
  paint.selected = selected;
  paint.background = selected ? Colour::Highlight() : kWhite;
  const std::size_t count = std::max(cells.size(), columns.size());
  for (std::size_t i = 0; i < count; ++i) {
    CellPaint cell;
    cell.text = i < cells.size() ? cells[i] : std::string();
    cell.text_colour = selected ? Colour::HighlightText() : kBlack;
    cell.alignment = i < columns.size() ? columns[i].alignment : Alignment::kLeft;
    paint.cells.push_back(std::move(cell));
  }
  return paint;
}

}  // namespace r7::platform
