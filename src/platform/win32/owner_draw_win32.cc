// Painting bitmap buttons and owner-drawn list rows. (Win32 implementation)
#include "platform/win32/owner_draw_win32.h"

#include <cstdint>
#include <string>

#include "platform/win32/window_procedures_win32.h"

namespace r7::platform::win32 {
namespace {

constexpr const char* kUpProperty = "R7.BitmapUp";
constexpr const char* kDownProperty = "R7.BitmapDown";
// How far a cell's text stays from its column's edges.
constexpr int kCellMargin = 4;

int BitmapId(HWND button, const char* property) {
  return static_cast<int>(reinterpret_cast<std::intptr_t>(::GetPropA(button, property)));
}

// Draws the bitmap resource `id` centred in `area`, cut to it.
void DrawBitmap(HDC dc, int id, const RECT& area) {
  HBITMAP bitmap = ::LoadBitmapA(ThisModule(), MAKEINTRESOURCEA(id));
  if (bitmap == nullptr) return;
  BITMAP size{};
  ::GetObjectA(bitmap, sizeof size, &size);
  HDC memory = ::CreateCompatibleDC(dc);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  const int width = area.right - area.left, height = area.bottom - area.top;
  const int x = area.left + (width - size.bmWidth) / 2;
  const int y = area.top + (height - size.bmHeight) / 2;
  const int shown_x = x < area.left ? area.left : x, shown_y = y < area.top ? area.top : y;
  ::BitBlt(dc, shown_x, shown_y, size.bmWidth < width ? size.bmWidth : width,
           size.bmHeight < height ? size.bmHeight : height, memory, shown_x - x, shown_y - y,
           SRCCOPY);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::DeleteObject(bitmap);
}

}  // namespace

COLORREF ColourRef(const Colour& colour) {
  switch (colour.kind) {
    case Colour::Kind::kHighlight:
      return ::GetSysColor(COLOR_HIGHLIGHT);
    case Colour::Kind::kHighlightText:
      return ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    case Colour::Kind::kRgb:
    default:
      return RGB((colour.rgb >> 16) & 0xFF, (colour.rgb >> 8) & 0xFF, colour.rgb & 0xFF);
  }
}

void SetButtonBitmaps(HWND button, int up, int down) {
  if (button == nullptr) return;
  ::SetPropA(button, kUpProperty, reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(up)));
  ::SetPropA(button, kDownProperty, reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(down)));
  ::InvalidateRect(button, nullptr, TRUE);
}

void ForgetButtonBitmaps(HWND button) {
  ::RemovePropA(button, kUpProperty);
  ::RemovePropA(button, kDownProperty);
}

bool DrawBitmapButton(const DRAWITEMSTRUCT& item) {
  const int up = BitmapId(item.hwndItem, kUpProperty);
  const int down = BitmapId(item.hwndItem, kDownProperty);
  if (up == 0 && down == 0) return false;
  ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
  DrawBitmap(item.hDC, (item.itemState & ODS_SELECTED) ? down : up, item.rcItem);
  if (item.itemState & ODS_FOCUS) {
    RECT focus = item.rcItem;
    ::InflateRect(&focus, -3, -3);
    ::DrawFocusRect(item.hDC, &focus);
  }
  return true;
}

void PaintListRow(const DRAWITEMSTRUCT& item, const RowPaint& paint,
                  const std::vector<ListColumn>& columns) {
  HDC dc = item.hDC;
  HBRUSH background = ::CreateSolidBrush(ColourRef(paint.background));
  ::FillRect(dc, &item.rcItem, background);
  ::DeleteObject(background);

  HGDIOBJ old_font = nullptr;
  if (HFONT font = reinterpret_cast<HFONT>(::SendMessageA(item.hwndItem, WM_GETFONT, 0, 0))) {
    old_font = ::SelectObject(dc, font);
  }
  const int old_mode = ::SetBkMode(dc, TRANSPARENT);
  const COLORREF old_colour = ::GetTextColor(dc);
  // The row's rectangle starts where column 0 starts, scrolled as the list is.
  int left = item.rcItem.left;
  for (std::size_t i = 0; i < columns.size() && i < paint.cells.size(); ++i) {
    const int width = columns[i].width;
    if (width <= 0) continue;
    const CellPaint& cell = paint.cells[i];
    RECT area{left + kCellMargin, item.rcItem.top, left + width - kCellMargin, item.rcItem.bottom};
    left += width;
    if (area.right <= area.left) continue;
    ::SetTextColor(dc, ColourRef(cell.text_colour));
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS |
                        (cell.alignment == Alignment::kRight ? DT_RIGHT : DT_LEFT);
    const std::string text(cell.text.substr(0, cell.text.find('\0')));
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
  }
  ::SetTextColor(dc, old_colour);
  ::SetBkMode(dc, old_mode);
  if (old_font != nullptr) ::SelectObject(dc, old_font);
}

}  // namespace r7::platform::win32
