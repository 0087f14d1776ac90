// The financial entities file written anew while the r7 process is killed: a rebuild from
// the ledger (SAD) and a new file (FESETUP's Create new), each killed at moments after its
// new file appeared. The company's file is afterwards the old file or the new one, record
// for record, never a mixture that lost entities or values.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "fakes/r7_program.h"

namespace r7 {
namespace {

namespace fs = std::filesystem;

// One r7 batch of `script`, killed `delay` after the new file appears unless it ends first.
struct KilledRun {
  bool killed_building = false;  // killed while the new file was being built
};

KilledRun RunAndKill(const std::string& windir, const std::string& script, const fs::path& new_file,
                     std::chrono::milliseconds delay) {
  const std::string r7 = testing::BinDir() + "/r7";
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int in = ::open(script.c_str(), O_RDONLY);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(in, 0);
    ::dup2(null, 1);
    ::dup2(null, 2);
    ::setenv("R7_WINDIR", windir.c_str(), 1);
    ::execl(r7.c_str(), "r7", "batch", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  KilledRun run;
  int status = 0;
  while (!fs::exists(new_file)) {
    if (::waitpid(pid, &status, WNOHANG) == pid) return run;  // it ended without one
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  std::this_thread::sleep_for(delay);
  ::kill(pid, SIGKILL);
  ::waitpid(pid, &status, 0);
  // Putting the new file in place removes its name: still there, it was not in place yet.
  run.killed_building = WIFSIGNALED(status) && fs::exists(new_file);
  return run;
}

class EntitiesKillTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const testing::ProgramRun synth = testing::RunProgram(
        "r7-ledger synth --directory DATA_07 --main-accounts 300 --profit-centers 2 "
        "--departments 2 --years 0 --transactions 10 '" +
        system_ + "'");
    ASSERT_EQ(synth.exit_status, 0) << synth.err;
    r7_.WriteIni("System Directory=" + system_ +
                 "\nCompany=07\nCurrent Year=2002\nFinancial Entities File in GL Path=1\n");
  }

  std::string Batch(const std::string& lines) { return r7_.Run("batch", lines).out; }
  std::string Dump() { return testing::RunProgram("r7-ledger dump '" + sad_.string() + "'").out; }
  std::string WriteScript(const std::string& name, const std::string& lines) {
    const std::string path = r7_.windir() + "/" + name;
    std::ofstream(path) << lines;
    return path;
  }

  // The file a person made: built from the ledger, half its values deleted, two entities.
  void MakeOldFile() {
    Batch("menu 115\ndialog SAD\npress 2118\n");
    // The main accounts' values, from the clipboard's escaped rows "'1000\r\n'1010\r\n...".
    std::string listed = Batch("19\tList=Main,NoShow=1\nclipboard\n");
    listed = listed.substr(listed.rfind('\t') + 1);
    std::string lines = "menu 115\ndialog SAD\n";
    int row = 0;
    for (std::size_t at = listed.find('\''); at != std::string::npos; at = listed.find('\'', at)) {
      const std::size_t end = listed.find('\\', at);
      const std::string value = listed.substr(at + 1, end - at - 1);
      at = end;
      if (++row % 2 == 0) lines += "set 2117 " + value + "\npress 2128\n";
    }
    ASSERT_GT(row, 100);
    lines +=
        "check 2166 1\nset 2117 ALL\nset 2116 *\npress 2129\n"
        "set 2117 LOW\nset 2116 1000..1999\npress 2129\n";
    Batch(lines);
  }

  testing::R7Program r7_;
  std::string system_ = r7_.windir() + "/sys";
  fs::path sad_ = fs::path(system_) / "DATA_07" / "07.sad";
  fs::path new_file_ = fs::path(system_) / "DATA_07" / "07.sad.new";
};

TEST_F(EntitiesKillTest, AKilledRebuildLeavesTheOldFileOrTheNewOne) {
  MakeOldFile();
  const std::string old_copy = r7_.windir() + "/old.sad";
  fs::copy_file(sad_, old_copy);
  const std::string old_dump = Dump();
  ASSERT_NE(old_dump.find("414c4c"), std::string::npos);  // "ALL" among the entities

  struct Case {
    const char* what;
    std::string script;
  } cases[] = {
      {"rebuild from the ledger", "menu 115\ndialog SAD\npress 2118\n"},
      {"create new", "menu 102\ndialog SETUP\npress 2220\ndialog FESETUP\nanswer ok\npress 3105\n"},
  };
  for (const Case& c : cases) {
    const std::string script = WriteScript("script.batch", c.script);
    // The new file, made to the end; a new file a crash left behind is replaced.
    fs::copy_file(old_copy, sad_, fs::copy_options::overwrite_existing);
    std::ofstream(new_file_) << "left behind by a crash";
    Batch(c.script);
    const std::string new_dump = Dump();
    ASSERT_FALSE(new_dump == old_dump) << c.what;
    EXPECT_FALSE(fs::exists(new_file_)) << c.what;

    int killed_building = 0;
    for (int delay : {0, 1, 3, 10, 30, 100, 300}) {
      fs::copy_file(old_copy, sad_, fs::copy_options::overwrite_existing);
      fs::remove(new_file_);
      const KilledRun run =
          RunAndKill(r7_.windir(), script, new_file_, std::chrono::milliseconds(delay));
      killed_building += run.killed_building;
      const std::string dump = Dump();
      EXPECT_TRUE(dump == old_dump || dump == new_dump)
          << c.what << ", killed " << delay << " ms after the new file appeared";
      if (run.killed_building) {
        EXPECT_TRUE(dump == old_dump) << c.what << ", killed while built, " << delay << " ms";
      }
    }
    EXPECT_GT(killed_building, 0) << c.what << ": no kill landed while the file was built";
  }
}

}  // namespace
}  // namespace r7
