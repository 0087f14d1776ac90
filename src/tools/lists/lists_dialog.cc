// The Lists dialog. (platform-independent)
#include "tools/lists/lists_dialog.h"

#include <memory>

#include "base/error_codes.h"
#include "common/text_util.h"
#include "host/help_opener.h"
#include "resources/lists_dialog_ids.h"
#include "tools/lists/list_builder.h"
#include "tools/segment_lists.h"
#include "tools/tool_dialog.h"

namespace r7::lists {
namespace {

using platform::Message;
using platform::WindowId;
namespace message = platform::message;
namespace notify = platform::notify;

constexpr int kListSent = 5343;
constexpr int kRequestFailed = 5344;
constexpr unsigned long kHelpTopic = 5;
constexpr std::string_view kNone = "(None)";
constexpr std::size_t kMaxChooserText = 50;

// The list name of each Selected List; the segment list (0) is composed from the choosers.
std::string_view ListNameOf(int selected) {
  switch (selected) {
    case 1:
      return "Companies";
    case 2:
      return "Budgets";
    case 4:
      return "Lists";
    case 5:
      return "Periods";
    case 6:
      return "Years";
    case 9:
      return "Accounts";
    case 10:
      return "BWB Headers";
    default:
      return "";
  }
}

constexpr int kRadios[] = {R7_LISTS_SEGMENTS, R7_LISTS_COMPANIES,  R7_LISTS_REVISIONS,
                           R7_LISTS_LISTS,    R7_LISTS_PERIODS,    R7_LISTS_YEARS,
                           R7_LISTS_ACCOUNTS, R7_LISTS_BWB_HEADERS};
constexpr int kSegmentControls[] = {R7_LISTS_SEGMENT_LABEL, R7_LISTS_SEGMENT,  R7_LISTS_WHERE_LABEL,
                                    R7_LISTS_WHERE,         R7_LISTS_IS_LABEL, R7_LISTS_IS};

class ListsDialog : public ToolDialog {
 public:
  explicit ListsDialog(const ToolContext& context) : ToolDialog(context, DialogKind::kLists) {}

 private:
  void OnInit(WindowId self) override { Initialise(self); }

  bool OnCommand(WindowId self, int id, int code) override {
    if (id == R7_LISTS_WHERE) {
      if (code == notify::kComboKillFocus) FillIs(self);
      return true;
    }
    if (code != notify::kClicked) return false;
    Settings& settings = context_.settings;
    switch (id) {
      case platform::kOkButton:
        Send(self);
        return true;
      case platform::kCancelButton:
      case kCloseAndCleanUp:
        Close(self, true);
        return true;
      case kHelpButton:
        context_.help.Open(self, "Tessary.HLP", kHelpContext, kHelpTopic);
        return true;
      case R7_LISTS_TRANSPOSE:
        settings.list_transpose = context_.ui.IsChecked(self, id) ? 1 : 0;
        context_.lists.valid = false;
        return true;
      case R7_LISTS_DESCRIPTIONS:
        settings.list_generate_descriptions = context_.ui.IsChecked(self, id) ? 1 : 0;
        context_.lists.valid = false;
        return true;
      default:
        if (id >= R7_LISTS_SEGMENTS && id <= R7_LISTS_BWB_HEADERS) {
          settings.selected_list = id - R7_LISTS_SEGMENTS;
          EnableSegmentControls(self);
        }
        return true;
    }
  }

  CompanyContext* Company() {
    CompanyContext* company =
        context_.ledger(platform::kNoWindow).companies.FindCompany(context_.settings.company);
    return company != nullptr && company->status == 0 ? company : nullptr;
  }

