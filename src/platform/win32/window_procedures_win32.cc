// The window procedures of the driver's windows and dialogs. (Win32 implementation)
#include "platform/win32/window_procedures_win32.h"

#include <commctrl.h>

#include <map>
#include <memory>

#include "platform/win32/controls_win32.h"
#include "platform/win32/dialog_mark_win32.h"
#include "platform/win32/owner_draw_win32.h"

namespace r7::platform::win32 {
namespace {

using HandlerPtr = std::shared_ptr<MessageHandler>;

std::map<HWND, HandlerPtr>& Handlers() {
  static std::map<HWND, HandlerPtr> handlers;
  return handlers;
}

// The handler of a window being created, until its first message names its handle.
struct Expected {
  HandlerPtr handler;
  std::string template_name;
};
Expected& Pending() {
  static Expected pending;
  return pending;
}

HandlerPtr HandlerOf(HWND hwnd) {
  auto& handlers = Handlers();
  auto found = handlers.find(hwnd);
  if (found != handlers.end()) return found->second;
  Expected& pending = Pending();
  if (!pending.handler) return nullptr;
  HandlerPtr adopted = std::move(pending.handler);
  pending.handler.reset();
  if (!pending.template_name.empty()) MarkDialog(hwnd, pending.template_name);
  handlers[hwnd] = adopted;
  return adopted;
}

Message MessageOf(UINT id, WPARAM wparam, LPARAM lparam) {
  return {id, static_cast<std::uintptr_t>(wparam), static_cast<std::intptr_t>(lparam)};
}

bool Deliver(const HandlerPtr& handler, HWND hwnd, const Message& message) {
  return handler && (*handler)(IdOf(hwnd), message);
}

// A list view's notification as the seam's message; nullopt for the ones the seam leaves
// out (a double-click beside the rows, the list's other notifications).
std::optional<Message> ListMessage(LPARAM lparam) {
  const auto* header = reinterpret_cast<const NMHDR*>(lparam);
  const auto control = static_cast<std::uintptr_t>(header->idFrom);
  if (header->code == NM_DBLCLK) {
    const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(lparam);
    if (activate->iItem < 0) return std::nullopt;
    return Message{message::kListDoubleClick, control, activate->iItem};
  }
  if (header->code == LVN_COLUMNCLICK) {
    const auto* list = reinterpret_cast<const NMLISTVIEW*>(lparam);
    return Message{message::kListColumnClick, control, list->iSubItem};
  }
  return std::nullopt;
}

// Asks the handler how to paint an owner-drawn list view's row, then paints it.
void PaintRow(const HandlerPtr& handler, HWND dialog, const DRAWITEMSTRUCT& item) {
  const int row = static_cast<int>(item.itemID);
  if (row < 0) return;
  const std::vector<ListColumn> columns = ColumnsOf(item.hwndItem);
  RowPaint paint =
      DefaultRowPaint(static_cast<int>(item.CtlID), row, (item.itemState & ODS_SELECTED) != 0,
                      CellsOf(item.hwndItem, row, static_cast<int>(columns.size())), columns);
  Deliver(handler, dialog,
          {message::kPaintListRow, static_cast<std::uintptr_t>(item.CtlID),
           reinterpret_cast<std::intptr_t>(&paint)});
  PaintListRow(item, paint, columns);
}

BOOL CALLBACK ForgetBitmaps(HWND child, LPARAM) {
  ForgetButtonBitmaps(child);
  return TRUE;
}

INT_PTR Answered(HWND dialog, LRESULT result) {
  ::SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
  return TRUE;
}

}  // namespace

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  ::GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&WindowProcedure), &module);
  return module;
}

void ExpectWindow(MessageHandler handler, std::string template_name) {
  Pending() = {std::make_shared<MessageHandler>(std::move(handler)), std::move(template_name)};
}

void EndExpecting() {
  Pending() = {};
}

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT id, WPARAM wparam, LPARAM lparam) {
  HandlerPtr handler = HandlerOf(hwnd);  // a copy: the handler may destroy its window
  const bool handled = Deliver(handler, hwnd, MessageOf(id, wparam, lparam));
  if (id == WM_NCDESTROY) Handlers().erase(hwnd);
  return handled ? 0 : ::DefWindowProcA(hwnd, id, wparam, lparam);
}

INT_PTR CALLBACK DialogProcedure(HWND hwnd, UINT id, WPARAM wparam, LPARAM lparam) {
  HandlerPtr handler = HandlerOf(hwnd);
  switch (id) {
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      if (!IsListView(header->hwndFrom)) break;
      if (std::optional<Message> list = ListMessage(lparam)) Deliver(handler, hwnd, *list);
      return Answered(hwnd, 0);
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (item->CtlType == ODT_LISTVIEW) {
        PaintRow(handler, hwnd, *item);
        return TRUE;
      }
      if (item->CtlType == ODT_BUTTON && DrawBitmapButton(*item)) return TRUE;
      break;
    }
    case WM_DESTROY: {
      const bool handled = Deliver(handler, hwnd, MessageOf(id, wparam, lparam));
      ::EnumChildWindows(hwnd, ForgetBitmaps, 0);
      return handled ? TRUE : FALSE;
    }
    case WM_NCDESTROY: {
      const bool handled = Deliver(handler, hwnd, MessageOf(id, wparam, lparam));
      UnmarkDialog(hwnd);
      Handlers().erase(hwnd);
      return handled ? TRUE : FALSE;
    }
    default:
      break;
  }
  return Deliver(handler, hwnd, MessageOf(id, wparam, lparam)) ? TRUE : FALSE;
}

}  // namespace r7::platform::win32
