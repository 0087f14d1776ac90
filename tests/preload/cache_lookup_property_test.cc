// On random requests the preload cache answers as the ledger files do, or declines.
#include <cstdlib>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "preload_harness.h"

namespace r7::testing {
namespace {

// Main accounts of the synthetic chart below, then two it lacks and the title records' 0.
const char* const kMains[] = {"1000", "1001", "1237", "2421", "3900", "4080",
                              "4553", "5501", "6921", "9763", "1234", "0"};
const char* const kProfitCenters[] = {"*",  "*",  "*",      "*",  "10", "11",
                                      "12", "13", "10..11", "1*", "?1", ""};
const char* const kDepartments[] = {"*",   "*",   "*",        "*",  "100",
                                    "110", "120", "100..110", "1*", "130"};
// Period specifiers, split at "|": single periods, windows, years back, budgets, lists.
std::vector<std::string> Periods() {
  std::istringstream list(
      "Month|Month 3|Last Month|5 Months Ago|Quarter|Quarter 2|Last Quarter|Year|Last Year|"
      "Month Year To Date|Quarter 2 Ytd|Running Quarter|Running Year|Opening Balance Month|"
      "Opening Balance Month 1|Change Month 1|2 Years Ago|Last Year Budget|"
      "Starting Change Month|Month Budget|Year Budget|Quarter 4|Month 13|Month 15|"
      "Last Running Quarter|Month, Last Year|Month, Month Budget|Month Budget, Year Budget|"
      "Year, Opening Balance Month 1");
  std::vector<std::string> periods;
  for (std::string period; std::getline(list, period, '|');) periods.push_back(period);
  return periods;
}

template <typename T, std::size_t N>
const char* Pick(std::mt19937& rng, T (&list)[N]) {
  return list[std::uniform_int_distribution<std::size_t>(0, N - 1)(rng)];
}

std::string Main(std::mt19937& rng) {
  const int kind = std::uniform_int_distribution<int>(0, 9)(rng);
  if (kind == 0) return "*";
  if (kind == 1) return std::string(Pick(rng, kMains)) + ".." + Pick(rng, kMains);
  return kind == 2 ? "4*" : Pick(rng, kMains);
}

std::string Item(std::mt19937& rng) {
  std::string item = Main(rng);
  int segments = std::uniform_int_distribution<int>(1, 3)(rng);
  if (segments >= 2) item += std::string("-") + Pick(rng, kProfitCenters);
  if (segments >= 3) item += std::string("-") + Pick(rng, kDepartments);
  return item;
}

std::string Specifier(std::mt19937& rng) {
  if (std::uniform_int_distribution<int>(0, 9)(rng) == 0) return "(1000,4215)(10,11)(*)";
  std::string text = Item(rng);
  int more = std::uniform_int_distribution<int>(0, 5)(rng) - 3;
  for (int i = 0; i < more && i < 2; ++i) text += "," + Item(rng);
  return text;
}

// The company's current period: windows reach into last year from period 1 without a
// years-back word, and "Year" covers the whole year in period 12. R7_PRELOAD_PROPERTY_COUNT
// sets how many requests are drawn (a few hundred by default).
class CacheLookupPropertyTest : public PreloadHarness, public ::testing::WithParamInterface<int> {};

INSTANTIATE_TEST_SUITE_P(, CacheLookupPropertyTest, ::testing::Values(5, 1, 12),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return "CurrentPeriod" + std::to_string(info.param);
                         });

TEST_P(CacheLookupPropertyTest, AHitAnswersWhatTheLedgerFilesAnswer) {
  Build(SmallSynth(40, 3, 3, GetParam()));
  // Selections of this year with last year, of an earlier year, and of a budget revision.
  ASSERT_EQ(Preload("*-*-*", "2002", false, true, true), 0);
  ASSERT_EQ(Preload("1000..5000-*-*", "2001", false, true, true), 0);
  ASSERT_EQ(Preload("*-*-*", "2002", true, false, false, "1"), 0);
  ASSERT_EQ(Preload("4000..9999-*-*", "2002", true, false, false, "2"), 0);

  int count = 300;
  if (const char* env = std::getenv("R7_PRELOAD_PROPERTY_COUNT")) count = std::atoi(env);
  std::mt19937 rng(20240607u + static_cast<unsigned>(GetParam()));
  const char* const years[] = {"2002", "2002", "2002", "2002", "2001", "2003", "2000"};
  const char* const revisions[] = {"1", "1", "2"};
  const std::vector<std::string> period_list = Periods();
  int hits = 0;
  for (int i = 0; i < count; ++i) {
    const std::string specifier = Specifier(rng);
    const std::string periods =
        period_list[std::uniform_int_distribution<std::size_t>(0, period_list.size() - 1)(rng)];
    const std::string year = Pick(rng, years);
    const std::string revision = Pick(rng, revisions);
    const int range_type = std::uniform_int_distribution<int>(0, 9)(rng) == 0 ? 1 : 2;
    settings().na_label = std::uniform_int_distribution<int>(0, 3)(rng) == 0 ? 1 : 0;
    const std::size_t hits_before = lookup_->hits();
    double cached_total = 0, file_total = 0;
    const int cached = Compute(specifier, periods, year, revision, range_type, true, &cached_total);
    const bool hit = lookup_->hits() > hits_before;
    const int file = Compute(specifier, periods, year, revision, range_type, false, &file_total);
    SCOPED_TRACE(specifier + " | " + periods + " | " + year + " rev " + revision);
    EXPECT_EQ(cached, file);
    if (cached == 0 && file == 0) {
      EXPECT_EQ(std::memcmp(&cached_total, &file_total, sizeof(double)), 0)
          << cached_total << " vs " << file_total;
    }
    hits += hit ? 1 : 0;
  }
  // The comparison means little unless the cache answers a fair share itself.
  EXPECT_GT(hits, count / 10);
  RecordProperty("hits", hits);
}

}  // namespace
}  // namespace r7::testing
