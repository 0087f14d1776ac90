// A budget write killed while it runs: the budget file, record by record, against the lines
// the dialog's counter had acknowledged. Every line is wholly written or not at all, every
// acknowledged line is written, and the lines written are the table's first ones.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <bit>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <thread>

#include "fakes/desktop_session.h"
#include "fakes/ledger_fixture.h"
#include "fakes/ledger_records.h"
#include "resources/budget_dialog_ids.h"
#include "specifiers/account_number_text.h"

namespace r7 {
namespace {

void PutPeriod(std::string& record, int period, double amount, const std::string& text) {
  record.replace(testing::kBudgetTextAmounts + 13 * static_cast<std::size_t>(period - 1), 13, text);
  const auto bits = std::bit_cast<std::uint64_t>(amount);
  for (std::size_t i = 0; i < 8; ++i) {
    record[testing::kBudgetDoubles + 8 * static_cast<std::size_t>(period - 1) + i] =
        static_cast<char>((bits >> (8 * i)) & 0xFF);
  }
}

// The dialog's counter as it moves, each count written to a pipe as it is shown. The write
// then waits for the parent's word to go on, so that it cannot run to its end before the
// kill however fast it is: the parent stops answering once it has decided to kill.
class ReportingUserInterface : public platform::posix::HeadlessUserInterface {
 public:
  ReportingUserInterface(int report_fd, int go_on_fd)
      : report_fd_(report_fd), go_on_fd_(go_on_fd) {}
  void SetControlText(platform::WindowId dialog, int control, std::string_view text) override {
    HeadlessUserInterface::SetControlText(dialog, control, text);
    if (control != R7_BUDGET_COUNTER) return;
    const std::uint32_t count = static_cast<std::uint32_t>(std::stoul(std::string(text)));
    if (write(report_fd_, &count, sizeof count) != sizeof count) _exit(4);
    char go_on = 0;
    if (read(go_on_fd_, &go_on, 1) != 1) _exit(5);
  }

