// A chart copy of whole synthetic companies, timed against the same amounts asked of the
// worksheet path one cell at a time.
//
// For each company (1k and 10k accounts, and with R7_BENCH_LARGE=1 about 50,000; built
// once with `r7-ledger synth`, see synth_company.h) the program runs silent code 4 over
// every account with several period phrases (this year, year to date, a running year that
// reaches into last year, last year, a budget), as the add-in would, and times it, cold
// (files opened, nothing read before) and warm (the best of three runs). It then asks code 100 for
// every cell of that chart (account, phrase, company, year, revision) and times those calls: the
// worksheet path to the same amounts. Every chart cell must equal code 100's answer as the
// chart shows amounts; the program lists any that does not and exits non-zero.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/text_util.h"
#include "exports/driver_assembly.h"
#include "host/driver.h"
#include "platform/platform.h"
#include "platform/posix/profile_store_posix.h"
#include "synth_company.h"

namespace r7::bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kPhrases[] = {"Month", "Year To Date", "Running Year", "Last Year",
                                    "Month Budget"};
constexpr std::size_t kPhraseCount = std::size(kPhrases);
constexpr int kWarmRuns = 3;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// A driver over one company, with the real record manager and R7.INI in a private
// directory; NA Label on, so that code 100 answers a year file without the account's record
// with zero, as the chart counts it.
struct Session {
  platform::posix::PosixProfileStore profiles;
  platform::Platform platform;
  std::unique_ptr<Driver> driver;

  explicit Session(const std::string& dir)
      : profiles(dir), platform(WithProfiles(profiles, platform::DefaultPlatform())) {
    for (auto [key, value] : {std::pair<std::string, std::string>{"System Directory", dir + "/sys"},
                              {"Company", "SYNTH"},
                              {"Current Year", "2002"},
                              {"NA Label", "1"},
                              {"Rounding", "1"}}) {
      profiles.WriteText("R7.INI", "R7 for Tessary", key, value);
    }
    driver = MakeDriver(platform);
    Call(125, "");
  }
  ~Session() { driver->Cleanup(); }
  static platform::Platform WithProfiles(platform::ProfileStore& profiles, platform::Platform& p) {
    return {profiles, p.files, p.libraries, p.locale, p.clipboard, p.message_boxes,
            p.debug,  p.clock, p.input,     p.help,   p.programs,  p.ui};
  }
  std::string Call(int code, const std::string& argument) {
    char result[260] = {};
    driver->Call(code, argument.c_str(), result);
    std::string text = result;
    if (text.size() >= 2 && text.substr(text.size() - 2) == "\r\n") text.resize(text.size() - 2);
    return text;
  }
};

// One chart copy of every account with every phrase; the clipboard's text.
std::string ChartCopy(Session& session) {
  std::string periods;
  for (const char* phrase : kPhrases) periods += (periods.empty() ? "" : ",") + std::string(phrase);
  session.Call(4, "Chart Company=SYNTH,Chart Account=*-*-*,Chart Period='" + periods +
                      "',Chart Year=2002,Chart Budget=01,Chart Range Type=2,Chart Show Account=1,"
                      "Chart Show Description=0,Chart Show Origin=0,Prepend Account=1,Formulas=0,"
                      "Skip Zero Accounts=0,NoShow=1");
  return session.platform.clipboard.GetText().value_or("");
}

bool RunSize(const std::string& cache, const Size& size) {
  const std::string dir = CompanyOf(cache, size);
  if (dir.empty()) {
    std::fprintf(stderr, "r7-ledger synth failed for %s\n", size.label);
    return false;
  }
  Session session(dir);

  const Clock::time_point cold_start = Clock::now();
  const std::string text = ChartCopy(session);
  const double cold = SecondsSince(cold_start);
  // Warm: the best of a few runs, on a machine that others share.
  double warm = 0;
  for (int run = 0; run < kWarmRuns; ++run) {
    const Clock::time_point warm_start = Clock::now();
    const std::string again = ChartCopy(session);
    const double seconds = SecondsSince(warm_start);
    if (run == 0 || seconds < warm) warm = seconds;
    if (text.empty() || text != again) {
      std::fprintf(stderr, "%s: the chart copy gave no text, or another text the next time\n",
                   size.label);
      return false;
    }
  }

  const std::vector<std::string> lines = SplitAt(text, "\r\n");
  std::size_t rows = 0, cells = 0, differences = 0;
  double worksheet = 0;
  DisplayAmountFormatter& display = session.driver->display_amounts();
  for (std::size_t i = 3; i < lines.size(); ++i) {
    if (lines[i].empty()) continue;
    const std::vector<std::string> row = SplitAt(lines[i], "\t");
    if (row.size() != kPhraseCount + 1) {
      std::fprintf(stderr, "%s: a row of %zu cells: %s\n", size.label, row.size(),
                   lines[i].c_str());
      return false;
    }
    ++rows;
    const std::string account = row[0].substr(1);  // its label apostrophe
    for (std::size_t p = 0; p < kPhraseCount; ++p) {
      const Clock::time_point start = Clock::now();
      const std::string answer = session.Call(100, account + ";" + kPhrases[p] + ";SYNTH;2002;01");
      worksheet += SecondsSince(start);
      ++cells;
      char* end = nullptr;
      const double amount = std::strtod(answer.c_str(), &end);
      const std::string shown = end == answer.c_str() ? answer : display.Format(amount);
      if (shown != row[p + 1] && ++differences <= 10) {
        std::printf("  DIFFERS %s / %s: chart %s, code 100 %s\n", account.c_str(), kPhrases[p],
                    row[p + 1].c_str(), answer.c_str());
      }
    }
  }
  std::printf(
      "%-4s %8zu accounts %8zu cells | chart copy %7.2f s cold %7.2f s warm (%9.0f accounts/s) |"
      " code 100 per cell %8.2f s (%6.1f us/cell) | worksheet/chart %6.1fx | %zu differ\n",
      size.label, rows, cells, cold, warm, static_cast<double>(rows) / warm, worksheet,
      1e6 * worksheet / static_cast<double>(cells), worksheet / warm, differences);
  std::fflush(stdout);
  return differences == 0;
}

int Run() {
  std::printf("phrases:");
  for (const char* phrase : kPhrases) std::printf(" '%s'", phrase);
  std::printf("\n");
  bool all_agree = true;
  for (const Size& size : BenchSizes()) {
    const std::string cache = BenchCache();
    all_agree = RunSize(cache, size) && all_agree;
  }
  return all_agree ? 0 : 1;
}

}  // namespace
}  // namespace r7::bench

int main() {
  return r7::bench::Run();
}
