// One record-manager file kept as one SQLite database at the file's path. (portable)
//
// The database holds the file specification, the records under their 4-byte physical
// positions (never reused, so a stale position finds nothing rather than another record),
// and one index table per key of (image, sequence, position). The sequence numbers the
// duplicates of one image in the order their entries were made, so duplicates come back in
// insertion order; an entry made again because an update changed its key goes last.
//
// Every write runs in its own transaction in SQLite's rollback journal with synchronous
// writes: a write that answered 0 survives a crash or kill of the process, and a write cut
// short leaves nothing behind. While the file takes part in a client's transaction
// (transactions.h) its connection holds one write transaction from JoinTransaction to
// EndTransaction, and each write runs in a savepoint of its own inside it: a write that
// fails leaves the transaction as it was, and nothing of it is in the file before the end
// commits it. Reads are single statements, so each sees one consistent
// state even while another process writes.
//
// A RecordFile is one connection; it is not shared between threads (the call interface
// serialises every call). Statuses are the record manager's.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bytes.h"
#include "file_definition.h"

struct sqlite3;
struct sqlite3_stmt;

namespace recordstore {

// Where one record stands in one key's order.
struct IndexEntry {
  Bytes image;
  int64_t sequence = 0;
  uint32_t position = 0;
};

// How Find picks the entry.
enum class Seek {
  kFirst,     // the first entry of the key
  kEqual,     // the first entry whose image equals the given one (4 when none)
  kNotBelow,  // the first entry whose image is not below the given one (9 when none)
  kAfter,     // the first entry after the given (image, sequence) (9 when none)
};

class RecordFile {
 public:
  // Makes a new, empty file. An existing file is replaced when `replace`, else answered 59.
  // 25 when the file cannot be made.
  static int16_t Create(const std::string& path, const FileSpec& spec, bool replace);

  // Opens an existing file: 12 missing, 30 not a record-manager file, 46 not accessible,
  // 85 locked by another process. An `exclusive` open keeps every other connection out
  // until it is closed. A file the process may not write is opened for reading only.
  static int16_t Open(const std::string& path, bool exclusive, std::unique_ptr<RecordFile>* out);

  ~RecordFile();
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;

  const FileSpec& spec() const { return spec_; }
  bool writable() const { return writable_; }

  // Adds a record (spec().record_length bytes). 5 when it duplicates a key that allows no
  // duplicates. Gives its position and its entry in every key.
  int16_t Insert(const uint8_t* record, uint32_t* position, std::vector<IndexEntry>* entries);

  // Replaces the record at `position`: 43 when there is none, 10 when a key that is not
  // modifiable would change, 5 on a duplicate. Gives its entry in every key.
  int16_t Update(uint32_t position, const uint8_t* record, std::vector<IndexEntry>* entries);

  // Removes the record at `position` (43 when there is none).
  int16_t Delete(uint32_t position);

  // A client's transaction on this connection: the writes from JoinTransaction on are
  // committed (or rolled back) together by EndTransaction. Joining twice does nothing.
  int16_t JoinTransaction();
  int16_t EndTransaction(bool commit);
  bool in_transaction() const { return in_transaction_; }

  // The record at `position` (43 when there is none) and, for key >= 0, its entry there.
  int16_t Read(uint32_t position, int key, Bytes* record, IndexEntry* entry);

  // The entry Seek picks in `key` and its record. `image` and `sequence` are used as Seek
  // says.
  int16_t Find(int key, Seek how, const Bytes& image, int64_t sequence, IndexEntry* entry,
               Bytes* record);

  // The number of records and, per key, the number of distinct key values.
  int16_t Statistics(uint32_t* records, std::vector<uint32_t>* unique_values);

 private:
  class Statement;
  RecordFile() = default;

  sqlite3_stmt* Prepare(const std::string& sql, int16_t* status);
  int16_t Execute(const std::string& sql);
  int16_t AddEntries(const uint8_t* record, uint32_t position, std::vector<IndexEntry>* entries);
  int16_t CheckUnique(int key, const Bytes& image, uint32_t position);
  // Runs `body` as one write transaction: committed when it answers 0, else rolled back.
  int16_t InTransaction(const std::function<int16_t()>& body);

  sqlite3* db_ = nullptr;
  FileSpec spec_;
  bool writable_ = false;
  bool in_transaction_ = false;  // a client's transaction holds this connection's writes
  std::map<std::string, sqlite3_stmt*> statements_;
};

}  // namespace recordstore
