// The period wizard and its launcher. (platform-independent)
#include "tools/period_wizard/period_wizard.h"

#include <algorithm>

#include "base/error_codes.h"
#include "common/text_util.h"
#include "resources/period_wizard_ids.h"
#include "specifiers/dates.h"
#include "specifiers/period_parser.h"
#include "tools/period_choice.h"
#include "tools/tool_dialog.h"

namespace r7::period_wizard {
namespace {

using platform::Message;
using platform::WindowId;
namespace message = platform::message;
namespace notify = platform::notify;

constexpr std::size_t kMaxText = 512;
constexpr std::size_t kMaxDateText = 260;
constexpr std::size_t kMaxClipboardText = 509;

// The radio buttons of each choice, in the order of the choice's values.
constexpr int kBalanceButtons[] = {R7_PWIZ_BUDGET, R7_PWIZ_ACTUAL};     // 0 budget, 1 actual
constexpr int kYearButtons[] = {R7_PWIZ_LAST_YEAR, R7_PWIZ_THIS_YEAR};  // 0 last, 1 this
constexpr int kValueButtons[] = {R7_PWIZ_OPENING, R7_PWIZ_ENDING, R7_PWIZ_CHANGE};
constexpr int kDurationButtons[] = {R7_PWIZ_MONTH, R7_PWIZ_QUARTER, R7_PWIZ_HALF_YEAR,
                                    R7_PWIZ_YEAR};
constexpr int kFirstChoice = R7_PWIZ_CHOICE_BASE + 1;
constexpr int kLastChoice = R7_PWIZ_CHOICE_BASE + period_choice::kAllPeriods;

template <std::size_t N>
int IndexOf(const int (&buttons)[N], int control) {
  for (std::size_t i = 0; i < N; ++i) {
    if (buttons[i] == control) return static_cast<int>(i);
  }
  return -1;
}

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A text of digits alone is a serial day number: written back as the date it is.
void RewriteSerial(std::string& text) {
  if (AllDigits(text) && text.size() <= 9) text = SerialDateText(SerialToDate(LeadingInt(text)));
}

class WizardDialog : public ToolDialog {
 public:
  WizardDialog(const ToolContext& context, std::shared_ptr<WizardTexts> texts)
      : ToolDialog(context, DialogKind::kPeriodWizard), texts_(std::move(texts)) {}

 private:
  void OnInit(WindowId self) override { ShowChoices(self); }
  bool OnMessage(WindowId self, const Message& m) override;
  bool OnCommand(WindowId self, int id, int notification) override;
  void OnClose(WindowId self) override { Close(self, false); }

  void ShowChoices(WindowId self);
  void OnChoice(WindowId self, int control);
  void OnDatesLeft(WindowId self);
  void Compose(WindowId self);
  void ComputeDates();
  void CopyToClipboard();
  void Tell(int command, WindowId self);
  void Close(WindowId self, bool composed);

