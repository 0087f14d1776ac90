// The checks of the user-interface seam, the same on both desktops.
#include "seam/seam_checks.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <vector>

#include "seam/seam_dialog_ids.h"

namespace r7::testing {
namespace {

using platform::ControlKind;
using platform::Message;
using platform::WindowId;
namespace message = platform::message;
namespace notify = platform::notify;
using Log = std::vector<std::string>;

std::string Join(const Log& log) {
  std::string text;
  for (const std::string& line : log) text += "[" + line + "] ";
  return text;
}

// The notifications each kind of control sends that the tools listen to; the system's
// others (an edit's update, a combo's drop-down) are not part of the seam.
bool Heard(int control, int code) {
  switch (control) {
    case SEAM_EDIT:
    case SEAM_READ_ONLY_EDIT:
      return code == notify::kEditSetFocus || code == notify::kEditKillFocus ||
             code == notify::kEditChange;
    case SEAM_COMBO:
    case SEAM_DROP_LIST:
      return code == notify::kComboSelectionChange || code == notify::kComboSetFocus ||
             code == notify::kComboKillFocus || code == notify::kComboEditChange;
    case SEAM_LIST_BOX:
      return code == notify::kListBoxSelectionChange || code == notify::kListBoxSetFocus ||
             code == notify::kListBoxKillFocus;
    default:
      return code == notify::kClicked;
  }
}

// The test dialog's handler: it fills the controls, records what it hears, and does what a
// tool does on a click: asks a question and reads a stop request, offers the file and
// folder dialogs, sorts its list, paints its rows.
class SeamDialog {
 public:
  explicit SeamDialog(platform::Platform& platform) : platform_(platform) {}

  platform::MessageHandler Handler() {
    return [this](WindowId self, const Message& m) { return Handle(self, m); };
  }
  Log Take() {
    Log taken;
    taken.swap(log_);
    return taken;
  }
  const std::map<int, platform::RowPaint>& painted() const { return painted_; }

 private:
  struct Row {
    std::string account;
    std::string amount;
    std::string hidden;
  };

  bool Handle(WindowId self, const Message& m) {
    platform::UserInterface& ui = platform_.ui;
    switch (m.id) {
      case message::kInitDialog:
        log_.push_back("init");
        Fill(self);
        return true;
      case message::kActivate:
        log_.push_back(std::string("activate ") + (platform::IsActivation(m) ? "1" : "0"));
        return false;
      case message::kDestroy:
        log_.push_back("destroy");
        return false;
      case message::kListDoubleClick:
        log_.push_back("dblclick " + std::to_string(m.wparam) + " " + std::to_string(m.lparam));
        return true;
      case message::kListColumnClick:
        log_.push_back("column " + std::to_string(m.wparam) + " " + std::to_string(m.lparam));
        SortBy(self, static_cast<int>(m.lparam));
        return true;
      case message::kPaintListRow:
        Paint(*reinterpret_cast<platform::RowPaint*>(m.lparam));
        return true;
      case message::kCommand:
        break;
      default:
        return false;
    }
    const int id = platform::CommandId(m), code = platform::Notification(m);
    if (!Heard(id, code)) return false;
    log_.push_back("command " + std::to_string(id) + " " + std::to_string(code));
    if (code != notify::kClicked) return true;
    switch (id) {
      case SEAM_BOX_BUTTON: {
        log_.push_back(std::string("stop ") + (platform_.input.TakeStopRequest(self) ? "1" : "0"));
        const int answer = platform_.message_boxes.Show(
            self, "Go on?", "Seam", platform::box::kYesNo | platform::box::kIconQuestion);
        log_.push_back("answer " + std::to_string(answer));
        platform_.clipboard.SetText("copied\r\n");
        return true;
      }
      case SEAM_BITMAP_BUTTON: {
        std::optional<std::string> file =
            ui.ChooseFile(self, {"Browse", "Text Files (*.TXT)|*.txt|All Files (*.*)|*.*|", ""});
        log_.push_back("file " + file.value_or("none"));
        return true;
      }
      case SEAM_FOLDER_BUTTON: {
        std::optional<std::string> folder = ui.ChooseFolder(self, "Pick a folder");
        log_.push_back("folder " + folder.value_or("none"));
        return true;
      }
      case platform::kOkButton:
        ui.DestroyWindow(self);
        return true;
      default:
        return true;
    }
  }

