// The company, budget revision and year boxes that several tools show, filled and set the
// same way. (platform-independent)
#pragma once

#include <string>
#include <string_view>

#include "tools/tool_context.h"

namespace r7::ledger_boxes {

// The company directories, with the entry of `code` selected; a code that no entry holds
// is shown as typed.
void FillCompanies(const ToolContext& context, platform::WindowId dialog, int control,
                   std::string_view code);

// The company code of a company box's entry or typed text: up to the first blank or tab
// (an entry shows the company's name after its code), at most 12 characters.
std::string CompanyCodeOfEntry(std::string_view entry);
// The company code in a company box.
std::string CompanyCode(const ToolContext& context, platform::WindowId dialog, int control);

// "01" to "99", with `revision` selected (by its number, "1" is "01"), else shown as typed.
void FillRevisions(const ToolContext& context, platform::WindowId dialog, int control,
                   std::string_view revision);

// The company's years from the latest to the earliest, with `year` selected, else shown
// as typed; no entries for a company that did not load.
void FillYears(const ToolContext& context, platform::WindowId dialog, int control,
               const CompanyContext* company, std::string_view year);

}  // namespace r7::ledger_boxes
