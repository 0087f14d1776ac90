// The fill of a chart copy. (platform-independent)
#include "tools/chart_copy/chart_fill.h"

#include <new>
#include <optional>
#include <span>
#include <vector>

#include "base/error_codes.h"
#include "common/text_util.h"
#include "ledger/account_iteration.h"
#include "ledger/account_records.h"
#include "ledger/company_stack.h"
#include "ledger/ledger_records.h"
#include "ledger/pass_plan.h"
#include "specifiers/account_number_text.h"
#include "specifiers/period_parser.h"

namespace r7::chart_copy {
namespace {

constexpr int kCompanyCreationError = 65;
constexpr int kNoAccountsFound = 66;
constexpr int kCompanyHasError = 68;
constexpr std::size_t kDescriptionWidth = 30;
// The first account row lies this many rows below the title row: an empty row between.
constexpr int kFirstRowBelowTitles = 2;

// The output block: it grows by whole steps, and refuses a row once it would have to grow
// past its limit (or memory runs out), keeping every row before. The steps bound what it
// may hold; the text itself grows as strings do, so that a long chart is not copied over
// and over.
class Block {
 public:
  explicit Block(std::size_t limit) : limit_(limit) {}

  bool Allocate() {
    if (limit_ < kBlockStep) return false;
    capacity_ = kBlockStep;
    try {
      text_.reserve(kBlockStep);
    } catch (const std::bad_alloc&) {
      return false;
    }
    return true;
  }

  bool Append(std::string_view row) {
    const std::size_t needed = text_.size() + row.size() + 1;  // and its terminator
    while (capacity_ < needed) {
      if (limit_ - capacity_ < kBlockStep) return false;
      capacity_ += kBlockStep;
    }
    try {
      text_ += row;
    } catch (const std::bad_alloc&) {
      return false;
    }
    return true;
  }

  std::string Take() { return std::move(text_); }

 private:
  std::size_t limit_;
  std::size_t capacity_ = 0;
  std::string text_;
};

FillResult Failed(Failure failure, int code = 0, std::string detail = {}) {
  FillResult result;
  result.failure = failure;
  result.code = code;
  result.detail = std::move(detail);
  return result;
}

// One period phrase of the request, planned for the company and year.
struct Phrase {
  std::string_view text;
  ItemPlan plan;
};

class Fill {
 public:
  Fill(const ToolContext& context, const ChartRequest& request, platform::WindowId window,
       const FillHooks& hooks, std::size_t block_limit)
      : context_(context),
        request_(request),
        services_(context.ledger(window)),
        hooks_(hooks),
        block_(block_limit) {}

  FillResult Run();

 private:
  std::optional<FillResult> WriteRow(std::string_view record);
  FillResult Finish(FillEnding ending) {
    FillResult result;
    result.ending = ending;
    result.text = block_.Take();
    result.accounts = accounts_;
    return result;
  }

