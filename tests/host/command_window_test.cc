// The command window, menu commands and clean-up, over a fake platform's headless windows.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

#include "fakes/ledger_fixture.h"
#include "fakes/r7_session.h"
#include "preload/preload_settings.h"
#include "resources/menu_ids.h"

namespace r7 {
namespace {

namespace fs = std::filesystem;
using platform::WindowId;

// Records the orders instead of loading anything.
class RecordingPreloadRunner : public PreloadRunner {
 public:
  int Preload(CompanyContext& company, const PreloadOrder& order, WindowId) override {
    companies.push_back(company.code);
    orders.push_back(order);
    return 0;
  }
  std::vector<std::string> companies;
  std::vector<PreloadOrder> orders;
};

class CommandWindowTest : public ::testing::Test, protected testing::R7Session {
 protected:
  std::deque<resources::DialogTemplate> templates_;  // stable: the window system keeps views
  const platform::posix::HeadlessUserInterface::Window* CommandWindowState() {
    return fake.ui.Find(driver.command_window().window());
  }
  std::vector<std::string> BoxTexts() {
    std::vector<std::string> texts;
    for (const auto& box : fake.message_boxes.shown()) texts.push_back(box.text);
    return texts;
  }
  // A dialog of `kind` whose handler records the commands it gets (not its controls'
  // notifications) and closes on 1100; a tool's own template of that name is used when
  // there is one, else one without controls.
  void RegisterRecordingDialog(DialogKind kind, std::vector<int>& commands) {
    templates_.push_back({InfoOf(kind).resource, "", 100, 50, {}});
    fake.ui.AddTemplates(std::span(&templates_.back(), 1));
    driver.command_window().dialogs().RegisterFactory(
        kind, [this, kind, &commands](WindowId owner) {
          return fake.ui.CreateDialogWindow(
              InfoOf(kind).resource, owner,
              [this, kind, &commands](WindowId self, const platform::Message& m) {
                if (m.id != platform::message::kCommand || platform::Notification(m) != 0) {
                  return false;
                }
                commands.push_back(platform::CommandId(m));
                if (platform::CommandId(m) == kCloseAndCleanUp || platform::CommandId(m) == 2) {
                  fake.ui.DestroyWindow(self);
                  driver.command_window().dialogs().Forget(kind, self);
                }
                return true;
              });
        });
  }
};

TEST_F(CommandWindowTest, TheFirstCallSetsUpTheWindowAndStartsUpOnce) {
  Set("Company", "05");
  EXPECT_EQ(Call(125), 0);
  ASSERT_NE(CommandWindowState(), nullptr);
  EXPECT_EQ(CommandWindowState()->class_name, "TESSARY_CLASS32");
  EXPECT_EQ(CommandWindowState()->title, "R7 DLL for Tessary");
  EXPECT_EQ(CommandWindowState()->menu, "R7DLLMenu");
  EXPECT_FALSE(CommandWindowState()->visible);
  EXPECT_EQ(CommandWindowState()->placement.left, 25);
  EXPECT_EQ(driver.settings().company, "05");
  // The posted start-up finds the work done: it does not reload over a pair's change.
  Call(21, "Company=07");
  EXPECT_EQ(driver.settings().company, "07");
  fake.ui.PumpPosted();
  EXPECT_EQ(driver.settings().company, "07");
}

TEST_F(CommandWindowTest, TheWindowSitsBelowTheServerWindow) {
  WindowId server =
      fake.ui.AddForeignWindow("R7MainServerClass", "R7 Server (32 Bit)", {100, 200, 900, 600});
  Call(125);
  ASSERT_NE(CommandWindowState(), nullptr);
  EXPECT_EQ(CommandWindowState()->owner, server);
  EXPECT_EQ(CommandWindowState()->placement.left, 100 + 800 / 8);
  EXPECT_EQ(CommandWindowState()->placement.top, 200 + 400 / 2 + 16);
}

TEST_F(CommandWindowTest, SilentSaveWritesTheSettingsAndShowsNothing) {
  EXPECT_EQ(Call(3, "Company='05',Zero Label=-,NoShow=1"), 0);
  EXPECT_EQ(result, "");
  EXPECT_EQ(fake.profiles.Get("R7 for Tessary", "Company"), "05");
  EXPECT_EQ(fake.profiles.Get("R7 for Tessary", "Zero Label"), "-");
  EXPECT_EQ(driver.settings().no_show, 0);  // back to 0 on exit
  EXPECT_FALSE(CommandWindowState()->visible);
  fake.ui.PumpPosted();
  EXPECT_TRUE(fake.message_boxes.shown().empty());
}

TEST_F(CommandWindowTest, AFailedSaveShowsError61EvenWhenSilent) {
  fake.profiles.FailWriteNumber(3);
  Call(3, "NoShow=1");
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"The .INI file could not be written."});
  fake.message_boxes.clear();
  fake.profiles.FailWriteNumber(1);
  Call(3, "NoShow=2");  // 2 suppresses every box
  EXPECT_TRUE(fake.message_boxes.shown().empty());
}

