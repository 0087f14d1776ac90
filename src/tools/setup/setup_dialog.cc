// The Setup dialog. (platform-independent)
#include "tools/setup/setup_dialog.h"

#include <array>
#include <memory>

#include "base/error_codes.h"
#include "base/string_table.h"
#include "common/text_util.h"
#include "resources/setup_dialog_ids.h"
#include "tools/settings_reload.h"
#include "tools/setup/company_profile.h"
#include "tools/tool_dialog.h"

namespace r7::setup {
namespace {

using platform::WindowId;
namespace box = platform::box;
namespace notify = platform::notify;

constexpr unsigned long kHelpTopic = 2;
constexpr int kBrowseTitle = 277;
constexpr int kBrowseFilter = 278;

constexpr std::size_t kMaxSystemDirectory = 259;
constexpr std::size_t kMaxRevision = 2;
constexpr std::size_t kMaxZeroLabel = 16;
constexpr std::size_t kMaxYear = 4;
constexpr std::size_t kCompanyCodeWidth = 3;  // what OK and the profile take of the combo

constexpr int kPeriodOff = 13;  // the entry after "13"
constexpr std::array<std::string_view, 8> kScalings = {
    "None", "10", "100", "1,000", "10,000", "100,000", "1,000,000", "10,000,000"};
constexpr std::array<std::string_view, 10> kRoundings = {
    "None", ".01", ".1", "1", "10", "100", "1,000", "10,000", "100,000", "1,000,000"};

// The earliest year taken as a year; below it OK looks further.
constexpr int kFirstYear = 1900;
constexpr int kYearOfLastResort = 1990;

// The mapping radio buttons: a row of three per segment.
constexpr int kMappingRadios = R7_SETUP_ACCOUNT_NUMERIC;
constexpr int kMappingRadioCount = 9;
int Settings::*const kMappings[] = {&Settings::account_mapping, &Settings::profit_center_mapping,
                                    &Settings::department_mapping};

// A combo's entry index for a setting's value, or past the entries (none) outside them.
int EntryOf(int value, std::size_t count) {
  return value >= 0 && static_cast<std::size_t>(value) < count ? value : static_cast<int>(count);
}

class SetupDialog : public ToolDialog {
 public:
  explicit SetupDialog(const ToolContext& context) : ToolDialog(context, DialogKind::kSetup) {}

 private:
  void OnInit(WindowId self) override { Initialise(self); }

  bool OnCommand(WindowId self, int id, int code) override {
    platform::UserInterface& ui = context_.ui;
    Settings& settings = context_.settings;
    switch (id) {
      case R7_SETUP_SYSTEM:
        if (code == notify::kEditKillFocus) TakeSystemDirectory(self, ui.ControlText(self, id));
        return true;
      case R7_SETUP_SCALING:
      case R7_SETUP_ROUNDING:
        if (code == notify::kComboSelectionChange && ui.SelectedEntry(self, id) >= 0) {
          (id == R7_SETUP_SCALING ? settings.scaling : settings.rounding) =
              ui.SelectedEntry(self, id);
        }
        return true;
      case R7_SETUP_PERIOD:
        if (code == notify::kComboSelectionChange && ui.SelectedEntry(self, id) >= 0) {
          const int entry = ui.SelectedEntry(self, id);
          settings.current_period = entry == kPeriodOff ? 0 : entry + 1;
          context_.ledger(platform::kNoWindow).companies.CloseAllCompanies();
        }
        return true;
      default:
        break;
    }
    if (code != notify::kClicked) return false;
    if (id >= kMappingRadios && id < kMappingRadios + kMappingRadioCount) {
      settings.*kMappings[(id - kMappingRadios) / 3] = (id - kMappingRadios) % 3 + 1;
      return true;
    }
    switch (id) {
      case R7_SETUP_NA_LABEL:
        settings.na_label = ui.IsChecked(self, id) ? 1 : 0;
        return true;
      case R7_SETUP_PRELOAD:
        settings.adpl_enabled = ui.IsChecked(self, id) ? 1 : 0;
        return true;
      case R7_SETUP_BROWSE:
        Browse(self);
        return true;
      case R7_SETUP_PROFILE:
        ShowProfile(self);
        return true;
      case R7_SETUP_ENTITIES:
        OpenEntitiesSetup();
        return true;
      case platform::kOkButton:
        Confirm(self);
        return true;
      case platform::kCancelButton:
        OnClose(self);
        return true;
      case kCloseAndCleanUp:
        ui.DestroyWindow(self);
        return true;
      case kHelpButton:
        context_.help.Open(self, "Tessary.HLP", kHelpContext, kHelpTopic);
        return true;
      default:
        return false;
    }
  }

