// A directory of this fuzz process's own under the temporary directory ($TMPDIR when set),
// removed when the process ends normally.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "fuzz_check.h"

namespace r7::fuzz {

class ScratchDirectory {
 public:
  explicit ScratchDirectory(std::string_view name) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / ("r7-fuzz-" + std::string(name) + "-XXXXXX"))
            .string();
    FUZZ_CHECK(::mkdtemp(pattern.data()) != nullptr);
    path_ = pattern;
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace r7::fuzz
