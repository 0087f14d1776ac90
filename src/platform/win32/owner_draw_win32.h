// Painting the owner-drawn controls of the driver's dialogs: bitmap buttons and the rows of
// owner-drawn list views. (Win32 implementation)
//
// A bitmap button is painted from two BITMAP resources of the module (ThisModule()): the
// "up" one normally, the "down" one while pressed, centred on the button's face, with a
// focus rectangle while it has the focus. The button keeps the two ids as window
// properties. A list row is painted as its RowPaint says: the background, then each
// visible column's cell in that column's part of the row, 4 pixels in from either side, on
// a single line, vertically centred.
#pragma once

#include <vector>

#include <windows.h>

#include "platform/list_view.h"

namespace r7::platform::win32 {

void SetButtonBitmaps(HWND button, int up, int down);
void ForgetButtonBitmaps(HWND button);
// Paints the button from its bitmaps; false when it has none (someone else paints it).
bool DrawBitmapButton(const DRAWITEMSTRUCT& item);

void PaintListRow(const DRAWITEMSTRUCT& item, const RowPaint& paint,
                  const std::vector<ListColumn>& columns);

COLORREF ColourRef(const Colour& colour);

}  // namespace r7::platform::win32
