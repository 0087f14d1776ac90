// Record layouts of the ledger files that the accounting system keeps for each company:
// accounts, balances, comparative balances, budgets, transactions and entities.
// (platform-independent)
//
// Each file's fields are named once, in the namespace named after the file, with the
// offsets and widths at which the accounting system keeps them; bytes that no field
// covers belong to the accounting system and are not interpreted. The record classes
// below are typed accessors over a record image (see record_image.h): `...View` reads
// bytes the caller owns (for instance the record buffer of the last read), `...Image`
// also writes them. Accessors stay inside the bytes given, so a record cut short reads as
// blanks and zeros past its end instead of running over it.
//
// Amount texts are raw `AmountText` fields (amount_text.h converts them); period amounts
// are 13 doubles for periods 1 to 13, reached by a 1-based period number.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <type_traits>

#include "ledger/record_image.h"

namespace r7::ledger {

inline constexpr std::size_t kPeriodsPerRecord = 13;

// The account number that starts every account, balance, comparative, budget and
// transaction record.
namespace account_fields {
inline constexpr TextField kAccountNumber{0, 24};
inline constexpr TextField kMain{0, 8};
inline constexpr TextField kProfitCenter{8, 8};
inline constexpr TextField kDepartment{16, 8};
}  // namespace account_fields

// Chart of accounts: one record per account, and one per profit-center or department
// title (the other two fields "00000000").
namespace glactfil {
inline constexpr std::size_t kRecordLength = 170;
inline constexpr TextField kDescription{24, 30};
inline constexpr TextField kConsolidation{108, 24};
inline constexpr TextField kType{137, 1};  // "B" balance sheet, "P" profit and loss
inline constexpr TextField kSaf{138, 1};
inline constexpr TextField kTypical{139, 1};
}  // namespace glactfil

// Balances of the current fiscal year, one record per account. Period amounts are running
// values: balances for balance-sheet accounts, year-to-date totals for the others.
namespace glbalfil {
inline constexpr std::size_t kRecordLength = 1239;
inline constexpr TextField kOpening{24, 15};
inline constexpr DoubleArrayField kPeriods{999, kPeriodsPerRecord};
}  // namespace glbalfil

// Balances of earlier fiscal years, one record per account and year.
namespace glcmpfil {
inline constexpr std::size_t kRecordLength = 392;
inline constexpr TextField kYear{24, 4};
inline constexpr TextField kOpening{28, 15};
inline constexpr DoubleArrayField kPeriods{238, kPeriodsPerRecord};
}  // namespace glcmpfil

// Budgets, one record per account, year and revision. Period amounts are the figures of
// their own period, each also kept as a 13-character text amount.
namespace glbudfil {
inline constexpr std::size_t kRecordLength = 353;
inline constexpr TextField kYear{24, 4};
inline constexpr TextField kRevisionCode{28, 2};
inline constexpr std::size_t kTextAmountsOffset = 30;
inline constexpr std::size_t kTextAmountWidth = 13;
inline constexpr DoubleArrayField kPeriods{199, kPeriodsPerRecord};
inline constexpr TextField kReserved{303, 50};  // zeros in a record the driver creates
// The text amount of period `period` (1 to 13).
constexpr TextField TextAmount(std::size_t period) {
  return {kTextAmountsOffset + kTextAmountWidth * (period - 1), kTextAmountWidth};
}
}  // namespace glbudfil

// Transactions, one record per posting; debits zero or positive, credits negative.
namespace gltrxfil {
inline constexpr std::size_t kRecordLength = 95;
inline constexpr TextField kDate{24, 8};
inline constexpr TextField kId{32, 7};
inline constexpr TextField kAmount{39, 15};
inline constexpr TextField kSource{54, 10};
inline constexpr TextField kReference{64, 30};
inline constexpr TextField kFlag{94, 1};
}  // namespace gltrxfil

// Entity definitions: a code and up to 36 ranges of profit centers and departments. An
// entry whose four fields are all "0" characters, or all begin with a blank, ends the list.
namespace glentity {
inline constexpr std::size_t kEntryCount = 36;
inline constexpr std::size_t kEntriesOffset = 35;
inline constexpr std::size_t kEntryWidth = 32;
inline constexpr std::size_t kRecordLength = kEntriesOffset + kEntryWidth * kEntryCount;
inline constexpr TextField kCode{0, 5};
inline constexpr std::size_t kCodeWidth = 5;
// The four fields of an entry, in order: profit center from, department from, profit
// center to, department to.
enum EntryPart {
  kProfitCenterFrom = 0,
  kDepartmentFrom = 1,
  kProfitCenterTo = 2,
  kDepartmentTo = 3
};
constexpr TextField EntryField(std::size_t entry, int field) {
  return {kEntriesOffset + kEntryWidth * entry + 8 * static_cast<std::size_t>(field), 8};
}
}  // namespace glentity

// Shared base of the record classes: the image and, for the files that start with one,
// the account number.
template <typename Byte>
class RecordAccess {
 protected:
  static constexpr bool kWritable = !std::is_const_v<Byte>;
  explicit RecordAccess(std::span<Byte> bytes) : image_(bytes) {}
  BasicImage<Byte> image_;

