// The r7 program end to end, as the programs that rely on it run it: a temporary Windows
// directory for its R7.INI (and, when a test needs one, a system directory built by
// r7-ledger), removed with this object. In-process tests use fakes/r7_session.h instead.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "fakes/run_program.h"

namespace r7::testing {

class R7Program {
 public:
  R7Program() : windir_(MakeTempDir("windir")) {}
  ~R7Program() { std::filesystem::remove_all(windir_); }
  R7Program(const R7Program&) = delete;
  R7Program& operator=(const R7Program&) = delete;

  const std::string& windir() const { return windir_; }

  // R7.INI with these "Key=value" lines in the driver's section.
  void WriteIni(const std::string& settings) const {
    std::ofstream(windir_ + "/R7.INI") << "[R7 for Tessary]\n" << settings;
  }

  // R7.INI as the program left it.
  std::string Ini() const {
    std::ifstream in(windir_ + "/R7.INI");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // `r7 ARGS` with R7_WINDIR naming this directory.
  ProgramRun Run(const std::string& args, const std::string& input = "") const {
    return RunProgram("r7 " + args, input, "R7_WINDIR='" + windir_ + "'");
  }

  // A system directory inside this one, built by `r7-ledger build` from fixture text.
  std::string BuildSystem(const std::string& fixture) const {
    std::ofstream(windir_ + "/fixture.json") << fixture;
    ProgramRun run =
        RunProgram("r7-ledger build '" + windir_ + "/fixture.json' '" + windir_ + "/sys'");
    EXPECT_EQ(run.exit_status, 0) << run.err;
    return windir_ + "/sys";
  }

 private:
  std::string windir_;
};

}  // namespace r7::testing
