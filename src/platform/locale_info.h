// The user's number-format preferences, for amounts shown in lists and clipboard rows. (interface)
#pragma once

#include <optional>
#include <string>

namespace r7::platform {

enum class LocaleItem { kDecimalSeparator, kThousandsSeparator, kDigitGrouping };

class LocaleInfo {
 public:
  virtual ~LocaleInfo() = default;
  // The item's text ("3;0" style for the grouping), or nullopt when it cannot be read.
  virtual std::optional<std::string> Read(LocaleItem item) = 0;
};

}  // namespace r7::platform
