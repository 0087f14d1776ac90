// What a user of the record manager's SQLite files knows about a company without the
// driver: its chart of accounts (number and kind of every account), its fiscal calendar
// (number of periods, current period, fiscal year) and its segment lengths, read straight
// from the company's files. It also says which accounts an account selection matches.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace r7::bench {

inline constexpr std::size_t kSegmentWidth = 8;  // a stored segment: 8 characters

struct ChartAccount {
  std::string number;  // 24 characters: main, profit center, department
  bool balance_sheet;  // type "B" in the chart; everything else is read as income statement
};

struct CompanyFacts {
  std::vector<ChartAccount> chart;  // in account-number order, without the title records
  std::array<int, 3> segment_lengths{};
  int period_count = 0;
  int current_period = 0;
  int fiscal_year = 0;
};

// Reads the facts of the company in `dir` (holding glactfil.btr, compfile.dat and
// glprdv66.dat); false with `problem` set when a file cannot be read.
bool ReadCompanyFacts(const std::string& dir, CompanyFacts* facts, std::string* problem);

// One segment of an account selection.
struct SegmentTest {
  enum Kind { kAny, kExact, kRange, kPattern };
  Kind kind = kAny;
  std::string from, to;  // stored form (8 characters), for exact and range
  std::string pattern;   // "*" and "?" against the segment as displayed, for patterns

  static SegmentTest Any() { return {}; }
  static SegmentTest Exact(int value);
  static SegmentTest Range(int from, int to);
  static SegmentTest Pattern(std::string pattern);
  // `field` is the stored segment, `length` the company's length of the segment.
  bool Matches(std::string_view field, int length) const;
};

// Main account, profit center, department.
struct Selection {
  std::array<SegmentTest, 3> segments;
  bool Matches(std::string_view number, const std::array<int, 3>& lengths) const;
};

std::string StoredNumber(int value);  // zero-filled to 8 characters
// The account as the user writes it: each numeric segment cut to its length, "-" between.
std::string DisplayedAccount(std::string_view number, const std::array<int, 3>& lengths);

}  // namespace r7::bench
