// The yardstick: a worksheet cell summed by direct SQL on the record manager's SQLite
// files (table `records(position, data)`, one table `key_N(image, seq, position)` per key),
// as a user who knows the record layouts and keys could write it instead of calling the
// driver. Each sum reads the key range that fits the cell: the main-account key when the
// main account is fixed or a range, else the profit-center-first or department-first key
// when that segment is fixed, else every record.
#pragma once

#include <sqlite3.h>

#include <map>
#include <string>

#include "paths/company_facts.h"
#include "paths/worksheet.h"

namespace r7::bench {

// One ledger file, read only, with its key range statements prepared once.
class SqlFile {
 public:
  explicit SqlFile(const std::string& path);
  ~SqlFile();
  SqlFile(const SqlFile&) = delete;
  SqlFile& operator=(const SqlFile&) = delete;

  bool ok() const { return db_ != nullptr; }
  // Visits the records whose image in key `key` lies in [lo, hi); every record for an
  // empty `lo` and `hi`, or when the file lacks the key.
  template <typename Visit>
  void Scan(int key, const std::string& lo, const std::string& hi, Visit visit);

 private:
  sqlite3_stmt* Statement(int key);

  sqlite3* db_ = nullptr;
  std::map<int, sqlite3_stmt*> statements_;  // key -1: the whole file
};

class Yardstick {
 public:
  Yardstick(const std::string& company_dir, const CompanyFacts& facts);
  bool ok() const { return balances_.ok() && comparatives_.ok() && budgets_.ok(); }
  // The driver's amount of the cell.
  double Sum(const Cell& cell);

 private:
  const CompanyFacts& facts_;
  const std::string this_year_, last_year_;
  SqlFile balances_, comparatives_, budgets_;
};

template <typename Visit>
void SqlFile::Scan(int key, const std::string& lo, const std::string& hi, Visit visit) {
  bool whole = lo.empty() && hi.empty();
  sqlite3_stmt* stmt = whole ? nullptr : Statement(key);
  if (stmt == nullptr) {
    whole = true;
    stmt = Statement(-1);
  }
  if (stmt == nullptr) return;
  sqlite3_reset(stmt);
  if (!whole) {
    sqlite3_bind_blob(stmt, 1, lo.data(), static_cast<int>(lo.size()), SQLITE_STATIC);
    sqlite3_bind_blob(stmt, 2, hi.data(), static_cast<int>(hi.size()), SQLITE_STATIC);
  }
  while (sqlite3_step(stmt) == SQLITE_ROW) {
    visit(static_cast<const char*>(sqlite3_column_blob(stmt, 0)),
          static_cast<std::size_t>(sqlite3_column_bytes(stmt, 0)));
  }
  sqlite3_reset(stmt);
}

}  // namespace r7::bench
