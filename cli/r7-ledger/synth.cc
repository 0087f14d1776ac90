// A large synthetic company for benchmarks, as a ledger fixture.
#include "cli/r7-ledger/synth.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "ledger/account_number.h"

namespace r7::ledger_tool {
namespace {

using nlohmann::json;
using Cents = long long;

constexpr int kPeriods = 12;

// splitmix64: small, fast and the same everywhere.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
  }
  // Uniform in [0, 1).
  double Unit() { return static_cast<double>(Next() >> 11) / 9007199254740992.0; }
  int Below(int bound) { return static_cast<int>(Next() % static_cast<std::uint64_t>(bound)); }

 private:
  std::uint64_t state_;
};

struct Account {
  std::string display;
  int main;
  bool income_statement;
  int sign;     // +1 for a typical debit, -1 for a typical credit
  Cents scale;  // typical monthly activity
};

std::string Format(const char* pattern, int value) {
  char text[32];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

double Amount(Cents cents) {
  return static_cast<double>(cents) / 100.0;
}

const char* Category(int main) {
  if (main < 2000) return "Assets";
  if (main < 3000) return "Liabilities";
  if (main < 4000) return "Equity";
  if (main < 5000) return "Revenue";
  if (main < 6000) return "Cost of sales";
  return "Expenses";
}

std::string MonthEnd(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int days = kDays[month - 1];
  if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0)) days = 29;
  return Format("%04d", year) + Format("%02d", month) + Format("%02d", days);
}

bool Check(bool ok, const char* what, std::string& problem) {
  if (!ok) problem = what;
  return ok;
}

}  // namespace

