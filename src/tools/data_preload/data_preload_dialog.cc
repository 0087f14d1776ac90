// The Data Preload dialog. (platform-independent)
#include "tools/data_preload/data_preload_dialog.h"

#include <optional>

#include "base/error_codes.h"
#include "base/limits.h"
#include "base/string_table.h"
#include "common/text_util.h"
#include "preload/data_preload.h"
#include "preload/preload_settings.h"
#include "resources/data_preload_dialog_ids.h"
#include "specifiers/account_specifier.h"
#include "specifiers/account_template.h"
#include "tools/ledger_boxes.h"
#include "tools/tool_dialog.h"

namespace r7::data_preload {
namespace {

using platform::WindowId;
namespace notify = platform::notify;

constexpr unsigned long kHelpTopic = 10;
constexpr int kSwitchOn = 7310;
constexpr int kSwitchOff = 7311;
constexpr std::size_t kYearWidth = 4;
constexpr std::size_t kRevisionWidth = 2;

// The counters of a load: counts reach the dialog as its own commands 522 and 523, and a
// key press or a click in it offers to stop.
class DialogProgress : public preload::PreloadProgress {
 public:
  DialogProgress(const ToolContext& context, WindowId dialog)
      : context_(context), dialog_(dialog) {}
  WindowId window() const override { return dialog_; }
  void Send(int id, std::uint64_t count) override {
    context_.ui.Send(dialog_, platform::CommandMessage(id, 0, static_cast<std::intptr_t>(count)));
  }
  bool StopRequested() override { return context_.messages.AbortCheck(dialog_); }

 private:
  const ToolContext& context_;
  WindowId dialog_;
};

class DataPreloadDialog : public ToolDialog {
 public:
  DataPreloadDialog(const ToolContext& context, std::shared_ptr<AutomaticMode> mode)
      : ToolDialog(context, DialogKind::kPreload), mode_(std::move(mode)) {}

 private:
  void OnInit(WindowId self) override {
    platform::UserInterface& ui = context_.ui;
    for (const std::string& entry : context_.company_dir_list()) {
      ui.AddEntry(self, R7_TURBO_COMPANY, entry);
    }
    // The company being preloaded, or the "Company" setting's.
    const std::string wanted = mode_->company.empty() ? context_.settings.company : mode_->company;
    const std::vector<std::string> entries = ui.Entries(self, R7_TURBO_COMPANY);
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (entries[i].compare(0, wanted.size(), wanted) == 0) {
        ui.SelectEntry(self, R7_TURBO_COMPANY, static_cast<int>(i));
        break;
      }
    }
    Refresh(self);
  }

  bool OnCommand(WindowId self, int id, int notification) override {
    if (id == R7_TURBO_COMPANY) {
      if (notification == notify::kComboSelectionChange) {
        Refresh(self);
      } else if (notification == notify::kComboKillFocus && BoxCompany(self) != last_company_) {
        Refresh(self);
      }
      return true;
    }
    if (notification != notify::kClicked) return false;
    switch (id) {
      case R7_TURBO_REFRESH:
        Refresh(self);
        return true;
      case R7_TURBO_RECORD_COUNT:
      case R7_TURBO_INDEX_COUNT:
        context_.ui.SetControlText(
            self, id == R7_TURBO_RECORD_COUNT ? R7_TURBO_RECORDS : R7_TURBO_INDEXES,
            std::to_string(command_argument()));
        context_.input.Repaint(self);
        return true;
      case R7_TURBO_THIS_YEAR:
      case R7_TURBO_LAST_YEAR:
      case R7_TURBO_BUDGET:
        StoreLoadFlag(self, id);
        return true;
      case platform::kOkButton:
        Load(self);
        return true;
      case R7_TURBO_SWITCH:
        Switch(self);
        return true;
      case R7_TURBO_UNLOAD:
        Unload(self);
        return true;
      default:
        return HelpOrQuit(self, id, kHelpTopic);
    }
  }

  // The code of the company chosen: the selected entry's, up to its first blank.
  std::string BoxCompany(WindowId self) {
    platform::UserInterface& ui = context_.ui;
    const int selected = ui.SelectedEntry(self, R7_TURBO_COMPANY);
    const std::vector<std::string> entries = ui.Entries(self, R7_TURBO_COMPANY);
    const std::string text = selected >= 0 && static_cast<std::size_t>(selected) < entries.size()
                                 ? entries[static_cast<std::size_t>(selected)]
                                 : ui.ControlText(self, R7_TURBO_COMPANY);
    return ledger_boxes::CompanyCodeOfEntry(text);
  }

