// The chart copy dialog. (platform-independent)
#include "tools/chart_copy/chart_copy_dialog.h"

#include <string>

#include "base/error_codes.h"
#include "base/string_table.h"
#include "common/text_util.h"
#include "host/help_opener.h"
#include "resources/chart_copy_ids.h"
#include "resources/period_wizard_ids.h"
#include "specifiers/account_specifier.h"
#include "tools/chart_copy/chart_fill.h"
#include "tools/ledger_boxes.h"
#include "tools/tool_dialog.h"
#include "tools/tool_launch.h"

namespace r7::chart_copy {
namespace {

using platform::Message;
using platform::WindowId;
namespace box = platform::box;
namespace notify = platform::notify;

constexpr unsigned long kHelpTopic = 3;
constexpr int kViewerNotStarted = 201;
constexpr int kBlockFullBefore = 202;
constexpr int kBlockFullAfter = 203;
constexpr int kStopQuestion = 204;
constexpr int kStoppedCount = 205;
constexpr int kCopiedCount = 206;
constexpr std::string_view kViewer = "CLIPBRD.EXE";

constexpr std::size_t kMaxAccountText = 662;
constexpr std::size_t kMaxPeriodText = 512;
constexpr std::size_t kMaxRevisionRead = 2;
constexpr std::size_t kMaxWizardPeriod = 50;
constexpr int kEarliestYear = 1989;
// The match count is shown at every row; the dialog is painted again this often.
constexpr int kRepaintRows = 256;

// The range type's text and back: "RNG" 0, "RNG1" 1, anything else 2.
std::string_view RangeTypeText(int range_type) {
  return range_type == 0 ? "RNG" : range_type == 1 ? "RNG1" : "R7";
}
int RangeTypeOf(std::string_view text) {
  return text == "RNG" ? 0 : text == "RNG1" ? 1 : 2;
}

struct CheckSetting {
  int control;
  int Settings::*setting;
};
constexpr CheckSetting kChecks[] = {
    {R7_CHART_SHOW_ACCOUNT, &Settings::chart_show_account},
    {R7_CHART_SHOW_DESCRIPTION, &Settings::chart_show_description},
    {R7_CHART_SHOW_ORIGIN, &Settings::chart_show_origin},
    {R7_CHART_PREPEND_QUOTE, &Settings::prepend_account},
    {R7_CHART_SKIP_ZERO, &Settings::skip_zero_accounts},
};

class ChartCopyDialog : public ToolDialog {
 public:
  ChartCopyDialog(const ToolContext& context, std::shared_ptr<ChartMemory> memory)
      : ToolDialog(context, DialogKind::kChartCopy), memory_(std::move(memory)) {}

 private:
  void OnInit(WindowId self) override { Initialise(self); }
  bool OnCommand(WindowId self, int id, int notification) override;
  bool OnMessage(WindowId self, const Message& m) override {
    if (platform::IsActivation(m)) context_.input.Repaint(self);
    return false;
  }

  void Initialise(WindowId self);
  void ShowChecks(WindowId self);
  void OnCheck(WindowId self, int control);
  std::string CompanyInBox(WindowId self);
  void ReadFields(WindowId self);
  void Find(WindowId self);
  void Tell(WindowId self, const FillResult& result);
  void Reset(WindowId self);
  void TakeFromEnquiry(WindowId self);
  void Quit(WindowId self);

