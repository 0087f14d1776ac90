// Direct SQL sums of worksheet cells.
#include "paths/yardstick.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace r7::bench {
namespace {

// Record layouts, as the accounting system keeps them.
constexpr std::size_t kNumberWidth = 3 * kSegmentWidth;
constexpr std::size_t kBalanceOpening = 24;  // 14 digits, 2 of them decimals, then the sign
constexpr std::size_t kBalancePeriods = 999;
constexpr std::size_t kComparativeYear = 24;
constexpr std::size_t kComparativePeriods = 238;
constexpr std::size_t kBudgetYear = 24;
constexpr std::size_t kBudgetRevision = 28;
constexpr std::size_t kBudgetPeriods = 199;
constexpr char kRevisionOneCode[] = "99";  // revisions are kept as 100 minus the revision

// The segment orders of the account number in the keys: main first (key 0 of the balances,
// after the year in key 1 of the comparatives and budgets), profit center first, department
// first.
constexpr std::array<std::array<int, 3>, 3> kOrderings = {{{0, 1, 2}, {1, 0, 2}, {2, 0, 1}}};

// The ordering whose key range fits the selection best: fixed segments lead; nothing fixed
// but a main-account range still bounds the main-first key.
int OrderingFor(const Selection& s) {
  if (s.segments[0].kind == SegmentTest::kExact) return 0;
  if (s.segments[1].kind == SegmentTest::kExact) return 1;
  if (s.segments[2].kind == SegmentTest::kExact) return 2;
  return 0;
}

// The key range [lo, hi) of the selection after `prefix` in the ordering; both empty when
// the key bounds nothing.
void KeyRange(const Selection& s, int ordering, const std::string& prefix, std::string* lo,
              std::string* hi) {
  *lo = *hi = prefix;
  for (int segment : kOrderings[ordering]) {
    const SegmentTest& test = s.segments[segment];
    if (test.kind != SegmentTest::kExact && test.kind != SegmentTest::kRange) break;
    *lo += test.from;
    *hi += test.to;
    if (test.kind == SegmentTest::kRange) break;
  }
  if (lo->empty()) return;
  *hi += '\xff';  // every image that starts with the upper bound
}

double Figure(const char* record, std::size_t size, std::size_t offset, int period) {
  double value = 0;
  const std::size_t at = offset + 8 * static_cast<std::size_t>(period - 1);
  if (period >= 1 && at + 8 <= size) std::memcpy(&value, record + at, 8);
  return value;
}

double OpeningOf(const char* record, std::size_t size) {
  if (size < kBalanceOpening + 15) return 0;
  long long cents = 0;
  for (std::size_t i = 0; i < 14; ++i) {
    const char c = record[kBalanceOpening + i];
    if (c >= '0' && c <= '9') cents = cents * 10 + (c - '0');
  }
  const double amount = static_cast<double>(cents) / 100.0;
  return record[kBalanceOpening + 14] == '-' ? -amount : amount;
}

// Running figures (balances, or year-to-date totals) to the window's amount: a balance
// sheet's balance at the window's end, an income statement's change over the window. This
// year's figures stop at the current period: later periods carry no activity.
double RunningAmount(const char* r, std::size_t n, std::size_t periods, const Column& column,
                     bool balance_sheet, int last_period, double opening) {
  const int to = std::min(column.to, last_period);
  if (balance_sheet) return Figure(r, n, periods, to);
  if (column.from > last_period) return 0;
  const double before = column.from == 1 ? opening : Figure(r, n, periods, column.from - 1);
  return Figure(r, n, periods, to) - before;
}

}  // namespace

SqlFile::SqlFile(const std::string& path) {
  if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    sqlite3_close(db_);
    db_ = nullptr;
  }
}

SqlFile::~SqlFile() {
  for (auto& [key, stmt] : statements_) sqlite3_finalize(stmt);
  sqlite3_close(db_);
}

sqlite3_stmt* SqlFile::Statement(int key) {
  if (auto found = statements_.find(key); found != statements_.end()) return found->second;
  const std::string table = "key_" + std::to_string(key);
  const std::string sql = key < 0 ? "SELECT data FROM records"
                                  : "SELECT r.data FROM " + table +
                                        " k JOIN records r ON r.position = k.position" +
                                        " WHERE k.image >= ?1 AND k.image < ?2";
  sqlite3_stmt* stmt = nullptr;
  if (db_ == nullptr || sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
    sqlite3_finalize(stmt);
    stmt = nullptr;
  }
  statements_[key] = stmt;
  return stmt;
}

Yardstick::Yardstick(const std::string& company_dir, const CompanyFacts& facts)
    : facts_(facts),
      this_year_(std::to_string(facts.fiscal_year)),
      last_year_(std::to_string(facts.fiscal_year - 1)),
      balances_(company_dir + "/glbalfil.btr"),
      comparatives_(company_dir + "/glcmpfil.btr"),
      budgets_(company_dir + "/glbudfil.btr") {}

double Yardstick::Sum(const Cell& cell) {
  const Row& row = *cell.row;
  const Column& column = *cell.column;
  const bool balance_sheet = row.read_as_balance_sheet;
  const int ordering = OrderingFor(row.selection);
  double total = 0;
  std::string lo, hi;
  switch (column.source) {
    case Source::kBalances:
      KeyRange(row.selection, ordering, "", &lo, &hi);
      balances_.Scan(ordering, lo, hi, [&](const char* r, std::size_t n) {
        if (n < kNumberWidth || !row.selection.Matches({r, kNumberWidth}, facts_.segment_lengths))
          return;
        total += RunningAmount(r, n, kBalancePeriods, column, balance_sheet, facts_.current_period,
                               OpeningOf(r, n));
      });
      break;
    case Source::kLastYear:
      KeyRange(row.selection, ordering, last_year_, &lo, &hi);
      comparatives_.Scan(1 + ordering, lo, hi, [&](const char* r, std::size_t n) {
        if (n < kComparativeYear + 4 ||
            std::memcmp(r + kComparativeYear, last_year_.data(), 4) != 0 ||
            !row.selection.Matches({r, kNumberWidth}, facts_.segment_lengths))
          return;
        total +=
            RunningAmount(r, n, kComparativePeriods, column, balance_sheet, facts_.period_count, 0);
      });
      break;
    case Source::kBudget:  // figures of their own period
      KeyRange(row.selection, ordering, this_year_, &lo, &hi);
      budgets_.Scan(1 + ordering, lo, hi, [&](const char* r, std::size_t n) {
        if (n < kBudgetRevision + 2 || std::memcmp(r + kBudgetYear, this_year_.data(), 4) != 0 ||
            std::memcmp(r + kBudgetRevision, kRevisionOneCode, 2) != 0 ||
            !row.selection.Matches({r, kNumberWidth}, facts_.segment_lengths))
          return;
        for (int p = column.from; p <= column.to; ++p) total += Figure(r, n, kBudgetPeriods, p);
      });
      break;
  }
  return total;
}

}  // namespace r7::bench
