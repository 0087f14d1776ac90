// Files and directories through the Win32 API. (Win32 implementation)
//
// Paths go to the API as the core wrote them; the file system itself ignores case.
// Failures of the API become the interface's "nothing": an empty listing, nullopt, false.
#pragma once

#include "platform/file_system.h"

namespace r7::platform::win32 {

class Win32FileSystem : public FileSystem {
 public:
  std::vector<std::string> ListExtensionless(std::string_view directory) override;
  std::optional<std::string> ReadPrefix(std::string_view path, std::size_t max_bytes) override;
  bool FileExists(std::string_view path) override;
  bool DirectoryExists(std::string_view path) override;
  std::string NativePath(std::string_view path) override { return std::string(path); }
  bool PutFileInPlace(std::string_view from, std::string_view to) override;
  bool RemoveFile(std::string_view path) override;
};

}  // namespace r7::platform::win32
