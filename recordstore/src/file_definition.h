// The file specification of a record-manager file: what Create receives and Stat answers.
// (portable)
//
// Layout, little-endian: a 16-byte file spec (record length at 0, page size at 2, number of
// keys at 4, version at 5, record count at 6, file flags at 10, duplicate pointers at 12,
// preallocation at 14), then one 16-byte spec per key segment (position, 1-based, at 0;
// length at 2; flags at 4; unique values at 6; extended type at 10; null value at 11; manual
// key number at 14; alternate collating sequence at 15). Every segment of a key but its last
// carries the segmented flag.
//
// ParseFileSpec accepts only what the stand-in can keep faithfully and answers the record
// manager's status for anything else; a spec it accepted encodes back to the same bytes
// (with the counts Stat fills in).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "bytes.h"

namespace recordstore {

struct KeySegment {
  uint16_t position = 1;  // 1-based offset of the segment in the record
  uint16_t length = 0;
  uint16_t flags = 0;
  uint8_t type = 0;  // extended type; counts only with the extended-type flag
  uint8_t null_value = 0;
  uint8_t manual_key_number = 0;
  uint8_t collating_sequence = 0;
};

struct KeyDef {
  std::vector<KeySegment> segments;
  int length = 0;  // sum of the segment lengths: the size of the key value

  bool duplicates() const;
  bool modifiable() const;
};

struct FileSpec {
  uint16_t record_length = 0;
  uint16_t page_size = 0;
  uint16_t file_flags = 0;
  uint8_t duplicate_pointers = 0;
  uint16_t preallocation = 0;
  std::vector<KeyDef> keys;

  int segment_count() const;
  size_t encoded_size() const;
};

inline constexpr int kMinRecordLength = 4;
inline constexpr int kMaxKeys = 119;
inline constexpr int kMinPageSize = 512;
inline constexpr int kMaxPageSize = 16384;
// The version byte Stat reports. It stays 0: the driver reads the number of keys as the
// 16-bit field at offset 4, so a non-zero version would inflate its key count.
inline constexpr uint8_t kFileVersion = 0;

// Reads and validates a file specification of `length` bytes. Answers 0 and fills `out`, or
// the status of the first fault: 22 too short for what it announces, 24 page size, 26 number
// of keys, 27 key position, 28 record length, 29 key length, 45 inconsistent or unsupported
// key flags, 49 unsupported key type.
int16_t ParseFileSpec(const uint8_t* data, size_t length, FileSpec* out);

// The bytes of `spec` with the record count and, per key, its number of unique values
// (written in every segment of that key). `unique_values` holds one count per key.
Bytes EncodeFileSpec(const FileSpec& spec, uint32_t record_count,
                     const std::vector<uint32_t>& unique_values);

}  // namespace recordstore
