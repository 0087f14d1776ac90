// The account enquiry. (platform-independent)
#include "tools/account_enquiry/account_enquiry_dialog.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "base/error_codes.h"
#include "common/text_util.h"
#include "host/help_opener.h"
#include "ledger/balance_engine.h"
#include "ledger/entities_file.h"
#include "resources/account_enquiry_ids.h"
#include "resources/period_wizard_ids.h"
#include "specifiers/period_parser.h"
#include "tools/account_enquiry/enquiry_account.h"
#include "tools/ledger_boxes.h"
#include "tools/segment_lists.h"
#include "tools/tool_dialog.h"
#include "tools/tool_launch.h"

namespace r7::account_enquiry {
namespace {

using platform::Message;
using platform::WindowId;
namespace notify = platform::notify;

constexpr unsigned long kHelpTopic = 19;
constexpr int kNoEntitiesFile = 2104;
constexpr std::size_t kMaxPeriodRead = 50;
constexpr std::size_t kMaxRevisionRead = 2;
constexpr std::size_t kMaxYearRead = 4;
constexpr int kSegmentBoxes = 3;
// Balances closer to zero than this show as "0.00".
constexpr double kSmallestShown = 0.001;
// The segment titles by field; the add-in reads them back from the description.
constexpr std::string_view kSegmentTitles[] = {"Main", "Profit Center", "Department"};

class EnquiryDialog : public ToolDialog {
 public:
  explicit EnquiryDialog(const ToolContext& context) : ToolDialog(context, DialogKind::kEnquiry) {}

 private:
  void OnInit(WindowId self) override {
    context_.clipboard.Clear();
    context_.ui.Send(self, platform::CommandMessage(R7_ENQ_REFILL));
  }
  bool OnCommand(WindowId self, int id, int notification) override;
  bool OnMessage(WindowId self, const Message& m) override;

  void Refill(WindowId self);
  void FillSegmentBoxes(WindowId self, CompanyContext& company);
  void OnCompanyLeft(WindowId self);
  std::string CompanyInBox(WindowId self);
  void ReadRequest(WindowId self);
  std::optional<std::vector<std::string>> ReadSegments(WindowId self, bool stop_at_empty);
  void GetBalance(WindowId self);
  void ToOtherTool(WindowId self, DialogKind kind);
  void OpenWizard(WindowId self);
  void Close(WindowId self);
  int SegmentsShown() const { return static_cast<int>(fields_.size()); }

