// The stand-in record manager's test client.
#include "fakes/record_manager_client.h"

#include <stdlib.h>

#include <cstring>
#include <filesystem>

#include "wbtrv32.h"

namespace recordstore::testing {

Bytes SampleRecord(const std::string& code, int32_t amount, const std::string& name) {
  Bytes record(kSampleRecordLength, ' ');
  std::memcpy(record.data(), code.data(), std::min<size_t>(code.size(), 4));
  StoreU32(record.data() + 4, static_cast<uint32_t>(amount));
  std::memcpy(record.data() + 8, name.data(), std::min<size_t>(name.size(), 8));
  return record;
}

std::string CodeOf(const Bytes& record) {
  return record.size() < 4 ? "" : std::string(record.begin(), record.begin() + 4);
}

int32_t AmountOf(const Bytes& record) {
  return static_cast<int32_t>(LoadU32(record.data() + 4));
}

Bytes SampleFileSpec() {
  Bytes spec(16 + 4 * 16, 0);
  StoreU16(spec.data(), kSampleRecordLength);
  StoreU16(spec.data() + 2, 1024);
  spec[4] = 3;
  auto segment = [&](int index, uint16_t position, uint16_t length, uint16_t flags, uint8_t type) {
    uint8_t* s = spec.data() + 16 + 16 * index;
    StoreU16(s, position);
    StoreU16(s + 2, length);
    StoreU16(s + 4, flags);
    s[10] = type;
  };
  segment(0, 1, 4, 0, 0);
  segment(1, 5, 4, btr::kKeyDuplicates | btr::kKeyModifiable | btr::kKeyExtendedType,
          btr::kTypeInteger);
  segment(2, 9, 8, btr::kKeyModifiable | btr::kKeySegmented | btr::kKeyCaseInsensitive, 0);
  segment(3, 5, 4, btr::kKeyModifiable | btr::kKeyExtendedType, btr::kTypeInteger);
  return spec;
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "r7-recordstore-XXXXXX").string();
  path_ = mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
}

TempDir::~TempDir() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

int16_t Client::Raw(uint16_t operation, void* data, uint32_t* length, void* key, uint8_t key_length,
                    int8_t key_number) {
  return BTRCALL(operation, position_block_.data(), data, length, key, key_length, key_number);
}

int16_t Client::Create(int8_t mode) {
  Bytes spec = SampleFileSpec();
  uint32_t length = static_cast<uint32_t>(spec.size());
  std::string path = path_;
  return Raw(btr::kCreate, spec.data(), &length, path.data(), 255, mode);
}

int16_t Client::Open(int8_t mode) {
  char owner[1] = {0};
  uint32_t length = 1;
  std::string path = path_;
  return Raw(btr::kOpen, owner, &length, path.data(), 255, mode);
}

int16_t Client::Close() {
  return Raw(btr::kClose, nullptr, nullptr, nullptr, 0, 0);
}

int16_t Client::Insert(const Bytes& record, int8_t key) {
  Bytes data = record;
  uint32_t length = static_cast<uint32_t>(data.size());
  key_.assign(255, 0);
  return Raw(btr::kInsert, data.data(), &length, key_.data(), 255, key);
}

int16_t Client::Update(const Bytes& record, int8_t key) {
  Bytes data = record;
  uint32_t length = static_cast<uint32_t>(data.size());
  key_.assign(255, 0);
  return Raw(btr::kUpdate, data.data(), &length, key_.data(), 255, key);
}

int16_t Client::Delete() {
  return Raw(btr::kDelete, nullptr, nullptr, nullptr, 0, 0);
}

int16_t Client::Get(uint16_t operation, int8_t key, const Bytes& key_value) {
  Bytes data(1250, 0xEE);
  uint32_t length = static_cast<uint32_t>(data.size());
  if (operation == btr::kGetEqual || operation == btr::kGetGreaterOrEqual) {
    key_ = key_value;
    key_.resize(255, 0);
  } else if (operation != btr::kGetNext) {
    key_.assign(255, 0);
  }
  const int16_t status = Raw(operation, data.data(), &length, key_.data(), 255, key);
  record_ = status == btr::kOk ? Bytes(data.begin(), data.begin() + length) : Bytes();
  return status;
}

int16_t Client::GetPosition(uint32_t* position) {
  uint8_t data[4] = {};
  uint32_t length = 4;
  const int16_t status = Raw(btr::kGetPosition, data, &length, nullptr, 0, 0);
  *position = LoadU32(data);
  return status;
}

int16_t Client::GetDirect(uint32_t position, int8_t key) {
  Bytes data(1250, 0);
  StoreU32(data.data(), position);
  uint32_t length = static_cast<uint32_t>(data.size());
  key_.assign(255, 0);
  const int16_t status = Raw(btr::kGetDirect, data.data(), &length, key_.data(), 255, key);
  record_ = status == btr::kOk ? Bytes(data.begin(), data.begin() + length) : Bytes();
  return status;
}

int16_t Client::Stat(Bytes* spec) {
  spec->assign(416, 0);
  uint32_t length = static_cast<uint32_t>(spec->size());
  uint8_t extension[104] = {};
  const int16_t status = Raw(btr::kStat, spec->data(), &length, extension, 255, 0);
  spec->resize(status == btr::kOk ? length : 0);
  return status;
}

}  // namespace recordstore::testing
