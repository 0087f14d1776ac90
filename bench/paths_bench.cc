// Balance calls of one worksheet, timed three ways on synthetic companies of several sizes:
// the engine reading the ledger files, the engine answered by the preload cache, and the
// same sums taken straight from the record manager's SQLite files (the yardstick a user
// could pick instead of the driver).
//
// Companies are built once with `r7-ledger synth` and kept in R7_BENCH_DIR (default
// /tmp/r7_bench_companies); R7_BENCH_LARGE=1 adds a company of about fifty thousand
// accounts. The program prints, per size, calls per second of each path, their ratios,
// the preload's load time and resident memory, and microseconds per call by how many
// accounts a call matches.
#include <fnmatch.h>
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/driver.h"
#include "host/ledger_services.h"
#include "platform/platform.h"
#include "platform/posix/profile_store_posix.h"
#include "preload/cache_lookup.h"
#include "preload/data_preload.h"
#include "preload/preload_settings.h"
#include "specifiers/period_parser.h"

namespace r7::bench {
namespace {

using Clock = std::chrono::steady_clock;

struct Size {
  const char* label;
  int main_accounts;  // times 5 profit centers times 4 departments
  int transactions;
};

// Where a yardstick sum is read: this year's balances, last year's comparatives, budgets.
enum class Source { kBalances, kLastYear, kBudget };

// A worksheet cell: the driver's request and the same request spelled for direct SQL.
struct Cell {
  std::string specifier;
  std::string periods;
  bool narrow;  // matches at most a handful of accounts
  // For SQL: main account bounds, segment patterns (fnmatch on the unpadded number).
  int main_lo, main_hi;
  std::string pc_pattern, dept_pattern;
  Source source;
  int from, to;  // period window, 1-based; running values: to minus before-from
};

std::vector<Cell> Worksheet(int main_hi) {
  const int top = 1000 + main_hi;  // synth numbers main accounts upward from 1000
  std::vector<Cell> cells;
  struct Phrase {
    const char* text;
    Source source;
    int from, to;
  };
  const Phrase phrases[] = {
      {"Month", Source::kBalances, 5, 5},      {"Month 3", Source::kBalances, 3, 3},
      {"Quarter 2", Source::kBalances, 4, 6},  {"Month Year To Date", Source::kBalances, 1, 5},
      {"Year", Source::kBalances, 1, 12},      {"Last Year", Source::kLastYear, 1, 12},
      {"Month Budget", Source::kBudget, 5, 5}, {"Year Budget", Source::kBudget, 1, 12},
  };
  struct Accounts {
    std::string specifier;
    bool narrow;
    int lo, hi;
    const char *pc, *dept;
  };
  const std::string mid = std::to_string(1000 + main_hi / 2);
  const Accounts accounts[] = {
      {"1000-10-100", true, 1000, 1000, "10", "100"},
      {mid + "-11-110", true, 1000 + main_hi / 2, 1000 + main_hi / 2, "11", "110"},
      {"1001-*-*", true, 1001, 1001, "*", "*"},
      {"1000..1004-*-*", false, 1000, 1004, "*", "*"},
      {"1000.." + std::to_string(top) + "-10-*", false, 1000, top, "10", "*"},
      {"*-*-110", false, 0, 99999999, "*", "110"},
      {"*-1?-12*", false, 0, 99999999, "1?", "12*"},
      {"*-*-*", false, 0, 99999999, "*", "*"},
  };
  for (const Accounts& a : accounts) {
    for (const Phrase& p : phrases) {
      cells.push_back(
          {a.specifier, p.text, a.narrow, a.lo, a.hi, a.pc, a.dept, p.source, p.from, p.to});
    }
  }
  return cells;
}

long ResidentKiB() {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

std::string ProgramDirectory() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

// Builds the company once; a finished build leaves a marker so an interrupted one is redone.
std::string CompanyOf(const std::string& cache, const Size& size) {
  const std::string dir = cache + "/" + size.label;
  if (std::filesystem::exists(dir + "/done")) return dir;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  std::printf("building the %s company (synth, may take minutes)...\n", size.label);
  std::fflush(stdout);
  const std::string command = "'" + ProgramDirectory() + "/r7-ledger' synth --main-accounts " +
                              std::to_string(size.main_accounts) +
                              " --profit-centers 5 --departments 4 --years 2 --transactions " +
                              std::to_string(size.transactions) + " '" + dir + "/sys' >/dev/null";
  if (std::system(command.c_str()) != 0) return {};
  std::ofstream(dir + "/done") << "ok\n";
  return dir;
}

// The yardstick: ledger records of a key range straight from a record manager's SQLite file.
class SqlFile {
 public:
  explicit SqlFile(const std::string& path) {
    sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_prepare_v2(db_,
                       "SELECT r.data FROM key_0 k JOIN records r ON r.position = k.position"
                       " WHERE k.image >= ?1 AND k.image < ?2 ORDER BY k.image",
                       -1, &stmt_, nullptr);
  }
  ~SqlFile() {
    sqlite3_finalize(stmt_);
    sqlite3_close(db_);
  }
  bool ok() const { return stmt_ != nullptr; }
  template <typename Visit>
  void Scan(const std::string& lo, const std::string& hi, Visit visit) {
    sqlite3_reset(stmt_);
    sqlite3_bind_blob(stmt_, 1, lo.data(), static_cast<int>(lo.size()), SQLITE_STATIC);
    sqlite3_bind_blob(stmt_, 2, hi.data(), static_cast<int>(hi.size()), SQLITE_STATIC);
    while (sqlite3_step(stmt_) == SQLITE_ROW) {
      visit(static_cast<const unsigned char*>(sqlite3_column_blob(stmt_, 0)),
            static_cast<std::size_t>(sqlite3_column_bytes(stmt_, 0)));
    }
  }

 private:
  sqlite3* db_ = nullptr;
  sqlite3_stmt* stmt_ = nullptr;
};

std::string Padded(int number) {
  char text[16];
  std::snprintf(text, sizeof text, "%08d", number);
  return text;
}

bool SegmentMatches(const unsigned char* field, const std::string& pattern) {
  std::string number(reinterpret_cast<const char*>(field), 8);
  std::size_t first = number.find_first_not_of('0');
  number = first == std::string::npos ? "0" : number.substr(first);
  return fnmatch(pattern.c_str(), number.c_str(), 0) == 0;
}

double PeriodAmount(const unsigned char* record, std::size_t size, std::size_t offset, int period) {
  double value = 0;
  const std::size_t at = offset + 8 * static_cast<std::size_t>(period - 1);
  if (period >= 1 && at + 8 <= size) std::memcpy(&value, record + at, 8);
  return value;
}

struct Yardstick {
  SqlFile balances, comparatives, budgets;
  explicit Yardstick(const std::string& company)
      : balances(company + "/glbalfil.btr"),
        comparatives(company + "/glcmpfil.btr"),
        budgets(company + "/glbudfil.btr") {}

  double Sum(const Cell& cell) {
    const std::string lo = Padded(cell.main_lo);
    const std::string hi = Padded(cell.main_hi + 1);
    double total = 0;
    auto visit = [&](const unsigned char* r, std::size_t n) {
      if (n < 24 || !SegmentMatches(r + 8, cell.pc_pattern) ||
          !SegmentMatches(r + 16, cell.dept_pattern))
        return;
      switch (cell.source) {
        case Source::kBalances:  // running values
          total += PeriodAmount(r, n, 999, cell.to) - PeriodAmount(r, n, 999, cell.from - 1);
          break;
        case Source::kLastYear:
          if (n >= 28 && std::memcmp(r + 24, "2001", 4) == 0)
            total += PeriodAmount(r, n, 238, cell.to) - PeriodAmount(r, n, 238, cell.from - 1);
          break;
        case Source::kBudget:  // figures of their own period
          if (n >= 28 && std::memcmp(r + 24, "2002", 4) == 0)
            for (int p = cell.from; p <= cell.to; ++p) total += PeriodAmount(r, n, 199, p);
          break;
      }
    };
    SqlFile& file = cell.source == Source::kBalances   ? balances
                    : cell.source == Source::kLastYear ? comparatives
                                                       : budgets;
    file.Scan(lo, hi, visit);
    return total;
  }
};

// A driver over one company, with the real record manager and R7.INI in a private directory.
struct Session {
  platform::posix::PosixProfileStore profiles;
  platform::Platform platform;
  std::unique_ptr<Driver> driver;
  std::unique_ptr<LedgerServices> services;
  std::unique_ptr<preload::CacheLookup> lookup;
  std::string period_text;

  explicit Session(const std::string& dir)
      : profiles(dir), platform(WithProfiles(profiles, platform::DefaultPlatform())) {
    profiles.WriteText("R7.INI", "R7 for Tessary", "System Directory", dir + "/sys");
    profiles.WriteText("R7.INI", "R7 for Tessary", "Company", "SYNTH");
    profiles.WriteText("R7.INI", "R7 for Tessary", "Current Year", "2002");
    profiles.WriteText("R7.INI", "R7 for Tessary", "NA Label", "0");
    driver = std::make_unique<Driver>(platform);
    driver->Call(125, "", nullptr);
    services = std::make_unique<LedgerServices>(LedgerServicesOf(*driver));
    lookup = std::make_unique<preload::CacheLookup>(
        *services, [this] { return driver->usage_tracking(); }, &driver->segment_collector());
  }
  ~Session() {
    driver->SetPreload(nullptr);
    driver->Cleanup();
  }
  static platform::Platform WithProfiles(platform::ProfileStore& profiles, platform::Platform& p) {
    return {profiles, p.files, p.libraries, p.locale, p.clipboard, p.message_boxes,
            p.debug,  p.clock, p.input,     p.help,   p.ui};
  }
  CompanyContext* Company() { return driver->companies().FindCompany("SYNTH"); }

  int Preload(bool budget) {
    CompanyContext* company = Company();
    if (company == nullptr) return -1;
    preload::PreloadSettings& s = preload::PreloadOf(*company);
    s.load_this_year = !budget;
    s.load_last_year = !budget;
    s.load_budget = budget;
    AccountRequest request = MakeAccountRequest("*-*-*", "2002", "1");
    request.budget = budget;
    return preload::DataPreLoad(*services, *company, request, nullptr, 1, 2);
  }

  int Compute(const Cell& cell, bool cached, double* total) {
    driver->SetPreload(cached ? static_cast<PreloadLookup*>(lookup.get()) : nullptr);
    PeriodList list;
    period_text = cell.periods;
    if (!ParsePeriodSpecifier(period_text, &list).ok()) return -12345;
    AccountRequest request = MakeAccountRequest(cell.specifier, "2002", "1", kRangeAllSegments);
    int code =
        ComputeBalance(total, BalanceCollaboratorsOf(*driver, *services), "SYNTH", request, list);
    driver->errors().Clear();
    return code;
  }
};

// Runs the cells repeatedly for at least `budget_seconds`; answers microseconds per call.
double MicrosPerCall(const std::vector<const Cell*>& cells,
                     const std::function<void(const Cell&)>& call, double budget_seconds) {
  std::size_t calls = 0;
  const auto start = Clock::now();
  double elapsed = 0;
  do {
    for (const Cell* cell : cells) call(*cell);
    calls += cells.size();
    elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  } while (elapsed < budget_seconds);
  return elapsed * 1e6 / static_cast<double>(calls);
}

struct Row {
  std::string label;
  double file_us[2], preload_us[2], sql_us[2];  // narrow, wide
  double all_file, all_preload, all_sql;        // calls per second over the whole worksheet
};

int Run() {
  const char* cache_env = std::getenv("R7_BENCH_DIR");
  const std::string cache = cache_env ? cache_env : "/tmp/r7_bench_companies";
  const char* seconds_env = std::getenv("R7_BENCH_SECONDS");
  const double seconds = seconds_env ? std::atof(seconds_env) : 0.5;
  std::vector<Size> sizes = {{"1k", 50, 20000}, {"10k", 500, 40000}};
  if (const char* large = std::getenv("R7_BENCH_LARGE"); large && *large == '1')
    sizes.push_back({"50k", 2500, 80000});

  std::vector<Row> rows;
  for (const Size& size : sizes) {
    const std::string dir = CompanyOf(cache, size);
    if (dir.empty()) {
      std::fprintf(stderr, "r7-ledger synth failed for %s\n", size.label);
      return 1;
    }
    Session session(dir);
    if (session.Company() == nullptr) {
      std::fprintf(stderr, "company SYNTH did not open in %s\n", dir.c_str());
      return 1;
    }
    Yardstick sql(dir + "/sys/SYNTH");
    const std::vector<Cell> cells = Worksheet(size.main_accounts - 1);
    std::vector<const Cell*> narrow, wide, all;
    for (const Cell& c : cells) {
      (c.narrow ? narrow : wide).push_back(&c);
      all.push_back(&c);
    }
    double sink = 0;
    auto file = [&](const Cell& c) {
      double t = 0;
      session.Compute(c, false, &t);
      sink += t;
    };
    auto cached = [&](const Cell& c) {
      double t = 0;
      session.Compute(c, true, &t);
      sink += t;
    };
    auto direct = [&](const Cell& c) { sink += sql.Sum(c); };

    Row row{size.label, {}, {}, {}, 0, 0, 0};
    row.file_us[0] = MicrosPerCall(narrow, file, seconds);
    row.file_us[1] = MicrosPerCall(wide, file, seconds);
    row.sql_us[0] = MicrosPerCall(narrow, direct, seconds);
    row.sql_us[1] = MicrosPerCall(wide, direct, seconds);

    const long before = ResidentKiB();
    const auto load_start = Clock::now();
    const int actual = session.Preload(false);
    const double actual_s = std::chrono::duration<double>(Clock::now() - load_start).count();
    const auto budget_start = Clock::now();
    const int budget = session.Preload(true);
    const double budget_s = std::chrono::duration<double>(Clock::now() - budget_start).count();
    const long grown = ResidentKiB() - before;

    // The cells the cache declines go to the files; they are listed and timed apart.
    std::vector<const Cell*> answered;
    std::string declined;
    for (const Cell& c : cells) {
      const std::size_t hits_before = session.lookup->hits();
      cached(c);
      if (session.lookup->hits() > hits_before) {
        answered.push_back(&c);
      } else {
        declined += " [" + c.specifier + " / " + c.periods + "]";
      }
    }
    const std::size_t hits = answered.size();
    row.preload_us[0] = MicrosPerCall(narrow, cached, seconds);
    row.preload_us[1] = MicrosPerCall(wide, cached, seconds);
    row.all_file = 1e6 / MicrosPerCall(all, file, seconds);
    row.all_sql = 1e6 / MicrosPerCall(all, direct, seconds);
    row.all_preload = 1e6 / MicrosPerCall(all, cached, seconds);

    std::printf(
        "\n== %s company (%d main accounts x 5 profit centers x 4 departments = %d accounts)\n",
        size.label, size.main_accounts, size.main_accounts * 20);
    std::printf(
        "preload *-*-* this+last year: code %d, %.3f s; budgets: code %d, %.3f s;"
        " resident growth %ld KiB\n",
        actual, actual_s, budget, budget_s, grown);
    std::printf("worksheet: %zu cells, %zu answered by the cache\n", cells.size(), hits);
    std::printf("%-10s %14s %14s %14s\n", "path", "calls/s", "us/call narrow", "us/call wide");
    std::printf("%-10s %14.0f %14.1f %14.1f\n", "file", row.all_file, row.file_us[0],
                row.file_us[1]);
    std::printf("%-10s %14.0f %14.1f %14.1f\n", "preload", row.all_preload, row.preload_us[0],
                row.preload_us[1]);
    std::printf("%-10s %14.0f %14.1f %14.1f\n", "sql", row.all_sql, row.sql_us[0], row.sql_us[1]);
    if (!answered.empty()) {
      const double hit_file = 1e6 / MicrosPerCall(answered, file, seconds);
      const double hit_preload = 1e6 / MicrosPerCall(answered, cached, seconds);
      const double hit_sql = 1e6 / MicrosPerCall(answered, direct, seconds);
      std::printf(
          "cells the cache answers: file %.0f, preload %.0f, sql %.0f calls/s;"
          " preload/file %.1fx, preload/sql %.1fx\n",
          hit_file, hit_preload, hit_sql, hit_preload / hit_file, hit_preload / hit_sql);
    }
    std::printf("declined by the cache:%s\n", declined.empty() ? " none" : declined.c_str());
    std::printf("whole worksheet ratios: preload/file %.1fx, preload/sql %.1fx  (checksum %g)\n",
                row.all_preload / row.all_file, row.all_preload / row.all_sql, sink);
    std::fflush(stdout);
    rows.push_back(row);
  }

  std::printf("\n== growth of us/call against the %s company (narrow = a few accounts matched)\n",
              rows.front().label.c_str());
  std::printf("%-6s %12s %12s %12s %12s %12s %12s\n", "size", "file narrow", "file wide",
              "preload nar", "preload wide", "sql narrow", "sql wide");
  for (const Row& r : rows) {
    const Row& b = rows.front();
    std::printf("%-6s %11.2fx %11.2fx %11.2fx %11.2fx %11.2fx %11.2fx\n", r.label.c_str(),
                r.file_us[0] / b.file_us[0], r.file_us[1] / b.file_us[1],
                r.preload_us[0] / b.preload_us[0], r.preload_us[1] / b.preload_us[1],
                r.sql_us[0] / b.sql_us[0], r.sql_us[1] / b.sql_us[1]);
  }
  return 0;
}

}  // namespace
}  // namespace r7::bench

int main() {
  return r7::bench::Run();
}