 private:
  int report_fd_;
  int go_on_fd_;
};

// The child: the Budget Write dialog writes the table, the counter reported as it moves.
[[noreturn]] void WriteInChild(const std::string& system, const std::string& table, int report_fd,
                               int go_on_fd) {
  // The record manager's own durability, not the test ledgers' relaxed one.
  ::unsetenv("R7_RECORDSTORE_SYNCHRONOUS");
  testing::MemoryProfileStore profiles;
  profiles.Set("R7 for Tessary", "System Directory", system);
  profiles.Set("R7 for Tessary", "Budget Company", "01");
  profiles.Set("R7 for Tessary", "Budget Year", "2002");
  profiles.Set("R7 for Tessary", "Budget Revision", "01");
  platform::posix::PosixFileSystem files;
  platform::posix::PosixDynamicLibraries libraries;
  platform::posix::HeadlessDesktop desktop;
  ReportingUserInterface ui(report_fd, go_on_fd);
  desktop.message_boxes.set_window_system(&ui);
  platform::Platform platform{profiles,          files,
                              libraries,         desktop.locale,
                              desktop.clipboard, desktop.message_boxes,
                              desktop.debug,     desktop.clock,
                              desktop.input,     desktop.help,
                              desktop.programs,  ui};
  testing::AssembledDriver driver{platform};
  desktop.clipboard.SetText(table);
  char result[260];
  driver.Call(13, "NoShow=1", result);
  _exit(0);  // the write ran to its end before the kill
}

struct KillRun {
  std::vector<std::uint32_t> counts;  // as the counter showed them
  bool finished = false;              // the child ended before it was killed
};

KillRun RunAndKill(const std::string& system, const std::string& table, std::size_t counts,
                   std::chrono::milliseconds delay) {
  int reports[2];
  int go_on[2];
  EXPECT_EQ(pipe(reports), 0);
  EXPECT_EQ(pipe(go_on), 0);
  const pid_t child = fork();
  if (child == 0) {
    close(reports[0]);
    close(go_on[1]);
    WriteInChild(system, table, reports[1], go_on[0]);
  }
  close(reports[1]);
  close(go_on[0]);
  KillRun run;
  std::uint32_t count = 0;
  while (run.counts.size() < counts && read(reports[0], &count, sizeof count) == sizeof count) {
    run.counts.push_back(count);
    EXPECT_EQ(write(go_on[1], "g", 1), 1);
  }
  // The write goes on for `delay`, or until its next count, where it waits to be killed.
  std::this_thread::sleep_for(delay);
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  run.finished = WIFEXITED(status);
  while (read(reports[0], &count, sizeof count) == sizeof count) run.counts.push_back(count);
  close(reports[0]);
  close(go_on[1]);
  return run;
}

TEST(BudgetWriteKillTest, EveryLineIsWhollyWrittenOrNotAtAll) {
  ledger_tool::SynthOptions options;
  options.directory = "DATA";
  options.main_accounts = 500;
  options.years = 0;
  options.transactions = 100;
  // The counter shows 0 twice (the dialog opens, Write starts), then each group's count.
  // Killed soon after Write starts, and after the first, second and third acknowledgement,
  // a little later each time: within a group or, once it is committed, at its count.
  const struct {
    std::size_t counts;
    int delay_ms;
  } kills[] = {{2, 2}, {3, 0}, {4, 7}, {5, 23}};
  for (const auto& k : kills) {
    SCOPED_TRACE(k.counts);
    testing::FixtureDirectory system{testing::BuildSynthFixture(options)};
    const std::string budget_file = system.path() + "/DATA/glbudfil.btr";
    const std::map<std::string, std::string> before = testing::DumpRecordsByKey(budget_file, 30);

    // One line per account of the chart, in chart order: revision 1 of an income-statement
    // account is found and updated, a balance-sheet account gets a new record. Period 2 is
    // left empty.
    std::string table = "Account\t1\t2\t3\r\n";
    std::vector<std::string> keys;
    std::vector<std::string> expected;
    for (const auto& [number, account] :
         testing::DumpRecordsByKey(system.path() + "/DATA/glactfil.btr", 24)) {
      if (number.compare(0, 8, "00000000") == 0) continue;
      const std::size_t line = keys.size() + 1;
      table += DisplayAccount(number, {4, 2, 3}) + "\t" + std::to_string(line) + ".5\t\t-" +
               std::to_string(line) + "\r\n";
      const std::string key = number + "200299";
      std::string record;
      if (auto found = before.find(key); found != before.end()) {
        record = found->second;
      } else {
        record = key;
        for (int p = 0; p < 13; ++p) record += "000000000000+";
        record.resize(testing::kBudgetRecordLength, '\0');
      }
      const std::string digits = std::to_string(line);
      PutPeriod(record, 1, static_cast<double>(line) + 0.5,
                std::string(12 - digits.size(), '0') + digits + "+");
      PutPeriod(record, 3, -static_cast<double>(line),
                std::string(12 - digits.size(), '0') + digits + "-");
      keys.push_back(key);
      expected.push_back(record);
    }
    ASSERT_GT(keys.size(), 2000u);

    const KillRun run =
        RunAndKill(system.path(), table, k.counts, std::chrono::milliseconds(k.delay_ms));
    ASSERT_GE(run.counts.size(), k.counts) << "the child stopped early";
    EXPECT_FALSE(run.finished) << "the write ended before the kill";
    const std::size_t acknowledged = run.counts.back();

    const std::map<std::string, std::string> after = testing::DumpRecordsByKey(budget_file, 30);
    std::size_t written = 0;  // the lines found written, which must come first
    for (std::size_t i = 0; i < keys.size(); ++i) {
      const auto found = after.find(keys[i]);
      const bool is_written = found != after.end() && found->second == expected[i];
      const auto old = before.find(keys[i]);
      const bool is_old = found == after.end()
                              ? old == before.end()
                              : old != before.end() && found->second == old->second;
      ASSERT_TRUE(is_written || is_old) << "line " << i + 1 << " half written";
      if (is_written) {
        ASSERT_EQ(written, i) << "line " << i + 1 << " written after a line that was not";
        ++written;
      }
    }
    if (std::getenv("R7_KILL_TEST_REPORT") != nullptr) {
      std::printf("killed after %zu counts (+%d ms): acknowledged %zu, written %zu of %zu\n",
                  k.counts, k.delay_ms, acknowledged, written, keys.size());
    }
    EXPECT_GE(written, acknowledged);
    EXPECT_LT(written, keys.size());
    // Nothing else changed: every other record is as it was.
    const std::set<std::string> table_keys(keys.begin(), keys.end());
    for (const auto& [key, record] : after) {
      if (table_keys.count(key) != 0) continue;
      const auto old = before.find(key);
      EXPECT_TRUE(old != before.end() && old->second == record) << "record " << key;
    }
  }
}

}  // namespace
}  // namespace r7
