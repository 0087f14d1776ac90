// The worksheet budget write. (platform-independent)
#include "ledger/budget_writer.h"

#include <cstring>
#include <vector>

#include "base/error_codes.h"
#include "common/text_util.h"
#include "ledger/amount_text.h"
#include "ledger/budget_file_writer.h"
#include "ledger/budget_value.h"
#include "ledger/company_periods.h"
#include "ledger/ledger_keys.h"
#include "ledger/ledger_records.h"
#include "specifiers/account_specifier.h"
#include "specifiers/account_template.h"

namespace r7 {
namespace {

// The checked account item of the request, or the code of its refusal (reported).
int CheckedAccountItem(const LedgerServices& services, const CompanyContext& company,
                       std::string_view specifier, std::string* item) {
  std::vector<std::string> items;
  int code = ExpandTemplateItems(specifier, company.segment_count, items, services.errors);
  if (code == kParenthesesDontMatch || code == kBlanksNotAllowed) {
    services.errors.SetError(code, specifier);
    return code;
  }
  if (code != 0) return code;
  if (items.empty()) {
    services.errors.SetError(kInvalid, specifier);
    return kInvalid;
  }
  *item = items.front();
  code = ValidateAccountItem(*item, company.segment_lengths, services.errors);
  if (code != 0) return code;
  if (item->find_first_of("*?.,") != std::string::npos || item->size() > kMaxBudgetAccountText) {
    services.errors.SetError(kInvalid, *item);
    return kInvalid;
  }
  return 0;
}

}  // namespace

std::optional<int> BudgetPeriodSlot(const PeriodSpec& resolved, int current_period) {
  const std::uint32_t flags = resolved.flags;
  if ((flags & (kToDate | kYearsBackMask | kRunningMask | kOpening)) != 0) return std::nullopt;
  const std::uint32_t scale = flags & kScaleMask;
  if (scale != kScalePeriods && scale != kScaleMonths) return std::nullopt;
  int slot = 0;
  switch (flags & kPositionMask) {
    case kPositionCurrent:
      slot = current_period - 1;
      break;
    case kPositionBack:
      slot = current_period - resolved.number - 1;
      break;
    case kPositionAbsolute:
      slot = resolved.number - 1;
      break;
    default:
      return std::nullopt;
  }
  if (slot < 0 || slot > 12) return std::nullopt;
  return slot;
}

int BudgetWriteValue(std::string* value_text, const LedgerServices& services,
                     CompanyContext& company, const AccountRequest& request,
                     const PeriodSpec& spec) {
  ErrorReporter& errors = services.errors;
  std::optional<ledger::BudgetValue> value = ledger::CleanBudgetValue(*value_text);
  if (!value) {
    errors.SetError(kInvalid, *value_text);
    return kInvalid;
  }
  *value_text = value->cleaned;

  if (company.status != 0) {
    services.companies.CheckCompany(company);
    return company.status;
  }
  std::optional<int> slot =
      BudgetPeriodSlot(ResolveForCompany(spec, company), company.current_period);
  if (!slot) {
    errors.SetError(kInvalidPeriod, spec.text);
    return kInvalidPeriod;
  }
  const std::size_t period = static_cast<std::size_t>(*slot) + 1;
  if (!IsBudgetYear(request.year)) {
    errors.SetError(kInvalid, request.year);
    return kInvalid;
  }
  std::optional<std::string> revision_code = BudgetRevisionCode(request.revision);
  if (!revision_code) {
    errors.SetError(kInvalid, request.revision);
    return kInvalid;
  }
  std::string item;
  if (int code = CheckedAccountItem(services, company, request.specifier, &item); code != 0) {
    return code;
  }
  const std::optional<std::string> account_number = BudgetAccountNumber(item);
  if (!account_number) {
    errors.SetError(kInvalid, item);
    return kInvalid;
  }

  BudgetFileWriter writer(services, company);
  if (int code = writer.Open(); code != 0) {
    const int index = writer.failure() == BudgetFileWriter::Failure::kBudgetFile
                          ? kBudgetFileForWrite
                          : kAccountFile;
    errors.SetError(kCantOpenFile, LedgerFileName(*FindLedgerFile(index)));
    return code;
  }
  BudgetPeriodValues values;
  values[period - 1] = *value;
  return writer.Write(*account_number, request.year, *revision_code, values);
}

}  // namespace r7
