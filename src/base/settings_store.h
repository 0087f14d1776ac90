// Loading and saving the settings record in R7.INI. (platform-independent)
//
// Key names come from the string table; the file is read and written through the
// platform's profile store, section "R7 for Tessary". The store itself keeps no state
// besides its reference to the profile store.
#pragma once

#include <string>
#include <string_view>

#include "base/settings.h"
#include "platform/profile_store.h"

namespace r7 {

inline constexpr std::string_view kIniFile = "R7.INI";
inline constexpr std::string_view kSettingsSection = "R7 for Tessary";
inline constexpr std::string_view kServerSection = "R7 Server";

class SettingsStore {
 public:
  explicit SettingsStore(platform::ProfileStore& profiles) : profiles_(profiles) {}

  // Reads every saved item, with its default when the file or key is missing. The DPL text
  // defaults are the values just read for Company and Current Year; an empty FE File Path
  // becomes `server_directory`.
  void LoadAll(Settings& settings, std::string_view server_directory);

  // Writes every saved item. False when a write failed (the caller shows error 61); the
  // keys written before it then get back what the file held, so a failed save leaves the
  // file as it was.
  bool SaveAll(const Settings& settings);

  // The add-in's server directory ("R7 Server", "Path"), ending in a backslash unless empty.
  std::string ServerDirectory(std::string_view fallback);

  // Access by key name, for the per-company automatic-preload keys.
  std::string ReadText(std::string_view key, std::string_view fallback, std::size_t capacity);
  int ReadInt(std::string_view key, int fallback);
  bool WriteText(std::string_view key, std::string_view value);

 private:
  platform::ProfileStore& profiles_;
};

// The per-company automatic-preload settings: the key prefix followed by the company code.
struct AutoPreloadSettings {
  bool company_on = false;
  std::string account;
  std::string year;
  std::string budget;
  bool this_year_on = true;
  bool last_year_on = false;
  bool budget_on = false;
};

AutoPreloadSettings LoadAutoPreload(SettingsStore& store, const Settings& settings,
                                    std::string_view company_code);
bool SaveAutoPreload(SettingsStore& store, std::string_view company_code,
                     const AutoPreloadSettings& values);

}  // namespace r7
