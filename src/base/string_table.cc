// The string table compiled into the portable core. (platform-independent)
#include "base/string_table.h"

#include <algorithm>
#include <iterator>

namespace r7 {
namespace {

constexpr StringEntry kStrings[] = {
#define STR(id, text) {id, text},
#include "resources/strings.inc"
#undef STR
};

constexpr bool StrictlyAscending() {
  for (std::size_t i = 1; i < std::size(kStrings); ++i) {
    if (kStrings[i - 1].id >= kStrings[i].id) return false;
  }
  return true;
}
static_assert(StrictlyAscending(), "strings.inc must list each identifier once, ascending");

const StringEntry* Find(int id) {
  auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                             [](const StringEntry& e, int wanted) { return e.id < wanted; });
  return (it != std::end(kStrings) && it->id == id) ? it : nullptr;
}

}  // namespace

std::string_view StringText(int id) {
  const StringEntry* entry = Find(id);
  return entry ? entry->text : std::string_view();
}

bool HasString(int id) {
  return Find(id) != nullptr;
}

std::span<const StringEntry> AllStrings() {
  return kStrings;
}

}  // namespace r7
