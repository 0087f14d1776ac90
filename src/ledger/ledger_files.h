// The ledger files that a company opens: the index by which each is opened, the slot of
// the company that holds it, its name, the mode it is opened in and its full key count.
// (platform-independent)
//
// One table serves everything that opens a ledger file or names one in a message: the
// company catalogue, the account iteration, the balance engine, the budget writer and the
// preload. The names and key counts come from the files' record-manager definitions
// (ledger_file_definitions.h), the same that create them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ledger/ledger_file_definitions.h"

namespace r7 {

// The ledger files a company keeps open, in slot order.
enum LedgerSlot {
  kAccountSlot = 0,      // glactfil
  kBalanceSlot = 1,      // glbalfil
  kComparativeSlot = 2,  // glcmpfil
  kBudgetSlot = 3,       // glbudfil
  kTransactionSlot = 4,  // gltrxfil
  kEntitySlot = 5,       // glentity
};
inline constexpr int kLedgerSlotCount = 6;

// The indexes by which the ledger files are opened.
enum LedgerFileIndex {
  kAccountFile = 0,
  kBalanceFile = 1,
  kBudgetFile = 2,
  kComparativeFile = 3,
  kEntityFile = 6,
  kBudgetFileForWrite = 7,  // the budget file, opened to be written
  kTransactionFile = 8,
};

struct LedgerFileInfo {
  int index;  // LedgerFileIndex
  LedgerSlot slot;
  ledger::LedgerFile file;
  int8_t mode;                 // the record manager's open mode
  std::string_view base_name;  // "glactfil"
  int16_t full_key_count;      // the keys of the full definition
};

// The file of an open index; null for an unknown index.
const LedgerFileInfo* FindLedgerFile(int index);

// The file's name in the company directory: "glactfil.btr".
std::string LedgerFileName(const LedgerFileInfo& file);

}  // namespace r7