json SynthFixture(const SynthOptions& o, std::string& problem) {
  if (!Check(o.main_accounts >= 2 && o.main_accounts <= 9000, "--main-accounts must be 2 to 9000",
             problem) ||
      !Check(o.profit_centers >= 1 && o.profit_centers <= 90, "--profit-centers must be 1 to 90",
             problem) ||
      !Check(o.departments >= 1 && o.departments <= 90, "--departments must be 1 to 90", problem) ||
      !Check(o.years >= 0 && o.years <= 20, "--years must be 0 to 20", problem) ||
      !Check(o.transactions >= 0 && o.transactions <= 10000000,
             "--transactions must be 0 to 10000000", problem) ||
      !Check(o.fiscal_year >= 1900 + o.years && o.fiscal_year <= 9999,
             "--fiscal-year is out of range", problem) ||
      !Check(o.current_period >= 1 && o.current_period <= kPeriods,
             "--current-period must be 1 to 12", problem))
    return json();
  Random random(o.seed);

  std::vector<std::string> centers, departments;
  for (int i = 0; i < o.profit_centers; ++i) centers.push_back(std::to_string(10 + i));
  for (int i = 0; i < o.departments; ++i) departments.push_back(std::to_string(100 + 10 * i));

  // Main accounts spread over 1001..9999; 1000 is the bank account that takes the other
  // side of every posting and 3900 retained earnings.
  std::vector<int> mains = {1000, 3900};
  std::vector<int> candidates;
  for (int m = 1001; m <= 9999; ++m)
    if (m != 3900) candidates.push_back(m);
  int others = o.main_accounts - 2;
  for (int k = 0; k < others; ++k)
    mains.push_back(candidates[static_cast<std::size_t>(
        static_cast<long long>(k) * static_cast<long long>(candidates.size()) / others)]);

  json company = {{"directory", o.directory},
                  {"name", o.name},
                  {"segment_lengths", {4, 2, 3}},
                  {"current_period", o.current_period}};
  json periods = json::array();
  for (int month = 1; month <= kPeriods; ++month)
    periods.push_back({Format("%04d", o.fiscal_year) + Format("%02d", month) + "01",
                       MonthEnd(o.fiscal_year, month)});
  company["periods"] = periods;

  json accounts = json::array();
  for (const std::string& c : centers)
    accounts.push_back({{"account", "0-" + c + "-0"}, {"description", "Profit center " + c}});
  for (const std::string& d : departments)
    accounts.push_back({{"account", "0-0-" + d}, {"description", "Department " + d}});

  std::vector<Account> ledger;
  for (std::size_t i = 0; i < mains.size(); ++i) {
    int main = mains[i];
    bool income = main >= 4000;
    int sign = (main < 2000 || main >= 5000) ? 1 : -1;
    for (std::size_t c = 0; c < centers.size(); ++c) {
      for (std::size_t d = 0; d < departments.size(); ++d) {
        bool first = c == 0 && d == 0;
        bool wanted = i < 2 ? first : (random.Unit() < 0.3 || (first && random.Unit() < 0.5));
        if (!wanted) continue;
        std::string display = std::to_string(main) + "-" + centers[c] + "-" + departments[d];
        Cents scale = static_cast<Cents>(std::llround(10000.0 * std::pow(1000.0, random.Unit())));
        ledger.push_back({display, main, income, sign, scale});
        std::string description = std::string(Category(main)) + " " + std::to_string(main) + " " +
                                  centers[c] + "/" + departments[d];
        if (main == 1000) description = "Bank " + centers[c] + "/" + departments[d];
        if (main == 3900) description = "Retained earnings";
        accounts.push_back(
            {{"account", display},
             {"description", description.substr(0, 30)},
             {"type", income ? "P" : "B"},
             {"saf", "A"},
             {"typical", sign > 0 ? "D" : "C"},
             {"consolidation", std::to_string(main) + "-" + centers[0] + "-" + departments[0]}});
      }
    }
  }
  company["accounts"] = accounts;

  // Openings of the earliest year: the bank holds the other side.
  std::size_t n = ledger.size();
  std::vector<Cents> opening(n, 0);
  for (std::size_t a = 2; a < n; ++a)
    if (!ledger[a].income_statement)
      opening[a] = ledger[a].sign * ledger[a].scale * (1 + random.Below(12));
  Cents total = 0;
  for (std::size_t a = 1; a < n; ++a) total += opening[a];
  opening[0] = -total;

  json comparatives = json::array(), balances = json::array(), transactions = json::array();
  const char* sources[] = {"GJ", "AP", "AR", "CR", "CD"};
  long long posting = 0;
  int first_year = o.fiscal_year - o.years;
  for (int year = first_year; year <= o.fiscal_year; ++year) {
    bool current = year == o.fiscal_year;
    int active = current ? o.current_period : kPeriods;
    std::vector<std::array<Cents, kPeriods>> activity(n);
    for (int p = 0; p < active; ++p) {
      Cents sum = 0;
      for (std::size_t a = 1; a < n; ++a) {
        const Account& account = ledger[a];
        int sign = random.Unit() < 0.1 ? -account.sign : account.sign;
        activity[a][p] =
            sign * static_cast<Cents>(std::llround(account.scale * (0.5 + random.Unit())));
        if (ledger[a].main == 3900) activity[a][p] = 0;
        sum += activity[a][p];
      }
      activity[0][p] = -sum;
    }
    for (std::size_t a = 0; a < n; ++a) {
      json running = json::array();
      Cents value = ledger[a].income_statement ? 0 : opening[a];
      for (int p = 0; p < kPeriods; ++p) {
        value += activity[a][p];
        running.push_back(Amount(value));
      }
      running.push_back(Amount(value));  // period 13 holds no adjustments
      json record = {
          {"account", ledger[a].display}, {"opening", Amount(opening[a])}, {"periods", running}};
      if (current) {
        balances.push_back(record);
      } else {
        record["year"] = std::to_string(year);
        comparatives.push_back(record);
      }
    }
    if (current) {
      long long account_periods = static_cast<long long>(n) * active;
      for (std::size_t a = 0; a < n; ++a) {
        for (int p = 0; p < active; ++p) {
          Cents amount = activity[a][p];
          if (amount == 0) continue;
          long long count =
              o.transactions / account_periods +
              (random.Unit() * account_periods < o.transactions % account_periods ? 1 : 0);
          Cents left = amount;
          for (long long t = 0; t < count; ++t) {
            Cents part = t + 1 == count ? left : amount / count;
            left -= part;
            ++posting;
            std::string date =
                Format("%04d", year) + Format("%02d", p + 1) + Format("%02d", 1 + random.Below(28));
            transactions.push_back({{"account", ledger[a].display},
                                    {"date", date},
                                    {"id", Format("%07d", static_cast<int>(posting % 10000000))},
                                    {"amount", Amount(part)},
                                    {"source", sources[random.Below(5)]},
                                    {"reference", "Posting " + std::to_string(posting)},
                                    {"flag", "N"}});
          }
        }
      }
    }
    // The next year opens with this year's closing balances, the profit in retained earnings.
    Cents profit = 0;
    for (std::size_t a = 0; a < n; ++a) {
      Cents closing = (ledger[a].income_statement ? 0 : opening[a]);
      for (int p = 0; p < kPeriods; ++p) closing += activity[a][p];
      if (ledger[a].income_statement) {
        profit += closing;
        opening[a] = 0;
      } else {
        opening[a] = closing;
      }
    }
    opening[1] += profit;
  }
  company["comparatives"] = comparatives;
  company["balances"] = balances;
  company["transactions"] = transactions;

  json budgets = json::array();
  for (const Account& account : ledger) {
    if (!account.income_statement) continue;
    json first = json::array(), second = json::array();
    for (int p = 0; p < kPeriods; ++p) {
      Cents plan = account.sign * account.scale;
      first.push_back(Amount(plan));
      second.push_back(Amount(static_cast<Cents>(std::llround(plan * 1.05))));
    }
    std::string year = std::to_string(o.fiscal_year);
    budgets.push_back(
        {{"account", account.display}, {"year", year}, {"revision", 1}, {"periods", first}});
    budgets.push_back(
        {{"account", account.display}, {"year", year}, {"revision", 2}, {"periods", second}});
  }
  company["budgets"] = budgets;

  company["entities"] = {
      {{"code", "ALL"},
       {"ranges", {{centers.front(), departments.front(), centers.back(), departments.back()}}}},
      {{"code", "FIRST"},
       {"ranges", {{centers.front(), departments.front(), centers.front(), departments.back()}}}}};

  using r7::StoredSegment;
  auto range = [&](const char* from, const char* to) {
    return StoredSegment(from) + StoredSegment("0") + StoredSegment("0") + StoredSegment(to) +
           StoredSegment("99") + StoredSegment("999");
  };
  company["layouts"] = {{{"number", 1},
                         {"lines",
                          {{{"line", 0}, {"type", "HDR"}, {"text", "Income statement"}},
                           {{"line", 10}, {"type", "LIT"}, {"text", "Revenue"}},
                           {{"line", 20}, {"type", "RNG"}, {"text", range("4000", "4999")}},
                           {{"line", 30}, {"type", "U"}, {"text", ""}},
                           {{"line", 40}, {"type", "LIT"}, {"text", "Expenses"}},
                           {{"line", 50}, {"type", "RNG1"}, {"text", range("5000", "9999")}},
                           {{"line", 60}, {"type", "DL"}, {"text", ""}}}}}};

  json values = json::array();
  for (const std::string& c : centers)
    values.push_back({{"segment", 2}, {"value", c}, {"description", "Profit center " + c}});
  for (const std::string& d : departments)
    values.push_back({{"segment", 3}, {"value", d}, {"description", "Department " + d}});
  values.push_back({{"segment", 101}, {"value", "4000..4999"}, {"description", "SALES"}});
  values.push_back({{"segment", 101}, {"value", "5000..9999"}, {"description", "COSTS"}});
  company["financial_entities"] = {{"file", o.directory + ".sad"}, {"records", values}};

  return json{{"companies", json::array({company})}};
}

}  // namespace r7::ledger_tool
