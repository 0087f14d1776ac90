// Ledger companies for tests, built in process through the stand-in record manager's call
// interface exactly as `r7-ledger build` writes them.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "cli/r7-ledger/synth.h"

namespace r7::testing {

// A fresh system directory holding the companies of tests/fixtures/NAME.json; the caller
// owns it (and removes it). Fails the calling test when the fixture does not build.
std::string BuildFixture(std::string_view name);

// The same from fixture text, for a test's own small ledger.
std::string BuildFixtureText(std::string_view json);

// A directory that is removed with this object; declare it before whatever has files
// open in it, so that they are closed first.
class FixtureDirectory {
 public:
  explicit FixtureDirectory(std::string path) : path_(std::move(path)) {}
  ~FixtureDirectory();
  FixtureDirectory(const FixtureDirectory&) = delete;
  FixtureDirectory& operator=(const FixtureDirectory&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// A fresh system directory holding the synthetic company of `options`.
std::string BuildSynthFixture(const ledger_tool::SynthOptions& options);

// A system directory of tests/fixtures/NAME.json built once per test program and shared
// by every test that only reads it; removed when the program ends.
const std::string& SharedFixture(std::string_view name);

// A fresh copy of the shared system directory of tests/fixtures/NAME.json, for a test that
// changes its files; the caller owns it.
std::string CopyOfFixture(std::string_view name);

}  // namespace r7::testing
