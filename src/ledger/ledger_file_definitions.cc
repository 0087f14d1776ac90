// Record-manager definitions of the ledger files. (platform-independent)
#include "ledger/ledger_file_definitions.h"

#include "common/text_util.h"
#include "ledger/entities_file_record.h"
#include "ledger/layout_record.h"
#include "ledger/ledger_records.h"
#include "wbtrv32.h"

namespace r7::ledger {
namespace {

constexpr KeyPart Text(TextField field) {
  return {field.offset, field.width, btr::kTypeString};
}

// The account number's fields in a segment ordering, as key parts.
std::vector<KeyPart> OrderedAccount(int ordering) {
  using namespace account_fields;
  switch (ordering) {
    case 1:
      return {Text(kProfitCenter), Text(kMain), Text(kDepartment)};
    case 2:
      return {Text(kDepartment), Text(kMain), Text(kProfitCenter)};
    default:
      return {Text(kAccountNumber)};
  }
}

std::vector<KeyPart> Join(std::vector<KeyPart> a, const std::vector<KeyPart>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

KeyDefinition Unique(std::vector<KeyPart> parts) {
  return {std::move(parts), false, false, false};
}
KeyDefinition Duplicates(std::vector<KeyPart> parts) {
  return {std::move(parts), true, false, false};
}

FileDefinition Accounts() {
  // Keys 1 and 2 serve the other segment orderings; key 3 finds accounts by description.
  return {glactfil::kRecordLength,
          1024,
          {Unique(OrderedAccount(0)), Unique(OrderedAccount(1)), Unique(OrderedAccount(2)),
           KeyDefinition{{Text(glactfil::kDescription)}, true, true, false}}};
}

FileDefinition Balances() {
  return {glbalfil::kRecordLength,
          4096,
          {Unique(OrderedAccount(0)), Unique(OrderedAccount(1)), Unique(OrderedAccount(2))}};
}

FileDefinition Comparatives() {
  std::vector<KeyPart> year = {Text(glcmpfil::kYear)};
  return {glcmpfil::kRecordLength,
          2048,
          {Unique({Text(account_fields::kAccountNumber), Text(glcmpfil::kYear)}),
           Unique(Join(year, OrderedAccount(0))), Unique(Join(year, OrderedAccount(1))),
           Unique(Join(year, OrderedAccount(2)))}};
}

FileDefinition Budgets() {
  std::vector<KeyPart> year = {Text(glbudfil::kYear)};
  std::vector<KeyPart> revision = {Text(glbudfil::kRevisionCode)};
  return {glbudfil::kRecordLength,
          2048,
          {Unique({Text(account_fields::kAccountNumber), Text(glbudfil::kYear),
                   Text(glbudfil::kRevisionCode)}),
           Unique(Join(Join(year, OrderedAccount(0)), revision)),
           Unique(Join(Join(year, OrderedAccount(1)), revision)),
           Unique(Join(Join(year, OrderedAccount(2)), revision))}};
}

FileDefinition Transactions() {
  // Many postings share an account and a day: they follow one another in the order of
  // posting.
  std::vector<KeyPart> date = {Text(gltrxfil::kDate)};
  return {gltrxfil::kRecordLength,
          1024,
          {Duplicates(Join(OrderedAccount(0), date)), Duplicates(Join(OrderedAccount(1), date)),
           Duplicates(Join(OrderedAccount(2), date))}};
}

FileDefinition Entities() {
  return {glentity::kRecordLength, 4096, {Unique({Text(glentity::kCode)})}};
}

FileDefinition Layouts() {
  return {gllayout::kRecordLength, 1024, {Unique({Text(gllayout::kKey)})}};
}

FileDefinition FinancialEntities() {
  KeyPart value = Text(entities_file::kValueFirstPart);
  KeyPart segment{entities_file::kSegmentCode.offset, 2, btr::kTypeInteger};
  KeyPart name{entities_file::kDescription.offset, entities_file::kDescription.width,
               btr::kTypeZstring};
  auto key = [](std::vector<KeyPart> parts) {
    return KeyDefinition{std::move(parts), true, true, true};
  };
  return {entities_file::kRecordLength,
          2048,
          {key({value, segment}), key({segment, value}), key({segment, name})}};
}

void PutLe16(std::string& out, std::size_t at, std::size_t value) {
  out[at] = static_cast<char>(value & 0xff);
  out[at + 1] = static_cast<char>((value >> 8) & 0xff);
}

}  // namespace

std::string_view LedgerFileBaseName(LedgerFile file) {
  switch (file) {
    case LedgerFile::kAccounts:
      return "glactfil";
    case LedgerFile::kBalances:
      return "glbalfil";
    case LedgerFile::kComparatives:
      return "glcmpfil";
    case LedgerFile::kBudgets:
      return "glbudfil";
    case LedgerFile::kTransactions:
      return "gltrxfil";
    case LedgerFile::kEntities:
      return "glentity";
    case LedgerFile::kLayouts:
      return "gllayout";
    case LedgerFile::kFinancialEntities:
      break;
  }
  return "";
}

std::optional<LedgerFile> LedgerFileByBaseName(std::string_view base_name) {
  for (LedgerFile file : kAllLedgerFiles) {
    std::string_view name = LedgerFileBaseName(file);
    if (!name.empty() && EqualsIgnoreCase(name, base_name)) return file;
  }
  return std::nullopt;
}

FileDefinition LedgerFileDefinition(LedgerFile file) {
  switch (file) {
    case LedgerFile::kAccounts:
      return Accounts();
    case LedgerFile::kBalances:
      return Balances();
    case LedgerFile::kComparatives:
      return Comparatives();
    case LedgerFile::kBudgets:
      return Budgets();
    case LedgerFile::kTransactions:
      return Transactions();
    case LedgerFile::kEntities:
      return Entities();
    case LedgerFile::kLayouts:
      return Layouts();
    case LedgerFile::kFinancialEntities:
      break;
  }
  return FinancialEntities();
}

int FullKeyCount(LedgerFile file) {
  return static_cast<int>(LedgerFileDefinition(file).keys.size());
}

std::optional<FileDefinition> LedgerFileDefinition(LedgerFile file, int key_count) {
  FileDefinition definition = LedgerFileDefinition(file);
  if (key_count < 1 || key_count > static_cast<int>(definition.keys.size())) return std::nullopt;
  definition.keys.resize(static_cast<std::size_t>(key_count));
  return definition;
}

std::string EncodeCreateSpec(const FileDefinition& definition) {
  std::size_t part_count = 0;
  for (const KeyDefinition& key : definition.keys) part_count += key.parts.size();
  std::string spec(btr::kFileSpecSize + btr::kKeySpecSize * part_count, '\0');
  PutLe16(spec, 0, definition.record_length);
  PutLe16(spec, 2, definition.page_size);
  spec[4] = static_cast<char>(definition.keys.size());
  std::size_t at = btr::kFileSpecSize;
  for (const KeyDefinition& key : definition.keys) {
    for (std::size_t i = 0; i < key.parts.size(); ++i, at += btr::kKeySpecSize) {
      const KeyPart& part = key.parts[i];
      std::uint16_t flags = btr::kKeyExtendedType;
      if (key.duplicates) flags |= btr::kKeyDuplicates;
      if (key.modifiable) flags |= btr::kKeyModifiable;
      if (key.case_insensitive && part.type != btr::kTypeInteger) flags |= btr::kKeyCaseInsensitive;
      if (i + 1 < key.parts.size()) flags |= btr::kKeySegmented;
      PutLe16(spec, at, part.offset + 1);
      PutLe16(spec, at + 2, part.length);
      PutLe16(spec, at + 4, flags);
      spec[at + 10] = static_cast<char>(part.type);
    }
  }
  return spec;
}

}  // namespace r7::ledger
