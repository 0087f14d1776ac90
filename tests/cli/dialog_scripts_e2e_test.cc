// Every dialog script of tests/dialogs/ through r7 batch against the tutorial company: the
// output each gives is the one its .expected file holds. A script's .clipboard file, when it
// has one, is the clipboard's text at its start (r7 --clipboard-in). The smoke test runs the same
// scripts under r7win.exe in Wine and compares the two hosts line for line.
//
// A script names the system directory as %SYSTEM% (to browse to a company's files, say):
// each host puts in its own path for it (here the POSIX one, under Wine the same directory
// through drive Z:), and puts %SYSTEM% back wherever that path shows in the output.
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

constexpr std::string_view kSystemMark = "%SYSTEM%";

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
    text.replace(at, from.size(), to);
    at += to.size();
  }
  return text;
}

// The script without its comment lines ("# screenshot" marks included), as r7 takes it.
std::string Lines(const fs::path& script, const std::string& system) {
  std::istringstream in(Slurp(script));
  std::string lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.front() != '#') lines += ReplaceAll(line, kSystemMark, system) + "\n";
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
    // A script's clipboard, when it has one beside it, is there before its first line.
    fs::path clipboard = entry.path();
    clipboard.replace_extension(".clipboard");
    const std::string clipboard_in =
        fs::exists(clipboard) ? "--clipboard-in '" + clipboard.string() + "' " : "";
    testing::ProgramRun run = r7.Run(clipboard_in + "batch", Lines(entry.path(), system));
    run.out = ReplaceAll(run.out, system, kSystemMark);
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
