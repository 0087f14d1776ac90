// The modeless dialogs of the driver. (platform-independent)
#include "host/dialog_registry.h"

#include "resources/menu_ids.h"

namespace r7 {
namespace {

constexpr std::array<DialogInfo, kDialogKindCount> kDialogs = {{
    {DialogKind::kSetup, "SETUP", R7_MENU_SETUP},
    {DialogKind::kAbout, "ABOUT", R7_MENU_ABOUT},
    {DialogKind::kChartCopy, "CHARTCOPY", R7_MENU_CHART},
    {DialogKind::kDrill, "DRILL", R7_MENU_DRILL},
    {DialogKind::kReport, "REPORT", R7_MENU_REPORT},
    {DialogKind::kBudget, "BUDGET", R7_MENU_BUDGET},
    {DialogKind::kLists, "LIST_DIALOG", R7_MENU_LISTS},
    {DialogKind::kPreload, "TURBO", R7_MENU_PRELOAD},
    {DialogKind::kEntities, "SAD", R7_MENU_ENTITIES},
    {DialogKind::kEnquiry, "ACCOUNT_INQUIRE", R7_MENU_ENQUIRY},
    {DialogKind::kPeriodWizard, "PWIZ", R7_MENU_PERIOD_WIZARD},
    {DialogKind::kTransactionFields, "TRXFIELDS", 0},
    {DialogKind::kEntitiesSetup, "FESETUP", 0},
}};

}  // namespace

const DialogInfo& InfoOf(DialogKind kind) {
  return kDialogs[static_cast<std::size_t>(kind)];
}

std::optional<DialogKind> DialogOfMenu(int menu_id) {
  for (const DialogInfo& info : kDialogs) {
    if (info.menu_id != 0 && info.menu_id == menu_id) return info.kind;
  }
  return std::nullopt;
}

void DialogRegistry::RegisterFactory(DialogKind kind, DialogFactory factory) {
  factories_[Index(kind)] = std::move(factory);
}

bool DialogRegistry::HasFactory(DialogKind kind) const {
  return static_cast<bool>(factories_[Index(kind)]);
}

platform::WindowId DialogRegistry::Create(DialogKind kind, platform::WindowId owner) {
  if (!HasFactory(kind)) return platform::kNoWindow;
  // Copy: a factory may register or replace factories while it runs.
  DialogFactory factory = factories_[Index(kind)];
  platform::WindowId window = factory(owner);
  Set(kind, window);
  return window;
}

void DialogRegistry::RegisterTemplateFactory(std::string_view template_name,
                                             DialogFactory factory) {
  template_factories_[std::string(template_name)] = std::move(factory);
}

platform::WindowId DialogRegistry::CreateFromTemplate(std::string_view template_name,
                                                      platform::WindowId owner) {
  auto found = template_factories_.find(template_name);
  if (found == template_factories_.end()) return platform::kNoWindow;
  DialogFactory factory = found->second;  // a copy, as Create() takes one
  return factory(owner);
}

platform::WindowId DialogRegistry::Handle(DialogKind kind) const {
  return handles_[Index(kind)];
}

void DialogRegistry::Set(DialogKind kind, platform::WindowId window) {
  handles_[Index(kind)] = window;
}

void DialogRegistry::Forget(DialogKind kind, platform::WindowId window) {
  if (handles_[Index(kind)] == window) handles_[Index(kind)] = platform::kNoWindow;
}

void DialogRegistry::ForgetAll() {
  handles_.fill(platform::kNoWindow);
}

}  // namespace r7