TEST_F(CommandWindowTest, InteractiveModeShowsTheWindowAndPostsTheMenuId) {
  Call(3);
  EXPECT_TRUE(CommandWindowState()->visible);
  EXPECT_EQ(fake.ui.focus(), driver.command_window().window());
  EXPECT_EQ(fake.ui.pending(), 2u);  // the start-up and menu id 102
  EXPECT_TRUE(fake.message_boxes.shown().empty());
  fake.ui.PumpPosted();
  // Setup opens; nothing is saved until the user confirms it.
  EXPECT_NE(driver.dialogs().Handle(DialogKind::kSetup), platform::kNoWindow);
  EXPECT_TRUE(fake.message_boxes.shown().empty());
  EXPECT_FALSE(fake.profiles.Get("R7 for Tessary", "Company").has_value());
}

TEST_F(CommandWindowTest, SilentToolCommandsOfUnbuiltToolsShowNothing) {
  for (int code : {19, 8, 14, 15}) {
    EXPECT_EQ(Call(code, "NoShow=1"), 0) << code;
    EXPECT_EQ(result, "") << code;
  }
  fake.ui.PumpPosted();
  EXPECT_TRUE(fake.message_boxes.shown().empty());
}

TEST_F(CommandWindowTest, SilentDrillReplacesTheOpenOneAndSendsItsCommands) {
  std::vector<int> commands;
  RegisterRecordingDialog(DialogKind::kDrill, commands);
  Call(5, "NoShow=1");
  EXPECT_EQ(commands, (std::vector<int>{1061, 1072, 2}));
  commands.clear();
  driver.command_window().OpenDialog(DialogKind::kDrill);
  Call(5, "To Chart=1,NoShow=1");
  EXPECT_EQ(commands, (std::vector<int>{2, 1073, 2}));  // the open one is closed first
  EXPECT_TRUE(fake.ui.DialogsOf("DRILL").empty());
}

TEST_F(CommandWindowTest, TheAboutDialogOpensFromTheMenuAndAnswersItsClicks) {
  Call(8);
  fake.ui.Post(driver.command_window().window(), platform::CommandMessage(R7_MENU_ABOUT));
  fake.ui.PumpPosted();
  std::vector<WindowId> about = fake.ui.DialogsOf("ABOUT");
  ASSERT_EQ(about.size(), 1u);
  EXPECT_EQ(fake.ui.Title(about[0]), "R7 About [Tessary]");
  EXPECT_EQ(fake.ui.ControlText(about[0], 3001),
            "R7 DLL Version 4.0.0.4 for Tessary,\nBtrieve and Pervasive, August 2002");
  EXPECT_EQ(driver.command_window().dialogs().Handle(DialogKind::kAbout), about[0]);

  struct Click {
    int x, y;
    bool jokes;
  } clicks[] = {{1, 1, true},  {33, 33, true}, {0, 5, false},
                {5, 0, false}, {34, 5, false}, {5, 34, false}};
  for (const Click& click : clicks) {
    fake.message_boxes.clear();
    fake.ui.Send(about[0],
                 platform::MouseMessage(platform::message::kLeftButtonDown, click.x, click.y));
    std::vector<std::string> expected;
    if (click.jokes) expected = {"Time flies like an arrow...", "but fruit flies like a banana!"};
    EXPECT_EQ(BoxTexts(), expected) << click.x << "," << click.y;
  }
  fake.ui.Send(about[0], platform::CommandMessage(platform::kOkButton));
  EXPECT_FALSE(fake.ui.IsWindow(about[0]));
  EXPECT_EQ(driver.command_window().dialogs().Handle(DialogKind::kAbout), platform::kNoWindow);
}

TEST_F(CommandWindowTest, CleanupRefusesDuringAChartFillAndOtherwiseClosesEverything) {
  std::vector<int> drill_commands;
  RegisterRecordingDialog(DialogKind::kDrill, drill_commands);
  Call(8);
  driver.command_window().OpenDialog(DialogKind::kDrill);
  driver.command_window().OpenDialog(DialogKind::kAbout);
  const WindowId window = driver.command_window().window();

  driver.set_chart_fill_busy(true);
  EXPECT_EQ(driver.Cleanup(), 1);
  EXPECT_TRUE(fake.ui.IsWindow(window));
  EXPECT_TRUE(drill_commands.empty());

  driver.set_chart_fill_busy(false);
  EXPECT_EQ(driver.Cleanup(), 0);
  EXPECT_EQ(drill_commands, std::vector<int>{1100});
  EXPECT_TRUE(fake.ui.DialogsOf("ABOUT").empty());
  EXPECT_FALSE(fake.ui.IsWindow(window));
  EXPECT_FALSE(driver.command_window().exists());
  EXPECT_TRUE(driver.company_dir_list().empty());
  // The next call sets up a new window, which starts up afresh.
  Set("Company", "09");
  Call(125);
  EXPECT_TRUE(driver.command_window().exists());
  EXPECT_EQ(driver.settings().company, "09");
}

