// The Report dialog and its import. (platform-independent)
#include "tools/report_layout/report_dialog.h"

#include <algorithm>
#include <memory>

#include "base/error_codes.h"
#include "common/text_util.h"
#include "ledger/company_stack.h"
#include "ledger/layout_file.h"
#include "resources/report_dialog_ids.h"
#include "tools/report_layout/layout_rows.h"
#include "tools/tool_dialog.h"

namespace r7::report_layout {
namespace {

using platform::WindowId;

constexpr unsigned long kHelpTopic = 115;
constexpr std::string_view kFirstLayout = "001";
constexpr std::string_view kClipboardViewer = "CLIPBRD.EXE";

constexpr int kNoLayout = 66;
constexpr int kCompanyRejected = 67;
constexpr int kLayoutFileUnopened = 69;
constexpr int kInvalidLayoutNumber = 70;
constexpr int kViewerNotStarted = 201;

// The layout number in its 3 digits: 1 to 3 digits, blanks around them dropped, zeros put
// in front; nothing for anything else.
std::optional<std::string> LayoutNumber(std::string_view text) {
  text = TrimBlanks(text);
  if (text.empty() || text.size() > kLayoutNumberWidth ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  return std::string(kLayoutNumberWidth - text.size(), '0') + std::string(text);
}

class ReportDialog : public ToolDialog {
 public:
  explicit ReportDialog(const ToolContext& context) : ToolDialog(context, DialogKind::kReport) {}

 private:
  void OnInit(WindowId self) override {
    context_.ui.SetChecked(self, R7_REPORT_PROFIT_CENTERS, false);
    context_.ui.SetChecked(self, R7_REPORT_DEPARTMENTS, false);
    context_.ui.SetControlText(self, R7_REPORT_LAYOUT_NUMBER, kFirstLayout);
  }

  bool OnCommand(WindowId self, int id, int notification) override {
    if (notification != platform::notify::kClicked) return false;
    switch (id) {
      case platform::kOkButton:
        context_.input.ShowWaitCursor();
        Import(self);
        context_.input.ShowArrowCursor();
        context_.show_pending_error(self);
        return true;
      case R7_REPORT_PROFIT_CENTERS:
      case R7_REPORT_DEPARTMENTS:
        return true;  // read when the layout is imported
      case R7_REPORT_CLIPBOARD_VIEWER:
        if (!context_.programs.Start(kClipboardViewer)) {
          context_.messages.MessageBoxById(self, kViewerNotStarted, kCaption,
                                           platform::box::kOk | platform::box::kIconInformation);
        }
        return true;
      default:
        return HelpOrQuit(self, id, kHelpTopic);
    }
  }

  // The layout of the number in the edit onto the clipboard; false after showing why not.
  bool Import(WindowId self) {
    platform::UserInterface& ui = context_.ui;
    MessageCenter& messages = context_.messages;
    const std::string typed = ui.ControlText(self, R7_REPORT_LAYOUT_NUMBER);
    const Inclusion inclusion{ui.IsChecked(self, R7_REPORT_PROFIT_CENTERS),
                              ui.IsChecked(self, R7_REPORT_DEPARTMENTS)};
    const Settings& settings = context_.settings;
    const LedgerServices services = context_.ledger(self);
    if (CheckCompanySpecifier(settings.company, services.errors) != 0) {
      messages.ShowErrorBox(self, kCompanyRejected, "");
      return false;
    }
    CompanyContext* company = services.companies.FindCompany(settings.company);
    if (company == nullptr || company->status != 0) {
      messages.ShowErrorBox(self, company != nullptr ? company->status : kCompanyRejected,
                            settings.company);
      return false;
    }
    LayoutFile file(services, *company);
    if (file.Open() != 0) {
      services.errors.Clear();
      messages.ShowErrorBox(self, kLayoutFileUnopened, "");
      return false;
    }
    const std::optional<std::string> number = LayoutNumber(typed);
    if (!number) {
      messages.ShowErrorBox(self, kInvalidLayoutNumber, "");
      return false;
    }
    const std::optional<std::vector<LayoutLine>> lines = file.ReadLayout(*number);
    if (!lines) {
      messages.ShowErrorBox(self, kNoLayout, "");
      return false;
    }
    std::string text;
    for (const LayoutLine& line : *lines) {
      text += LayoutRow(line.type, line.text, company->segment_lengths, inclusion);
    }
    if (!context_.clipboard.SetText(text)) {
      messages.ShowErrorBox(self, kClipboardNotOpened, "");
      return false;
    }
    return true;
  }
};

}  // namespace

WindowId OpenReportDialog(const ToolContext& context, WindowId owner) {
  return ToolDialog::Open(std::make_shared<ReportDialog>(context), "REPORT", owner);
}

}  // namespace r7::report_layout
