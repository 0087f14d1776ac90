// Balance calls of one worksheet, timed three ways on synthetic companies of several sizes:
// the engine reading the ledger files, the engine answered by the preload cache, and the
// same sums taken straight from the record manager's SQLite files (the yardstick a user
// could pick instead of the driver).
//
// Companies are built once with `r7-ledger synth` and kept in R7_BENCH_DIR (default
// /tmp/r7_bench_companies); R7_BENCH_LARGE=1 adds a company of about fifty thousand
// accounts. The worksheet is made from each company's chart. Before anything is timed,
// every cell is computed on the file path, which must answer it, and by the yardstick,
// which must give the same amount; the program stops with a non-zero status otherwise.
// It then prints, per size, calls per second of each path, their ratios, the preload's
// load time and resident memory, and microseconds per call by how many accounts a call
// matches; for the file path also the BTRCALLs a call makes and the microseconds per record
// it reads; and last a summary of the file path against the yardstick and of the load.
// Each measurement runs for --benchmark_min_time=<seconds> (or R7_BENCH_SECONDS; 0.5 s).
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "exports/driver_assembly.h"
#include "host/driver.h"
#include "paths/call_counter.h"
#include "paths/company_facts.h"
#include "paths/worksheet.h"
#include "paths/yardstick.h"
#include "platform/platform.h"
#include "platform/posix/profile_store_posix.h"
#include "preload/cache_lookup.h"
#include "preload/data_preload.h"
#include "preload/preload_settings.h"
#include "specifiers/period_parser.h"
#include "synth_company.h"

namespace r7::bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr double kCent = 0.005;  // amounts agree within half a cent

