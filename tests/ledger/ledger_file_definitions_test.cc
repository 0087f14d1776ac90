// The ledger files' definitions: record lengths, keys, and the record manager's create buffer.
#include "ledger/ledger_file_definitions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>

namespace r7::ledger {
namespace {

int Le16(const std::string& bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) | (static_cast<unsigned char>(bytes[at + 1]) << 8);
}

TEST(LedgerFileSpecsTest, RecordLengthsAndFullKeyCounts) {
  const std::tuple<LedgerFile, const char*, std::size_t, int> cases[] = {
      {LedgerFile::kAccounts, "glactfil", 170, 4},     {LedgerFile::kBalances, "glbalfil", 1239, 3},
      {LedgerFile::kComparatives, "glcmpfil", 392, 4}, {LedgerFile::kBudgets, "glbudfil", 353, 4},
      {LedgerFile::kTransactions, "gltrxfil", 95, 3},  {LedgerFile::kEntities, "glentity", 1187, 1},
      {LedgerFile::kLayouts, "gllayout", 77, 1},       {LedgerFile::kFinancialEntities, "", 184, 3},
  };
  for (auto [file, name, record_length, keys] : cases) {
    FileDefinition definition = LedgerFileDefinition(file);
    EXPECT_EQ(LedgerFileBaseName(file), name);
    EXPECT_EQ(definition.record_length, record_length) << name;
    EXPECT_EQ(FullKeyCount(file), keys) << name;
    EXPECT_EQ(definition.page_size % 512, 0) << name;
    for (const KeyDefinition& key : definition.keys)
      for (const KeyPart& part : key.parts)
        EXPECT_LE(part.offset + part.length, definition.record_length) << name;
  }
  EXPECT_EQ(LedgerFileByBaseName("GLBUDFIL"), LedgerFile::kBudgets);
  EXPECT_EQ(LedgerFileByBaseName("glbudfil.btr"), std::nullopt);
  EXPECT_EQ(LedgerFileByBaseName(""), std::nullopt);
}

TEST(LedgerFileSpecsTest, AKeyCountKeepsTheFirstKeys) {
  EXPECT_EQ(LedgerFileDefinition(LedgerFile::kBudgets, 1)->keys.size(), 1u);
  EXPECT_EQ(LedgerFileDefinition(LedgerFile::kBudgets, 1)->keys[0].parts.size(), 3u);
  EXPECT_EQ(LedgerFileDefinition(LedgerFile::kBalances, 3)->keys.size(), 3u);
  EXPECT_EQ(LedgerFileDefinition(LedgerFile::kBalances, 4), std::nullopt);
  EXPECT_EQ(LedgerFileDefinition(LedgerFile::kAccounts, 0), std::nullopt);
}

TEST(LedgerFileSpecsTest, EncodesTheCreateBuffer) {
  // Comparative file, key 0 only: account number (1, 24) then year (25, 4).
  std::string spec = EncodeCreateSpec(*LedgerFileDefinition(LedgerFile::kComparatives, 1));
  ASSERT_EQ(spec.size(), 16u + 2 * 16u);
  EXPECT_EQ(Le16(spec, 0), 392);
  EXPECT_EQ(Le16(spec, 2), 2048);
  EXPECT_EQ(spec[4], 1);
  EXPECT_EQ(Le16(spec, 16), 1);
  EXPECT_EQ(Le16(spec, 18), 24);
  EXPECT_EQ(Le16(spec, 20), 0x0110);  // extended type, segmented
  EXPECT_EQ(spec[26], 0);             // string
  EXPECT_EQ(Le16(spec, 32), 25);
  EXPECT_EQ(Le16(spec, 34), 4);
  EXPECT_EQ(Le16(spec, 36), 0x0100);

  // Financial entities file: three keys of two parts, duplicates and modifiable, the
  // texts without regard to case.
  std::string sad = EncodeCreateSpec(LedgerFileDefinition(LedgerFile::kFinancialEntities));
  ASSERT_EQ(sad.size(), 16u + 6 * 16u);
  EXPECT_EQ(Le16(sad, 0), 184);
  EXPECT_EQ(sad[4], 3);
  const int expected[6][4] = {{1, 30, 0x0513, 0}, {31, 2, 0x0103, 1}, {31, 2, 0x0113, 1},
                              {1, 30, 0x0503, 0}, {31, 2, 0x0113, 1}, {33, 51, 0x0503, 11}};
  for (int i = 0; i < 6; ++i) {
    std::size_t at = 16 + 16 * static_cast<std::size_t>(i);
    EXPECT_EQ(Le16(sad, at), expected[i][0]) << i;
    EXPECT_EQ(Le16(sad, at + 2), expected[i][1]) << i;
    EXPECT_EQ(Le16(sad, at + 4), expected[i][2]) << i;
    EXPECT_EQ(sad[at + 10], expected[i][3]) << i;
  }
}

}  // namespace
}  // namespace r7::ledger
