// The balance engine. (platform-independent)
#include "ledger/balance_engine.h"

#include <span>

#include "base/error_codes.h"
#include "common/text_util.h"
#include "ledger/account_number.h"
#include "ledger/amount_text.h"
#include "ledger/company_periods.h"
#include "ledger/ledger_keys.h"
#include "ledger/ledger_records.h"
#include "ledger/pass_plan.h"
#include "ledger/used_accounts.h"
#include "specifiers/amount_table.h"

namespace r7 {
namespace {

// Opened, when closed, before anything is read: the chart, this year's balances, the
// budgets and the comparative balances.
constexpr int kEngineFiles[] = {kAccountFile, kBalanceFile, kBudgetFile, kComparativeFile};

int OpenEngineFiles(const LedgerServices& services, CompanyContext& company) {
  for (int index : kEngineFiles) {
    const LedgerFileInfo& file = *FindLedgerFile(index);
    if (company.files[file.slot].open) continue;
    int result = services.companies.OpenLedgerFile(company, file.index);
    if (result != 0) {
      services.errors.SetError(result, file.base_name);
      return result;
    }
  }
  return 0;
}

PeriodFigures FiguresOf(int file_number, std::string_view record) {
  std::span<const char> bytes(record.data(), record.size());
  PeriodFigures figures;
  switch (file_number) {
    case kIterateBalances: {
      ledger::BalanceRecordView balance(bytes);
      figures.opening = ledger::ParseAmountText(balance.opening());
      for (std::size_t p = 1; p <= kPeriodFigureCount; ++p)
        figures.periods[p - 1] = balance.period(p);
      break;
    }
    case kIteratePriorComparatives:
    case kIterateComparatives: {
      ledger::ComparativeRecordView comparative(bytes);
      figures.opening = ledger::ParseAmountText(comparative.opening());
      for (std::size_t p = 1; p <= kPeriodFigureCount; ++p)
        figures.periods[p - 1] = comparative.period(p);
      break;
    }
    case kIterateBudgets: {
      ledger::BudgetRecordView budget(bytes);
      for (std::size_t p = 1; p <= kPeriodFigureCount; ++p)
        figures.periods[p - 1] = budget.period(p);
      break;
    }
    default:
      break;
  }
  return figures;
}

// Keeps the record in the saved copy of its file; the next read would overwrite it.
void SaveRecord(int file_number, std::string_view record, LoadedRecords* saved) {
  PeriodFigures figures = FiguresOf(file_number, record);
  switch (file_number) {
    case kIterateBalances:
      saved->this_year = figures;
      break;
    case kIterateBudgets:
      saved->budget = figures;
      break;
    case kIteratePriorComparatives:
      saved->last_year = figures;
      break;
    case kIterateComparatives:
      saved->alternative = figures;
      break;
    default:
      break;
  }
}

// The first account of the chart that the request selects: its number, kind and description.
struct FirstAccount {
  std::string number;
  int kind = kIncomeStatementAccount;
  std::string description;
};

// The description of the account `number` from the chart, read by key 0; empty when it is
// not there or the chart cannot be read.
std::string ChartDescription(const LedgerServices& services, CompanyContext& company,
                             std::string_view number) {
  LedgerFileSlot& slot = company.files[kAccountSlot];
  if (!slot.open && services.companies.OpenLedgerFile(company, kAccountFile) != 0) return {};
  ledger::LedgerKey key = ledger::AccountFileKey(number);
  key.value.resize(kKeyBufferSize, '\0');
  const unsigned char* record = nullptr;
  if (services.records.GetEqual(slot.position, &record, key.value.data(),
                                static_cast<int8_t>(key.key_number)) != 0) {
    return {};
  }
  const char* bytes = reinterpret_cast<const char*>(record);
  ledger::AccountRecordView account(std::span<const char>(bytes, services.records.record_length()));
  return std::string(TrimTrailingBlanks(CutTo(account.description(), 30)));
}

// A known account keeps the description of its first use, so the chart is read only for an
// account the list has not seen.
void TrackUse(const BalanceCollaborators& with, CompanyContext& company, const FirstAccount& first,
              std::string_view record) {
  const std::string_view number = record.substr(0, kAccountNumberWidth);
  const std::string account = DisplayAccount(number, company.segment_lengths);
  if (CountKnownAccountUse(company.used_accounts, account)) return;
  const std::string description =
      number == first.number ? first.description : ChartDescription(with.services, company, number);
  RecordAccountUse(company.used_accounts, account, description);
}

// 0 with `*amount` from the preload cache's table, or the first item's failure.
int SumFromPreload(const BalanceCollaborators& with, const CompanyContext& company,
                   const PeriodList& periods, const AmountTable& table, bool prior_year, int kind,
                   double* total) {
  for (const PeriodSpec& spec : periods) {
    if (spec.IsEnd()) break;
    PeriodWindow window;
    int code = WindowForCompany(spec, company, &window, with.services.errors);
    if (!IsWindowCode(code)) return code;
    double amount = 0;
    code = ExtractWindowAmount(window, table, prior_year, kind, &amount);
    if (code != 0) return code;
    *total += amount;
  }
  return 0;
}

}  // namespace

int ComputeBalance(double* total, const BalanceCollaborators& with, std::string_view company_code,
                   AccountRequest& request, const PeriodList& periods) {
  const LedgerServices& services = with.services;
  *total = 0;
  CompanyContext* company = services.companies.FindCompany(company_code);
  if (company == nullptr) return kAlreadyReported;
  if (company->status != 0) {
    services.companies.CheckCompany(*company);
    return company->status;
  }
  const int fiscal_year = LeadingInt(company->fiscal_year);
  const int requested_year = LeadingInt(request.year);
  // An earlier year is read from the comparative balances, whose records of that year
  // stand in for this year's balance records.
  const bool prior_year = fiscal_year > requested_year;

  if (int result = OpenEngineFiles(services, *company); result != 0) return result;

  AmountTable table;
  ClearAmountTable(&table);
  {
    PeriodWindow window;
    WindowForCompany(periods[0], *company, &window, services.errors);
    request.budget = window.budget != 0;
  }

  int preload_kind = -1;
  if (with.preload.Lookup(*company, request, periods, &table, &preload_kind) == 1) {
    return SumFromPreload(with, *company, periods, table, prior_year, preload_kind, total);
  }

  AccountIteration iteration(services);
  FirstAccount first;
  {
    int result = iteration.First(request, *company, kIterateChart, false);
    if (result == kIterationEnd || result == kNoMatchingAccounts) return kNoMatchingAccounts;
    if (result != kIterationRecord) return result;
    std::span<const char> bytes(iteration.record().data(), iteration.record().size());
    ledger::AccountRecordView account(bytes);
    first.number = std::string(account.account_number());
    first.kind = account.type() == "B" ? kBalanceSheetAccount : kIncomeStatementAccount;
    first.description = std::string(TrimTrailingBlanks(CutTo(account.description(), 30)));
  }

  LoadedRecords saved;
  for (const PeriodSpec& spec : periods) {
    if (spec.IsEnd()) break;
    ClearAmountTable(&table);
    const ItemPlan item = PlanItem(spec, *company, requested_year, services.errors);
    if (item.status != 0) return item.status;
    for (const Pass& pass : item.passes) {
      int result = iteration.First(request, *company, pass.file_number, true);
      if (result != kIterationRecord && pass.must_match) {
        return result == kIterationEnd ? kNoMatchingAccounts : result;
      }
      while (result == kIterationRecord) {
        const std::string_view record = iteration.record();
        SaveRecord(pass.file_number, record, &saved);
        if (with.collector != nullptr && *with.collector) {
          (*with.collector)(record.substr(0, kAccountNumberWidth));
        }
        if (with.usage_tracking) TrackUse(with, *company, first, record);
        FillAmountTable(saved, pass.load_code, first.kind, prior_year, company->period_count,
                        &table);
        result = iteration.Next();
      }
      // A walk that did not end cleanly (nothing matched with NA Label off, a stop, a
      // failed read) gives no amount for the item.
      if (result != kIterationEnd) return result;
    }

    double amount = 0;
    if (int result = ExtractWindowAmount(item.window, table, prior_year, first.kind, &amount);
        result != 0) {
      return result;
    }
    *total += amount;
  }
  return 0;
}

}  // namespace r7
