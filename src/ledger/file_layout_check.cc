// Whether an open record-manager file holds the layout the driver reads it by.
// (platform-independent)
#include "ledger/file_layout_check.h"

#include <cstddef>

#include "wbtrv32.h"

namespace r7 {
namespace {

constexpr std::size_t kFileSpecSize = 16;
constexpr std::size_t kKeySpecSize = 16;
constexpr unsigned kSegmentedFlag = 0x0010;  // another part of the same key follows

unsigned Word(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

}  // namespace

int16_t CheckFileLayout(std::string_view stat_spec, const ledger::FileDefinition& layout) {
  if (stat_spec.size() < kFileSpecSize) return btr::kInvalidKeyPosition;
  if (Word(stat_spec, 0) < layout.record_length) return btr::kInvalidRecordLength;
  // The file's keys in order, each part against the layout's, as far as both have keys (a
  // file may keep key 0 alone).
  const std::size_t file_keys = static_cast<unsigned char>(stat_spec[4]);
  std::size_t at = kFileSpecSize;
  for (std::size_t k = 0; k < layout.keys.size() && k < file_keys; ++k) {
    const std::vector<ledger::KeyPart>& parts = layout.keys[k].parts;
    for (std::size_t i = 0; i < parts.size(); ++i, at += kKeySpecSize) {
      if (stat_spec.size() < at + kKeySpecSize) return btr::kInvalidKeyPosition;
      const bool more = (Word(stat_spec, at + 4) & kSegmentedFlag) != 0;
      if (Word(stat_spec, at) != parts[i].offset + 1 ||
          Word(stat_spec, at + 2) != parts[i].length || more != (i + 1 < parts.size())) {
        return btr::kInvalidKeyPosition;
      }
    }
  }
  return btr::kOk;
}

}  // namespace r7
