// Runs one of the project's programs for an end-to-end test.
#include "fakes/run_program.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace r7::testing {
std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string BinDir() {
  return R7_BIN_DIR;
}

std::string MakeTempDir(const std::string& tag) {
  std::string pattern =
      (std::filesystem::temp_directory_path() / ("r7-" + tag + "-XXXXXX")).string();
  if (::mkdtemp(pattern.data()) == nullptr) std::abort();
  return pattern;
}

ProgramRun RunProgram(const std::string& command, const std::string& input,
                      const std::string& environment) {
  std::string dir = MakeTempDir("run");
  std::ofstream(dir + "/in", std::ios::binary) << input;
  std::string line = "cd '" + dir + "' && PATH='" + BinDir() + "':\"$PATH\" " + environment + " " +
                     command + " <in >out 2>err";
  ProgramRun run;
  int status = std::system(line.c_str());
  run.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = FileText(dir + "/out");
  run.err = FileText(dir + "/err");
  std::filesystem::remove_all(dir);
  return run;
}

}  // namespace r7::testing
