// Runs one of the project's programs for an end-to-end test and captures what it printed.
#pragma once

#include <string>

namespace r7::testing {

struct ProgramRun {
  int exit_status = -1;
  std::string out;  // standard output, byte for byte
  std::string err;  // standard error
};

// Runs `command` with /bin/sh, `input` on its standard input, in the build's program
// directory on PATH. The command's environment is the test's, plus `environment`
// ("NAME=value ..." prefixed to the command).
ProgramRun RunProgram(const std::string& command, const std::string& input = "",
                      const std::string& environment = "");

// The build's program directory and a fresh temporary directory for one test.
std::string BinDir();
std::string MakeTempDir(const std::string& tag);

// A file's bytes; empty when it cannot be read.
std::string FileText(const std::string& path);

}  // namespace r7::testing
