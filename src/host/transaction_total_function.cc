// Code 104, "GLTRAN": the total of the transactions of an account specifier between two
// dates, summed over a list of companies. (platform-independent)
#include "base/error_codes.h"
#include "common/text_util.h"
#include "host/driver.h"
#include "host/field_splitter.h"
#include "host/worksheet_functions.h"
#include "host/worksheet_support.h"
#include "ledger/account_iteration.h"
#include "ledger/amount_text.h"
#include "ledger/company_stack.h"
#include "ledger/ledger_records.h"

namespace r7 {
namespace {

enum TransactionField { kAccount = 0, kFrom, kTo, kCompanies, kType, kTransactionFields };

constexpr int kTransactionDrillSegment = 20;
constexpr std::size_t kMaxDrillDate = 20;

// The transaction type of the type field: only its first two characters count.
int TransactionType(std::string_view field) {
  if (field.empty()) return kAllTransactions;
  std::string_view head = field.substr(0, 2);
  if (EqualsIgnoreCase(head, "CR")) return kCreditTransactions;
  if (EqualsIgnoreCase(head, "DR") || EqualsIgnoreCase(head, "DE")) return kDebitTransactions;
  return 0;
}

bool TypeTakes(int type, double amount) {
  if (type == kDebitTransactions) return amount >= 0;
  if (type == kCreditTransactions) return amount < 0;
  return true;
}

// The transactions of one company: 0 with their total, or the code that stops the sum.
int CompanyTransactions(const LedgerServices& services, const std::string& code,
                        const AccountRequest& request, int type, double* total) {
  CompanyContext* company = services.companies.FindCompany(code);
  if (company == nullptr) return kAlreadyReported;
  if (company->status != 0) {
    services.companies.CheckCompany(*company);
    return company->status;
  }
  if (!company->files[kTransactionSlot].open) {
    int result = services.companies.OpenLedgerFile(*company, kTransactionFile);
    if (result != 0) {
      services.errors.SetError(result, FindLedgerFile(kTransactionFile)->base_name);
      return result;
    }
  }
  AccountIteration iteration(services);
  int result = iteration.First(request, *company, kIterateTransactions, true);
  while (result == kIterationRecord) {
    std::string_view record = iteration.record();
    ledger::TransactionRecordView transaction(std::span<const char>(record.data(), record.size()));
    const double amount = ledger::ParseAmountText(transaction.amount());
    if (TypeTakes(type, amount)) *total += amount;
    result = iteration.Next();
  }
  // A walk that ends before its end (an item without a match, a stop, a failed read)
  // gives no total for the company.
  return result == kIterationEnd ? 0 : result;
}

}  // namespace

int TransactionTotalFunction(Driver& driver, std::string_view argument, std::string& result) {
  SplitFields split = SplitArgumentText(argument, 3, kTransactionFields);
  if (split.status != 0) {
    driver.FinishWithError(split.status, result);
    return 0;
  }
  const Settings& settings = driver.settings();
  SessionState& session = driver.session();
  const std::vector<std::string>& fields = split.fields;
  AccountRequest request = MakeAccountRequest(fields[kAccount], "", "");

  session.drill.from = CutTo(fields[kFrom], kMaxDrillDate);
  session.drill.to = CutTo(fields[kTo], kMaxDrillDate);
  if (int code = ParseDateRange(fields[kFrom], fields[kTo], session.current_dates); code != 0) {
    driver.FinishWithError(code, result);
    return 0;
  }

  std::optional<CompanyStack> stack =
      BuildCompanyStack(FieldOr(fields[kCompanies], settings.company), driver.errors());
  if (!stack) {
    driver.errors().SetError(kMemoryFull, "CompanyStack");
    driver.FinishWithError(kAlreadyReported, result);
    return 0;
  }

  const int type = TransactionType(fields[kType]);
  if (type == 0) {
    driver.FinishWithError(kInvalidGltranType, result);
    return 0;
  }
  session.transaction_type = type;

  const LedgerServices services = driver.ledger_services();
  double total = 0;
  int status = 0;
  bool first = true;
  for (const std::string& company : *stack) {
    if (first) {
      session.drill.account = CutTo(fields[kAccount], kMaxAccountSpecifier);
      session.drill.company = company;
      session.drill.period.clear();
      session.drill.segment = kTransactionDrillSegment;
      session.explicit_dates = true;
      first = false;
    }
    status = CompanyTransactions(services, company, request, type, &total);
    if (status != 0) break;
  }

  if (status == 0) {
    result = FormatAmount(total, settings);
  } else {
    driver.FinishWithError(status, result);
  }
  return 0;
}

}  // namespace r7