  void Fill(WindowId self) {
    platform::UserInterface& ui = platform_.ui;
    for (const char* entry : {"Alpha", "Beta", "Gamma"}) ui.AddEntry(self, SEAM_COMBO, entry);
    for (const char* entry : {"pear", "Apple", "fig"}) ui.AddEntry(self, SEAM_DROP_LIST, entry);
    for (const char* entry : {"One", "Two"}) ui.AddEntry(self, SEAM_LIST_BOX, entry);
    ui.SetControlText(self, SEAM_EDIT, "start");
    ui.SetControlText(self, SEAM_READ_ONLY_EDIT, "fixed");
    ui.SetChecked(self, SEAM_RADIO_FIRST, true);
    ui.SetButtonBitmaps(self, SEAM_BITMAP_BUTTON, SEAM_BITMAP_UP, SEAM_BITMAP_DOWN);
    ui.SetColumns(self, SEAM_LIST_VIEW,
                  {{"Account", 80, platform::Alignment::kLeft},
                   {"Amount", 60, platform::Alignment::kRight},
                   {"Hidden", 0, platform::Alignment::kLeft}});
    rows_ = {{"1000", "-600.00", "x"}, {"2000", "700.00", "y"}, {"3000", "499.99", "z"}};
    ShowRows(self, -1);
  }

  void ShowRows(WindowId self, int selected) {
    platform::UserInterface& ui = platform_.ui;
    ui.ClearRows(self, SEAM_LIST_VIEW);
    for (const Row& row : rows_)
      ui.AddRow(self, SEAM_LIST_VIEW, {row.account, row.amount, row.hidden});
    ui.SelectRow(self, SEAM_LIST_VIEW, selected);
  }

  // Sorts by the amount (column 1) or the account, keeping the selected row selected.
  void SortBy(WindowId self, int column) {
    const int selected = platform_.ui.SelectedRow(self, SEAM_LIST_VIEW);
    const std::string kept = selected >= 0 ? rows_[static_cast<std::size_t>(selected)].account : "";
    std::stable_sort(rows_.begin(), rows_.end(), [column](const Row& a, const Row& b) {
      if (column == 1) return std::atof(a.amount.c_str()) < std::atof(b.amount.c_str());
      return a.account < b.account;
    });
    int now = -1;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
      if (rows_[i].account == kept) now = static_cast<int>(i);
    }
    ShowRows(self, now);
  }

  // Large amounts on grey, negative ones in red.
  void Paint(platform::RowPaint& paint) {
    const double amount = paint.cells.size() > 1 ? std::atof(paint.cells[1].text.c_str()) : 0;
    if (!paint.selected && (amount >= 500 || amount <= -500)) {
      paint.background = platform::Colour::Rgb(192, 192, 192);
    }
    if (amount < 0 && paint.cells.size() > 1)
      paint.cells[1].text_colour = platform::Colour::Rgb(255, 0, 0);
    painted_[paint.row] = paint;
  }

  platform::Platform& platform_;
  std::vector<Row> rows_;
  Log log_;
  std::map<int, platform::RowPaint> painted_;
};

}  // namespace