 public:
  std::string_view bytes() const { return image_.bytes(); }
};

template <typename Byte>
class LedgerRecordAccess : public RecordAccess<Byte> {
 protected:
  using RecordAccess<Byte>::image_;
  using RecordAccess<Byte>::kWritable;
  explicit LedgerRecordAccess(std::span<Byte> bytes) : RecordAccess<Byte>(bytes) {}

 public:
  std::string_view account_number() const { return image_.Text(account_fields::kAccountNumber); }
  std::string_view main() const { return image_.Text(account_fields::kMain); }
  std::string_view profit_center() const { return image_.Text(account_fields::kProfitCenter); }
  std::string_view department() const { return image_.Text(account_fields::kDepartment); }
  // `value` is the 24-character stored account number (account_number.h).
  void set_account_number(std::string_view value) requires kWritable {
    image_.SetText(account_fields::kAccountNumber, value);
  }
};

template <typename Byte>
class BasicAccountRecord : public LedgerRecordAccess<Byte> {
  using LedgerRecordAccess<Byte>::image_;
  using LedgerRecordAccess<Byte>::kWritable;

 public:
  explicit BasicAccountRecord(std::span<Byte> bytes) : LedgerRecordAccess<Byte>(bytes) {}
  std::string_view description() const { return image_.Text(glactfil::kDescription); }
  std::string_view consolidation() const { return image_.Text(glactfil::kConsolidation); }
  std::string_view type() const { return image_.Text(glactfil::kType); }
  std::string_view saf() const { return image_.Text(glactfil::kSaf); }
  std::string_view typical() const { return image_.Text(glactfil::kTypical); }
  void set_description(std::string_view v) requires kWritable {
    image_.SetText(glactfil::kDescription, v);
  }
  void set_consolidation(std::string_view v) requires kWritable {
    image_.SetText(glactfil::kConsolidation, v);
  }
  void set_type(std::string_view v) requires kWritable { image_.SetText(glactfil::kType, v); }
  void set_saf(std::string_view v) requires kWritable { image_.SetText(glactfil::kSaf, v); }
  void set_typical(std::string_view v) requires kWritable { image_.SetText(glactfil::kTypical, v); }
};

template <typename Byte>
class BasicBalanceRecord : public LedgerRecordAccess<Byte> {
  using LedgerRecordAccess<Byte>::image_;
  using LedgerRecordAccess<Byte>::kWritable;

 public:
  explicit BasicBalanceRecord(std::span<Byte> bytes) : LedgerRecordAccess<Byte>(bytes) {}
  std::string_view opening() const { return image_.Text(glbalfil::kOpening); }
  double period(std::size_t p) const { return image_.Double(glbalfil::kPeriods, p - 1); }
  void set_opening(std::string_view v) requires kWritable { image_.SetText(glbalfil::kOpening, v); }
  void set_period(std::size_t p, double v) requires kWritable {
    image_.SetDouble(glbalfil::kPeriods, p - 1, v);
  }
};

template <typename Byte>
class BasicComparativeRecord : public LedgerRecordAccess<Byte> {
  using LedgerRecordAccess<Byte>::image_;
  using LedgerRecordAccess<Byte>::kWritable;

 public:
  explicit BasicComparativeRecord(std::span<Byte> bytes) : LedgerRecordAccess<Byte>(bytes) {}
  std::string_view year() const { return image_.Text(glcmpfil::kYear); }
  std::string_view opening() const { return image_.Text(glcmpfil::kOpening); }
  double period(std::size_t p) const { return image_.Double(glcmpfil::kPeriods, p - 1); }
  void set_year(std::string_view v) requires kWritable { image_.SetText(glcmpfil::kYear, v); }
  void set_opening(std::string_view v) requires kWritable { image_.SetText(glcmpfil::kOpening, v); }
  void set_period(std::size_t p, double v) requires kWritable {
    image_.SetDouble(glcmpfil::kPeriods, p - 1, v);
  }
};

template <typename Byte>
class BasicBudgetRecord : public LedgerRecordAccess<Byte> {
  using LedgerRecordAccess<Byte>::image_;
  using LedgerRecordAccess<Byte>::kWritable;

