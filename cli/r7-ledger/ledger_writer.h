// Writes companies' files into a system directory through the record manager's own call
// interface, and prints a record-manager file.
//
// `BuildCompanies` makes every company whole or none: each company is written into a
// temporary directory beside its target, and only when all are written are they moved
// into place (replacing a company directory of the same name, compared without regard to
// case, as the driver finds directories). Each company's files are flushed to disk before
// they move, so the record manager need not sync every write of the build. On any failure the
// temporary directories are removed and the system directory is left as it was.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/r7-ledger/company_images.h"

namespace r7::ledger_tool {

// 0 on success; otherwise writes one line naming the failure to `error` and returns 1.
int BuildCompanies(const std::vector<CompanyImages>& companies, const std::string& system_dir,
                   std::ostream& error);

// Every record of `path` in the order of key 0, one line each in lower-case hexadecimal.
// 0 on success; otherwise one line to `error` and 1.
int DumpFile(const std::string& path, std::ostream& out, std::ostream& error);

}  // namespace r7::ledger_tool
