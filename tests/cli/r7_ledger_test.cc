// The ledger tool end to end: build through the record manager, dump in key-0 order.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <variant>

#include "cli/r7-ledger/company_images.h"
#include "fakes/run_program.h"

namespace r7 {
namespace {

namespace fs = std::filesystem;
using testing::RunProgram;

std::string Hex(const std::string& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  for (unsigned char c : bytes) {
    text += kDigits[c >> 4];
    text += kDigits[c & 15];
  }
  return text;
}

// Accounts given out of key order; the dump comes back in key order.
constexpr const char* kFixture = R"({"companies": [
  {"directory": "DATA_02", "name": "Northwind Ledger Co", "segment_lengths": [4, 2, 3],
   "periods": [["20020101", "20020131"], ["20020201", "20020228"]], "current_period": 2,
   "key_counts": {"glcmpfil": 1},
   "accounts": [{"account": "2000-10-200", "description": "Payables", "type": "B"},
                {"account": "1000-10-200", "description": "Cash", "type": "B"},
                {"account": "0-10-0", "description": "East region"}],
   "balances": [{"account": "1000-10-200", "opening": 1500.00, "periods": [1.5, 2.5]}],
   "comparatives": [{"account": "1000-10-200", "year": "2001", "opening": 0, "periods": [1]},
                    {"account": "1000-10-200", "year": "2000", "opening": 0, "periods": [2]}],
   "budgets": [{"account": "1000-10-200", "year": "2002", "revision": 1, "periods": [-1234.5]},
               {"account": "1000-10-200", "year": "2002", "revision": 2, "periods": [7]}],
   "transactions": [{"account": "1000-10-200", "date": "20020315", "id": "0000123", "amount": -50.25},
                    {"account": "1000-10-200", "date": "20020101", "id": "0000001", "amount": 10}],
   "entities": [{"code": "EAST", "ranges": [["100", "000", "199", "999"]]}],
   "layouts": [{"number": 1, "lines": [{"line": 10, "type": "LIT", "text": "Sales"},
                                       {"line": 0, "type": "HDR", "text": "Income"}]}],
   "financial_entities": {"file": "02.sad", "records": [{"segment": 1, "value": "4000", "description": "Sales"}]}},
  {"directory": "ACME", "periods": [["20020101", "20021231"]]}]})";

class R7LedgerTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = testing::MakeTempDir("ledger"); }
  void TearDown() override { fs::remove_all(dir_); }
  // `r7-ledger build` of fixture text into the system directory dir_/sys.
  testing::ProgramRun Build(const std::string& fixture) {
    std::ofstream(dir_ + "/fixture.json", std::ios::binary) << fixture;
    return RunProgram("r7-ledger build '" + dir_ + "/fixture.json' '" + dir_ + "/sys'");
  }
  // The dump's lines.
  std::vector<std::string> Dump(const std::string& file) {
    testing::ProgramRun run = RunProgram("r7-ledger dump '" + file + "'");
    EXPECT_EQ(run.exit_status, 0) << file << run.err;
    std::vector<std::string> lines;
    std::istringstream in(run.out);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  std::vector<std::string> Entries(const std::string& path) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string dir_;
};

TEST_F(R7LedgerTest, BuildReplacesEveryFileAndDumpShowsItsRecordsInKeyOrder) {
  // A company directory of the same name but for case is replaced whole.
  fs::create_directories(dir_ + "/sys/data_02");
  std::ofstream(dir_ + "/sys/data_02/stale") << "x";
  testing::ProgramRun run = Build(kFixture);
  ASSERT_EQ(run.exit_status, 0) << run.err;
  EXPECT_EQ(Entries(dir_ + "/sys"), (std::vector<std::string>{"ACME", "DATA_02"}));
  EXPECT_FALSE(fs::exists(dir_ + "/sys/DATA_02/stale"));
  std::string company = dir_ + "/sys/DATA_02";
  EXPECT_EQ(Entries(company),
            (std::vector<std::string>{"02.sad", "compfile.dat", "glactfil.btr", "glbalfil.btr",
                                      "glbudfil.btr", "glcmpfil.btr", "glentity.btr",
                                      "gllayout.btr", "glprdv66.dat", "gltrxfil.btr"}));

  // Every file holds exactly the records the fixture gives, byte for byte, in key-0 order.
  ledger_tool::FixtureResult parsed = ledger_tool::ParseFixtureText(kFixture);
  const auto& images = std::get<std::vector<ledger_tool::CompanyImages>>(parsed);
  const ledger_tool::CompanyImages& expected = images[0];
  std::ifstream compfile(company + "/compfile.dat", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(compfile), {}), expected.company_file);
  std::map<std::string, std::vector<int>> order = {
      {"glactfil.btr", {2, 1, 0}}, {"glbalfil.btr", {0}},    {"glcmpfil.btr", {1, 0}},
      {"glbudfil.btr", {1, 0}},    {"gltrxfil.btr", {1, 0}}, {"glentity.btr", {0}},
      {"gllayout.btr", {1, 0}},    {"02.sad", {0}}};
  for (const ledger_tool::FileImage& file : expected.files) {
    std::vector<std::string> lines = Dump(company + "/" + file.file_name);
    const std::vector<int>& indexes = order.at(file.file_name);
    ASSERT_EQ(lines.size(), indexes.size()) << file.file_name;
    for (std::size_t i = 0; i < indexes.size(); ++i)
      EXPECT_EQ(lines[i], Hex(file.records[indexes[i]])) << file.file_name << " " << i;
  }
  // A few fields read straight off the dump, at their documented offsets.
  std::string balance = Dump(company + "/glbalfil.btr")[0];
  EXPECT_EQ(balance.substr(0, 48), Hex("000010000000001000000200"));
  EXPECT_EQ(balance.substr(48, 30), Hex("00000000150000+"));
  EXPECT_EQ(balance.substr(2 * 999, 32), "000000000000f83f0000000000000440");   // 1.5, 2.5
  EXPECT_EQ(Dump(company + "/glbudfil.btr")[0].substr(48, 12), Hex("200298"));  // revision 2 first
  EXPECT_EQ(Dump(dir_ + "/sys/ACME/glactfil.btr"), std::vector<std::string>{});
  testing::ProgramRun missing = RunProgram("r7-ledger dump '" + dir_ + "/nothing.btr'");
  EXPECT_EQ(missing.exit_status, 1);
  EXPECT_NE(missing.err.find("open failed with record manager status 12"), std::string::npos)
      << missing.err;
}

