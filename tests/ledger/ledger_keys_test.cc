// The key each ledger file is searched by, for every ordering and key count.
#include "ledger/ledger_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "ledger/amount_text.h"
#include "ledger/entities_file_record.h"
#include "ledger/layout_record.h"
#include "ledger/ledger_file_definitions.h"
#include "ledger/ledger_records.h"

namespace r7::ledger {
namespace {

const std::string kAccount = "000010000000002000000300";  // 1000-20-300
constexpr SegmentOrdering kMain = SegmentOrdering::kMainFirst;
constexpr SegmentOrdering kCenter = SegmentOrdering::kProfitCenterFirst;
constexpr SegmentOrdering kDepartment = SegmentOrdering::kDepartmentFirst;

TEST(LedgerKeysTest, BuildsTheKeyOfEachFileAndKeyCount) {
  const std::tuple<const char*, LedgerKey, LedgerKey> cases[] = {
      {"account", AccountFileKey(kAccount), {0, kAccount}},
      {"balance main", BalanceFileKey(kAccount, kMain, 3), {0, kAccount}},
      {"balance pc", BalanceFileKey(kAccount, kCenter, 3), {1, "000000200000100000000300"}},
      {"balance dept", BalanceFileKey(kAccount, kDepartment, 3), {2, "000003000000100000000020"}},
      {"balance one key", BalanceFileKey(kAccount, kDepartment, 1), {0, kAccount}},
      {"comparative four", ComparativeFileKey(kAccount, "2001", kMain, 4), {1, "2001" + kAccount}},
      {"comparative four pc",
       ComparativeFileKey(kAccount, "2001", kCenter, 4),
       {2, "2001000000200000100000000300"}},
      {"comparative one",
       ComparativeFileKey(kAccount, "2001", kDepartment, 1),
       {0, kAccount + "2001"}},
      {"budget four",
       BudgetFileKey(kAccount, "2002", "99", kDepartment, 4),
       {3, "2002000003000000100000000020" + std::string("99")}},
      {"budget one",
       BudgetFileKey(kAccount, "2002", "99", kCenter, 1),
       {0, kAccount + "2002" + "99"}},
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
      {"entities name",
       EntitiesFileNameKey(102, "SALES"),
       {2, std::string("\x66\0SALES", 7) + std::string(46, '\0')}},
  };
  for (const auto& [what, key, expected] : cases) EXPECT_EQ(key, expected) << what;
}

// What the key builders compose is what the file's key definition extracts from a record.
bool Agrees(LedgerFile file, const LedgerKey& key, const std::string& record) {
  const FileDefinition definition = LedgerFileDefinition(file);
  std::string extracted;
  for (const KeyPart& part : definition.keys[key.key_number].parts)
    extracted += record.substr(part.offset, part.length);
  return extracted == key.value;
}

TEST(LedgerKeysTest, BuildersAgreeWithTheFileDefinitions) {
  std::string budget(glbudfil::kRecordLength, '\0'), comparative(glcmpfil::kRecordLength, '\0'),
      balance(glbalfil::kRecordLength, '\0'), transaction(gltrxfil::kRecordLength, '\0'),
      sad(entities_file::kRecordLength, '\0');
  BudgetRecordImage b{std::span<char>(budget)};
  b.set_account_number(kAccount);
  b.set_year("2002");
  b.set_revision_code(*RevisionCode(2));
  ComparativeRecordImage c{std::span<char>(comparative)};
  c.set_account_number(kAccount);
  c.set_year("2000");
  BalanceRecordImage(std::span<char>(balance)).set_account_number(kAccount);
  TransactionRecordImage t{std::span<char>(transaction)};
  t.set_account_number(kAccount);
  t.set_date("20020315");
  EntitiesFileRecordImage e{std::span<char>(sad)};
  e.set_value_text("4000..4999");
  e.set_segment_code(101);
  e.set_description("SALES");

  for (SegmentOrdering o : {kMain, kCenter, kDepartment}) {
    const int n = static_cast<int>(o);
    EXPECT_TRUE(Agrees(LedgerFile::kBudgets, BudgetFileKey(kAccount, "2002", "98", o, 4), budget))
        << n;
    EXPECT_TRUE(
        Agrees(LedgerFile::kComparatives, ComparativeFileKey(kAccount, "2000", o, 4), comparative))
        << n;
    EXPECT_TRUE(Agrees(LedgerFile::kBalances, BalanceFileKey(kAccount, o, 3), balance)) << n;
  }
  EXPECT_TRUE(
      Agrees(LedgerFile::kBudgets, BudgetFileKey(kAccount, "2002", "98", kMain, 1), budget));
  EXPECT_TRUE(
      Agrees(LedgerFile::kTransactions, TransactionFileKey(kAccount, "20020315"), transaction));
  const LedgerFile entities = LedgerFile::kFinancialEntities;
  EXPECT_TRUE(Agrees(entities, EntitiesFileValueKey("4000..4999", 101), sad));
  EXPECT_TRUE(Agrees(entities, EntitiesFileSegmentKey(101, "4000..4999"), sad));
  EXPECT_TRUE(Agrees(entities, EntitiesFileNameKey(101, "SALES"), sad));
}

}  // namespace
}  // namespace r7::ledger