  void Initialise(WindowId self) {
    platform::UserInterface& ui = context_.ui;
    const Settings& settings = context_.settings;
    context_.lists.Reset();
    CompanyContext* company = Company();
    if (company == nullptr) {
      context_.show_pending_error(self);
      return;
    }
    ui.AddEntry(self, R7_LISTS_WHERE, kNone);
    for (int field : segment_lists::SegmentFields(*company)) {
      const std::string title = segment_lists::SegmentTitle(context_, *company, field);
      ui.AddEntry(self, R7_LISTS_SEGMENT, title);
      ui.AddEntry(self, R7_LISTS_WHERE, title);
    }
    ui.SetControlText(self, R7_LISTS_SEGMENT, settings.list_segment_segment);
    ui.SetControlText(self, R7_LISTS_WHERE, settings.list_segment_where);
    FillIs(self);
    for (int radio : kRadios) {
      ui.SetChecked(self, radio, radio - R7_LISTS_SEGMENTS == settings.selected_list);
    }
    EnableSegmentControls(self);
    ui.SetChecked(self, R7_LISTS_TRANSPOSE, settings.list_transpose != 0);
    ui.SetChecked(self, R7_LISTS_DESCRIPTIONS, settings.list_generate_descriptions != 0);
  }

  void EnableSegmentControls(WindowId self) {
    for (int control : kSegmentControls) {
      context_.ui.EnableControl(self, control, context_.settings.selected_list == 0);
    }
  }

  // The values of the Where segment, offered as filters.
  void FillIs(WindowId self) {
    platform::UserInterface& ui = context_.ui;
    ui.ClearEntries(self, R7_LISTS_IS);
    if (CompanyContext* company = Company()) {
      const std::string where = ui.ControlText(self, R7_LISTS_WHERE);
      const std::size_t segment = EqualsIgnoreCase(where, "Main")            ? 0
                                  : EqualsIgnoreCase(where, "Profit Center") ? 1
                                                                             : 2;
      if (segment_lists::FillCaches(context_, *company, self, Progress(self)) == 0) {
        for (std::string value : context_.lists.values[segment]) {
          std::replace(value.begin(), value.end(), '\t', ' ');
          ui.AddEntry(self, R7_LISTS_IS, value);
        }
      }
    }
    ui.SetControlText(self, R7_LISTS_IS, context_.settings.list_segment_is);
  }

  segment_lists::Progress Progress(WindowId self) {
    return [this, self](std::size_t accounts) {
      context_.ui.SetControlText(self, R7_LISTS_PROGRESS,
                                 "Accounts read: " + std::to_string(accounts));
      context_.input.Repaint(self);
    };
  }

  void Send(WindowId self) {
    platform::UserInterface& ui = context_.ui;
    Settings& settings = context_.settings;
    const bool silent = settings.no_show != 0;
    if (silent) context_.clipboard.Clear();
    if (Company() == nullptr) {
      context_.show_pending_error(self);
      return;
    }
    context_.input.ShowWaitCursor();
    if (!(silent && !settings.list.empty())) {
      if (settings.selected_list != 0) {
        settings.list = std::string(ListNameOf(settings.selected_list));
      } else {
        settings.list_segment_segment =
            CutTo(ui.ControlText(self, R7_LISTS_SEGMENT), kMaxChooserText);
        settings.list_segment_where = CutTo(ui.ControlText(self, R7_LISTS_WHERE), kMaxChooserText);
        std::string is = ui.ControlText(self, R7_LISTS_IS);
        settings.list_segment_is = CutTo(is.substr(0, is.find(';')), kMaxChooserText);
        std::string request = settings.list_segment_segment + ";";
        if (settings.list_segment_where != kNone) {
          request += settings.list_segment_where + ";" + settings.list_segment_is;
        }
        settings.list = request;
      }
    }
    ClipboardText text;
    const ListResult result = BuildList(context_, self, text, Progress(self));
    if (result.status == 0 && result.to_clipboard) context_.clipboard.SetText(text.text());
    ui.SetControlText(self, R7_LISTS_PROGRESS, "");
    context_.input.ShowArrowCursor();
    context_.messages.MessageBoxById(self, result.status == 0 ? kListSent : kRequestFailed,
                                     kCaption, platform::box::kIconInformation);
    settings.list.clear();
  }

  // Exit and 1100 save the settings first; the close message does not.
  void Close(WindowId self, bool save) {
    if (save && !context_.settings_store.SaveAll(context_.settings)) {
      context_.messages.ShowErrorBox(self, kIniNotWritten, "");
    }
    context_.ui.DestroyWindow(self);
  }
};

}  // namespace

WindowId OpenListsDialog(const ToolContext& context, WindowId owner) {
  return ToolDialog::Open(std::make_shared<ListsDialog>(context), "LIST_DIALOG", owner);
}

}  // namespace r7::lists
