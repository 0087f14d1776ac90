// The file specification: what Create accepts, what it refuses with which status, Stat's bytes.
#include "file_definition.h"

#include <gtest/gtest.h>

#include <tuple>

#include "fakes/record_manager_client.h"
#include "wbtrv32.h"

namespace recordstore {
namespace {

using testing::SampleFileSpec;

TEST(FileSpec, ParsesTheSampleSpecAndEncodesItBackWithCounts) {
  const Bytes bytes = SampleFileSpec();
  FileSpec spec;
  ASSERT_EQ(ParseFileSpec(bytes.data(), bytes.size(), &spec), btr::kOk);
  EXPECT_EQ(spec.record_length, 16);
  EXPECT_EQ(spec.page_size, 1024);
  ASSERT_EQ(spec.keys.size(), 3u);
  EXPECT_FALSE(spec.keys[0].duplicates());
  EXPECT_TRUE(spec.keys[1].duplicates());
  EXPECT_TRUE(spec.keys[1].modifiable());
  EXPECT_EQ(spec.keys[2].segments.size(), 2u);
  EXPECT_EQ(spec.keys[2].length, 12);
  EXPECT_EQ(spec.segment_count(), 4);

  const Bytes encoded = EncodeFileSpec(spec, 7, {7, 3, 7});
  ASSERT_EQ(encoded.size(), bytes.size());
  EXPECT_EQ(LoadU16(encoded.data() + 4), 3) << "the driver reads the key count as 16 bits";
  EXPECT_EQ(LoadU32(encoded.data() + 6), 7u);
  EXPECT_EQ(LoadU32(encoded.data() + 16 + 16 + 6), 3u);  // key 1
  EXPECT_EQ(LoadU32(encoded.data() + 16 + 48 + 6), 7u);  // key 2, second segment
  Bytes without_counts = encoded;
  for (size_t offset : {6, 16 + 6, 32 + 6, 48 + 6, 64 + 6})
    StoreU32(without_counts.data() + offset, 0);
  EXPECT_EQ(without_counts, bytes);
}

TEST(FileSpec, RefusesWhatItCannotKeep) {
  // What is wrong; the byte to patch with a 16-bit little-endian value, or the length to cut
  // to; and the status.
  const std::tuple<const char*, size_t, uint16_t, bool, int16_t> cases[] = {
      {"shorter than the file spec", 15, 0, true, btr::kDataBufferLength},
      {"shorter than its segments", 16 + 16 * 3, 0, true, btr::kDataBufferLength},
      {"record length 0", 0, 0, false, btr::kInvalidRecordLength},
      {"page size 0", 2, 0, false, btr::kPageSizeError},
      {"page size not a multiple of 512", 2, 1000, false, btr::kPageSizeError},
      {"no keys", 4, 0, false, btr::kNumberOfKeys},
      {"key position 0", 16, 0, false, btr::kInvalidKeyPosition},
      {"key beyond the record", 16, 14, false, btr::kInvalidKeyPosition},
      {"key length 0", 18, 0, false, btr::kInvalidKeyLength},
      {"integer of 3 bytes", 34, 3, false, btr::kInvalidKeyLength},
      {"segments disagree on duplicates", 52, btr::kKeySegmented | btr::kKeyDuplicates, false,
       btr::kInconsistentKeyFlags},
      {"null key", 20, btr::kKeyNull, false, btr::kInconsistentKeyFlags},
  };
  for (const auto& [what, offset, value, cut, status] : cases) {
    Bytes bytes = SampleFileSpec();
    if (cut) {
      bytes.resize(offset);
    } else {
      StoreU16(bytes.data() + offset, value);
    }
    FileSpec spec;
    EXPECT_EQ(ParseFileSpec(bytes.data(), bytes.size(), &spec), status) << what;
  }
  Bytes float_key = SampleFileSpec();
  float_key[16 + 10] = 2;
  StoreU16(float_key.data() + 16 + 4, btr::kKeyExtendedType);
  FileSpec spec;
  EXPECT_EQ(ParseFileSpec(float_key.data(), float_key.size(), &spec), btr::kKeyTypeError);
  Bytes long_key = SampleFileSpec();
  StoreU16(long_key.data(), 400);
  StoreU16(long_key.data() + 16 + 2, 256);
  EXPECT_EQ(ParseFileSpec(long_key.data(), long_key.size(), &spec), btr::kInvalidKeyLength);
  EXPECT_EQ(ParseFileSpec(nullptr, 100, &spec), btr::kDataBufferLength);
}

}  // namespace
}  // namespace recordstore
