// The benchmark's worksheet from a company's chart.
#include "paths/worksheet.h"

#include <string>

namespace r7::bench {
namespace {

// synth's bank and retained earnings take the other side of everything.
constexpr int kBank = 1000;
constexpr int kRetainedEarnings = 3900;

int MainOf(const ChartAccount& account) {
  return std::stoi(account.number.substr(0, kSegmentWidth));
}

int FieldValue(const ChartAccount& account, int segment) {
  return std::stoi(account.number.substr(segment * kSegmentWidth, kSegmentWidth));
}

// The middle account of the chart of the kind, other than the bank and retained earnings;
// nullptr if there is none.
const ChartAccount* MiddleAccount(const CompanyFacts& facts, bool balance_sheet) {
  std::vector<const ChartAccount*> found;
  for (const ChartAccount& a : facts.chart) {
    const int main = MainOf(a);
    if (a.balance_sheet == balance_sheet && main != kBank && main != kRetainedEarnings)
      found.push_back(&a);
  }
  return found.empty() ? nullptr : found[found.size() / 2];
}

Row SingleAccount(const ChartAccount& account, const CompanyFacts& facts) {
  return {DisplayedAccount(account.number, facts.segment_lengths),
          {{SegmentTest::Exact(FieldValue(account, 0)), SegmentTest::Exact(FieldValue(account, 1)),
            SegmentTest::Exact(FieldValue(account, 2))}}};
}

// Counts what the row matches in the chart and the kind the driver reads it as.
void Measure(const CompanyFacts& facts, Row* row) {
  for (const ChartAccount& a : facts.chart) {
    if (!row->selection.Matches(a.number, facts.segment_lengths)) continue;
    if (row->matched == 0) row->read_as_balance_sheet = a.balance_sheet;
    ++row->matched;
    row->balance_sheet += a.balance_sheet ? 1 : 0;
  }
  row->narrow = row->matched <= kNarrowAccounts;
}

std::vector<Row> Rows(const CompanyFacts& facts, std::string* problem) {
  const ChartAccount* balance = MiddleAccount(facts, true);
  const ChartAccount* income = MiddleAccount(facts, false);
  if (balance == nullptr || income == nullptr) {
    *problem = "the chart lacks balance-sheet or income-statement accounts";
    return {};
  }
  const int income_main = MainOf(*income);
  const SegmentTest any = SegmentTest::Any();
  return {
      SingleAccount(*balance, facts),
      SingleAccount(*income, facts),
      {std::to_string(income_main) + "-*-*", {{SegmentTest::Exact(income_main), any, any}}},
      {"4000..4999-*-*", {{SegmentTest::Range(4000, 4999), any, any}}},
      {"4000..9999-10-*", {{SegmentTest::Range(4000, 9999), SegmentTest::Exact(10), any}}},
      {"*-*-110", {{any, any, SegmentTest::Exact(110)}}},
      {"*-1?-12*", {{any, SegmentTest::Pattern("1?"), SegmentTest::Pattern("12*")}}},
      {"*-*-*", {{any, any, any}}},
  };
}

// The windows of the columns for a 12-period company in period `c`: a "Year" or a
// "Quarter" of the current kind ends at the current period, this year's and last year's
// alike; an absolute unit ("Month 3", "Quarter 2") is not cut here, this year's balances
// carry no activity after the current period anyway.
std::vector<Column> Columns(int c) {
  return {
      {"Month", Source::kBalances, c, c},      {"Month 3", Source::kBalances, 3, 3},
      {"Quarter 2", Source::kBalances, 4, 6},  {"Month Year To Date", Source::kBalances, 1, c},
      {"Year", Source::kBalances, 1, c},       {"Last Year", Source::kLastYear, 1, c},
      {"Month Budget", Source::kBudget, c, c}, {"Year Budget", Source::kBudget, 1, c},
  };
}

}  // namespace

bool BuildWorksheet(const CompanyFacts& facts, Worksheet* sheet, std::string* problem) {
  if (facts.period_count != 12) {
    *problem = "the worksheet's windows are those of a 12-period company";
    return false;
  }
  sheet->rows = Rows(facts, problem);
  if (sheet->rows.empty()) return false;
  sheet->columns = Columns(facts.current_period);
  for (Row& row : sheet->rows) {
    Measure(facts, &row);
    if (row.matched == 0) {
      *problem = "the row " + row.specifier + " matches no account of the chart";
      return false;
    }
  }
  for (const Row& row : sheet->rows) {
    // Budgets exist for income-statement accounts only.
    const bool has_income = row.matched > row.balance_sheet;
    for (const Column& column : sheet->columns) {
      if (column.source == Source::kBudget && !has_income) continue;
      sheet->cells.push_back({&row, &column});
    }
  }
  return true;
}

}  // namespace r7::bench
