// The user's side of the headless desktop. (POSIX implementation)
#include "platform/posix/headless_actions.h"

#include "common/text_util.h"

namespace r7::platform::posix {
namespace {

using resources::ControlKind;
using Control = HeadlessUserInterface::Control;

bool IsHidden(const ListColumn& column) {
  return column.width == 0;
}

// The cells of a row that the user sees: hidden columns left out.
std::vector<std::string> ShownCells(const std::vector<std::string>& cells,
                                    const std::vector<ListColumn>& columns) {
  std::vector<std::string> shown;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i < columns.size() && IsHidden(columns[i])) continue;
    shown.push_back(cells[i]);
  }
  return shown;
}

}  // namespace

HeadlessUserActions::HeadlessUserActions(HeadlessDesktop& desktop) : desktop_(desktop) {
  desktop_.message_boxes.set_sink([this](const ShownBox& box) {
    shown_.push_back({ShownWindow::Kind::kMessageBox, box.caption, box.text});
  });
  desktop_.ui.set_chooser_sink([this](const HeadlessUserInterface::ShownChooser& chooser) {
    shown_.push_back(
        {chooser.folder ? ShownWindow::Kind::kFolderDialog : ShownWindow::Kind::kFileDialog,
         chooser.title, chooser.answer});
  });
}

HeadlessUserActions::~HeadlessUserActions() {
  desktop_.message_boxes.set_sink(nullptr);
  desktop_.ui.set_chooser_sink(nullptr);
}

std::vector<OpenDialog> HeadlessUserActions::OpenDialogs() {
  std::vector<OpenDialog> open;
  for (WindowId id : desktop_.ui.DialogsOf("")) {
    const HeadlessUserInterface::Window* window = desktop_.ui.Find(id);
    open.push_back({id, window->template_name, window->title});
  }
  return open;
}

std::optional<ControlState> HeadlessUserActions::Inspect(WindowId dialog, int control) {
  const Control* c = desktop_.ui.FindControl(dialog, control);
  if (c == nullptr) return std::nullopt;
  ControlState state;
  state.kind = c->kind;
  state.text = c->text;
  state.enabled = c->enabled;
  state.read_only = c->read_only;
  state.checked = c->checked;
  state.has_edit =
      c->kind == ControlKind::kEdit ||
      (c->kind == ControlKind::kComboBox && (c->flags & resources::control_flag::kDropList) == 0);
  state.entries = c->entries;
  state.columns = c->columns;
  for (const auto& row : c->rows) state.rows.push_back(ShownCells(row, c->columns));
  state.selected = c->selected;
  return state;
}

// Where the user's hand goes first: a dialog that is not active is activated (which gives
// the focus back to the control it saved), then the control takes the focus, as a click on
// it does.
void HeadlessUserActions::Reach(WindowId dialog, int control) {
  HeadlessUserInterface& ui = desktop_.ui;
  if (ui.active() != dialog) ui.Activate(dialog);
  ui.FocusControl(dialog, control);
}

bool HeadlessUserActions::PickMenuItem(std::string_view window_class, int id) {
  const WindowId window = desktop_.ui.FindClassWindow(window_class);
  return window != kNoWindow && desktop_.ui.Post(window, CommandMessage(id));
}

void HeadlessUserActions::TypeText(WindowId dialog, int control, std::string_view text) {
  HeadlessUserInterface& ui = desktop_.ui;
  Reach(dialog, control);
  Control* c = ui.FindControl(dialog, control);
  if (c == nullptr) return;
  c->text = std::string(text);
  if (c->kind == ControlKind::kComboBox) {
    // Typing moves the list's selection to the first entry that reads so without regard to
    // case (as the system finds entries), or to none.
    c->selected = -1;
    for (std::size_t i = 0; i < c->entries.size() && c->selected < 0; ++i) {
      if (EqualsIgnoreCase(c->entries[i], text)) c->selected = static_cast<int>(i);
    }
    ui.Deliver(dialog, CommandMessage(control, notify::kComboEditChange));
  } else {
    ui.Deliver(dialog, CommandMessage(control, notify::kEditChange));
  }
  ui.LeaveFocus(dialog);
}

void HeadlessUserActions::SelectEntry(WindowId dialog, int control, int index) {
  HeadlessUserInterface& ui = desktop_.ui;
  Reach(dialog, control);
  const Control* c = ui.FindControl(dialog, control);
  if (c == nullptr) return;
  const bool combo = c->kind == ControlKind::kComboBox;
  ui.SelectEntry(dialog, control, index);
  ui.Deliver(dialog, CommandMessage(control, combo ? notify::kComboSelectionChange
                                                   : notify::kListBoxSelectionChange));
  ui.LeaveFocus(dialog);
}

void HeadlessUserActions::Click(WindowId dialog, int control) {
  HeadlessUserInterface& ui = desktop_.ui;
  if (ui.FindControl(dialog, control) == nullptr) return;
  // The button takes the focus as the mouse goes down on it.
  Reach(dialog, control);
  Control* c = ui.FindControl(dialog, control);
  if (c == nullptr) return;
  // Automatic check boxes toggle and radio buttons check themselves, clearing the others of
  // their group, before the dialog hears of the click.
  if (c->kind == ControlKind::kCheckBox) {
    c->checked = !c->checked;
  } else if (c->kind == ControlKind::kRadioButton) {
    const int group = c->group;
    for (int id : ui.Find(dialog)->control_order) {
      Control* other = ui.FindControl(dialog, id);
      if (other->kind == ControlKind::kRadioButton && other->group == group) {
        other->checked = id == control;
      }
    }
  }
  ui.Deliver(dialog, CommandMessage(control, notify::kClicked));
}

void HeadlessUserActions::DoubleClickRow(WindowId dialog, int control, int row) {
  desktop_.ui.SelectRow(dialog, control, row);
  desktop_.ui.Deliver(dialog, {message::kListDoubleClick, static_cast<std::uintptr_t>(control),
                               static_cast<std::intptr_t>(row)});
}

void HeadlessUserActions::ClickColumn(WindowId dialog, int control, int column) {
  desktop_.ui.Deliver(dialog, {message::kListColumnClick, static_cast<std::uintptr_t>(control),
                               static_cast<std::intptr_t>(column)});
}

void HeadlessUserActions::Activate(WindowId dialog) {
  desktop_.ui.Activate(dialog);
}

void HeadlessUserActions::Deactivate(WindowId dialog) {
  desktop_.ui.Deactivate(dialog);
}

void HeadlessUserActions::PressKeyDuring(WindowId dialog) {
  desktop_.input.PressKey(dialog);
}

void HeadlessUserActions::DiscardPendingInput() {
  desktop_.input.Discard();
}

void HeadlessUserActions::AnswerBoxes(std::optional<int> answer) {
  desktop_.message_boxes.set_answer(answer);
}

void HeadlessUserActions::AnswerChoosers(std::optional<std::string> path) {
  desktop_.ui.set_chooser_answer(std::move(path));
}

std::vector<ShownWindow> HeadlessUserActions::TakeShown() {
  std::vector<ShownWindow> taken;
  taken.swap(shown_);
  return taken;
}

std::string HeadlessUserActions::ClipboardText() {
  return desktop_.clipboard.GetText().value_or("");
}

void HeadlessUserActions::Pump() {
  desktop_.ui.PumpPosted();
}

}  // namespace r7::platform::posix