 public:
  explicit BasicBudgetRecord(std::span<Byte> bytes) : LedgerRecordAccess<Byte>(bytes) {}
  std::string_view year() const { return image_.Text(glbudfil::kYear); }
  std::string_view revision_code() const { return image_.Text(glbudfil::kRevisionCode); }
  std::string_view text_amount(std::size_t p) const { return image_.Text(glbudfil::TextAmount(p)); }
  double period(std::size_t p) const { return image_.Double(glbudfil::kPeriods, p - 1); }
  void set_year(std::string_view v) requires kWritable { image_.SetText(glbudfil::kYear, v); }
  void set_revision_code(std::string_view v) requires kWritable {
    image_.SetText(glbudfil::kRevisionCode, v);
  }
  void set_text_amount(std::size_t p, std::string_view v) requires kWritable {
    if (p >= 1 && p <= kPeriodsPerRecord) image_.SetText(glbudfil::TextAmount(p), v);
  }
  void set_period(std::size_t p, double v) requires kWritable {
    image_.SetDouble(glbudfil::kPeriods, p - 1, v);
  }
  void clear_reserved() requires kWritable { image_.SetText(glbudfil::kReserved, {}, '\0'); }
};

template <typename Byte>
class BasicTransactionRecord : public LedgerRecordAccess<Byte> {
  using LedgerRecordAccess<Byte>::image_;
  using LedgerRecordAccess<Byte>::kWritable;

 public:
  explicit BasicTransactionRecord(std::span<Byte> bytes) : LedgerRecordAccess<Byte>(bytes) {}
  std::string_view date() const { return image_.Text(gltrxfil::kDate); }
  std::string_view id() const { return image_.Text(gltrxfil::kId); }
  std::string_view amount() const { return image_.Text(gltrxfil::kAmount); }
  std::string_view source() const { return image_.Text(gltrxfil::kSource); }
  std::string_view reference() const { return image_.Text(gltrxfil::kReference); }
  std::string_view flag() const { return image_.Text(gltrxfil::kFlag); }
  void set_date(std::string_view v) requires kWritable { image_.SetText(gltrxfil::kDate, v); }
  void set_id(std::string_view v) requires kWritable { image_.SetText(gltrxfil::kId, v); }
  void set_amount(std::string_view v) requires kWritable { image_.SetText(gltrxfil::kAmount, v); }
  void set_source(std::string_view v) requires kWritable { image_.SetText(gltrxfil::kSource, v); }
  void set_reference(std::string_view v) requires kWritable {
    image_.SetText(gltrxfil::kReference, v);
  }
  void set_flag(std::string_view v) requires kWritable { image_.SetText(gltrxfil::kFlag, v); }
};

template <typename Byte>
class BasicEntityRecord : public RecordAccess<Byte> {
  using RecordAccess<Byte>::image_;
  using RecordAccess<Byte>::kWritable;

 public:
  explicit BasicEntityRecord(std::span<Byte> bytes) : RecordAccess<Byte>(bytes) {}
  std::string_view code() const { return image_.Text(glentity::kCode); }
  // Field `field` (glentity::EntryField) of entry `entry` (0 to 35); empty past the end.
  std::string_view entry_field(std::size_t entry, int field) const {
    if (entry >= glentity::kEntryCount) return {};
    return image_.Text(glentity::EntryField(entry, field));
  }
  void set_code(std::string_view v) requires kWritable { image_.SetText(glentity::kCode, v); }
  void set_entry_field(std::size_t entry, int field, std::string_view v) requires kWritable {
    if (entry < glentity::kEntryCount) image_.SetText(glentity::EntryField(entry, field), v);
  }
};

using AccountRecordView = BasicAccountRecord<const char>;
using AccountRecordImage = BasicAccountRecord<char>;
using BalanceRecordView = BasicBalanceRecord<const char>;
using BalanceRecordImage = BasicBalanceRecord<char>;
using ComparativeRecordView = BasicComparativeRecord<const char>;
using ComparativeRecordImage = BasicComparativeRecord<char>;
using BudgetRecordView = BasicBudgetRecord<const char>;
using BudgetRecordImage = BasicBudgetRecord<char>;
using TransactionRecordView = BasicTransactionRecord<const char>;
using TransactionRecordImage = BasicTransactionRecord<char>;
using EntityRecordView = BasicEntityRecord<const char>;
using EntityRecordImage = BasicEntityRecord<char>;

}  // namespace r7::ledger
