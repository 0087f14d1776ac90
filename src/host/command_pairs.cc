// The CommandPairList of a menu command. (platform-independent)
#include "host/command_pairs.h"

#include "common/text_util.h"

namespace r7 {
namespace {

constexpr int kDrillFromKey = 5039;
constexpr int kDrillToKey = 5040;

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

void ApplyCommandPairs(std::string_view text, const PairTargets& targets) {
  targets.to_chart = false;
  for (const CommandPair& pair : SplitCommandPairs(text)) {
    const SettingRow* row = FindPairKey(pair.key);
    if (row == nullptr) continue;
    switch (row->kind) {
      case SettingKind::kFlag:
        targets.to_chart = true;
        break;
      case SettingKind::kInteger:
        targets.settings.*row->number = LeadingInt(pair.value);
        break;
      case SettingKind::kText:
        AssignText(targets.settings, *row, DropLeadingApostrophe(pair.value));
        break;
    }
    if (row->key_id == kDrillFromKey || row->key_id == kDrillToKey) {
      targets.explicit_dates = true;
      ParseDateRange(targets.settings.drill_from, targets.settings.drill_to,
                     targets.current_date_range);
    }
  }
}

}  // namespace r7
