// Validation and encoding of the file specification. (portable)
#include "file_definition.h"

#include "wbtrv32.h"

namespace recordstore {
namespace {

// Flags that must agree in every segment of one key.
constexpr uint16_t kKeyWideFlags = btr::kKeyDuplicates | btr::kKeyModifiable;
// Flags whose meaning the stand-in does not keep: refusing them beats ordering wrongly.
constexpr uint16_t kUnsupportedFlags = btr::kKeyNull | btr::kKeyAlternateCollating;

int16_t CheckSegmentType(const KeySegment& segment) {
  if ((segment.flags & btr::kKeyExtendedType) == 0) return btr::kOk;
  switch (segment.type) {
    case btr::kTypeString:
    case btr::kTypeZstring:
    case btr::kTypeUnsignedBinary:
      return btr::kOk;
    case btr::kTypeInteger:
      return (segment.length == 1 || segment.length == 2 || segment.length == 4 ||
              segment.length == 8)
                 ? btr::kOk
                 : btr::kInvalidKeyLength;
    default:
      return btr::kKeyTypeError;
  }
}

}  // namespace

bool KeyDef::duplicates() const {
  return !segments.empty() && (segments.front().flags & btr::kKeyDuplicates) != 0;
}

bool KeyDef::modifiable() const {
  return !segments.empty() && (segments.front().flags & btr::kKeyModifiable) != 0;
}

int FileSpec::segment_count() const {
  int count = 0;
  for (const KeyDef& key : keys) count += static_cast<int>(key.segments.size());
  return count;
}

size_t FileSpec::encoded_size() const {
  return btr::kFileSpecSize + static_cast<size_t>(segment_count()) * btr::kKeySpecSize;
}

int16_t ParseFileSpec(const uint8_t* data, size_t length, FileSpec* out) {
  if (data == nullptr || length < static_cast<size_t>(btr::kFileSpecSize)) {
    return btr::kDataBufferLength;
  }
  FileSpec spec;
  spec.record_length = LoadU16(data);
  spec.page_size = LoadU16(data + 2);
  const int key_count = data[4];
  spec.file_flags = LoadU16(data + 10);
  spec.duplicate_pointers = data[12];
  spec.preallocation = LoadU16(data + 14);
  if (spec.record_length < kMinRecordLength) return btr::kInvalidRecordLength;
  if (spec.page_size < kMinPageSize || spec.page_size > kMaxPageSize ||
      spec.page_size % kMinPageSize != 0) {
    return btr::kPageSizeError;
  }
  if (key_count < 1 || key_count > kMaxKeys) return btr::kNumberOfKeys;

  size_t offset = btr::kFileSpecSize;
  for (int k = 0; k < key_count; ++k) {
    KeyDef key;
    bool more = true;
    while (more) {
      if (offset + btr::kKeySpecSize > length) return btr::kDataBufferLength;
      const uint8_t* s = data + offset;
      offset += btr::kKeySpecSize;
      KeySegment segment;
      segment.position = LoadU16(s);
      segment.length = LoadU16(s + 2);
      segment.flags = LoadU16(s + 4);
      segment.type = s[10];
      segment.null_value = s[11];
      segment.manual_key_number = s[14];
      segment.collating_sequence = s[15];
      more = (segment.flags & btr::kKeySegmented) != 0;

      if (segment.length == 0) return btr::kInvalidKeyLength;
      if (segment.position == 0 ||
          segment.position + segment.length - 1 > static_cast<int>(spec.record_length)) {
        return btr::kInvalidKeyPosition;
      }
      if ((segment.flags & kUnsupportedFlags) != 0) return btr::kInconsistentKeyFlags;
      if (!key.segments.empty() &&
          (segment.flags & kKeyWideFlags) != (key.segments.front().flags & kKeyWideFlags)) {
        return btr::kInconsistentKeyFlags;
      }
      if (const int16_t status = CheckSegmentType(segment); status != btr::kOk) return status;
      key.length += segment.length;
      if (key.length > btr::kMaxKeyLength) return btr::kInvalidKeyLength;
      key.segments.push_back(segment);
    }
    spec.keys.push_back(std::move(key));
  }
  *out = std::move(spec);
  return btr::kOk;
}

Bytes EncodeFileSpec(const FileSpec& spec, uint32_t record_count,
                     const std::vector<uint32_t>& unique_values) {
  Bytes bytes(spec.encoded_size(), 0);
  StoreU16(bytes.data(), spec.record_length);
  StoreU16(bytes.data() + 2, spec.page_size);
  bytes[4] = static_cast<uint8_t>(spec.keys.size());
  bytes[5] = kFileVersion;
  StoreU32(bytes.data() + 6, record_count);
  StoreU16(bytes.data() + 10, spec.file_flags);
  bytes[12] = spec.duplicate_pointers;
  StoreU16(bytes.data() + 14, spec.preallocation);
  size_t offset = btr::kFileSpecSize;
  for (size_t k = 0; k < spec.keys.size(); ++k) {
    for (const KeySegment& segment : spec.keys[k].segments) {
      uint8_t* s = bytes.data() + offset;
      offset += btr::kKeySpecSize;
      StoreU16(s, segment.position);
      StoreU16(s + 2, segment.length);
      StoreU16(s + 4, segment.flags);
      StoreU32(s + 6, k < unique_values.size() ? unique_values[k] : 0);
      s[10] = segment.type;
      s[11] = segment.null_value;
      s[14] = segment.manual_key_number;
      s[15] = segment.collating_sequence;
    }
  }
  return bytes;
}

}  // namespace recordstore
