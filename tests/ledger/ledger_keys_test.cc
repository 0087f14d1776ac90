#include "ledger/ledger_keys.h"

#include <gtest/gtest.h>

#include <string>

#include "ledger/amount_text.h"
#include "ledger/entities_file_record.h"
#include "ledger/layout_record.h"
#include "ledger/ledger_file_definitions.h"
#include "ledger/ledger_records.h"

namespace r7::ledger {
namespace {

const std::string kAccount = "000010000000002000000300";  // 1000-20-300

TEST(LedgerKeysTest, BuildsTheKeyOfEachFileAndKeyCount) {
  using O = SegmentOrdering;
  struct Case {
    const char* what;
    LedgerKey key;
    LedgerKey expected;
  };
  const Case cases[] = {
      {"account", AccountFileKey(kAccount), {0, kAccount}},
      {"balance main", BalanceFileKey(kAccount, O::kMainFirst, 3), {0, kAccount}},
      {"balance pc",
       BalanceFileKey(kAccount, O::kProfitCenterFirst, 3),
       {1, "000000200000100000000300"}},
      {"balance dept",
       BalanceFileKey(kAccount, O::kDepartmentFirst, 3),
       {2, "000003000000100000000020"}},
      {"balance one key", BalanceFileKey(kAccount, O::kDepartmentFirst, 1), {0, kAccount}},
      {"comparative four",
       ComparativeFileKey(kAccount, "2001", O::kMainFirst, 4),
       {1, "2001" + kAccount}},
      {"comparative four pc",
       ComparativeFileKey(kAccount, "2001", O::kProfitCenterFirst, 4),
       {2, "2001000000200000100000000300"}},
      {"comparative one",
       ComparativeFileKey(kAccount, "2001", O::kDepartmentFirst, 1),
       {0, kAccount + "2001"}},
      {"budget four",
       BudgetFileKey(kAccount, "2002", "99", O::kDepartmentFirst, 4),
       {3,
        "2002000003000000100000000020"
        "99"}},
      {"budget one",
       BudgetFileKey(kAccount, "2002", "99", O::kProfitCenterFirst, 1),
       {0, kAccount + "2002"
                      "99"}},
      {"transaction", TransactionFileKey(kAccount, "20020315"), {0, kAccount + "20020315"}},
      {"entity", EntityFileKey("east"), {0, "EAST "}},
      {"entity long", EntityFileKey("western"), {0, "WESTE"}},
      {"layout", LayoutFileKey(7, 0), {0, "00700000"}},
      {"layout bad", LayoutFileKey(1000, 0), {0, ""}},
      {"entities value",
       EntitiesFileValueKey("4000", 1),
       {0, "4000" + std::string(26, ' ') + std::string("\1\0", 2)}},
      {"entities segment",
       EntitiesFileSegmentKey(101, "X"),
       {1, "\x65" + std::string(1, '\0') + "X" + std::string(29, ' ')}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.key, c.expected) << c.what;
  LedgerKey name = EntitiesFileNameKey(102, "SALES");
  EXPECT_EQ(name.key_number, 2);
  EXPECT_EQ(name.value, std::string("\x66\0SALES", 7) + std::string(46, '\0'));
}

// The bytes a key definition extracts from a record.
std::string Extract(const KeyDefinition& key, const std::string& record) {
  std::string value;
  for (const KeyPart& part : key.parts) value += record.substr(part.offset, part.length);
  return value;
}

// What the key builders compose is what the files' key definitions extract.
TEST(LedgerKeysTest, BuildersAgreeWithTheFileDefinitions) {
  std::string budget(glbudfil::kRecordLength, '\0');
  BudgetRecordImage b{std::span<char>(budget)};
  b.set_account_number(kAccount);
  b.set_year("2002");
  b.set_revision_code(*RevisionCode(2));
  FileDefinition budgets = LedgerFileDefinition(LedgerFile::kBudgets);
  for (int ordering = 0; ordering < 3; ++ordering) {
    LedgerKey key = BudgetFileKey(kAccount, "2002", "98", SegmentOrdering(ordering), 4);
    EXPECT_EQ(key.value, Extract(budgets.keys[key.key_number], budget)) << ordering;
  }
  EXPECT_EQ(BudgetFileKey(kAccount, "2002", "98", SegmentOrdering::kMainFirst, 1).value,
            Extract(budgets.keys[0], budget));

  std::string comparative(glcmpfil::kRecordLength, '\0');
  ComparativeRecordImage c{std::span<char>(comparative)};
  c.set_account_number(kAccount);
  c.set_year("2000");
  FileDefinition comparatives = LedgerFileDefinition(LedgerFile::kComparatives);
  for (int ordering = 0; ordering < 3; ++ordering) {
    LedgerKey key = ComparativeFileKey(kAccount, "2000", SegmentOrdering(ordering), 4);
    EXPECT_EQ(key.value, Extract(comparatives.keys[key.key_number], comparative)) << ordering;
  }

  std::string balance(glbalfil::kRecordLength, '\0');
  BalanceRecordImage(std::span<char>(balance)).set_account_number(kAccount);
  FileDefinition balances = LedgerFileDefinition(LedgerFile::kBalances);
  for (int ordering = 0; ordering < 3; ++ordering) {
    LedgerKey key = BalanceFileKey(kAccount, SegmentOrdering(ordering), 3);
    EXPECT_EQ(key.value, Extract(balances.keys[key.key_number], balance)) << ordering;
  }

  std::string transaction(gltrxfil::kRecordLength, '\0');
  TransactionRecordImage t{std::span<char>(transaction)};
  t.set_account_number(kAccount);
  t.set_date("20020315");
  EXPECT_EQ(TransactionFileKey(kAccount, "20020315").value,
            Extract(LedgerFileDefinition(LedgerFile::kTransactions).keys[0], transaction));

  std::string sad(entities_file::kRecordLength, '\0');
  EntitiesFileRecordImage e{std::span<char>(sad)};
  e.set_value_text("4000..4999");
  e.set_segment_code(101);
  e.set_description("SALES");
  FileDefinition entities = LedgerFileDefinition(LedgerFile::kFinancialEntities);
  EXPECT_EQ(EntitiesFileValueKey("4000..4999", 101).value, Extract(entities.keys[0], sad));
  EXPECT_EQ(EntitiesFileSegmentKey(101, "4000..4999").value, Extract(entities.keys[1], sad));
  EXPECT_EQ(EntitiesFileNameKey(101, "SALES").value, Extract(entities.keys[2], sad));
}

}  // namespace
}  // namespace r7::ledger
