// The Drill dialog. (platform-independent)
#include "tools/drill/drill_dialog.h"

#include <algorithm>
#include <memory>
#include <tuple>

#include "base/error_codes.h"
#include "base/string_table.h"
#include "common/text_util.h"
#include "resources/drill_dialog_ids.h"
#include "resources/period_wizard_ids.h"
#include "specifiers/account_specifier.h"
#include "specifiers/period_parser.h"
#include "tools/drill/drill_clip_text.h"
#include "tools/drill/drill_fill.h"
#include "tools/drill/drill_neighbours.h"
#include "tools/drill/drill_specifier.h"
#include "tools/ledger_boxes.h"
#include "tools/segment_lists.h"
#include "tools/tool_dialog.h"

namespace r7::drill {
namespace {

using platform::Message;
using platform::WindowId;
namespace message = platform::message;
namespace notify = platform::notify;

constexpr int kTransactionsEntry = 5440;
constexpr int kAccountsRead = 5452;
constexpr int kStoppedNote = 5453;
constexpr unsigned long kHelpTopic = 4;
constexpr std::size_t kMaxYear = 4;
constexpr std::size_t kMaxRevision = 2;
constexpr std::size_t kMaxPeriod = 50;
constexpr int kLastRevision = 99;
constexpr std::size_t kRepaintStep = 32;  // rows between repaints of a long fill

std::string RevisionText(int revision) {
  return (revision < 10 ? "0" : "") + std::to_string(revision);
}

class DrillDialog : public ToolDialog {
 public:
  explicit DrillDialog(const ToolContext& context) : ToolDialog(context, DialogKind::kDrill) {}

 private:
  void OnInit(WindowId self) override;
  bool OnCommand(WindowId self, int id, int notification) override;
  bool OnMessage(WindowId self, const Message& m) override;
  void OnClose(WindowId self) override { Quit(self); }

  void Reload(WindowId self);
  void FillChoosers(WindowId self, const CompanyContext* company);
  void Drill(WindowId self);
  void ShowFill(WindowId self, const FillResult& result);
  void ShowMode(WindowId self, Mode mode);
  void ApplyWidths(WindowId self);
  void ShowRows(WindowId self);
  void ShowRecords(WindowId self, bool stopped = false);
  void Sort(WindowId self, int column);
  void TakeRow(WindowId self, int display_row);
  void HandOver();
  void Quit(WindowId self);

  // The loaded company of `code`; null after showing why it could not be loaded.
  CompanyContext* LoadCompany(WindowId self, const std::string& code);
  std::string CompanyCode(WindowId self);
  DrillParameters ReadBoxes(WindowId self);
  Mode SelectedMode(WindowId self);
  int SelectedField(WindowId self);