long ResidentKiB() {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// A driver over one company, with the real record manager and R7.INI in a private directory.
struct Session {
  platform::posix::PosixProfileStore profiles;
  CountingLibraries counting;
  platform::Platform platform;
  std::unique_ptr<Driver> driver;
  std::unique_ptr<LedgerServices> services;
  std::unique_ptr<preload::CacheLookup> lookup;
  std::string year;
  std::string period_text;

  Session(const std::string& dir, int fiscal_year)
      : profiles(dir),
        counting(platform::DefaultPlatform().libraries),
        platform(WithProfiles(profiles, counting, platform::DefaultPlatform())),
        year(std::to_string(fiscal_year)) {
    profiles.WriteText("R7.INI", "R7 for Tessary", "System Directory", dir + "/sys");
    profiles.WriteText("R7.INI", "R7 for Tessary", "Company", "SYNTH");
    profiles.WriteText("R7.INI", "R7 for Tessary", "Current Year", year);
    profiles.WriteText("R7.INI", "R7 for Tessary", "NA Label", "0");
    driver = MakeDriver(platform);
    driver->Call(125, "", nullptr);
    services = std::make_unique<LedgerServices>(driver->ledger_services());
    lookup = std::make_unique<preload::CacheLookup>(
        *services, [this] { return driver->usage_tracking(); }, &driver->segment_collector());
  }
  ~Session() {
    driver->SetPreload(nullptr);
    driver->Cleanup();
  }
  static platform::Platform WithProfiles(platform::ProfileStore& profiles,
                                         platform::DynamicLibraries& libraries,
                                         platform::Platform& p) {
    return {profiles, p.files, libraries, p.locale, p.clipboard, p.message_boxes,
            p.debug,  p.clock, p.input,   p.help,   p.programs,  p.ui};
  }
  CompanyContext* Company() { return driver->companies().FindCompany("SYNTH"); }

  int Preload(bool budget) {
    CompanyContext* company = Company();
    if (company == nullptr) return -1;
    preload::PreloadSettings& s = preload::PreloadOf(*company);
    s.load_this_year = !budget;
    s.load_last_year = !budget;
    s.load_budget = budget;
    AccountRequest request = MakeAccountRequest("*-*-*", year, "1");
    request.budget = budget;
    return preload::DataPreLoad(*services, *company, request, nullptr, 1, 2);
  }

  int Compute(const Cell& cell, bool cached, double* total) {
    driver->SetPreload(cached ? static_cast<PreloadLookup*>(lookup.get()) : nullptr);
    PeriodList list;
    period_text = cell.column->periods;
    if (!ParsePeriodSpecifier(period_text, &list).ok()) return -12345;
    AccountRequest request = MakeAccountRequest(cell.row->specifier, year, "1", kRangeAllSegments);
    int code =
        ComputeBalance(total, driver->balance_collaborators(*services), "SYNTH", request, list);
    driver->errors().Clear();
    return code;
  }
};

std::string CellName(const Cell& cell) {
  return "[" + cell.row->specifier + " / " + cell.column->periods + "]";
}

void PrintRows(const Worksheet& sheet) {
  std::printf("%-18s %8s %8s %8s  %-5s %s\n", "row", "accounts", "balance", "income", "read",
              "class");
  for (const Row& row : sheet.rows) {
    std::printf("%-18s %8d %8d %8d  %-5s %s\n", row.specifier.c_str(), row.matched,
                row.balance_sheet, row.matched - row.balance_sheet,
                row.read_as_balance_sheet ? "B" : "P", row.narrow ? "narrow" : "wide");
  }
  std::printf(
      "(read: the kind of the first matched account, which the driver applies to"
      " every account of the row)\n");
}

// Every cell must be answered by the file path, and the yardstick must give its amount.
bool VerifyCells(Session& session, Yardstick& sql, const Worksheet& sheet) {
  int agreeing = 0;
  std::string problems;
  for (const Cell& cell : sheet.cells) {
    double file = 0;
    if (int code = session.Compute(cell, false, &file); code != 0) {
      problems +=
          "  " + CellName(cell) + ": the file path answers code " + std::to_string(code) + "\n";
      continue;
    }
    const double direct = sql.Sum(cell);
    if (std::fabs(direct - file) > kCent) {
      char line[256];
      std::snprintf(line, sizeof line, "  %s: file %.2f, sql %.2f\n", CellName(cell).c_str(), file,
                    direct);
      problems += line;
      continue;
    }
    ++agreeing;
  }
  std::printf("yardstick check: %d of %zu cells agree with the file path\n", agreeing,
              sheet.cells.size());
  if (!problems.empty()) std::printf("DISAGREEMENTS:\n%s", problems.c_str());
  return problems.empty();
}

// The cache's answers against the file path's: listed, as the cache is the thing measured.
void CompareCachedAnswers(Session& session, const std::vector<const Cell*>& answered) {
  std::string differences;
  for (const Cell* cell : answered) {
    double file = 0, cached = 0;
    const int file_code = session.Compute(*cell, false, &file);
    const int cached_code = session.Compute(*cell, true, &cached);
    if (file_code != cached_code || std::fabs(file - cached) > kCent) {
      char line[256];
      std::snprintf(line, sizeof line, " %s file %.2f (code %d), preload %.2f (code %d);",
                    CellName(*cell).c_str(), file, file_code, cached, cached_code);
      differences += line;
    }
  }
  std::printf("preload answers against the file path:%s\n",
              differences.empty() ? " all agree" : differences.c_str());
}

// What the file path asks of the record manager for one call, averaged over `cells`: every
// BTRCALL, and the reads among them that delivered a record.
struct FileCounts {
  double calls = 0;
  double records = 0;
};

FileCounts CountFileCalls(Session& session, const std::vector<const Cell*>& cells) {
  FileCounts counts;
  if (cells.empty()) return counts;
  const CallCounts before = CountingLibraries::counts;
  for (const Cell* cell : cells) {
    double total = 0;
    session.Compute(*cell, false, &total);
  }
  const double n = static_cast<double>(cells.size());
  counts.calls = static_cast<double>(CountingLibraries::counts.calls - before.calls) / n;
  counts.records = static_cast<double>(CountingLibraries::counts.records - before.records) / n;
  return counts;
}

// Runs the cells repeatedly for at least `budget_seconds`; answers microseconds per call.
double MicrosPerCall(const std::vector<const Cell*>& cells,
                     const std::function<void(const Cell&)>& call, double budget_seconds) {
  if (cells.empty()) return 0;
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

struct Result {
  std::string label;
  std::size_t accounts = 0;
  double file_us[2], preload_us[2], sql_us[2];  // narrow, wide
  double all_file, all_preload, all_sql;        // calls per second over the whole worksheet
  FileCounts file_counts[2];                    // narrow, wide
  double load_s[2];                             // the preload's two loads: actual, budget
};

// us per record the file path visits.
double PerRecord(double us, const FileCounts& counts) {
  return counts.records > 0 ? us / counts.records : 0;
}

// The file path against the yardstick, and the preload's load, one line per size.
void PrintSummary(const std::vector<Result>& results) {
  std::printf(
      "\n== file path against the yardstick (file/sql: us per call of the file path over the\n"
      "   yardstick's), what it asks of the record manager per call, and the preload's load\n");
  std::printf("%-6s %8s %10s %10s %12s %12s %13s %13s %12s %12s\n", "size", "accounts",
              "file/sql n", "file/sql w", "BTRCALLs n", "BTRCALLs w", "us/record n", "us/record w",
              "load ms/1k", "load s");
  for (const Result& r : results) {
    const double load = r.load_s[0] + r.load_s[1];
    std::printf("%-6s %8zu %9.2fx %9.2fx %12.1f %12.1f %13.3f %13.3f %12.1f %12.3f\n",
                r.label.c_str(), r.accounts, r.file_us[0] / r.sql_us[0], r.file_us[1] / r.sql_us[1],
                r.file_counts[0].calls, r.file_counts[1].calls,
                PerRecord(r.file_us[0], r.file_counts[0]),
                PerRecord(r.file_us[1], r.file_counts[1]),
                1e3 * load / (static_cast<double>(r.accounts) / 1000.0), load);
  }
  std::printf(
      "(n narrow, w wide; us/record: us per call over the records a call reads; load: this\n"
      " year with last year, then budgets, of every account)\n");
}

void PrintGrowth(const std::vector<Result>& results) {
  const Result& b = results.front();
  std::printf("\n== growth of us/call against the %s company (narrow = at most %d accounts)\n",
              b.label.c_str(), kNarrowAccounts);
  std::printf("%-6s %12s %12s %12s %12s %12s %12s\n", "size", "file narrow", "file wide",
              "preload nar", "preload wide", "sql narrow", "sql wide");
  for (const Result& r : results) {
    std::printf("%-6s %11.2fx %11.2fx %11.2fx %11.2fx %11.2fx %11.2fx\n", r.label.c_str(),
                r.file_us[0] / b.file_us[0], r.file_us[1] / b.file_us[1],
                r.preload_us[0] / b.preload_us[0], r.preload_us[1] / b.preload_us[1],
                r.sql_us[0] / b.sql_us[0], r.sql_us[1] / b.sql_us[1]);
  }
}

// Benchmarks one company; false when it cannot be built or read or a check fails.
bool RunSize(const std::string& cache, const Size& size, double seconds,
             std::vector<Result>* results) {
  const std::string dir = CompanyOf(cache, size);
  if (dir.empty()) {
    std::fprintf(stderr, "r7-ledger synth failed for %s\n", size.label);
    return false;
  }
  const std::string company_dir = dir + "/sys/SYNTH";
  CompanyFacts facts;
  Worksheet sheet;
  std::string problem;
  if (!ReadCompanyFacts(company_dir, &facts, &problem) ||
      !BuildWorksheet(facts, &sheet, &problem)) {
    std::fprintf(stderr, "%s: %s\n", size.label, problem.c_str());
    return false;
  }
  Session session(dir, facts.fiscal_year);
  Yardstick sql(company_dir, facts);
  if (session.Company() == nullptr || !sql.ok()) {
    std::fprintf(stderr, "company SYNTH did not open in %s\n", dir.c_str());
    return false;
  }
  std::printf(
      "\n== %s company: %zu accounts (%d main accounts asked of synth),"
      " fiscal year %d, current period %d\n",
      size.label, facts.chart.size(), size.main_accounts, facts.fiscal_year, facts.current_period);
  PrintRows(sheet);
  if (!VerifyCells(session, sql, sheet)) return false;

  std::vector<const Cell*> narrow, wide, all;
  for (const Cell& c : sheet.cells) {
    (c.row->narrow ? narrow : wide).push_back(&c);
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

  Result r{size.label, facts.chart.size(), {}, {}, {}, 0, 0, 0, {}, {}};
  r.file_counts[0] = CountFileCalls(session, narrow);
  r.file_counts[1] = CountFileCalls(session, wide);
  r.file_us[0] = MicrosPerCall(narrow, file, seconds);
  r.file_us[1] = MicrosPerCall(wide, file, seconds);
  r.sql_us[0] = MicrosPerCall(narrow, direct, seconds);
  r.sql_us[1] = MicrosPerCall(wide, direct, seconds);

  const long before = ResidentKiB();
  const auto load_start = Clock::now();
  const int actual = session.Preload(false);
  const double actual_s = std::chrono::duration<double>(Clock::now() - load_start).count();
  const auto budget_start = Clock::now();
  const int budget = session.Preload(true);
  const double budget_s = std::chrono::duration<double>(Clock::now() - budget_start).count();
  const long grown = ResidentKiB() - before;
  r.load_s[0] = actual_s;
  r.load_s[1] = budget_s;

  // The cells the cache declines go to the files; they are listed and timed apart.
  std::vector<const Cell*> answered;
  std::string declined;
  for (const Cell& c : sheet.cells) {
    const std::size_t hits_before = session.lookup->hits();
    cached(c);
    if (session.lookup->hits() > hits_before) {
      answered.push_back(&c);
    } else {
      declined += " " + CellName(c);
    }
  }
  r.preload_us[0] = MicrosPerCall(narrow, cached, seconds);
  r.preload_us[1] = MicrosPerCall(wide, cached, seconds);
  r.all_file = 1e6 / MicrosPerCall(all, file, seconds);
  r.all_sql = 1e6 / MicrosPerCall(all, direct, seconds);
  r.all_preload = 1e6 / MicrosPerCall(all, cached, seconds);

  std::printf(
      "preload *-*-* this+last year: code %d, %.3f s; budgets: code %d, %.3f s;"
      " resident growth %ld KiB\n",
      actual, actual_s, budget, budget_s, grown);
  std::printf("worksheet: %zu cells (%zu narrow, %zu wide), %zu answered by the cache\n",
              sheet.cells.size(), narrow.size(), wide.size(), answered.size());
  std::printf("%-10s %14s %14s %14s\n", "path", "calls/s", "us/call narrow", "us/call wide");
  std::printf("%-10s %14.0f %14.1f %14.1f\n", "file", r.all_file, r.file_us[0], r.file_us[1]);
  std::printf("%-10s %14.0f %14.1f %14.1f\n", "preload", r.all_preload, r.preload_us[0],
              r.preload_us[1]);
  std::printf("%-10s %14.0f %14.1f %14.1f\n", "sql", r.all_sql, r.sql_us[0], r.sql_us[1]);
  std::printf(
      "file path per call: %.1f / %.1f BTRCALLs, %.1f / %.1f records read, %.3f / %.3f us per"
      " record (narrow / wide)\n",
      r.file_counts[0].calls, r.file_counts[1].calls, r.file_counts[0].records,
      r.file_counts[1].records, PerRecord(r.file_us[0], r.file_counts[0]),
      PerRecord(r.file_us[1], r.file_counts[1]));
  std::printf("preload load: %.1f ms per 1,000 accounts this year with last year, %.1f budgets\n",
              1e3 * actual_s / (static_cast<double>(facts.chart.size()) / 1000.0),
              1e3 * budget_s / (static_cast<double>(facts.chart.size()) / 1000.0));
  if (!answered.empty()) {
    const double hit_file = 1e6 / MicrosPerCall(answered, file, seconds);
    const double hit_preload = 1e6 / MicrosPerCall(answered, cached, seconds);
    const double hit_sql = 1e6 / MicrosPerCall(answered, direct, seconds);
    std::printf(
        "cells the cache answers: file %.0f, preload %.0f, sql %.0f calls/s;"
        " preload/file %.3gx, preload/sql %.3gx\n",
        hit_file, hit_preload, hit_sql, hit_preload / hit_file, hit_preload / hit_sql);
  }
  std::printf("declined by the cache:%s\n", declined.empty() ? " none" : declined.c_str());
  CompareCachedAnswers(session, answered);
  std::printf("whole worksheet ratios: preload/file %.3gx, preload/sql %.3gx  (checksum %g)\n",
              r.all_preload / r.all_file, r.all_preload / r.all_sql, sink);
  std::fflush(stdout);
  results->push_back(r);
  return true;
}

// The time per measurement: --benchmark_min_time=<seconds>[s] (the flag Google Benchmark
// programs take), else R7_BENCH_SECONDS, else half a second; 0 when the arguments are wrong.
double SecondsPerMeasurement(int argc, char** argv) {
  const char* seconds_env = std::getenv("R7_BENCH_SECONDS");
  double seconds = seconds_env ? std::atof(seconds_env) : 0.5;
  constexpr std::string_view kFlag = "--benchmark_min_time=";
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg.substr(0, kFlag.size()) != kFlag) return 0;
    char* end = nullptr;
    const std::string value(arg.substr(kFlag.size()));
    seconds = std::strtod(value.c_str(), &end);
    if (end == value.c_str() || (*end != '\0' && std::string_view(end) != "s")) return 0;
  }
  return seconds > 0 ? seconds : 0;
}

int Run(int argc, char** argv) {
  const std::string cache = BenchCache();
  const double seconds = SecondsPerMeasurement(argc, argv);
  if (seconds <= 0) {
    std::fprintf(stderr, "usage: r7_bench_paths [--benchmark_min_time=<seconds>[s]]\n");
    return 2;
  }
  const std::vector<Size> sizes = BenchSizes();

  std::vector<Result> results;
  for (const Size& size : sizes) {
    if (!RunSize(cache, size, seconds, &results)) return 1;
  }
  PrintGrowth(results);
  PrintSummary(results);
  return 0;
}

}  // namespace
}  // namespace r7::bench

int main(int argc, char** argv) {
  return r7::bench::Run(argc, argv);
}
