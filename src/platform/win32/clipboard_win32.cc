// Plain text on the system clipboard. (Win32 implementation)
#include <cstring>

#include "platform/win32/desktop_win32.h"

namespace r7::platform::win32 {
namespace {

// Another program (a clipboard viewer, a remote-desktop client) may hold the clipboard for
// a moment; a few short retries spare the user a spurious "could not be opened".
constexpr int kOpenAttempts = 5;
constexpr DWORD kRetryPauseMs = 20;

struct GlobalBlock {
  HGLOBAL handle;
  ~GlobalBlock() {
    if (handle != nullptr) ::GlobalFree(handle);
  }
  HGLOBAL Release() {
    HGLOBAL released = handle;
    handle = nullptr;
    return released;
  }
};

}  // namespace

bool Win32Clipboard::Open() {
  if (owner_ == nullptr) {
    // A system window class, so no window procedure of ours outlives the library.
    owner_ =
        ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  }
  for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
    if (attempt > 0) ::Sleep(kRetryPauseMs);
    if (::OpenClipboard(owner_)) return true;
  }
  return false;
}

bool Win32Clipboard::SetText(std::string_view text) {
  // The block is filled before the clipboard is touched, so a failed allocation leaves the
  // clipboard as it was.
  GlobalBlock block{::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)};
  if (block.handle == nullptr) return false;
  char* data = static_cast<char*>(::GlobalLock(block.handle));
  if (data == nullptr) return false;
  std::memcpy(data, text.data(), text.size());
  data[text.size()] = '\0';
  ::GlobalUnlock(block.handle);

  if (!Open()) return false;
  bool handed_over = ::EmptyClipboard() && ::SetClipboardData(CF_TEXT, block.handle) != nullptr;
  // Once the clipboard accepted the block it owns it.
  if (handed_over) block.Release();
  ::CloseClipboard();
  return handed_over;
}

bool Win32Clipboard::Clear() {
  if (!Open()) return false;
  bool emptied = ::EmptyClipboard() != FALSE;
  ::CloseClipboard();
  return emptied;
}

std::optional<std::string> Win32Clipboard::GetText() {
  if (!Open()) return std::nullopt;
  std::optional<std::string> text;
  if (HANDLE handle = ::GetClipboardData(CF_TEXT)) {
    if (const char* data = static_cast<const char*>(::GlobalLock(handle))) {
      // Another program's block need not end in a NUL: never read past its size.
      std::size_t size = ::GlobalSize(handle);
      const void* end = std::memchr(data, '\0', size);
      text.emplace(data, end ? static_cast<const char*>(end) - data : size);
      ::GlobalUnlock(handle);
    }
  }
  ::CloseClipboard();
  return text;
}

}  // namespace r7::platform::win32
