// The record manager failing in the middle of a write or a preload, at every call in turn:
// each run ends with a defined error, and the files hold exactly the writes the record
// manager acknowledged before the failure.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/faulty_libraries.h"
#include "fakes/ledger_fixture.h"
#include "fakes/ledger_records.h"
#include "fakes/r7_session.h"
#include "preload/preload_settings.h"

namespace r7 {
namespace {

using testing::FaultyLibraries;
using testing::InjectedFault;

constexpr std::string_view kErrorAnswer = "0\tR7 [Tessary] ";
constexpr std::string_view kSettings = "Company=01\nCurrent Year=2002\nNA Label=0\n";

// One session over its own ledger, bound through the faulty library.
struct FaultRun {
  testing::FixtureDirectory system{testing::CopyOfFixture("balances")};
  platform::posix::PosixDynamicLibraries libraries;
  FaultyLibraries faulty{libraries};
  testing::R7Session session{system.path(), kSettings, &faulty};

  std::string File(const std::string& name) { return system.path() + "/DATA/" + name; }
};

struct WriteCase {
  std::string name;
  std::string line;   // the write, as a batch line
  std::string check;  // a read of what it wrote
};

class BudgetCellFaultTest : public ::testing::TestWithParam<WriteCase> {};

// The write of one cell, with the record manager failing at each of its calls in turn
// (company load, opens, reads, the write, the read-only reopen): the cell shows the clean
// answer or an error text, the budget file holds the write exactly when the record manager
// acknowledged it, and the next read answers from the file as it is.
TEST_P(BudgetCellFaultTest, EveryFailurePointLeavesTheWriteWholeOrAbsent) {
  const WriteCase& c = GetParam();
  std::vector<std::string> before, after;
  std::string clean_answer, clean_check, untouched_check;
  int points = 0;
  {
    FaultRun clean;
    untouched_check = clean.session.Answer(c.check);
    clean.session.driver.Cleanup();
  }
  {
    FaultRun clean;
    before = testing::DumpRecords(clean.File("glbudfil.btr"));
    FaultyLibraries::Arm({});
    clean_answer = clean.session.Answer(c.line);
    points = static_cast<int>(FaultyLibraries::record.operations.size());
    clean_check = clean.session.Answer(c.check);
    clean.session.driver.Cleanup();
    after = testing::DumpRecords(clean.File("glbudfil.btr"));
  }
  ASSERT_EQ(clean_answer.rfind(kErrorAnswer, 0), std::string::npos) << clean_answer;
  ASSERT_NE(before, after);
  ASSERT_GT(points, 3);

  for (int n = 1; n <= points; ++n) {
    const int16_t status = testing::kInjectedStatuses[n % std::size(testing::kInjectedStatuses)];
    FaultRun run;
    FaultyLibraries::Arm({InjectedFault::kAnyOperation, n, status});
    const std::string answer = run.session.Answer(c.line);
    const testing::FaultRecord record = FaultyLibraries::record;
    ASSERT_TRUE(record.failed) << n;
    const uint16_t failed_operation = record.operations[static_cast<std::size_t>(n - 1)];
    const bool written = record.acknowledged_writes > 0;
    SCOPED_TRACE("call " + std::to_string(n) + " (operation " + std::to_string(failed_operation) +
                 ") failed with " + std::to_string(status) + ": " + answer);

    if (failed_operation == btr::kInsert || failed_operation == btr::kUpdate) {
      EXPECT_EQ(answer, std::string(kErrorAnswer) + "Btrieve error");
      EXPECT_EQ(run.session.driver.record_manager().last_status(), status);
    } else if (answer != clean_answer) {
      EXPECT_EQ(answer.rfind(kErrorAnswer, 0), 0u);
    }
    if (answer == clean_answer) {
      EXPECT_TRUE(written);
    }

    // With the record manager well again the driver answers from the file as it is.
    FaultyLibraries::Arm({});
    run.session.Call(21, "NoShow=1");
    EXPECT_EQ(run.session.Answer(c.check), written ? clean_check : untouched_check);
    run.session.driver.Cleanup();
    EXPECT_EQ(testing::DumpRecords(run.File("glbudfil.btr")), written ? after : before);
  }
  std::cout << "[ failure points ] " << c.name << ": " << points << "\n";
}

INSTANTIATE_TEST_SUITE_P(
    Writes, BudgetCellFaultTest,
    ::testing::Values(WriteCase{"UpdateOfAnExistingRecord", "126\t-1234.5;4000-10-100;Month 3",
                                "100\t4000-10-100;Month 3 Budget"},
                      WriteCase{"InsertOfANewRecord", "126\t250;5000-10-100;Month 2",
                                "100\t5000-10-100;Month 2 Budget"}),
    [](const ::testing::TestParamInfo<WriteCase>& info) { return info.param.name; });

// The silent preload of company 01 with the record manager failing at each of its calls in
// turn: a preload that met a failure is not kept, and with the record manager well again
// every balance answers as it does from the files.
TEST(PreloadFaultTest, EveryFailurePointLeavesNoCacheThatAnswersOtherwise) {
  const std::string preload =
      "20\tDPL Company=01,DPL Account=*-*-*,DPL Year=2002,DPL Load This Year=1,"
      "DPL Load Last Year=1,NoShow=1";
  const std::vector<std::string> balances = {"100\t4000-*-*;Month;01;2002",
                                             "100\t1000-10-100;Year;01;2002",
                                             "100\t*-*-*;Last Year;01;2002"};
  std::vector<std::string> from_files;
  int points = 0;
  {
    FaultRun clean;
    for (const std::string& line : balances) from_files.push_back(clean.session.Answer(line));
    clean.session.Call(21, "NoShow=1");
    FaultyLibraries::Arm({});
    ASSERT_EQ(clean.session.Answer(preload), "0\t");
    points = static_cast<int>(FaultyLibraries::record.operations.size());
    ASSERT_TRUE(preload::PreloadOf(*clean.session.driver.companies().FindCompany("01")).loaded);
  }
  ASSERT_GT(points, 10);

  for (int n = 1; n <= points; ++n) {
    const int16_t status = testing::kInjectedStatuses[n % std::size(testing::kInjectedStatuses)];
    FaultRun run;
    FaultyLibraries::Arm({InjectedFault::kAnyOperation, n, status});
    const std::string answer = run.session.Answer(preload);
    ASSERT_TRUE(FaultyLibraries::record.failed) << n;
    SCOPED_TRACE("call " + std::to_string(n) + " failed with " + std::to_string(status) + ": " +
                 answer);
    // A company whose load failed answers its error until it is dropped; no answer is ever
    // another figure.
    FaultyLibraries::Arm({});
    for (std::size_t i = 0; i < balances.size(); ++i) {
      const std::string balance = run.session.Answer(balances[i]);
      if (balance != from_files[i]) {
        EXPECT_EQ(balance, "0\tR7 [Tessary] Btrieve error - 01");
      }
    }
    run.session.Call(21, "NoShow=1");
    for (std::size_t i = 0; i < balances.size(); ++i) {
      EXPECT_EQ(run.session.Answer(balances[i]), from_files[i]) << balances[i];
    }
  }
  std::cout << "[ failure points ] preload: " << points << "\n";
}

}  // namespace
}  // namespace r7
