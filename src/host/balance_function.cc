// Codes 100 and 102: the GL balance of an account specifier summed over a list of
// companies, and the same with its sign reversed. (platform-independent)
#include "base/error_codes.h"
#include "common/text_util.h"
#include "host/driver.h"
#include "host/field_splitter.h"
#include "host/request_options.h"
#include "host/worksheet_functions.h"
#include "host/worksheet_support.h"
#include "ledger/balance_engine.h"
#include "ledger/company_stack.h"

namespace r7 {
namespace {

enum BalanceField { kAccount = 0, kPeriod, kCompanies, kYear, kOptions, kBalanceFields };

// The DrillContext: the request that a later drill-down starts from.
void RecordDrillContext(SessionState& session, const std::string& account,
                        const std::string& period, const std::string& company,
                        const AccountRequest& request) {
  DrillContext& drill = session.drill;
  drill.account = CutTo(account, kMaxAccountSpecifier);
  drill.period = CutTo(period, kMaxAccountSpecifier);
  drill.company = company;
  drill.year = request.year;
  drill.budget_revision = request.revision;
  drill.range_type = request.range_type;
  session.explicit_dates = false;
}

}  // namespace

int BalanceFunction(Driver& driver, std::string_view argument, std::string& result,
                    bool reverse_sign) {
  SplitFields split = SplitArgumentText(argument, 1, kBalanceFields);
  if (split.status != 0) {
    driver.FinishWithError(split.status, result);
    return 0;
  }
  const Settings& settings = driver.settings();
  const std::vector<std::string>& fields = split.fields;
  AccountRequest request = MakeAccountRequest(
      fields[kAccount], FieldOr(fields[kYear], settings.current_year), settings.revision);
  ApplyRequestOptions(fields[kOptions], request);

  // The period list points into this text, which outlives every use of the list.
  const std::string period_text = FieldOr(fields[kPeriod], "month");
  PeriodList periods;
  if (!ParsePeriodField(driver, period_text, &periods, result)) return 0;

  std::optional<CompanyStack> stack =
      BuildCompanyStack(FieldOr(fields[kCompanies], settings.company), driver.errors());
  if (!stack) {
    driver.errors().SetError(kMemoryFull, "CompanyStack");
    driver.FinishWithError(kAlreadyReported, result);
    return 0;
  }

  const LedgerServices services = driver.ledger_services();
  const BalanceCollaborators with = driver.balance_collaborators(services);
  double total = 0;
  int status = 0;
  bool first = true;
  for (const std::string& company : *stack) {
    if (first) {
      RecordDrillContext(driver.session(), fields[kAccount], period_text, company, request);
      first = false;
    }
    double amount = 0;
    status = ComputeBalance(&amount, with, company, request, periods);
    if (status == kNoMatchingAccounts && settings.na_label != 0) {
      status = 0;
      continue;
    }
    if (status != 0) break;
    total += amount;
  }

  if (status == 0) {
    result = FormatAmount(reverse_sign ? -total : total, settings);
  } else {
    driver.FinishWithError(status, result);
  }
  return 0;
}

}  // namespace r7
