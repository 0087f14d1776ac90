// The dialog lines of a batch.
#include "cli/r7/dialog_script.h"

#include <array>
#include <charconv>
#include <optional>
#include <vector>

#include "platform/message_box.h"

namespace r7::cli {
namespace {

using platform::ControlKind;
using platform::ControlState;
using platform::WindowId;

constexpr std::array<std::string_view, 16> kKeywords = {
    "menu",     "dialog",     "set",  "select",  "check",     "press",  "dblclick", "sort",
    "activate", "deactivate", "show", "dialogs", "clipboard", "answer", "choose",   "stop"};

LineAnswer Done(std::string text = {}) {
  return {0, std::move(text)};
}
LineAnswer Refused(std::string reason) {
  return {1, std::move(reason)};
}

std::optional<int> Number(std::string_view text) {
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return {};
  return value;
}

// The first word of `text` and what follows its single separating blank.
std::pair<std::string_view, std::string_view> SplitWord(std::string_view text) {
  const std::size_t blank = text.find(' ');
  if (blank == std::string_view::npos) return {text, {}};
  return {text.substr(0, blank), text.substr(blank + 1)};
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    if (upper(a[i]) != upper(b[i])) return false;
  }
  return true;
}

std::string Join(const std::vector<std::string>& parts, char separator) {
  std::string joined;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i != 0) joined += separator;
    joined += parts[i];
  }
  return joined;
}

std::string ControlName(int id) {
  return "control " + std::to_string(id);
}

// What `show` answers: the text, or the state, then the entries or rows, with the selected
// one marked and a disabled or read-only control said to be so.
std::string Describe(const ControlState& state) {
  std::vector<std::string> lines;
  switch (state.kind) {
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton:
      lines.push_back(state.checked ? "1" : "0");
      break;
    case ControlKind::kComboBox:
    case ControlKind::kListBox: {
      const bool has_text = state.kind == ControlKind::kComboBox;
      const bool has_selection =
          state.selected >= 0 && static_cast<std::size_t>(state.selected) < state.entries.size();
      lines.push_back(has_text        ? state.text
                      : has_selection ? state.entries[static_cast<std::size_t>(state.selected)]
                                      : std::string());
      for (std::size_t i = 0; i < state.entries.size(); ++i) {
        lines.push_back((static_cast<int>(i) == state.selected ? "*" : "") + state.entries[i]);
      }
      break;
    }
    case ControlKind::kListView:
      for (std::size_t i = 0; i < state.rows.size(); ++i) {
        lines.push_back((static_cast<int>(i) == state.selected ? "*" : "") +
                        Join(state.rows[i], '\t'));
      }
      if (lines.empty()) lines.emplace_back();
      break;
    default:
      lines.push_back(state.text);
      break;
  }
  auto mark = [&lines](const char* word) {
    lines.front() += lines.front().empty() ? word : std::string(" ") + word;
  };
  if (!state.enabled) mark("(disabled)");
  if (state.read_only) mark("(read-only)");
  return Join(lines, '\n');
}

std::optional<int> AnswerOf(std::string_view word) {
  namespace answer = platform::answer;
  if (word == "yes") return answer::kYes;
  if (word == "no") return answer::kNo;
  if (word == "ok") return answer::kOk;
  if (word == "cancel") return answer::kCancel;
  return std::nullopt;
}

}  // namespace

DialogScript::DialogScript(platform::UserActions& actions, std::string command_window_class)
    : actions_(actions), command_window_class_(std::move(command_window_class)) {}

bool DialogScript::IsDialogLine(std::string_view line) {
  const std::string_view keyword = SplitWord(line).first;
  for (std::string_view known : kKeywords) {
    if (keyword == known) return true;
  }
  return false;
}

LineAnswer DialogScript::Run(std::string_view line) {
  auto [keyword, rest] = SplitWord(line);
  LineAnswer answer = RunLine(keyword, rest);
  // A key press meant for an action that did not take it does not wait for a later one.
  if (keyword != "stop") actions_.DiscardPendingInput();
  return answer;
}

WindowId DialogScript::Dialog(LineAnswer* refusal) {
  if (dialog_name_.empty()) {
    *refusal = Refused("no dialog addressed: a dialog line names one first");
    return platform::kNoWindow;
  }
  WindowId newest = platform::kNoWindow;
  for (const platform::OpenDialog& open : actions_.OpenDialogs()) {
    if (EqualsNoCase(open.template_name, dialog_name_)) newest = open.window;
  }
  if (newest == platform::kNoWindow) *refusal = Refused("no dialog " + dialog_name_);
  return newest;
}

