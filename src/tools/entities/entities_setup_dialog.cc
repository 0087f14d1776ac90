// The financial entities setup. (platform-independent)
#include "tools/entities/entities_setup_dialog.h"

#include <memory>

#include "base/error_codes.h"
#include "base/string_table.h"
#include "common/text_util.h"
#include "resources/entities_dialog_ids.h"
#include "tools/entities/entities_company.h"
#include "tools/entities/entities_rebuild.h"
#include "tools/entities/entities_texts.h"
#include "tools/entities_readings.h"
#include "tools/settings_reload.h"
#include "tools/tool_dialog.h"

namespace r7::entities {
namespace {

using platform::Message;
using platform::WindowId;
namespace box = platform::box;
namespace notify = platform::notify;

constexpr std::size_t kMaxPath = 259;

class EntitiesSetupDialog : public ToolDialog {
 public:
  explicit EntitiesSetupDialog(const ToolContext& context)
      : ToolDialog(context, DialogKind::kEntitiesSetup) {}

 private:
  void OnInit(WindowId self) override { Initialise(self); }

  bool OnCommand(WindowId self, int id, int code) override {
    if (id == R7_FESETUP_PATH) {
      if (code == notify::kEditKillFocus) TakePath(self, context_.ui.ControlText(self, id));
      return true;
    }
    if (code != notify::kClicked) return false;
    switch (id) {
      case R7_FESETUP_GL_PATH:
      case R7_FESETUP_OTHER:
        ChoosePlace(self, id == R7_FESETUP_GL_PATH);
        return true;
      case R7_FESETUP_BROWSE:
        if (auto folder = context_.ui.ChooseFolder(self, StringText(kFolderTitle))) {
          context_.ui.SetControlText(self, R7_FESETUP_PATH, *folder);
          TakePath(self, *folder);
        }
        return true;
      case R7_FESETUP_LISTS_USE_FILE:
        context_.settings.lists_use_entities_file = context_.ui.IsChecked(self, id) ? 1 : 0;
        context_.lists.Reset();
        return true;
      case R7_FESETUP_CREATE:
        CreateNewFile(self);
        return true;
      case platform::kOkButton:
        if (!context_.settings_store.SaveAll(context_.settings)) {
          context_.messages.ShowErrorBox(self, kIniNotWritten, "");
        }
        context_.ui.DestroyWindow(self);
        return true;
      case platform::kCancelButton:
        OnClose(self);
        return true;
      case kCloseAndCleanUp:
        context_.ui.DestroyWindow(self);
        return true;
      case kHelpButton:
        context_.help.Open(self, "Tessary.HLP", kHelpContext, kDialogHelpTopic);
        return true;
      default:
        return false;
    }
  }

  // The Help button of the place note opens the add-in's help at the note's topic.
  bool OnMessage(WindowId self, const Message& m) override {
    if (m.id != platform::message::kHelp || !showing_place_note_) return false;
    context_.help.Open(self, "R7.HLP", kHelpContext, kPlaceHelpTopic);
    return true;
  }

  // Cancel: the settings as R7.INI holds them, and the session in line with them.
  void OnClose(WindowId self) override {
    ReloadSettings(context_);
    context_.ui.DestroyWindow(self);
  }

  void Initialise(WindowId self) {
    platform::UserInterface& ui = context_.ui;
    ui.SetControlText(self, R7_FESETUP_PROGRESS, "");
    if (EntitiesCompany(context_) == nullptr) {
      context_.show_pending_error(self);
      return;
    }
    const bool gl_path = context_.settings.entities_file_in_gl_path != 0;
    ui.SetChecked(self, R7_FESETUP_GL_PATH, gl_path);
    ui.SetChecked(self, R7_FESETUP_OTHER, !gl_path);
    ShowPlace(self);
    ui.SetChecked(self, R7_FESETUP_LISTS_USE_FILE, context_.settings.lists_use_entities_file != 0);
  }

  // The path edit and its Browse serve the Other place only; the GL path shows no path.
  void ShowPlace(WindowId self) {
    const bool other = context_.settings.entities_file_in_gl_path == 0;
    context_.ui.EnableControl(self, R7_FESETUP_PATH, other);
    context_.ui.EnableControl(self, R7_FESETUP_BROWSE, other);
    context_.ui.SetControlText(self, R7_FESETUP_PATH, other ? context_.settings.fe_file_path : "");
  }

  void ChoosePlace(WindowId self, bool gl_path) {
    showing_place_note_ = true;
    context_.messages.MessageBoxById(self, kPlaceNote, kCaption,
                                     box::kOk | box::kIconInformation | box::kHelpButton);
    showing_place_note_ = false;
    Settings& settings = context_.settings;
    const bool changed = (settings.entities_file_in_gl_path != 0) != gl_path;
    settings.entities_file_in_gl_path = gl_path ? 1 : 0;
    ShowPlace(self);
    if (changed) FollowEntitiesPlace(context_);
  }

  void TakePath(WindowId self, std::string_view text) {
    (void)self;
    std::string path = CutTo(text, kMaxPath);
    if (path == context_.settings.fe_file_path) return;
    context_.settings.fe_file_path = std::move(path);
    if (context_.settings.entities_file_in_gl_path == 0) FollowEntitiesPlace(context_);
  }

  void CreateNewFile(WindowId self) {
    CompanyContext* company = EntitiesCompany(context_);
    if (company == nullptr) {
      context_.show_pending_error(self);
      return;
    }
    // The string table holds no carriage returns: the question's breaks are put here.
    std::string question(StringText(kCreateQuestionStart));
    question += "\r\r   ";
    question += StringText(kCompanyLabel);
    question += context_.settings.company;
    question += "\r\r";
    question += StringText(kCreateQuestionBasis);
    question += "\r\r";
    question += StringText(kCreateQuestionWarning);
    if (context_.messages.MessageBoxWrapper(self, question, StringText(kCreateCaption),
                                            box::kOkCancel | box::kIconQuestion) !=
        platform::answer::kOk) {
      return;
    }
    FillAndReport(context_, *company, self, FillMode::kNewFile, R7_FESETUP_PROGRESS);
    Initialise(self);
  }

  bool showing_place_note_ = false;
};

}  // namespace

WindowId OpenEntitiesSetupDialog(const ToolContext& context, WindowId owner) {
  return ToolDialog::Open(std::make_shared<EntitiesSetupDialog>(context), "FESETUP", owner);
}

}  // namespace r7::entities
