// Splits a worksheet function's argument text into its positional fields. (platform-independent)
#include "host/field_splitter.h"

#include "base/error_codes.h"
#include "base/limits.h"
#include "common/text_util.h"

namespace r7 {

SplitFields SplitArgumentText(std::string_view text, int min_fields, int max_fields) {
  SplitFields split;
  split.fields.resize(static_cast<std::size_t>(max_fields > 0 ? max_fields : 0));
  std::size_t pos = 0;
  while (pos < text.size() && split.count < max_fields) {
    std::size_t end = text.find(';', pos);
    if (end == std::string_view::npos) end = text.size();
    split.fields[static_cast<std::size_t>(split.count++)] =
        CutTo(text.substr(pos, end - pos), kMaxFieldText);
    pos = end + 1;  // past the separator, or past the end
  }
  if (split.count < min_fields) split.status = kTooFewFields;
  return split;
}

}  // namespace r7
