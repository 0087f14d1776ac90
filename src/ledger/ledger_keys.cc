// Key values of the ledger files. (platform-independent)
#include "ledger/ledger_keys.h"

#include <cstdio>

#include "common/text_util.h"
#include "ledger/entities_file_record.h"
#include "ledger/ledger_records.h"

namespace r7::ledger {
namespace {

// `text` cut or padded with `pad` to exactly `width` characters.
std::string Fixed(std::string_view text, std::size_t width, char pad = ' ') {
  std::string field(text.substr(0, width));
  field.resize(width, pad);
  return field;
}

std::string Account(std::string_view account_number) {
  return Fixed(account_number, kAccountNumberWidth);
}

std::string Int16Bytes(std::int16_t value) {
  auto bits = static_cast<std::uint16_t>(value);
  return {static_cast<char>(bits & 0xff), static_cast<char>(bits >> 8)};
}

}  // namespace

LedgerKey AccountFileKey(std::string_view account_number) {
  return {0, Account(account_number)};
}

LedgerKey AccountFileKey(std::string_view account_number, SegmentOrdering ordering, int key_count) {
  if (key_count < 3) ordering = SegmentOrdering::kMainFirst;
  return {static_cast<int>(ordering), OrderedAccountNumber(account_number, ordering)};
}

LedgerKey BalanceFileKey(std::string_view account_number, SegmentOrdering ordering, int key_count) {
  return AccountFileKey(account_number, ordering, key_count);
}

LedgerKey ComparativeFileKey(std::string_view account_number, std::string_view year,
                             SegmentOrdering ordering, int key_count) {
  std::string year_field = Fixed(year, glcmpfil::kYear.width);
  if (key_count < 4) return {0, Account(account_number) + year_field};
  return {static_cast<int>(ordering) + 1,
          year_field + OrderedAccountNumber(account_number, ordering)};
}

LedgerKey BudgetFileKey(std::string_view account_number, std::string_view year,
                        std::string_view revision_code, SegmentOrdering ordering, int key_count) {
  std::string year_field = Fixed(year, glbudfil::kYear.width);
  std::string revision = Fixed(revision_code, glbudfil::kRevisionCode.width);
  if (key_count < 4) return {0, Account(account_number) + year_field + revision};
  return {static_cast<int>(ordering) + 1,
          year_field + OrderedAccountNumber(account_number, ordering) + revision};
}

LedgerKey TransactionFileKey(std::string_view account_number, std::string_view date) {
  return {0, Account(account_number) + Fixed(date, gltrxfil::kDate.width)};
}

LedgerKey EntityFileKey(std::string_view code) {
  return {0, Fixed(ToUpperAscii(code.substr(0, glentity::kCodeWidth)), glentity::kCodeWidth)};
}

LedgerKey LayoutFileKey(int layout_number, int line_number) {
  if (layout_number < 0 || layout_number > 999 || line_number < 0 || line_number > 99999)
    return {0, ""};
  char key[16];
  std::snprintf(key, sizeof key, "%03d%05d", layout_number, line_number);
  return {0, key};
}

LedgerKey EntitiesFileValueKey(std::string_view value, std::int16_t segment_code) {
  return {0, Fixed(value, entities_file::kValueFirstPart.width) + Int16Bytes(segment_code)};
}

LedgerKey EntitiesFileSegmentKey(std::int16_t segment_code, std::string_view value) {
  return {1, Int16Bytes(segment_code) + Fixed(value, entities_file::kValueFirstPart.width)};
}

LedgerKey EntitiesFileNameKey(std::int16_t segment_code, std::string_view name) {
  return {2, Int16Bytes(segment_code) + Fixed(name.substr(0, entities_file::kMaxDescription),
                                              entities_file::kDescription.width, '\0')};
}

}  // namespace r7::ledger