  std::vector<int> fields_;  // the segment field of each drill segment entry
  RowList rows_;
  DrillParameters last_;   // the values of the last drill (or reload)
  DrillParameters drill_;  // the drill whose rows the list holds
  DrillClipText clip_;
};

void DrillDialog::OnInit(WindowId self) {
  context_.ui.SetButtonBitmaps(self, R7_DRILL_BUTTON, R7_DRILL_BITMAP_UP, R7_DRILL_BITMAP_DOWN);
  context_.ui.SetColumns(self, R7_DRILL_ROWS, ColumnsOf(Mode::kAccounts, context_.settings));
  Reload(self);
}

bool DrillDialog::OnCommand(WindowId self, int id, int notification) {
  switch (id) {
    case R7_DRILL_RELOAD:
    case R7_DRILL_CONTEXT_CHANGED:
      Reload(self);
      return true;
    case R7_DRILL_ROW_COUNT:
      ShowRecords(self);
      return true;
    case R7_DRILL_ACCOUNT_COLUMNS:
    case R7_DRILL_TRANSACTION_COLUMNS:
      // The options changed: the columns of the mode the list is in take them, and the
      // rows are painted again under the threshold.
      if ((id == R7_DRILL_TRANSACTION_COLUMNS) == (rows_.mode() == Mode::kTransactions)) {
        ApplyWidths(self);
        ShowRows(self);
      }
      return true;
    case R7_PWIZ_COMPOSED:
      context_.ui.SetControlText(
          self, R7_DRILL_PERIOD,
          context_.session.explicit_dates
              ? context_.session.drill.period
              : context_.ui.ControlText(context_.dialogs.Handle(DialogKind::kPeriodWizard),
                                        R7_PWIZ_TEXT));
      return true;
    case R7_PWIZ_INITIALISED:
      context_.session.period_wizard_company = CompanyCode(self);
      return true;
    case R7_PWIZ_PERIODS_CHANGED:
      if (SelectedMode(self) == Mode::kTransactions) {
        context_.session.explicit_dates = true;
        context_.session.drill.period.clear();
      }
      return true;
    case R7_PWIZ_CLOSED:
      return true;
    default:
      break;
  }
  if (notification != notify::kClicked) return false;
  switch (id) {
    case platform::kOkButton:
    case R7_DRILL_BUTTON:
      Drill(self);
      return true;
    case R7_DRILL_SEND:
      clip_.Send(rows_, drill_, context_.settings);
      return true;
    case R7_DRILL_TO_CHART:
      OpenChartCopy(context_, self, ReadBoxes(self));
      return true;
    case R7_DRILL_ACCOUNTS_BUTTON:
      OpenAccountEnquiry(context_, self, context_.ui.ControlText(self, R7_DRILL_ACCOUNTS));
      return true;
    case R7_DRILL_PERIOD_BUTTON:
      OpenPeriodWizard(context_, self, ReadBoxes(self));
      return true;
    case R7_DRILL_ADVANCED:
      OpenOptions(context_);
      return true;
    case R7_DRILL_HELP:
      context_.help.Open(self, "Tessary.HLP", kHelpContext, kHelpTopic);
      return true;
    case platform::kCancelButton:
    case kCloseAndCleanUp:
      Quit(self);
      return true;
    default:
      return false;
  }
}

bool DrillDialog::OnMessage(WindowId self, const Message& m) {
  switch (m.id) {
    case message::kActivate:
      // The text goes to the clipboard when the user turns to the sheet to paste it.
      if (platform::IsActivation(m)) {
        clip_.Reset();
      } else {
        HandOver();
      }
      return false;
    case message::kListColumnClick:
      if (static_cast<int>(m.wparam) != R7_DRILL_ROWS) return false;
      Sort(self, static_cast<int>(m.lparam));
      return true;
    case message::kListDoubleClick:
      if (static_cast<int>(m.wparam) != R7_DRILL_ROWS) return false;
      TakeRow(self, static_cast<int>(m.lparam));
      return true;
    case message::kPaintListRow: {
      auto* paint = reinterpret_cast<platform::RowPaint*>(m.lparam);
      if (paint == nullptr || paint->control != R7_DRILL_ROWS || paint->row < 0 ||
          static_cast<std::size_t>(paint->row) >= rows_.size()) {
        return false;
      }
      PaintRow(*paint, rows_.Shown(static_cast<std::size_t>(paint->row)),
               context_.settings.drill_highlight_threshold);
      return true;
    }
    default:
      return false;
  }
}

CompanyContext* DrillDialog::LoadCompany(WindowId self, const std::string& code) {
  CompanyContext* company = context_.ledger(self).companies.FindCompany(code);
  if (company == nullptr) {
    context_.show_pending_error(self);
    return nullptr;
  }
  if (company->status != 0) {
    context_.errors.Clear();
    context_.messages.ShowErrorBox(self, company->status, code);
    return nullptr;
  }
  return company;
}

// The drill starts over from the figure the worksheet computed last.
void DrillDialog::Reload(WindowId self) {
  DrillContext& drill = context_.session.drill;
  last_ = {drill.company, drill.account, drill.year, drill.budget_revision, drill.period, {}, 0};
  CompanyContext* company = LoadCompany(self, drill.company);
  if (company == nullptr) drill.company.clear();

  platform::UserInterface& ui = context_.ui;
  ui.ClearEntries(self, R7_DRILL_SEGMENT);
  fields_ = company != nullptr ? segment_lists::SegmentFields(*company) : std::vector<int>{0, 1, 2};
  for (int field : fields_) {
    ui.AddEntry(self, R7_DRILL_SEGMENT,
                company != nullptr ? segment_lists::SegmentTitle(context_, *company, field)
                                   : "Segment " + std::to_string(field + 1));
  }
  ui.AddEntry(self, R7_DRILL_SEGMENT, StringText(kTransactionsEntry));
  const int last_entry = static_cast<int>(fields_.size());
  ui.SelectEntry(self, R7_DRILL_SEGMENT, std::clamp(drill.segment, 0, last_entry));
  ui.ShowDropDown(self, R7_DRILL_SEGMENT, true);

  drill.range_type = kRangeAllSegments;
  PeriodList periods;
  if (!ParsePeriodSpecifier(drill.period, &periods).ok()) {
    context_.messages.ShowErrorBox(self, kInvalidPeriod, "");
    drill.period = "Month";
    ParsePeriodSpecifier(drill.period, &periods);
  }
  ui.SetControlText(self, R7_DRILL_ACCOUNTS, drill.account);
  ui.SetControlText(self, R7_DRILL_PERIOD, drill.period);
  FillChoosers(self, company);
  ui.SetControlText(self, R7_DRILL_RECORDS, "0");
  if (company != nullptr) DeriveDates(context_.session, *company, periods);
  ShowMode(self, SelectedMode(self));
}

// Company, year and revision, each showing the DrillContext's; a value the list lacks is
// added to it, so that the dialog can drill what the sheet computed.
void DrillDialog::FillChoosers(WindowId self, const CompanyContext* company) {
  platform::UserInterface& ui = context_.ui;
  const DrillContext& drill = context_.session.drill;
  auto fill = [&](int control, const std::vector<std::string>& entries, const std::string& value,
                  auto matches) {
    ui.ClearEntries(self, control);
    int selected = -1;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (selected < 0 && matches(entries[i])) selected = static_cast<int>(i);
      ui.AddEntry(self, control, entries[i]);
    }
    if (selected < 0 && !value.empty()) {
      selected = static_cast<int>(entries.size());
      ui.AddEntry(self, control, value);
    }
    ui.SelectEntry(self, control, selected);
  };
  fill(R7_DRILL_COMPANY, context_.company_dir_list(), drill.company, [&](const std::string& entry) {
    return CompanyCodesMatch(ledger_boxes::CompanyCodeOfEntry(entry), drill.company);
  });
  std::vector<std::string> years;
  if (company != nullptr) {
    for (int year : context_.ledger(self).companies.YearList(*company)) {
      years.push_back(std::to_string(year));
    }
  }
  fill(R7_DRILL_YEAR, years, drill.year,
       [&](const std::string& entry) { return entry == TrimBlanks(drill.year); });
  std::vector<std::string> revisions;
  for (int revision = 1; revision <= kLastRevision; ++revision) {
    revisions.push_back(RevisionText(revision));
  }
  fill(R7_DRILL_REVISION, revisions, drill.budget_revision,
       [&](const std::string& entry) { return entry == drill.budget_revision; });
}

std::string DrillDialog::CompanyCode(WindowId self) {
  return ledger_boxes::CompanyCodeOfEntry(context_.ui.ControlText(self, R7_DRILL_COMPANY));
}

DrillParameters DrillDialog::ReadBoxes(WindowId self) {
  platform::UserInterface& ui = context_.ui;
  DrillParameters read;
  read.company = CompanyCode(self);
  read.accounts = CutTo(ui.ControlText(self, R7_DRILL_ACCOUNTS), kMaxAccountSpecifier);
  read.year = CutTo(ui.ControlText(self, R7_DRILL_YEAR), kMaxYear);
  read.revision = CutTo(ui.ControlText(self, R7_DRILL_REVISION), kMaxRevision);
  read.period = CutTo(ui.ControlText(self, R7_DRILL_PERIOD), kMaxPeriod);
  return read;
}

Mode DrillDialog::SelectedMode(WindowId self) {
  const int selected = context_.ui.SelectedEntry(self, R7_DRILL_SEGMENT);
  return selected >= static_cast<int>(fields_.size()) ? Mode::kTransactions : Mode::kAccounts;
}

int DrillDialog::SelectedField(WindowId self) {
  const int selected = context_.ui.SelectedEntry(self, R7_DRILL_SEGMENT);
  if (selected < 0 || selected >= static_cast<int>(fields_.size())) return 0;
  return fields_[static_cast<std::size_t>(selected)];
}

// The list takes the columns of `mode`; rows of the other mode go.
void DrillDialog::ShowMode(WindowId self, Mode mode) {
  if (mode == rows_.mode()) {
    ApplyWidths(self);
    return;
  }
  rows_.Clear(mode);
  context_.ui.ClearRows(self, R7_DRILL_ROWS);
  context_.ui.SetColumns(self, R7_DRILL_ROWS, ColumnsOf(mode, context_.settings));
}

// The options' widths on the columns there are: rebuilding the columns would take the
// rows' cells with them on Windows.
void DrillDialog::ApplyWidths(WindowId self) {
  const std::vector<platform::ListColumn> columns = ColumnsOf(rows_.mode(), context_.settings);
  for (std::size_t i = 0; i < columns.size(); ++i) {
    context_.ui.SetColumnWidth(self, R7_DRILL_ROWS, static_cast<int>(i), columns[i].width);
  }
}

void DrillDialog::ShowRows(WindowId self) {
  context_.ui.ClearRows(self, R7_DRILL_ROWS);
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    context_.ui.AddRow(self, R7_DRILL_ROWS, rows_.Shown(i).cells);
  }
}

