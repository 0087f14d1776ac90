// Code 115, company information, end to end through the driver.
#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/ledger_fixture.h"
#include "fakes/r7_session.h"

namespace r7 {
namespace {

// The companies fixture with company 07's calendar file removed: 07 does not load.
void ExpectCalls(const std::string& settings, const std::vector<testing::BatchCall>& calls) {
  static const testing::FixtureDirectory system([] {
    std::string directory = testing::BuildFixture("companies");
    std::filesystem::remove(std::filesystem::path(directory) / "DATA_07" / "glprdv66.dat");
    return directory;
  }());
  testing::ExpectCalls(system.path(), settings, calls);
}

TEST(CompanyInformationTest, AnswersEachKeyword) {
  ExpectCalls(
      "Company=05\n",
      {
          {"115\tNAME;01", "0\tOne Segment Co"},
          {"115\tname", "0\tThree Segment Co"},
          {"115\tNam;01,02", "0\tOne Segment Co"},
          {"115\tPERIOD;02", "0\t13"},
          {"115\tYEAR;05", "0\t2002"},
          {"115\tENTITY;east", "0\t^-^(10..19,30),(000..999,010)"},
          {"115\tENT", "0\tERR"},
          {"115\tMAIN;02", "0\t1"},
          {"115\ttso;02", "0\t^-^"},
          {"115\tSEGMENTS;05", "0\t3"},
          {"115\tSEG;01", "0\t1"},
          {"115\tORIGIN;99", "0\tTessary General Ledger"},
          {"115\tfoo;01", "42\tR7 [Tessary] Function not supported - foo"},
          {"115\tStart 3;01", "0\tR7 [Tessary] Function not supported"},
          {"115\tend13;01", "0\tR7 [Tessary] Function not supported"},
          {"115\tEnd 14;01", "42\tR7 [Tessary] Function not supported - End 14"},
          {"115\tNA;01", "42\tR7 [Tessary] Function not supported - NA"},
          {"115", "0\tERR"},
          {"115\tNAME;99", "0\tR7 [Tessary] Can't open file - 99"},
          {"115\tNAME;07", "0\tR7 [Tessary] Can't open file - 07"},
          {"115\tNAME;1234567890123", "0\tR7 [Tessary] Invalid - company specifier too long"},
          {"115\tNAME;AB", "0\tLetter Code Co"},
      });
}

TEST(CompanyInformationTest, TheCurrentPeriodSettingWinsAndAFailedCompanyKeepsFailing) {
  ExpectCalls("Current Period=5\n", {{"115\tPERIOD;02", "0\t5"},
                                     {"115\tPERIOD;05", "0\t5"},
                                     {"115\tPERIOD;07", "0\tR7 [Tessary] Can't open file - 07"},
                                     {"115\tPERIOD;07", "0\tR7 [Tessary] Can't open file - 07"}});
}

}  // namespace
}  // namespace r7
