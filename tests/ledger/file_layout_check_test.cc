// The layout check of an open ledger file against the layout the driver reads it by.
#include "ledger/file_layout_check.h"

#include <gtest/gtest.h>

#include <string>

#include "wbtrv32.h"

namespace r7 {
namespace {

using ledger::LedgerFile;

std::string SpecOf(LedgerFile file, int key_count = 0) {
  return ledger::EncodeCreateSpec(key_count == 0 ? ledger::LedgerFileDefinition(file)
                                                 : *ledger::LedgerFileDefinition(file, key_count));
}

std::string WithRecordLength(std::string spec, unsigned length) {
  spec[0] = static_cast<char>(length & 0xff);
  spec[1] = static_cast<char>(length >> 8);
  return spec;
}

TEST(FileLayoutCheckTest, AcceptsItsOwnLayoutAndRefusesAnyOther) {
  for (LedgerFile file : ledger::kAllLedgerFiles) {
    const ledger::FileDefinition layout = ledger::LedgerFileDefinition(file);
    const std::string own = SpecOf(file);
    const unsigned length = static_cast<unsigned>(layout.record_length);
    SCOPED_TRACE(std::string(ledger::LedgerFileBaseName(file)));
    EXPECT_EQ(CheckFileLayout(own, layout), btr::kOk);
    EXPECT_EQ(CheckFileLayout(SpecOf(file, 1), layout), btr::kOk);  // key 0 alone
    EXPECT_EQ(CheckFileLayout(WithRecordLength(own, length + 40), layout), btr::kOk);
    EXPECT_EQ(CheckFileLayout(WithRecordLength(own, length - 1), layout),
              btr::kInvalidRecordLength);
    EXPECT_EQ(CheckFileLayout(own.substr(0, 20), layout), btr::kInvalidKeyPosition);
    EXPECT_EQ(CheckFileLayout("", layout), btr::kInvalidKeyPosition);
  }
}

TEST(FileLayoutCheckTest, TellsAnotherFilesLayoutByItsKeysOrItsShorterRecords) {
  struct Case {
    LedgerFile layout;
    LedgerFile copied_over_it;
    int16_t status;
  };
  const Case cases[] = {
      {LedgerFile::kBudgets, LedgerFile::kComparatives, btr::kInvalidKeyPosition},
      {LedgerFile::kTransactions, LedgerFile::kAccounts, btr::kInvalidKeyPosition},
      {LedgerFile::kLayouts, LedgerFile::kEntities, btr::kInvalidKeyPosition},
      {LedgerFile::kBalances, LedgerFile::kAccounts, btr::kInvalidRecordLength},
      {LedgerFile::kAccounts, LedgerFile::kTransactions, btr::kInvalidRecordLength},
      // The same keys and longer records: nothing in the layout tells them apart.
      {LedgerFile::kAccounts, LedgerFile::kBalances, btr::kOk},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckFileLayout(SpecOf(c.copied_over_it), ledger::LedgerFileDefinition(c.layout)),
              c.status)
        << ledger::LedgerFileBaseName(c.copied_over_it) << " over "
        << ledger::LedgerFileBaseName(c.layout);
  }
}

}  // namespace
}  // namespace r7
