// Key values and their order-preserving images. (portable)
//
// A key value is what the caller sees in the key buffer: the bytes of the key's segments,
// taken from the record and laid end to end. Its image is a byte string of the same length
// whose plain unsigned byte comparison (memcmp) orders records exactly as the key's types
// and flags order them, so the storage can index images as opaque blobs:
//   - string (type 0, or no extended type and no binary flag): the bytes themselves;
//   - zstring (11): the bytes up to the first NUL, the rest zero;
//   - integer (1): little-endian signed, turned big-endian with the sign bit flipped;
//   - unsigned binary (14, or the binary flag without an extended type): little-endian
//     unsigned, turned big-endian;
//   - case-insensitive strings and zstrings are upper-cased (ASCII letters only);
//   - a descending segment has every byte of its image inverted.
// Images of one key all have the same length, so shorter never sorts as smaller by accident.
#pragma once

#include <cstddef>
#include <cstdint>

#include "bytes.h"
#include "file_definition.h"

namespace recordstore {

// The key value of `key` in `record`. REQUIRES: the record is the file's record length long
// (every segment lies inside it; ParseFileSpec guarantees that).
Bytes KeyValueOf(const KeyDef& key, const uint8_t* record);
// The same, written to `out` (key.length bytes).
void CopyKeyValue(const KeyDef& key, const uint8_t* record, uint8_t* out);

// The image of a key value. REQUIRES: `value` points at key.length bytes.
Bytes KeyImage(const KeyDef& key, const uint8_t* value);

}  // namespace recordstore
