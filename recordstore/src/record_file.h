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
// commits it; the reads meanwhile run inside that transaction and see its writes.
//
// Otherwise reads run in a read transaction that the file keeps open after the read, until
// EndReading(); the process decides how long (held_reads.h). While it is open no other
// connection can commit to the file, since a commit needs every reader gone: a read never
// sees half a write, and sees exactly what a transaction of its own would see. So the
// reads of one burst pay for one transaction, and a scan goes on in the statement that
// found the previous record (the live scan) instead of seeking again.
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

class HeldReads;

class RecordFile {
 public:
  // Makes a new, empty file. An existing file is replaced when `replace`, else answered 59.
  // 25 when the file cannot be made.
  static int16_t Create(const std::string& path, const FileSpec& spec, bool replace);

  // Opens an existing file: 12 missing, 30 not a record-manager file, 46 not accessible,
  // 85 locked by another process. An `exclusive` open keeps every other connection out
  // until it is closed. A file the process may not write is opened for reading only.
  // `held` counts the read transactions this file holds; it outlives the file.
  static int16_t Open(const std::string& path, bool exclusive, HeldReads* held,
                      std::unique_ptr<RecordFile>* out);

  ~RecordFile();
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;

  const FileSpec& spec() const { return spec_; }
  bool writable() const { return writable_; }

  // Writes. Each ends the file's read transaction first; the process has ended those of
  // its other files (held_reads.h).

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

  // Reads. A record is written to `record`, which has room for spec().record_length bytes.

  // The record at `position` (43 when there is none) and, for key >= 0, its entry there.
  int16_t Read(uint32_t position, int key, uint8_t* record, IndexEntry* entry);

  // The entry Seek picks in `key` and its record. `image` and `sequence` are used as Seek
  // says. Within a read transaction nothing changes, so a kAfter from the live scan's row
  // steps it, and a seek a few entries ahead of it steps it there.
  int16_t Find(int key, Seek how, const Bytes& image, int64_t sequence, IndexEntry* entry,
               uint8_t* record);

  // The number of records and, per key, the number of distinct key values.
  int16_t Statistics(uint32_t* records, std::vector<uint32_t>* unique_values);

  // Whether a read transaction is open, and ending it (with the live scan).
  bool reading() const { return reading_; }
  void EndReading();

 private:
  class Statement;
  // The read statements of one key, prepared once.
  struct KeyReads {
    sqlite3_stmt* from_first = nullptr;   // every entry, in order
    sqlite3_stmt* not_below = nullptr;    // entries from an image on
    sqlite3_stmt* after = nullptr;        // entries after an (image, sequence)
    sqlite3_stmt* at_position = nullptr;  // the record at a position with its entry
  };
  RecordFile() = default;

  sqlite3_stmt* Prepare(const std::string& sql, int16_t* status);
  int16_t Execute(const std::string& sql);
  int16_t AddEntries(const uint8_t* record, uint32_t position, std::vector<IndexEntry>* entries);
  int16_t CheckUnique(int key, const Bytes& image, uint32_t position);
  // Runs `body` as one write transaction: committed when it answers 0, else rolled back.
  int16_t InTransaction(const std::function<int16_t()>& body);

  // Runs one read in the read transaction, which it begins when none is open. When the
  // file is held off by a writer while the process holds other files, those are let go
  // first and the read is made again, waiting this time.
  template <typename ReadBody>
  int16_t Reading(const ReadBody& read);
  int16_t FindOnce(int key, Seek how, const Bytes& image, int64_t sequence, IndexEntry* entry,
                   uint8_t* record);
  void DropLiveScan();
  // Steps the live scan; on a row, live_image_ and live_sequence_ are its entry.
  int StepLiveScan();
  // A read statement's step, its SQLite code turned into a status (kYielded when it gave
  // way to a writer; see WaitWhileBusy).
  int16_t StatusOfStep(int sqlite_code);
  static int WaitWhileBusy(void* file, int attempts);

  sqlite3* db_ = nullptr;
  FileSpec spec_;
  bool writable_ = false;
  bool in_transaction_ = false;  // a client's transaction holds this connection's writes
  HeldReads* held_ = nullptr;
  std::map<std::string, sqlite3_stmt*> statements_;  // every prepared statement, by its SQL
  std::vector<KeyReads> key_reads_;
  sqlite3_stmt* record_at_ = nullptr;  // the record at a position, no key
  sqlite3_stmt* begin_ = nullptr;
  sqlite3_stmt* commit_ = nullptr;

  bool reading_ = false;
  bool yielded_ = false;  // the last wait gave way instead of waiting

  // The live scan: a statement stepped in the read transaction, not reset, whose current
  // row is the entry (live_image_, live_sequence_) of key live_key_. A seek that lies a few
  // entries ahead of it steps it there; when live_floor_known_, every entry before the
  // current row has an image below live_floor_.
  sqlite3_stmt* live_ = nullptr;
  int live_key_ = -1;
  Bytes live_image_;
  int64_t live_sequence_ = 0;
  bool live_floor_known_ = false;
  Bytes live_floor_;
};

}  // namespace recordstore
