// What the session read from the companies' financial entities files, forgotten when a
// file or the place of the files changes. (platform-independent)
//
// Two things outlive a read of an entities file: the preload cache's remembered expansions
// of account specifiers (an entity name expands to what the file held when the specifier
// was first seen), and the lists' caches when the lists come from the file. Anything that
// changes a file, or where the files are looked for, calls one of these so that the next
// worksheet call and the next list read the file as it is now.
#pragma once

#include "tools/tool_context.h"

namespace r7 {

// Forgets every loaded company's remembered specifier expansions, and the list caches
// when the lists come from the entities file.
void ForgetEntitiesReadings(const ToolContext& context);

// The place of the entities files changed: every loaded company closes its file, looks
// for one at the new place, and what was read from the old ones is forgotten.
void FollowEntitiesPlace(const ToolContext& context);

}  // namespace r7
