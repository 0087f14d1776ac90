// The template form of the account specifier that the preload cache keeps its selections
// in, expanded for companies of one, two and three segments.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/error_reporter.h"
#include "fuzz_check.h"
#include "specifiers/account_specifier.h"
#include "specifiers/account_template.h"

namespace {

struct Company {
  int segment_count;
  r7::SegmentLengths lengths;
  r7::SegmentMappings mappings;
};

constexpr Company kCompanies[] = {
    {1, {6, 0, 0}, {2, 2, 2}}, {2, {4, 2, 0}, {3, 3, 2}}, {3, {4, 2, 3}, {1, 2, 3}}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string_view text = bytes.c_str();
  for (const Company& company : kCompanies) {
    r7::ErrorReporter errors;
    std::vector<std::string> raw;
    const int raw_status = r7::ExpandTemplateItems(text, company.segment_count, raw, errors);
    FUZZ_CHECK(raw_status == 0 || raw_status == r7::kParenthesesDontMatch ||
               raw_status == r7::kBlanksNotAllowed || raw_status == 34);
    FUZZ_CHECK(raw.size() <= r7::kMaxExpandedItems);

    r7::ErrorReporter checked_errors;
    std::vector<std::string> items;
    const int status =
        r7::ExpandAccountTemplate(text, company.lengths, company.mappings, items, checked_errors);
    FUZZ_CHECK(items.size() <= r7::kMaxExpandedItems);
    FUZZ_CHECK(checked_errors.text().size() <= 255);
    if (status == 0) FUZZ_CHECK(raw_status == 0);
  }
  return 0;
}
