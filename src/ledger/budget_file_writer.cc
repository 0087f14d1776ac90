// Budget records written into one company's budget file. (platform-independent)
#include "ledger/budget_file_writer.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <vector>

#include "base/error_codes.h"
#include "common/text_util.h"
#include "ledger/account_number.h"
#include "ledger/amount_text.h"
#include "ledger/ledger_keys.h"

namespace r7 {
namespace {

constexpr int kNoSuchAccount = 58;

std::vector<char> KeyBuffer(const ledger::LedgerKey& key) {
  std::vector<char> buffer(kKeyBufferSize, '\0');
  std::memcpy(buffer.data(), key.value.data(), std::min(key.value.size(), kKeyBufferSize));
  return buffer;
}

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

bool IsBudgetYear(std::string_view year) {
  return year.size() == 4 && AllDigits(year);
}

std::optional<std::string> BudgetRevisionCode(std::string_view revision) {
  if (!AllDigits(revision) || revision.size() > 2) return std::nullopt;
  return ledger::RevisionCode(LeadingInt(revision));
}

std::optional<std::string> BudgetAccountNumber(std::string_view text) {
  std::string_view segments[kSegmentCount];
  for (int i = 0; i < kSegmentCount; ++i) {
    const std::size_t dash = text.find('-');
    segments[i] = text.substr(0, dash);
    if (segments[i].size() > kSegmentFieldWidth) return std::nullopt;
    if (dash == std::string_view::npos) {
      text = {};
      break;
    }
    text.remove_prefix(dash + 1);
    if (i == kSegmentCount - 1) return std::nullopt;  // a fourth segment
  }
  return ledger::StoredAccountNumber(segments[0], segments[1], segments[2]);
}

BudgetFileWriter::BudgetFileWriter(const LedgerServices& services, CompanyContext& company)
    : services_(services), company_(company) {}

BudgetFileWriter::~BudgetFileWriter() {
  if (in_group_) services_.records.AbortTransaction();
  LedgerFileSlot& slot = company_.files[kBudgetSlot];
  if (!slot.open) return;
  services_.records.Close(slot.position);
  slot.open = false;
  services_.companies.OpenLedgerFile(company_, kBudgetFile);
  // The reopen checked a status of its own: the failure of the write must outlive it.
  if (failed_status_ != 0) services_.records.KeepLastStatus(failed_status_);
}

int BudgetFileWriter::Open() {
  LedgerFileSlot& budget = company_.files[kBudgetSlot];
  if (budget.open) {
    services_.records.Close(budget.position);
    budget.open = false;
  }
  if (services_.companies.OpenLedgerFile(company_, kBudgetFileForWrite) != 0) {
    failure_ = Failure::kBudgetFile;
    return kCantOpenFile;
  }
  if (!company_.files[kAccountSlot].open &&
      services_.companies.OpenLedgerFile(company_, kAccountFile) != 0) {
    failure_ = Failure::kAccountFile;
    return kCantOpenFile;
  }
  return 0;
}

int BudgetFileWriter::Write(std::string_view account_number, std::string_view year,
                            std::string_view revision_code, const BudgetPeriodValues& values) {
  const int result = WriteRecord(account_number, year, revision_code, values);
  if (result == kBtrieveError) failed_status_ = services_.records.last_status();
  return result;
}

int BudgetFileWriter::WriteRecord(std::string_view account_number, std::string_view year,
                                  std::string_view revision_code,
                                  const BudgetPeriodValues& values) {
  RecordManager& records = services_.records;
  LedgerFileSlot& budget_slot = company_.files[kBudgetSlot];
  // Key 0 of the budget file: account number, year, revision code.
  std::vector<char> key = KeyBuffer(ledger::BudgetFileKey(account_number, year, revision_code,
                                                          ledger::SegmentOrdering::kMainFirst, 1));
  const unsigned char* found = nullptr;
  int result = records.GetEqual(budget_slot.position, &found, key.data(), 0);
  if (result == 0) {
    const uint16_t length = records.record_length();
    // A record too short to hold the periods cannot take the values.
    if (length < ledger::glbudfil::kRecordLength) return kBtrieveError;
    std::vector<char> record(reinterpret_cast<const char*>(found),
                             reinterpret_cast<const char*>(found) + length);
    ledger::BudgetRecordImage budget(std::span<char>(record.data(), record.size()));
    for (std::size_t p = 1; p <= ledger::kPeriodsPerRecord; ++p) {
      if (const auto& value = values[p - 1]) {
        budget.set_period(p, value->amount);
        budget.set_text_amount(p, value->text_amount);
      }
    }
    return records.Update(budget_slot.position, record.data(), length, key.data(), 0);
  }
  if (records.last_status() != btr::kKeyNotFound) return result;

  std::vector<char> chart_key = KeyBuffer(ledger::AccountFileKey(account_number));
  result = records.GetEqual(company_.files[kAccountSlot].position, nullptr, chart_key.data(),
                            static_cast<int8_t>(ledger::AccountFileKey(account_number).key_number));
  if (result != 0) {
    return records.last_status() == btr::kKeyNotFound ? kNoSuchAccount : result;
  }

  std::vector<char> record(ledger::glbudfil::kRecordLength, '\0');
  ledger::BudgetRecordImage budget(std::span<char>(record.data(), record.size()));
  budget.set_account_number(account_number);
  budget.set_year(year);
  budget.set_revision_code(revision_code);
  for (std::size_t p = 1; p <= ledger::kPeriodsPerRecord; ++p) {
    const auto& value = values[p - 1];
    budget.set_text_amount(
        p, value ? std::string_view(value->text_amount) : ledger::kZeroBudgetTextAmount);
    budget.set_period(p, value ? value->amount : 0.0);
  }
  budget.clear_reserved();
  uint16_t length = static_cast<uint16_t>(record.size());
  return records.Insert(budget_slot.position, record.data(), &length, key.data(), 0);
}

bool BudgetFileWriter::BeginGroup() {
  in_group_ = services_.records.BeginTransaction() == btr::kOk;
  return in_group_;
}

int BudgetFileWriter::EndGroup() {
  if (!in_group_) return 0;
  in_group_ = false;
  const int16_t status = services_.records.EndTransaction();
  if (status == btr::kOk) return 0;
  services_.records.AbortTransaction();
  failed_status_ = status;
  return services_.records.CheckStatus(status);
}

}  // namespace r7
