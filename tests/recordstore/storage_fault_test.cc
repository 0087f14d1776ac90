// SQLite's own writes failing under an insert, an update, a delete and a transaction's
// commit, at each write in turn: the call answers a record-manager status, the file keeps
// every record whole (the old one, or the new one when the call answered 0), and the
// reopened file passes SQLite's integrity check.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <functional>
#include <string>
#include <vector>

#include "fakes/failing_vfs.h"
#include "fakes/record_manager_client.h"
#include "wbtrv32.h"

namespace recordstore::testing {
namespace {

using r7::testing::FailingVfs;

struct StorageFailure {
  int code;
  int16_t status;
};

constexpr StorageFailure kFailures[] = {{SQLITE_FULL, btr::kDiskFull},
                                        {SQLITE_IOERR_WRITE, btr::kIoError}};

// Every record in the order of key 0.
std::vector<Bytes> Records(const std::string& path) {
  Client reader(path);
  EXPECT_EQ(reader.Open(-2), btr::kOk);
  std::vector<Bytes> records;
  for (int16_t s = reader.Get(btr::kGetFirst, 0); s == btr::kOk; s = reader.Get(btr::kGetNext, 0)) {
    records.push_back(reader.record());
  }
  reader.Close();
  return records;
}

std::string IntegrityCheck(const std::string& path) {
  sqlite3* db = nullptr;
  std::string verdict = "not opened";
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
    sqlite3_exec(
        db, "PRAGMA integrity_check",
        [](void* out, int, char** values, char**) {
          *static_cast<std::string*>(out) = values[0] != nullptr ? values[0] : "";
          return 0;
        },
        &verdict, nullptr);
  }
  sqlite3_close(db);
  return verdict;
}

struct WriteCase {
  std::string name;
  // Positions the client if it must, then writes; the write's status.
  std::function<int16_t(Client&)> write;
};

class StorageFaultTest : public ::testing::TestWithParam<WriteCase> {
 protected:
  // A sample file of three records, written before any failure is armed.
  void MakeFile() {
    Client maker(path_);
    ASSERT_EQ(maker.Create(), btr::kOk);
    ASSERT_EQ(maker.Open(), btr::kOk);
    for (const Bytes& record : {SampleRecord("A001", 10, "ann"), SampleRecord("B002", 20, "bob"),
                                SampleRecord("C003", 30, "cy")}) {
      ASSERT_EQ(maker.Insert(record), btr::kOk);
    }
    ASSERT_EQ(maker.Close(), btr::kOk);
  }

  // One write with the `n`th storage write failing (0: none); the write's status.
  int16_t WriteWithFailure(int n, int code) {
    MakeFile();
    Client writer(path_);
    EXPECT_EQ(writer.Open(), btr::kOk);
    vfs_.FailNth(n, code);
    const int16_t status = GetParam().write(writer);
    vfs_.Disarm();
    writer.Close();
    return status;
  }

  FailingVfs vfs_;
  TempDir dir_;
  std::string path_ = dir_.File("storage.btr");
};

TEST_P(StorageFaultTest, EveryFailingWriteLeavesTheRecordsWholeAndTheFileSound) {
  const std::vector<Bytes> before = [&] {
    MakeFile();
    return Records(path_);
  }();
  ASSERT_EQ(WriteWithFailure(0, 0), btr::kOk);
  const int writes = vfs_.writes();
  const std::vector<Bytes> after = Records(path_);
  ASSERT_NE(before, after);
  ASSERT_GT(writes, 1);

  for (int n = 1; n <= writes; ++n) {
    for (const StorageFailure& failure : kFailures) {
      const int16_t status = WriteWithFailure(n, failure.code);
      SCOPED_TRACE("write " + std::to_string(n) + " failing with " + std::to_string(failure.code) +
                   " answered " + std::to_string(status));
      EXPECT_TRUE(vfs_.failed());
      EXPECT_TRUE(status == btr::kOk || status == failure.status);
      EXPECT_EQ(Records(path_), status == btr::kOk ? after : before);
      EXPECT_EQ(IntegrityCheck(path_), "ok");
    }
  }
  std::cout << "[ failure points ] " << GetParam().name << ": " << writes << " writes x "
            << std::size(kFailures) << " failures\n";
}

INSTANTIATE_TEST_SUITE_P(
    Writes, StorageFaultTest,
    ::testing::Values(
        WriteCase{"Insert", [](Client& c) { return c.Insert(SampleRecord("D004", 40, "di")); }},
        WriteCase{"Update",
                  [](Client& c) {
                    const int16_t found = c.Get(btr::kGetEqual, 0, {'B', '0', '0', '2'});
                    if (found != btr::kOk) return found;
                    return c.Update(SampleRecord("B002", 99, "bobby"), 0);
                  }},
        WriteCase{"TwoInsertsInATransaction",
                  [](Client& c) {
                    auto transaction = [&](uint16_t operation) {
                      return c.Raw(operation, nullptr, nullptr, nullptr, 0, 0);
                    };
                    int16_t status =
                        transaction(btr::kBeginTransaction + btr::kConcurrentTransactionBias);
                    if (status != btr::kOk) return status;
                    status = c.Insert(SampleRecord("D004", 40, "di"));
                    if (status == btr::kOk) status = c.Insert(SampleRecord("E005", 50, "ed"));
                    if (status == btr::kOk) status = transaction(btr::kEndTransaction);
                    if (status != btr::kOk) transaction(btr::kAbortTransaction);
                    return status;
                  }},
        WriteCase{"Delete",
                  [](Client& c) {
                    const int16_t found = c.Get(btr::kGetEqual, 0, {'C', '0', '0', '3'});
                    if (found != btr::kOk) return found;
                    return c.Delete();
                  }}),
    [](const ::testing::TestParamInfo<WriteCase>& info) { return info.param.name; });

}  // namespace
}  // namespace recordstore::testing