int RunSeamChecks(SeamHarness& h, const SeamReport& report) {
  int failed = 0;
  auto check = [&](bool passed, const std::string& what) {
    report(passed, what);
    if (!passed) ++failed;
  };
  auto expect_log = [&](const Log& actual, const Log& expected, const std::string& what) {
    check(
        actual == expected,
        what + (actual == expected ? "" : ": heard " + Join(actual) + "wanted " + Join(expected)));
  };
  platform::UserInterface& ui = h.platform.ui;
  platform::UserActions& act = h.actions;

  SeamDialog seam(h.platform);
  const WindowId dialog = ui.CreateDialogWindow("SEAMTEST", platform::kNoWindow, seam.Handler());
  check(dialog != platform::kNoWindow, "the test dialog is made from its template");
  if (dialog == platform::kNoWindow) return failed;
  act.Pump();
  // Setting an edit's text tells the dialog, whoever sets it, as on Windows.
  expect_log(seam.Take(),
             {"init", "command 110 768", "command 111 768", "activate 1", "command 110 256"},
             "it is initialised (its edits telling of their new texts), then activated, and "
             "its first tab stop takes the focus");
  const std::vector<platform::OpenDialog> open = act.OpenDialogs();
  check(open.size() == 1 && open[0].template_name == "SEAMTEST" && open[0].title == "Seam Test",
        "the user sees it by its template name and title");

  // What the user sees of each kind of control.
  struct Seen {
    int id;
    ControlKind kind;
    std::string text;
    bool has_edit;
  } seen[] = {{SEAM_LABEL, ControlKind::kText, "Every control", false},
              {SEAM_GROUP, ControlKind::kGroupBox, "Choices", false},
              {SEAM_EDIT, ControlKind::kEdit, "start", true},
              {SEAM_READ_ONLY_EDIT, ControlKind::kEdit, "fixed", true},
              {SEAM_COMBO, ControlKind::kComboBox, "", true},
              {SEAM_DROP_LIST, ControlKind::kComboBox, "", false},
              {SEAM_LIST_BOX, ControlKind::kListBox, "", false},
              {SEAM_CHECK_BOX, ControlKind::kCheckBox, "Check", false},
              {SEAM_RADIO_FIRST, ControlKind::kRadioButton, "First", false},
              {SEAM_BOX_BUTTON, ControlKind::kButton, "&Ask", false},
              {SEAM_BITMAP_BUTTON, ControlKind::kBitmapButton, "", false},
              {SEAM_DISABLED_BUTTON, ControlKind::kButton, "&Never", false},
              {SEAM_LIST_VIEW, ControlKind::kListView, "", false},
              {platform::kOkButton, ControlKind::kButton, "OK", false}};
  for (const Seen& s : seen) {
    std::optional<platform::ControlState> state = act.Inspect(dialog, s.id);
    const std::string name = "control " + std::to_string(s.id);
    check(state && state->kind == s.kind && state->text == s.text && state->has_edit == s.has_edit,
          name + " shows its kind, text and edit part" +
              (state ? " (text '" + state->text + "')" : " (missing)"));
  }
  check(!act.Inspect(dialog, 999), "a control the template lacks is not there");
  check(act.Inspect(dialog, SEAM_READ_ONLY_EDIT)->read_only, "a read-only edit says so");
  check(!act.Inspect(dialog, SEAM_DISABLED_BUTTON)->enabled, "a disabled button says so");
  check(act.Inspect(dialog, SEAM_RADIO_FIRST)->checked, "the handler's check mark shows");
  check(act.Inspect(dialog, SEAM_DROP_LIST)->entries == Log{"Apple", "fig", "pear"},
        "a sorted drop-down list sorts its entries without regard to case");
  std::optional<platform::ControlState> list = act.Inspect(dialog, SEAM_LIST_VIEW);
  check(list->columns.size() == 3 && list->columns[2].width == 0 &&
            list->rows ==
                std::vector<Log>{{"1000", "-600.00"}, {"2000", "700.00"}, {"3000", "499.99"}} &&
            list->selected == -1,
        "a list view shows its rows without the hidden column");

  // Each action, through the notifications a person's action sends.
  act.TypeText(dialog, SEAM_EDIT, "typed");
  expect_log(seam.Take(), {"command 110 768", "command 110 512"},
             "typing into the focused edit changes it and leaves it");
  check(ui.ControlText(dialog, SEAM_EDIT) == "typed", "the edit holds what was typed");
  act.TypeText(dialog, SEAM_COMBO, "Beta");
  expect_log(seam.Take(), {"command 120 3", "command 120 5", "command 120 4"},
             "typing into a combo box focuses it, changes its edit part and leaves it");
  check(
      act.Inspect(dialog, SEAM_COMBO)->text == "Beta" && ui.SelectedEntry(dialog, SEAM_COMBO) == 1,
      "a typed text that an entry reads selects that entry");
  act.SelectEntry(dialog, SEAM_DROP_LIST, 2);
  expect_log(seam.Take(), {"command 121 3", "command 121 1", "command 121 4"},
             "choosing from a drop-down list focuses it, changes the selection and leaves it");
  check(ui.ControlText(dialog, SEAM_DROP_LIST) == "pear", "the drop-down list shows the choice");
  act.SelectEntry(dialog, SEAM_LIST_BOX, 1);
  expect_log(seam.Take(), {"command 130 4", "command 130 1", "command 130 5"},
             "choosing from a list box focuses it, changes the selection and leaves it");
  check(ui.SelectedEntry(dialog, SEAM_LIST_BOX) == 1, "the list box selects the choice");
  act.Click(dialog, SEAM_CHECK_BOX);
  expect_log(seam.Take(), {"command 140 0"}, "a check box's click");
  check(ui.IsChecked(dialog, SEAM_CHECK_BOX), "the click checks the check box");
  act.Click(dialog, SEAM_RADIO_THIRD);
  expect_log(seam.Take(), {"command 152 0"}, "a radio button's click");
  check(ui.IsChecked(dialog, SEAM_RADIO_THIRD) && !ui.IsChecked(dialog, SEAM_RADIO_FIRST),
        "the click checks the radio button and clears the others of its group");

  // A key pressed while a long action runs; a message box answered as the script says,
  // then with its first button.
  act.PressKeyDuring(dialog);
  act.AnswerBoxes(platform::answer::kNo);
  act.Click(dialog, SEAM_BOX_BUTTON);
  act.DiscardPendingInput();
  // A box is modal: it takes the activation while it shows, and gives it back to the dialog,
  // whose focus returns to the button that had it (which says nothing of it).
  expect_log(seam.Take(), {"command 160 0", "stop 1", "activate 0", "activate 1", "answer 7"},
             "a key pressed in the dialog is a stop request; the box answers No");
  std::vector<platform::ShownWindow> shown = act.TakeShown();
  check(shown.size() == 1 && shown[0].kind == platform::ShownWindow::Kind::kMessageBox &&
            shown[0].caption == "Seam" && shown[0].text == "Go on?",
        "the box is seen with its caption and text");
  check(act.ClipboardText() == "copied\r\n", "the clipboard holds the text the handler put there");
  act.AnswerBoxes(std::nullopt);
  act.Click(dialog, SEAM_BOX_BUTTON);
  expect_log(seam.Take(), {"command 160 0", "stop 0", "activate 0", "activate 1", "answer 6"},
             "without a key there is no stop request; the box answers its first button");
  act.TakeShown();

  // The file and folder dialogs, answered with a path and cancelled.
  act.AnswerChoosers(h.existing_file);
  act.Click(dialog, SEAM_BITMAP_BUTTON);
  expect_log(seam.Take(), {"command 161 0", "activate 0", "activate 1", "file " + h.existing_file},
             "the owner-drawn button's click; the file dialog answers the chosen file");
  shown = act.TakeShown();
  check(shown.size() == 1 && shown[0].kind == platform::ShownWindow::Kind::kFileDialog &&
            shown[0].caption == "Browse" && shown[0].text == h.existing_file,
        "the file dialog is seen with its title and answer");
  act.AnswerChoosers(std::nullopt);
  act.Click(dialog, SEAM_BITMAP_BUTTON);
  expect_log(seam.Take(), {"command 161 0", "activate 0", "activate 1", "file none"},
             "a cancelled file dialog");
  act.TakeShown();
  act.AnswerChoosers(h.existing_folder);
  act.Click(dialog, SEAM_FOLDER_BUTTON);
  expect_log(seam.Take(),
             {"command 162 0", "activate 0", "activate 1", "folder " + h.existing_folder},
             "the folder dialog answers the chosen folder");
  shown = act.TakeShown();
  check(shown.size() == 1 && shown[0].kind == platform::ShownWindow::Kind::kFolderDialog &&
            shown[0].caption == "Pick a folder",
        "the folder dialog is seen with its title");

  // The list view: a double-click, its rows painted by the handler, a heading click.
  act.DoubleClickRow(dialog, SEAM_LIST_VIEW, 1);
  expect_log(seam.Take(), {"dblclick 170 1"}, "a double-click on a row");
  check(ui.SelectedRow(dialog, SEAM_LIST_VIEW) == 1, "the double-clicked row is selected");
  h.paint(dialog, SEAM_LIST_VIEW);
  const auto& painted = seam.painted();
  const platform::Colour grey = platform::Colour::Rgb(192, 192, 192);
  check(painted.size() == 3 && painted.at(0).background == grey &&
            painted.at(0).cells.at(1).text_colour == platform::Colour::Rgb(255, 0, 0) &&
            painted.at(0).cells.at(1).alignment == platform::Alignment::kRight &&
            painted.at(1).selected && painted.at(1).background == platform::Colour::Highlight() &&
            painted.at(2).background == platform::kWhite,
        "the handler paints each row: grey, red, right-aligned, the selection highlighted");
  act.ClickColumn(dialog, SEAM_LIST_VIEW, 1);
  expect_log(seam.Take(), {"column 170 1"}, "a click on a column heading");
  list = act.Inspect(dialog, SEAM_LIST_VIEW);
  check(
      list->rows == std::vector<Log>{{"1000", "-600.00"}, {"3000", "499.99"}, {"2000", "700.00"}} &&
          list->selected == 2,
      "the handler sorts the rows and the selection follows its row");

  // The activation leaves and comes back: the focus returns to the control that had it,
  // or, when none had it, to the first tab stop.
  ui.FocusControl(dialog, SEAM_COMBO);
  expect_log(seam.Take(), {"command 120 3"}, "the handler gives the combo box the focus");
  act.Deactivate(dialog);
  act.Pump();
  expect_log(seam.Take(), {"activate 0", "command 120 4"},
             "the dialog loses the activation to the sheet, and the combo box the focus");
  act.Activate(dialog);
  act.Pump();
  expect_log(seam.Take(), {"activate 1", "command 120 3"},
             "it gains it again and gives the focus back to the combo box");
  act.TypeText(dialog, SEAM_COMBO, "Gamma");
  act.Deactivate(dialog);
  act.Activate(dialog);
  act.Pump();
  expect_log(seam.Take(),
             {"command 120 5", "command 120 4", "activate 0", "activate 1", "command 110 256"},
             "after typing, no control has the focus: it goes to the first tab stop");

  // A menu item of a top-level window, posted as a menu posts it.
  Log menu;
  check(ui.RegisterWindowClass("R7SEAMMENU", ""), "a window class is registered");
  const WindowId top =
      ui.CreateTopWindow({"R7SEAMMENU", "Seam Menu", platform::kNoWindow, 0, 0, 100, 50},
                         [&menu](WindowId, const Message& m) {
                           if (m.id == message::kCommand)
                             menu.push_back("menu " + std::to_string(platform::CommandId(m)));
                           return m.id == message::kCommand;
                         });
  check(act.PickMenuItem("R7SEAMMENU", 42), "a menu item is picked");
  act.Pump();
  expect_log(menu, {"menu 42"}, "the window hears the menu's command after the pump");
  ui.DestroyWindow(top);

  // What the handler sets, as the user then sees it; none of it tells the dialog anything.
  auto seen_now = [&](int id) { return *act.Inspect(dialog, id); };
  struct Setting {
    const char* what;
    std::function<void()> set;
    std::function<bool()> shown;
  } settings[] = {
      {"a read-only edit", [&] { ui.SetReadOnly(dialog, SEAM_EDIT, true); },
       [&] { return seen_now(SEAM_EDIT).read_only && ui.IsReadOnly(dialog, SEAM_EDIT); }},
      {"an editable edit again", [&] { ui.SetReadOnly(dialog, SEAM_EDIT, false); },
       [&] { return !seen_now(SEAM_EDIT).read_only; }},
      {"a disabled button", [&] { ui.EnableControl(dialog, SEAM_BOX_BUTTON, false); },
       [&] { return !seen_now(SEAM_BOX_BUTTON).enabled; }},
      {"a combo box with an entry past its end selected: none, and no text",
       [&] { ui.SelectEntry(dialog, SEAM_COMBO, 7); },
       [&] {
         const platform::ControlState combo = seen_now(SEAM_COMBO);
         return combo.selected == -1 && combo.text.empty();
       }},
      {"a drop-down list given a text: the entry that reads so, whatever its case",
       [&] { ui.SetControlText(dialog, SEAM_DROP_LIST, "APPLE"); },
       [&] {
         const platform::ControlState list = seen_now(SEAM_DROP_LIST);
         return list.selected == 0 && list.text == "Apple";
       }},
      {"a combo box emptied: no entries, no selection, no text",
       [&] {
         ui.SelectEntry(dialog, SEAM_COMBO, 0);
         ui.ClearEntries(dialog, SEAM_COMBO);
       },
       [&] {
         const platform::ControlState combo = seen_now(SEAM_COMBO);
         return combo.entries.empty() && combo.selected == -1 && combo.text.empty();
       }},
      {"a hidden column shown", [&] { ui.SetColumnWidth(dialog, SEAM_LIST_VIEW, 2, 50); },
       [&] {
         const platform::ControlState list = seen_now(SEAM_LIST_VIEW);
         return list.columns.at(2).width == 50 && list.rows.at(0) == Log{"1000", "-600.00", "x"};
       }},
      {"a column given a negative width is hidden",
       [&] { ui.SetColumnWidth(dialog, SEAM_LIST_VIEW, 2, -1); },
       [&] { return seen_now(SEAM_LIST_VIEW).rows.at(0).size() == 2; }},
      {"no row selected", [&] { ui.SelectRow(dialog, SEAM_LIST_VIEW, -1); },
       [&] { return seen_now(SEAM_LIST_VIEW).selected == -1; }},
      {"new columns: an empty list under them",
       [&] {
         ui.SetColumns(dialog, SEAM_LIST_VIEW,
                       {{"Code", 40, platform::Alignment::kLeft},
                        {"Total", 70, platform::Alignment::kRight}});
       },
       [&] {
         const platform::ControlState list = seen_now(SEAM_LIST_VIEW);
         return list.columns.size() == 2 && list.columns.at(1).title == "Total" &&
                list.rows.empty() && ui.Rows(dialog, SEAM_LIST_VIEW).empty();
       }},
  };
  for (const Setting& setting : settings) {
    setting.set();
    check(setting.shown(), std::string("the handler sets ") + setting.what);
    expect_log(seam.Take(), {}, std::string("setting ") + setting.what + " notifies nothing");
  }

  // A click in a dialog that is not active activates it (the focus coming back to the edit
  // that had it) before the button takes the focus and clicks.
  act.Deactivate(dialog);
  act.Click(dialog, SEAM_CHECK_BOX);
  act.Pump();
  expect_log(seam.Take(),
             {"activate 0", "command 110 512", "activate 1", "command 110 256", "command 110 512",
              "command 140 0"},
             "a click in the inactive dialog activates it first");

  // The dialog gives up the activation as it closes.
  act.Click(dialog, platform::kOkButton);
  act.Pump();
  expect_log(seam.Take(), {"command 1 0", "activate 0", "destroy"}, "OK closes the dialog");
  check(act.OpenDialogs().empty(), "no dialog is left open");
  return failed;
}

}  // namespace r7::testing
