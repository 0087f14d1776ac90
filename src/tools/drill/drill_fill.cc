// The ledger work of one drill. (platform-independent)
#include "tools/drill/drill_fill.h"

#include <cstdio>
#include <set>
#include <string>

#include "base/error_codes.h"
#include "common/text_util.h"
#include "ledger/account_info.h"
#include "ledger/account_iteration.h"
#include "ledger/amount_text.h"
#include "ledger/balance_engine.h"
#include "ledger/ledger_records.h"
#include "specifiers/account_number_text.h"
#include "tools/drill/drill_specifier.h"

namespace r7::drill {
namespace {

constexpr std::size_t kProgressStep = 256;
constexpr std::string_view kNoDescription = "NA";

// The collector is the driver's: it must not outlive the walk that fills these locals.
class CollectorScope {
 public:
  CollectorScope(SegmentValueCollector& collector, SegmentValueCollector walk)
      : collector_(collector) {
    collector_ = std::move(walk);
  }
  ~CollectorScope() { collector_ = nullptr; }
  CollectorScope(const CollectorScope&) = delete;
  CollectorScope& operator=(const CollectorScope&) = delete;

 private:
  SegmentValueCollector& collector_;
};

bool TypeTakes(int type, double amount) {
  if (type == kDebitTransactions) return amount >= 0;
  if (type == kCreditTransactions) return amount < 0;
  return true;
}

// 'YYYYMMDD' as a date; the empty date when the field holds something else.
CalendarDay DateOf(std::string_view field) {
  if (field.size() != 8) return {};
  for (char c : field) {
    if (c < '0' || c > '9') return {};
  }
  return {LeadingInt(field.substr(6, 2)), LeadingInt(field.substr(4, 2)),
          LeadingInt(field.substr(0, 4))};
}

std::string DateText(const CalendarDay& date, std::string_view field) {
  if (date.year == 0) return std::string(TrimBlanks(field));
  char text[32];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.month, date.day, date.year);
  return text;
}

}  // namespace

FillResult FillAccounts(const ToolContext& context, platform::WindowId window,
                        CompanyContext& company, const AccountRequest& request,
                        const PeriodList& periods, int field, const FillHooks& hooks) {
  const LedgerServices services = context.ledger(window);
  std::set<std::string> values;
  FillResult result;
  {
    const std::size_t offset = static_cast<std::size_t>(field) * kSegmentFieldWidth;
    const int length = company.segment_lengths[static_cast<std::size_t>(field)];
    std::size_t accounts = 0;
    CollectorScope collecting(context.segment_collector, [&](std::string_view number) {
      values.emplace(DisplaySegment(number.substr(offset, kSegmentFieldWidth), length));
      if (++accounts % kProgressStep == 0 && hooks.reading) hooks.reading(accounts);
    });
    AccountRequest whole = request;
    const int status =
        ComputeBalance(&result.total, context.balance(services), company.code, whole, periods);
    if (status == kIterationStopped) return {FillEnd::kStopped, status, 0};
    if (status != 0) return {FillEnd::kFailed, status, 0};
  }
  const BalanceCollaborators with = context.balance(services);  // the collector is off
  const AccountRequest described = MakeAccountRequest("", request.year, request.revision);
  for (const std::string& value : values) {
    AccountRequest row_request = request;
    row_request.specifier =
        CutTo(ReplaceSegment(request.specifier, field, value), kMaxAccountSpecifier);
    double balance = 0;
    const int status = ComputeBalance(&balance, with, company.code, row_request, periods);
    if (status == kIterationStopped) return {FillEnd::kStopped, status, 0};
    if (status != 0) balance = 0;
    std::string description;
    if (SegmentDescription(description, services, value, field + 1, company.code, described) != 0) {
      description = kNoDescription;
    }
    context.errors.Clear();  // a row's own messages are not the user's business
    Row row;
    row.cells = {row_request.specifier, description, context.display_amounts.Format(balance), "",
                 ""};
    row.amount = balance;
    if (!hooks.add(std::move(row))) return {FillEnd::kStopped, kIterationStopped, 0};
  }
  return result;
}

FillResult FillTransactions(const ToolContext& context, platform::WindowId window,
                            CompanyContext& company, const AccountRequest& request, int type,
                            const FillHooks& hooks) {
  const LedgerServices services = context.ledger(window);
  if (!company.files[kTransactionSlot].open &&
      services.companies.OpenLedgerFile(company, kTransactionFile) != 0) {
    context.errors.Clear();
    return {FillEnd::kFailed, kCantOpenFile, 0};
  }
  const Settings& settings = context.settings;
  AccountIteration iteration(services);
  FillResult result;
  int status = iteration.First(request, company, kIterateTransactions, true);
  for (; status == kIterationRecord; status = iteration.Next()) {
    const std::string_view record = iteration.record();
    const ledger::TransactionRecordView transaction(
        std::span<const char>(record.data(), record.size()));
    const double amount = ledger::ParseAmountText(transaction.amount());
    if (!TypeTakes(type, amount)) continue;
    result.total += amount;
    Row row;
    row.date = DateOf(transaction.date());
    auto optional = [](int option, std::string_view text) {
      return option != 0 ? std::string(TrimTrailingBlanks(text)) : std::string();
    };
    row.cells = {
        DisplayAccount(record.substr(0, kAccountNumberWidth), company.segment_lengths),
        DateText(row.date, transaction.date()),
        context.display_amounts.Format(amount),
        std::string(TrimTrailingBlanks(transaction.reference())),
        optional(settings.trans_flag, transaction.flag()),
        optional(settings.trans_source, transaction.source()),
        optional(settings.trans_id, transaction.id()),
    };
    row.amount = amount;
    if (!hooks.add(std::move(row))) return {FillEnd::kStopped, kIterationStopped, 0};
  }
  // No transaction in the dates is an empty list, not a failure.
  if (status == kIterationEnd || status == kNoMatchingAccounts) {
    context.errors.Clear();
    return result;
  }
  if (status == kIterationStopped) return {FillEnd::kStopped, status, 0};
  return {FillEnd::kFailed, status, 0};
}

}  // namespace r7::drill
