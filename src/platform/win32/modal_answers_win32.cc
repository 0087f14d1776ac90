// Answering the modal windows that the driver shows. (Win32 implementation)
#include "platform/win32/modal_answers_win32.h"

#include <algorithm>

#include "platform/win32/controls_win32.h"
#include "platform/win32/dialog_mark_win32.h"

namespace r7::platform::win32 {
namespace {

// Control ids of the system's modal windows, the same on every version of Windows.
constexpr int kMessageBoxText = 0xFFFF;  // the static that shows a message box's text
constexpr int kFileNameEdit = 0x480;     // edt1: the file name of the old-style dialog
constexpr int kFileNameCombo = 0x47C;    // cmb13: the file name of the explorer-style one
constexpr int kFolderTitle = 0x3742;     // the folder dialog's text above its tree
// BFFM_SETSELECTIONA: selects a folder of the folder dialog by its path.
constexpr UINT kFolderSetSelection = WM_USER + 102;
// How long the timer waits before it answers: long enough for a window's own set-up
// messages to have been handled (the timer only fires when none is left anyway).
constexpr UINT kAnswerDelayMs = 50;

ModalAnswers* active = nullptr;

bool HasClass(HWND window, const char* wanted) {
  char name[64] = {};
  ::GetClassNameA(window, name, sizeof name);
  return ::lstrcmpiA(name, wanted) == 0;
}

BOOL CALLBACK FindTree(HWND child, LPARAM found) {
  if (!HasClass(child, "SysTreeView32")) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

bool HasTree(HWND window) {
  HWND tree = nullptr;
  ::EnumChildWindows(window, FindTree, reinterpret_cast<LPARAM>(&tree));
  return tree != nullptr;
}

HWND FileNameControl(HWND dialog) {
  if (HWND combo = ::GetDlgItem(dialog, kFileNameCombo)) return combo;
  return ::GetDlgItem(dialog, kFileNameEdit);
}

ShownWindow::Kind KindOf(HWND dialog) {
  if (FileNameControl(dialog) != nullptr) return ShownWindow::Kind::kFileDialog;
  if (HasTree(dialog)) return ShownWindow::Kind::kFolderDialog;
  return ShownWindow::Kind::kMessageBox;
}

bool IsPushButton(HWND window) {
  const std::optional<resources::ControlKind> kind = ControlKindOf(window);
  return kind == resources::ControlKind::kButton && ::IsWindowVisible(window) &&
         ::IsWindowEnabled(window);
}

// The first visible, enabled push button, in the order of the dialog's controls.
HWND FirstButton(HWND dialog) {
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (IsPushButton(child)) return child;
  }
  return nullptr;
}

// What the button's click tells its dialog.
void Press(HWND dialog, int id) {
  HWND button = ::GetDlgItem(dialog, id);
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void PressButton(HWND dialog, HWND button) {
  if (button == nullptr) return;
  Press(dialog, ::GetDlgCtrlID(button));
}

}  // namespace

ModalAnswers::ModalAnswers() {
  active = this;
  hook_ = ::SetWindowsHookExA(WH_CBT, OnCbt, nullptr, ::GetCurrentThreadId());
}

ModalAnswers::~ModalAnswers() {
  if (hook_ != nullptr) ::UnhookWindowsHookEx(hook_);
  if (timer_ != 0) ::KillTimer(nullptr, timer_);
  if (active == this) active = nullptr;
}

std::vector<ShownWindow> ModalAnswers::Take() {
  std::vector<ShownWindow> taken;
  taken.swap(shown_);
  taken_ += taken.size();
  return taken;
}

LRESULT CALLBACK ModalAnswers::OnCbt(int code, WPARAM wparam, LPARAM lparam) {
  if (active != nullptr) {
    HWND window = reinterpret_cast<HWND>(wparam);
    if (code == HCBT_ACTIVATE) active->Shows(window);
    if (code == HCBT_DESTROYWND) active->seen_.erase(window);
  }
  return ::CallNextHookEx(nullptr, code, wparam, lparam);
}

void CALLBACK ModalAnswers::OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  if (active == nullptr) return;
  if (active->timer_ == id) active->timer_ = 0;
  active->AnswerPending();
}

void ModalAnswers::Shows(HWND window) {
  if (!HasClass(window, "#32770") || MarkedTemplateName(window)) return;
  if (!seen_.insert(window).second) return;
  // What kind it is and what it says are read when it is answered, once it is set up.
  shown_.push_back({});
  pending_.push_back(
      {window, ShownWindow::Kind::kMessageBox, false, chooser_answer_, taken_ + shown_.size() - 1});
  ArmTimer();
}

void ModalAnswers::Describe(const Pending& pending) {
  // Taken before it was answered: nobody asks any more.
  if (pending.shown < taken_ || pending.shown - taken_ >= shown_.size()) return;
  HWND window = pending.window;
  ShownWindow shown{pending.kind, WindowText(window), {}};
  switch (pending.kind) {
    case ShownWindow::Kind::kMessageBox:
      shown.text = WindowText(::GetDlgItem(window, kMessageBoxText));
      break;
    case ShownWindow::Kind::kFolderDialog:
      if (HWND title = ::GetDlgItem(window, kFolderTitle)) shown.caption = WindowText(title);
      shown.text = pending.path.value_or("");
      break;
    case ShownWindow::Kind::kFileDialog:
      shown.text = pending.path.value_or("");
      break;
  }
  shown_[pending.shown - taken_] = std::move(shown);
}

void ModalAnswers::ArmTimer() {
  if (timer_ == 0) timer_ = ::SetTimer(nullptr, 0, kAnswerDelayMs, OnTimer);
}

void ModalAnswers::AnswerPending() {
  // Answering may show (and answer) further windows: work on a snapshot.
  std::vector<Pending> now;
  now.swap(pending_);
  std::vector<Pending> still;
  for (Pending& pending : now) {
    if (!::IsWindow(pending.window)) continue;
    // Disabled: a window of its own is showing over it (a chooser's complaint). Wait.
    if (::IsWindowEnabled(pending.window)) {
      if (!pending.answered) {
        pending.kind = KindOf(pending.window);
        Describe(pending);
        Answer(pending);
        pending.answered = true;
      } else {
        Cancel(pending);
      }
    }
    still.push_back(std::move(pending));
  }
  pending_.insert(pending_.begin(), still.begin(), still.end());
  if (!pending_.empty()) ArmTimer();
}

void ModalAnswers::Answer(Pending& pending) {
  HWND window = pending.window;
  switch (pending.kind) {
    case ShownWindow::Kind::kFileDialog:
      if (!pending.path) return Press(window, IDCANCEL);
      ::SetWindowTextA(FileNameControl(window), pending.path->c_str());
      return Press(window, IDOK);
    case ShownWindow::Kind::kFolderDialog:
      if (!pending.path) return Press(window, IDCANCEL);
      ::SendMessageA(window, kFolderSetSelection, TRUE,
                     reinterpret_cast<LPARAM>(pending.path->c_str()));
      return Press(window, IDOK);
    case ShownWindow::Kind::kMessageBox:
    default: {
      HWND button = box_answer_ ? ::GetDlgItem(window, *box_answer_) : nullptr;
      return PressButton(window,
                         button != nullptr && IsPushButton(button) ? button : FirstButton(window));
    }
  }
}

void ModalAnswers::Cancel(Pending& pending) {
  if (pending.kind == ShownWindow::Kind::kMessageBox) {
    PressButton(pending.window, FirstButton(pending.window));
  } else {
    Press(pending.window, IDCANCEL);
  }
}

}  // namespace r7::platform::win32
