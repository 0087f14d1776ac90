// The Data Preload dialog (template "TURBO"): the user's control over the preload cache.
// It picks a company, the account specifier, year and budget revision, and which of this
// year, last year and the budget to load; loads or unloads them with the record and index
// counters moving; and switches the company's automatic preload at start-up on or off (its
// "ADPL" settings). (platform-independent)
//
// The automatic preload at start-up drives the same dialog: it opens it in automatic mode
// with the company to preload chosen, presses Load and then Quit.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "tools/tool_context.h"

namespace r7::data_preload {

// The company that the start-up preload is loading through the dialog; empty otherwise.
struct AutomaticMode {
  std::string company;
};

// Creates the dialog owned by `owner`; kNoWindow when it could not be created.
platform::WindowId OpenDataPreloadDialog(const ToolContext& context,
                                         std::shared_ptr<AutomaticMode> mode,
                                         platform::WindowId owner);

// The start-up preload of one company whose "ADPL" settings are already in its preload
// settings: the dialog in automatic mode, Load, then Quit.
void PreloadAtStartUp(const ToolContext& context, const std::shared_ptr<AutomaticMode>& mode,
                      std::string_view company);

}  // namespace r7::data_preload
