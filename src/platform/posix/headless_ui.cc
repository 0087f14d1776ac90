// The headless window system of the POSIX build. (POSIX implementation)
#include "platform/posix/headless_ui.h"

#include <algorithm>
#include <utility>

#include "common/text_util.h"

namespace r7::platform::posix {
namespace {

using resources::ControlKind;
namespace flag = resources::control_flag;

bool IsCombo(const HeadlessUserInterface::Control& c) {
  return c.kind == ControlKind::kComboBox;
}
bool HasEditPart(const HeadlessUserInterface::Control& c) {
  return c.kind == ControlKind::kEdit || (IsCombo(c) && (c.flags & flag::kDropList) == 0);
}

// The notifications with which a control tells its dialog that it gained or lost the
// keyboard focus; 0 for controls that do not tell.
int SetFocusCode(ControlKind kind) {
  switch (kind) {
    case ControlKind::kEdit:
      return notify::kEditSetFocus;
    case ControlKind::kComboBox:
      return notify::kComboSetFocus;
    case ControlKind::kListBox:
      return notify::kListBoxSetFocus;
    default:
      return 0;
  }
}
int KillFocusCode(ControlKind kind) {
  switch (kind) {
    case ControlKind::kEdit:
      return notify::kEditKillFocus;
    case ControlKind::kComboBox:
      return notify::kComboKillFocus;
    case ControlKind::kListBox:
      return notify::kListBoxKillFocus;
    default:
      return 0;
  }
}

// Controls that take the keyboard focus.
bool TakesFocus(const HeadlessUserInterface::Control& c) {
  switch (c.kind) {
    case ControlKind::kText:
    case ControlKind::kGroupBox:
      return false;
    default:
      return c.enabled;
  }
}

// Controls that the tab key reaches: the templates give radio buttons no tab stop.
bool IsTabStop(const HeadlessUserInterface::Control& c) {
  return TakesFocus(c) && c.kind != ControlKind::kRadioButton;
}

// Where a sorted combo or list box puts a new entry: after the entries that do not sort
// after it, without regard to case.
std::size_t SortedPlace(const std::vector<std::string>& entries, std::string_view text) {
  const std::string key = ToUpperAscii(text);
  std::size_t at = 0;
  while (at < entries.size() && ToUpperAscii(entries[at]) <= key) ++at;
  return at;
}

}  // namespace

HeadlessUserInterface::HeadlessUserInterface() {
  templates_.push_back(resources::DriverDialogTemplates());
}

void HeadlessUserInterface::AddTemplates(std::span<const resources::DialogTemplate> templates) {
  templates_.push_back(templates);
}

bool HeadlessUserInterface::RegisterWindowClass(std::string_view class_name,
                                                std::string_view menu) {
  if (class_name.empty()) return false;
  classes_[ToUpperAscii(class_name)] = std::string(menu);
  return true;
}

WindowId HeadlessUserInterface::CreateTopWindow(const WindowSpec& spec, MessageHandler handler) {
  auto found = classes_.find(ToUpperAscii(spec.class_name));
  if (found == classes_.end()) return kNoWindow;  // as Windows refuses an unknown class
  WindowId id = next_id_++;
  Window& window = windows_[id];
  window.class_name = spec.class_name;
  window.menu = found->second;
  window.title = spec.title;
  window.owner = spec.owner;
  window.placement = {spec.x, spec.y, spec.x + spec.width, spec.y + spec.height};
  window.handler = std::make_shared<MessageHandler>(std::move(handler));
  Deliver(id, {message::kCreate, 0, 0});
  return IsWindow(id) ? id : kNoWindow;
}

WindowId HeadlessUserInterface::CreateDialogWindow(std::string_view template_name, WindowId owner,
                                                   MessageHandler handler) {
  const resources::DialogTemplate* found = nullptr;
  for (auto set : templates_) {
    if ((found = resources::FindDialogTemplate(set, template_name)) != nullptr) break;
  }
  if (found == nullptr) return kNoWindow;  // as Windows finds no such resource
  WindowId id = next_id_++;
  Window& window = windows_[id];
  window.template_name = std::string(found->name);
  window.title = std::string(found->caption);
  window.owner = owner;
  window.handler = std::make_shared<MessageHandler>(std::move(handler));
  // A radio button belongs to the group that the nearest control with the group flag
  // before it (or itself) starts, as the dialog manager groups them.
  int group = found->controls.empty() ? 0 : found->controls.front().id;
  for (const resources::ControlTemplate& t : found->controls) {
    if (t.flags & flag::kGroupStart) group = t.id;
    Control& control = window.controls[t.id];
    control.kind = t.kind;
    control.flags = t.flags;
    control.group = group;
    control.text = std::string(t.text);
    control.enabled = (t.flags & flag::kDisabled) == 0;
    control.read_only = (t.flags & flag::kReadOnly) != 0;
    window.control_order.push_back(t.id);
  }
  Deliver(id, {message::kInitDialog, 0, 0});
  if (Window* made = Lookup(id)) {
    // The dialog manager gives the focus to the first tab stop, which activates the dialog;
    // the templates are visible ones, so it shows.
    made->saved_focus = FirstTabStop(*made);
    made->visible = true;
    MoveActivation(id);
  }
  return IsWindow(id) ? id : kNoWindow;
}

void HeadlessUserInterface::DestroyWindow(WindowId window) {
  if (!IsWindow(window)) return;
  // As on Windows, the window gives up the activation before anything is destroyed; then
  // owned windows go first.
  PassActivationOn(window);
  if (!IsWindow(window)) return;
  std::vector<WindowId> owned;
  for (const auto& [id, state] : windows_) {
    if (state.owner == window) owned.push_back(id);
  }
  for (WindowId id : owned) DestroyWindow(id);
  Deliver(window, {message::kDestroy, 0, 0});
  windows_.erase(window);
  if (focus_ == window) focus_ = kNoWindow;
  if (active_ == window) active_ = kNoWindow;
}

bool HeadlessUserInterface::IsWindow(WindowId window) {
  return windows_.count(window) != 0;
}

void HeadlessUserInterface::Deliver(WindowId window, const Message& message) {
  Window* state = Lookup(window);
  if (state == nullptr || !state->handler) return;
  // The handler may destroy its own window: keep it alive for the length of the call.
  std::shared_ptr<MessageHandler> handler = state->handler;
  bool handled = (*handler)(window, message);
  if (handled || message.id != message::kClose) return;
  const Window* after = Lookup(window);  // the handler may have changed the window table
  if (after != nullptr && after->template_name.empty()) {
    DestroyWindow(window);  // the default handling of a top-level window's close
  }
}

void HeadlessUserInterface::Send(WindowId window, const Message& message) {
  Deliver(window, message);
}

bool HeadlessUserInterface::Post(WindowId window, const Message& message) {
  if (!IsWindow(window)) return false;
  queue_.emplace_back(window, message);
  return true;
}

int HeadlessUserInterface::PumpPosted() {
  int handled = 0;
  while (!queue_.empty()) {
    auto [window, message] = queue_.front();
    queue_.pop_front();
    Deliver(window, message);  // dropped when the window is gone
    ++handled;
  }
  return handled;
}

int HeadlessUserInterface::FirstTabStop(const Window& dialog) const {
  for (int id : dialog.control_order) {
    if (IsTabStop(dialog.controls.at(id))) return id;
  }
  return 0;
}

// As the system moves the activation: the window that loses it hears so first and a dialog
// saves the control that has the focus; then the window that gains it hears so; then the
// focus moves, the old control losing it before a dialog gives it to the control it saved
// (once: a saved focus is used up) or, when it saved none, to its first tab stop.
void HeadlessUserInterface::MoveActivation(WindowId to) {
  if (to == active_) return;
  const WindowId from = active_;
  active_ = to;
  focus_ = to;
  if (IsWindow(from)) {
    Deliver(from, ActivateMessage(activation::kInactive, to));
    SaveFocus(from);
  }
  if (IsWindow(to)) Deliver(to, ActivateMessage(activation::kActive, from));
  if (IsWindow(from)) LeaveFocus(from);
  if (IsWindow(to) && active_ == to) RestoreFocus(to);
}

void HeadlessUserInterface::SaveFocus(WindowId dialog) {
  Window* window = Lookup(dialog);
  if (window != nullptr && window->focused_control != 0) {
    window->saved_focus = window->focused_control;
  }
}

void HeadlessUserInterface::RestoreFocus(WindowId dialog) {
  Window* window = Lookup(dialog);
  if (window == nullptr || window->template_name.empty()) return;
  const int saved = std::exchange(window->saved_focus, 0);
  const Control* control = FindControl(dialog, saved);
  FocusControl(dialog, control != nullptr && TakesFocus(*control) ? saved : FirstTabStop(*window));
}

// The activation leaves a window that is hidden or destroyed: to its owner when the owner
// is shown, as the system passes it on, else to another program's window.
void HeadlessUserInterface::PassActivationOn(WindowId leaving) {
  const Window* window = Lookup(leaving);
  const WindowId owner = window != nullptr ? window->owner : kNoWindow;
  if (leaving != active_) return;
  if (IsVisible(owner)) {
    MoveActivation(owner);
  } else {
    Deactivate(leaving);
  }
}

WindowId HeadlessUserInterface::BeginModal() {
  const WindowId previous = active_;
  if (previous != kNoWindow) Deactivate(previous);
  return previous;
}

void HeadlessUserInterface::EndModal(WindowId owner, WindowId previous) {
  const WindowId to = IsWindow(owner) ? owner : previous;
  if (IsWindow(to)) MoveActivation(to);
}

void HeadlessUserInterface::Show(WindowId window, ShowMode mode) {
  Window* state = Lookup(window);
  if (state == nullptr) return;
  if (mode == ShowMode::kHide && window == active_) PassActivationOn(window);
  state = Lookup(window);
  if (state == nullptr) return;
  state->visible = mode != ShowMode::kHide;
  if (mode == ShowMode::kNormal) MoveActivation(window);
}

bool HeadlessUserInterface::IsVisible(WindowId window) {
  const Window* state = Lookup(window);
  return state != nullptr && state->visible;
}

void HeadlessUserInterface::SetFocus(WindowId window) {
  if (IsWindow(window)) focus_ = window;
}

void HeadlessUserInterface::Activate(WindowId window) {
  if (IsWindow(window)) MoveActivation(window);
}

void HeadlessUserInterface::Deactivate(WindowId window) {
  if (window != active_ || !IsWindow(window)) return;
  active_ = kNoWindow;
  focus_ = kNoWindow;
  Deliver(window, ActivateMessage(activation::kInactive, kNoWindow));
  SaveFocus(window);
  LeaveFocus(window);
}

WindowId HeadlessUserInterface::Parent(WindowId window) {
  const Window* state = Lookup(window);
  return state != nullptr ? state->owner : kNoWindow;
}

void HeadlessUserInterface::SetTitle(WindowId window, std::string_view title) {
  if (Window* state = Lookup(window)) state->title = std::string(title);
}

std::string HeadlessUserInterface::Title(WindowId window) {
  const Window* state = Lookup(window);
  return state != nullptr ? state->title : std::string();
}

WindowId HeadlessUserInterface::FindTopWindow(std::string_view class_name, std::string_view title) {
  for (const auto& [id, state] : windows_) {
    if (!state.template_name.empty()) continue;
    if (EqualsIgnoreCase(state.class_name, class_name) && state.title == title) return id;
  }
  return kNoWindow;
}

std::optional<WindowRect> HeadlessUserInterface::NormalPlacement(WindowId window) {
  const Window* state = Lookup(window);
  if (state == nullptr) return std::nullopt;
  return state->placement;
}

TextMetrics HeadlessUserInterface::FontMetrics(WindowId) {
  return TextMetrics{};
}

WindowId HeadlessUserInterface::AddForeignWindow(std::string_view class_name,
                                                 std::string_view title, WindowRect placement) {
  WindowId id = next_id_++;
  Window& window = windows_[id];
  window.class_name = std::string(class_name);
  window.title = std::string(title);
  window.placement = placement;
  window.visible = true;
  return id;
}

HeadlessUserInterface::Window* HeadlessUserInterface::Lookup(WindowId window) {
  auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

const HeadlessUserInterface::Window* HeadlessUserInterface::Find(WindowId window) const {
  auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

WindowId HeadlessUserInterface::FindClassWindow(std::string_view class_name) const {
  for (const auto& [id, state] : windows_) {
    if (state.template_name.empty() && state.handler &&
        EqualsIgnoreCase(state.class_name, class_name)) {
      return id;
    }
  }
  return kNoWindow;
}

std::vector<WindowId> HeadlessUserInterface::DialogsOf(std::string_view template_name) const {
  std::vector<WindowId> found;
  for (const auto& [id, state] : windows_) {
    if (state.template_name.empty()) continue;
    if (template_name.empty() || EqualsIgnoreCase(state.template_name, template_name)) {
      found.push_back(id);
    }
  }
  return found;
}

HeadlessUserInterface::Control* HeadlessUserInterface::FindControl(WindowId dialog, int control) {
  Window* state = Lookup(dialog);
  if (state == nullptr) return nullptr;
  auto found = state->controls.find(control);
  return found == state->controls.end() ? nullptr : &found->second;
}

void HeadlessUserInterface::SetControlText(WindowId dialog, int control, std::string_view text) {
  Control* c = FindControl(dialog, control);
  if (c == nullptr) return;
  if (IsCombo(*c) && !HasEditPart(*c)) {
    // A drop-down list shows only its entries: the text selects the entry that reads so.
    for (std::size_t i = 0; i < c->entries.size(); ++i) {
      if (EqualsIgnoreCase(c->entries[i], text)) {
        c->selected = static_cast<int>(i);
        c->text = c->entries[i];
      }
    }
    return;
  }
  c->text = std::string(text);
  // As on Windows, an edit (not a combo box's edit part) tells its dialog that its text
  // changed, whoever changed it.
  if (c->kind == ControlKind::kEdit) Deliver(dialog, CommandMessage(control, notify::kEditChange));
}

std::string HeadlessUserInterface::ControlText(WindowId dialog, int control) {
  Control* c = FindControl(dialog, control);
  return c != nullptr ? c->text : std::string();
}

void HeadlessUserInterface::SetChecked(WindowId dialog, int control, bool checked) {
  if (Control* c = FindControl(dialog, control)) c->checked = checked;
}

bool HeadlessUserInterface::IsChecked(WindowId dialog, int control) {
  Control* c = FindControl(dialog, control);
  return c != nullptr && c->checked;
}

void HeadlessUserInterface::EnableControl(WindowId dialog, int control, bool enabled) {
  if (Control* c = FindControl(dialog, control)) c->enabled = enabled;
}

bool HeadlessUserInterface::IsControlEnabled(WindowId dialog, int control) {
  Control* c = FindControl(dialog, control);
  return c != nullptr && c->enabled;
}

void HeadlessUserInterface::SetReadOnly(WindowId dialog, int control, bool read_only) {
  Control* c = FindControl(dialog, control);
  if (c != nullptr && c->kind == ControlKind::kEdit) c->read_only = read_only;
}

bool HeadlessUserInterface::IsReadOnly(WindowId dialog, int control) {
  Control* c = FindControl(dialog, control);
  return c != nullptr && c->read_only;
}

void HeadlessUserInterface::FocusControl(WindowId dialog, int control) {
  Window* window = Lookup(dialog);
  Control* c = FindControl(dialog, control);
  if (window == nullptr || c == nullptr || !TakesFocus(*c)) return;
  if (window->focused_control == control) return;
  LeaveFocus(dialog);
  window = Lookup(dialog);
  if (window == nullptr) return;
  window->focused_control = control;
  if (int code = SetFocusCode(c->kind)) Deliver(dialog, CommandMessage(control, code));
}

void HeadlessUserInterface::LeaveFocus(WindowId dialog) {
  Window* window = Lookup(dialog);
  if (window == nullptr || window->focused_control == 0) return;
  const int control = window->focused_control;
  window->focused_control = 0;
  if (Control* c = FindControl(dialog, control)) {
    if (int code = KillFocusCode(c->kind)) Deliver(dialog, CommandMessage(control, code));
  }
}

void HeadlessUserInterface::SetButtonBitmaps(WindowId dialog, int control, int up, int down) {
  if (Control* c = FindControl(dialog, control)) {
    c->bitmap_up = up;
    c->bitmap_down = down;
  }
}

void HeadlessUserInterface::ClearEntries(WindowId dialog, int control) {
  if (Control* c = FindControl(dialog, control)) {
    c->entries.clear();
    c->selected = -1;
    if (IsCombo(*c)) c->text.clear();  // the combo box's edit part empties with its list
  }
}

void HeadlessUserInterface::AddEntry(WindowId dialog, int control, std::string_view text) {
  Control* c = FindControl(dialog, control);
  if (c == nullptr || (!IsCombo(*c) && c->kind != ControlKind::kListBox)) return;
  std::size_t at = (c->flags & flag::kSorted) ? SortedPlace(c->entries, text) : c->entries.size();
  c->entries.insert(c->entries.begin() + static_cast<std::ptrdiff_t>(at), std::string(text));
  if (c->selected >= static_cast<int>(at)) ++c->selected;
}

std::vector<std::string> HeadlessUserInterface::Entries(WindowId dialog, int control) {
  Control* c = FindControl(dialog, control);
  return c != nullptr ? c->entries : std::vector<std::string>{};
}

int HeadlessUserInterface::SelectedEntry(WindowId dialog, int control) {
  Control* c = FindControl(dialog, control);
  return c != nullptr && c->kind != ControlKind::kListView ? c->selected : -1;
}

void HeadlessUserInterface::SelectEntry(WindowId dialog, int control, int index) {
  Control* c = FindControl(dialog, control);
  if (c == nullptr || (!IsCombo(*c) && c->kind != ControlKind::kListBox)) return;
  // As the system's controls do: an index past the entries selects nothing, and a combo
  // box's edit part shows the entry selected (or nothing).
  const bool valid = index >= 0 && static_cast<std::size_t>(index) < c->entries.size();
  c->selected = valid ? index : -1;
  if (IsCombo(*c)) c->text = valid ? c->entries[static_cast<std::size_t>(index)] : std::string();
}

void HeadlessUserInterface::ShowDropDown(WindowId dialog, int control, bool shown) {
  Control* c = FindControl(dialog, control);
  if (c != nullptr && IsCombo(*c)) c->dropped_down = shown;
}

void HeadlessUserInterface::SetColumns(WindowId dialog, int control,
                                       const std::vector<ListColumn>& columns) {
  Control* c = FindControl(dialog, control);
  if (c == nullptr || c->kind != ControlKind::kListView) return;
  c->columns = columns;
  c->rows.clear();
  c->selected = -1;
}

std::vector<ListColumn> HeadlessUserInterface::Columns(WindowId dialog, int control) {
  Control* c = FindControl(dialog, control);
  return c != nullptr ? c->columns : std::vector<ListColumn>{};
}

void HeadlessUserInterface::SetColumnWidth(WindowId dialog, int control, int column, int width) {
  Control* c = FindControl(dialog, control);
  if (c == nullptr || column < 0 || static_cast<std::size_t>(column) >= c->columns.size()) return;
  c->columns[static_cast<std::size_t>(column)].width = std::max(width, 0);
}

void HeadlessUserInterface::ClearRows(WindowId dialog, int control) {
  Control* c = FindControl(dialog, control);
  if (c == nullptr || c->kind != ControlKind::kListView) return;
  c->rows.clear();
  c->selected = -1;
}

void HeadlessUserInterface::AddRow(WindowId dialog, int control,
                                   const std::vector<std::string>& cells) {
  Control* c = FindControl(dialog, control);
  if (c != nullptr && c->kind == ControlKind::kListView) c->rows.push_back(cells);
}

std::vector<std::vector<std::string>> HeadlessUserInterface::Rows(WindowId dialog, int control) {
  Control* c = FindControl(dialog, control);
  return c != nullptr ? c->rows : std::vector<std::vector<std::string>>{};
}

int HeadlessUserInterface::SelectedRow(WindowId dialog, int control) {
  Control* c = FindControl(dialog, control);
  return c != nullptr && c->kind == ControlKind::kListView ? c->selected : -1;
}

void HeadlessUserInterface::SelectRow(WindowId dialog, int control, int row) {
  Control* c = FindControl(dialog, control);
  if (c == nullptr || c->kind != ControlKind::kListView) return;
  c->selected = row >= 0 && static_cast<std::size_t>(row) < c->rows.size() ? row : -1;
}

std::vector<RowPaint> HeadlessUserInterface::PaintRows(WindowId dialog, int control) {
  std::vector<RowPaint> painted;
  Control* c = FindControl(dialog, control);
  if (c == nullptr || c->kind != ControlKind::kListView) return painted;
  const bool owner_drawn = (c->flags & flag::kOwnerDrawn) != 0;
  const std::size_t count = c->rows.size();
  for (std::size_t row = 0; row < count; ++row) {
    c = FindControl(dialog, control);  // a handler may change the list while it paints
    if (c == nullptr || row >= c->rows.size()) break;
    RowPaint paint =
        DefaultRowPaint(control, static_cast<int>(row), c->selected == static_cast<int>(row),
                        c->rows[row], c->columns);
    if (owner_drawn) {
      Deliver(dialog, {message::kPaintListRow, static_cast<std::uintptr_t>(control),
                       reinterpret_cast<std::intptr_t>(&paint)});
    }
    painted.push_back(std::move(paint));
  }
  return painted;
}

std::optional<std::string> HeadlessUserInterface::Choose(WindowId owner, bool folder,
                                                         std::string_view title) {
  const WindowId previous = BeginModal();
  std::optional<std::string> answer = chooser_answer_;
  if (chooser_sink_) chooser_sink_({folder, std::string(title), answer.value_or("")});
  EndModal(owner, previous);
  return answer;
}

std::optional<std::string> HeadlessUserInterface::ChooseFile(WindowId owner,
                                                             const FileChoice& choice) {
  return Choose(owner, false, choice.title);
}

std::optional<std::string> HeadlessUserInterface::ChooseFolder(WindowId owner,
                                                               std::string_view title) {
  return Choose(owner, true, title);
}

}  // namespace r7::platform::posix