void DrillDialog::ShowRecords(WindowId self, bool stopped) {
  std::string text = std::to_string(rows_.size());
  if (stopped) text += " " + std::string(StringText(kStoppedNote));
  context_.ui.SetControlText(self, R7_DRILL_RECORDS, text);
}

void DrillDialog::Drill(WindowId self) {
  platform::UserInterface& ui = context_.ui;
  SessionState& session = context_.session;
  const Mode mode = SelectedMode(self);
  ShowMode(self, mode);
  DrillParameters now = ReadBoxes(self);
  CompanyContext* company = LoadCompany(self, now.company);
  ui.SetControlText(self, R7_DRILL_RECORDS, "0");
  if (company == nullptr) return;
  PeriodList periods;
  if (!ParsePeriodSpecifier(now.period, &periods).ok()) {
    context_.errors.Clear();
    context_.messages.ShowErrorBox(self, kInvalidPeriod, now.period);
    return;
  }
  if (TrimBlanks(now.accounts).empty()) now.accounts = AllAccountsSpecifier(company->segment_count);
  now.accounts = FirstPiece(now.accounts);
  ui.SetControlText(self, R7_DRILL_ACCOUNTS, now.accounts);
  now.segment = SelectedField(self);
  const auto key = [](const DrillParameters& p) {
    return std::tie(p.company, p.accounts, p.revision, p.year, p.period);
  };
  if (key(now) != key(last_)) clip_.RewriteHeader();
  last_ = now;

  context_.input.ShowWaitCursor();
  rows_.Clear(mode);
  ui.ClearRows(self, R7_DRILL_ROWS);
  FillHooks hooks;
  hooks.reading = [&](std::size_t accounts) {
    ui.SetControlText(self, R7_DRILL_RECORDS,
                      std::string(StringText(kAccountsRead)) + std::to_string(accounts));
    context_.input.Repaint(self);
  };
  hooks.add = [&](Row row) {
    ui.AddRow(self, R7_DRILL_ROWS, row.cells);
    rows_.Add(std::move(row));
    ui.Send(self, platform::CommandMessage(R7_DRILL_ROW_COUNT));
    if (rows_.size() % kRepaintStep == 0) context_.input.Repaint(self);
    return !context_.messages.AskToStop(self, kOkToStopDrill);
  };
  const AccountRequest request = MakeAccountRequest(now.accounts, now.year, now.revision);
  FillResult result;
  if (mode == Mode::kAccounts) {
    result = FillAccounts(context_, self, *company, request, periods, now.segment, hooks);
  } else {
    session.period_wizard_company = now.company;
    DeriveDates(session, *company, periods);
    now.dates = session.current_dates;
    result = FillTransactions(context_, self, *company, request, session.transaction_type, hooks);
  }
  drill_ = now;
  ShowFill(self, result);
  context_.input.ShowArrowCursor();
}