  // Cancel: the settings as R7.INI holds them, and the session in line with them.
  void OnClose(WindowId self) override {
    ReloadSettings(context_);
    context_.ui.DestroyWindow(self);
  }

  void Initialise(WindowId self) {
    platform::UserInterface& ui = context_.ui;
    const Settings& settings = context_.settings;
    context_.ledger(platform::kNoWindow).companies.DropFailedCompanies();

    for (int period = 1; period <= 13; ++period) {
      ui.AddEntry(self, R7_SETUP_PERIOD, std::to_string(period));
    }
    ui.AddEntry(self, R7_SETUP_PERIOD, "OFF");
    const int period = settings.current_period;
    ui.SelectEntry(self, R7_SETUP_PERIOD,
                   period == 0 ? kPeriodOff : EntryOf(period - 1, kPeriodOff));

    for (std::string_view scaling : kScalings) ui.AddEntry(self, R7_SETUP_SCALING, scaling);
    ui.SelectEntry(self, R7_SETUP_SCALING, EntryOf(settings.scaling, kScalings.size()));
    for (std::string_view rounding : kRoundings) ui.AddEntry(self, R7_SETUP_ROUNDING, rounding);
    ui.SelectEntry(self, R7_SETUP_ROUNDING, EntryOf(settings.rounding, kRoundings.size()));

    FillCompanies(self);
    seen_system_ = settings.system_directory;
    ui.SetControlText(self, R7_SETUP_SYSTEM, settings.system_directory);

    int revision_entry = -1;
    for (int revision = 1; revision <= 99; ++revision) {
      const std::string text = (revision < 10 ? "0" : "") + std::to_string(revision);
      if (text == settings.revision) revision_entry = revision - 1;
      ui.AddEntry(self, R7_SETUP_REVISION, text);
    }
    if (revision_entry >= 0) {
      ui.SelectEntry(self, R7_SETUP_REVISION, revision_entry);
    } else {
      ui.SetControlText(self, R7_SETUP_REVISION, settings.revision);
    }
    ui.SetControlText(self, R7_SETUP_ZERO_LABEL, settings.zero_label);
    ui.SetChecked(self, R7_SETUP_NA_LABEL, settings.na_label != 0);
    ui.SetChecked(self, R7_SETUP_PRELOAD, settings.adpl_enabled != 0);

    FillYears(self);

    for (int segment = 0; segment < 3; ++segment) {
      int mapping = settings.*kMappings[segment];
      if (mapping < 1 || mapping > 3) mapping = 1;  // shown as Numeric
      for (int column = 0; column < 3; ++column) {
        ui.SetChecked(self, kMappingRadios + segment * 3 + column, column + 1 == mapping);
      }
    }
  }

  // The company directories, the first that begins with the Company setting selected.
  void FillCompanies(WindowId self) {
    platform::UserInterface& ui = context_.ui;
    ui.ClearEntries(self, R7_SETUP_COMPANY);
    const std::vector<std::string>& entries = context_.company_dir_list();
    int selected = -1;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      ui.AddEntry(self, R7_SETUP_COMPANY, entries[i]);
      if (selected < 0 && StartsWithIgnoreCase(entries[i], context_.settings.company)) {
        selected = static_cast<int>(i);
      }
    }
    if (selected >= 0) ui.SelectEntry(self, R7_SETUP_COMPANY, selected);
  }

  // The current company's years, newest first; the Current Year selected, else the first.
  void FillYears(WindowId self) {
    platform::UserInterface& ui = context_.ui;
    CompanyCatalogue& companies = context_.ledger(platform::kNoWindow).companies;
    CompanyContext* company = companies.FindCompany(context_.settings.company);
    context_.errors.Clear();
    if (company == nullptr || company->status != 0) return;
    int selected = 0;
    int index = 0;
    for (int year : companies.YearList(*company)) {
      const std::string text = std::to_string(year);
      if (text == context_.settings.current_year) selected = index;
      ui.AddEntry(self, R7_SETUP_YEAR, text);
      ++index;
    }
    if (index > 0) ui.SelectEntry(self, R7_SETUP_YEAR, selected);
  }