  // The company of the box, loaded; null when it does not load.
  CompanyContext* OpenBoxCompany(WindowId self) {
    last_company_ = BoxCompany(self);
    CompanyContext* company =
        context_.ledger(platform::kNoWindow).companies.FindCompany(last_company_);
    return company != nullptr && company->status == 0 ? company : nullptr;
  }

  CompanyContext* CompanyInUse() {
    CompanyContext* company =
        context_.ledger(platform::kNoWindow).companies.FindCompany(last_company_);
    return company != nullptr && company->status == 0 ? company : nullptr;
  }

  void Refresh(WindowId self) {
    platform::UserInterface& ui = context_.ui;
    CompanyContext* company = OpenBoxCompany(self);
    if (company == nullptr) return;
    const preload::PreloadSettings& preload = preload::PreloadOf(*company);
    ui.SetControlText(self, R7_TURBO_ACCOUNT, preload.request.specifier);
    ui.SetControlText(self, R7_TURBO_YEAR, context_.settings.current_year);
    // The company's own revision when it has one, else the "Revision" setting.
    ledger_boxes::FillRevisions(
        context_, self, R7_TURBO_REVISION,
        preload.request.revision.empty() ? context_.settings.revision : preload.request.revision);
    ui.SetChecked(self, R7_TURBO_THIS_YEAR, preload.load_this_year);
    ui.SetChecked(self, R7_TURBO_LAST_YEAR, preload.load_last_year);
    ui.SetChecked(self, R7_TURBO_BUDGET, preload.load_budget);
    ResetCounters(self);
    ShowSwitch(self, SaveSwitch(*company, false, false));
    ui.EnableControl(self, R7_TURBO_UNLOAD, preload.loaded);
  }

  void StoreLoadFlag(WindowId self, int id) {
    CompanyContext* company = CompanyInUse();
    if (company == nullptr) return;
    preload::PreloadSettings& preload = preload::PreloadOf(*company);
    const bool on = context_.ui.IsChecked(self, id);
    if (id == R7_TURBO_THIS_YEAR) preload.load_this_year = on;
    if (id == R7_TURBO_LAST_YEAR) preload.load_last_year = on;
    if (id == R7_TURBO_BUDGET) preload.load_budget = on;
  }

  // The box's company for Load and the switch; null after showing why it did not load.
  CompanyContext* CompanyOrSayWhy(WindowId self) {
    if (CompanyContext* company = OpenBoxCompany(self)) return company;
    std::string pending;
    if (context_.errors.TakeError(&pending)) {
      context_.messages.ShowErrorBox(self, -1, pending);
    } else {
      CompanyContext* failed =
          context_.ledger(platform::kNoWindow).companies.FindCompany(last_company_);
      context_.messages.ShowErrorBox(self, failed != nullptr ? failed->status : kInvalid,
                                     last_company_);
    }
    return nullptr;
  }

  void Load(WindowId self) {
    platform::UserInterface& ui = context_.ui;
    CompanyContext* company = CompanyOrSayWhy(self);
    if (company == nullptr) return;
    context_.input.ShowWaitCursor();
    ResetCounters(self);
    std::string specifier = CutTo(ui.ControlText(self, R7_TURBO_ACCOUNT), kMaxAccountItem);
    if (specifier.empty()) specifier = AllAccountsSpecifier(company->segment_count);
    const LedgerServices services = context_.ledger(self);
    if (!SpecifierValid(*company, specifier, services)) {
      context_.input.ShowArrowCursor();
      // The check reads no file: no record-manager status belongs to it.
      context_.messages.ShowPendingError(self, 0);
      return;
    }
    preload::PreloadSettings& preload = preload::PreloadOf(*company);
    preload.request =
        MakeAccountRequest(specifier, CutTo(ui.ControlText(self, R7_TURBO_YEAR), kYearWidth),
                           CutTo(ui.ControlText(self, R7_TURBO_REVISION), kRevisionWidth));
    // What the dialog asks: a failed load resets the company's preload, but not this.
    const AccountRequest asked = preload.request;
    const bool flags[] = {preload.load_this_year, preload.load_last_year, preload.load_budget};
    DialogProgress progress(context_, self);
    AccountRequest request = preload.request;
    if (ui.IsChecked(self, R7_TURBO_THIS_YEAR) || ui.IsChecked(self, R7_TURBO_LAST_YEAR)) {
      preload::DataPreLoad(services, *company, request, &progress, R7_TURBO_RECORD_COUNT,
                           R7_TURBO_INDEX_COUNT);
    }
    if (ui.IsChecked(self, R7_TURBO_BUDGET)) {
      request.budget = true;
      preload::DataPreLoad(services, *company, request, &progress, R7_TURBO_RECORD_COUNT,
                           R7_TURBO_INDEX_COUNT);
    }
    context_.input.ShowArrowCursor();
    preload::PreloadSettings& after = preload::PreloadOf(*company);
    after.request = asked;
    after.load_this_year = flags[0];
    after.load_last_year = flags[1];
    after.load_budget = flags[2];
    ui.EnableControl(self, R7_TURBO_UNLOAD, after.loaded);
    SaveSwitch(*company, true, false);
  }

