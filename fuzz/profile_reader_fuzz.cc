// R7.INI as any program may have left it: the settings load from it within their
// capacities, a value written into it reads back as written, and a key can be removed from it.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "base/settings.h"
#include "base/settings_store.h"
#include "fuzz_check.h"
#include "platform/posix/profile_store_posix.h"
#include "scratch_directory.h"

namespace {

// The Windows directory that holds this process's R7.INI.
const std::string& WindowsDirectory() {
  static const r7::fuzz::ScratchDirectory directory("profile");
  return directory.path();
}

// A plain value for the write: the input's letters and digits, at most 40 of them.
std::string PlainValue(const std::string& bytes) {
  std::string value;
  for (char c : bytes) {
    if (value.size() == 40) break;
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) value += c;
  }
  return value.empty() ? "01" : value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  {
    std::ofstream file(WindowsDirectory() + "/R7.INI", std::ios::binary | std::ios::trunc);
    file << bytes;
  }
  r7::platform::posix::PosixProfileStore profiles(WindowsDirectory());
  r7::SettingsStore store(profiles);
  r7::Settings settings;
  store.LoadAll(settings, store.ServerDirectory("C:\\R7\\"));
  for (const r7::SettingRow& row : r7::SettingRows()) {
    if (row.kind == r7::SettingKind::kText && row.text != nullptr) {
      FUZZ_CHECK((settings.*row.text).size() <= row.capacity);
    }
  }
  r7::LoadAutoPreload(store, settings, settings.company);

  const std::string value = PlainValue(bytes);
  if (profiles.WriteText(r7::kIniFile, r7::kSettingsSection, "Company", value)) {
    FUZZ_CHECK(profiles.ReadText(r7::kIniFile, r7::kSettingsSection, "Company", "") == value);
    // The first entry of the key goes, as Windows removes it; a second entry of the same
    // key in the section (or in a second section of the name) may then answer.
    profiles.DeleteKey(r7::kIniFile, r7::kSettingsSection, "Company");
  }
  return 0;
}
