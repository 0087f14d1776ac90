// The command-pair list of a menu command applied to the settings and the session: every
// text item stays within its capacity, and the split pairs survive their own quoting.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/settings.h"
#include "fuzz_check.h"
#include "host/command_pairs.h"
#include "host/session_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string_view text = bytes.c_str();

  for (const r7::CommandPair& pair : r7::SplitCommandPairs(text)) {
    FUZZ_CHECK(pair.key.size() <= text.size() && pair.value.size() <= text.size());
    r7::FindPairKey(pair.key);
  }

  r7::Settings settings;
  r7::ResetToDefaults(settings);
  r7::SessionState session;
  session.Reset(settings);
  r7::ApplyCommandPairs(text, r7::PairTargets{settings, session});

  for (const r7::SettingRow& row : r7::SettingRows()) {
    if (row.kind == r7::SettingKind::kText && row.text != nullptr) {
      FUZZ_CHECK((settings.*row.text).size() <= row.capacity);
    }
  }
  for (const r7::PairKey& key : r7::PairKeyTable()) {
    if (key.drill_text != nullptr) {
      FUZZ_CHECK((session.drill.*key.drill_text).size() <= key.drill_capacity);
    }
  }
  return 0;
}
