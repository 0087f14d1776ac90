// The profile file on POSIX: reading with the Windows rules, and writes that keep the file sound.
#include "platform/posix/profile_store_posix.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

namespace r7::platform::posix {
namespace {

namespace fs = std::filesystem;

class ProfileStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("r7-ini-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    store_ = PosixProfileStore(dir_.string());
  }
  void TearDown() override { fs::remove_all(dir_); }
  void WriteIni(const std::string& text) { std::ofstream(dir_ / "R7.INI") << text; }
  std::string ReadIni() {
    std::stringstream text;
    text << std::ifstream(dir_ / "R7.INI").rdbuf();
    return text.str();
  }

  fs::path dir_;
  PosixProfileStore store_{""};
};

TEST_F(ProfileStoreTest, ReadsWithTheWindowsRules) {
  WriteIni(
      "; a comment\r\n"
      "[R7 Server]\r\n"
      "Path=c:\\r7\r\n"
      "[r7 for tessary]\r\n"
      "  company  =  05  \r\n"
      "Zero Label=\"  - \"\r\n"
      "Scaling=3 thousands\r\n"
      "Rounding=-2\r\n"
      "NA Label=\r\n"
      "Quoted='x\r\n");
  // The section and key, and the text and number read.
  const std::tuple<const char*, const char*, const char*, int> cases[] = {
      {"R7 for Tessary", "Company", "05", 5},
      {"R7 FOR TESSARY", "ZERO LABEL", "  - ", 0},
      {"R7 for Tessary", "Scaling", "3 thousands", 3},
      {"R7 for Tessary", "Rounding", "-2", -2},
      {"R7 for Tessary", "NA Label", "", 77},  // an empty value reads as missing
      {"R7 for Tessary", "Quoted", "'x", 0},
      {"R7 for Tessary", "Missing", "(default)", 77},
      {"R7 Server", "Company", "(default)", 77},
      {"R7 Server", "path", "c:\\r7", 0},
  };
  for (const auto& [section, key, text, number] : cases) {
    EXPECT_EQ(store_.ReadText("R7.INI", section, key, "(default)"), text) << key;
    EXPECT_EQ(store_.ReadInt("R7.INI", section, key, 77), number) << key;
  }
}

TEST_F(ProfileStoreTest, AMissingFileGivesTheDefaultsAndCannotBeWritten) {
  store_ = PosixProfileStore((dir_ / "nowhere").string());
  EXPECT_EQ(store_.ReadText("R7.INI", "R7 for Tessary", "Company", "00"), "00");
  EXPECT_EQ(store_.ReadInt("R7.INI", "R7 for Tessary", "NA Label", 1), 1);
  store_ = PosixProfileStore((dir_ / "no" / "such").string());
  EXPECT_FALSE(store_.WriteText("R7.INI", "S", "K", "1"));
}

TEST_F(ProfileStoreTest, WritesCreateReplaceAndKeepTheRest) {
  ASSERT_TRUE(store_.WriteText("R7.INI", "R7 for Tessary", "Company", "05"));
  EXPECT_EQ(ReadIni(), "[R7 for Tessary]\nCompany=05\n");
  ASSERT_TRUE(store_.WriteText("R7.INI", "R7 Server", "Path", "c:\\r7\\"));
  ASSERT_TRUE(store_.WriteText("R7.INI", "r7 FOR tessary", "COMPANY", "07"));
  ASSERT_TRUE(store_.WriteText("R7.INI", "R7 for Tessary", "Zero Label", "-"));
  EXPECT_EQ(ReadIni(), "[R7 for Tessary]\nCompany=07\nZero Label=-\n[R7 Server]\nPath=c:\\r7\\\n");
  EXPECT_EQ(store_.ReadText("R7.INI", "R7 for Tessary", "company", ""), "07");

  // A key goes from its own section only; a missing one leaves the file untouched.
  ASSERT_TRUE(store_.WriteText("R7.INI", "R7 Server", "Company", "09"));
  ASSERT_TRUE(store_.DeleteKey("R7.INI", "r7 for TESSARY", "company"));
  EXPECT_EQ(ReadIni(), "[R7 for Tessary]\nZero Label=-\n[R7 Server]\nPath=c:\\r7\\\nCompany=09\n");
  fs::create_directory(dir_ / "R7.INI.tmp");  // any rewrite would fail now
  EXPECT_TRUE(store_.DeleteKey("R7.INI", "R7 for Tessary", "Company"));
  EXPECT_TRUE(store_.DeleteKey("MISSING.INI", "R7 for Tessary", "Company"));
  EXPECT_FALSE(store_.DeleteKey("R7.INI", "R7 for Tessary", "Zero Label"));
  EXPECT_EQ(store_.ReadText("R7.INI", "R7 for Tessary", "Zero Label", ""), "-");
}

TEST_F(ProfileStoreTest, RefusesEntriesTheFileCouldNotHoldAndFailedWrites) {
  ASSERT_TRUE(store_.WriteText("R7.INI", "S", "K", "1"));
  // The section, key and value of each refused entry.
  const std::tuple<const char*, const char*, const char*> refused[] = {
      {"S", "K", "2\r\nInjected=1"},
      {"S", "K", "2\n"},
      {"S", "K", "\r"},
      {"S", "K=x", "2"},
      {"S", "K\n", "2"},
      {"S]", "K", "2"},
      {"S\r\n[T", "K", "2"},
  };
  for (const auto& [section, key, value] : refused) {
    EXPECT_FALSE(store_.WriteText("R7.INI", section, key, value)) << section << key;
  }
  EXPECT_EQ(ReadIni(), "[S]\nK=1\n");
  EXPECT_TRUE(store_.WriteText("R7.INI", "S [x", "K [y]", "a=b]"));  // the rest is fine
  EXPECT_EQ(store_.ReadText("R7.INI", "S [x", "K [y]", ""), "a=b]");
  // A write whose replacement file cannot be made says so and leaves the file.
  fs::create_directory(dir_ / "R7.INI.tmp");
  EXPECT_FALSE(store_.WriteText("R7.INI", "S", "K", "2"));
  EXPECT_EQ(store_.ReadText("R7.INI", "S", "K", ""), "1");
}

}  // namespace
}  // namespace r7::platform::posix
