// One account's records read by key, and an item's amount from them. (platform-independent)
#include "ledger/account_records.h"

#include <span>

#include "base/error_codes.h"
#include "common/text_util.h"
#include "ledger/amount_text.h"
#include "ledger/ledger_keys.h"
#include "ledger/ledger_records.h"
#include "specifiers/dates.h"

namespace r7 {
namespace {

using ledger::SegmentOrdering;

PeriodFigures ActualFigures(std::string_view record, bool comparative) {
  const std::span<const char> bytes(record.data(), record.size());
  PeriodFigures figures;
  if (comparative) {
    ledger::ComparativeRecordView view(bytes);
    figures.opening = ledger::ParseAmountText(view.opening());
    for (std::size_t p = 1; p <= kPeriodFigureCount; ++p) figures.periods[p - 1] = view.period(p);
  } else {
    ledger::BalanceRecordView view(bytes);
    figures.opening = ledger::ParseAmountText(view.opening());
    for (std::size_t p = 1; p <= kPeriodFigureCount; ++p) figures.periods[p - 1] = view.period(p);
  }
  return figures;
}

// The ledger file that holds the records of an iteration file number.
const LedgerFileInfo& YearFile(int file_number) {
  const int index = file_number == kIterateBalances  ? kBalanceFile
                    : file_number == kIterateBudgets ? kBudgetFile
                                                     : kComparativeFile;
  return *FindLedgerFile(index);
}

PeriodFigures BudgetFigures(std::string_view record) {
  ledger::BudgetRecordView view(std::span<const char>(record.data(), record.size()));
  PeriodFigures figures;
  for (std::size_t p = 1; p <= kPeriodFigureCount; ++p) figures.periods[p - 1] = view.period(p);
  return figures;
}

}  // namespace

AccountRecordReader::AccountRecordReader(const LedgerServices& services, CompanyContext& company,
                                         const AccountRequest& request)
    : services_(services),
      company_(company),
      year_(request.year),
      prior_year_text_(FourDigitYear(LeadingInt(request.year) - 1)),
      revision_code_(ledger::RevisionCode(LeadingInt(request.revision)).value_or("")),
      earlier_year_(LeadingInt(company.fiscal_year) > LeadingInt(request.year)) {}

int AccountRecordReader::OpenFiles() {
  for (int index : {kAccountFile, kBalanceFile, kBudgetFile, kComparativeFile}) {
    if (index == kBalanceFile && earlier_year_) continue;
    const LedgerFileInfo& file = *FindLedgerFile(index);
    if (company_.files[file.slot].open) continue;
    if (int result = services_.companies.OpenLedgerFile(company_, file.index); result != 0) {
      services_.errors.SetError(result, file.base_name);
      return result;
    }
  }
  return 0;
}

void AccountRecordReader::Include(const PassPlan& passes) {
  for (const Pass& pass : passes) included_[static_cast<std::size_t>(pass.file_number)] = true;
}

int AccountRecordReader::Read(std::string_view account_number, AccountRecords* records) {
  records->found.fill(false);
  for (int file :
       {kIterateBalances, kIterateBudgets, kIteratePriorComparatives, kIterateComparatives}) {
    if (!included_[static_cast<std::size_t>(file)]) continue;
    if (int result = ReadOne(file, account_number, records); result != 0) return result;
  }
  return 0;
}

int AccountRecordReader::ReadOne(int file_number, std::string_view account_number,
                                 AccountRecords* records) {
  const LedgerFileInfo& info = YearFile(file_number);
  LedgerFileSlot& file = company_.files[info.slot];
  ledger::LedgerKey key;
  switch (file_number) {
    case kIterateBalances:
      key = ledger::BalanceFileKey(account_number, SegmentOrdering::kMainFirst, file.key_count);
      break;
    case kIterateBudgets:
      if (revision_code_.empty()) return 0;  // no revision: no budget record carries it
      key = ledger::BudgetFileKey(account_number, year_, revision_code_,
                                  SegmentOrdering::kMainFirst, file.key_count);
      break;
    case kIteratePriorComparatives:
      key = ledger::ComparativeFileKey(account_number, prior_year_text_,
                                       SegmentOrdering::kMainFirst, file.key_count);
      break;
    default:
      key = ledger::ComparativeFileKey(account_number, year_, SegmentOrdering::kMainFirst,
                                       file.key_count);
      break;
  }
  // A file that was closed meanwhile (another company took its handle) opens again.
  if (!file.open) {
    if (int result = services_.companies.OpenLedgerFile(company_, info.index); result != 0) {
      services_.errors.SetError(result, info.base_name);
      return result;
    }
  }
  key.value.resize(kKeyBufferSize, '\0');
  RecordManager& manager = services_.records;
  if (manager.GetEqual(file.position, nullptr, key.value.data(),
                       static_cast<int8_t>(key.key_number)) != 0) {
    const int status = manager.last_status();
    if (status == btr::kKeyNotFound || status == btr::kEndOfFile) return 0;
    services_.errors.SetError(kBtrieveError, info.base_name);
    return kBtrieveError;
  }
  const std::string_view record(reinterpret_cast<const char*>(manager.record_buffer()),
                                manager.record_length());
  LoadedRecords& figures = records->figures;
  switch (file_number) {
    case kIterateBalances:
      figures.this_year = ActualFigures(record, false);
      break;
    case kIterateBudgets:
      figures.budget = BudgetFigures(record);
      break;
    case kIteratePriorComparatives:
      figures.last_year = ActualFigures(record, true);
      break;
    default:
      figures.alternative = ActualFigures(record, true);
      break;
  }
  records->found[static_cast<std::size_t>(file_number)] = true;
  return 0;
}

int AccountItemAmount(const ItemPlan& item, const AccountRecords& records, int account_kind,
                      const CompanyContext& company, int request_year, double* amount) {
  const bool earlier_year = LeadingInt(company.fiscal_year) > request_year;
  AmountTable table;
  ClearAmountTable(&table);
  for (const Pass& pass : item.passes) {
    if (!records.found[static_cast<std::size_t>(pass.file_number)]) continue;
    FillAmountTable(records.figures, pass.load_code, account_kind, earlier_year,
                    company.period_count, &table);
  }
  return ExtractWindowAmount(item.window, table, earlier_year, account_kind, amount);
}

}  // namespace r7
