// Order-preserving key images: the byte order of images is the key's own order.
#include "key_image.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "wbtrv32.h"

namespace recordstore {
namespace {

KeyDef OneSegmentKey(uint16_t length, uint16_t flags, uint8_t type) {
  KeyDef key;
  key.segments.push_back(KeySegment{1, length, flags, type, 0, 0, 0});
  key.length = length;
  return key;
}

Bytes Value(std::initializer_list<uint8_t> bytes) {
  return Bytes(bytes);
}
Bytes Text(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

int Compare(const KeyDef& key, const Bytes& a, const Bytes& b) {
  const Bytes ia = KeyImage(key, a.data());
  const Bytes ib = KeyImage(key, b.data());
  EXPECT_EQ(ia.size(), static_cast<size_t>(key.length));
  return ia < ib ? -1 : (ia == ib ? 0 : 1);
}

constexpr uint16_t kExt = btr::kKeyExtendedType;

TEST(KeyImage, OrdersEachTypeAsItsValues) {
  const KeyDef int2 = OneSegmentKey(2, kExt, btr::kTypeInteger);
  const KeyDef int4 = OneSegmentKey(4, kExt, btr::kTypeInteger);
  const KeyDef ubin = OneSegmentKey(2, kExt, btr::kTypeUnsignedBinary);
  const KeyDef legacy_binary = OneSegmentKey(2, btr::kKeyBinary, 0);
  const KeyDef zstr = OneSegmentKey(4, kExt, btr::kTypeZstring);
  const KeyDef str = OneSegmentKey(3, 0, 0);
  const KeyDef ci = OneSegmentKey(3, btr::kKeyCaseInsensitive, 0);
  const KeyDef ci_z = OneSegmentKey(4, kExt | btr::kKeyCaseInsensitive, btr::kTypeZstring);
  const KeyDef desc = OneSegmentKey(3, btr::kKeyDescending, 0);
  // What is compared, the key, two values, and -1 when the first sorts first or 0 if equal.
  const std::tuple<const char*, KeyDef, Bytes, Bytes, int> cases[] = {
      {"int -1 < 0", int2, Value({0xff, 0xff}), Value({0, 0}), -1},
      {"int -32768 < 32767", int2, Value({0x00, 0x80}), Value({0xff, 0x7f}), -1},
      {"int 255 < 256", int2, Value({0xff, 0x00}), Value({0x00, 0x01}), -1},
      {"int4 -2 < -1", int4, Value({0xfe, 0xff, 0xff, 0xff}), Value({0xff, 0xff, 0xff, 0xff}), -1},
      {"int4 1 < 65536", int4, Value({1, 0, 0, 0}), Value({0, 0, 1, 0}), -1},
      {"ubin 0x00ff < 0x0100", ubin, Value({0xff, 0x00}), Value({0x00, 0x01}), -1},
      {"ubin 0x7fff < 0x8000", ubin, Value({0xff, 0x7f}), Value({0x00, 0x80}), -1},
      {"binary flag as ubin", legacy_binary, Value({0xff, 0x00}), Value({0x00, 0x01}), -1},
      {"zstring ignores after NUL", zstr, Value({'a', 'b', 0, 'x'}), Value({'a', 'b', 0, 'y'}), 0},
      {"zstring shorter first", zstr, Value({'a', 'b', 0, 'z'}), Value({'a', 'b', 'c', 0}), -1},
      {"string bytes unsigned", str, Text("ab~"), Value({'a', 'b', 0xe9}), -1},
      {"string case counts", str, Text("ABC"), Text("abc"), -1},
      {"case-insensitive equal", ci, Text("abc"), Text("ABC"), 0},
      {"case-insensitive order", ci, Text("abc"), Text("ABD"), -1},
      {"case-insensitive zstring", ci_z, Value({'a', 0, 'q', 'q'}), Value({'A', 0, 'r', 'r'}), 0},
      {"descending reverses", desc, Text("bbb"), Text("aaa"), -1},
  };
  for (const auto& [what, key, lower, higher, expected] : cases) {
    EXPECT_EQ(Compare(key, lower, higher), expected) << what;
    if (expected != 0) {
      EXPECT_EQ(Compare(key, higher, lower), 1) << what;
    }
  }
}

TEST(KeyImage, SegmentsOrderByFirstSegmentThenNext) {
  KeyDef key;
  key.segments.push_back(KeySegment{5, 2, kExt | btr::kKeySegmented, btr::kTypeInteger, 0, 0, 0});
  key.segments.push_back(KeySegment{1, 4, 0, 0, 0, 0, 0});
  key.length = 6;
  Bytes record_a = Text("ZZZZ");
  record_a.insert(record_a.end(), {0xff, 0xff});  // code ZZZZ, integer -1
  Bytes record_b = Text("AAAA");
  record_b.insert(record_b.end(), {0x01, 0x00});  // code AAAA, integer 1

  const Bytes value_a = KeyValueOf(key, record_a.data());
  EXPECT_EQ(value_a, Value({0xff, 0xff, 'Z', 'Z', 'Z', 'Z'}));
  EXPECT_EQ(Compare(key, value_a, KeyValueOf(key, record_b.data())), -1);
}

}  // namespace
}  // namespace recordstore