  // A new System Directory: the loaded companies and the lists' caches go, and the
  // companies under it are listed.
  void TakeSystemDirectory(WindowId self, std::string_view text) {
    std::string directory = CutTo(text, kMaxSystemDirectory);
    if (directory == seen_system_) return;
    seen_system_ = directory;
    context_.settings.system_directory = std::move(directory);
    context_.reset_companies();
    FillCompanies(self);
  }

  // A company's compfile.dat chosen: the directory two levels above it is the System
  // Directory.
  void Browse(WindowId self) {
    platform::FileChoice choice;
    choice.title = StringText(kBrowseTitle);
    choice.filter = StringText(kBrowseFilter);
    choice.start_directory = context_.settings.system_directory;
    std::optional<std::string> chosen = context_.ui.ChooseFile(self, choice);
    if (!chosen) return;
    std::string directory = *chosen;
    for (int component = 0; component < 2; ++component) {
      const std::size_t separator = directory.find_last_of("\\/");
      directory.resize(separator == std::string::npos ? 0 : separator);
    }
    context_.ui.SetControlText(self, R7_SETUP_SYSTEM, directory);
    TakeSystemDirectory(self, directory);
  }

  std::string ChosenCompanyCode(WindowId self) {
    const std::string text = context_.ui.ControlText(self, R7_SETUP_COMPANY);
    return std::string(TrimTrailingBlanks(
        std::string_view(text).substr(0, std::min(text.size(), kCompanyCodeWidth))));
  }

  // The company's facts on the clipboard and in a box; a company that cannot be loaded
  // shows its error instead (its own error alone: a record-manager status left from an
  // earlier read says nothing of it).
  void ShowProfile(WindowId self) {
    const std::string code = ChosenCompanyCode(self);
    const CompanyProfile profile =
        BuildCompanyProfile(context_.ledger(platform::kNoWindow).companies, code);
    context_.errors.Clear();
    if (profile.status != 0) {
      if (profile.status > 1) context_.messages.ShowErrorBox(self, profile.status, code);
      return;
    }
    context_.clipboard.SetText(profile.text);
    context_.messages.MessageBoxWrapper(self, profile.text, kCaption,
                                        box::kOk | box::kIconInformation);
  }

  void OpenEntitiesSetup() {
    const WindowId open = context_.dialogs.Handle(DialogKind::kEntitiesSetup);
    if (open != platform::kNoWindow && context_.ui.IsWindow(open)) {
      context_.ui.Show(open, platform::ShowMode::kNormal);
      return;
    }
    context_.dialogs.Create(DialogKind::kEntitiesSetup, context_.command_window());
  }

  void Confirm(WindowId self) {
    platform::UserInterface& ui = context_.ui;
    Settings& settings = context_.settings;
    // A System Directory confirmed with Enter never left its edit: it resets the same.
    TakeSystemDirectory(self, ui.ControlText(self, R7_SETUP_SYSTEM));
    settings.company = ChosenCompanyCode(self);
    settings.revision = CutTo(ui.ControlText(self, R7_SETUP_REVISION), kMaxRevision);
    settings.zero_label = CutTo(ui.ControlText(self, R7_SETUP_ZERO_LABEL), kMaxZeroLabel);
    const std::string year = CutTo(ui.ControlText(self, R7_SETUP_YEAR), kMaxYear);
    const bool year_changed = year != settings.current_year;
    settings.current_year = year;
    if (LeadingInt(year) < kFirstYear) settings.current_year = std::to_string(YearOfLastResort());
    if (!context_.settings_store.SaveAll(settings)) {
      context_.messages.ShowErrorBox(self, kIniNotWritten, "");
    }
    if (year_changed) context_.session.drill.year = settings.current_year;
    context_.lists.Reset();
    ui.DestroyWindow(self);
  }

  // The company's fiscal year, else the clock's, else 1990.
  int YearOfLastResort() {
    CompanyContext* company =
        context_.ledger(platform::kNoWindow).companies.FindCompany(context_.settings.company);
    const int company_year =
        company != nullptr && company->status == 0 ? LeadingInt(company->fiscal_year) : 0;
    context_.errors.Clear();
    if (company_year >= kFirstYear) return company_year;
    const int clock_year = context_.clock.Today().year;
    return clock_year >= kFirstYear ? clock_year : kYearOfLastResort;
  }

  std::string seen_system_;  // the System Directory as the dialog last saw it
};

}  // namespace

WindowId OpenSetupDialog(const ToolContext& context, WindowId owner) {
  return ToolDialog::Open(std::make_shared<SetupDialog>(context), "SETUP", owner);
}

}  // namespace r7::setup