  // Checks the specifier as the preload expands it; false with the error pending.
  bool SpecifierValid(const CompanyContext& company, std::string_view specifier,
                      const LedgerServices& services) {
    const Settings& s = context_.settings;
    std::vector<std::string> items;
    const int code = ExpandAccountTemplate(
        specifier, company.segment_lengths,
        {s.account_mapping, s.profit_center_mapping, s.department_mapping}, items, services.errors);
    if (code == kParenthesesDontMatch || code == kBlanksNotAllowed) {
      services.errors.SetError(code, specifier);
    }
    return code == 0;
  }

  void Switch(WindowId self) {
    platform::UserInterface& ui = context_.ui;
    CompanyContext* company = CompanyOrSayWhy(self);
    if (company == nullptr) return;
    AccountRequest& request = preload::PreloadOf(*company).request;
    request.year = CutTo(ui.ControlText(self, R7_TURBO_YEAR), kYearWidth);
    request.specifier = CutTo(ui.ControlText(self, R7_TURBO_ACCOUNT), kMaxAccountItem);
    request.revision = CutTo(ui.ControlText(self, R7_TURBO_REVISION), kRevisionWidth);
    ShowSwitch(self, SaveSwitch(*company, true, true));
  }

  void Unload(WindowId self) {
    if (CompanyContext* company = CompanyInUse()) {
      preload::PreloadSettings& preload = preload::PreloadOf(*company);
      if (preload.loaded) preload::UnloadCompany(preload);
      context_.ui.EnableControl(self, R7_TURBO_UNLOAD, preload.loaded);
    }
    ResetCounters(self);
  }

  // The company's automatic-preload switch: read; with `write` its "ADPL" settings written
  // from its preload settings, the switch turned over first with `toggle`. The switch's
  // state afterwards.
  bool SaveSwitch(CompanyContext& company, bool write, bool toggle) {
    AutoPreloadSettings values =
        LoadAutoPreload(context_.settings_store, context_.settings, company.code);
    if (!write) return values.company_on;
    if (toggle) values.company_on = !values.company_on;
    const preload::PreloadSettings& preload = preload::PreloadOf(company);
    values.account = preload.request.specifier;
    values.year = preload.request.year;
    values.budget = preload.request.revision;
    values.this_year_on = preload.load_this_year;
    values.last_year_on = preload.load_last_year;
    values.budget_on = preload.load_budget;
    SaveAutoPreload(context_.settings_store, company.code, values);
    return values.company_on;
  }

  void ShowSwitch(WindowId self, bool on) {
    context_.ui.SetControlText(self, R7_TURBO_SWITCH, StringText(on ? kSwitchOn : kSwitchOff));
  }

  void ResetCounters(WindowId self) {
    context_.ui.SetControlText(self, R7_TURBO_RECORDS, "0");
    context_.ui.SetControlText(self, R7_TURBO_INDEXES, "0");
  }

  std::shared_ptr<AutomaticMode> mode_;
  std::string last_company_;  // the company of the last refresh
};

}  // namespace

WindowId OpenDataPreloadDialog(const ToolContext& context, std::shared_ptr<AutomaticMode> mode,
                               WindowId owner) {
  return ToolDialog::Open(std::make_shared<DataPreloadDialog>(context, std::move(mode)), "TURBO",
                          owner);
}

void PreloadAtStartUp(const ToolContext& context, const std::shared_ptr<AutomaticMode>& mode,
                      std::string_view company) {
  platform::UserInterface& ui = context.ui;
  const WindowId open = context.dialogs.Handle(DialogKind::kPreload);
  if (open != platform::kNoWindow) ui.Send(open, platform::CommandMessage(platform::kCancelButton));
  mode->company = std::string(company);
  const WindowId dialog = context.dialogs.Create(DialogKind::kPreload, context.command_window());
  if (dialog != platform::kNoWindow) {
    ui.Send(dialog, platform::CommandMessage(platform::kOkButton));
    if (ui.IsWindow(dialog)) ui.Send(dialog, platform::CommandMessage(platform::kCancelButton));
  }
  mode->company.clear();
}

}  // namespace r7::data_preload
