// Order-preserving images of key values. (portable)
#include "key_image.h"

#include <algorithm>

#include "wbtrv32.h"

namespace recordstore {
namespace {

enum class Collation { kBytes, kZstring, kSignedInteger, kUnsignedBinary };

Collation CollationOf(const KeySegment& segment) {
  if ((segment.flags & btr::kKeyExtendedType) != 0) {
    switch (segment.type) {
      case btr::kTypeInteger:
        return Collation::kSignedInteger;
      case btr::kTypeZstring:
        return Collation::kZstring;
      case btr::kTypeUnsignedBinary:
        return Collation::kUnsignedBinary;
      default:
        return Collation::kBytes;
    }
  }
  return (segment.flags & btr::kKeyBinary) != 0 ? Collation::kUnsignedBinary : Collation::kBytes;
}

uint8_t UpperAscii(uint8_t c) {
  return (c >= 'a' && c <= 'z') ? static_cast<uint8_t>(c - 32) : c;
}

void AppendSegmentImage(const KeySegment& segment, const uint8_t* value, Bytes* image) {
  const size_t start = image->size();
  const Collation collation = CollationOf(segment);
  const bool fold_case = (segment.flags & btr::kKeyCaseInsensitive) != 0 &&
                         (collation == Collation::kBytes || collation == Collation::kZstring);
  switch (collation) {
    case Collation::kBytes:
      image->insert(image->end(), value, value + segment.length);
      break;
    case Collation::kZstring: {
      const uint8_t* end = std::find(value, value + segment.length, uint8_t{0});
      image->insert(image->end(), value, end);
      image->resize(start + segment.length, 0);
      break;
    }
    case Collation::kSignedInteger:
    case Collation::kUnsignedBinary:
      image->insert(image->end(), std::reverse_iterator(value + segment.length),
                    std::reverse_iterator(value));
      if (collation == Collation::kSignedInteger) (*image)[start] ^= 0x80;
      break;
  }
  if (fold_case) {
    for (size_t i = start; i < image->size(); ++i) (*image)[i] = UpperAscii((*image)[i]);
  }
  if ((segment.flags & btr::kKeyDescending) != 0) {
    for (size_t i = start; i < image->size(); ++i) (*image)[i] = static_cast<uint8_t>(~(*image)[i]);
  }
}

}  // namespace

Bytes KeyValueOf(const KeyDef& key, const uint8_t* record) {
  Bytes value;
  value.reserve(key.length);
  for (const KeySegment& segment : key.segments) {
    const uint8_t* start = record + (segment.position - 1);
    value.insert(value.end(), start, start + segment.length);
  }
  return value;
}

void CopyKeyValue(const KeyDef& key, const uint8_t* record, uint8_t* out) {
  for (const KeySegment& segment : key.segments) {
    std::copy_n(record + (segment.position - 1), segment.length, out);
    out += segment.length;
  }
}

Bytes KeyImage(const KeyDef& key, const uint8_t* value) {
  Bytes image;
  image.reserve(key.length);
  for (const KeySegment& segment : key.segments) {
    AppendSegmentImage(segment, value, &image);
    value += segment.length;
  }
  return image;
}

}  // namespace recordstore
