// Key values of the ledger files, as the driver builds them to read a file and as the
// files' key definitions (ledger_file_definitions.h) extract them from a record.
// (platform-independent)
//
// Account numbers are taken in their 24-character stored form (account_number.h); years
// are 4 digits, dates 8 digits YYYYMMDD, revision codes 2 digits (amount_text.h). Files
// that were created with only key 0 (a key count of 1) are read by key 0; with their full
// key set, the alternate keys serve the segment orderings.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ledger/account_number.h"

namespace r7::ledger {

// A key number and the key value to read it with.
struct LedgerKey {
  int key_number = 0;
  std::string value;
  bool operator==(const LedgerKey&) const = default;
};

// Chart of accounts, key 0: the account number.
LedgerKey AccountFileKey(std::string_view account_number);

// Chart of accounts by a segment ordering, as the balances below: keys 1 and 2 hold the
// profit-center-first and department-first orders.
LedgerKey AccountFileKey(std::string_view account_number, SegmentOrdering ordering, int key_count);

// Balances: key number = ordering, the account number in that ordering; ordering 0 only
// when the file's key count is below 3.
LedgerKey BalanceFileKey(std::string_view account_number, SegmentOrdering ordering, int key_count);

// Comparative balances: with a key count of 4, key number = ordering + 1 and the value is
// the year, then the account number in that ordering; otherwise key 0, the account number
// then the year.
LedgerKey ComparativeFileKey(std::string_view account_number, std::string_view year,
                             SegmentOrdering ordering, int key_count);

// Budgets: as the comparative balances, with the revision code after the account number.
LedgerKey BudgetFileKey(std::string_view account_number, std::string_view year,
                        std::string_view revision_code, SegmentOrdering ordering, int key_count);

// Transactions, key 0: the account number and the date. Key 0 allows duplicates, so this
// value finds the first posting of that account on that day.
LedgerKey TransactionFileKey(std::string_view account_number, std::string_view date);

// Entity definitions, key 0: the code upper-cased, cut to 5 characters, blank-padded.
LedgerKey EntityFileKey(std::string_view code);

// Report layouts, key 0: the layout number in 3 digits and the line number in 5. Numbers
// outside 0..999 and 0..99999 give an empty value.
LedgerKey LayoutFileKey(int layout_number, int line_number);

// Financial entities file. Key 0: value (30 characters, blank-padded) and segment code;
// key 1: segment code and value; key 2: segment code and name (51 characters, zero-filled).
// The segment code is a 16-bit little-endian integer.
LedgerKey EntitiesFileValueKey(std::string_view value, std::int16_t segment_code);
LedgerKey EntitiesFileSegmentKey(std::int16_t segment_code, std::string_view value);
LedgerKey EntitiesFileNameKey(std::int16_t segment_code, std::string_view name);

}  // namespace r7::ledger