  CompanyContext* company_ = nullptr;  // the enquiry's company, loaded; null otherwise
  std::vector<int> fields_;            // the fields of the company's segments, in order
  int orientation_ = 0;
  std::string previous_company_;
  WindowId opener_ = platform::kNoWindow;
};

bool EnquiryDialog::OnCommand(WindowId self, int id, int notification) {
  platform::UserInterface& ui = context_.ui;
  DrillContext& drill = context_.session.drill;
  switch (id) {
    case R7_ENQ_REFILL:
      Refill(self);
      return true;
    case R7_PWIZ_COMPOSED:
      drill.period = tool_launch::ComposedPeriod(context_, command_argument());
      ui.SetControlText(self, R7_ENQ_PERIOD, drill.period);
      return true;
    case R7_PWIZ_INITIALISED:
      context_.session.period_wizard_company = CompanyInBox(self);
      return true;
    case kCloseAndCleanUp:
      Close(self);
      return true;
    case R7_ENQ_COMPANY:
      if (notification == notify::kComboKillFocus) OnCompanyLeft(self);
      return true;
    case R7_ENQ_ORIENTATION:
      if (notification == notify::kComboKillFocus) {
        orientation_ = OrientationCode(ui.ControlText(self, R7_ENQ_ORIENTATION));
      }
      return true;
    case R7_ENQ_REVISION:
      // The selected entry: a combo box's text follows its selection only afterwards.
      if (notification == notify::kComboSelectionChange) {
        const std::vector<std::string> entries = ui.Entries(self, R7_ENQ_REVISION);
        const int selected = ui.SelectedEntry(self, R7_ENQ_REVISION);
        if (selected >= 0 && static_cast<std::size_t>(selected) < entries.size()) {
          drill.budget_revision = entries[static_cast<std::size_t>(selected)];
        }
      }
      return true;
    default:
      break;
  }
  if (notification != notify::kClicked) return false;
  switch (id) {
    case R7_ENQ_GET_BALANCE:
      GetBalance(self);
      return true;
    case R7_ENQ_TO_DRILL:
      ToOtherTool(self, DialogKind::kDrill);
      return true;
    case R7_ENQ_TO_CHART:
      ToOtherTool(self, DialogKind::kChartCopy);
      return true;
    case R7_ENQ_PERIOD_BUTTON:
      OpenWizard(self);
      return true;
    case kHelpButton:
      context_.help.Open(self, "Tessary.HLP", kHelpContext, kHelpTopic);
      return true;
    case platform::kCancelButton:
      Close(self);
      return true;
    default:  // 1 among them: the silent command's "run", which the enquiry has no use for
      return false;
  }
}

// The opener is the window the enquiry last took the activation from: the tool that opened
// it, or the one the user came back from. The period wizard it opened itself, the command
// window (which the activation passes through when the wizard goes), and windows that are
// gone, are no openers.
bool EnquiryDialog::OnMessage(WindowId self, const Message& m) {
  if (!platform::IsActivation(m)) return false;
  context_.input.Repaint(self);
  const WindowId other = platform::OtherWindow(m);
  if (other != platform::kNoWindow && other != self && context_.ui.IsWindow(other) &&
      other != context_.dialogs.Handle(DialogKind::kPeriodWizard) &&
      other != context_.command_window()) {
    opener_ = other;
  }
  return false;
}

void EnquiryDialog::Refill(WindowId self) {
  platform::UserInterface& ui = context_.ui;
  const Settings& settings = context_.settings;
  DrillContext& drill = context_.session.drill;
  ui.ClearEntries(self, R7_ENQ_ORIENTATION);
  const LedgerServices services = context_.ledger(platform::kNoWindow);
  CompanyCatalogue& companies = services.companies;
  company_ = nullptr;
  fields_.clear();
  CompanyContext* company = drill.company.empty() ? nullptr : companies.FindCompany(drill.company);
  if (company == nullptr || company->status != 0) {
    drill.company = settings.company;
    company = companies.FindCompany(drill.company);
  }
  ledger_boxes::FillCompanies(context_, self, R7_ENQ_COMPANY, drill.company);
  previous_company_ = drill.company;
  if (company == nullptr || company->status != 0) {
    if (company != nullptr) companies.CheckCompany(*company);
    context_.show_pending_error(self);
    return;
  }
  company_ = company;
  fields_ = segment_lists::SegmentFields(*company);
  fields_.resize(std::min<std::size_t>(fields_.size(), kSegmentBoxes));

  if (settings.lists_use_entities_file != 0 && !company->entities.open &&
      companies.OpenEntitiesFile(*company, btr::kModeNormal) != 0) {
    context_.messages.ShowErrorBox(self, kNoEntitiesFile, company->code);
  }
  FillSegmentBoxes(self, *company);

  ledger_boxes::FillYears(context_, self, R7_ENQ_YEAR, company, drill.year);
  ledger_boxes::FillRevisions(context_, self, R7_ENQ_REVISION, drill.budget_revision);
  ui.SetControlText(self, R7_ENQ_PERIOD, drill.period.empty() ? "Month" : drill.period);
  const std::vector<std::string> values = SegmentValues(drill.account);
  for (int i = 0; i < SegmentsShown(); ++i) {
    const int box = R7_ENQ_SEGMENT_BASE + i;
    if (drill.account.empty()) {
      ui.SelectEntry(self, box, 0);
    } else {
      ui.SetControlText(self, box, static_cast<std::size_t>(i) < values.size() ? values[i] : "");
    }
  }
  for (const Orientation& orientation : kOrientations) {
    ui.AddEntry(self, R7_ENQ_ORIENTATION, orientation.title);
  }
  for (std::size_t i = 0; i < kOrientations.size(); ++i) {
    if (kOrientations[i].title == kDefaultOrientation) {
      ui.SelectEntry(self, R7_ENQ_ORIENTATION, static_cast<int>(i));
      orientation_ = kOrientations[i].code;
    }
  }
}

// Each segment's box offers the values the ledger holds ("value; description" where a
// description is known), from the lists' cache, or read from the company's financial
// entities file when the lists use it; the boxes past the company's segments are untitled
// and disabled.
void EnquiryDialog::FillSegmentBoxes(WindowId self, CompanyContext& company) {
  platform::UserInterface& ui = context_.ui;
  std::array<std::vector<std::string>, kSegmentBoxes> entries;
  if (context_.settings.lists_use_entities_file != 0) {
    const LedgerServices services = context_.ledger(self);
    EntitiesFile file(services.records, services.companies, services.files);
    for (int i = 0; i < SegmentsShown(); ++i) {
      entries[i] =
          file.ListEntityRecords(company, fields_[i] + 1, EntityListMode::kValues, false).main;
    }
  } else if (segment_lists::FillCaches(context_, company, self, nullptr) == 0) {
    const ListCaches& caches = context_.lists;
    for (int i = 0; i < SegmentsShown(); ++i) {
      entries[i] = JoinValueDescriptions(caches.values[i], caches.descriptions[i]);
    }
  }
  context_.errors.Clear();
  for (int i = 0; i < kSegmentBoxes; ++i) {
    const int box = R7_ENQ_SEGMENT_BASE + i;
    const int title = R7_ENQ_TITLE_BASE + i;
    const bool shown = i < SegmentsShown();
    ui.ClearEntries(self, box);
    ui.SetControlText(self, box, "");
    ui.SetControlText(self, title, shown ? kSegmentTitles[fields_[i]] : "");
    ui.EnableControl(self, title, shown);
    ui.EnableControl(self, box, shown);
    for (const std::string& entry : entries[i]) ui.AddEntry(self, box, entry);
  }
}

std::string EnquiryDialog::CompanyInBox(WindowId self) {
  return ledger_boxes::CompanyCode(context_, self, R7_ENQ_COMPANY);
}

// Another company empties the account and fills the boxes with that company's values; the
// same code in another letter case changes nothing.
void EnquiryDialog::OnCompanyLeft(WindowId self) {
  const std::string code = CompanyInBox(self);
  if (EqualsIgnoreCase(code, previous_company_)) return;
  context_.lists.valid = false;
  context_.ledger(platform::kNoWindow).companies.DropFailedCompanies();
  DrillContext& drill = context_.session.drill;
  drill.account.clear();
  drill.company = code;
  context_.ui.Send(self, platform::CommandMessage(R7_ENQ_REFILL));
}

// Company, period, revision and year as the boxes show them, into the drill request.
void EnquiryDialog::ReadRequest(WindowId self) {
  platform::UserInterface& ui = context_.ui;
  DrillContext& drill = context_.session.drill;
  drill.company = CompanyInBox(self);
  drill.period = CutTo(ui.ControlText(self, R7_ENQ_PERIOD), kMaxPeriodRead);
  drill.budget_revision = CutTo(ui.ControlText(self, R7_ENQ_REVISION), kMaxRevisionRead);
  drill.year = CutTo(ui.ControlText(self, R7_ENQ_YEAR), kMaxYearRead);
}

// The value of each segment box. An empty one shows 33: nullopt, or with `stop_at_empty`
// false the values before it.
std::optional<std::vector<std::string>> EnquiryDialog::ReadSegments(WindowId self,
                                                                    bool stop_at_empty) {
  std::vector<std::string> values;
  for (int i = 0; i < SegmentsShown(); ++i) {
    const std::string value(ValueOf(context_.ui.ControlText(self, R7_ENQ_SEGMENT_BASE + i)));
    if (value.empty()) {
      context_.messages.ShowErrorBox(self, kAllSegmentsRequired, "");
      if (stop_at_empty) return std::nullopt;
      break;
    }
    values.push_back(value);
  }
  return values;
}

void EnquiryDialog::GetBalance(WindowId self) {
  DrillContext& drill = context_.session.drill;
  ReadRequest(self);
  PeriodList periods;
  if (!ParsePeriodSpecifier(drill.period, &periods).ok()) {
    context_.messages.ShowErrorBox(self, kInvalidPeriod, "");
    return;
  }
  drill.range_type = kRangeAllSegments;
  std::optional<std::vector<std::string>> values = ReadSegments(self, true);
  if (!values) return;
  drill.account = GroupedAccount(*values);

  context_.input.ShowWaitCursor();
  AccountRequest request =
      MakeAccountRequest(drill.account, drill.year, drill.budget_revision, drill.range_type);
  const LedgerServices services = context_.ledger(self);
  double total = 0;
  const int code =
      ComputeBalance(&total, context_.balance(services), drill.company, request, periods);
  context_.input.ShowArrowCursor();
  if (code != 0) {
    context_.messages.ShowErrorBox(self, code, drill.account);
    context_.errors.Clear();
    total = 0;
  }
  context_.ui.SetControlText(self, R7_ENQ_BALANCE,
                             std::fabs(total) >= kSmallestShown
                                 ? context_.display_amounts.Format(total)
                                 : std::string("0.00"));
}

// To Drill and To Chart: the picked account and the boxes into the drill request (for the
// chart copy into its settings too, once an open one has closed), and the tool opened anew;
// the enquiry stays open.
void EnquiryDialog::ToOtherTool(WindowId self, DialogKind kind) {
  DrillContext& drill = context_.session.drill;
  drill.account = GroupedAccount(*ReadSegments(self, false));
  ReadRequest(self);
  if (kind != DialogKind::kChartCopy) {
    tool_launch::ReopenDialog(context_, kind, self);
    return;
  }
  tool_launch::ReopenDialog(context_, kind, self, [&] {
    Settings& settings = context_.settings;
    settings.chart_budget = drill.budget_revision;
    settings.chart_period = drill.period;
    settings.chart_company = drill.company;
    settings.chart_account = drill.account;
    settings.chart_year = LeadingInt(drill.year);
  });
}

void EnquiryDialog::OpenWizard(WindowId self) {
  const std::string code = CompanyInBox(self);
  const std::string period = CutTo(context_.ui.ControlText(self, R7_ENQ_PERIOD), kMaxPeriodRead);
  CompanyContext* company = context_.ledger(platform::kNoWindow).companies.FindCompany(code);
  if (company != nullptr && company->status != 0) company = nullptr;
  context_.session.period_wizard_company = code;
  tool_launch::OpenPeriodWizard(context_, period, company, self);
}

// Quit and 1100: the description of what was picked goes to the clipboard, and the window
// that opened the enquiry hears of it. A period that does not read keeps the enquiry open.
void EnquiryDialog::Close(WindowId self) {
  platform::UserInterface& ui = context_.ui;
  DrillContext& drill = context_.session.drill;
  orientation_ = OrientationCode(ui.ControlText(self, R7_ENQ_ORIENTATION));
  ReadRequest(self);
  PeriodList periods;
  if (!ParsePeriodSpecifier(drill.period, &periods).ok()) {
    context_.messages.ShowErrorBox(self, kInvalidPeriod, "");
    ui.SetControlText(self, R7_ENQ_PERIOD, "");
    drill.period.clear();
    return;
  }
  if (company_ != nullptr && company_->status == 0) {
    FunctionRequest request{.orientation = orientation_,
                            .segments = {},
                            .period = drill.period,
                            .company = drill.company,
                            .year = drill.year,
                            .revision = drill.budget_revision};
    for (int i = 0; i < SegmentsShown(); ++i) {
      request.segments.push_back(
          {std::string(kSegmentTitles[fields_[i]]),
           std::string(ValueOf(ui.ControlText(self, R7_ENQ_SEGMENT_BASE + i)))});
    }
    ClipboardText description;
    drill.account = WriteDescription(request, description);
    context_.clipboard.SetText(description.text());
  }
  ui.ClearEntries(self, R7_ENQ_ORIENTATION);
  if (opener_ != platform::kNoWindow && ui.IsWindow(opener_)) {
    ui.Send(opener_, platform::CommandMessage(R7_ENQ_CLOSED, 0, static_cast<std::intptr_t>(self)));
  }
  ui.DestroyWindow(self);
}

}  // namespace

WindowId OpenAccountEnquiry(const ToolContext& context, WindowId owner) {
  return ToolDialog::Open(std::make_shared<EnquiryDialog>(context), "ACCOUNT_INQUIRE", owner);
}

}  // namespace r7::account_enquiry
