// The driver's hidden command window. (platform-independent)
#include "host/command_window.h"

#include "base/error_codes.h"
#include "resources/menu_ids.h"

namespace r7 {

using platform::Message;
using platform::WindowId;
namespace message = platform::message;

namespace {

// WinHelp commands.
constexpr unsigned kHelpContext = 1;
constexpr unsigned kHelpQuit = 2;

// Dialogs asked to close at clean-up, in this order. The Drill dialog is among them: it
// uses the companies and segment lists that clean-up frees next.
constexpr DialogKind kCleanupOrder[] = {
    DialogKind::kSetup,
    DialogKind::kChartCopy,
    DialogKind::kDrill,
    DialogKind::kReport,
    DialogKind::kBudget,
    DialogKind::kPeriodWizard,
    DialogKind::kTransactionFields,
    DialogKind::kPreload,
    DialogKind::kAbout,
    DialogKind::kLists,
    DialogKind::kEnquiry,
    DialogKind::kEntities,
    DialogKind::kEntitiesSetup,
};

}  // namespace

CommandWindow::CommandWindow(platform::UserInterface& ui, platform::HelpViewer& help,
                             MessageCenter& messages, CommandWindowHooks hooks)
    : ui_(ui), help_(help), messages_(messages), hooks_(std::move(hooks)) {}

bool CommandWindow::SetUp() {
  if (!ui().RegisterWindowClass(kCommandWindowClass, kCommandWindowMenu)) return false;
  if (exists()) return true;
  Create();
  WindowId parent = ui().Parent(window_);
  if (parent == platform::kNoWindow) parent = ui().Parent(ServerWindow());
  if (parent != platform::kNoWindow) ui().Activate(parent);
  return true;
}

WindowId CommandWindow::ServerWindow() {
  if (server_window_ == platform::kNoWindow || !ui().IsWindow(server_window_)) {
    server_window_ = ui().FindTopWindow(kServerWindowClass, kServerWindowTitle);
  }
  return server_window_;
}

void CommandWindow::Create() {
  if (exists()) return;
  WindowId server = ServerWindow();
  platform::TextMetrics metrics = ui().FontMetrics(server);
  platform::WindowSpec spec;
  spec.class_name = kCommandWindowClass;
  spec.title = kCommandWindowTitle;
  spec.owner = server;
  spec.width = 75 * metrics.average_width;
  spec.height = 5 * metrics.line_height;
  spec.x = 25;
  spec.y = 65;
  if (server != platform::kNoWindow) {
    if (auto placement = ui().NormalPlacement(server)) {
      spec.x = placement->left + (placement->right - placement->left) / 8;
      spec.y = placement->top + (placement->bottom - placement->top) / 2 + metrics.line_height;
    }
  }
  window_ = ui().CreateTopWindow(
      spec, [this](WindowId self, const Message& m) { return Handle(self, m); });
}

bool CommandWindow::Handle(WindowId self, const Message& m) {
  switch (m.id) {
    case message::kCreate:
      help_open_ = false;
      ui().Post(self, {R7_MESSAGE_START_UP, 0, 0});
      return true;
    case R7_MESSAGE_START_UP:
      hooks_.start_up();
      return true;
    case R7_MESSAGE_OPEN_HELP:
      OpenHelp();
      return true;
    case message::kCommand:
      OnMenu(platform::CommandId(m));
      return true;
    case message::kClose:
      OnClose();
      return true;
    default:
      return false;
  }
}

void CommandWindow::OnMenu(int id) {
  hooks_.before_menu();
  switch (id) {
    case R7_MENU_QUIT:
      Close();
      return;
    case R7_MENU_ABOUT: {
      // A new About box each time.
      WindowId about = dialogs_.Create(DialogKind::kAbout, window_);
      if (about != platform::kNoWindow) ui().Show(about, platform::ShowMode::kNormal);
      return;
    }
    case R7_MENU_HELP:
      ui().Post(window_, {R7_MESSAGE_OPEN_HELP, 0, 0});
      return;
    default:
      break;
  }
  if (std::optional<DialogKind> kind = DialogOfMenu(id)) OpenDialog(*kind);
}

void CommandWindow::OpenDialog(DialogKind kind) {
  WindowId open = dialogs_.Handle(kind);
  if (open != platform::kNoWindow && ui().IsWindow(open)) {
    ui().Show(open, platform::ShowMode::kNormal);
    return;
  }
  if (!dialogs_.HasFactory(kind)) {
    ShowNotBuilt(kind);
    return;
  }
  WindowId created = dialogs_.Create(kind, window_);
  // The data preload dialog opens hidden the first time; it shows itself when it works.
  if (created != platform::kNoWindow && kind != DialogKind::kPreload) {
    ui().Show(created, platform::ShowMode::kNormal);
  }
}

void CommandWindow::ShowNotBuilt(DialogKind kind) {
  (void)kind;  // every missing tool answers alike
  messages_.MessageBoxById(window_, kNotSupported, kCaption,
                           platform::box::kOk | platform::box::kIconExclamation);
}

void CommandWindow::OpenHelp() {
  help_open_ = true;
  help_path_ = hooks_.server_directory() + std::string(kHelpFile);
  help_.Open(window_, help_path_, kHelpContext, 1);
}

void CommandWindow::CloseAllDialogs() {
  for (DialogKind kind : kCleanupOrder) {
    WindowId open = dialogs_.Handle(kind);
    if (open != platform::kNoWindow) ui().Send(open, platform::CommandMessage(kCloseAndCleanUp));
  }
}

void CommandWindow::Close() {
  if (exists()) ui().Send(window_, {message::kClose, 0, 0});
}

void CommandWindow::OnClose() {
  WindowId closing = window_;
  if (help_open_) {
    help_.Open(closing, help_path_, kHelpQuit, 0);
    help_open_ = false;
  }
  window_ = platform::kNoWindow;
  dialogs_.ForgetAll();
  hooks_.closed();
  ui().DestroyWindow(closing);
}

}  // namespace r7
