// The system's file-open and folder-choice dialogs. (Win32 implementation)
#include <windows.h>
// After <windows.h>:
#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include "platform/win32/user_interface_win32.h"

namespace r7::platform::win32 {

std::optional<std::string> Win32UserInterface::ChooseFile(WindowId owner,
                                                          const FileChoice& choice) {
  std::optional<std::string> title = CText(choice.title);
  std::optional<std::string> directory = CText(choice.start_directory);
  // The filter's pairs are separated by NULs and the whole ends with two.
  std::string filter = choice.filter;
  for (char& c : filter) {
    if (c == '|') c = '\0';
  }
  filter.push_back('\0');
  char file[MAX_PATH] = {};
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = WindowHandle(owner);
  dialog.lpstrFilter = choice.filter.empty() ? nullptr : filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof file;
  dialog.lpstrTitle = title && !title->empty() ? title->c_str() : nullptr;
  dialog.lpstrInitialDir = directory && !directory->empty() ? directory->c_str() : nullptr;
  // The driver reads its files by the paths it holds: the chooser must leave the current
  // directory where it was.
  dialog.Flags =
      OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!::GetOpenFileNameA(&dialog)) return std::nullopt;  // cancelled, or no such file
  return std::string(file);
}

std::optional<std::string> Win32UserInterface::ChooseFolder(WindowId owner,
                                                            std::string_view title) {
  std::optional<std::string> text = CText(title);
  // The folder dialog's tree is a shell view, which wants COM on this thread.
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  char display_name[MAX_PATH] = {};
  BROWSEINFOA browse{};
  browse.hwndOwner = WindowHandle(owner);
  browse.pszDisplayName = display_name;
  browse.lpszTitle = text ? text->c_str() : "";
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  std::optional<std::string> chosen;
  if (PIDLIST_ABSOLUTE folder = ::SHBrowseForFolderA(&browse)) {
    char path[MAX_PATH] = {};
    if (::SHGetPathFromIDListA(folder, path)) chosen = std::string(path);
    ::CoTaskMemFree(folder);
  }
  if (SUCCEEDED(com)) ::CoUninitialize();
  return chosen;
}

}  // namespace r7::platform::win32
