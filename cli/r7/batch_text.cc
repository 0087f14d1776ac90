// Texts of the r7 host's batch mode: escaping results and reading command codes.
#include <charconv>

#include "cli/r7/r7_host.h"

namespace r7::cli {

std::string EscapeBatchResult(std::string_view result) {
  if (result.size() >= 2 && result.substr(result.size() - 2) == "\r\n") {
    result.remove_suffix(2);
  }
  return EscapeBatchText(result);
}

std::string EscapeBatchText(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '\\':
        escaped += "\\\\";
        break;
      case '\t':
        escaped += "\\t";
        break;
      case '\r':
        escaped += "\\r";
        break;
      case '\n':
        escaped += "\\n";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::optional<int> ParseCommandCode(std::string_view text) {
  int code = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;
  auto [end, error] = std::from_chars(first, last, code);
  if (error != std::errc() || end != last || first == last) return std::nullopt;
  return code;
}

}  // namespace r7::cli
