// The budget write from the clipboard, timed: a table of 10,000 lines (one account per line,
// twelve periods each) written through the Budget Write dialog into a synthetic company,
// with the stand-in record manager's own durability (every commit synchronous), and how
// the dialog's counter moved meanwhile.
//
// The company is built once with `r7-ledger synth` into R7_BENCH_DIR (default
// /tmp/r7_bench_companies) and copied for each run. Two runs: into the company as built
// (revision 1 of an income-statement account is found and updated, a balance-sheet account
// gets a new record), then the same table again (every line an update). Each prints the
// lines written, the time, lines per second, how often the counter moved, the longest time
// it stood still, and the time to its first count. R7_BENCH_LINES changes the table's size.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "exports/driver_assembly.h"
#include "host/driver.h"
#include "platform/platform.h"
#include "platform/posix/dynamic_library_posix.h"
#include "platform/posix/file_system_posix.h"
#include "platform/posix/headless.h"
#include "platform/posix/profile_store_posix.h"
#include "resources/budget_dialog_ids.h"

namespace r7::bench {
namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr int kMainAccounts = 1600;  // synth keeps about 6.4 accounts of each: over 10,000

std::string ProgramDirectory() {
  return fs::read_symlink("/proc/self/exe").parent_path().string();
}

// The counter's moves, as the dialog shows them.
class TimingUserInterface : public platform::posix::HeadlessUserInterface {
 public:
  void SetControlText(platform::WindowId dialog, int control, std::string_view text) override {
    HeadlessUserInterface::SetControlText(dialog, control, text);
    if (control == R7_BUDGET_COUNTER && text != "0") moves.push_back(Clock::now());
  }
  std::vector<Clock::time_point> moves;
};

struct Run {
  double seconds = 0;
  std::size_t moves = 0;
  double longest_still = 0;
  double first_count = 0;
};

class Session {
 public:
  explicit Session(const std::string& dir) : profiles_(dir) {
    desktop_.message_boxes.set_window_system(&ui_);
    profiles_.WriteText("R7.INI", "R7 for Tessary", "System Directory", dir + "/sys");
    profiles_.WriteText("R7.INI", "R7 for Tessary", "Company", "SYNTH");
    profiles_.WriteText("R7.INI", "R7 for Tessary", "Current Year", "2002");
    profiles_.WriteText("R7.INI", "R7 for Tessary", "Budget Company", "SYNTH");
    profiles_.WriteText("R7.INI", "R7 for Tessary", "Budget Year", "2002");
    profiles_.WriteText("R7.INI", "R7 for Tessary", "Budget Revision", "01");
    driver_ = MakeDriver(platform_);
  }
  ~Session() { driver_->Cleanup(); }

  // The chart's accounts, as silent code 19 lists them.
  std::vector<std::string> Accounts() {
    Call(19, "List=Accounts,List Transpose=0,NoShow=1");
    std::istringstream lines(desktop_.clipboard.GetText().value_or(""));
    std::vector<std::string> accounts;
    for (std::string line; std::getline(lines, line);) {
      accounts.push_back(line.substr(1, line.find('\t') - 1));  // without the apostrophe
    }
    return accounts;
  }

  Run Write(const std::string& table) {
    desktop_.clipboard.SetText(table);
    ui_.moves.clear();
    const Clock::time_point start = Clock::now();
    Call(13, "NoShow=1");
    const Clock::time_point end = Clock::now();
    Run run;
    run.seconds = std::chrono::duration<double>(end - start).count();
    run.moves = ui_.moves.size();
    Clock::time_point last = start;
    for (Clock::time_point move : ui_.moves) {
      run.longest_still =
          std::max(run.longest_still, std::chrono::duration<double>(move - last).count());
      last = move;
    }
    if (!ui_.moves.empty()) {
      run.first_count = std::chrono::duration<double>(ui_.moves.front() - start).count();
    }
    // A write that was refused says why.
    for (const auto& box : desktop_.message_boxes.shown()) {
      std::fprintf(stderr, "box: %s\n", box.text.c_str());
    }
    desktop_.message_boxes.clear();
    return run;
  }

 private:
  void Call(int code, const char* argument) {
    char result[260];
    driver_->Call(code, argument, result);
  }

  platform::posix::PosixProfileStore profiles_;
  platform::posix::PosixFileSystem files_;
  platform::posix::PosixDynamicLibraries libraries_;
  platform::posix::HeadlessDesktop desktop_;
  TimingUserInterface ui_;
  platform::Platform platform_{profiles_,          files_,
                               libraries_,         desktop_.locale,
                               desktop_.clipboard, desktop_.message_boxes,
                               desktop_.debug,     desktop_.clock,
                               desktop_.input,     desktop_.help,
                               desktop_.programs,  ui_};
  std::unique_ptr<Driver> driver_;
};

void Print(const char* what, std::size_t lines, const Run& run) {
  std::printf(
      "%-28s %6zu lines  %6.2f s  %8.0f lines/s  counter moved %3zu times, "
      "stood still at most %.2f s, first count after %.2f s\n",
      what, lines, run.seconds, static_cast<double>(lines) / run.seconds, run.moves,
      run.longest_still, run.first_count);
}

int Main() {
  // The stand-in's own durability: each commit is synchronous, as a user's ledger has it.
  ::unsetenv("R7_RECORDSTORE_SYNCHRONOUS");
  const char* cache_env = std::getenv("R7_BENCH_DIR");
  const std::string cache = cache_env != nullptr ? cache_env : "/tmp/r7_bench_companies";
  const std::string built = cache + "/budget-m" + std::to_string(kMainAccounts);
  if (!fs::exists(built + "/done")) {
    fs::remove_all(built);
    fs::create_directories(built);
    std::printf("building the company (synth, may take a minute)...\n");
    std::fflush(stdout);
    const std::string command = "'" + ProgramDirectory() + "/r7-ledger' synth --main-accounts " +
                                std::to_string(kMainAccounts) + " --years 0 --transactions 1000 '" +
                                built + "/sys' >/dev/null";
    if (std::system(command.c_str()) != 0) {
      std::fprintf(stderr, "r7-ledger synth failed\n");
      return 1;
    }
    std::ofstream(built + "/done") << "ok\n";
  }
  const std::string dir = cache + "/budget-run";
  fs::remove_all(dir);
  fs::copy(built, dir, fs::copy_options::recursive);

  const char* lines_env = std::getenv("R7_BENCH_LINES");
  const std::size_t wanted = lines_env != nullptr ? std::strtoul(lines_env, nullptr, 10) : 10000;
  Session session(dir);
  std::vector<std::string> accounts = session.Accounts();
  if (accounts.size() < wanted) {
    std::fprintf(stderr, "the company has %zu accounts, fewer than %zu\n", accounts.size(), wanted);
    return 1;
  }
  accounts.resize(wanted);
  std::string table = "Account";
  for (int p = 1; p <= 12; ++p) table += "\t" + std::to_string(p);
  table += "\r\n";
  for (std::size_t i = 0; i < accounts.size(); ++i) {
    table += accounts[i];
    for (int p = 1; p <= 12; ++p) table += "\t" + std::to_string(i * 10 + p) + ".25";
    table += "\r\n";
  }
  std::printf("budget write of %zu lines into %s\n", accounts.size(), dir.c_str());
  Print("found or made (first run)", accounts.size(), session.Write(table));
  Print("all found (second run)", accounts.size(), session.Write(table));
  return 0;
}

}  // namespace
}  // namespace r7::bench

int main() {
  return r7::bench::Main();
}
