// Sectioned key=value settings files with the Windows private-profile rules. (interface)
//
// A file name without a directory names a file in the Windows directory (on POSIX, the
// directory given by R7_WINDIR). Sections and keys are matched without regard to ASCII
// case. Every call reads or writes the file afresh, so two stores see each other's writes.
#pragma once

#include <string>
#include <string_view>

namespace r7::platform {

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;

  // The value of the key, or `fallback` when the file, the section or the key is missing.
  virtual std::string ReadText(std::string_view file, std::string_view section,
                               std::string_view key, std::string_view fallback) = 0;

  // The value read as an integer by its leading digits (an optional minus sign first);
  // 0 when the value has no leading digits; `fallback` when the key is missing or its
  // value is empty.
  virtual int ReadInt(std::string_view file, std::string_view section, std::string_view key,
                      int fallback) = 0;

  // Sets the key, creating the file and the section when needed. False when the file
  // could not be written, and when the file could not hold the entry as written: a value
  // with a carriage return or line feed, a key with '=' or a section with ']' (each also
  // with no line end). The file is then left as it was.
  virtual bool WriteText(std::string_view file, std::string_view section, std::string_view key,
                         std::string_view value) = 0;

  // Removes the key from its section, so that it reads as missing again. True when the key
  // is not there afterwards (a missing key, section or file counts as removed); false when
  // the file could not be written, and it is then left as it was.
  virtual bool DeleteKey(std::string_view file, std::string_view section, std::string_view key) = 0;
};

}  // namespace r7::platform
