// The ledger files that a company opens. (platform-independent)
#include "ledger/ledger_files.h"

#include <array>

#include "recordmgr/record_manager.h"

namespace r7 {
namespace {

using ledger::LedgerFile;

struct OpenedFile {
  int index;
  LedgerSlot slot;
  LedgerFile file;
  int8_t mode;
};

constexpr std::array<OpenedFile, 7> kOpenedFiles = {{
    {kAccountFile, kAccountSlot, LedgerFile::kAccounts, btr::kModeReadOnly},
    {kBalanceFile, kBalanceSlot, LedgerFile::kBalances, btr::kModeReadOnly},
    {kBudgetFile, kBudgetSlot, LedgerFile::kBudgets, btr::kModeReadOnly},
    {kComparativeFile, kComparativeSlot, LedgerFile::kComparatives, btr::kModeReadOnly},
    {kEntityFile, kEntitySlot, LedgerFile::kEntities, btr::kModeReadOnly},
    {kBudgetFileForWrite, kBudgetSlot, LedgerFile::kBudgets, btr::kModeNormal},
    {kTransactionFile, kTransactionSlot, LedgerFile::kTransactions, btr::kModeReadOnly},
}};

// Names and key counts are read from the definitions once.
const std::array<LedgerFileInfo, kOpenedFiles.size()>& Table() {
  static const auto table = [] {
    std::array<LedgerFileInfo, kOpenedFiles.size()> infos{};
    for (std::size_t i = 0; i < kOpenedFiles.size(); ++i) {
      const OpenedFile& opened = kOpenedFiles[i];
      infos[i] = {opened.index,
                  opened.slot,
                  opened.file,
                  opened.mode,
                  ledger::LedgerFileBaseName(opened.file),
                  static_cast<int16_t>(ledger::FullKeyCount(opened.file))};
    }
    return infos;
  }();
  return table;
}

}  // namespace

const LedgerFileInfo* FindLedgerFile(int index) {
  for (const LedgerFileInfo& info : Table()) {
    if (info.index == index) return &info;
  }
  return nullptr;
}

std::string LedgerFileName(const LedgerFileInfo& file) {
  return std::string(file.base_name) + ".btr";
}

}  // namespace r7
