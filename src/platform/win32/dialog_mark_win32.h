// The mark that tells the driver's own dialogs apart from every other window of the
// process: the name of the template a dialog was made from, and the order the dialogs were
// made in. (Win32 implementation)
//
// The mark is a pair of window properties, so that anyone in the process (the host acting
// as the user, a check program) can find the driver's dialogs by template name without
// reaching into the driver. The name is kept as a local atom, which the whole process
// shares; the mark is taken off when the dialog is destroyed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <windows.h>

namespace r7::platform::win32 {

// Marks `dialog` as made from `template_name`, later than every dialog marked before.
void MarkDialog(HWND dialog, std::string_view template_name);
// Takes the mark off (when the dialog is destroyed).
void UnmarkDialog(HWND dialog);
// The template name of a marked dialog; nullopt for any other window.
std::optional<std::string> MarkedTemplateName(HWND window);
// When the dialog was marked: larger is newer; 0 for an unmarked window.
std::uintptr_t MarkedDialogOrder(HWND window);

}  // namespace r7::platform::win32
