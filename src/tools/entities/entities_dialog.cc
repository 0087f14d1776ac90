// The maintenance of a company's financial entities file. (platform-independent)
#include "tools/entities/entities_dialog.h"

#include <memory>

#include "base/error_codes.h"
#include "base/string_table.h"
#include "common/text_util.h"
#include "ledger/entities_file.h"
#include "ledger/entities_file_edit.h"
#include "ledger/entities_file_record.h"
#include "resources/entities_dialog_ids.h"
#include "tools/entities/entities_company.h"
#include "tools/entities/entities_rebuild.h"
#include "tools/entities/entities_texts.h"
#include "tools/entities_readings.h"
#include "tools/tool_dialog.h"

namespace r7::entities {
namespace {

using platform::WindowId;
namespace box = platform::box;
namespace notify = platform::notify;
namespace ef = ledger::entities_file;

constexpr int kSegmentCount = 3;
constexpr std::string_view kEntityMarks = ".,*?";
constexpr std::string_view kPlaceholderDescription = "NA";

// The value part of a chooser entry "value; description".
std::string ValueOf(std::string_view entry) {
  return std::string(TrimBlanks(entry.substr(0, entry.find(';'))));
}

class EntitiesDialog : public ToolDialog {
 public:
  explicit EntitiesDialog(const ToolContext& context)
      : ToolDialog(context, DialogKind::kEntities) {}

 private:
  void OnInit(WindowId self) override { Initialise(self); }

  bool OnCommand(WindowId self, int id, int code) override {
    platform::UserInterface& ui = context_.ui;
    if (id == R7_SAD_SEGMENT) {
      if (code == notify::kComboSelectionChange) {
        segment_ = ui.SelectedEntry(self, id) + 1;
        ClearFields(self);
        FillChooser(self);
      }
      return true;
    }
    if (id == R7_SAD_VALUE) {
      if (code == notify::kComboSelectionChange) {
        const int selected = ui.SelectedEntry(self, id);
        const std::vector<std::string> entries = ui.Entries(self, id);
        if (selected >= 0 && selected < static_cast<int>(entries.size())) {
          ShowRecord(self, entries[static_cast<std::size_t>(selected)], true);
        }
      } else if (code == notify::kComboKillFocus) {
        // Only what the user typed: leaving the chooser unchanged keeps the edit as it is.
        const std::string typed = ui.ControlText(self, id);
        if (typed != shown_) ShowRecord(self, typed, false);
      }
      return true;
    }
    if (code != notify::kClicked) return false;
    switch (id) {
      case R7_SAD_ENTITY_MODE:
        SetMode(self, ui.IsChecked(self, id));
        ClearFields(self);
        FillChooser(self);
        return true;
      case R7_SAD_ADD:
        AddOrUpdate(self);
        return true;
      case R7_SAD_DELETE:
        Delete(self);
        return true;
      case R7_SAD_REBUILD:
      case platform::kOkButton:
        if (!entity_mode_) Rebuild(self);
        return true;
      case platform::kCancelButton:
      case kCloseAndCleanUp:
        if (!context_.settings_store.SaveAll(context_.settings)) {
          context_.messages.ShowErrorBox(self, kIniNotWritten, "");
        }
        ui.DestroyWindow(self);
        return true;
      case kHelpButton:
        context_.help.Open(self, "Tessary.HLP", kHelpContext, kDialogHelpTopic);
        return true;
      default:
        return false;
    }
  }

  // The company with its file open; null after saying why not.
  CompanyContext* CompanyWithFile(WindowId self) {
    CompanyContext* company = EntitiesCompany(context_);
    if (company == nullptr) {
      context_.show_pending_error(self);
      return nullptr;
    }
    const LedgerServices services = context_.ledger(self);
    if (EntitiesFile(services.records, services.companies, services.files).Open(*company) != 0) {
      context_.errors.Clear();
      Say(self, kCouldNotOpen, box::kIconExclamation);
      return nullptr;
    }
    return company;
  }

