// Code 126: a worksheet budget write of one value, for each period item of a period
// specifier. (platform-independent)
#include "base/error_codes.h"
#include "common/text_util.h"
#include "host/driver.h"
#include "host/field_splitter.h"
#include "host/request_options.h"
#include "host/worksheet_functions.h"
#include "host/worksheet_support.h"
#include "ledger/budget_writer.h"

namespace r7 {
namespace {

enum BudgetField { kValue = 0, kAccount, kPeriod, kCompany, kYear, kOptions, kBudgetFields };

constexpr int kCompanyCreationError = 65;

}  // namespace

int BudgetWriteFunction(Driver& driver, std::string_view argument, std::string& result) {
  SplitFields split = SplitArgumentText(argument, 2, kBudgetFields);
  if (split.status != 0) {
    driver.FinishWithError(split.status, result);
    return 0;
  }
  const Settings& settings = driver.settings();
  const std::vector<std::string>& fields = split.fields;
  // The cell shows the value written: the value text, cleaned by the write.
  std::string value = fields[kValue];
  result = value;

  AccountRequest request = MakeAccountRequest(
      fields[kAccount], FieldOr(fields[kYear], settings.current_year), settings.revision);
  ApplyRequestOptions(fields[kOptions], request);

  const std::string period_text = FieldOr(fields[kPeriod], "month");
  PeriodList periods;
  if (!ParsePeriodField(driver, period_text, &periods, result)) return 0;

  std::optional<std::string> code = SingleCompanyField(driver, fields[kCompany]);
  if (!code) {
    driver.FinishWithError(kAlreadyReported, result);
    return 0;
  }
  CompanyContext* company = driver.companies().FindCompany(*code);
  if (company == nullptr) {
    driver.FinishWithError(kCompanyCreationError, result);
    return 0;
  }
  if (company->status != 0) {
    driver.companies().CheckCompany(*company);
    driver.FinishWithError(company->status, result);
    return 0;
  }

  const LedgerServices services = driver.ledger_services();
  for (const PeriodSpec& spec : periods) {
    if (spec.IsEnd()) break;
    int status = BudgetWriteValue(&value, services, *company, request, spec);
    if (status != 0) {
      driver.FinishWithError(status, result);
      return 0;
    }
  }
  result = value;
  return 0;
}

}  // namespace r7
