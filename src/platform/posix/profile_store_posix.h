// R7.INI and other profile files on POSIX, with the Windows private-profile rules.
// (POSIX implementation)
//
// Sections and keys are matched without regard to ASCII case; values are trimmed of blanks
// and lose one pair of enclosing quotes, as Windows reads them. A write rewrites the file
// through a temporary file and a rename, so a failed write leaves the old file whole.
#pragma once

#include <string>

#include "platform/profile_store.h"

namespace r7::platform::posix {

class PosixProfileStore : public ProfileStore {
 public:
  // `windows_directory` holds the files named without a directory.
  explicit PosixProfileStore(std::string windows_directory)
      : windows_directory_(std::move(windows_directory)) {}

  std::string ReadText(std::string_view file, std::string_view section, std::string_view key,
                       std::string_view fallback) override;
  int ReadInt(std::string_view file, std::string_view section, std::string_view key,
              int fallback) override;
  bool WriteText(std::string_view file, std::string_view section, std::string_view key,
                 std::string_view value) override;
  bool DeleteKey(std::string_view file, std::string_view section, std::string_view key) override;

 private:
  std::string PathOf(std::string_view file) const;
  std::string windows_directory_;
};

}  // namespace r7::platform::posix
