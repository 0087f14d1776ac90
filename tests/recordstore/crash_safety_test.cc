// A killed reader or writer leaves the file sound: every acknowledged write in it, none half-made.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <set>
#include <string>

#include "fakes/record_manager_client.h"
#include "wbtrv32.h"

namespace recordstore::testing {
namespace {

std::string CodeFor(uint32_t n) {
  char code[8];
  std::snprintf(code, sizeof code, "%04u", n % 10000);
  return code;
}

// Runs `body` in a child process that reports progress by writing 4-byte numbers to the
// pipe; returns once `wanted` reports arrived, after killing the child with SIGKILL. All the
// reports the child made before it died are in `reports`.
template <typename Body>
void RunAndKill(Body body, size_t wanted, std::vector<uint32_t>* reports) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(fds[0]);
    body(fds[1]);
    _exit(3);  // body only returns on failure
  }
  close(fds[1]);
  uint32_t value = 0;
  while (reports->size() < wanted && read(fds[0], &value, sizeof value) == sizeof value) {
    reports->push_back(value);
  }
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  while (read(fds[0], &value, sizeof value) == sizeof value) reports->push_back(value);
  close(fds[0]);
  ASSERT_EQ(reports->size() >= wanted, true) << "the child stopped early";
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
}

void Report(int fd, uint32_t value) {
  if (write(fd, &value, sizeof value) != sizeof value) _exit(4);
}

std::string IntegrityOf(const std::string& path) {
  sqlite3* db = nullptr;
  std::string result = "cannot open";
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW) {
      result = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
    }
    sqlite3_finalize(stmt);
  }
  sqlite3_close(db);
  return result;
}

std::set<std::string> AllCodes(Client& file) {
  std::set<std::string> codes;
  int16_t status = file.Get(btr::kGetFirst, 0);
  while (status == btr::kOk) {
    codes.insert(CodeOf(file.record()));
    status = file.Get(btr::kGetNext, 0);
  }
  EXPECT_EQ(status, btr::kEndOfFile);
  return codes;
}

TEST(CrashSafety, WriterKilledMidBatchLosesNoAcknowledgedInsert) {
  TempDir dir;
  Client setup(dir.File("batch.btr"));
  ASSERT_EQ(setup.Create(), btr::kOk);

  std::vector<uint32_t> acknowledged;
  RunAndKill(
      [&](int fd) {
        Client writer(setup.path());
        if (writer.Open() != btr::kOk) return;
        for (uint32_t n = 0; n < 10000; ++n) {
          if (writer.Insert(SampleRecord(CodeFor(n), static_cast<int32_t>(n), CodeFor(n))) !=
              btr::kOk) {
            return;
          }
          Report(fd, n);
        }
        pause();
      },
      40, &acknowledged);

  EXPECT_EQ(IntegrityOf(setup.path()), "ok");
  Client after(setup.path());
  ASSERT_EQ(after.Open(), btr::kOk);
  const std::set<std::string> codes = AllCodes(after);
  for (uint32_t n : acknowledged) EXPECT_EQ(codes.count(CodeFor(n)), 1u) << n;
  // At most the insert in flight when the kill came is there unacknowledged.
  EXPECT_LE(codes.size(), acknowledged.size() + 1);
  // The file takes writes again: no lock or journal of the dead writer is in the way.
  EXPECT_EQ(after.Insert(SampleRecord("ZZZZ", -1, "after")), btr::kOk);
  EXPECT_EQ(after.Close(), btr::kOk);
  EXPECT_EQ(IntegrityOf(setup.path()), "ok");
}

TEST(CrashSafety, WriterKilledInsideATransactionLeavesNoneOfItsWrites) {
  TempDir dir;
  Client setup(dir.File("transaction.btr"));
  ASSERT_EQ(setup.Create(), btr::kOk);

  std::vector<uint32_t> written;
  RunAndKill(
      [&](int fd) {
        Client writer(setup.path());
        if (writer.Open() != btr::kOk) return;
        if (writer.Raw(btr::kBeginTransaction, nullptr, nullptr, nullptr, 0, 0) != btr::kOk) {
          return;
        }
        for (uint32_t n = 0; n < 10000; ++n) {
          if (writer.Insert(SampleRecord(CodeFor(n), 0, CodeFor(n))) != btr::kOk) return;
          Report(fd, n);
        }
        pause();
      },
      200, &written);

  EXPECT_EQ(IntegrityOf(setup.path()), "ok");
  Client after(setup.path());
  ASSERT_EQ(after.Open(), btr::kOk);
  EXPECT_TRUE(AllCodes(after).empty());
  EXPECT_EQ(after.Insert(SampleRecord("ZZZZ", -1, "after")), btr::kOk);
  EXPECT_EQ(after.Close(), btr::kOk);
}

TEST(CrashSafety, ReaderKilledMidScanLeavesTheFileWritable) {
  TempDir dir;
  Client setup(dir.File("scan.btr"));
  ASSERT_EQ(setup.Create(), btr::kOk);
  ASSERT_EQ(setup.Open(), btr::kOk);
  for (uint32_t n = 0; n < 20; ++n) {
    ASSERT_EQ(setup.Insert(SampleRecord(CodeFor(n), 0, CodeFor(n))), btr::kOk);
  }
  ASSERT_EQ(setup.Close(), btr::kOk);

  std::vector<uint32_t> scans;
  RunAndKill(
      [&](int fd) {
        Client reader(setup.path());
        if (reader.Open(btr::kModeReadOnly) != btr::kOk) return;
        for (uint32_t scan = 0;; ++scan) {
          if (AllCodes(reader).size() != 20) return;
          Report(fd, scan);
        }
      },
      3, &scans);

  Client after(setup.path());
  ASSERT_EQ(after.Open(), btr::kOk);
  EXPECT_EQ(after.Insert(SampleRecord("ZZZZ", 0, "after")), btr::kOk);
  EXPECT_EQ(AllCodes(after).size(), 21u);
  EXPECT_EQ(after.Close(), btr::kOk);
  EXPECT_EQ(IntegrityOf(setup.path()), "ok");
}

}  // namespace
}  // namespace recordstore::testing
