// The mark of the driver's dialogs. (Win32 implementation)
#include "platform/win32/dialog_mark_win32.h"

#include <cstdint>

namespace r7::platform::win32 {
namespace {

constexpr const char* kTemplateProperty = "R7.DialogTemplate";
constexpr const char* kOrderProperty = "R7.DialogOrder";

}  // namespace

void MarkDialog(HWND dialog, std::string_view template_name) {
  static std::uintptr_t made = 0;
  // An atom names at most 255 characters; template names are short resource names.
  const std::string name(template_name.substr(0, 255));
  const ATOM atom = ::AddAtomA(name.c_str());
  if (atom == 0) return;
  ::SetPropA(dialog, kTemplateProperty,
             reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(atom)));
  ::SetPropA(dialog, kOrderProperty, reinterpret_cast<HANDLE>(++made));
}

void UnmarkDialog(HWND dialog) {
  const auto atom =
      static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(::RemovePropA(dialog, kTemplateProperty)));
  ::RemovePropA(dialog, kOrderProperty);
  if (atom != 0) ::DeleteAtom(atom);
}

std::optional<std::string> MarkedTemplateName(HWND window) {
  const auto atom =
      static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(::GetPropA(window, kTemplateProperty)));
  if (atom == 0) return std::nullopt;
  char name[256] = {};
  const UINT length = ::GetAtomNameA(atom, name, sizeof name);
  if (length == 0) return std::nullopt;
  return std::string(name, length);
}

std::uintptr_t MarkedDialogOrder(HWND window) {
  return reinterpret_cast<std::uintptr_t>(::GetPropA(window, kOrderProperty));
}

}  // namespace r7::platform::win32