// The total only when the rows are all there: a stopped or failed fill shows none.
void DrillDialog::ShowFill(WindowId self, const FillResult& result) {
  platform::UserInterface& ui = context_.ui;
  switch (result.end) {
    case FillEnd::kComplete:
      ui.SetControlText(self, R7_DRILL_TOTAL, context_.display_amounts.Format(result.total));
      ShowRecords(self);
      return;
    case FillEnd::kStopped:
      context_.errors.Clear();
      ui.SetControlText(self, R7_DRILL_TOTAL, "");
      ShowRecords(self, true);
      return;
    case FillEnd::kFailed:
      ui.SetControlText(self, R7_DRILL_TOTAL, "");
      ShowRecords(self);
      if (result.status == kCantOpenFile) {
        context_.messages.ShowErrorBox(self, kCantOpenFile, drill_.company);
        return;
      }
      if (rows_.mode() == Mode::kAccounts) {
        const int code =
            result.status == kAlreadyReported ? context_.errors.last_code() : result.status;
        context_.errors.Clear();
        context_.messages.ShowErrorBox(self, code, drill_.accounts);
        ui.FocusControl(self, R7_DRILL_ACCOUNTS);
      } else {
        context_.show_pending_error(self);
      }
      return;
  }
}

void DrillDialog::Sort(WindowId self, int column) {
  rows_.SortBy(column, context_.settings.drill_absolute_sort != 0);
  ShowRows(self);
}

