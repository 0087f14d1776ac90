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

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/settings.h"
#include "host/session_state.h"

namespace r7 {

struct CommandPair {
  std::string key;    // trimmed
  std::string value;  // quotes removed
  friend bool operator==(const CommandPair&, const CommandPair&) = default;
};

// The pairs that survive the quoting rules, in order (unknown keys included).
std::vector<CommandPair> SplitCommandPairs(std::string_view text);

// One key a pair list may name: an item of the settings record, an item of the
// DrillContext, or the "To Chart" flag (which has no target).
struct PairKey {
  int key_id;                           // string-table identifier of the key name
  const SettingRow* setting = nullptr;  // an item of the settings record
  std::string DrillContext::*drill_text = nullptr;
  int DrillContext::*drill_number = nullptr;
  std::size_t drill_capacity = 0;  // DrillContext texts: the most characters kept
};

// Every pair key, in the order of the command-pair table (the order of their identifiers).
std::span<const PairKey> PairKeyTable();

// The key whose name equals `key` without regard to case; null for an unknown key.
const PairKey* FindPairKey(std::string_view key);

// What a pair list changes.
struct PairTargets {
  Settings& settings;
  SessionState& session;  // the DrillContext, the dates and "To Chart"
};

// Applies the pairs in order, clearing "To Chart" first. "Drill From" and "Drill To" also
// set ExplicitDates and read both dates into the current date range (left as it was when
// they do not read).
void ApplyCommandPairs(std::string_view text, const PairTargets& targets);

}  // namespace r7
