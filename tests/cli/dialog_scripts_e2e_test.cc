// Every dialog script of tests/dialogs/ through r7 batch against the tutorial company: the
// output each gives is the one its .expected file holds. The smoke test runs the same
// scripts under r7win.exe in Wine and compares the two hosts line for line.
//
// R7_UPDATE_EXPECTED=1 writes the outputs into the .expected files instead, for a person to
// read through before committing them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "fakes/r7_program.h"

namespace r7 {
namespace {

namespace fs = std::filesystem;

const fs::path kScripts = fs::path(R7_SOURCE_DIR) / "tests" / "dialogs";

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The script without its comment lines ("# screenshot" marks included), as r7 takes it.
std::string Lines(const fs::path& script) {
  std::istringstream in(Slurp(script));
  std::string lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.front() != '#') lines += line + "\n";
  }
  return lines;
}

TEST(DialogScriptsEndToEnd, EachScriptAnswersWhatItsExpectedFileHolds) {
  int scripts = 0;
  for (const auto& entry : fs::directory_iterator(kScripts)) {
    if (entry.path().extension() != ".batch") continue;
    ++scripts;
    // The settings of the smoke test's R7.INI, over a fresh tutorial company per script.
    testing::R7Program r7;
    const std::string system =
        r7.BuildSystem(Slurp(fs::path(R7_SOURCE_DIR) / "examples" / "tutorial.json"));
    r7.WriteIni("System Directory=" + system +
                "\nCompany=00\nCurrent Year=2002\nRounding=1\nNA Label=0\n"
                "Financial Entities File in GL Path=1\n");
    testing::ProgramRun run = r7.Run("batch", Lines(entry.path()));
    fs::path expected = entry.path();
    expected.replace_extension(".expected");
    if (std::getenv("R7_UPDATE_EXPECTED") != nullptr) {
      std::ofstream(expected, std::ios::binary) << run.out;
      continue;
    }
    EXPECT_EQ(run.out, Slurp(expected)) << entry.path().filename();
  }
  EXPECT_GE(scripts, 4);
}

}  // namespace
}  // namespace r7