TEST_F(R7LedgerTest, ABadFixtureIsRefusedAndLeavesNothingBehind) {
  std::string text = kFixture;
  text.replace(text.find("\"revision\": 2"), 13, "\"revision\": 0");
  testing::ProgramRun run = Build(text);
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_NE(run.err.find("company \"DATA_02\": budgets[1].revision: 0 is not from 1 to 99"),
            std::string::npos)
      << run.err;
  EXPECT_FALSE(fs::exists(dir_ + "/sys"));

  // A company that fails while it is written (its entities file is named like a directory
  // already there) leaves the earlier company's directory as it was, and no scratch.
  fs::create_directories(dir_ + "/sys/ACME");
  std::ofstream(dir_ + "/sys/ACME/keep") << "old";
  std::string clash = kFixture;
  clash.replace(clash.find("\"ACME\""), 6,
                "\"ACME\", \"financial_entities\": {\"file\": \"glactfil.btr\"}");
  run = Build(clash);
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_NE(run.err.find("company \"ACME\": financial_entities.file"), std::string::npos)
      << run.err;
  EXPECT_EQ(Entries(dir_ + "/sys"), std::vector<std::string>{"ACME"});
  EXPECT_EQ(Entries(dir_ + "/sys/ACME"), std::vector<std::string>{"keep"});
}

TEST_F(R7LedgerTest, BuildsTheTutorialCompany) {
  testing::ProgramRun run =
      RunProgram("r7-ledger build '" R7_SOURCE_DIR "/examples/tutorial.json' '" + dir_ + "'");
  ASSERT_EQ(run.exit_status, 0) << run.err;
  std::vector<std::string> accounts = Dump(dir_ + "/TUTORIAL/glactfil.btr");
  EXPECT_EQ(accounts.size(), 40u);
  // The first record in key order is the title of department 100.
  EXPECT_EQ(accounts.at(0).substr(0, 108),
            Hex("000000000000000000000100Sales" + std::string(25, ' ')));
  EXPECT_EQ(Dump(dir_ + "/TUTORIAL/glentity.btr").size(), 2u);
  EXPECT_GT(Dump(dir_ + "/TUTORIAL/gltrxfil.btr").size(), 100u);
  EXPECT_TRUE(fs::exists(dir_ + "/TUTORIAL/00.sad"));
}

TEST_F(R7LedgerTest, SynthIsTheSameForTheSameSeed) {
  std::string options = " --main-accounts 30 --transactions 300 --years 1 ";
  ASSERT_EQ(RunProgram("r7-ledger synth" + options + "'" + dir_ + "/a'").exit_status, 0);
  ASSERT_EQ(RunProgram("r7-ledger synth" + options + "--seed 1 '" + dir_ + "/b'").exit_status, 0);
  for (const char* file : {"glactfil.btr", "glcmpfil.btr", "gltrxfil.btr", "SYNTH.sad"})
    EXPECT_EQ(Dump(dir_ + "/a/SYNTH/" + file), Dump(dir_ + "/b/SYNTH/" + file)) << file;
  EXPECT_GT(Dump(dir_ + "/a/SYNTH/gltrxfil.btr").size(), 200u);
  EXPECT_EQ(RunProgram("r7-ledger synth --main-accounts 1 '" + dir_ + "/c'").exit_status, 2);
}

}  // namespace
}  // namespace r7
