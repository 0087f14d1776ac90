// r7-ledger: builds ledger companies from a fixture, prints record-manager files, and
// makes large synthetic companies for benchmarks.
//
//   r7-ledger build FIXTURE.json SYSTEMDIR
//   r7-ledger dump FILE
//   r7-ledger synth [options] SYSTEMDIR
#include <CLI/CLI.hpp>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <variant>

#include "cli/r7-ledger/company_images.h"
#include "cli/r7-ledger/ledger_writer.h"
#include "cli/r7-ledger/synth.h"

namespace {

using namespace r7::ledger_tool;

// A fixture bigger than this is refused rather than read into memory.
constexpr std::streamoff kMaxFixtureBytes = std::streamoff(1) << 30;

int Build(const std::vector<CompanyImages>& companies, const std::string& system_dir) {
  return BuildCompanies(companies, system_dir, std::cerr);
}

int BuildFromFixture(const std::string& fixture_path, const std::string& system_dir) {
  std::ifstream in(fixture_path, std::ios::binary | std::ios::ate);
  if (!in) {
    std::cerr << "r7-ledger: cannot read " << fixture_path << "\n";
    return 1;
  }
  if (in.tellg() > kMaxFixtureBytes) {
    std::cerr << "r7-ledger: " << fixture_path << " is too large for a fixture\n";
    return 1;
  }
  in.seekg(0);
  std::stringstream text;
  text << in.rdbuf();
  FixtureResult result = ParseFixtureText(text.str());
  if (auto* error = std::get_if<FixtureError>(&result)) {
    std::cerr << "r7-ledger: " << fixture_path << ": " << error->message << "\n";
    return 1;
  }
  return Build(std::get<std::vector<CompanyImages>>(result), system_dir);
}

int Synth(const SynthOptions& options, const std::string& system_dir, const std::string& save_as) {
  std::string problem;
  nlohmann::json fixture = SynthFixture(options, problem);
  if (!problem.empty()) {
    std::cerr << "r7-ledger: " << problem << "\n";
    return 2;
  }
  if (!save_as.empty()) {
    std::ofstream out(save_as, std::ios::binary);
    out << fixture.dump(1) << "\n";
    if (!out) {
      std::cerr << "r7-ledger: cannot write " << save_as << "\n";
      return 1;
    }
  }
  FixtureResult result = ParseFixture(fixture);
  if (auto* error = std::get_if<FixtureError>(&result)) {
    std::cerr << "r7-ledger: synthetic company: " << error->message << "\n";
    return 1;
  }
  return Build(std::get<std::vector<CompanyImages>>(result), system_dir);
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Builds, prints and synthesises ledger companies for the driver."};
  app.require_subcommand(1);

  std::string fixture, system_dir, file, save_as;
  CLI::App* build =
      app.add_subcommand("build", "Create the companies of a ledger fixture under SYSTEMDIR");
  build->add_option("FIXTURE", fixture, "the ledger fixture (JSON)")->required();
  build->add_option("SYSTEMDIR", system_dir, "the System Directory")->required();

  CLI::App* dump =
      app.add_subcommand("dump", "Print every record of a file in key-0 order, in hexadecimal");
  dump->add_option("FILE", file, "a record-manager file")->required();

  SynthOptions options;
  CLI::App* synth = app.add_subcommand("synth", "Create a large synthetic company under SYSTEMDIR");
  synth->add_option("SYSTEMDIR", system_dir, "the System Directory")->required();
  synth->add_option("--directory", options.directory, "company directory")->capture_default_str();
  synth->add_option("--name", options.name, "company name")->capture_default_str();
  synth->add_option("--seed", options.seed, "random seed")->capture_default_str();
  synth->add_option("--main-accounts", options.main_accounts, "main accounts (2-9000)")
      ->capture_default_str();
  synth->add_option("--profit-centers", options.profit_centers, "profit centers (1-90)")
      ->capture_default_str();
  synth->add_option("--departments", options.departments, "departments (1-90)")
      ->capture_default_str();
  synth->add_option("--years", options.years, "earlier years of comparatives (0-20)")
      ->capture_default_str();
  synth->add_option("--transactions", options.transactions, "postings this year, about")
      ->capture_default_str();
  synth->add_option("--fiscal-year", options.fiscal_year, "fiscal year")->capture_default_str();
  synth->add_option("--current-period", options.current_period, "current period (1-12)")
      ->capture_default_str();
  synth->add_option("--save-fixture", save_as, "also write the generated fixture to this file");

  CLI11_PARSE(app, argc, argv);
  // Builds go to scratch directories that are flushed once before they move into place
  // and are thrown away on failure: the record manager need not sync each insert, which
  // would make a large company take minutes. A setting the caller made is kept.
  ::setenv("R7_RECORDSTORE_SYNCHRONOUS", "OFF", 0);
  if (build->parsed()) return BuildFromFixture(fixture, system_dir);
  if (dump->parsed()) return DumpFile(file, std::cout, std::cerr);
  return Synth(options, system_dir, save_as);
}
