// The financial entities file's writes with the record manager failing at each of their
// calls in turn: a change record by record stops at the failure with the file holding
// exactly the writes acknowledged before it, and a file written anew either takes the
// company file's place whole or leaves it exactly as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "fakes/faulty_libraries.h"
#include "fakes/ledger_fixture.h"
#include "fakes/ledger_records.h"
#include "fakes/ledger_world.h"
#include "ledger/entities_file.h"
#include "ledger/entities_file_edit.h"
#include "ledger/entities_file_replacement.h"

namespace r7 {
namespace {

namespace fs = std::filesystem;
using testing::FaultyLibraries;
using testing::InjectedFault;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Company 03's entities file with values and entities of the main account, written before
// any failure; each run puts it back.
class EntitiesFaultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    World world(*this);
    EntitiesFile& file = world.file;
    ASSERT_EQ(file.Create(world.company()), 0);
    ASSERT_EQ(file.Open(world.company()), 0);
    for (auto [code, value, description] : {std::tuple{1, "4000", "Sales"},
                                            {1, "5000", "NA"},
                                            {1, "5000", "Costs"},
                                            {101, "4000..4999", "SALES"},
                                            {101, "1000", "SALES"},
                                            {101, "5000", "COSTS"}}) {
      ASSERT_EQ(file.Add(world.company(), code, value, description), 0);
    }
    file.Close(world.company());
    path_ =
        world.world.fake.files.NativePath(world.world.companies.EntitiesFilePath(world.company()));
    original_ = ReadBytes(path_);
  }

  // A world bound through the faulty library, over the entities file as first written.
  struct World {
    explicit World(EntitiesFaultTest& test) {
      world.settings.entities_file_in_gl_path = 1;
      if (!test.original_.empty()) std::ofstream(test.path_, std::ios::binary) << test.original_;
    }
    CompanyContext& company() { return *world.companies.FindCompany("03"); }

    platform::posix::PosixDynamicLibraries libraries;
    FaultyLibraries faulty{libraries};
    testing::LedgerWorld world{system_path(), &faulty};
    EntitiesFile file{world.records, world.companies, world.fake.files};

    static const std::string& system_path() {
      static const testing::FixtureDirectory system(testing::CopyOfFixture("accounts"));
      return system.path();
    }
  };

  std::string path_;
  std::string original_;
};

// The changes of one maintenance session, each stopping the session at its failure.
int EditSession(RecordManager& records, PosBlock& position) {
  EntitiesFileEdit edit(records, position);
  const std::function<int()> steps[] = {
      [&] { return edit.PutValue(1, "4000", "Revenue", true); },
      [&] { return edit.PutValue(1, "7000", "Other", true); },
      [&] { return edit.PutNamed(101, "SALES", "4000..4500"); },
      [&] { return edit.DeleteValue(1, "5000", "na"); },
      [&] { return edit.DeleteNamed(101, "COSTS"); },
  };
  for (const auto& step : steps) {
    if (const int status = step(); status != 0) return status;
  }
  return 0;
}

TEST_F(EntitiesFaultTest, AChangeStopsAtTheFailureWithTheAcknowledgedWritesAlone) {
  std::vector<std::vector<std::string>> snapshots;  // the file after 0, 1, 2... acknowledged writes
  int points = 0;
  {
    World clean(*this);
    ASSERT_EQ(clean.file.Open(clean.company()), 0);
    snapshots.push_back(testing::DumpRecords(path_));
    FaultyLibraries::after_acknowledged_write = [&] {
      snapshots.push_back(testing::DumpRecords(path_));
    };
    FaultyLibraries::Arm({});
    ASSERT_EQ(EditSession(clean.world.records, clean.company().entities.position), 0);
    points = static_cast<int>(FaultyLibraries::record.operations.size());
    FaultyLibraries::after_acknowledged_write = nullptr;
  }
  ASSERT_GT(snapshots.size(), 4u);

  for (int n = 1; n <= points; ++n) {
    const int16_t status = testing::kInjectedStatuses[n % std::size(testing::kInjectedStatuses)];
    World run(*this);
    ASSERT_EQ(run.file.Open(run.company()), 0);
    FaultyLibraries::Arm({InjectedFault::kAnyOperation, n, status});
    const int result = EditSession(run.world.records, run.company().entities.position);
    const testing::FaultRecord record = FaultyLibraries::record;
    FaultyLibraries::Arm({});
    run.file.Close(run.company());
    SCOPED_TRACE("call " + std::to_string(n) + " failed with " + std::to_string(status));
    ASSERT_TRUE(record.failed);
    EXPECT_NE(result, 0);
    EXPECT_EQ(testing::DumpRecords(path_),
              snapshots[static_cast<std::size_t>(record.acknowledged_writes)]);
  }
  std::cout << "[ failure points ] entities file changes: " << points << "\n";
}

TEST_F(EntitiesFaultTest, AFileWrittenAnewReplacesTheOldWholeOrNotAtAll) {
  auto rebuild = [](World& world) {
    EntitiesFileReplacement replacement(world.world.records, world.world.companies,
                                        world.world.fake.files, world.company());
    if (const int status = replacement.Begin(true); status != 0) return status;
    EntitiesFileEdit edit(world.world.records, replacement.position());
    if (const int status = edit.PutValue(1, "4000", "Revenue", true); status != 0) return status;
    if (const int status = edit.PutValue(1, "7000", "Other", true); status != 0) return status;
    return replacement.Commit();
  };
  const std::vector<std::string> before = testing::DumpRecords(path_);
  std::vector<std::string> after;
  int points = 0;
  {
    World clean(*this);
    FaultyLibraries::Arm({});
    ASSERT_EQ(rebuild(clean), 0);
    points = static_cast<int>(FaultyLibraries::record.operations.size());
    clean.file.Close(clean.company());
    after = testing::DumpRecords(path_);
  }
  ASSERT_NE(before, after);

  for (int n = 1; n <= points; ++n) {
    const int16_t status = testing::kInjectedStatuses[n % std::size(testing::kInjectedStatuses)];
    World run(*this);
    FaultyLibraries::Arm({InjectedFault::kAnyOperation, n, status});
    const int result = rebuild(run);
    ASSERT_TRUE(FaultyLibraries::record.failed);
    FaultyLibraries::Arm({});
    run.file.Close(run.company());
    SCOPED_TRACE("call " + std::to_string(n) + " failed with " + std::to_string(status) +
                 ", answered " + std::to_string(result));
    const std::vector<std::string> now = testing::DumpRecords(path_);
    EXPECT_TRUE(now == before || now == after);
    if (result == 0) {
      EXPECT_EQ(now, after);
    }
    EXPECT_FALSE(fs::exists(path_ + ".new"));
  }
  std::cout << "[ failure points ] entities file written anew: " << points << "\n";
}

}  // namespace
}  // namespace r7
