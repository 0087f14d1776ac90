// The budget table on the clipboard written into the budget file. (platform-independent)
#include "tools/budget/clipboard_budget_write.h"

#include <chrono>
#include <optional>
#include <string>

#include "base/error_codes.h"
#include "base/string_table.h"
#include "ledger/budget_file_writer.h"
#include "ledger/budget_value.h"
#include "tools/budget/budget_table.h"

namespace r7::budget {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kNoBudgetHeadings = 56;
constexpr int kNoSuchAccount = 58;
constexpr int kBudgetWriteFailed = 59;
constexpr int kBudgetWriteCompleted = 100;
constexpr int kBudgetWriteStopped = 7300;
constexpr int kAmountTooLarge = 7301;
constexpr int kLineTooLong = 7302;
constexpr int kCompanyUnavailable = 65;

// 27 characters and more cannot be three segments of 8 and their dashes.
constexpr std::size_t kMaxAccountTextLength = 26;

// A group is committed after this many lines or this long, whichever comes first: the
// counter moves several times a second, and a commit is paid for by many lines.
constexpr int kMaxLinesPerGroup = 500;
constexpr auto kMaxGroupTime = std::chrono::milliseconds(200);

// What stops the write: a message and its detail, shown once the lines before are committed.
struct Failure {
  int code = 0;
  std::string detail;
};

class TableWriter {
 public:
  TableWriter(const ToolContext& context, platform::WindowId dialog, BudgetFileWriter& file)
      : context_(context), dialog_(dialog), file_(file) {}

  // Writes the lines after the headings; false when one of them, a failed commit or the
  // user stopped the write. No box is shown while a group is open.
  bool WriteLines(const std::vector<std::string_view>& lines, const BudgetColumns& columns) {
    for (std::size_t i = 1; i < lines.size(); ++i) {
      if (lines[i].empty()) continue;
      std::vector<std::string> refused;
      std::optional<Failure> failure = WriteLine(i + 1, lines[i], columns, &refused);
      if (failure) {
        if (EndGroup()) Show(*failure);
        return false;
      }
      const bool full = !grouped_ || pending_ >= kMaxLinesPerGroup ||
                        Clock::now() - group_start_ >= kMaxGroupTime || !refused.empty();
      if (!full) continue;
      if (!EndGroup()) return false;
      for (const std::string& cell : refused) Show({kAmountTooLarge, cell});
      if (context_.messages.AbortCheck(dialog_)) return false;
    }
    return EndGroup();
  }

  int written() const { return written_; }

 private:
  // Line `number` of the table (the headings are line 1) into its record.
  std::optional<Failure> WriteLine(std::size_t number, std::string_view text,
                                   const BudgetColumns& columns,
                                   std::vector<std::string>* refused) {
    const Settings& settings = context_.settings;
    if (text.size() > kMaxTableLine) return Failure{kLineTooLong, "line " + std::to_string(number)};
    const BudgetLine line = ReadLine(text, columns);
    const std::optional<std::string> account = BudgetAccountNumber(line.account);
    if (!account || line.account.size() > kMaxAccountTextLength ||
        line.account.find_first_of("*?.,") != std::string::npos) {
      return Failure{kInvalid, ", " + line.account};
    }
    const std::string year = line.year.value_or(settings.budget_year);
    if (!IsBudgetYear(year)) return Failure{kInvalid, ", " + year};
    const std::string revision = line.revision.value_or(settings.budget_revision);
    const std::optional<std::string> revision_code = BudgetRevisionCode(revision);
    if (!revision_code) return Failure{kInvalid, ", " + revision};

    BudgetPeriodValues values;
    for (std::size_t p = 0; p < values.size(); ++p) {
      if (!line.cells[p]) continue;
      values[p] = ledger::CleanBudgetValue(*line.cells[p]);
      if (!values[p]) {
        refused->push_back(line.account + ", period " + std::to_string(p + 1) + ": " +
                           *line.cells[p]);
      }
    }
    if (!file_.in_group()) {
      grouped_ = file_.BeginGroup();
      group_start_ = Clock::now();
    }
    const int result = file_.Write(*account, year, *revision_code, values);
    if (result == kNoSuchAccount) return Failure{kNoSuchAccount, line.account};
    if (result != 0) return Failure{kBudgetWriteFailed, line.account};
    ++pending_;
    return std::nullopt;
  }

  // Commits the lines written since the last commit and shows their count; false when the
  // commit failed, and then none of them is in the file.
  bool EndGroup() {
    if (pending_ == 0) {
      file_.EndGroup();  // a group that holds nothing
      return true;
    }
    const int status = file_.EndGroup();
    const int lines = pending_;
    pending_ = 0;
    if (status != 0) {
      Show({kBudgetWriteFailed, ""});
      return false;
    }
    written_ += lines;
    context_.ui.Send(dialog_, platform::CommandMessage(kCountCommand, 0, written_));
    return true;
  }

  void Show(const Failure& failure) {
    context_.messages.ShowErrorBox(dialog_, failure.code, failure.detail);
  }

  const ToolContext& context_;
  const platform::WindowId dialog_;
  BudgetFileWriter& file_;
  bool grouped_ = false;
  Clock::time_point group_start_;
  int pending_ = 0;  // written in the open group, not yet committed
  int written_ = 0;  // committed
};

}  // namespace

WriteSummary WriteClipboardTable(const ToolContext& context, platform::WindowId dialog) {
  MessageCenter& messages = context.messages;
  const std::optional<std::string> text = context.clipboard.GetText();
  if (!text || text->empty()) {
    messages.ShowErrorBox(dialog, kNoClipboardData, "");
    return {};
  }
  const LedgerServices services = context.ledger(dialog);
  CompanyContext* company = services.companies.FindCompany(context.settings.budget_company);
  if (company == nullptr) {
    messages.ShowErrorBox(dialog, kCompanyUnavailable, context.settings.budget_company);
    return {};
  }
  if (company->status != 0) {
    messages.ShowErrorBox(dialog, company->status, company->code);
    return {};
  }

  WriteSummary summary;
  {
    // The budget slot holds the read-only file again when the writer goes.
    BudgetFileWriter file(services, *company);
    if (file.Open() != 0) {
      messages.ShowErrorBox(dialog, kCantOpenFile,
                            file.failure() == BudgetFileWriter::Failure::kBudgetFile
                                ? " glbudfil.btr"
                                : ", syactfil.btr");
      return {};
    }
    context.input.ShowWaitCursor();
    const std::vector<std::string_view> lines = TableLines(*text);
    const std::optional<BudgetColumns> columns = ReadHeadings(lines.front());
    if (lines.front().size() > kMaxTableLine) {
      messages.ShowErrorBox(dialog, kLineTooLong, "line 1");
    } else if (!columns) {
      messages.ShowErrorBox(dialog, kNoBudgetHeadings, "");
    } else {
      TableWriter writer(context, dialog, file);
      summary.completed = writer.WriteLines(lines, *columns);
      summary.lines_written = writer.written();
      if (!summary.completed) {
        messages.MessageBoxWrapper(dialog,
                                   std::string(StringText(kBudgetWriteStopped)) + " " +
                                       std::to_string(summary.lines_written),
                                   kCaption, platform::box::kOk | platform::box::kIconInformation);
      }
    }
  }
  context.input.ShowArrowCursor();
  if (summary.completed) {
    messages.MessageBoxById(dialog, kBudgetWriteCompleted, kCaption,
                            platform::box::kOk | platform::box::kIconInformation);
  }
  return summary;
}

}  // namespace r7::budget