  const ToolContext& context_;
  const ChartRequest& request_;
  const LedgerServices services_;
  const FillHooks& hooks_;
  Block block_;
  CompanyContext* company_ = nullptr;
  std::string company_code_;
  std::vector<Phrase> phrases_;
  std::optional<AccountRecordReader> reader_;
  AccountRecords records_;
  int accounts_ = 0;
};

FillResult Fill::Run() {
  ErrorReporter& errors = context_.errors;
  if (!block_.Allocate()) return Failed(Failure::kMessage, kClipboardAllocation);

  company_code_ = request_.company.substr(0, request_.company.find(','));
  if (CheckCompanySpecifier(company_code_, errors) != 0) {
    errors.Clear();
    return Failed(Failure::kMessage, kCompanyHasError);
  }
  company_ = services_.companies.FindCompany(company_code_);
  if (company_ == nullptr) return Failed(Failure::kMessage, kCompanyCreationError);
  if (company_->status != 0) {
    services_.companies.CheckCompany(*company_);
    return Failed(Failure::kPendingError);
  }
  const std::string specifier =
      request_.account.empty() ? AllAccountsSpecifier(company_->segment_count) : request_.account;

  // The period list points into the request's text, which outlives it.
  PeriodList periods;
  std::size_t phrase_count = 0;
  if (!TrimBlanks(request_.period).empty() &&
      !ParsePeriodSpecifier(request_.period, &periods, &phrase_count).ok()) {
    return Failed(Failure::kMessage, kInvalidPeriod);
  }

  const AccountRequest request = MakeAccountRequest(specifier, std::to_string(request_.year),
                                                    request_.revision, request_.range_type);
  reader_.emplace(services_, *company_, request);
  for (std::size_t i = 0; i < phrase_count; ++i) {
    Phrase phrase{periods[i].text, PlanItem(periods[i], *company_, request_.year, errors)};
    if (phrase.plan.status == 0) reader_->Include(phrase.plan.passes);
    phrases_.push_back(phrase);
  }
  errors.Clear();  // a phrase's failure is told when its first amount is asked

  // A ledger file that does not open leaves the walk without a first account, as a
  // specifier that matches nothing does.
  if (reader_->OpenFiles() != 0) {
    errors.Clear();
    return Failed(Failure::kMessage, kNoAccountsFound);
  }
  AccountIteration iteration(services_);
  int walk = iteration.First(request, *company_, kIterateChart, true);
  if (walk == kIterationStopped) return Finish(FillEnding::kStopped);
  // The walk's first call answers 1 both for "nothing, and unmatched items may pass" and
  // for a specifier whose syntax it reported.
  const bool reported = walk == kAlreadyReported && errors.pending();
  if (walk == kNoMatchingAccounts || (walk == kIterationEnd && !reported)) {
    errors.Clear();
    return Failed(Failure::kMessage, kNoAccountsFound);
  }
  if (walk != kIterationRecord) return Failed(Failure::kPendingError);

  if (!block_.Append(HeaderRow(company_code_, request_.year, request_.revision))) {
    return Finish(FillEnding::kBlockFull);
  }
  if (const std::string titles = TitleRow(request_.columns, request_.period); !titles.empty()) {
    if (!block_.Append(titles + "\r\n\r\n")) return Finish(FillEnding::kBlockFull);
  }
  for (; walk == kIterationRecord; walk = iteration.Next()) {
    if (std::optional<FillResult> ended = WriteRow(iteration.record())) return *ended;
    if (hooks_.stop_requested && hooks_.stop_requested()) return Finish(FillEnding::kStopped);
  }
  if (walk == kIterationEnd) return Finish(FillEnding::kComplete);
  if (walk == kIterationStopped) return Finish(FillEnding::kStopped);
  return Failed(Failure::kPendingError);  // a later item matched nothing, or a read failed
}

// Writes the row of one chart record; a result when the fill ends here.
std::optional<FillResult> Fill::WriteRow(std::string_view record) {
  const ChartColumns& columns = request_.columns;
  const std::string_view number = record.substr(0, kAccountNumberWidth);
  const ledger::AccountRecordView account(std::span<const char>(record.data(), record.size()));
  const std::string account_text = DisplayAccount(number, company_->segment_lengths);
  const int kind = account.type() == "B" ? kBalanceSheetAccount : kIncomeStatementAccount;
  if (!phrases_.empty() && reader_->Read(number, &records_) != 0) {
    return Failed(Failure::kPendingError);
  }

  std::string row;
  int cells = 0;
  auto add = [&row, &cells](std::string_view cell, int count = 1) {
    if (cells > 0) row += '\t';
    row += cell;
    cells += count;
  };
  if (columns.account) {
    add(AccountCells(account_text, columns), AccountCellCount(account_text, columns));
  }
  if (columns.description) {
    add(TrimTrailingBlanks(CutTo(account.description(), kDescriptionWidth)));
  }
  if (columns.origin) add(kind == kBalanceSheetAccount ? "B" : "P");

  bool all_zero = true;
  for (const Phrase& phrase : phrases_) {
    double amount = 0;
    int code = phrase.plan.status;
    if (code == 0) {
      code = AccountItemAmount(phrase.plan, records_, kind, *company_, request_.year, &amount);
    }
    if (code != 0) return Failed(Failure::kMessage, code, std::string(phrase.text));
    amount = RoundAndScale(amount, context_.settings);
    if (amount != 0) all_zero = false;
    if (columns.formulas == kNoFormulas) {
      add(context_.display_amounts.Format(amount));
      continue;
    }
    FormulaCell formula{.account = account_text,
                        .phrase = phrase.text,
                        .company = company_code_,
                        .year = request_.year,
                        .revision = request_.revision,
                        .row = kFirstRowBelowTitles + accounts_,
                        .column = cells,
                        .account_in_row = columns.account && !columns.separate_segments};
    add(columns.formulas == kLotusFormulas ? LotusFormula(formula) : ExcelFormula(formula));
  }
  row += "\r\n";

  if (request_.skip_zero && !phrases_.empty() && all_zero) return std::nullopt;
  if (!block_.Append(row)) return Finish(FillEnding::kBlockFull);
  ++accounts_;
  if (hooks_.row_written) hooks_.row_written(accounts_);
  return std::nullopt;
}

}  // namespace

FillResult FillChart(const ToolContext& context, const ChartRequest& request,
                     platform::WindowId window, const FillHooks& hooks, std::size_t block_limit) {
  return Fill(context, request, window, hooks, block_limit).Run();
}

}  // namespace r7::chart_copy
