// The worksheet argument splitter with the field counts of every worksheet handler: the
// fields are what lies between the ';', cut to their buffers, and never more than asked.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "host/field_splitter.h"

namespace {

struct FieldCounts {
  int min;
  int max;
};

// The minimum and maximum of each worksheet code's fields, and the extremes.
constexpr FieldCounts kHandlerCounts[] = {{1, 5}, {1, 4}, {3, 5}, {1, 3},
                                          {1, 2}, {2, 3}, {2, 6}, {0, 0}};
constexpr std::size_t kFieldCapacity = 511;

void CheckSplit(std::string_view text, FieldCounts counts) {
  const r7::SplitFields split = r7::SplitArgumentText(text, counts.min, counts.max);
  FUZZ_CHECK(split.fields.size() == static_cast<std::size_t>(counts.max));
  FUZZ_CHECK(split.count >= 0 && split.count <= counts.max);
  FUZZ_CHECK((split.status == 0) == (split.count >= counts.min));
  FUZZ_CHECK(split.status == 0 || split.status == 4);
  bool cut = false;
  for (int i = 0; i < counts.max; ++i) {
    const std::string& field = split.fields[static_cast<std::size_t>(i)];
    FUZZ_CHECK(field.size() <= kFieldCapacity);
    FUZZ_CHECK(field.find(';') == std::string::npos);
    if (i >= split.count) FUZZ_CHECK(field.empty());
    cut = cut || field.size() == kFieldCapacity;
  }
  // With nothing cut and room for every field, the fields joined again are the text (less
  // a ';' at its very end, which adds no field).
  if (!cut && split.count < counts.max) {
    std::string joined;
    for (int i = 0; i < split.count; ++i) {
      if (i > 0) joined += ';';
      joined += split.fields[static_cast<std::size_t>(i)];
    }
    std::string_view whole = text;
    if (!whole.empty() && whole.back() == ';') whole.remove_suffix(1);
    FUZZ_CHECK(joined == whole);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string_view argument = bytes.c_str();  // up to the NUL, as the export reads it
  for (const FieldCounts& counts : kHandlerCounts) CheckSplit(argument, counts);
  return 0;
}
