// Answers the modal windows that show on the host's thread while it acts as the user:
// message boxes, the file-open dialog and the folder dialog, each recorded and then
// answered as a person would. (Win32 implementation)
//
// A CBT hook on the thread hears every window that is about to be activated. A dialog of
// the system's dialog class that carries no template mark (dialog_mark_win32.h) is one of
// these modal windows; the driver's own dialogs and every other window are left alone.
// Each is recorded in the order it shows, and answered a moment later from a thread timer,
// which the modal window's own message loop runs once the window has finished setting
// itself up; what it showed (a message box's caption and text; a chooser's title and the
// path it is answered with) is read then, as a box may be activated before it has its text:
//   - a message box: the button of the answer when the box has it, else its first visible
//     button;
//   - the file-open dialog: the path typed into its file name, then OK; or Cancel;
//   - the folder dialog: the folder selected, then OK; or Cancel;
//   - anything else: its first visible button.
// A chooser still open after its answer (the path was refused) is cancelled. One instance
// at a time per process; it must live on the thread that shows the windows.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include <windows.h>

#include "platform/user_actions.h"

namespace r7::platform::win32 {

class ModalAnswers {
 public:
  ModalAnswers();
  ~ModalAnswers();
  ModalAnswers(const ModalAnswers&) = delete;
  ModalAnswers& operator=(const ModalAnswers&) = delete;

  // answer::* for the following message boxes; nullopt: the first button.
  void set_box_answer(std::optional<int> answer) { box_answer_ = answer; }
  // The path for the following file and folder dialogs; nullopt: cancel them.
  void set_chooser_answer(std::optional<std::string> path) { chooser_answer_ = std::move(path); }
  // What showed itself since the last call, in order.
  std::vector<ShownWindow> Take();

 private:
  struct Pending {
    HWND window = nullptr;
    ShownWindow::Kind kind = ShownWindow::Kind::kMessageBox;
    bool answered = false;
    std::optional<std::string> path;  // a chooser's answer, as it was when it showed
    std::size_t shown = 0;  // the number of its entry in shown_ (counting taken ones), filled
                            // in when it is answered
  };

  static LRESULT CALLBACK OnCbt(int code, WPARAM wparam, LPARAM lparam);
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD);
  void Shows(HWND window);
  void Describe(const Pending& pending);
  void AnswerPending();
  void Answer(Pending& pending);
  void Cancel(Pending& pending);
  void ArmTimer();

  HHOOK hook_ = nullptr;
  UINT_PTR timer_ = 0;
  std::optional<int> box_answer_;
  std::optional<std::string> chooser_answer_;
  std::vector<ShownWindow> shown_;
  std::size_t taken_ = 0;  // how many entries Take() has handed out
  std::vector<Pending> pending_;
  std::set<HWND> seen_;  // shown and not yet destroyed: recorded once
};

}  // namespace r7::platform::win32
