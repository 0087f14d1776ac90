// Splits a worksheet function's argument text into its positional fields. (platform-independent)
//
// Fields are separated by ';' with no trimming and no quoting. An empty field between two
// separators counts; a separator at the very end adds none; fields past the maximum are
// ignored. Each field keeps at most 511 characters.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace r7 {

struct SplitFields {
  int status = 0;                   // 0, or 4 when fewer than the minimum were given
  std::vector<std::string> fields;  // always `max_fields` entries, the missing ones empty
  int count = 0;                    // fields actually given
};

SplitFields SplitArgumentText(std::string_view text, int min_fields, int max_fields);

}  // namespace r7
