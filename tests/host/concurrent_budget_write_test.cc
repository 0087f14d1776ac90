// Two drivers on one company, each in its own process: one writes budgets while the other
// answers balance calls over them.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <optional>
#include <string>

#include "fakes/ledger_fixture.h"
#include "fakes/r7_session.h"

namespace r7 {
namespace {

constexpr const char* kSettings = "Company=01\nCurrent Year=2002\nNA Label=0\n";
constexpr int kWrites = 40;

// The amount of a balance answer ("0<tab>amount"); nothing for any other answer.
std::optional<double> AmountOf(const std::string& answer) {
  if (answer.rfind("0\t", 0) != 0) return std::nullopt;
  try {
    return std::stod(answer.substr(2));
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

// The writer puts 1, 2, ... kWrites into one budget period and reports each value once its
// write is acknowledged. Before each balance call the reader takes the latest value
// reported: the call must answer it or a later one, and no call on either side may fail.
TEST(ConcurrentBudgetWriteTest, EachBalanceCallSeesEveryWriteAcknowledgedBeforeIt) {
  testing::FixtureDirectory system(testing::BuildFixture("balances"));
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  const pid_t writer = fork();
  ASSERT_GE(writer, 0);
  if (writer == 0) {
    close(fds[0]);
    int status = 0;
    {
      testing::R7Session session(system.path(), kSettings);
      for (int n = 1; n <= kWrites && status == 0; ++n) {
        const std::string value = std::to_string(n);
        if (session.Answer("126\t" + value + ";4000-10-100;Month 3") != "0\t" + value) {
          status = 2;
        } else if (write(fds[1], &n, sizeof n) != sizeof n) {
          status = 4;
        }
      }
    }
    _exit(status);
  }
  close(fds[1]);
  ASSERT_EQ(fcntl(fds[0], F_SETFL, O_NONBLOCK), 0);

  testing::R7Session session(system.path(), kSettings);
  int acknowledged = 0;
  bool writer_done = false;
  int calls = 0;
  while (!writer_done) {
    int n = 0;
    ssize_t got = 0;
    while ((got = read(fds[0], &n, sizeof n)) == sizeof n) acknowledged = n;
    writer_done = got == 0;  // the writer closed its end: every report is in
    const std::optional<double> month = AmountOf(session.Answer("100\t4000-10-100;Month 3 Budget"));
    ASSERT_TRUE(month.has_value()) << session.result;
    if (acknowledged > 0) {
      ASSERT_GE(*month, acknowledged) << "a write acknowledged before the call is missing";
    }
    // A wider call over the same file holds it for longer.
    ASSERT_TRUE(AmountOf(session.Answer("100\t4000-*-*;Year Budget")).has_value())
        << session.result;
    ++calls;
  }
  close(fds[0]);
  int status = 0;
  ASSERT_EQ(waitpid(writer, &status, 0), writer);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a budget write was refused";
  EXPECT_EQ(acknowledged, kWrites);
  EXPECT_EQ(AmountOf(session.Answer("100\t4000-10-100;Month 3 Budget")), kWrites);
  RecordProperty("balance calls", calls);
}

}  // namespace
}  // namespace r7