  std::shared_ptr<ChartMemory> memory_;
};

bool ChartCopyDialog::OnCommand(WindowId self, int id, int notification) {
  platform::UserInterface& ui = context_.ui;
  switch (id) {
    case R7_CHART_SHOW_COUNT:
      ui.SetControlText(self, R7_CHART_MATCH_COUNT, std::to_string(command_argument()));
      return true;
    case R7_PWIZ_COMPOSED:
      ui.SetControlText(self, R7_CHART_PERIOD,
                        tool_launch::ComposedPeriod(context_, command_argument()));
      return true;
    case R7_PWIZ_INITIALISED:
      context_.session.period_wizard_company = CompanyInBox(self);
      return true;
    case R7_CHART_FROM_ENQUIRY:
      TakeFromEnquiry(self);
      return true;
    case kCloseAndCleanUp:
      Quit(self);
      return true;
    default:
      break;
  }
  if (notification != notify::kClicked) return false;
  switch (id) {
    case platform::kOkButton:
      Find(self);
      return true;
    case platform::kCancelButton:
      Quit(self);
      return true;
    case R7_CHART_RESET:
      Reset(self);
      return true;
    case R7_CHART_VIEWER:
      if (!context_.programs.Start(kViewer)) {
        context_.messages.MessageBoxById(self, kViewerNotStarted, kCaption,
                                         box::kOk | box::kIconInformation);
      }
      return true;
    case kHelpButton:
      context_.help.Open(self, "Tessary.HLP", kHelpContext, kHelpTopic);
      return true;
    case R7_CHART_PERIOD_BUTTON:
      tool_launch::OpenPeriodWizard(
          context_, CutTo(ui.ControlText(self, R7_CHART_PERIOD), kMaxWizardPeriod), nullptr, self);
      return true;
    case R7_CHART_ACCOUNTS_BUTTON:
      tool_launch::ReopenDialog(context_, DialogKind::kEnquiry, self);
      return true;
    default:
      OnCheck(self, id);
      return true;
  }
}

void ChartCopyDialog::Initialise(WindowId self) {
  platform::UserInterface& ui = context_.ui;
  Settings& settings = context_.settings;
  const LedgerServices services = context_.ledger(platform::kNoWindow);
  services.companies.DropFailedCompanies();
  if (settings.chart_company.empty()) settings.chart_company = settings.company;
  CompanyContext* company = services.companies.FindCompany(settings.chart_company);
  if (company != nullptr && company->status != 0) {
    context_.messages.ShowErrorBox(self, company->status, settings.chart_company);
    company = nullptr;
  }
  ledger_boxes::FillCompanies(context_, self, R7_CHART_COMPANY, settings.chart_company);
  ui.SetControlText(self, R7_CHART_ACCOUNT, settings.chart_account);
  ui.SetControlText(self, R7_CHART_PERIOD, settings.chart_period);
  ledger_boxes::FillRevisions(context_, self, R7_CHART_REVISION, settings.chart_budget);
  ledger_boxes::FillYears(context_, self, R7_CHART_YEAR, company,
                          std::to_string(settings.chart_year));
  ui.SetControlText(self, R7_CHART_RANGE_TYPE, RangeTypeText(settings.chart_range_type));
  ShowChecks(self);
  ui.SetControlText(self, R7_CHART_MATCH_COUNT, "0");
  if (settings.no_show != 0) context_.clipboard.Clear();
}

void ChartCopyDialog::ShowChecks(WindowId self) {
  platform::UserInterface& ui = context_.ui;
  for (const CheckSetting& check : kChecks) {
    ui.SetChecked(self, check.control, context_.settings.*check.setting != 0);
  }
  // Segments go into separate columns only with the account code shown.
  const bool account_shown = context_.settings.chart_show_account != 0;
  if (!account_shown) memory_->separate_segments = false;
  ui.SetChecked(self, R7_CHART_SEPARATE_SEGMENTS, memory_->separate_segments);
  ui.EnableControl(self, R7_CHART_SEPARATE_SEGMENTS, account_shown);
}

void ChartCopyDialog::OnCheck(WindowId self, int control) {
  const bool checked = context_.ui.IsChecked(self, control);
  if (control == R7_CHART_SEPARATE_SEGMENTS) {
    memory_->separate_segments = checked;
    return;
  }
  for (const CheckSetting& check : kChecks) {
    if (check.control != control) continue;
    context_.settings.*check.setting = checked ? 1 : 0;
    if (control == R7_CHART_SHOW_ACCOUNT) ShowChecks(self);
    return;
  }
}

std::string ChartCopyDialog::CompanyInBox(WindowId self) {
  return ledger_boxes::CompanyCode(context_, self, R7_CHART_COMPANY);
}

void ChartCopyDialog::ReadFields(WindowId self) {
  platform::UserInterface& ui = context_.ui;
  Settings& settings = context_.settings;
  settings.chart_account = CutTo(ui.ControlText(self, R7_CHART_ACCOUNT), kMaxAccountText);
  settings.chart_period = CutTo(ui.ControlText(self, R7_CHART_PERIOD), kMaxPeriodText);
  settings.chart_company = CompanyInBox(self);
  const int year = LeadingInt(ui.ControlText(self, R7_CHART_YEAR));
  settings.chart_year = year >= kEarliestYear ? year : LeadingInt(settings.current_year);
  settings.chart_range_type = RangeTypeOf(ui.ControlText(self, R7_CHART_RANGE_TYPE));
  settings.chart_budget =
      CutTo(TrimLeadingBlanks(ui.ControlText(self, R7_CHART_REVISION)), kMaxRevisionRead);
  if (!context_.settings_store.SaveAll(settings)) {
    context_.messages.ShowErrorBox(self, kIniNotWritten, "");
  }
}

void ChartCopyDialog::Find(WindowId self) {
  ReadFields(self);
  const Settings& settings = context_.settings;
  ChartRequest request;
  request.company = settings.chart_company;
  request.account = settings.chart_account;
  request.period = settings.chart_period;
  request.year = settings.chart_year;
  request.revision = settings.chart_budget;
  request.range_type = settings.chart_range_type;
  request.columns = ChartColumns{.account = settings.chart_show_account != 0,
                                 .description = settings.chart_show_description != 0,
                                 .origin = settings.chart_show_origin != 0,
                                 .prepend_quote = settings.prepend_account != 0,
                                 .separate_segments = memory_->separate_segments,
                                 .formulas = settings.formulas};
  request.skip_zero = settings.skip_zero_accounts != 0;

  FillHooks hooks;
  hooks.row_written = [this, self](int accounts) {
    context_.ui.Send(self, platform::CommandMessage(R7_CHART_SHOW_COUNT, 0, accounts));
    if (accounts % kRepaintRows == 0) context_.input.Repaint(self);
  };
  hooks.stop_requested = [this, self] { return context_.messages.AskToStop(self, kStopQuestion); };

  context_.ui.SetControlText(self, R7_CHART_MATCH_COUNT, "0");
  context_.input.ShowWaitCursor();
  context_.set_chart_fill_busy(true);
  const FillResult result = FillChart(context_, request, self, hooks);
  context_.set_chart_fill_busy(false);
  context_.input.ShowArrowCursor();
  Tell(self, result);
}

// Hands the rows to the clipboard and says how many went, or says why none did.
void ChartCopyDialog::Tell(WindowId self, const FillResult& result) {
  MessageCenter& messages = context_.messages;
  const std::string count = std::to_string(result.accounts);
  switch (result.ending) {
    case FillEnding::kFailed:
      if (result.failure == Failure::kMessage) {
        messages.ShowErrorBox(self, result.code, result.detail);
      } else {
        context_.show_pending_error(self);
      }
      context_.errors.Clear();
      return;
    case FillEnding::kComplete:
      context_.clipboard.SetText(result.text);
      messages.MessageBoxWrapper(self, count + std::string(StringText(kCopiedCount)), kCaption,
                                 box::kOk | box::kIconInformation);
      return;
    case FillEnding::kStopped:
      context_.clipboard.SetText(result.text);
      messages.MessageBoxWrapper(self, count + std::string(StringText(kStoppedCount)), kCaption,
                                 box::kOk | box::kIconInformation);
      return;
    case FillEnding::kBlockFull:
      context_.clipboard.SetText(result.text);
      messages.MessageBoxWrapper(self,
                                 std::string(StringText(kBlockFullBefore)) + count +
                                     std::string(StringText(kBlockFullAfter)),
                                 kCaption, box::kOk | box::kIconExclamation);
      return;
  }
}

void ChartCopyDialog::Reset(WindowId self) {
  Settings& settings = context_.settings;
  CompanyContext* company =
      context_.ledger(platform::kNoWindow).companies.FindCompany(settings.company);
  const int segments = company != nullptr && company->status == 0 ? company->segment_count : 3;
  settings.chart_account = AllAccountsSpecifier(segments);
  settings.chart_period = "Month";
  settings.chart_budget = settings.revision;
  settings.chart_range_type = kRangeAllSegments;
  settings.chart_year = LeadingInt(settings.current_year);
  settings.chart_company = settings.company;
  settings.chart_show_account = 1;
  settings.chart_show_description = 1;
  settings.chart_show_origin = 1;
  settings.prepend_account = 1;
  settings.skip_zero_accounts = 0;
  memory_->separate_segments = false;
  Initialise(self);
}

// What the account enquiry picked becomes the chart's company, accounts, period, year and
// revision.
void ChartCopyDialog::TakeFromEnquiry(WindowId self) {
  Settings& settings = context_.settings;
  const DrillContext& drill = context_.session.drill;
  settings.chart_company = drill.company;
  settings.chart_account = CutTo(drill.account, kMaxAccountText);
  settings.chart_period = CutTo(drill.period, kMaxPeriodText);
  settings.chart_year = LeadingInt(drill.year);
  settings.chart_budget = drill.budget_revision;
  Initialise(self);
}

void ChartCopyDialog::Quit(WindowId self) {
  const WindowId wizard = context_.dialogs.Handle(DialogKind::kPeriodWizard);
  if (wizard != platform::kNoWindow && context_.ui.IsWindow(wizard)) {
    context_.ui.Send(wizard, platform::CommandMessage(kCloseAndCleanUp));
  }
  context_.ui.DestroyWindow(self);
}

}  // namespace

WindowId OpenChartCopy(const ToolContext& context, std::shared_ptr<ChartMemory> memory,
                       WindowId owner) {
  return ToolDialog::Open(std::make_shared<ChartCopyDialog>(context, std::move(memory)),
                          "CHARTCOPY", owner);
}

}  // namespace r7::chart_copy