  EntitiesFileEdit Edit(CompanyContext& company) {
    return EntitiesFileEdit(context_.ledger(platform::kNoWindow).records,
                            company.entities.position);
  }

  void Say(WindowId self, int message, unsigned icon) {
    context_.messages.MessageBoxById(self, message, kCaption, box::kOk | icon);
  }

  void Initialise(WindowId self) {
    platform::UserInterface& ui = context_.ui;
    segment_ = 1;
    ui.ClearEntries(self, R7_SAD_SEGMENT);
    for (int i = 0; i < kSegmentCount; ++i) {
      ui.AddEntry(self, R7_SAD_SEGMENT, StringText(kFirstSegmentName + i));
    }
    ui.SelectEntry(self, R7_SAD_SEGMENT, 0);
    ui.SetControlText(self, R7_SAD_PROGRESS, "");
    SetMode(self, entity_mode_);
    ClearFields(self);
    if (CompanyWithFile(self) != nullptr) FillChooser(self);
  }

  void SetMode(WindowId self, bool entities) {
    platform::UserInterface& ui = context_.ui;
    entity_mode_ = entities;
    ui.SetChecked(self, R7_SAD_ENTITY_MODE, entities);
    ui.SetControlText(self, R7_SAD_VALUE_LABEL, StringText(entities ? kEntityLabel : kValueLabel));
    ui.SetControlText(self, R7_SAD_TEXT_LABEL,
                      StringText(entities ? kSpecifierLabel : kDescriptionLabel));
    ui.EnableControl(self, R7_SAD_REBUILD, !entities);
  }

  int EntityCode() const { return segment_ + ef::kEntityCodeOffset; }

  void ClearFields(WindowId self) {
    context_.ui.SetControlText(self, R7_SAD_VALUE, "");
    context_.ui.SetControlText(self, R7_SAD_TEXT, "");
    shown_.clear();
  }

  // The chooser's entries: the segment's entities by name, or its values with their
  // descriptions. What the chooser shows stays.
  void FillChooser(WindowId self) {
    platform::UserInterface& ui = context_.ui;
    const std::string text = ui.ControlText(self, R7_SAD_VALUE);
    ui.ClearEntries(self, R7_SAD_VALUE);
    if (CompanyContext* company = EntitiesCompany(context_)) {
      const LedgerServices services = context_.ledger(platform::kNoWindow);
      EntitiesFile file(services.records, services.companies, services.files);
      const EntityLists lists = file.ListEntityRecords(
          *company, segment_, entity_mode_ ? EntityListMode::kEntities : EntityListMode::kValues,
          false);
      for (const std::string& entry : lists.main) ui.AddEntry(self, R7_SAD_VALUE, entry);
    }
    context_.errors.Clear();
    ui.SetControlText(self, R7_SAD_VALUE, text);
  }

  // The record that a chooser entry, or what the user typed, names: an entity's specifier,
  // or a value (shown whole, however much of it the list shows) and its description.
  void ShowRecord(WindowId self, std::string_view text, bool from_list) {
    platform::UserInterface& ui = context_.ui;
    CompanyContext* company = EntitiesCompany(context_);
    context_.errors.Clear();
    std::optional<EntityEntry> found;
    std::string shown_value;
    if (entity_mode_) {
      shown_value = std::string(TrimBlanks(text));
      if (company != nullptr) found = Edit(*company).FindName(EntityCode(), shown_value);
      ui.SetControlText(self, R7_SAD_TEXT, found ? found->value : "");
    } else {
      shown_value = ValueOf(text);
      if (company != nullptr && !shown_value.empty()) {
        found = Edit(*company).FindValue(segment_, shown_value);
        // The list shows at most 29 characters of a value: the record is the one they begin.
        if (!found && from_list)
          found = Edit(*company).FindValueStartingWith(segment_, shown_value);
      }
      if (found) shown_value = found->value;
      ui.SetControlText(self, R7_SAD_TEXT, found ? found->description : "");
    }
    context_.errors.Clear();
    ui.SetControlText(self, R7_SAD_VALUE, shown_value);
    shown_ = shown_value;
  }

