// Reading a company's chart and calendar without the driver.
#include "paths/company_facts.h"

#include <fnmatch.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace r7::bench {
namespace {

// Where the chart, the company file and the calendar keep what the benchmark needs.
constexpr std::size_t kChartTypeOffset = 137;
constexpr std::size_t kSegmentLengthsOffset = 184;
constexpr std::size_t kPeriodCountOffset = 224;
constexpr std::size_t kCurrentPeriodOffset = 226;
constexpr std::size_t kPeriodEndsOffset = 24;  // then one every 16 bytes
constexpr std::size_t kPeriodEntryWidth = 16;

std::string ReadPlainFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int DigitsAt(const std::string& text, std::size_t offset, std::size_t width) {
  if (offset + width > text.size()) return -1;
  int value = 0;
  for (std::size_t i = offset; i < offset + width; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

bool ReadChart(const std::string& path, std::vector<ChartAccount>* chart, std::string* problem) {
  sqlite3* db = nullptr;
  sqlite3_stmt* stmt = nullptr;
  bool ok = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
            sqlite3_prepare_v2(db, "SELECT data FROM records", -1, &stmt, nullptr) == SQLITE_OK;
  while (ok && sqlite3_step(stmt) == SQLITE_ROW) {
    const char* data = static_cast<const char*>(sqlite3_column_blob(stmt, 0));
    const auto size = static_cast<std::size_t>(sqlite3_column_bytes(stmt, 0));
    if (size <= kChartTypeOffset) continue;
    std::string number(data, 3 * kSegmentWidth);
    if (number.compare(0, kSegmentWidth, "00000000") == 0) continue;  // a title record
    chart->push_back({std::move(number), data[kChartTypeOffset] == 'B'});
  }
  if (!ok) *problem = "cannot read the chart " + path + ": " + sqlite3_errmsg(db);
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  std::sort(chart->begin(), chart->end(),
            [](const ChartAccount& a, const ChartAccount& b) { return a.number < b.number; });
  return ok;
}

// The segment as the user writes it: the last `length` characters of a numeric field.
std::string_view Displayed(std::string_view field, int length) {
  if (length > 0 && static_cast<std::size_t>(length) < field.size())
    return field.substr(field.size() - static_cast<std::size_t>(length));
  return field;
}

}  // namespace

bool ReadCompanyFacts(const std::string& dir, CompanyFacts* facts, std::string* problem) {
  const std::string company = ReadPlainFile(dir + "/compfile.dat");
  const std::string calendar = ReadPlainFile(dir + "/glprdv66.dat");
  for (int s = 0; s < 3; ++s)
    facts->segment_lengths[s] = DigitsAt(company, kSegmentLengthsOffset + s, 1);
  facts->period_count = DigitsAt(calendar, kPeriodCountOffset, 2);
  facts->current_period = DigitsAt(calendar, kCurrentPeriodOffset, 2);
  if (facts->segment_lengths[0] <= 0 || facts->period_count < 1 || facts->period_count > 13 ||
      facts->current_period < 1 || facts->current_period > facts->period_count) {
    *problem = "cannot read the company file or the calendar in " + dir;
    return false;
  }
  // The fiscal year is the year in which its last period ends.
  facts->fiscal_year =
      DigitsAt(calendar, kPeriodEndsOffset + kPeriodEntryWidth * (facts->period_count - 1), 4);
  return ReadChart(dir + "/glactfil.btr", &facts->chart, problem);
}

std::string StoredNumber(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%08d", value);
  return text;
}

std::string DisplayedAccount(std::string_view number, const std::array<int, 3>& lengths) {
  std::string text;
  for (std::size_t s = 0; s < 3; ++s) {
    if (s > 0) text += '-';
    text += Displayed(number.substr(s * kSegmentWidth, kSegmentWidth), lengths[s]);
  }
  return text;
}

SegmentTest SegmentTest::Exact(int value) {
  SegmentTest test;
  test.kind = kExact;
  test.from = test.to = StoredNumber(value);
  return test;
}

SegmentTest SegmentTest::Range(int from, int to) {
  SegmentTest test;
  test.kind = kRange;
  test.from = StoredNumber(from);
  test.to = StoredNumber(to);
  return test;
}

SegmentTest SegmentTest::Pattern(std::string pattern) {
  SegmentTest test;
  test.kind = kPattern;
  test.pattern = std::move(pattern);
  return test;
}

bool SegmentTest::Matches(std::string_view field, int length) const {
  switch (kind) {
    case kAny:
      return true;
    case kExact:
    case kRange:
      return from <= field && field <= to;
    case kPattern:
      break;
  }
  const std::string shown(Displayed(field, length));
  return fnmatch(pattern.c_str(), shown.c_str(), 0) == 0;
}

bool Selection::Matches(std::string_view number, const std::array<int, 3>& lengths) const {
  for (std::size_t s = 0; s < 3; ++s) {
    if (!segments[s].Matches(number.substr(s * kSegmentWidth, kSegmentWidth), lengths[s]))
      return false;
  }
  return true;
}

}  // namespace r7::bench
