// The headless window system of the POSIX build. (POSIX implementation)
#include "platform/posix/headless_ui.h"

#include <algorithm>

#include "common/text_util.h"

namespace r7::platform::posix {

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
  if (template_name.empty()) return kNoWindow;
  WindowId id = next_id_++;
  Window& window = windows_[id];
  window.template_name = std::string(template_name);
  window.owner = owner;
  window.visible = true;  // the templates are visible ones
  window.handler = std::make_shared<MessageHandler>(std::move(handler));
  Deliver(id, {message::kInitDialog, 0, 0});
  return IsWindow(id) ? id : kNoWindow;
}

void HeadlessUserInterface::DestroyWindow(WindowId window) {
  // Owned windows go with their owner, as on Windows.
  std::vector<WindowId> owned;
  for (const auto& [id, state] : windows_) {
    if (state.owner == window) owned.push_back(id);
  }
  for (WindowId id : owned) DestroyWindow(id);
  windows_.erase(window);
  if (focus_ == window) focus_ = kNoWindow;
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

void HeadlessUserInterface::Show(WindowId window, ShowMode mode) {
  if (Window* state = Lookup(window)) {
    state->visible = mode != ShowMode::kHide;
    if (mode == ShowMode::kNormal) focus_ = window;
  }
}

bool HeadlessUserInterface::IsVisible(WindowId window) {
  const Window* state = Lookup(window);
  return state != nullptr && state->visible;
}

void HeadlessUserInterface::SetFocus(WindowId window) {
  if (IsWindow(window)) focus_ = window;
}

void HeadlessUserInterface::Activate(WindowId window) {
  if (IsWindow(window)) focus_ = window;
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

std::vector<WindowId> HeadlessUserInterface::DialogsOf(std::string_view template_name) const {
  std::vector<WindowId> found;
  for (const auto& [id, state] : windows_) {
    if (EqualsIgnoreCase(state.template_name, template_name)) found.push_back(id);
  }
  return found;
}

HeadlessUserInterface::Control* HeadlessUserInterface::ControlOf(WindowId dialog, int control,
                                                                 bool create) {
  Window* state = Lookup(dialog);
  if (state == nullptr) return nullptr;
  auto found = state->controls.find(control);
  if (found != state->controls.end()) return &found->second;
  return create ? &state->controls[control] : nullptr;
}

void HeadlessUserInterface::SetControlText(WindowId dialog, int control, std::string_view text) {
  if (Control* c = ControlOf(dialog, control, true)) c->text = std::string(text);
}

std::string HeadlessUserInterface::ControlText(WindowId dialog, int control) {
  Control* c = ControlOf(dialog, control, false);
  return c != nullptr ? c->text : std::string();
}

void HeadlessUserInterface::SetChecked(WindowId dialog, int control, bool checked) {
  if (Control* c = ControlOf(dialog, control, true)) c->checked = checked;
}

bool HeadlessUserInterface::IsChecked(WindowId dialog, int control) {
  Control* c = ControlOf(dialog, control, false);
  return c != nullptr && c->checked;
}

void HeadlessUserInterface::EnableControl(WindowId dialog, int control, bool enabled) {
  if (Control* c = ControlOf(dialog, control, true)) c->enabled = enabled;
}

bool HeadlessUserInterface::IsControlEnabled(WindowId dialog, int control) {
  Control* c = ControlOf(dialog, control, false);
  return c != nullptr && c->enabled;
}

void HeadlessUserInterface::ClearEntries(WindowId dialog, int control) {
  if (Control* c = ControlOf(dialog, control, true)) {
    c->entries.clear();
    c->selected = -1;
  }
}

void HeadlessUserInterface::AddEntry(WindowId dialog, int control, std::string_view text) {
  if (Control* c = ControlOf(dialog, control, true)) c->entries.emplace_back(text);
}

std::vector<std::string> HeadlessUserInterface::Entries(WindowId dialog, int control) {
  Control* c = ControlOf(dialog, control, false);
  return c != nullptr ? c->entries : std::vector<std::string>{};
}

int HeadlessUserInterface::SelectedEntry(WindowId dialog, int control) {
  Control* c = ControlOf(dialog, control, false);
  return c != nullptr ? c->selected : -1;
}

void HeadlessUserInterface::SelectEntry(WindowId dialog, int control, int index) {
  Control* c = ControlOf(dialog, control, true);
  if (c == nullptr) return;
  // As the system's controls do: an index past the entries selects nothing.
  c->selected = index >= 0 && static_cast<std::size_t>(index) < c->entries.size() ? index : -1;
}

void HeadlessUserInterface::SetColumns(WindowId dialog, int control,
                                       const std::vector<std::string>& headings) {
  if (Control* c = ControlOf(dialog, control, true)) c->columns = headings;
}

void HeadlessUserInterface::ClearRows(WindowId dialog, int control) {
  if (Control* c = ControlOf(dialog, control, true)) c->rows.clear();
}

void HeadlessUserInterface::AddRow(WindowId dialog, int control,
                                   const std::vector<std::string>& cells) {
  if (Control* c = ControlOf(dialog, control, true)) c->rows.push_back(cells);
}

std::vector<std::vector<std::string>> HeadlessUserInterface::Rows(WindowId dialog, int control) {
  Control* c = ControlOf(dialog, control, false);
  return c != nullptr ? c->rows : std::vector<std::vector<std::string>>{};
}

}  // namespace r7::platform::posix
