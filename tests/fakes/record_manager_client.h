// A test client of the stand-in record manager: one position block and the calls the tests
// make, over the published BTRCALL entry point, on a sample file of 16-byte records.
//
// Sample record: code (4 bytes, key 0: string, unique, not modifiable), amount (4 bytes,
// little-endian signed, key 1: integer, duplicates, modifiable), name (8 bytes; key 2: name
// case-insensitive then amount, two segments, unique, modifiable).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "bytes.h"

namespace recordstore::testing {

inline constexpr uint16_t kSampleRecordLength = 16;

Bytes SampleRecord(const std::string& code, int32_t amount, const std::string& name);
std::string CodeOf(const Bytes& record);
int32_t AmountOf(const Bytes& record);
// File and key specs of the sample file.
Bytes SampleFileSpec();

// A fresh directory under the system's temporary directory, removed by the destructor.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

class Client {
 public:
  explicit Client(std::string path) : path_(std::move(path)) {}

  int16_t Create(int8_t mode = 0);
  int16_t Open(int8_t mode = 0);
  int16_t Close();
  int16_t Insert(const Bytes& record, int8_t key = 0);
  int16_t Update(const Bytes& record, int8_t key);
  int16_t Delete();
  // Get Equal / Get Greater or Equal with `key_value`; Get First / Get Next ignore it. The
  // found record goes to record(), the returned key to key().
  int16_t Get(uint16_t operation, int8_t key, const Bytes& key_value = {});
  int16_t GetPosition(uint32_t* position);
  int16_t GetDirect(uint32_t position, int8_t key);
  int16_t Stat(Bytes* spec);
  // A raw call on this client's position block.
  int16_t Raw(uint16_t operation, void* data, uint32_t* length, void* key, uint8_t key_length,
              int8_t key_number);

  const Bytes& record() const { return record_; }
  const Bytes& key() const { return key_; }
  std::array<uint8_t, 128>& position_block() { return position_block_; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::array<uint8_t, 128> position_block_{};
  Bytes record_;
  Bytes key_;
};

}  // namespace recordstore::testing
