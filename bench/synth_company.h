// The synthetic companies the benchmarks run on: built once with `r7-ledger synth` into
// R7_BENCH_DIR (default /tmp/r7_bench_companies) and kept there, so that every benchmark
// program and every run reads the same ledgers.
#pragma once

#include <string>
#include <vector>

namespace r7::bench {

// synth keeps about 6.4 of the 5 x 4 profit-center and department combinations of each
// main account; the main-account counts of the sizes give about 1,000, 10,000 and 50,000
// accounts.
struct Size {
  const char* label;
  int main_accounts;
  int transactions;
};

// The 1k and 10k companies, and with R7_BENCH_LARGE=1 the 50k one.
std::vector<Size> BenchSizes();
// R7_BENCH_DIR, or the default.
std::string BenchCache();
// The directory of the company of `size` (its system directory is "sys" inside), built
// when it is not there; empty when r7-ledger failed.
std::string CompanyOf(const std::string& cache, const Size& size);

}  // namespace r7::bench
