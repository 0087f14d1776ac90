// Company specifiers and the company stack. (platform-independent)
#include "ledger/company_stack.h"

#include "base/error_codes.h"

namespace r7 {

int CheckCompanySpecifier(std::string_view specifier, ErrorReporter& errors) {
  if (specifier.empty()) {
    errors.SetError(kInvalid, "The company specifier is NULL");
    return 1;
  }
  if (specifier.size() > kMaxCompanyCodeLength) {
    errors.SetError(kInvalid, "company specifier too long");
    return 1;
  }
  return 0;
}

std::optional<CompanyStack> BuildCompanyStack(std::string_view specifier, ErrorReporter& errors) {
  if (specifier.empty()) {
    errors.SetError(13, "NULL company specifier.");
    return std::nullopt;
  }
  CompanyStack stack;
  std::size_t pos = 0;
  while (pos < specifier.size()) {
    pos = specifier.find_first_not_of(", ", pos);
    if (pos == std::string_view::npos) break;
    std::size_t end = specifier.find_first_of(", ", pos);
    if (end == std::string_view::npos) end = specifier.size();
    std::string_view token = specifier.substr(pos, end - pos);
    if (CheckCompanySpecifier(token, errors) != 0) return std::nullopt;
    stack.insert(stack.begin(), std::string(token));
    pos = end;
  }
  if (stack.empty()) {
    errors.SetError(kMemoryFull, "BuildCompanyStack");
    return std::nullopt;
  }
  return stack;
}

}  // namespace r7
