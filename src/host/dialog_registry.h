// The modeless dialogs of the driver: which exist, how each is made, and the one handle of
// each that is open. (platform-independent)
//
// A tool registers the factory of its dialog; a dialog whose tool is not built yet has no
// factory, and asking for it shows 42 "Function not supported". Each dialog's handler
// forgets its own handle when it closes, and treats command 1100 as "close and clean up".
// A tool may also make a dialog that other tools open by its template name (the period
// wizard): those reach it through the registry, never through the tool's code.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/window_id.h"

namespace r7 {

enum class DialogKind {
  kSetup,
  kAbout,
  kChartCopy,
  kDrill,
  kReport,
  kBudget,
  kLists,
  kPreload,
  kEntities,
  kEnquiry,
  kPeriodWizard,
  kTransactionFields,
  kEntitiesSetup,
};
inline constexpr int kDialogKindCount = 13;

// Command 1100: every dialog closes and cleans up when it gets it.
inline constexpr int kCloseAndCleanUp = 1100;

struct DialogInfo {
  DialogKind kind;
  std::string_view resource;  // the template's name
  int menu_id;                // 0: not opened from the menu
};

const DialogInfo& InfoOf(DialogKind kind);
// The dialog that a menu id opens, for the ids that open one.
std::optional<DialogKind> DialogOfMenu(int menu_id);

// Creates the dialog owned by `owner` and returns it, or kNoWindow when it could not.
using DialogFactory = std::function<platform::WindowId(platform::WindowId owner)>;

class DialogRegistry {
 public:
  void RegisterFactory(DialogKind kind, DialogFactory factory);
  bool HasFactory(DialogKind kind) const;
  // Creates the dialog with its factory and records it; kNoWindow without a factory.
  platform::WindowId Create(DialogKind kind, platform::WindowId owner);

  // Dialogs opened by their template name.
  void RegisterTemplateFactory(std::string_view template_name, DialogFactory factory);
  // Creates the dialog of that template; kNoWindow when no tool makes it.
  platform::WindowId CreateFromTemplate(std::string_view template_name, platform::WindowId owner);

  platform::WindowId Handle(DialogKind kind) const;
  void Set(DialogKind kind, platform::WindowId window);
  // Forgets the handle when it is still that window's (a newer dialog may have replaced it).
  void Forget(DialogKind kind, platform::WindowId window);
  void ForgetAll();

 private:
  static std::size_t Index(DialogKind kind) { return static_cast<std::size_t>(kind); }
  std::array<DialogFactory, kDialogKindCount> factories_{};
  std::array<platform::WindowId, kDialogKindCount> handles_{};
  std::map<std::string, DialogFactory, std::less<>> template_factories_;
};

}  // namespace r7
