// The CommandPairList of a menu command. (platform-independent)
#include "host/command_pairs.h"

#include <array>

#include "base/string_table.h"
#include "common/text_util.h"

namespace r7 {
namespace {

constexpr int kFirstPairKey = 5000;
constexpr int kPairKeyCount = 59;  // 5000 to 5058
constexpr int kDrillFromKey = 5039;
constexpr int kDrillToKey = 5040;

constexpr PairKey DrillText(int id, std::string DrillContext::*member, std::size_t capacity) {
  return {id, nullptr, member, nullptr, capacity};
}
constexpr PairKey DrillNumber(int id, int DrillContext::*member) {
  return {id, nullptr, nullptr, member, 0};
}

constexpr std::array kDrillKeys = {
    DrillText(5027, &DrillContext::account, 511),
    DrillText(5028, &DrillContext::company, 12),
    DrillText(5029, &DrillContext::year, 4),
    DrillText(5030, &DrillContext::budget_revision, 2),
    DrillNumber(5031, &DrillContext::range_type),
    DrillText(5032, &DrillContext::period, 511),
    DrillNumber(5033, &DrillContext::segment),
    DrillText(kDrillFromKey, &DrillContext::from, 20),
    DrillText(kDrillToKey, &DrillContext::to, 20),
};

// Each identifier from 5000 to 5058 names one pair key: a DrillContext item, "To Chart",
// or else the settings item of that identifier.
const std::array<PairKey, kPairKeyCount>& PairKeys() {
  static const auto table = [] {
    std::array<PairKey, kPairKeyCount> keys{};
    for (int i = 0; i < kPairKeyCount; ++i) {
      const int id = kFirstPairKey + i;
      const SettingRow* row = FindSettingRow(id);
      keys[static_cast<std::size_t>(i)] = {id, row != nullptr && row->pair ? row : nullptr};
    }
    for (const PairKey& drill : kDrillKeys) {
      keys[static_cast<std::size_t>(drill.key_id - kFirstPairKey)] = drill;
    }
    return keys;
  }();
  return table;
}

bool IsQuote(char c) {
  return c == '\'' || c == '"';
}

// The end of the pair that starts at `start`: the first comma outside quotes, or the end.
std::size_t PairEnd(std::string_view text, std::size_t start) {
  char quote = '\0';
  bool inside = false;
  for (std::size_t i = start; i < text.size(); ++i) {
    char c = text[i];
    if (quote == '\0' && IsQuote(c)) quote = c;
    if (c == quote) {
      inside = !inside;
    } else if (c == ',' && !inside) {
      return i;
    }
  }
  return text.size();
}

}  // namespace

std::vector<CommandPair> SplitCommandPairs(std::string_view text) {
  std::vector<CommandPair> pairs;
  // A pair that would start on the last character cannot hold a key and a value.
  for (std::size_t start = 0; start + 1 < text.size();) {
    std::size_t end = PairEnd(text, start);
    std::string_view pair = text.substr(start, end - start);
    start = end + 1;
    std::size_t equals = pair.find('=');
    if (equals == std::string_view::npos) continue;
    std::string_view value = pair.substr(equals + 1);
    if (!value.empty() && IsQuote(value.back())) {
      if (value.size() < 2 || value.front() != value.back()) continue;
      value = value.substr(1, value.size() - 2);
    }
    pairs.push_back({std::string(TrimBlanks(pair.substr(0, equals))), std::string(value)});
  }
  return pairs;
}

std::span<const PairKey> PairKeyTable() {
  return PairKeys();
}

const PairKey* FindPairKey(std::string_view key) {
  for (const PairKey& pair_key : PairKeys()) {
    if (EqualsIgnoreCase(StringText(pair_key.key_id), key)) return &pair_key;
  }
  return nullptr;
}

void ApplyCommandPairs(std::string_view text, const PairTargets& targets) {
  SessionState& session = targets.session;
  session.to_chart = false;
  for (const CommandPair& pair : SplitCommandPairs(text)) {
    const PairKey* key = FindPairKey(pair.key);
    if (key == nullptr) continue;
    if (key->key_id == key::kToChart) {
      session.to_chart = true;
    } else if (key->drill_number != nullptr) {
      session.drill.*key->drill_number = LeadingInt(pair.value);
    } else if (key->drill_text != nullptr) {
      session.drill.*key->drill_text =
          CutTo(DropLeadingApostrophe(pair.value), key->drill_capacity);
    } else if (key->setting != nullptr && key->setting->kind == SettingKind::kInteger) {
      targets.settings.*key->setting->number = LeadingInt(pair.value);
    } else if (key->setting != nullptr) {
      AssignText(targets.settings, *key->setting, DropLeadingApostrophe(pair.value));
    }
    if (key->key_id == kDrillFromKey || key->key_id == kDrillToKey) {
      session.explicit_dates = true;
      ParseDateRange(session.drill.from, session.drill.to, session.current_dates);
    }
  }
}

}  // namespace r7
