// The record manager's operations. (portable)
#include "operations.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "file_definition.h"
#include "key_image.h"
#include "wbtrv32.h"

namespace recordstore {
namespace {

// The path in the key buffer: NUL-terminated within the key length. Backslashes separate
// directories as on Windows, whatever the build.
bool PathOf(const Call& call, std::string* path) {
  const size_t capacity = call.key_capacity();
  if (capacity == 0) return false;
  const auto* key = reinterpret_cast<const char*>(call.key);
  const size_t length = strnlen(key, capacity);
  if (length == 0 || length == capacity) return false;
  path->assign(key, length);
  if (std::filesystem::path::preferred_separator == '/') {
    for (char& c : *path) c = c == '\\' ? '/' : c;
  }
  return true;
}

std::string IdentityOf(const std::string& path) {
  std::error_code error;
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
  return error ? path : canonical.string();
}

size_t LimitFromEnvironment(const char* name) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == '\0') return 0;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  return (*end == '\0' && value > 0) ? static_cast<size_t>(value) : 0;
}

const KeyDef& KeyOf(const Context& context) {
  return context.file->file->spec().keys[static_cast<size_t>(context.call.key_number)];
}

// Hands a found record to the caller: its bytes, its length and the key value.
void ReturnRecord(const Context& context, const Bytes& record) {
  std::memcpy(context.call.data, record.data(), record.size());
  *context.call.data_length = static_cast<uint32_t>(record.size());
  if (context.call.key_number >= 0) {
    const Bytes value = KeyValueOf(KeyOf(context), record.data());
    std::memcpy(context.call.key, value.data(), value.size());
  }
}

void ReturnKeyValue(const Context& context, const uint8_t* record) {
  const Bytes value = KeyValueOf(KeyOf(context), record);
  std::memcpy(context.call.key, value.data(), value.size());
}

// Runs a Find and, when it finds a record, makes it current and hands it over.
int16_t FindAndReturn(Context& context, Seek how, const Bytes& image, int64_t sequence) {
  IndexEntry entry;
  Bytes record;
  const int16_t status =
      context.file->file->Find(context.call.key_number, how, image, sequence, &entry, &record);
  if (status != btr::kOk) return status;
  ReturnRecord(context, record);
  context.file->cursor.OnRecord(context.call.key_number, std::move(entry));
  return btr::kOk;
}

Bytes ImageOfCallersKey(const Context& context) {
  return KeyImage(KeyOf(context), context.call.key);
}

}  // namespace

int16_t OpenFileOp(Context& context) {
  const Call& call = context.call;
  if (call.position_block == nullptr) return btr::kPositionBlockLength;
  std::string path;
  if (!PathOf(call, &path)) return btr::kInvalidFileName;
  if (call.key_number > btr::kModeNormal || call.key_number < btr::kModeExclusive) {
    return btr::kInvalidOperation;
  }
  const bool exclusive = call.key_number == btr::kModeExclusive;
  const std::string identity = IdentityOf(path);

  const size_t max_files = LimitFromEnvironment(kMaxOpenFilesVariable);
  if (max_files != 0 && !context.table.IsOpen(identity) &&
      context.table.file_count() >= max_files) {
    return btr::kFileTableFull;
  }
  const size_t max_handles = LimitFromEnvironment(kMaxHandlesVariable);
  if (max_handles != 0 && context.table.handle_count() >= max_handles) {
    return btr::kHandleTableFull;
  }
  if (context.table.IsOpenExclusively(identity) || (exclusive && context.table.IsOpen(identity))) {
    return btr::kFileLocked;
  }

  auto entry = std::make_unique<OpenFile>();
  if (const int16_t status = RecordFile::Open(path, exclusive, &entry->file); status != btr::kOk) {
    return status;
  }
  entry->identity = identity;
  entry->client = call.client;
  entry->read_only = call.key_number == btr::kModeReadOnly;
  entry->exclusive = exclusive;
  context.table.Add(std::move(entry), call.position_block);
  return btr::kOk;
}

int16_t CloseOp(Context& context) {
  if (context.file->file->in_transaction()) return btr::kOperationNotAllowed;
  context.table.Close(context.call.position_block);
  return btr::kOk;
}

int16_t InsertOp(Context& context) {
  if (int16_t status = context.transactions.Join(*context.file); status != btr::kOk) {
    return status;
  }
  uint32_t position = 0;
  std::vector<IndexEntry> entries;
  const int16_t status = context.file->file->Insert(context.call.data, &position, &entries);
  if (status != btr::kOk) return status;
  const int key = context.call.key_number;
  if (key >= 0) {
    ReturnKeyValue(context, context.call.data);
    context.file->cursor.OnRecord(key, std::move(entries[static_cast<size_t>(key)]));
  }
  return btr::kOk;
}

