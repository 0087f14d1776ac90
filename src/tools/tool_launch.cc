// Opening one tool's dialog from another. (platform-independent)
#include "tools/tool_launch.h"

#include "base/error_codes.h"
#include "ledger/company_periods.h"
#include "resources/period_wizard_ids.h"
#include "specifiers/period_parser.h"
#include "tools/period_choice.h"

namespace r7::tool_launch {

using platform::WindowId;

void ShowNotBuilt(const ToolContext& context, WindowId window) {
  context.messages.MessageBoxById(window, kNotSupported, kCaption,
                                  platform::box::kOk | platform::box::kIconExclamation);
}

WindowId ReopenDialog(const ToolContext& context, DialogKind kind, WindowId window,
                      const std::function<void()>& before_opening) {
  platform::UserInterface& ui = context.ui;
  const WindowId open = context.dialogs.Handle(kind);
  if (open != platform::kNoWindow && ui.IsWindow(open)) {
    ui.Send(open, platform::CommandMessage(kCloseAndCleanUp));
    if (ui.IsWindow(open) && context.dialogs.Handle(kind) == open) return platform::kNoWindow;
  }
  if (before_opening) before_opening();
  if (!context.dialogs.HasFactory(kind)) {
    ShowNotBuilt(context, window);
    return platform::kNoWindow;
  }
  const WindowId created = context.dialogs.Create(kind, context.command_window());
  if (created != platform::kNoWindow) ui.Show(created, platform::ShowMode::kNormal);
  return created;
}

void OpenPeriodWizard(const ToolContext& context, std::string_view period_text,
                      const CompanyContext* company, WindowId window) {
  platform::UserInterface& ui = context.ui;
  const WindowId open = context.dialogs.Handle(DialogKind::kPeriodWizard);
  if (open != platform::kNoWindow && ui.IsWindow(open)) {
    ui.Show(open, platform::ShowMode::kNormal);
    return;
  }
  PeriodList periods;
  std::size_t count = 0;
  if (ParsePeriodSpecifier(period_text, &periods, &count).ok() && count > 0) {
    const PeriodSpec spec =
        company != nullptr ? ResolveForCompany(periods[0], *company) : periods[0];
    period_choice::Seed(context.session.period_choice, spec);
  }
  if (context.dialogs.CreateFromTemplate("PERIODW", context.command_window()) ==
      platform::kNoWindow) {
    ShowNotBuilt(context, window);
  }
}

std::string ComposedPeriod(const ToolContext& context, WindowId wizard) {
  return context.ui.ControlText(wizard, R7_PWIZ_TEXT);
}

}  // namespace r7::tool_launch
