// A killed reader or writer leaves the file sound: every acknowledged write in it, none half-made;
// a reader holding its file between calls delays another process's writer, never refuses it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "fakes/record_manager_client.h"
#include "wbtrv32.h"

namespace recordstore::testing {
namespace {

std::string CodeFor(uint32_t n) {
  char code[8];
  std::snprintf(code, sizeof code, "%04u", n % 10000);
  return code;
}

// A child process running `body`, which reports progress by writing 4-byte numbers to a
// pipe (and only returns on failure).
class ChildProcess {
 public:
  template <typename Body>
  explicit ChildProcess(Body body) {
    int fds[2];
    if (pipe(fds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(fds[0]);
      body(fds[1]);
      _exit(3);
    }
    close(fds[1]);
    fd_ = fds[0];
  }
  ~ChildProcess() {
    if (pid_ > 0) Kill();
    if (fd_ >= 0) close(fd_);
  }

  // Waits until `wanted` reports arrived; false when the child stopped before.
  bool WaitFor(size_t wanted) {
    uint32_t value = 0;
    while (reports_.size() < wanted && fd_ >= 0 && read(fd_, &value, sizeof value) == sizeof value)
      reports_.push_back(value);
    return reports_.size() >= wanted;
  }
  // Kills the child with SIGKILL; true when that is what ended it. Every report it made
  // before it died is in reports().
  bool Kill() {
    kill(pid_, SIGKILL);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    uint32_t value = 0;
    while (read(fd_, &value, sizeof value) == sizeof value) reports_.push_back(value);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
  }
  const std::vector<uint32_t>& reports() const { return reports_; }

 private:
  pid_t pid_ = -1;
  int fd_ = -1;
  std::vector<uint32_t> reports_;
};

// Runs `body` in a child process, waits for `wanted` reports and kills it; all the reports
// the child made before it died are in `reports`.
template <typename Body>
void RunAndKill(Body body, size_t wanted, std::vector<uint32_t>* reports) {
  ChildProcess child(body);
  ASSERT_TRUE(child.WaitFor(wanted)) << "the child stopped early";
  EXPECT_TRUE(child.Kill());
  *reports = child.reports();
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

// Makes the file with the records of codes 0 to 19, and closes it.
void FillWithTwentyCodes(Client& file) {
  ASSERT_EQ(file.Create(), btr::kOk);
  ASSERT_EQ(file.Open(), btr::kOk);
  for (uint32_t n = 0; n < 20; ++n) {
    ASSERT_EQ(file.Insert(SampleRecord(CodeFor(n), 0, CodeFor(n))), btr::kOk);
  }
  ASSERT_EQ(file.Close(), btr::kOk);
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
  ASSERT_NO_FATAL_FAILURE(FillWithTwentyCodes(setup));

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

// A reader keeps its file's read transaction open between its calls, which holds writers
// off. A writer in another process still gets through, both while the reader reads on and
// after it has gone quiet, and a reader killed while it holds the file costs nothing.
TEST(CrashSafety, AReaderHoldingItsFileDelaysWritersButNeverRefusesThem) {
  TempDir dir;
  Client setup(dir.File("held.btr"));
  ASSERT_NO_FATAL_FAILURE(FillWithTwentyCodes(setup));

  uint32_t next_code = 100;
  for (const bool quiet : {false, true}) {
    SCOPED_TRACE(quiet ? "a reader gone quiet" : "a reader scanning on");
    ChildProcess reader([&](int fd) {
      Client file(setup.path());
      if (file.Open(btr::kModeReadOnly) != btr::kOk) return;
      if (quiet) {
        if (file.Get(btr::kGetFirst, 0) != btr::kOk) return;
        Report(fd, 0);
        pause();
      }
      for (uint32_t scan = 0;; ++scan) {
        if (AllCodes(file).size() < 20) return;
        Report(fd, scan);
      }
    });
    ASSERT_TRUE(reader.WaitFor(1));
    Client writer(setup.path());
    ASSERT_EQ(writer.Open(), btr::kOk);
    std::set<std::string> written;
    for (int n = 0; n < 5; ++n, ++next_code) {
      ASSERT_EQ(writer.Insert(SampleRecord(CodeFor(next_code), 1, CodeFor(next_code))), btr::kOk);
      written.insert(CodeFor(next_code));
    }
    EXPECT_TRUE(reader.Kill());
    ASSERT_EQ(writer.Insert(SampleRecord(CodeFor(next_code), 1, CodeFor(next_code))), btr::kOk);
    written.insert(CodeFor(next_code++));
    const std::set<std::string> codes = AllCodes(writer);
    for (const std::string& code : written) EXPECT_EQ(codes.count(code), 1u) << code;
    EXPECT_EQ(writer.Close(), btr::kOk);
    EXPECT_EQ(IntegrityOf(setup.path()), "ok");
  }
}

}  // namespace
}  // namespace recordstore::testing
