// A platform for tests.
#include "fakes/fake_platform.h"

#include "common/text_util.h"

namespace r7::testing {

std::string MemoryProfileStore::Key(std::string_view file, std::string_view section,
                                    std::string_view key) {
  return ToUpperAscii(file) + "|" + ToUpperAscii(section) + "|" + ToUpperAscii(key);
}

std::string MemoryProfileStore::ReadText(std::string_view file, std::string_view section,
                                         std::string_view key, std::string_view fallback) {
  auto it = values_.find(Key(file, section, key));
  return it == values_.end() ? std::string(fallback) : it->second;
}

int MemoryProfileStore::ReadInt(std::string_view file, std::string_view section,
                                std::string_view key, int fallback) {
  auto it = values_.find(Key(file, section, key));
  // An empty value reads as missing, as with the Windows profile API.
  return it == values_.end() || it->second.empty() ? fallback : LeadingInt(it->second);
}

bool MemoryProfileStore::WriteText(std::string_view file, std::string_view section,
                                   std::string_view key, std::string_view value) {
  ++writes_;
  if (fail_countdown_ > 0 && --fail_countdown_ == 0) return false;
  values_[Key(file, section, key)] = std::string(value);
  return true;
}

bool MemoryProfileStore::DeleteKey(std::string_view file, std::string_view section,
                                   std::string_view key) {
  ++writes_;
  if (fail_countdown_ > 0 && --fail_countdown_ == 0) return false;
  values_.erase(Key(file, section, key));
  return true;
}

std::optional<std::string> MemoryProfileStore::Get(std::string_view section,
                                                   std::string_view key) const {
  auto it = values_.find(Key("R7.INI", section, key));
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

void MemoryProfileStore::Set(std::string_view section, std::string_view key,
                             std::string_view value) {
  values_[Key("R7.INI", section, key)] = std::string(value);
}

std::optional<std::string> FixedLocale::Read(platform::LocaleItem item) {
  switch (item) {
    case platform::LocaleItem::kDecimalSeparator:
      return decimal;
    case platform::LocaleItem::kThousandsSeparator:
      return thousands;
    case platform::LocaleItem::kDigitGrouping:
      return grouping;
  }
  return std::nullopt;
}

}  // namespace r7::testing
