// Plain files and directories of the ledger: company directories, compfile.dat,
// glprdv66.dat and the driver's own files. (interface)
//
// Paths are written as on Windows, with backslashes and an optional drive letter. The
// POSIX implementation turns them into slashes and resolves each component without regard
// to case, because Windows does.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace r7::platform {

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Names in `directory` that the pattern "*." matches on Windows: names without a dot,
  // plus "." and "..", in the order the platform enumerates them. Empty when the
  // directory cannot be read.
  virtual std::vector<std::string> ListExtensionless(std::string_view directory) = 0;

  // At most `max_bytes` bytes from the start of the file; nullopt when it cannot be opened.
  virtual std::optional<std::string> ReadPrefix(std::string_view path, std::size_t max_bytes) = 0;

  virtual bool FileExists(std::string_view path) = 0;
  virtual bool DirectoryExists(std::string_view path) = 0;

  // The path as the record manager's client library should receive it. The Win32 side
  // returns it unchanged; the POSIX side resolves it like every other path here.
  virtual std::string NativePath(std::string_view path) = 0;

  // Puts the file `from` in the place of `to` in one step, replacing any file there: a
  // program that opens `to` meanwhile finds the old file or the new one, never part of
  // either, and a crash leaves one of them whole. False when it could not be done (both
  // files stay as they were).
  virtual bool PutFileInPlace(std::string_view from, std::string_view to) = 0;
  // Removes a file; false when there was none or it could not be removed.
  virtual bool RemoveFile(std::string_view path) = 0;
};

}  // namespace r7::platform