int16_t UpdateOp(Context& context) {
  Cursor& cursor = context.file->cursor;
  if (!cursor.has_record()) return btr::kInvalidPositioning;
  const int key = context.call.key_number;
  if (cursor.key() != key) return btr::kDifferentKeyNumber;
  if (int16_t status = context.transactions.Join(*context.file); status != btr::kOk) {
    return status;
  }
  std::vector<IndexEntry> entries;
  const int16_t status = context.file->file->Update(cursor.position(), context.call.data, &entries);
  if (status != btr::kOk) return status;
  ReturnKeyValue(context, context.call.data);
  cursor.OnRecord(key, std::move(entries[static_cast<size_t>(key)]));
  return btr::kOk;
}

int16_t DeleteOp(Context& context) {
  Cursor& cursor = context.file->cursor;
  if (!cursor.has_record()) return btr::kInvalidPositioning;
  if (int16_t status = context.transactions.Join(*context.file); status != btr::kOk) {
    return status;
  }
  const int16_t status = context.file->file->Delete(cursor.position());
  if (status != btr::kOk) return status;
  cursor.RecordDeleted();
  return btr::kOk;
}

int16_t GetEqualOp(Context& context) {
  return FindAndReturn(context, Seek::kEqual, ImageOfCallersKey(context), 0);
}

int16_t GetNextOp(Context& context) {
  const Cursor& cursor = context.file->cursor;
  if (!cursor.has_key_position()) return btr::kInvalidPositioning;
  if (cursor.key() != context.call.key_number) return btr::kDifferentKeyNumber;
  const IndexEntry from = cursor.entry();
  return FindAndReturn(context, Seek::kAfter, from.image, from.sequence);
}

int16_t GetGreaterOrEqualOp(Context& context) {
  return FindAndReturn(context, Seek::kNotBelow, ImageOfCallersKey(context), 0);
}

int16_t GetFirstOp(Context& context) {
  return FindAndReturn(context, Seek::kFirst, {}, 0);
}

int16_t CreateOp(Context& context) {
  const Call& call = context.call;
  std::string path;
  if (!PathOf(call, &path)) return btr::kInvalidFileName;
  FileSpec spec;
  if (const int16_t status = ParseFileSpec(call.data, call.data_capacity(), &spec);
      status != btr::kOk) {
    return status;
  }
  const bool replace = call.key_number != btr::kCreateNoReplace;
  // A file this process holds open is not pulled from under its position blocks.
  if (replace && context.table.IsOpen(IdentityOf(path))) return btr::kFileLocked;
  return RecordFile::Create(path, spec, replace);
}

int16_t StatOp(Context& context) {
  const Call& call = context.call;
  RecordFile& file = *context.file->file;
  if (call.data_capacity() < file.spec().encoded_size()) return btr::kDataBufferLength;
  uint32_t records = 0;
  std::vector<uint32_t> unique_values;
  if (const int16_t status = file.Statistics(&records, &unique_values); status != btr::kOk) {
    return status;
  }
  const Bytes bytes = EncodeFileSpec(file.spec(), records, unique_values);
  std::memcpy(call.data, bytes.data(), bytes.size());
  *call.data_length = static_cast<uint32_t>(bytes.size());
  // No extension files: the extension name is empty.
  if (call.key_capacity() > 0) call.key[0] = 0;
  return btr::kOk;
}

int16_t GetPositionOp(Context& context) {
  const Call& call = context.call;
  const Cursor& cursor = context.file->cursor;
  if (!cursor.has_record()) return btr::kInvalidPositioning;
  if (call.data_capacity() < btr::kPhysicalPositionSize) return btr::kDataBufferLength;
  StoreU32(call.data, cursor.position());
  *call.data_length = btr::kPhysicalPositionSize;
  return btr::kOk;
}

int16_t GetDirectOp(Context& context) {
  const Call& call = context.call;
  const uint32_t position = LoadU32(call.data);
  if (position == 0) return btr::kInvalidRecordAddress;
  Bytes record;
  IndexEntry entry;
  const int key = call.key_number;
  const int16_t status = context.file->file->Read(position, key, &record, &entry);
  if (status != btr::kOk) return status;
  ReturnRecord(context, record);
  if (key >= 0) {
    context.file->cursor.OnRecord(key, std::move(entry));
  } else {
    context.file->cursor.OnPhysicalRecord(position);
  }
  return btr::kOk;
}

int16_t StopOp(Context& context) {
  // Closing the files rolls back what a running transaction held in them.
  context.table.CloseClient(context.call.client);
  context.transactions.Forget(context.call.client);
  return btr::kOk;
}

int16_t BeginTransactionOp(Context& context) {
  return context.transactions.Begin(context.call.client);
}

int16_t EndTransactionOp(Context& context) {
  return context.transactions.End(context.table, context.call.client, true);
}

int16_t AbortTransactionOp(Context& context) {
  return context.transactions.End(context.table, context.call.client, false);
}

}  // namespace recordstore
