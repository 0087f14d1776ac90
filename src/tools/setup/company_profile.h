// The company profile of the Setup dialog: a few facts of one company as lines of text for
// the clipboard and an information box. (platform-independent)
//
// "Company: " and the code, then the name, the current period, the periods per year, the
// fiscal year, the account code structure and the number of segments from the company
// information items, each line ended by CR LF. A line whose item fails is left out; when
// the name fails there is no profile, and the status says why.
#pragma once

#include <string>
#include <string_view>

#include "ledger/company_catalogue.h"

namespace r7::setup {

struct CompanyProfile {
  int status = 0;  // the name's status: 0, or the failure that leaves no profile
  std::string text;
};

CompanyProfile BuildCompanyProfile(CompanyCatalogue& companies, std::string_view code);

}  // namespace r7::setup
