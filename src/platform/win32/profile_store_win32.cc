// R7.INI and other profile files through the Windows private-profile API. (Win32 implementation)
#include "platform/win32/profile_store_win32.h"

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/win32_text.h"

namespace r7::platform::win32 {
namespace {

// Values longer than this are cut: no setting comes near it.
constexpr DWORD kMaxValue = 32 * 1024;

// Stands for "no such key": the API trims a default's trailing blanks, so the caller's
// fallback is returned by us, never by the API. No value can hold the control character.
constexpr char kMissing[] = "\x01missing\x01";

bool BreaksLines(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

struct Location {
  std::string file, section, key;
};

std::optional<Location> LocationOf(std::string_view file, std::string_view section,
                                   std::string_view key) {
  auto f = CText(file), s = CText(section), k = CText(key);
  if (!f || !s || !k || f->empty() || BreaksLines(*s) || BreaksLines(*k) ||
      s->find(']') != std::string::npos || k->find('=') != std::string::npos) {
    return std::nullopt;
  }
  return Location{*f, *s, *k};
}

// The raw value, or nullopt when the key is missing.
std::optional<std::string> ReadValue(const Location& at) {
  std::vector<char> buffer(512);
  while (true) {
    DWORD length =
        ::GetPrivateProfileStringA(at.section.c_str(), at.key.c_str(), kMissing, buffer.data(),
                                   static_cast<DWORD>(buffer.size()), at.file.c_str());
    // A value that fills the buffer may have been cut: read it again with more room.
    if (length + 1 < buffer.size() || buffer.size() >= kMaxValue) {
      std::string value(buffer.data(), length);
      if (value == kMissing) return std::nullopt;
      return value;
    }
    buffer.resize(buffer.size() * 4);
  }
}

}  // namespace

std::string Win32ProfileStore::ReadText(std::string_view file, std::string_view section,
                                        std::string_view key, std::string_view fallback) {
  std::optional<Location> at = LocationOf(file, section, key);
  std::optional<std::string> value = at ? ReadValue(*at) : std::nullopt;
  return value ? *value : std::string(fallback);
}

int Win32ProfileStore::ReadInt(std::string_view file, std::string_view section,
                               std::string_view key, int fallback) {
  std::optional<Location> at = LocationOf(file, section, key);
  if (!at) return fallback;
  return static_cast<int>(
      ::GetPrivateProfileIntA(at->section.c_str(), at->key.c_str(), fallback, at->file.c_str()));
}

bool Win32ProfileStore::WriteText(std::string_view file, std::string_view section,
                                  std::string_view key, std::string_view value) {
  std::optional<Location> at = LocationOf(file, section, key);
  std::optional<std::string> text = CText(value);
  if (!at || !text || BreaksLines(*text)) return false;
  return ::WritePrivateProfileStringA(at->section.c_str(), at->key.c_str(), text->c_str(),
                                      at->file.c_str()) != FALSE;
}

bool Win32ProfileStore::DeleteKey(std::string_view file, std::string_view section,
                                  std::string_view key) {
  std::optional<Location> at = LocationOf(file, section, key);
  if (!at) return false;
  if (!ReadValue(*at)) return true;  // nothing to remove: the file is not touched
  // A null value removes the key.
  return ::WritePrivateProfileStringA(at->section.c_str(), at->key.c_str(), nullptr,
                                      at->file.c_str()) != FALSE;
}

}  // namespace r7::platform::win32
