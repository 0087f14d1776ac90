// R7.INI and other profile files through the Windows private-profile API. (Win32 implementation)
//
// A bare file name such as "R7.INI" names a file in the Windows directory; the API itself
// resolves it. Values are read as the API returns them (trimmed, one pair of quotes
// removed); integers by the API's own rule, under which an empty value, like a missing
// key, gives the fallback. A section, key or value that would change the file's structure (a line
// end, a "]" in a section name, a "=" in a key) is refused: reads give the fallback and writes
// fail, leaving the file as it was.
#pragma once

#include "platform/profile_store.h"

namespace r7::platform::win32 {

class Win32ProfileStore : public ProfileStore {
 public:
  std::string ReadText(std::string_view file, std::string_view section, std::string_view key,
                       std::string_view fallback) override;
  int ReadInt(std::string_view file, std::string_view section, std::string_view key,
              int fallback) override;
  bool WriteText(std::string_view file, std::string_view section, std::string_view key,
                 std::string_view value) override;
  bool DeleteKey(std::string_view file, std::string_view section, std::string_view key) override;
};

}  // namespace r7::platform::win32
