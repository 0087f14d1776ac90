// The worksheet budget write. (platform-independent)
#include "ledger/budget_writer.h"

#include <cstring>
#include <vector>

#include "base/error_codes.h"
#include "common/text_util.h"
#include "ledger/account_number.h"
#include "ledger/amount_text.h"
#include "ledger/budget_value.h"
#include "ledger/company_periods.h"
#include "ledger/ledger_keys.h"
#include "ledger/ledger_records.h"
#include "specifiers/account_specifier.h"
#include "specifiers/account_template.h"

namespace r7 {
namespace {

constexpr int kNoSuchAccount = 58;

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// The 24-character account number of a checked item 'main-profit center-department'.
std::string AccountNumberOfItem(std::string_view item) {
  std::string_view segments[3];
  for (int i = 0; i < 3; ++i) {
    std::size_t dash = item.find('-');
    segments[i] = item.substr(0, dash);
    item = dash == std::string_view::npos ? std::string_view() : item.substr(dash + 1);
  }
  return ledger::StoredAccountNumber(segments[0], segments[1], segments[2]);
}

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

// Puts the budget slot back to the read-only file the balance engine reads, whatever the
// write left in it.
class ReadOnlyBudgetRestorer {
 public:
  ReadOnlyBudgetRestorer(const LedgerServices& services, CompanyContext& company)
      : services_(services), company_(company) {}
  ~ReadOnlyBudgetRestorer() {
    LedgerFileSlot& slot = company_.files[kBudgetSlot];
    if (!slot.open) return;
    services_.records.Close(slot.position);
    slot.open = false;
    services_.companies.OpenLedgerFile(company_, kBudgetFile);
  }
  ReadOnlyBudgetRestorer(const ReadOnlyBudgetRestorer&) = delete;
  ReadOnlyBudgetRestorer& operator=(const ReadOnlyBudgetRestorer&) = delete;

 private:
  const LedgerServices& services_;
  CompanyContext& company_;
};

bool KeyNotFound(const LedgerServices& services) {
  return services.records.last_status() == btr::kKeyNotFound;
}

// Opens the budget file for writing and the chart, then updates or inserts the record of
// the account, year and revision with the period's value: 0, or the failure.
int WriteBudgetRecord(const LedgerServices& services, CompanyContext& company,
                      const std::string& account_number, const std::string& year,
                      const std::string& revision_code, std::size_t period,
                      const ledger::BudgetValue& value) {
  ErrorReporter& errors = services.errors;
  LedgerFileSlot& budget_slot = company.files[kBudgetSlot];
  if (budget_slot.open) {
    services.records.Close(budget_slot.position);
    budget_slot.open = false;
  }
  if (services.companies.OpenLedgerFile(company, kBudgetFileForWrite) != 0) {
    errors.SetError(kCantOpenFile, LedgerFileName(*FindLedgerFile(kBudgetFileForWrite)));
    return kCantOpenFile;
  }
  LedgerFileSlot& account_slot = company.files[kAccountSlot];
  if (!account_slot.open && services.companies.OpenLedgerFile(company, kAccountFile) != 0) {
    errors.SetError(kCantOpenFile, LedgerFileName(*FindLedgerFile(kAccountFile)));
    return kCantOpenFile;
  }

  // Key 0 of the budget file: account number, year, revision code.
  ledger::LedgerKey key = ledger::BudgetFileKey(account_number, year, revision_code,
                                                ledger::SegmentOrdering::kMainFirst, 1);
  std::vector<char> key_buffer(kKeyBufferSize, '\0');
  std::memcpy(key_buffer.data(), key.value.data(), std::min(key.value.size(), kKeyBufferSize));
  const unsigned char* found = nullptr;
  int result = services.records.GetEqual(budget_slot.position, &found, key_buffer.data(), 0);
  if (result == 0) {
    const uint16_t length = services.records.record_length();
    // A record too short to hold the periods cannot take the value.
    if (length < ledger::glbudfil::kRecordLength) return kBtrieveError;
    std::vector<char> record(reinterpret_cast<const char*>(found),
                             reinterpret_cast<const char*>(found) + length);
    ledger::BudgetRecordImage budget(std::span<char>(record.data(), record.size()));
    budget.set_period(period, value.amount);
    budget.set_text_amount(period, value.text_amount);
    return services.records.Update(budget_slot.position, record.data(), length, key_buffer.data(),
                                   0);
  }
  if (!KeyNotFound(services)) return result;

  ledger::LedgerKey chart_key = ledger::AccountFileKey(account_number);
  std::vector<char> chart_buffer(kKeyBufferSize, '\0');
  std::memcpy(chart_buffer.data(), chart_key.value.data(),
              std::min(chart_key.value.size(), kKeyBufferSize));
  result = services.records.GetEqual(account_slot.position, nullptr, chart_buffer.data(),
                                     static_cast<int8_t>(chart_key.key_number));
  if (result != 0) {
    if (!KeyNotFound(services)) return result;
    return kNoSuchAccount;
  }

  std::vector<char> record(ledger::glbudfil::kRecordLength, '\0');
  ledger::BudgetRecordImage budget(std::span<char>(record.data(), record.size()));
  budget.set_account_number(account_number);
  budget.set_year(year);
  budget.set_revision_code(revision_code);
  for (std::size_t p = 1; p <= ledger::kPeriodsPerRecord; ++p) {
    budget.set_text_amount(p, ledger::kZeroBudgetTextAmount);
    budget.set_period(p, 0.0);
  }
  budget.clear_reserved();
  budget.set_period(period, value.amount);
  budget.set_text_amount(period, value.text_amount);
  uint16_t length = static_cast<uint16_t>(record.size());
  return services.records.Insert(budget_slot.position, record.data(), &length, key_buffer.data(),
                                 0);
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
  if (request.year.size() != 4 || !AllDigits(request.year)) {
    errors.SetError(kInvalid, request.year);
    return kInvalid;
  }
  std::optional<std::string> revision_code =
      AllDigits(request.revision) ? ledger::RevisionCode(LeadingInt(request.revision))
                                  : std::nullopt;
  if (!revision_code) {
    errors.SetError(kInvalid, request.revision);
    return kInvalid;
  }
  std::string item;
  if (int code = CheckedAccountItem(services, company, request.specifier, &item); code != 0) {
    return code;
  }
  const std::string account_number = AccountNumberOfItem(item);

  int result = 0;
  int failed_status = 0;
  {
    ReadOnlyBudgetRestorer restorer(services, company);
    result = WriteBudgetRecord(services, company, account_number, request.year, *revision_code,
                               period, *value);
    failed_status = services.records.last_status();
  }
  // Reopening the file read-only checks a status of its own: the write's failure must
  // outlive it, so that the record manager's status stays with error 38.
  if (result == kBtrieveError) services.records.KeepLastStatus(failed_status);
  return result;
}

}  // namespace r7
