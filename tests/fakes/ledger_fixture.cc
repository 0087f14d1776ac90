// Ledger companies for tests, built in process.
#include "fakes/ledger_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "cli/r7-ledger/company_images.h"
#include "cli/r7-ledger/ledger_writer.h"
#include "fakes/run_program.h"

namespace r7::testing {
namespace {

std::string ReadFixture(std::string_view name) {
  std::ifstream in(std::string(R7_SOURCE_DIR) + "/tests/fixtures/" + std::string(name) + ".json");
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Removes the shared directories when the test program ends.
struct SharedDirectories {
  std::map<std::string, std::string, std::less<>> by_name;
  ~SharedDirectories() {
    for (const auto& [name, directory] : by_name) std::filesystem::remove_all(directory);
  }
};

}  // namespace

FixtureDirectory::~FixtureDirectory() {
  std::filesystem::remove_all(path_);
}

std::string BuildFixtureText(std::string_view json) {
  // A test's companies are thrown away with it: no write need reach the disk.
  ::setenv("R7_RECORDSTORE_SYNCHRONOUS", "OFF", 0);
  ledger_tool::FixtureResult parsed = ledger_tool::ParseFixtureText(json);
  std::string system = MakeTempDir("ledger");
  if (const auto* error = std::get_if<ledger_tool::FixtureError>(&parsed)) {
    ADD_FAILURE() << "fixture refused: " << error->message;
    return system;
  }
  std::ostringstream problem;
  const auto& companies = std::get<std::vector<ledger_tool::CompanyImages>>(parsed);
  if (ledger_tool::BuildCompanies(companies, system, problem) != 0) {
    ADD_FAILURE() << "fixture not built: " << problem.str();
  }
  return system;
}

std::string BuildSynthFixture(const ledger_tool::SynthOptions& options) {
  std::string problem;
  nlohmann::json fixture = ledger_tool::SynthFixture(options, problem);
  if (!problem.empty()) ADD_FAILURE() << "synthetic company refused: " << problem;
  return BuildFixtureText(fixture.dump());
}

std::string BuildFixture(std::string_view name) {
  return BuildFixtureText(ReadFixture(name));
}

const std::string& SharedFixture(std::string_view name) {
  static SharedDirectories shared;
  auto found = shared.by_name.find(name);
  if (found == shared.by_name.end()) {
    found = shared.by_name.emplace(std::string(name), BuildFixture(name)).first;
  }
  return found->second;
}

std::string CopyOfFixture(std::string_view name) {
  const std::string copy = MakeTempDir("copy");
  std::filesystem::copy(SharedFixture(name), copy, std::filesystem::copy_options::recursive);
  return copy;
}

}  // namespace r7::testing
