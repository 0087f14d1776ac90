// The synthetic companies the benchmarks run on.
#include "synth_company.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace r7::bench {
namespace {

std::string ProgramDirectory() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

}  // namespace

std::vector<Size> BenchSizes() {
  std::vector<Size> sizes = {{"1k", 148, 20000}, {"10k", 1545, 40000}};
  if (const char* large = std::getenv("R7_BENCH_LARGE"); large && *large == '1')
    sizes.push_back({"50k", 7900, 80000});
  return sizes;
}

std::string BenchCache() {
  const char* cache = std::getenv("R7_BENCH_DIR");
  return cache ? cache : "/tmp/r7_bench_companies";
}

// A finished build leaves a marker so an interrupted one is redone. The directory names
// the main-account count, so a changed size is never mistaken for a company built before.
std::string CompanyOf(const std::string& cache, const Size& size) {
  const std::string dir = cache + "/" + size.label + "-m" + std::to_string(size.main_accounts);
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

}  // namespace r7::bench
