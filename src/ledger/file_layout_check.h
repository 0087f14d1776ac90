// Whether an open record-manager file holds the layout the driver reads it by.
// (platform-independent)
//
// A ledger file of another layout (another ledger file copied over it, a file another
// program made under its name) opens and reads without complaint, and every figure read
// from it would be taken from the wrong bytes. The check asks what the driver relies on:
// records at least as long as the layout (the accounting system may have longer ones), and
// each key the file has made of exactly the layout's parts for it, which the keys the driver
// builds assume (a file may have fewer keys: the driver then reads by key 0 alone). Two
// layouts with the same keys, the longer records copied over the shorter, pass: nothing in
// a layout tells them apart.
#pragma once

#include <cstdint>
#include <string_view>

#include "ledger/ledger_file_definitions.h"

namespace r7 {

// `stat_spec`: the file and key descriptions a Stat returned (16 bytes, then 16 per key
// part). 0 when the file holds the layout; else the record manager's status for what
// differs: 28 (record length) or 27 (key position, also for a description too short to
// tell).
int16_t CheckFileLayout(std::string_view stat_spec, const ledger::FileDefinition& layout);

}  // namespace r7
