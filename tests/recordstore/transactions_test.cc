// The record manager's transactions: writes between Begin and End stand or fall together.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "fakes/record_manager_client.h"
#include "wbtrv32.h"

namespace recordstore::testing {
namespace {

int16_t Transaction(Client& client, uint16_t operation) {
  return client.Raw(operation, nullptr, nullptr, nullptr, 0, 0);
}

// The codes another connection reads, in key order.
std::set<std::string> CodesSeenBy(const std::string& path) {
  Client reader(path);
  std::set<std::string> codes;
  if (reader.Open(btr::kModeReadOnly) != btr::kOk) return {"(cannot open)"};
  for (int16_t s = reader.Get(btr::kGetFirst, 0); s == btr::kOk; s = reader.Get(btr::kGetNext, 0)) {
    codes.insert(CodeOf(reader.record()));
  }
  reader.Close();
  return codes;
}

class TransactionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(file_.Create(), btr::kOk);
    ASSERT_EQ(file_.Open(), btr::kOk);
    ASSERT_EQ(file_.Insert(SampleRecord("A000", 0, "before")), btr::kOk);
  }
  void TearDown() override {
    Transaction(file_, btr::kAbortTransaction);
    file_.Close();
  }
  TempDir dir_;
  Client file_{dir_.File("transactions.btr")};
};

// What another connection sees before and after the end, for each way of ending.
TEST_F(TransactionTest, WritesAppearTogetherAtTheEndOrNotAtAll) {
  const struct {
    const char* what;
    uint16_t begin;
    uint16_t end;
    std::set<std::string> after;
  } cases[] = {
      {"committed", btr::kBeginTransaction, btr::kEndTransaction, {"A000", "B001", "C002"}},
      {"concurrent, committed",
       btr::kBeginTransaction + btr::kConcurrentTransactionBias,
       btr::kEndTransaction,
       {"A000", "B001", "C002"}},
      {"aborted", btr::kBeginTransaction, btr::kAbortTransaction, {"A000"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(Transaction(file_, c.begin), btr::kOk);
    ASSERT_EQ(file_.Insert(SampleRecord("B001", 1, "b")), btr::kOk);
    // The failed write is undone alone; the transaction goes on.
    EXPECT_EQ(file_.Insert(SampleRecord("B001", 1, "again")), btr::kDuplicateKey);
    ASSERT_EQ(file_.Insert(SampleRecord("C002", 2, "c")), btr::kOk);
    // The writer reads its own writes; nobody else does yet.
    EXPECT_EQ(file_.Get(btr::kGetEqual, 0, Bytes{'C', '0', '0', '2'}), btr::kOk);
    EXPECT_EQ(CodesSeenBy(file_.path()), (std::set<std::string>{"A000"}));
    EXPECT_EQ(file_.Close(), btr::kOperationNotAllowed) << "a file that holds writes";
    ASSERT_EQ(Transaction(file_, c.end), btr::kOk);
    EXPECT_EQ(CodesSeenBy(file_.path()), c.after);
    // Back to the starting state for the next case.
    for (const char* code : {"B001", "C002"}) {
      if (file_.Get(btr::kGetEqual, 0, Bytes(code, code + 4)) == btr::kOk) file_.Delete();
    }
  }
}

TEST_F(TransactionTest, BeginAndEndOutOfTurnAreRefused) {
  EXPECT_EQ(Transaction(file_, btr::kEndTransaction), btr::kEndAbortTransactionError);
  EXPECT_EQ(Transaction(file_, btr::kAbortTransaction), btr::kEndAbortTransactionError);
  ASSERT_EQ(Transaction(file_, btr::kBeginTransaction), btr::kOk);
  EXPECT_EQ(Transaction(file_, btr::kBeginTransaction), btr::kTransactionActive);
  EXPECT_EQ(Transaction(file_, btr::kEndTransaction), btr::kOk);
}

TEST_F(TransactionTest, ResetRollsTheTransactionBackAndEndsIt) {
  ASSERT_EQ(Transaction(file_, btr::kBeginTransaction), btr::kOk);
  ASSERT_EQ(file_.Insert(SampleRecord("B001", 1, "b")), btr::kOk);
  ASSERT_EQ(Transaction(file_, btr::kReset), btr::kOk);
  EXPECT_EQ(CodesSeenBy(file_.path()), (std::set<std::string>{"A000"}));
  EXPECT_EQ(Transaction(file_, btr::kBeginTransaction), btr::kOk) << "none left running";
  EXPECT_EQ(Transaction(file_, btr::kEndTransaction), btr::kOk);
}

}  // namespace
}  // namespace recordstore::testing
