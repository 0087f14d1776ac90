// Files and directories on POSIX, addressed with Windows paths. (POSIX implementation)
//
// A path such as "C:\Tessary\DATA_05\compfile.dat" loses its drive letter, turns its
// backslashes into slashes, and has each component matched without regard to case: the
// exact name when it exists, else the first directory entry equal to it ignoring case.
// A relative path is taken from the current directory.
#pragma once

#include <string>

#include "platform/file_system.h"

namespace r7::platform::posix {

// The POSIX path a Windows-style path names (components that do not exist yet are kept
// as written).
std::string ResolveWindowsPath(std::string_view path);

class PosixFileSystem : public FileSystem {
 public:
  std::vector<std::string> ListExtensionless(std::string_view directory) override;
  std::optional<std::string> ReadPrefix(std::string_view path, std::size_t max_bytes) override;
  bool FileExists(std::string_view path) override;
  bool DirectoryExists(std::string_view path) override;
  std::string NativePath(std::string_view path) override { return ResolveWindowsPath(path); }
  bool PutFileInPlace(std::string_view from, std::string_view to) override;
  bool RemoveFile(std::string_view path) override;
};

}  // namespace r7::platform::posix
