// Loading and saving the settings record in R7.INI. (platform-independent)
#include "base/settings_store.h"

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "base/string_table.h"
#include "common/text_util.h"

namespace r7 {
namespace {

std::string KeyWithCode(int prefix_id, std::string_view code) {
  std::string key(StringText(prefix_id));
  key += code;
  return key;
}

// Seventeen significant digits: enough to read back the same double.
std::string DoubleText(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

// Stands for a key the file does not hold: no stored value holds a line end.
constexpr std::string_view kNoStoredValue = "\n";

// A value read from the file, written so that it reads back the same: reading trims the
// blanks around a value and drops one pair of enclosing quotes, so such a value is quoted.
std::string AsStored(const std::string& value) {
  const bool blank_edge = !value.empty() && (value.front() == ' ' || value.back() == ' ' ||
                                             value.front() == '\t' || value.back() == '\t');
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                      value.back() == value.front();
  return blank_edge || quoted ? "\"" + value + "\"" : value;
}

}  // namespace

void SettingsStore::LoadAll(Settings& settings, std::string_view server_directory) {
  ResetToDefaults(settings);
  for (const SettingRow& row : SettingRows()) {
    if (!row.saved) continue;
    std::string_view name = KeyName(row);
    if (row.number != nullptr) {
      settings.*row.number = profiles_.ReadInt(kIniFile, kSettingsSection, name, row.int_default);
    } else if (row.text != nullptr) {
      // The DPL rows without a default of their own take the items loaded before them.
      std::string fallback = row.text_default                     ? row.text_default
                             : row.text == &Settings::dpl_company ? settings.company
                                                                  : settings.current_year;
      AssignText(settings, row, profiles_.ReadText(kIniFile, kSettingsSection, name, fallback));
    }
  }
  settings.drill_absolute_sort =
      ReadInt(StringText(key::kDrillAbsoluteSort), settings.drill_absolute_sort);
  std::string threshold = ReadText(StringText(key::kDrillHighlightThreshold), "0", 64);
  settings.drill_highlight_threshold = std::strtod(threshold.c_str(), nullptr);
  if (settings.fe_file_path.empty()) settings.fe_file_path = CutTo(server_directory, 259);
}

bool SettingsStore::SaveAll(const Settings& settings) {
  std::vector<std::pair<std::string, std::string>> entries;
  for (const SettingRow& row : SettingRows()) {
    if (!row.saved) continue;
    entries.emplace_back(KeyName(row), row.number != nullptr ? std::to_string(settings.*row.number)
                                                             : settings.*row.text);
  }
  entries.emplace_back(StringText(key::kDrillAbsoluteSort),
                       std::to_string(settings.drill_absolute_sort));
  entries.emplace_back(StringText(key::kDrillHighlightThreshold),
                       DoubleText(settings.drill_highlight_threshold));

  // A save writes every key or leaves the file as it held them: what a later reload (the
  // dialogs' Cancel) finds is then the last complete save, never a part of a failed one.
  std::vector<std::string> before;
  for (const auto& [name, value] : entries) {
    before.push_back(profiles_.ReadText(kIniFile, kSettingsSection, name, kNoStoredValue));
  }
  std::size_t written = 0;
  while (written < entries.size() &&
         profiles_.WriteText(kIniFile, kSettingsSection, entries[written].first,
                             entries[written].second)) {
    ++written;
  }
  if (written == entries.size()) return true;
  for (std::size_t i = 0; i < written; ++i) {
    const std::string& name = entries[i].first;
    if (before[i] == kNoStoredValue) {
      profiles_.DeleteKey(kIniFile, kSettingsSection, name);
    } else {
      profiles_.WriteText(kIniFile, kSettingsSection, name, AsStored(before[i]));
    }
  }
  return false;
}

std::string SettingsStore::ServerDirectory(std::string_view fallback) {
  std::string path = CutTo(profiles_.ReadText(kIniFile, kServerSection, "Path", fallback), 259);
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path;
}

std::string SettingsStore::ReadText(std::string_view key, std::string_view fallback,
                                    std::size_t capacity) {
  return CutTo(profiles_.ReadText(kIniFile, kSettingsSection, key, fallback), capacity);
}

int SettingsStore::ReadInt(std::string_view key, int fallback) {
  return profiles_.ReadInt(kIniFile, kSettingsSection, key, fallback);
}

bool SettingsStore::WriteText(std::string_view key, std::string_view value) {
  return profiles_.WriteText(kIniFile, kSettingsSection, key, value);
}

AutoPreloadSettings LoadAutoPreload(SettingsStore& store, const Settings& settings,
                                    std::string_view code) {
  AutoPreloadSettings values;
  values.company_on = store.ReadInt(KeyWithCode(key::kAdplCompanyOn, code), 0) != 0;
  values.account = store.ReadText(KeyWithCode(key::kAdplAccount, code), "", 511);
  values.year = store.ReadText(KeyWithCode(key::kAdplYear, code), settings.current_year, 4);
  values.budget = store.ReadText(KeyWithCode(key::kAdplBudget, code), settings.revision, 2);
  values.this_year_on = store.ReadInt(KeyWithCode(key::kAdplThisYearOn, code), 1) != 0;
  values.last_year_on = store.ReadInt(KeyWithCode(key::kAdplLastYearOn, code), 0) != 0;
  values.budget_on = store.ReadInt(KeyWithCode(key::kAdplBudgetOn, code), 0) != 0;
  return values;
}

bool SaveAutoPreload(SettingsStore& store, std::string_view code,
                     const AutoPreloadSettings& values) {
  auto flag = [](bool on) { return on ? "1" : "0"; };
  bool ok = true;
  ok &= store.WriteText(KeyWithCode(key::kAdplCompanyOn, code), flag(values.company_on));
  ok &= store.WriteText(KeyWithCode(key::kAdplAccount, code), values.account);
  ok &= store.WriteText(KeyWithCode(key::kAdplYear, code), values.year);
  ok &= store.WriteText(KeyWithCode(key::kAdplBudget, code), values.budget);
  ok &= store.WriteText(KeyWithCode(key::kAdplThisYearOn, code), flag(values.this_year_on));
  ok &= store.WriteText(KeyWithCode(key::kAdplLastYearOn, code), flag(values.last_year_on));
  ok &= store.WriteText(KeyWithCode(key::kAdplBudgetOn, code), flag(values.budget_on));
  return ok;
}

}  // namespace r7
