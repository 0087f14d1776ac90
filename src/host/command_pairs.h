// The CommandPairList of a menu command: key=value pairs, separated by commas, that change
// the settings for that command. (platform-independent)
//
// A pair ends at the first comma outside quotes; the first quote character of a pair (' or
// ") is the one that quotes in it. A pair without '=' is skipped, and so is a pair whose
// value ends with a quote character but does not begin with the same one; otherwise a
// quoted value loses both quotes. Keys are trimmed and looked up without regard to case
// among the pair keys; unknown keys are ignored. Text values lose one leading apostrophe
// and are cut to their item's capacity; integer values are read by their leading digits.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/settings.h"
#include "specifiers/dates.h"

namespace r7 {

struct CommandPair {
  std::string key;    // trimmed
  std::string value;  // quotes removed
  friend bool operator==(const CommandPair&, const CommandPair&) = default;
};

// The pairs that survive the quoting rules, in order (unknown keys included).
std::vector<CommandPair> SplitCommandPairs(std::string_view text);

// What a pair list changes besides the settings record.
struct PairTargets {
  Settings& settings;
  DateRange& current_date_range;
  bool& explicit_dates;
  bool& to_chart;  // cleared first, set by a "To Chart" pair of any value
};

// Applies the pairs in order. "Drill From" and "Drill To" also set ExplicitDates and read
// both dates into the current date range (left as it was when they do not read).
void ApplyCommandPairs(std::string_view text, const PairTargets& targets);

}  // namespace r7
