// Menu commands and clean-up end to end, through the r7 host with R7.INI in R7_WINDIR.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "fakes/r7_program.h"

namespace r7 {
namespace {

TEST(MenuCommandsEndToEnd, WhatEachBatchPrintsShowsAndSaves) {
  struct Case {
    const char* what;
    const char* input;
    const char* out;
    const char* err;
    const char* saved;      // lines R7.INI holds after the batch
    const char* not_saved;  // text it does not hold
  } cases[] = {
      {"a silent save writes every setting and shows nothing", "3\tNoShow=1\n", "0\t\n", "",
       "[R7 for Tessary]\nCompany=00\nZero Label=0\nSystem Directory=C:\\Tessary\nNA Label=1\n"
       "ADPL Enabled=0\n",
       "NoShow"},  // pair-only items are not saved
      {"pairs change what the save writes",
       "3\tCompany='05',Zero Label=-,NoShow=1\n"
       // An opening quote quotes up to its match: mismatched and lone quotes end a list.
       "3\tRevision=\"07\",NoShow=1,Frobnicate=1,Rounding,Current Year='2001\"\n"
       "3\tNoShow=1,Budget Year='1999\n"
       "3\tScaling=2,NoShow=1,Scaling\n",
       "0\t\n0\t\n0\t\n0\t\n", "",
       "Company=05\nZero Label=-\nRevision=07\nCurrent Year=1994\nBudget Year=1999\nRounding=0\n"
       "Scaling=2\n",
       "Frobnicate"},
      // The box shows before the line whose action showed it.
      {"interactive setup opens its dialog; only the silent save saves",
       "3\tCompany=07\ndialogs\n3\tNoShow=2\n", "0\t\n0\tSETUP\\tSetup - Tessary\n0\t\n", "",
       "Company=07\n", nullptr},
      {"clean-up frees everything and the next call starts afresh",
       "3\tCompany=05,NoShow=1\ncleanup\n125\ncleanup\ncleanup\n",
       "0\t\n0\t\n0\tR7 DLL Version 4.0.0.4 for Tessary, Btrieve/Pervasive, August, 2002\n"
       "0\t\n0\t\n",
       "", "", nullptr},
  };
  for (const Case& c : cases) {
    testing::R7Program r7;
    testing::ProgramRun run = r7.Run("batch", c.input);
    EXPECT_EQ(run.out, c.out) << c.what;
    EXPECT_EQ(run.err, c.err) << c.what;
    const std::string ini = r7.Ini();
    std::istringstream saved(c.saved);
    for (std::string line; std::getline(saved, line);) {
      EXPECT_NE(ini.find(line + "\n"), std::string::npos) << c.what << ": " << line;
    }
    if (c.not_saved) {
      EXPECT_EQ(ini.find(c.not_saved), std::string::npos) << c.what;
    }
  }
}

TEST(MenuCommandsEndToEnd, AnUnwritableIniShowsError61) {
  testing::R7Program r7;
  // The replacement file cannot be written.
  std::filesystem::create_directory(r7.windir() + "/R7.INI.tmp");
  testing::ProgramRun run = r7.Run("batch", "3\tNoShow=1\n");
  EXPECT_EQ(run.out, "box\tR7 [Tessary]\tThe .INI file could not be written.\n0\t\n");
  EXPECT_EQ(run.err, "R7 [Tessary]: The .INI file could not be written.\n");
}

TEST(MenuCommandsEndToEnd, TheSilentPreloadRunsQuietlyTheAutomaticOneInItsDialog) {
  testing::R7Program r7;
  const std::string system = r7.BuildSystem(R"({"companies": [
      {"directory": "DATA_02", "name": "Second Co", "segment_lengths": [4, 2, 3],
       "periods": [["20020101", "20020131"]], "current_period": 1},
      {"directory": "DATA_03", "name": "Third Co", "segment_lengths": [4, 2, 3],
       "periods": [["20020101", "20020131"]], "current_period": 1}]})");
  r7.WriteIni("System Directory=" + system +
              "\nADPL Enabled=1\nADPL Company On 03=1\nADPL Company On 02=0\n");
  testing::ProgramRun run = r7.Run("batch",
                                   "8\n"
                                   "20\tDPL Company=02,DPL Account=*-*-*,NoShow=1\n"
                                   "20\tDPL Company=99,NoShow=1\n"
                                   "21\tNoShow=1\n");
  // Start-up preloads company 03 only, through the data preload dialog, which says that the
  // company has no accounts; the silent command preloads 02 without a window, and says
  // nothing; 99 does not load.
  const std::string none =
      "R7 [Tessary]\tDataPreLoad did not find any records for the current key.";
  EXPECT_EQ(run.out, "box\t" + none + "\n0\t\n0\t\n0\t\n0\t\n");
  EXPECT_EQ(run.err, "R7 [Tessary]: DataPreLoad did not find any records for the current key.\n");
}

}  // namespace
}  // namespace r7
