// Silent and start-up preloads over the real cache: later balances make no record-manager call.
#include <gtest/gtest.h>

#include "fakes/faulty_libraries.h"
#include "fakes/ledger_fixture.h"
#include "fakes/r7_session.h"
#include "preload/preload_settings.h"

namespace r7 {
namespace {

using testing::FaultyLibraries;

class SilentPreloadTest : public ::testing::Test {
 protected:
  platform::posix::PosixDynamicLibraries libraries_;
  FaultyLibraries counting_{libraries_};
  testing::R7Session session_{testing::SharedFixture("balances"), "Current Year=2002\n",
                              &counting_};
  Driver& driver_ = session_.driver;
};

TEST_F(SilentPreloadTest, BalancesAfterTheSilentPreloadMakeNoRecordManagerCall) {
  session_.Call(125);
  const char* const worksheet[] = {"4000-*-*;Month;01;2002", "1000-10-100;Year;01;2002",
                                   "*-*-*;Last Year;01;2002", "4000-10-*;Quarter;01;2002"};
  // The answers read from the files first.
  std::vector<std::string> from_files;
  for (const char* call : worksheet) from_files.push_back(session_.Result(100, call));

  EXPECT_EQ(session_.Result(20,
                            "DPL Company=01,DPL Account=*-*-*,DPL Year=2002,DPL Load This Year=1,"
                            "DPL Load Last Year=1,NoShow=1"),
            "");
  ASSERT_TRUE(preload::PreloadOf(*driver_.companies().FindCompany("01")).loaded);
  const std::uint64_t before = FaultyLibraries::calls();
  for (std::size_t i = 0; i < std::size(worksheet); ++i) {
    EXPECT_EQ(session_.Result(100, worksheet[i]), from_files[i]) << worksheet[i];
  }
  EXPECT_EQ(FaultyLibraries::calls() - before, 0u);
  EXPECT_EQ(driver_.settings().no_show, 0);
}

TEST_F(SilentPreloadTest, StartUpPreloadsTheCompaniesSwitchedOnAndLoadsNoOther) {
  session_.Set(
      "ADPL Enabled=1\nADPL Company On 01=1\nADPL Account 01=*-*-*\nADPL Company On 02=0\n");
  session_.Call(125);
  const auto& companies = driver_.companies().companies();
  ASSERT_EQ(companies.size(), 1u);
  EXPECT_EQ(companies.front()->code, "01");
  EXPECT_TRUE(preload::PreloadOf(*companies.front()).loaded);
  const std::uint64_t before = FaultyLibraries::calls();
  EXPECT_NE(session_.Result(100, "4000-*-*;Month;01;2002").substr(0, 2), "R7");
  EXPECT_EQ(FaultyLibraries::calls() - before, 0u);
}

}  // namespace
}  // namespace r7
