// The menu-command processor: codes 3 to 22 of the export. (platform-independent)
//
// NoShow is 0 on entry and again on exit; in between the command's pairs may set it. With
// NoShow 0 the command window is shown, takes the focus and gets the code's menu id posted
// (interactive mode); otherwise it is hidden and the code's silent action runs at once.
// Silent actions: 3 saves every setting (error 61 in a box on failure), 20 preloads the
// "DPL" selection, 21 drops the loaded companies and caches and rebuilds the company
// directory list; the tools' codes create, drive and close their dialog, or show 42 while
// the tool is not built.
#pragma once

#include <string_view>

namespace r7 {

class Driver;

void RunMenuCommand(Driver& driver, int code, std::string_view argument);

// The menu id that interactive mode posts for a code; 0 for codes that only show the window.
int MenuIdOfCode(int code);

}  // namespace r7
