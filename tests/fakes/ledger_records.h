// Ledger records read back as `r7-ledger dump` prints them, and the fields of a budget
// record, for the tests that check what a budget write left in the file.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/r7-ledger/ledger_writer.h"

namespace r7::testing {

// Budget record fields, as the accounting system keeps them: the key (account number, year,
// revision code), 13 text amounts, 13 amounts as doubles, 50 bytes that a new record zeroes.
inline constexpr std::size_t kBudgetRecordLength = 353;
inline constexpr std::size_t kBudgetKeyLength = 30;
inline constexpr std::size_t kBudgetTextAmounts = 30;
inline constexpr std::size_t kBudgetDoubles = 199;
inline constexpr std::size_t kBudgetReserved = 303;

// Every record of a record-manager file, in the order of key 0.
inline std::vector<std::string> DumpRecords(const std::string& file) {
  std::ostringstream dump, error;
  EXPECT_EQ(ledger_tool::DumpFile(file, dump, error), 0) << error.str();
  std::vector<std::string> records;
  std::istringstream lines(dump.str());
  for (std::string line; std::getline(lines, line);) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < line.size(); i += 2) {
      bytes += static_cast<char>(std::stoi(line.substr(i, 2), nullptr, 16));
    }
    records.push_back(bytes);
  }
  return records;
}

// The same records by their first `key_length` bytes.
inline std::map<std::string, std::string> DumpRecordsByKey(const std::string& file,
                                                           std::size_t key_length) {
  std::map<std::string, std::string> records;
  for (std::string& record : DumpRecords(file)) {
    records[record.substr(0, key_length)] = std::move(record);
  }
  return records;
}

// The text amount of period p (1 to 13) of a budget record.
inline std::string BudgetTextAmount(const std::string& record, int period) {
  return record.substr(kBudgetTextAmounts + 13 * static_cast<std::size_t>(period - 1), 13);
}

// The amount of period p (1 to 13) of a budget record.
inline double BudgetAmount(const std::string& record, int period) {
  const std::size_t at = kBudgetDoubles + 8 * static_cast<std::size_t>(period - 1);
  std::uint64_t bits = 0;
  for (std::size_t i = 8; i-- > 0;) {
    bits = (bits << 8) | static_cast<unsigned char>(record.at(at + i));
  }
  return std::bit_cast<double>(bits);
}

}  // namespace r7::testing
