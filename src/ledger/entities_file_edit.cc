// Changes to one open financial entities file. (platform-independent)
#include "ledger/entities_file_edit.h"

#include <array>
#include <cstring>

#include "common/text_util.h"
#include "ledger/entities_file_record.h"
#include "ledger/ledger_keys.h"

namespace r7 {
namespace {

namespace ef = ledger::entities_file;

constexpr int kValueKey = 0;
constexpr int kNameKey = 2;

// A key value in a buffer as long as the longest key the record manager may read.
std::array<char, kKeyLength + 1> KeyBufferOf(std::string_view value) {
  std::array<char, kKeyLength + 1> buffer{};
  std::memcpy(buffer.data(), value.data(), std::min(value.size(), buffer.size()));
  return buffer;
}

std::string CopyRecord(const RecordManager& records) {
  return std::string(reinterpret_cast<const char*>(records.record_buffer()),
                     records.record_length());
}

ledger::EntitiesFileRecordView ViewOf(const std::string& copy) {
  return ledger::EntitiesFileRecordView(std::span<const char>(copy.data(), copy.size()));
}

EntityEntry EntryOf(const std::string& copy) {
  ledger::EntitiesFileRecordView record = ViewOf(copy);
  return {record.value_text(), std::string(record.description())};
}

std::string NewRecord(int code, std::string_view value, std::string_view description) {
  std::string bytes(ef::kRecordLength, '\0');
  ledger::EntitiesFileRecordImage record(std::span<char>(bytes.data(), bytes.size()));
  record.set_value_text(value);
  record.set_segment_code(static_cast<int16_t>(code));
  record.set_description(description);
  return bytes;
}

// True when the record stands under `key` of `key_number` (its string part compared
// without regard to case, as the file's keys compare it).
bool HasKey(const std::string& copy, int key_number, int code, std::string_view text) {
  ledger::EntitiesFileRecordView record = ViewOf(copy);
  if (record.segment_code() != code) return false;
  if (key_number == kNameKey) {
    return EqualsIgnoreCase(record.description(), text.substr(0, ef::kMaxDescription));
  }
  std::string_view first = std::string_view(copy).substr(0, ef::kValueFirstPart.width);
  return EqualsIgnoreCase(TrimTrailingBlanks(first),
                          TrimTrailingBlanks(text.substr(0, ef::kValueFirstPart.width)));
}

// The read before a write found nothing (no such key, the end of the file). Any other failed
// read must stop the change: a record the file holds, taken for missing, would be written
// a second time.
bool NothingFound(const RecordManager& records) {
  return records.last_status() == btr::kKeyNotFound || records.last_status() == btr::kEndOfFile;
}

// 0 when a failed read only found nothing, else the record manager's status.
int ReadFailure(const RecordManager& records) {
  return NothingFound(records) ? 0 : records.last_status();
}

}  // namespace

std::optional<EntityEntry> EntitiesFileEdit::FindValue(int code, std::string_view value) {
  auto key = KeyBufferOf(ledger::EntitiesFileValueKey(value, static_cast<int16_t>(code)).value);
  if (records_.GetEqual(position_, nullptr, key.data(), kValueKey) != 0) return std::nullopt;
  return EntryOf(CopyRecord(records_));
}

std::optional<EntityEntry> EntitiesFileEdit::FindValueStartingWith(int code,
                                                                   std::string_view prefix) {
  // Key 1 orders a segment's values: the first not below the prefix is the one, if any.
  auto key = KeyBufferOf(ledger::EntitiesFileSegmentKey(static_cast<int16_t>(code), prefix).value);
  if (records_.GetGreaterOrEqual(position_, nullptr, key.data(), 1) != 0) return std::nullopt;
  const std::string copy = CopyRecord(records_);
  if (ViewOf(copy).segment_code() != code ||
      !StartsWithIgnoreCase(ViewOf(copy).value_text(), prefix)) {
    return std::nullopt;
  }
  return EntryOf(copy);
}

std::optional<EntityEntry> EntitiesFileEdit::FindName(int code, std::string_view name) {
  auto key = KeyBufferOf(ledger::EntitiesFileNameKey(static_cast<int16_t>(code), name).value);
  if (records_.GetEqual(position_, nullptr, key.data(), kNameKey) != 0) return std::nullopt;
  return EntryOf(CopyRecord(records_));
}

int EntitiesFileEdit::PutValue(int code, std::string_view value, std::string_view description,
                               bool update) {
  const std::string key_value =
      ledger::EntitiesFileValueKey(value, static_cast<int16_t>(code)).value;
  auto key = KeyBufferOf(key_value);
  uint16_t length = ef::kRecordLength;
  if (records_.GetEqual(position_, nullptr, key.data(), kValueKey) != 0) {
    if (!NothingFound(records_)) return records_.last_status();
    std::string bytes = NewRecord(code, value, description);
    auto insert_key = KeyBufferOf("");
    if (records_.Insert(position_, bytes.data(), &length, insert_key.data(), kValueKey) != 0) {
      return records_.last_status();
    }
    return 0;
  }
  std::string copy = CopyRecord(records_);
  if (!update || EqualsIgnoreCase(TrimTrailingBlanks(ViewOf(copy).description()),
                                  TrimTrailingBlanks(description.substr(
                                      0, std::min(description.size(), ef::kMaxDescription))))) {
    return 0;
  }
  copy.resize(ef::kRecordLength, '\0');
  ledger::EntitiesFileRecordImage record(std::span<char>(copy.data(), copy.size()));
  record.set_value_text(value);
  record.set_description(description);
  if (records_.Update(position_, copy.data(), length, key.data(), kValueKey) != 0) {
    return records_.last_status();
  }
  return 0;
}

int EntitiesFileEdit::PutNamed(int code, std::string_view name, std::string_view value) {
  const std::string key_value = ledger::EntitiesFileNameKey(static_cast<int16_t>(code), name).value;
  auto key = KeyBufferOf(key_value);
  uint16_t length = ef::kRecordLength;
  if (records_.GetEqual(position_, nullptr, key.data(), kNameKey) != 0) {
    if (!NothingFound(records_)) return records_.last_status();
    std::string bytes = NewRecord(code, value, name);
    if (records_.Insert(position_, bytes.data(), &length, key.data(), kNameKey) != 0) {
      return records_.last_status();
    }
    return 0;
  }
  // The first of the name takes the new value; its name, and so its place among the
  // others of the name, stays as it is.
  std::string copy = CopyRecord(records_);
  copy.resize(ef::kRecordLength, '\0');
  ledger::EntitiesFileRecordImage record(std::span<char>(copy.data(), copy.size()));
  record.set_value_text(value);
  if (records_.Update(position_, copy.data(), length, key.data(), kNameKey) != 0) {
    return records_.last_status();
  }
  // Then the others of the name go, each found as the one after the first.
  while (true) {
    key = KeyBufferOf(key_value);
    if (records_.GetEqual(position_, nullptr, key.data(), kNameKey) != 0) {
      return ReadFailure(records_);
    }
    if (records_.GetNext(position_, nullptr, nullptr, kNameKey) != 0) {
      return ReadFailure(records_);
    }
    if (!HasKey(CopyRecord(records_), kNameKey, code, name)) return 0;
    if (int16_t status = records_.Delete(position_); status != 0) return status;
  }
}

template <typename Remove>
int EntitiesFileEdit::DeleteWhere(int key_number, const std::string& key_value, Remove remove) {
  while (true) {
    auto key = KeyBufferOf(key_value);
    int found = records_.GetEqual(position_, nullptr, key.data(), static_cast<int8_t>(key_number));
    // Past the records that stay, to the first that goes; none: done.
    while (found == 0 && !remove(CopyRecord(records_))) {
      found = records_.GetNext(position_, nullptr, nullptr, static_cast<int8_t>(key_number));
      if (found == 0 && !remove.same_key(CopyRecord(records_))) found = -1;
    }
    if (found == -1) return 0;
    if (found != 0) return ReadFailure(records_);
    if (int16_t status = records_.Delete(position_); status != 0) return status;
  }
}

int EntitiesFileEdit::DeleteValue(int code, std::string_view value,
                                  std::optional<std::string_view> only_description) {
  struct Remove {
    int code;
    std::string_view value;
    std::optional<std::string_view> description;
    bool same_key(const std::string& copy) const { return HasKey(copy, kValueKey, code, value); }
    bool operator()(const std::string& copy) const {
      return same_key(copy) &&
             (!description ||
              EqualsIgnoreCase(TrimBlanks(ViewOf(copy).description()), *description));
    }
  };
  return DeleteWhere(kValueKey,
                     ledger::EntitiesFileValueKey(value, static_cast<int16_t>(code)).value,
                     Remove{code, value, only_description});
}

int EntitiesFileEdit::DeleteNamed(int code, std::string_view name) {
  struct Remove {
    int code;
    std::string_view name;
    bool same_key(const std::string& copy) const { return HasKey(copy, kNameKey, code, name); }
    bool operator()(const std::string& copy) const { return same_key(copy); }
  };
  return DeleteWhere(kNameKey, ledger::EntitiesFileNameKey(static_cast<int16_t>(code), name).value,
                     Remove{code, name});
}

int EntitiesFileEdit::CopyFrom(PosBlock& from) {
  int found = records_.GetFirst(from, nullptr, nullptr, kNameKey);
  while (found == 0) {
    std::string copy = CopyRecord(records_);
    copy.resize(ef::kRecordLength, '\0');
    uint16_t length = ef::kRecordLength;
    auto key = KeyBufferOf("");
    if (records_.Insert(position_, copy.data(), &length, key.data(), kNameKey) != 0) {
      return records_.last_status();
    }
    found = records_.GetNext(from, nullptr, nullptr, kNameKey);
  }
  // The end of the file ends the copy; any other failure is the copy's.
  return records_.last_status() == btr::kEndOfFile ? 0 : records_.last_status();
}

}  // namespace r7