  std::shared_ptr<WizardTexts> texts_;
  bool initialised_ = false;  // the first activation has happened
  WindowId opener_ = platform::kNoWindow;
};

void WizardDialog::ShowChoices(WindowId self) {
  platform::UserInterface& ui = context_.ui;
  const PeriodChoice& c = context_.session.period_choice;
  auto check = [&](auto& buttons, int value) {
    for (std::size_t i = 0; i < std::size(buttons); ++i) {
      ui.SetChecked(self, buttons[i], static_cast<int>(i) == value);
    }
  };
  check(kBalanceButtons, c.balance_type);
  check(kYearButtons, c.year);
  check(kValueButtons, c.values);
  check(kDurationButtons, c.duration);
  for (int id = kFirstChoice; id <= kLastChoice; ++id) {
    ui.SetChecked(self, id, id - R7_PWIZ_CHOICE_BASE == c.choice);
  }
  ui.SetChecked(self, R7_PWIZ_RUNNING, c.running);
  ui.SetChecked(self, R7_PWIZ_AGO, c.ago);
}

bool WizardDialog::OnMessage(WindowId self, const Message& m) {
  // Started on the first activation: the window that gave it up opened the wizard.
  if (m.id == message::kActivate && platform::IsActivation(m) && !initialised_) {
    initialised_ = true;
    opener_ = platform::OtherWindow(m);
    context_.session.period_wizard_company = context_.settings.company;
    Tell(R7_PWIZ_INITIALISED, self);  // the opener may hand it another company
    Compose(self);
    texts_->previous_from = texts_->from;
    texts_->previous_to = texts_->to;
  }
  return false;
}

bool WizardDialog::OnCommand(WindowId self, int id, int notification) {
  if (id == R7_PWIZ_FROM || id == R7_PWIZ_TO) {
    if (notification == notify::kEditKillFocus) OnDatesLeft(self);
    return true;
  }
  if (notification != notify::kClicked) return false;
  switch (id) {
    case platform::kOkButton:
      Close(self, true);
      return true;
    case platform::kCancelButton:
    case kCloseAndCleanUp:
      Close(self, false);
      return true;
    case R7_PWIZ_TO_CLIPBOARD:
      CopyToClipboard();
      return true;
    default:
      OnChoice(self, id);
      return true;
  }
}

void WizardDialog::OnChoice(WindowId self, int control) {
  PeriodChoice& c = context_.session.period_choice;
  platform::UserInterface& ui = context_.ui;
  if (int i = IndexOf(kBalanceButtons, control); i >= 0) {
    c.balance_type = i;
  } else if (int y = IndexOf(kYearButtons, control); y >= 0) {
    c.year = y;
  } else if (int v = IndexOf(kValueButtons, control); v >= 0) {
    c.values = v;
  } else if (int d = IndexOf(kDurationButtons, control); d >= 0) {
    c.duration = d;
  } else if (control >= kFirstChoice && control <= kLastChoice) {
    c.choice = control - R7_PWIZ_CHOICE_BASE;
  } else if (control == R7_PWIZ_RUNNING) {
    c.running = ui.IsChecked(self, R7_PWIZ_RUNNING);
  } else if (control == R7_PWIZ_AGO) {
    c.ago = ui.IsChecked(self, R7_PWIZ_AGO);
  } else {
    return;
  }
  context_.session.explicit_dates = false;
  Compose(self);
  if (control == kLastChoice) Tell(R7_PWIZ_PERIODS_CHANGED, self);
}

void WizardDialog::Compose(WindowId self) {
  platform::UserInterface& ui = context_.ui;
  WizardTexts& t = *texts_;
  std::optional<std::string> text = period_choice::Compose(context_.session.period_choice);
  if (!text) {
    t.text.clear();
    context_.messages.ShowErrorBox(self, kInvalidPeriod, "");
    return;
  }
  t.text = CutTo(*text, kMaxText);
  ShowChoices(self);  // composing may have moved the period or cleared Ago
  ui.SetControlText(self, R7_PWIZ_TEXT, t.text);
  if (!context_.session.explicit_dates) ComputeDates();
  RewriteSerial(t.to);
  RewriteSerial(t.from);
  ui.SetControlText(self, R7_PWIZ_FROM, t.from);
  ui.SetControlText(self, R7_PWIZ_TO, t.to);
}

// The dates the choices cover in the wizard's company become the current dates; a company
// that does not load leaves them as they were.
void WizardDialog::ComputeDates() {
  const LedgerServices services = context_.ledger(platform::kNoWindow);
  CompanyContext* company = services.companies.FindCompany(context_.session.period_wizard_company);
  if (company == nullptr || company->status != 0) return;
  const period_choice::PeriodSpan span = period_choice::SpanOf(
      context_.session.period_choice, company->current_period, company->period_count);
  const DateRange range = period_choice::DatesOf(span, *company);
  context_.session.current_dates = range;
  texts_->from = CalendarDateText(range.from);
  texts_->to = CalendarDateText(range.to);
}

// Typed dates: when either field is left changed, they become the current dates if they
// read; dates that do not read leave the current ones in force.
void WizardDialog::OnDatesLeft(WindowId self) {
  platform::UserInterface& ui = context_.ui;
  WizardTexts& t = *texts_;
  const std::string from = CutTo(ui.ControlText(self, R7_PWIZ_FROM), kMaxDateText);
  const std::string to = CutTo(ui.ControlText(self, R7_PWIZ_TO), kMaxDateText);
  if (EqualsIgnoreCase(from, t.previous_from) && EqualsIgnoreCase(to, t.previous_to)) return;
  t.previous_from = t.from = from;
  t.previous_to = t.to = to;
  Tell(R7_PWIZ_PERIODS_CHANGED, self);
  ParseDateRange(from, to, context_.session.current_dates);
}

void WizardDialog::CopyToClipboard() {
  context_.input.ShowWaitCursor();
  std::string text = CutTo(texts_->text, kMaxClipboardText) + "\r\n";
  std::replace(text.begin(), text.end(), ',', '\t');
  context_.clipboard.SetText(text);
  context_.input.ShowArrowCursor();
}

void WizardDialog::Tell(int command, WindowId self) {
  if (!context_.ui.IsWindow(opener_)) return;
  const Message m = platform::CommandMessage(command, 0, static_cast<std::intptr_t>(self));
  if (command == R7_PWIZ_CLOSED) {
    context_.ui.Post(opener_, m);
  } else {
    context_.ui.Send(opener_, m);
  }
}

void WizardDialog::Close(WindowId self, bool composed) {
  if (composed) Tell(R7_PWIZ_COMPOSED, self);
  Tell(R7_PWIZ_CLOSED, self);
  context_.ui.DestroyWindow(self);
}

// The launcher: opens the wizard seeded with "Month", and goes when the wizard goes.
class LauncherDialog : public ToolDialog {
 public:
  LauncherDialog(const ToolContext& context, std::shared_ptr<WizardTexts> texts)
      : ToolDialog(context, DialogKind::kPeriodWizard), texts_(std::move(texts)) {}

