// The driver's string table: every user-visible text, by identifier. (platform-independent)
//
// The texts live in resources/strings.inc, which the Windows build also turns into its
// STRINGTABLE resource. A missing identifier gives an empty text, as loading a missing
// resource string does.
#pragma once

#include <span>
#include <string_view>

namespace r7 {

struct StringEntry {
  int id;
  std::string_view text;
};

// The text of `id`, or an empty text when the table has none.
std::string_view StringText(int id);

// True when the table holds an entry for `id` (its text may still be empty).
bool HasString(int id);

// Every entry, in ascending order of identifier.
std::span<const StringEntry> AllStrings();

}  // namespace r7
