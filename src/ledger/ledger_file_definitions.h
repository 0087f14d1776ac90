// Record-manager definitions of the ledger files, the report layout file and the
// financial entities file: record length, page size and keys, as a Create needs them.
// (platform-independent)
//
// The key parts are the layouts' own fields (ledger_records.h, layout_record.h,
// entities_file_record.h), so a key extracts exactly what the key builders of
// ledger_keys.h put together. A file is created with its full key set unless asked for
// fewer keys; the first keys are kept, so a count of 1 gives key 0 only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace r7::ledger {

enum class LedgerFile {
  kAccounts,           // glactfil
  kBalances,           // glbalfil
  kComparatives,       // glcmpfil
  kBudgets,            // glbudfil
  kTransactions,       // gltrxfil
  kEntities,           // glentity
  kLayouts,            // gllayout
  kFinancialEntities,  // the driver's own entities file, "<company code>.sad"
};

inline constexpr LedgerFile kAllLedgerFiles[] = {
    LedgerFile::kAccounts, LedgerFile::kBalances,         LedgerFile::kComparatives,
    LedgerFile::kBudgets,  LedgerFile::kTransactions,     LedgerFile::kEntities,
    LedgerFile::kLayouts,  LedgerFile::kFinancialEntities};

// "glactfil" and so on; empty for the financial entities file, whose name is the company's.
std::string_view LedgerFileBaseName(LedgerFile file);
// The file of a base name, compared without regard to case.
std::optional<LedgerFile> LedgerFileByBaseName(std::string_view base_name);

// One part of a key: `offset` counts from 0; `type` is a record-manager extended type.
struct KeyPart {
  std::size_t offset;
  std::size_t length;
  std::uint8_t type;
};

struct KeyDefinition {
  std::vector<KeyPart> parts;
  bool duplicates = false;
  bool modifiable = false;
  bool case_insensitive = false;
};

struct FileDefinition {
  std::size_t record_length = 0;
  std::uint16_t page_size = 0;
  std::vector<KeyDefinition> keys;
};

// The number of keys of the file's full definition.
int FullKeyCount(LedgerFile file);

// The definition of `file` with its first `key_count` keys; nothing for a count outside
// 1..FullKeyCount.
std::optional<FileDefinition> LedgerFileDefinition(LedgerFile file, int key_count);
FileDefinition LedgerFileDefinition(LedgerFile file);

// The data buffer of a Create: the 16-byte file spec followed by one 16-byte key spec
// per key part, little-endian.
std::string EncodeCreateSpec(const FileDefinition& definition);

}  // namespace r7::ledger