TEST_F(CommandWindowTest, HelpOpensInTheServerDirectoryAndClosesWithTheWindow) {
  fake.profiles.Set("R7 Server", "Path", "c:\\r7");
  Call(9);
  fake.ui.PumpPosted();  // the menu id posts the help message in turn
  ASSERT_EQ(fake.help.opened().size(), 1u);
  EXPECT_EQ(fake.help.opened()[0], "c:\\r7\\Tessary.HLP");
  driver.Cleanup();
  EXPECT_EQ(fake.help.opened().size(), 2u);  // the quit command
}

// Companies built by the ledger tool, for the paths that load one.
class CommandWindowLedgerTest : public CommandWindowTest {
 protected:
  void SetUp() override {
    Set("System Directory", system_.path());
    driver.SetPreloadRunner(&runner_);
  }
  void TearDown() override { driver.Cleanup(); }  // while the runner and companies are there
  std::vector<std::string> LoadedCompanies() {
    std::vector<std::string> codes;
    for (const auto& company : driver.companies().companies()) codes.push_back(company->code);
    return codes;
  }
  // Written to: a reset finds a company directory added.
  testing::FixtureDirectory system_{testing::BuildFixtureText(R"({"companies": [
      {"directory": "DATA_02", "name": "Second Co", "segment_lengths": [4, 2, 3],
       "periods": [["20020101", "20020131"]], "current_period": 1},
      {"directory": "DATA_03", "name": "Third Co", "segment_lengths": [4, 2, 3],
       "periods": [["20020101", "20020131"]], "current_period": 1}]})")};
  RecordingPreloadRunner runner_;
};

TEST_F(CommandWindowLedgerTest, SilentPreloadCopiesTheDplSettings) {
  Call(20,
       "DPL Company=02,DPL Account=1000-*-*,DPL Year=2002,DPL Budget=03,DPL Load This Year=1,"
       "DPL Load Last Year=1,DPL Load Budget=1,NoShow=1");
  PreloadOrder actual{"02", "1000-*-*", "2002", "03", true, true, true, false};
  PreloadOrder budget = actual;
  budget.budget_pass = true;
  EXPECT_EQ(runner_.orders, (std::vector<PreloadOrder>{actual, budget}));
  runner_.orders.clear();
  Call(20, "DPL Company=02,DPL Load This Year=0,DPL Load Last Year=0,DPL Budget=,NoShow=1");
  EXPECT_TRUE(runner_.orders.empty());  // no year asked, and no budget revision
  Call(20, "DPL Company=77,NoShow=1");  // a company that does not load
  EXPECT_TRUE(runner_.orders.empty());
}

TEST_F(CommandWindowLedgerTest, ResetDropsTheCompaniesAndRebuildsTheList) {
  Call(20, "DPL Company=02,NoShow=1");
  EXPECT_EQ(LoadedCompanies(), std::vector<std::string>{"02"});
  fs::create_directories(system_.path() + "/DATA_04");
  Call(21, "NoShow=1");
  EXPECT_TRUE(LoadedCompanies().empty());
  EXPECT_EQ(driver.company_dir_list().size(), 3u);
}

TEST_F(CommandWindowLedgerTest, TheAutomaticPreloadLoadsOnlyTheCompaniesSwitchedOn) {
  // The Current Year wins over the company's own ADPL Year.
  Set("ADPL Enabled=1\nCurrent Year=2002\nADPL Company On 03=1\nADPL Account 03=4000-*-*\n"
      "ADPL Year 03=1999\nADPL Last Year On 03=1\nADPL Company On 02=0\n");
  Call(8);
  // It ran through the data preload dialog, which loaded and closed; the runner is for the
  // silent command.
  EXPECT_TRUE(runner_.orders.empty());
  EXPECT_TRUE(fake.ui.DialogsOf("TURBO").empty());
  ASSERT_EQ(LoadedCompanies(), std::vector<std::string>{"03"});
  const preload::PreloadSettings& preload =
      preload::PreloadOf(*driver.companies().FindCompany("03"));
  EXPECT_EQ(preload.request.specifier, "4000-*-*");
  EXPECT_EQ(preload.request.year, "2002");
  EXPECT_EQ(preload.request.revision, "01");
  EXPECT_TRUE(preload.load_this_year && preload.load_last_year && !preload.load_budget);
  // The company has no accounts: the dialog's load says so.
  EXPECT_EQ(BoxTexts(),
            std::vector<std::string>{"DataPreLoad did not find any records for the current key."});
  EXPECT_GE(fake.input.wait_cursors, 1);
}

TEST_F(CommandWindowLedgerTest, WithoutThePreloadCacheThePreloadSaysSoLoudly) {
  driver.SetPreloadRunner(nullptr);
  Call(20, "DPL Company=02,NoShow=1");
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Function not supported - DataPreLoad 02"});
}

}  // namespace
}  // namespace r7
