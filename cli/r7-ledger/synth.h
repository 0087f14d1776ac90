// A large synthetic company for benchmarks, as a ledger fixture: thousands of accounts
// over three segments, balance-sheet and income-statement accounts, years of comparative
// balances, two budget revisions and transactions.
//
// The same options and seed always give the same fixture, byte for byte, on every
// machine: the generator uses its own random sequence, not the standard library's
// distributions. The books balance: every period's postings sum to zero, balances are
// running values (year-to-date for income-statement accounts), and each year's opening
// balances are the previous year's closing ones with the profit carried to retained
// earnings.
#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

namespace r7::ledger_tool {

struct SynthOptions {
  std::string directory = "SYNTH";
  std::string name = "Synthetic Ledger Co";
  std::uint64_t seed = 1;
  int main_accounts = 400;   // 2 to 9000
  int profit_centers = 5;    // 1 to 90
  int departments = 4;       // 1 to 90
  int years = 3;             // earlier years of comparative balances, 0 to 20
  int transactions = 20000;  // about this many postings in the current year
  int fiscal_year = 2002;
  int current_period = 5;  // 1 to 12
};

// The fixture, or an empty value with `problem` set when an option is out of range.
nlohmann::json SynthFixture(const SynthOptions& options, std::string& problem);

}  // namespace r7::ledger_tool
