// The command codes of the export: what kind each is and how many fields it takes.
// (platform-independent)
#pragma once

#include <span>

namespace r7 {

enum class CommandKind {
  kMenu,       // a CommandPairList for the menu-command processor; nothing is returned
  kDirect,     // handled by the export itself (usage tracking, version)
  kWorksheet,  // a worksheet function: ';'-separated fields, a result text and a line end
};

struct CommandInfo {
  int code;
  CommandKind kind;
  int min_fields;
  int max_fields;
};

// The row of a defined code; null for a rejected one.
const CommandInfo* FindCommand(int code);

std::span<const CommandInfo> AllCommands();

// Codes the export handles itself.
inline constexpr int kShowCommandWindow = 8;
inline constexpr int kStartUsageTracking = 11;
inline constexpr int kStopUsageTracking = 12;
inline constexpr int kBalance = 100;
inline constexpr int kBalanceReversed = 102;
inline constexpr int kVersion = 125;
inline constexpr int kBudgetWrite = 126;
inline constexpr int kWdesc = 127;

inline constexpr const char* kVersionText =
    "R7 DLL Version 4.0.0.4 for Tessary, Btrieve/Pervasive, August, 2002";

}  // namespace r7
