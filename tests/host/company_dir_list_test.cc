// The company directory list of a system directory, and company codes from directory names.
#include "host/company_dir_list.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/posix/file_system_posix.h"

namespace r7 {
namespace {

namespace fs = std::filesystem;

class CompanyDirListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("r7-dirs-" + std::to_string(::getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  void Company(const std::string& directory, const std::string& record) {
    fs::create_directories(root_ / directory);
    if (record.empty()) return;
    std::ofstream(root_ / directory / "compfile.dat", std::ios::binary) << record;
  }
  static std::string Record(const std::string& name) {
    std::string record(264, ' ');
    record.replace(50, name.size(), name);
    return record;
  }

  fs::path root_;
  platform::posix::PosixFileSystem files_;
};

TEST_F(CompanyDirListTest, KeepsCompanyDirectoriesInReverseDirectoryOrder) {
  Company("DATA_05", Record("Northwind Ledger Co"));
  Company("data", Record(std::string("Lower\0case", 10)));
  Company("Tutorial", Record("Tutorial Company With A Very Long Name Indeed"));
  Company("DATAFILES", "");
  Company("DATA_7", std::string(40, 'x'));  // too short to hold a name
  Company(".x", Record("hidden"));
  Company("OTHER", Record("not a company"));
  std::ofstream(root_ / "DATA1.TXT") << "a file with an extension";

  std::vector<std::string> list =
      BuildCompanyDirList(files_, root_.string(), DirListSeparator::kFourBlanks);
  EXPECT_EQ(list, (std::vector<std::string>{
                      "00    Tutorial Company With A Very L",
                      "7    ",
                      "05    Northwind Ledger Co" + std::string(11, ' '),
                      "01",
                      "01    Lower",
                  }));
  std::vector<std::string> tabbed =
      BuildCompanyDirList(files_, root_.string() + "\\", DirListSeparator::kTab);
  EXPECT_EQ(tabbed.back(), "01\tLower");
}

TEST_F(CompanyDirListTest, AMissingSystemDirectoryGivesAnEmptyList) {
  EXPECT_TRUE(
      BuildCompanyDirList(files_, (root_ / "missing").string(), DirListSeparator::kTab).empty());
}

TEST(CompanyCodeTest, ComesFromTheDirectoryName) {
  struct Case {
    const char* name;
    const char* code;
  } cases[] = {{"DATA_05", "05"},  {"DATA_7", "7"},     {"data", "01"},     {"Tutorial", "00"},
               {"TUTORIAL", "00"}, {"DATAFILES", "01"}, {"DATA_ABC", "AB"}, {"DATA_", ""}};
  for (const Case& c : cases) EXPECT_EQ(CompanyCodeOfDirectory(c.name), c.code) << c.name;
}

}  // namespace
}  // namespace r7
