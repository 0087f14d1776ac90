// The account-usage report of code 12: for each loaded company whose used-account list is
// not empty, the runs of accounts of its chart that the sheet did not use and the accounts
// it did use with their counts. (platform-independent)
//
// The report replaces the clipboard's contents; each reported company's used-account list
// is emptied. Companies that failed to load, and companies without a used account, are
// left out. Layout, lines ending in CR LF, fields separated by tabs, accounts as labels:
//   <company name> TAB The current sheet does not use the following accounts:
//   (empty line)
//   From TAB '<first unused> TAB To TAB '<last unused>      one line per run
//   (empty line)
//   The current sheet uses the following accounts:
//   (empty line)
//   '<account> TAB <description> TAB <uses>                   in order of first use
#pragma once

#include <string>

#include "ledger/ledger_services.h"
#include "platform/clipboard.h"

namespace r7 {

// Builds the report text over the loaded companies of `services`, empties the reported
// lists and returns the text.
std::string BuildUsageReport(const LedgerServices& services);

// Empties the clipboard, builds the report and hands it to the clipboard.
void WriteUsageReport(const LedgerServices& services, platform::Clipboard& clipboard);

}  // namespace r7
