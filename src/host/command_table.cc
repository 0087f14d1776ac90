// The command codes of the export. (platform-independent)
#include "host/command_table.h"

#include <algorithm>
#include <array>

namespace r7 {
namespace {

using K = CommandKind;

constexpr std::array<CommandInfo, 24> kCommands = {{
    {3, K::kMenu, 0, 0},         // Setup; silently: save all settings
    {4, K::kMenu, 0, 0},         // Chart copy
    {5, K::kMenu, 0, 0},         // Drill
    {8, K::kMenu, 0, 0},         // show the command window only
    {9, K::kMenu, 0, 0},         // driver help
    {11, K::kDirect, 0, 0},      // start account-usage tracking
    {12, K::kDirect, 0, 0},      // stop tracking, usage report to the clipboard
    {13, K::kMenu, 0, 0},        // Budget write
    {14, K::kMenu, 0, 0},        // Period wizard
    {15, K::kMenu, 0, 0},        // show the command window only
    {19, K::kMenu, 0, 0},        // Lists
    {20, K::kMenu, 0, 0},        // Data preload
    {21, K::kMenu, 0, 0},        // reset (silent only)
    {22, K::kMenu, 0, 0},        // Account enquiry
    {100, K::kWorksheet, 1, 5},  // balance summed over a company list
    {102, K::kWorksheet, 1, 5},  // balance, sign reversed
    {103, K::kWorksheet, 1, 4},  // account description
    {104, K::kWorksheet, 3, 5},  // GLTRAN: transaction total between two dates
    {114, K::kWorksheet, 1, 3},  // segment description
    {115, K::kWorksheet, 1, 2},  // company information
    {116, K::kWorksheet, 2, 3},  // account information
    {125, K::kDirect, 0, 0},     // version text
    {126, K::kWorksheet, 2, 6},  // budget write of one value
    {127, K::kWorksheet, 0, 0},  // WDESC, refused
}};

}  // namespace

const CommandInfo* FindCommand(int code) {
  auto it = std::find_if(kCommands.begin(), kCommands.end(),
                         [code](const CommandInfo& c) { return c.code == code; });
  return it == kCommands.end() ? nullptr : &*it;
}

std::span<const CommandInfo> AllCommands() {
  return kCommands;
}

}  // namespace r7