 private:
  void OnInit(WindowId self) override {
    platform::UserInterface& ui = context_.ui;
    const WindowId open = context_.dialogs.Handle(DialogKind::kPeriodWizard);
    if (open != platform::kNoWindow && ui.IsWindow(open)) {
      ui.Post(self, {message::kClose, 0, 0});  // a wizard is open already
      return;
    }
    static constexpr std::string_view kMonth = "Month";
    PeriodList periods;
    if (ParsePeriodSpecifier(kMonth, &periods).ok()) {
      period_choice::Seed(context_.session.period_choice, periods[0]);
    }
    ui.Post(self, platform::CommandMessage(R7_PWIZ_OPEN));
  }

  bool OnCommand(WindowId self, int id, int) override {
    switch (id) {
      case R7_PWIZ_OPEN:
        OpenWizard(context_, texts_, self);
        return true;
      case R7_PWIZ_INITIALISED:
        // The wizard takes the company of the settings, loaded now.
        context_.session.period_wizard_company = context_.settings.company;
        context_.ledger(platform::kNoWindow)
            .companies.FindCompany(context_.session.period_wizard_company);
        return true;
      case R7_PWIZ_CLOSED:
      case platform::kOkButton:
      case platform::kCancelButton:
      case kCloseAndCleanUp:
        context_.ui.DestroyWindow(self);
        return true;
      default:
        return false;
    }
  }

  std::shared_ptr<WizardTexts> texts_;
};

}  // namespace

WindowId OpenWizard(const ToolContext& context, std::shared_ptr<WizardTexts> texts,
                    WindowId owner) {
  const WindowId window =
      ToolDialog::Open(std::make_shared<WizardDialog>(context, std::move(texts)), "PERIODW", owner);
  if (window != platform::kNoWindow) context.dialogs.Set(DialogKind::kPeriodWizard, window);
  return window;
}

WindowId OpenLauncher(const ToolContext& context, std::shared_ptr<WizardTexts> texts,
                      WindowId owner) {
  return ToolDialog::Open(std::make_shared<LauncherDialog>(context, std::move(texts)), "PWIZ",
                          owner);
}

}  // namespace r7::period_wizard
