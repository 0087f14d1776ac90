// The budget table from the clipboard written through the Budget Write dialog with the
// record manager failing at each call of the write in turn: the dialog shows the failure,
// and the budget file holds exactly the lines whose writes were committed before it.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "fakes/desktop_session.h"
#include "fakes/faulty_libraries.h"
#include "fakes/ledger_fixture.h"
#include "fakes/ledger_records.h"

namespace r7 {
namespace {

using testing::FaultyLibraries;
using testing::InjectedFault;

constexpr char kSettings[] =
    "Company=01\nCurrent Year=2002\nRevision=01\nNA Label=0\nBudget Company=01\n"
    "Budget Year=2002\nBudget Revision=01\n";
constexpr char kHeadings[] = "Account\t1 Budget\t2 Budget\r\n";
// Updates of records that exist and inserts of new ones.
const std::vector<std::string> kLines = {"4000-10-100\t-1000\t5\r\n", "4000-20-100\t7\t\r\n",
                                         "1000-10-100\t100.75\t\r\n", "5000-10-100\t3\t4\r\n"};
constexpr char kCompleted[] = "Budget write completed successfully";

struct TableRun {
  std::vector<std::string> boxes;
  testing::FaultRecord record;
  std::vector<std::string> budgets;  // the budget file's records afterwards, in key order
};

// Writes the headings and the first `lines` lines of the table into a fresh copy of the
// ledger, the record manager failing as `fault` says from the press of Write on.
TableRun WriteTable(std::size_t lines, InjectedFault fault) {
  testing::FixtureDirectory system(testing::CopyOfFixture("balances"));
  platform::posix::PosixDynamicLibraries libraries;
  FaultyLibraries faulty(libraries);
  TableRun run;
  {
    testing::DesktopSession session(system.path(), kSettings, &faulty);
    std::string table = kHeadings;
    for (std::size_t i = 0; i < lines; ++i) table += kLines[i];
    session.desktop.clipboard.SetText(table);
    session.Menu(107);
    const platform::WindowId dialog = session.Dialog("BUDGET");
    FaultyLibraries::Arm(fault);
    session.Press(dialog, platform::kOkButton);
    run.record = FaultyLibraries::record;
    FaultyLibraries::Arm({});
    run.boxes = session.BoxTexts();
    session.Press(dialog, platform::kCancelButton);
    session.driver.Cleanup();
  }
  run.budgets = testing::DumpRecords(system.path() + "/DATA/glbudfil.btr");
  return run;
}

TEST(BudgetTableFaultTest, EveryFailurePointLeavesTheCommittedLinesAlone) {
  // The file after the first 0, 1, 2... lines written without a failure.
  std::vector<std::vector<std::string>> after_lines;
  for (std::size_t lines = 0; lines <= kLines.size(); ++lines) {
    after_lines.push_back(WriteTable(lines, {}).budgets);
  }
  const TableRun clean = WriteTable(kLines.size(), {});
  ASSERT_EQ(clean.boxes, std::vector<std::string>{kCompleted});
  ASSERT_EQ(clean.record.committed_writes, static_cast<int>(kLines.size()));
  const int points = static_cast<int>(clean.record.operations.size());

  for (int n = 1; n <= points; ++n) {
    const int16_t status = testing::kInjectedStatuses[n % std::size(testing::kInjectedStatuses)];
    const TableRun run = WriteTable(kLines.size(), {InjectedFault::kAnyOperation, n, status});
    ASSERT_TRUE(run.record.failed) << n;
    const uint16_t failed = run.record.operations[static_cast<std::size_t>(n - 1)];
    SCOPED_TRACE("call " + std::to_string(n) + " (operation " + std::to_string(failed) +
                 ") failed with " + std::to_string(status));
    const std::size_t committed = static_cast<std::size_t>(run.record.committed_writes);
    EXPECT_EQ(run.budgets, after_lines[committed]);
    // A failure that kept a line out is shown; the write of a line names its account.
    if (committed < kLines.size()) {
      EXPECT_NE(run.boxes, std::vector<std::string>{kCompleted});
      EXPECT_FALSE(run.boxes.empty());
    }
    if (failed == btr::kInsert || failed == btr::kUpdate) {
      const std::string account = kLines[committed].substr(0, kLines[committed].find('\t'));
      EXPECT_NE(std::find(run.boxes.begin(), run.boxes.end(), "Budget write failed - " + account),
                run.boxes.end())
          << ::testing::PrintToString(run.boxes);
    }
  }
  std::cout << "[ failure points ] budget table: " << points << "\n";
}

}  // namespace
}  // namespace r7
