// Files and directories through the Win32 API. (Win32 implementation)
#include "platform/win32/file_system_win32.h"

#include <algorithm>
#include <memory>

#include "platform/win32/win32_text.h"

namespace r7::platform::win32 {
namespace {

struct FindCloser {
  void operator()(HANDLE find) const { ::FindClose(find); }
};
struct HandleCloser {
  void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};

std::optional<DWORD> AttributesOf(std::string_view path) {
  std::optional<std::string> native = CText(path);
  if (!native || native->empty()) return std::nullopt;
  DWORD attributes = ::GetFileAttributesA(native->c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return attributes;
}

}  // namespace

std::vector<std::string> Win32FileSystem::ListExtensionless(std::string_view directory) {
  std::vector<std::string> names;
  std::optional<std::string> pattern = CText(directory);
  if (!pattern) return names;
  if (!pattern->empty() && pattern->back() != '\\' && pattern->back() != '/' &&
      pattern->back() != ':') {
    *pattern += '\\';
  }
  *pattern += "*.";

  WIN32_FIND_DATAA found;
  HANDLE first = ::FindFirstFileA(pattern->c_str(), &found);
  if (first == INVALID_HANDLE_VALUE) return names;
  std::unique_ptr<void, FindCloser> find(first);
  do {
    // Not every file system keeps the old rule that "*." means "no extension" (Wine's
    // matches every name), so the rule is applied here as well.
    std::string_view name = found.cFileName;
    if (name == "." || name == ".." || name.find('.') == std::string_view::npos) {
      names.emplace_back(name);
    }
  } while (::FindNextFileA(find.get(), &found));
  return names;
}

std::optional<std::string> Win32FileSystem::ReadPrefix(std::string_view path,
                                                       std::size_t max_bytes) {
  std::optional<std::string> native = CText(path);
  if (!native || native->empty()) return std::nullopt;
  // Other programs may hold the ledger's files open for writing while we read.
  HANDLE opened = ::CreateFileA(native->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return std::nullopt;
  std::unique_ptr<void, HandleCloser> file(opened);

  // Never reserve more than the file holds, whatever the caller asked for.
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return std::nullopt;
  const std::size_t wanted =
      static_cast<std::size_t>(std::min<unsigned long long>(max_bytes, size.QuadPart));

  std::string data(wanted, '\0');
  std::size_t filled = 0;
  while (filled < wanted) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(wanted - filled, 1u << 20));
    DWORD read = 0;
    if (!::ReadFile(file.get(), data.data() + filled, chunk, &read, nullptr)) return std::nullopt;
    if (read == 0) break;  // the file shrank under us
    filled += read;
  }
  data.resize(filled);
  return data;
}

bool Win32FileSystem::FileExists(std::string_view path) {
  std::optional<DWORD> attributes = AttributesOf(path);
  return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::DirectoryExists(std::string_view path) {
  std::optional<DWORD> attributes = AttributesOf(path);
  return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32FileSystem::PutFileInPlace(std::string_view from, std::string_view to) {
  std::optional<std::string> source = CText(from), target = CText(to);
  if (!source || !target || source->empty() || target->empty()) return false;
  // One rename on the volume; written through, so that the new name survives a crash.
  return ::MoveFileExA(source->c_str(), target->c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32FileSystem::RemoveFile(std::string_view path) {
  std::optional<std::string> native = CText(path);
  return native && !native->empty() && ::DeleteFileA(native->c_str()) != FALSE;
}

}  // namespace r7::platform::win32
