// Steps that every worksheet function shares. (platform-independent)
#include "host/worksheet_support.h"

#include "common/text_util.h"
#include "host/driver.h"
#include "ledger/company_stack.h"
#include "specifiers/period_parser.h"

namespace r7 {

std::string FieldOr(const std::string& field, std::string_view fallback) {
  return field.empty() ? std::string(fallback) : field;
}

std::optional<std::string> SingleCompanyField(Driver& driver, const std::string& field) {
  std::string company = FieldOr(field, driver.settings().company);
  company = company.substr(0, company.find(','));
  if (CheckCompanySpecifier(company, driver.errors()) != 0) return std::nullopt;
  return company;
}

bool ParsePeriodField(Driver& driver, const std::string& text, PeriodList* periods,
                      std::string& result) {
  PeriodParseResult parsed = ParsePeriodSpecifier(text, periods);
  if (parsed.ok()) return true;
  driver.errors().SetError(parsed.code, parsed.detail);
  driver.FinishWithError(parsed.code, result);
  return false;
}

bool KeywordMatches(std::string_view text, std::string_view keyword, std::size_t length) {
  return text.size() >= length && keyword.size() >= length &&
         EqualsIgnoreCase(text.substr(0, length), keyword.substr(0, length));
}

}  // namespace r7
