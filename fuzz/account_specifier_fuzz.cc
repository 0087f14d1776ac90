// The account specifier: expansion (with financial entities that name each other), the
// check of each item against two account structures, mapping, tokens with their scan
// bounds, and the wildcard comparison against stored segment fields.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/error_reporter.h"
#include "common/text_util.h"
#include "fuzz_check.h"
#include "specifiers/account_specifier.h"

namespace {

// Entities as a company's entities file may hold them: a range, a value by its
// description, one naming another, and one naming itself (expanded until the rounds end).
std::optional<std::string> Entity(std::string_view name, int segment) {
  if (r7::EqualsIgnoreCase(name, "SALES")) return "4000..4999";
  if (r7::EqualsIgnoreCase(name, "RENT") && segment == 1) return "6000";
  if (r7::EqualsIgnoreCase(name, "EAST")) return "SALES";
  if (r7::EqualsIgnoreCase(name, "LOOP")) return "LOOP";
  if (r7::EqualsIgnoreCase(name, "WIDE")) return "(1,2,3,4)(5,6,7,8)(9,0)";
  return std::nullopt;
}

struct Structure {
  r7::SegmentLengths lengths;
  r7::SegmentMappings mappings;
};

constexpr Structure kStructures[] = {
    {{4, 2, 3}, {2, 2, 2}}, {{8, 8, 8}, {1, 3, 1}}, {{6, 0, 0}, {3, 2, 2}}};

// Stored 8-character segment fields as the chart keeps them.
constexpr std::string_view kFields[] = {"00001000", "4000    ", "00000010",
                                        "ABC     ", "00000000", "        "};

constexpr std::size_t kItemsChecked = 40;

void CheckItem(std::string item, const Structure& structure) {
  r7::ErrorReporter errors;
  const int status = r7::ValidateAccountItem(item, structure.lengths, errors);
  FUZZ_CHECK(status == 0 || status == 8 || status == 16 || status == 20 || status == 34);
  FUZZ_CHECK((status == 0) != errors.pending());
  FUZZ_CHECK(errors.text().size() <= 255);
  if (status != 0) return;
  const std::string mapped = r7::MapAccountItem(item, structure.lengths, structure.mappings);
  for (const std::string& text : r7::SplitItemTokens(mapped)) {
    const r7::AccountToken token = r7::ParseAccountToken(text);
    FUZZ_CHECK(token.lower.size() == 24 && token.upper.size() == 24);
    for (int segment = 0; segment < 3; ++segment) {
      for (std::string_view field : kFields) {
        for (int range_type = 0; range_type < 3; ++range_type) {
          r7::SegmentMatches(token.segments[static_cast<std::size_t>(segment)], field,
                             structure.lengths[static_cast<std::size_t>(segment)], segment,
                             range_type);
        }
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string_view text = bytes.c_str();

  r7::ErrorReporter errors;
  std::vector<std::string> items;
  const int status = r7::ExpandAccountSpecifier(text, Entity, items, errors);
  FUZZ_CHECK(status == 0 || status == -1);
  FUZZ_CHECK(status == 0 || errors.pending());
  FUZZ_CHECK(items.size() <= r7::kMaxExpandedItems);
  if (status == 0) {
    for (std::size_t i = 0; i < items.size() && i < kItemsChecked; ++i) {
      FUZZ_CHECK(items[i].size() <= r7::kMaxAccountItem);
      for (const Structure& structure : kStructures) CheckItem(items[i], structure);
    }
  }

  // The wildcard comparison with the input's halves as text and pattern; a text without
  // wildcards matches itself, and "*" matches everything.
  const std::size_t half = text.size() / 2;
  const std::string_view left = text.substr(0, half), right = text.substr(half);
  r7::MatchWildcard(left, right);
  FUZZ_CHECK(r7::MatchWildcard(left, "*"));
  if (left.find_first_of("*?") == std::string_view::npos) {
    FUZZ_CHECK(r7::MatchWildcard(left, left));
  }
  return 0;
}