// The row's accounts go into the accounts box for the next drill.
void DrillDialog::TakeRow(WindowId self, int display_row) {
  if (display_row < 0 || static_cast<std::size_t>(display_row) >= rows_.size()) return;
  const Row& row = rows_.Shown(static_cast<std::size_t>(display_row));
  context_.ui.SetControlText(self, R7_DRILL_ACCOUNTS, row.cells[kAccountColumn]);
  constexpr std::size_t kCompanyColumn = 3;
  if (rows_.mode() == Mode::kAccounts && !row.cells[kCompanyColumn].empty()) {
    context_.ui.SetControlText(self, R7_DRILL_COMPANY, row.cells[kCompanyColumn]);
  }
}

void DrillDialog::HandOver() {
  if (std::optional<std::string> text = clip_.Take()) context_.clipboard.SetText(*text);
}

// Closing hands the text over too: the silent drill sends and closes without ever losing
// the activation, and its text must reach the clipboard.
void DrillDialog::Quit(WindowId self) {
  HandOver();
  rows_.Clear(rows_.mode());
  context_.ui.ClearRows(self, R7_DRILL_ROWS);
  for (DialogKind kind : {DialogKind::kPeriodWizard, DialogKind::kTransactionFields}) {
    const WindowId open = context_.dialogs.Handle(kind);
    if (open != platform::kNoWindow && context_.ui.IsWindow(open)) {
      context_.ui.Send(open, platform::CommandMessage(kCloseAndCleanUp));
    }
  }
  context_.ui.DestroyWindow(self);
}

}  // namespace

WindowId OpenDrillDialog(const ToolContext& context, WindowId owner) {
  return ToolDialog::Open(std::make_shared<DrillDialog>(context), "DRILL", owner);
}

}  // namespace r7::drill
