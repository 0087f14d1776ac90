// Ledger files damaged by another program or a failing disk: company 02's company file,
// calendar or record-manager files empty, cut short, filled with garbage, of another
// layout or with records shorter than their layout. Every call on company 02 answers as
// before or with an error text, and company 01 keeps answering.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "fakes/ledger_fixture.h"
#include "fakes/r7_session.h"

namespace r7 {
namespace {

namespace fs = std::filesystem;

// Calls that read each file of company 02, and calls on company 01.
const std::vector<std::string> kDamagedCompanyCalls = {"103\t4000;02",
                                                       "100\t4000;Month;02",
                                                       "100\t4000;Last Year;02",
                                                       "100\t4000;Month Budget;02",
                                                       "104\t4000;1Jan2002;31Dec2002;02",
                                                       "115\tNAME;02",
                                                       "115\tPERIOD;02",
                                                       "116\tTYPE;4000;02",
                                                       "19\tList=Accounts,NoShow=1"};
const std::vector<std::string> kOtherCompanyCalls = {"100\t4000-10-100;Month;01",
                                                     "103\t4000-10-100;01"};

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The same number of bytes, none of them meaningful.
std::string Garbage(std::size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  for (char& c : bytes) {
    seed = seed * 1103515245u + 12345u;
    c = static_cast<char>(seed >> 16);
  }
  return bytes;
}

void Sql(const fs::path& path, const char* statements) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, statements, nullptr, nullptr, nullptr), SQLITE_OK) << statements;
  sqlite3_close(db);
}

// One kind of damage done to a file that holds `original`.
struct Damage {
  std::string name;
  std::function<void(const fs::path& file, const std::string& original)> apply;
};

std::vector<Damage> FlatFileDamages(const std::string& original) {
  std::vector<Damage> damages = {
      {"garbage",
       [](const fs::path& f, const std::string& o) { WriteBytes(f, Garbage(o.size(), 7)); }},
      {"blanks",
       [](const fs::path& f, const std::string& o) { WriteBytes(f, std::string(o.size(), ' ')); }},
      {"removed", [](const fs::path& f, const std::string&) { fs::remove(f); }}};
  // Cut at every length, so at every field.
  for (std::size_t length = 0; length < original.size(); ++length) {
    damages.push_back(
        {"cut to " + std::to_string(length), [length](const fs::path& f, const std::string& o) {
           WriteBytes(f, o.substr(0, length));
         }});
  }
  return damages;
}

std::vector<Damage> RecordFileDamages(const fs::path& company) {
  auto cut = [](std::size_t length) {
    return
        [length](const fs::path& f, const std::string& o) { WriteBytes(f, o.substr(0, length)); };
  };
  return {
      {"empty", cut(0)},
      {"cut inside the header", cut(60)},
      {"cut after the first page", cut(4096)},
      {"cut to half",
       [](const fs::path& f, const std::string& o) { WriteBytes(f, o.substr(0, o.size() / 2)); }},
      {"garbage",
       [](const fs::path& f, const std::string& o) { WriteBytes(f, Garbage(o.size(), 11)); }},
      {"garbage after the header",
       [](const fs::path& f, const std::string& o) {
         WriteBytes(f, o.substr(0, 100) + Garbage(o.size() - 100, 13));
       }},
      {"a text file",
       [](const fs::path& f, const std::string&) { WriteBytes(f, "not a ledger\n"); }},
      {"another file's layout",
       [company](const fs::path& f, const std::string&) {
         WriteBytes(f, ReadBytes(company / (f.filename() == "gltrxfil.btr" ? "glactfil.btr"
                                                                           : "gltrxfil.btr")));
       }},
      {"a database of another schema",
       [](const fs::path& f, const std::string&) {
         fs::remove(f);
         Sql(f, "CREATE TABLE records(data BLOB)");
       }},
      {"a key's table missing",
       [](const fs::path& f, const std::string&) { Sql(f, "DROP TABLE key_0"); }},
      {"records shorter than their layout",
       [](const fs::path& f, const std::string&) {
         Sql(f, "UPDATE records SET data = substr(data, 1, 30)");
       }},
      {"records of one byte",
       [](const fs::path& f, const std::string&) { Sql(f, "UPDATE records SET data = x'41'"); }},
      {"the file specification gone",
       [](const fs::path& f, const std::string&) { Sql(f, "DELETE FROM file_spec"); }},
  };
}

class MalformedLedgerTest : public ::testing::Test {
 protected:
  // The answers of an undamaged ledger.
  void SetUp() override {
    testing::R7Session session(system_.path(), kSettings);
    for (const std::string& line : kDamagedCompanyCalls) clean_.push_back(session.Answer(line));
    for (const std::string& line : kOtherCompanyCalls) other_.push_back(session.Answer(line));
  }

  // Damages `name` of company 02 in every way, each time with a fresh driver, and puts the
  // file back afterwards.
  void ExpectEveryDamageAnswered(const std::string& name, const std::vector<Damage>& damages) {
    const fs::path file = company_ / name;
    const std::string original = ReadBytes(file);
    for (const Damage& damage : damages) {
      SCOPED_TRACE(name + " " + damage.name);
      damage.apply(file, original);
      {
        testing::R7Session session(system_.path(), kSettings);
        for (std::size_t i = 0; i < kDamagedCompanyCalls.size(); ++i) {
          const std::string answer = session.Answer(kDamagedCompanyCalls[i]);
          if (answer == clean_[i]) continue;
          const std::string text = answer.substr(answer.find('\t') + 1);
          EXPECT_TRUE(text.rfind("R7 [Tessary]", 0) == 0 || text == "ERR")
              << kDamagedCompanyCalls[i] << " answered " << answer;
        }
        for (std::size_t i = 0; i < kOtherCompanyCalls.size(); ++i) {
          EXPECT_EQ(session.Answer(kOtherCompanyCalls[i]), other_[i]);
        }
      }
      for (const char* suffix : {"-journal", "-wal", "-shm"}) fs::remove(file.string() + suffix);
      WriteBytes(file, original);
    }
  }

  static constexpr std::string_view kSettings = "Company=01\nCurrent Year=2002\nNA Label=0\n";
  testing::FixtureDirectory system_{testing::CopyOfFixture("balances")};
  fs::path company_ = fs::path(system_.path()) / "DATA_02";
  std::vector<std::string> clean_;
  std::vector<std::string> other_;
};

TEST_F(MalformedLedgerTest, CompanyAndCalendarFiles) {
  for (const char* name : {"compfile.dat", "glprdv66.dat"}) {
    ExpectEveryDamageAnswered(name, FlatFileDamages(ReadBytes(company_ / name)));
  }
}

TEST_F(MalformedLedgerTest, RecordManagerFiles) {
  for (const char* name :
       {"glactfil.btr", "glbalfil.btr", "glcmpfil.btr", "glbudfil.btr", "gltrxfil.btr"}) {
    ExpectEveryDamageAnswered(name, RecordFileDamages(company_));
  }
}

}  // namespace
}  // namespace r7