  void AddOrUpdate(WindowId self) {
    platform::UserInterface& ui = context_.ui;
    const std::string chooser = ui.ControlText(self, R7_SAD_VALUE);
    const std::string text = ui.ControlText(self, R7_SAD_TEXT);
    if (entity_mode_) {
      StoreEntity(self, TrimBlanks(chooser), text);
      return;
    }
    const std::string value = ValueOf(chooser);
    if (value.empty()) return;
    if (value.find_first_of(kEntityMarks) != std::string::npos) {
      if (context_.messages.MessageBoxById(self, kLooksLikeEntity, kCaption,
                                           box::kYesNo | box::kIconQuestion) !=
          platform::answer::kYes) {
        return;
      }
      // Stored as an entity: the description names it, the value is its specifier.
      SetMode(self, true);
      ui.SetControlText(self, R7_SAD_VALUE, TrimBlanks(text));
      ui.SetControlText(self, R7_SAD_TEXT, value);
      StoreEntity(self, TrimBlanks(text), value);
      return;
    }
    CompanyContext* company = CompanyWithFile(self);
    if (company == nullptr) return;
    EntitiesFileEdit file = Edit(*company);
    // Records without a name and placeholder descriptions of the value give way first.
    int status = file.DeleteNamed(segment_, "");
    if (status == 0) status = file.DeleteValue(segment_, value, kPlaceholderDescription);
    if (status == 0)
      status = file.PutValue(segment_, value, CutTo(text, ef::kMaxDescription), true);
    Finish(self, status);
    ui.SetControlText(self, R7_SAD_VALUE, value);
    shown_ = value;
  }

  void StoreEntity(WindowId self, std::string_view name, std::string_view specifier) {
    const std::string cut_name = CutTo(name, ef::kMaxDescription);
    if (cut_name.empty()) {
      Say(self, kUpdateFailed, box::kIconExclamation);
      return;
    }
    CompanyContext* company = CompanyWithFile(self);
    if (company == nullptr) return;
    const int status = Edit(*company).PutNamed(EntityCode(), cut_name,
                                               CutTo(TrimBlanks(specifier), ef::kMaxValueText));
    Finish(self, status);
    shown_ = context_.ui.ControlText(self, R7_SAD_VALUE);
  }

  void Delete(WindowId self) {
    CompanyContext* company = CompanyWithFile(self);
    if (company == nullptr) return;
    const std::string chooser = context_.ui.ControlText(self, R7_SAD_VALUE);
    EntitiesFileEdit file = Edit(*company);
    const int status = entity_mode_ ? file.DeleteNamed(EntityCode(), TrimBlanks(chooser))
                                    : file.DeleteValue(segment_, ValueOf(chooser));
    ClearFields(self);
    Finish(self, status);
  }

  // After a change: a failure said, what was read from the file forgotten, the list anew.
  void Finish(WindowId self, int status) {
    context_.errors.Clear();
    if (status != 0) Say(self, kUpdateFailed, box::kIconExclamation);
    ForgetEntitiesReadings(context_);
    FillChooser(self);
  }

  void Rebuild(WindowId self) {
    CompanyContext* company = EntitiesCompany(context_);
    if (company == nullptr) {
      context_.show_pending_error(self);
      return;
    }
    FillAndReport(context_, *company, self, FillMode::kRefreshExisting, R7_SAD_PROGRESS);
    Initialise(self);
  }

  int segment_ = 1;  // 1 main account, 2 profit center, 3 department
  bool entity_mode_ = false;
  std::string shown_;  // the chooser's text as the dialog last showed it
};

}  // namespace

WindowId OpenEntitiesDialog(const ToolContext& context, WindowId owner) {
  return ToolDialog::Open(std::make_shared<EntitiesDialog>(context), "SAD", owner);
}

}  // namespace r7::entities