LineAnswer DialogScript::RunLine(std::string_view keyword, std::string_view rest) {
  if (keyword == "menu") {
    std::optional<int> id = Number(rest);
    if (!id) return Refused("menu takes ID");
    if (!actions_.PickMenuItem(command_window_class_, *id)) return Refused("no command window");
    actions_.Pump();
    return Done();
  }
  if (keyword == "dialog") {
    if (rest.empty()) return Refused("dialog takes NAME");
    std::string previous = std::move(dialog_name_);
    dialog_name_ = std::string(rest);
    LineAnswer refusal;
    const WindowId window = Dialog(&refusal);
    if (window == platform::kNoWindow) {
      dialog_name_ = std::move(previous);  // a refused line changes nothing
      return refusal;
    }
    for (const platform::OpenDialog& open : actions_.OpenDialogs()) {
      if (open.window == window) return Done(open.title);
    }
    return Done();
  }
  if (keyword == "dialogs") {
    std::vector<std::string> lines;
    for (const platform::OpenDialog& open : actions_.OpenDialogs()) {
      lines.push_back(open.template_name + "\t" + open.title);
    }
    return Done(Join(lines, '\n'));
  }
  if (keyword == "clipboard") return Done(actions_.ClipboardText());
  if (keyword == "answer") {
    std::optional<int> answer = AnswerOf(rest);
    if (!answer) return Refused("answer takes yes, no, ok or cancel");
    actions_.AnswerBoxes(answer);
    return Done();
  }
  if (keyword == "choose") {
    actions_.AnswerChoosers(rest.empty() ? std::nullopt : std::optional<std::string>(rest));
    return Done();
  }

  // The lines that act on the addressed dialog.
  LineAnswer refusal;
  const WindowId dialog = Dialog(&refusal);
  if (dialog == platform::kNoWindow) return refusal;
  if (keyword == "activate" || keyword == "deactivate" || keyword == "stop") {
    if (!rest.empty()) return Refused(std::string(keyword) + " takes nothing more");
    if (keyword == "activate") actions_.Activate(dialog);
    if (keyword == "deactivate") actions_.Deactivate(dialog);
    if (keyword == "stop") actions_.PressKeyDuring(dialog);
    actions_.Pump();
    return Done();
  }

  // The lines that act on one control.
  auto [id_text, argument] = SplitWord(rest);
  std::optional<int> id = Number(id_text);
  if (!id) return Refused(std::string(keyword) + " takes a control ID");
  std::optional<ControlState> state = actions_.Inspect(dialog, *id);
  if (!state) return Refused("no " + ControlName(*id));
  if (keyword == "show") return Done(Describe(*state));
  if (!state->enabled) return Refused(ControlName(*id) + " is disabled");
  const ControlKind kind = state->kind;

  if (keyword == "set") {
    if (!state->has_edit) return Refused(ControlName(*id) + " takes no typing");
    if (state->read_only) return Refused(ControlName(*id) + " is read-only");
    actions_.TypeText(dialog, *id, argument);
    actions_.Pump();
    std::optional<ControlState> after = actions_.Inspect(dialog, *id);
    return Done(after ? after->text : std::string());
  }
  if (keyword == "select") {
    if (kind != ControlKind::kComboBox && kind != ControlKind::kListBox) {
      return Refused(ControlName(*id) + " has no entries");
    }
    int index = -1;
    if (!argument.empty() && argument.front() == '=') {
      const std::string_view wanted = argument.substr(1);
      for (std::size_t i = 0; i < state->entries.size() && index < 0; ++i) {
        if (state->entries[i] == wanted) index = static_cast<int>(i);
      }
      if (index < 0) {
        return Refused("no entry '" + std::string(wanted) + "' in " + ControlName(*id));
      }
    } else {
      std::optional<int> number = Number(argument);
      if (!number) return Refused("select takes ID N or ID =TEXT");
      if (*number < 0 || static_cast<std::size_t>(*number) >= state->entries.size()) {
        return Refused("no entry " + std::string(argument) + " in " + ControlName(*id));
      }
      index = *number;
    }
    actions_.SelectEntry(dialog, *id, index);
    actions_.Pump();
    std::optional<ControlState> after = actions_.Inspect(dialog, *id);
    if (!after) return Done();
    if (after->kind == ControlKind::kComboBox) return Done(after->text);
    const bool selected =
        after->selected >= 0 && static_cast<std::size_t>(after->selected) < after->entries.size();
    return Done(selected ? after->entries[static_cast<std::size_t>(after->selected)] : "");
  }
  if (keyword == "check") {
    if (kind != ControlKind::kCheckBox && kind != ControlKind::kRadioButton) {
      return Refused(ControlName(*id) + " is not a check box or radio button");
    }
    if (argument != "0" && argument != "1") return Refused("check takes ID 0 or ID 1");
    const bool wanted = argument == "1";
    if (state->checked != wanted) {
      if (kind == ControlKind::kRadioButton && !wanted) {
        return Refused(ControlName(*id) + " is a radio button: checking another clears it");
      }
      actions_.Click(dialog, *id);
      actions_.Pump();
    }
    std::optional<ControlState> after = actions_.Inspect(dialog, *id);
    return Done(after && after->checked ? "1" : "0");
  }
  if (keyword == "press") {
    if (kind != ControlKind::kButton && kind != ControlKind::kBitmapButton) {
      return Refused(ControlName(*id) + " is not a button");
    }
    if (!argument.empty()) return Refused("press takes ID");
    actions_.Click(dialog, *id);
    actions_.Pump();
    return Done();
  }
  if (keyword == "dblclick" || keyword == "sort") {
    if (kind != ControlKind::kListView) return Refused(ControlName(*id) + " is not a list view");
    std::optional<int> number = Number(argument);
    if (!number) return Refused(std::string(keyword) + " takes ID and a number");
    if (keyword == "dblclick") {
      if (*number < 0 || static_cast<std::size_t>(*number) >= state->rows.size()) {
        return Refused("no row " + std::string(argument) + " in " + ControlName(*id));
      }
      actions_.DoubleClickRow(dialog, *id, *number);
    } else {
      if (*number < 0 || static_cast<std::size_t>(*number) >= state->columns.size()) {
        return Refused("no column " + std::string(argument) + " in " + ControlName(*id));
      }
      if (state->columns[static_cast<std::size_t>(*number)].width == 0) {
        return Refused("column " + std::string(argument) + " of " + ControlName(*id) +
                       " is hidden");
      }
      actions_.ClickColumn(dialog, *id, *number);
    }
    actions_.Pump();
    return Done();
  }
  return Refused("unknown line " + std::string(keyword));
}

}  // namespace r7::cli
