// The period wizard and its launcher. (platform-independent)
#include "tools/period_wizard/period_wizard.h"

#include <algorithm>

#include "base/error_codes.h"
#include "common/text_util.h"
#include "resources/period_wizard_ids.h"
#include "specifiers/dates.h"
#include "specifiers/period_parser.h"
#include "tools/period_choice.h"

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

}  // namespace

WindowId PeriodWizard::Open(WindowId owner) {
  const WindowId window = context_.ui.CreateDialogWindow(
      "PERIODW", owner, [this](WindowId self, const Message& m) { return Handle(self, m); });
  if (window != platform::kNoWindow) context_.dialogs.Set(DialogKind::kPeriodWizard, window);
  return window;
}

void PeriodWizard::ShowChoices(WindowId self) {
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

bool PeriodWizard::Handle(WindowId self, const Message& m) {
  switch (m.id) {
    case message::kInitDialog:
      initialised_ = false;
      ShowChoices(self);
      return true;
    case message::kActivate:
      // Started on the first activation: the window that gave it up opened the wizard.
      if (platform::IsActivation(m) && !initialised_) {
        initialised_ = true;
        opener_ = platform::OtherWindow(m);
        company_ = context_.settings.company;
        Tell(R7_PWIZ_INITIALISED, self);
        Compose(self);
        previous_from_ = from_;
        previous_to_ = to_;
      }
      return false;
    case message::kClose:
      Close(self, false);
      return true;
    case message::kDestroy:
      context_.dialogs.Forget(DialogKind::kPeriodWizard, self);
      return false;
    case message::kCommand:
      break;
    default:
      return false;
  }
  const int id = platform::CommandId(m), code = platform::Notification(m);
  if (id == R7_PWIZ_FROM || id == R7_PWIZ_TO) {
    if (code == notify::kEditKillFocus) OnDatesLeft(self);
    return true;
  }
  if (code != notify::kClicked) return false;
  switch (id) {
    case platform::kOkButton:
      Close(self, true);
      return true;
    case platform::kCancelButton:
    case kCloseAndCleanUp:
      Close(self, false);
      return true;
    case R7_PWIZ_TO_CLIPBOARD:
      CopyToClipboard(self);
      return true;
    default:
      OnChoice(self, id);
      return true;
  }
}

void PeriodWizard::OnChoice(WindowId self, int control) {
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

void PeriodWizard::Compose(WindowId self) {
  platform::UserInterface& ui = context_.ui;
  std::optional<std::string> text = period_choice::Compose(context_.session.period_choice);
  if (!text) {
    text_.clear();
    context_.messages.ShowErrorBox(self, kInvalidPeriod, "");
    return;
  }
  text_ = CutTo(*text, kMaxText);
  ShowChoices(self);  // composing may have moved the period or cleared Ago
  ui.SetControlText(self, R7_PWIZ_TEXT, text_);
  if (!context_.session.explicit_dates) ComputeDates();
  RewriteSerial(to_);
  RewriteSerial(from_);
  ui.SetControlText(self, R7_PWIZ_FROM, from_);
  ui.SetControlText(self, R7_PWIZ_TO, to_);
}

// The dates the choices cover in the wizard's company become the current dates; a company
// that does not load leaves them as they were.
void PeriodWizard::ComputeDates() {
  const LedgerServices services = context_.ledger(platform::kNoWindow);
  CompanyContext* company = services.companies.FindCompany(company_);
  if (company == nullptr || company->status != 0) return;
  const period_choice::PeriodSpan span = period_choice::SpanOf(
      context_.session.period_choice, company->current_period, company->period_count);
  const DateRange range = period_choice::DatesOf(span, *company);
  context_.session.current_dates = range;
  from_ = CalendarDateText(range.from);
  to_ = CalendarDateText(range.to);
}

// Typed dates: when either field is left changed, they become the current dates if they
// read; dates that do not read leave the current ones in force.
void PeriodWizard::OnDatesLeft(WindowId self) {
  platform::UserInterface& ui = context_.ui;
  const std::string from = CutTo(ui.ControlText(self, R7_PWIZ_FROM), kMaxDateText);
  const std::string to = CutTo(ui.ControlText(self, R7_PWIZ_TO), kMaxDateText);
  if (EqualsIgnoreCase(from, previous_from_) && EqualsIgnoreCase(to, previous_to_)) return;
  previous_from_ = from_ = from;
  previous_to_ = to_ = to;
  Tell(R7_PWIZ_PERIODS_CHANGED, self);
  ParseDateRange(from, to, context_.session.current_dates);
}

void PeriodWizard::CopyToClipboard(WindowId) {
  context_.input.ShowWaitCursor();
  std::string text = CutTo(text_, kMaxClipboardText) + "\r\n";
  std::replace(text.begin(), text.end(), ',', '\t');
  context_.clipboard.SetText(text);
  context_.input.ShowArrowCursor();
}

void PeriodWizard::Tell(int command, WindowId self) {
  if (!context_.ui.IsWindow(opener_)) return;
  const Message m = platform::CommandMessage(command, 0, static_cast<std::intptr_t>(self));
  if (command == R7_PWIZ_CLOSED) {
    context_.ui.Post(opener_, m);
  } else {
    context_.ui.Send(opener_, m);
  }
}

void PeriodWizard::Close(WindowId self, bool composed) {
  if (composed) Tell(R7_PWIZ_COMPOSED, self);
  Tell(R7_PWIZ_CLOSED, self);
  context_.ui.DestroyWindow(self);
}

// --- The launcher ------------------------------------------------------------------------

WindowId PeriodWizard::OpenLauncher(WindowId owner) {
  return context_.ui.CreateDialogWindow(
      "PWIZ", owner, [this](WindowId self, const Message& m) { return HandleLauncher(self, m); });
}

bool PeriodWizard::HandleLauncher(WindowId self, const Message& m) {
  platform::UserInterface& ui = context_.ui;
  switch (m.id) {
    case message::kInitDialog: {
      const WindowId open = context_.dialogs.Handle(DialogKind::kPeriodWizard);
      if (open != platform::kNoWindow && ui.IsWindow(open)) {
        ui.Post(self, {message::kClose, 0, 0});  // a wizard is open already
        return true;
      }
      static constexpr std::string_view kMonth = "Month";
      PeriodList periods;
      if (ParsePeriodSpecifier(kMonth, &periods).ok()) {
        period_choice::Seed(context_.session.period_choice, periods[0]);
      }
      ui.Post(self, platform::CommandMessage(R7_PWIZ_OPEN));
      return true;
    }
    case message::kClose:
      ui.DestroyWindow(self);
      return true;
    case message::kDestroy:
      context_.dialogs.Forget(DialogKind::kPeriodWizard, self);
      return false;
    case message::kCommand:
      break;
    default:
      return false;
  }
  switch (platform::CommandId(m)) {
    case R7_PWIZ_OPEN:
      Open(self);
      return true;
    case R7_PWIZ_INITIALISED: {
      // The wizard takes the company of the settings, loaded now.
      company_ = context_.settings.company;
      context_.ledger(platform::kNoWindow).companies.FindCompany(company_);
      return true;
    }
    case R7_PWIZ_CLOSED:
    case platform::kOkButton:
    case platform::kCancelButton:
    case kCloseAndCleanUp:
      ui.DestroyWindow(self);
      return true;
    default:
      return false;
  }
}

}  // namespace r7::period_wizard
