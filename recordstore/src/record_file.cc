// SQLite storage of one record-manager file. (portable)
#include "record_file.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <system_error>
#include <thread>

#include "held_reads.h"
#include "key_image.h"
#include "wbtrv32.h"

namespace recordstore {
namespace {

// Marks a database as a record-manager file of this layout ("R7RS").
constexpr int kApplicationId = 0x52375253;
constexpr int kSchemaVersion = 1;
// Another process holding the file (a writer committing, an exclusive open) is waited for
// this long before the call answers 85.
constexpr int kBusyTimeoutMs = 10000;
// The pauses between attempts while it is held, in milliseconds; the last one repeats.
constexpr int kBusyPausesMs[] = {1, 2, 5, 10, 15, 20, 25, 25, 25, 50, 50, 100};

// A read that gave way to a writer instead of waiting for it (never reaches a caller).
constexpr int16_t kYielded = -1;

// Entries that a seek steps the live scan forward through before it seeks afresh: a reader
// that reads accounts in key order, one file after another, finds each a few entries on.
constexpr int kLookAhead = 8;

int16_t StatusOf(int sqlite_code) {
  switch (sqlite_code & 0xff) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE:
      return btr::kOk;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return btr::kFileLocked;
    case SQLITE_FULL:
      return btr::kDiskFull;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return btr::kAccessDenied;
    case SQLITE_NOTADB:
      return btr::kNotRecordManagerFile;
    case SQLITE_NOMEM:
      return btr::kUnrecoverable;
    default:
      return btr::kIoError;
  }
}

std::string KeyTable(int key) {
  return "key_" + std::to_string(key);
}

// The synchronous level of every connection: FULL unless R7_RECORDSTORE_SYNCHRONOUS names
// another (NORMAL or OFF trade safety against power loss for speed when generating large
// benchmark ledgers; a killed process loses nothing at any level).
std::string SynchronousPragma() {
  const char* level = std::getenv("R7_RECORDSTORE_SYNCHRONOUS");
  std::string name = level != nullptr ? level : "";
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (name != "NORMAL" && name != "OFF") name = "FULL";
  return "PRAGMA synchronous=" + name;
}

// Reads take their pages from a memory mapping of the file where the address space allows
// it, rather than copying each page into the connection's own cache. Writes never go
// through the mapping. A 32-bit process keeps its address space.
std::string MemoryMapPragma() {
  constexpr long long kMapBytes = sizeof(void*) >= 8 ? (1LL << 30) : 0;
  return "PRAGMA mmap_size=" + std::to_string(kMapBytes);
}

void RemoveDatabaseFiles(const std::string& path) {
  std::error_code ignored;
  for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
    std::filesystem::remove(path + suffix, ignored);
  }
}

}  // namespace

// A prepared statement borrowed from the cache for one use: reset and unbound on return, so
// that only the live scan is ever left part-way through.
class RecordFile::Statement {
 public:
  explicit Statement(sqlite3_stmt* stmt) : stmt_(stmt) {}
  ~Statement() {
    if (stmt_ != nullptr) {
      sqlite3_reset(stmt_);
      sqlite3_clear_bindings(stmt_);
    }
  }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool ok() const { return stmt_ != nullptr; }
  void Bind(int index, const Bytes& blob) {
    sqlite3_bind_blob(stmt_, index, blob.data(), static_cast<int>(blob.size()), SQLITE_TRANSIENT);
  }
  void Bind(int index, const uint8_t* data, size_t size) {
    sqlite3_bind_blob(stmt_, index, data, static_cast<int>(size), SQLITE_TRANSIENT);
  }
  void Bind(int index, int64_t value) { sqlite3_bind_int64(stmt_, index, value); }
  int Step() { return sqlite3_step(stmt_); }
  int64_t Int(int column) { return sqlite3_column_int64(stmt_, column); }
  Bytes Blob(int column) {
    const auto* data = static_cast<const uint8_t*>(sqlite3_column_blob(stmt_, column));
    const int size = sqlite3_column_bytes(stmt_, column);
    return data == nullptr ? Bytes() : Bytes(data, data + size);
  }

 private:
  sqlite3_stmt* stmt_;
};

int16_t RecordFile::Create(const std::string& path, const FileSpec& spec, bool replace) {
  std::error_code error;
  if (std::filesystem::exists(path, error)) {
    if (!replace) return btr::kFileAlreadyExists;
    if (std::filesystem::is_directory(path, error)) return btr::kCreateIoError;
  }
  // A journal left by the file being replaced must go too: SQLite would play it back into
  // the new file.
  RemoveDatabaseFiles(path);

  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc == SQLITE_OK) {
    std::string sql = "PRAGMA application_id=" + std::to_string(kApplicationId) +
                      ";PRAGMA user_version=" + std::to_string(kSchemaVersion) +
                      ";BEGIN;"
                      "CREATE TABLE file_spec(id INTEGER PRIMARY KEY CHECK (id = 1),"
                      " spec BLOB NOT NULL);"
                      "CREATE TABLE records(position INTEGER PRIMARY KEY AUTOINCREMENT,"
                      " data BLOB NOT NULL);";
    for (size_t k = 0; k < spec.keys.size(); ++k) {
      const std::string table = KeyTable(static_cast<int>(k));
      sql += "CREATE TABLE " + table +
             "(image BLOB NOT NULL, seq INTEGER NOT NULL, position INTEGER NOT NULL,"
             " PRIMARY KEY (image, seq)) WITHOUT ROWID;"
             "CREATE INDEX " +
             table + "_position ON " + table + "(position);";
    }
    rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) {
      sqlite3_stmt* stmt = nullptr;
      rc = sqlite3_prepare_v2(db, "INSERT INTO file_spec(id, spec) VALUES (1, ?1)", -1, &stmt,
                              nullptr);
      if (rc == SQLITE_OK) {
        const Bytes bytes = EncodeFileSpec(spec, 0, {});
        sqlite3_bind_blob(stmt, 1, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
        rc = sqlite3_step(stmt) == SQLITE_DONE ? SQLITE_OK : sqlite3_errcode(db);
        sqlite3_finalize(stmt);
      }
    }
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  }
  sqlite3_close(db);
  if (rc != SQLITE_OK) {
    RemoveDatabaseFiles(path);
    return rc == SQLITE_FULL ? btr::kDiskFull : btr::kCreateIoError;
  }
  return btr::kOk;
}

int16_t RecordFile::Open(const std::string& path, bool exclusive, HeldReads* held,
                         std::unique_ptr<RecordFile>* out) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return btr::kFileNotFound;
  if (std::filesystem::is_directory(path, error)) return btr::kAccessDenied;

  std::unique_ptr<RecordFile> file(new RecordFile());
  file->writable_ = true;
  // The call interface serialises every use of a connection: SQLite's own locking of it
  // would only be paid for on every step.
  if (sqlite3_open_v2(path.c_str(), &file->db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                      nullptr) != SQLITE_OK) {
    sqlite3_close(file->db_);
    file->db_ = nullptr;
    file->writable_ = false;
    if (sqlite3_open_v2(path.c_str(), &file->db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
      return btr::kAccessDenied;
    }
  }
  file->held_ = held;
  sqlite3_busy_handler(file->db_, &RecordFile::WaitWhileBusy, file.get());
  sqlite3_extended_result_codes(file->db_, 1);
  if (int16_t status = file->Execute(SynchronousPragma()); status != btr::kOk) return status;
  if (int16_t status = file->Execute(MemoryMapPragma()); status != btr::kOk) return status;
  if (exclusive) {
    if (int16_t status = file->Execute("PRAGMA locking_mode=EXCLUSIVE"); status != btr::kOk) {
      return status;
    }
  }

  int16_t status = btr::kOk;
  Bytes spec_bytes;
  int64_t application_id = 0, schema_version = 0;
  {
    Statement stmt(file->Prepare("PRAGMA application_id", &status));
    if (!stmt.ok()) return status == btr::kIoError ? btr::kNotRecordManagerFile : status;
    if (stmt.Step() == SQLITE_ROW) application_id = stmt.Int(0);
  }
  {
    Statement stmt(file->Prepare("PRAGMA user_version", &status));
    if (!stmt.ok()) return status;
    if (stmt.Step() == SQLITE_ROW) schema_version = stmt.Int(0);
  }
  if (application_id != kApplicationId || schema_version != kSchemaVersion) {
    return btr::kNotRecordManagerFile;
  }
  {
    Statement stmt(file->Prepare("SELECT spec FROM file_spec WHERE id = 1", &status));
    if (!stmt.ok()) return btr::kNotRecordManagerFile;
    const int rc = stmt.Step();
    if (rc != SQLITE_ROW) return rc == SQLITE_DONE ? btr::kNotRecordManagerFile : StatusOf(rc);
    spec_bytes = stmt.Blob(0);
  }
  if (ParseFileSpec(spec_bytes.data(), spec_bytes.size(), &file->spec_) != btr::kOk) {
    return btr::kNotRecordManagerFile;
  }
  file->key_reads_.resize(file->spec_.keys.size());
  if (exclusive && file->writable_) {
    // Takes the exclusive lock now; locking_mode keeps it until the connection closes.
    if (status = file->Execute("BEGIN EXCLUSIVE;COMMIT"); status != btr::kOk) return status;
  }
  *out = std::move(file);
  return btr::kOk;
}

RecordFile::~RecordFile() {
  EndReading();
  for (auto& [sql, stmt] : statements_) sqlite3_finalize(stmt);
  sqlite3_close(db_);
}

int RecordFile::WaitWhileBusy(void* file, int attempts) {
  auto* self = static_cast<RecordFile*>(file);
  // A read that would wait while the process holds other files gives way at once: its
  // caller lets them go before it waits (a writer it waits for may be waiting for them).
  if (attempts == 0 && self->reading_ && self->held_ != nullptr && self->held_->held() > 1) {
    self->yielded_ = true;
    return 0;
  }
  constexpr int kPauses = static_cast<int>(sizeof kBusyPausesMs / sizeof kBusyPausesMs[0]);
  int waited = 0;
  for (int i = 0; i < attempts; ++i) waited += kBusyPausesMs[i < kPauses ? i : kPauses - 1];
  if (waited >= kBusyTimeoutMs) return 0;
  const int pause = kBusyPausesMs[attempts < kPauses ? attempts : kPauses - 1];
  std::this_thread::sleep_for(std::chrono::milliseconds(std::min(pause, kBusyTimeoutMs - waited)));
  return 1;
}

int16_t RecordFile::StatusOfStep(int sqlite_code) {
  if (yielded_ && (sqlite_code & 0xff) == SQLITE_BUSY) {
    yielded_ = false;
    return kYielded;
  }
  yielded_ = false;
  return StatusOf(sqlite_code);
}

sqlite3_stmt* RecordFile::Prepare(const std::string& sql, int16_t* status) {
  auto found = statements_.find(sql);
  if (found != statements_.end()) return found->second;
  sqlite3_stmt* stmt = nullptr;
  const int rc = sqlite3_prepare_v3(db_, sql.c_str(), static_cast<int>(sql.size()),
                                    SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_finalize(stmt);
    *status = StatusOf(rc);
    return nullptr;
  }
  statements_.emplace(sql, stmt);
  return stmt;
}

int16_t RecordFile::Execute(const std::string& sql) {
  return StatusOf(sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr));
}

void RecordFile::DropLiveScan() {
  if (live_ != nullptr) sqlite3_reset(live_);
  live_ = nullptr;
  live_key_ = -1;
  live_floor_known_ = false;
}

void RecordFile::EndReading() {
  DropLiveScan();
  if (!reading_) return;
  reading_ = false;
  if (held_ != nullptr) held_->Ended();
  // Nothing was written: ending the transaction cannot fail for a reason that matters, and
  // a transaction that an error already ended needs nothing more.
  if (sqlite3_step(commit_) != SQLITE_DONE && !sqlite3_get_autocommit(db_)) {
    Execute("ROLLBACK");
  }
  sqlite3_reset(commit_);
}

template <typename ReadBody>
int16_t RecordFile::Reading(const ReadBody& read) {
  if (in_transaction_) {
    // The client's write transaction holds the file: its reads see its own writes.
    const int16_t status = read();
    return status == kYielded ? btr::kFileLocked : status;
  }
  for (int attempt = 0;; ++attempt) {
    if (!reading_) {
      int16_t status = btr::kOk;
      if (begin_ == nullptr) begin_ = Prepare("BEGIN", &status);
      if (commit_ == nullptr) commit_ = Prepare("COMMIT", &status);
      if (begin_ == nullptr || commit_ == nullptr) return status;
      const int rc = sqlite3_step(begin_);
      sqlite3_reset(begin_);
      if (rc != SQLITE_DONE) return StatusOf(rc);
      reading_ = true;
      if (held_ != nullptr) held_->Began();
    }
    const int16_t status = read();
    if (status == kYielded && attempt == 0) {
      held_->EndAll();  // this file's transaction too: the read begins afresh, and waits
      continue;
    }
    switch (status) {
      case btr::kOk:
      case btr::kKeyNotFound:
      case btr::kEndOfFile:
      case btr::kInvalidRecordAddress:
        return status;
      default:
        // A failed read leaves no transaction behind (SQLite may have ended it already).
        EndReading();
        return status == kYielded ? btr::kFileLocked : status;
    }
  }
}

int16_t RecordFile::InTransaction(const std::function<int16_t()>& body) {
  if (!writable_) return btr::kAccessDenied;
  if (in_transaction_) {
    // One write of a client's transaction: undone alone when it fails. The live scan's row
    // may be what it changes, so the next read seeks afresh.
    DropLiveScan();
    if (int16_t status = Execute("SAVEPOINT write"); status != btr::kOk) return status;
    const int16_t status = body();
    if (status != btr::kOk) Execute("ROLLBACK TO write");
    Execute("RELEASE write");
    return status;
  }
  EndReading();
  if (int16_t status = Execute("BEGIN IMMEDIATE"); status != btr::kOk) return status;
  int16_t status = body();
  if (status == btr::kOk) {
    status = Execute("COMMIT");
    if (status == btr::kOk) return btr::kOk;
  }
  // A failed COMMIT may already have ended the transaction; ROLLBACK then just reports that
  // none is active.
  Execute("ROLLBACK");
  return status;
}

int16_t RecordFile::JoinTransaction() {
  if (!writable_) return btr::kAccessDenied;
  if (in_transaction_) return btr::kOk;
  EndReading();
  if (int16_t status = Execute("BEGIN IMMEDIATE"); status != btr::kOk) return status;
  in_transaction_ = true;
  return btr::kOk;
}

int16_t RecordFile::EndTransaction(bool commit) {
  if (!in_transaction_) return btr::kOk;
  in_transaction_ = false;
  if (commit) {
    const int16_t status = Execute("COMMIT");
    if (status == btr::kOk) return btr::kOk;
    Execute("ROLLBACK");
    return status;
  }
  return Execute("ROLLBACK");
}

int16_t RecordFile::CheckUnique(int key, const Bytes& image, uint32_t position) {
  int16_t status = btr::kOk;
  Statement stmt(Prepare(
      "SELECT position FROM " + KeyTable(key) + " WHERE image = ?1 AND position <> ?2 LIMIT 1",
      &status));
  if (!stmt.ok()) return status;
  stmt.Bind(1, image);
  stmt.Bind(2, static_cast<int64_t>(position));
  const int rc = stmt.Step();
  if (rc == SQLITE_ROW) return btr::kDuplicateKey;
  return rc == SQLITE_DONE ? btr::kOk : StatusOf(rc);
}

int16_t RecordFile::AddEntries(const uint8_t* record, uint32_t position,
                               std::vector<IndexEntry>* entries) {
  int16_t status = btr::kOk;
  for (size_t k = 0; k < spec_.keys.size(); ++k) {
    const int key = static_cast<int>(k);
    const KeyDef& def = spec_.keys[k];
    IndexEntry& entry = (*entries)[k];
    if (entry.position == position) continue;  // kept: the key did not change
    entry.image = KeyImage(def, KeyValueOf(def, record).data());
    entry.position = position;
    if (!def.duplicates()) {
      if (status = CheckUnique(key, entry.image, position); status != btr::kOk) return status;
    }
    {
      Statement stmt(Prepare(
          "SELECT COALESCE(MAX(seq), 0) + 1 FROM " + KeyTable(key) + " WHERE image = ?1", &status));
      if (!stmt.ok()) return status;
      stmt.Bind(1, entry.image);
      const int rc = stmt.Step();
      if (rc != SQLITE_ROW) return StatusOf(rc);
      entry.sequence = stmt.Int(0);
    }
    Statement stmt(Prepare(
        "INSERT INTO " + KeyTable(key) + "(image, seq, position) VALUES (?1, ?2, ?3)", &status));
    if (!stmt.ok()) return status;
    stmt.Bind(1, entry.image);
    stmt.Bind(2, entry.sequence);
    stmt.Bind(3, static_cast<int64_t>(position));
    if (const int rc = stmt.Step(); rc != SQLITE_DONE) return StatusOf(rc);
  }
  return btr::kOk;
}

int16_t RecordFile::Insert(const uint8_t* record, uint32_t* position,
                           std::vector<IndexEntry>* entries) {
  return InTransaction([&]() -> int16_t {
    int16_t status = btr::kOk;
    {
      Statement stmt(Prepare("INSERT INTO records(data) VALUES (?1)", &status));
      if (!stmt.ok()) return status;
      stmt.Bind(1, record, spec_.record_length);
      if (const int rc = stmt.Step(); rc != SQLITE_DONE) return StatusOf(rc);
    }
    const int64_t rowid = sqlite3_last_insert_rowid(db_);
    // Positions are 4 bytes wide; a file that has used them all up is full.
    if (rowid <= 0 || rowid > std::numeric_limits<uint32_t>::max()) return btr::kDiskFull;
    *position = static_cast<uint32_t>(rowid);
    entries->assign(spec_.keys.size(), IndexEntry{});
    return AddEntries(record, *position, entries);
  });
}

int16_t RecordFile::Update(uint32_t position, const uint8_t* record,
                           std::vector<IndexEntry>* entries) {
  return InTransaction([&]() -> int16_t {
    Bytes old_record;
    entries->assign(spec_.keys.size(), IndexEntry{});
    int16_t status = btr::kOk;
    {
      Statement stmt(Prepare("SELECT data FROM records WHERE position = ?1", &status));
      if (!stmt.ok()) return status;
      stmt.Bind(1, static_cast<int64_t>(position));
      const int rc = stmt.Step();
      if (rc == SQLITE_DONE) return btr::kInvalidRecordAddress;
      if (rc != SQLITE_ROW) return StatusOf(rc);
      old_record = stmt.Blob(0);
    }
    if (old_record.size() != spec_.record_length) return btr::kIoError;
    for (size_t k = 0; k < spec_.keys.size(); ++k) {
      const KeyDef& def = spec_.keys[k];
      const Bytes old_value = KeyValueOf(def, old_record.data());
      const Bytes new_value = KeyValueOf(def, record);
      if (old_value == new_value) {
        // The entry stays where it is, duplicates keep their order.
        const Bytes image = KeyImage(def, old_value.data());
        Statement stmt(Prepare("SELECT seq FROM " + KeyTable(static_cast<int>(k)) +
                                   " WHERE image = ?1 AND position = ?2",
                               &status));
        if (!stmt.ok()) return status;
        stmt.Bind(1, image);
        stmt.Bind(2, static_cast<int64_t>(position));
        const int rc = stmt.Step();
        if (rc != SQLITE_ROW) return rc == SQLITE_DONE ? btr::kIoError : StatusOf(rc);
        (*entries)[k] = IndexEntry{image, stmt.Int(0), position};
        continue;
      }
      if (!def.modifiable()) return btr::kModifiableKeyError;
      Statement stmt(Prepare(
          "DELETE FROM " + KeyTable(static_cast<int>(k)) + " WHERE position = ?1", &status));
      if (!stmt.ok()) return status;
      stmt.Bind(1, static_cast<int64_t>(position));
      if (const int rc = stmt.Step(); rc != SQLITE_DONE) return StatusOf(rc);
    }
    {
      Statement stmt(Prepare("UPDATE records SET data = ?1 WHERE position = ?2", &status));
      if (!stmt.ok()) return status;
      stmt.Bind(1, record, spec_.record_length);
      stmt.Bind(2, static_cast<int64_t>(position));
      if (const int rc = stmt.Step(); rc != SQLITE_DONE) return StatusOf(rc);
    }
    return AddEntries(record, position, entries);
  });
}

int16_t RecordFile::Delete(uint32_t position) {
  return InTransaction([&]() -> int16_t {
    int16_t status = btr::kOk;
    {
      Statement stmt(Prepare("DELETE FROM records WHERE position = ?1", &status));
      if (!stmt.ok()) return status;
      stmt.Bind(1, static_cast<int64_t>(position));
      if (const int rc = stmt.Step(); rc != SQLITE_DONE) return StatusOf(rc);
    }
    if (sqlite3_changes(db_) == 0) return btr::kInvalidRecordAddress;
    for (size_t k = 0; k < spec_.keys.size(); ++k) {
      Statement stmt(Prepare(
          "DELETE FROM " + KeyTable(static_cast<int>(k)) + " WHERE position = ?1", &status));
      if (!stmt.ok()) return status;
      stmt.Bind(1, static_cast<int64_t>(position));
      if (const int rc = stmt.Step(); rc != SQLITE_DONE) return StatusOf(rc);
    }
    return btr::kOk;
  });
}

int16_t RecordFile::Read(uint32_t position, int key, uint8_t* record, IndexEntry* entry) {
  // The cursor leaves the live scan's entry: a Get Next seeks from the new one.
  DropLiveScan();
  return Reading([&]() -> int16_t {
    sqlite3_stmt** slot = key < 0 ? &record_at_ : &key_reads_[static_cast<size_t>(key)].at_position;
    if (*slot == nullptr) {
      int16_t status = btr::kOk;
      *slot =
          Prepare(key < 0 ? std::string("SELECT data, NULL, 0 FROM records WHERE position = ?1")
                          : "SELECT r.data, k.image, k.seq FROM records r JOIN " + KeyTable(key) +
                                " k ON k.position = r.position WHERE r.position = ?1",
                  &status);
      if (*slot == nullptr) return status;
    }
    sqlite3_stmt* stmt = *slot;
    Statement use(stmt);
    use.Bind(1, static_cast<int64_t>(position));
    const int rc = use.Step();
    if (rc == SQLITE_DONE) return btr::kInvalidRecordAddress;
    if (rc != SQLITE_ROW) return StatusOfStep(rc);
    if (sqlite3_column_bytes(stmt, 0) != static_cast<int>(spec_.record_length)) {
      return btr::kIoError;
    }
    std::memcpy(record, sqlite3_column_blob(stmt, 0), spec_.record_length);
    if (entry != nullptr) *entry = IndexEntry{use.Blob(1), use.Int(2), position};
    return btr::kOk;
  });
}

int16_t RecordFile::Find(int key, Seek how, const Bytes& image, int64_t sequence, IndexEntry* entry,
                         uint8_t* record) {
  return Reading([&]() -> int16_t { return FindOnce(key, how, image, sequence, entry, record); });
}

int RecordFile::StepLiveScan() {
  const int rc = sqlite3_step(live_);
  if (rc == SQLITE_ROW) {
    const auto* image = static_cast<const uint8_t*>(sqlite3_column_blob(live_, 0));
    live_image_.assign(image, image + sqlite3_column_bytes(live_, 0));
    live_sequence_ = sqlite3_column_int64(live_, 1);
  }
  return rc;
}

int16_t RecordFile::FindOnce(int key, Seek how, const Bytes& image, int64_t sequence,
                             IndexEntry* entry, uint8_t* record) {
  // Equal and Not Below look for the first entry whose image is not below `image`.
  const bool probe = how == Seek::kEqual || how == Seek::kNotBelow;
  int rc = SQLITE_ROW;
  bool answered = false;  // the live scan has reached the entry sought, or its end
  if (live_ != nullptr && live_key_ == key) {
    if (how == Seek::kAfter) {
      if (live_sequence_ == sequence && live_image_ == image) {
        rc = StepLiveScan();
        answered = true;
      }
    } else if (probe && live_floor_known_ && live_floor_ <= image && !(live_image_ < image)) {
      answered = true;  // everything before the live row is below the image, the row is not
    } else if (probe && live_image_ < image) {
      // A reader going through the key in order seeks a little further on each time.
      for (int step = 0; step < kLookAhead && !answered; ++step) {
        rc = StepLiveScan();
        answered = rc != SQLITE_ROW || !(live_image_ < image);
      }
    }
  }
  if (!answered) {
    DropLiveScan();
    KeyReads& reads = key_reads_[static_cast<size_t>(key)];
    sqlite3_stmt** slot = how == Seek::kFirst   ? &reads.from_first
                          : how == Seek::kAfter ? &reads.after
                                                : &reads.not_below;
    if (*slot == nullptr) {
      const char* where = how == Seek::kFirst   ? ""
                          : how == Seek::kAfter ? " WHERE (k.image, k.seq) > (?1, ?2)"
                                                : " WHERE k.image >= ?1";
      int16_t status = btr::kOk;
      *slot = Prepare("SELECT k.image, k.seq, k.position, r.data FROM " + KeyTable(key) +
                          " k JOIN records r ON r.position = k.position" + where +
                          " ORDER BY k.image, k.seq",
                      &status);
      if (*slot == nullptr) return status;
    }
    if (how != Seek::kFirst) {
      sqlite3_bind_blob(*slot, 1, image.data(), static_cast<int>(image.size()), SQLITE_TRANSIENT);
    }
    if (how == Seek::kAfter) sqlite3_bind_int64(*slot, 2, sequence);
    live_ = *slot;
    live_key_ = key;
    rc = StepLiveScan();
  }
  // What is known of the entries before the live row, for the next seek.
  live_floor_known_ = how != Seek::kAfter;
  if (probe) {
    live_floor_ = image;
  } else {
    live_floor_.clear();
  }
  if (rc != SQLITE_ROW) {
    DropLiveScan();
    if (rc == SQLITE_DONE) return how == Seek::kEqual ? btr::kKeyNotFound : btr::kEndOfFile;
    return StatusOfStep(rc);
  }
  // Not there: the scan stays on the first entry beyond, where the next seek may find it.
  if (how == Seek::kEqual && live_image_ != image) return btr::kKeyNotFound;
  if (sqlite3_column_bytes(live_, 3) != static_cast<int>(spec_.record_length)) {
    DropLiveScan();
    return btr::kIoError;
  }
  std::memcpy(record, sqlite3_column_blob(live_, 3), spec_.record_length);
  entry->image = live_image_;
  entry->sequence = live_sequence_;
  entry->position = static_cast<uint32_t>(sqlite3_column_int64(live_, 2));
  return btr::kOk;
}

int16_t RecordFile::Statistics(uint32_t* records, std::vector<uint32_t>* unique_values) {
  return Reading([&]() -> int16_t {
    int16_t status = btr::kOk;
    {
      Statement stmt(Prepare("SELECT COUNT(*) FROM records", &status));
      if (!stmt.ok()) return status;
      const int rc = stmt.Step();
      if (rc != SQLITE_ROW) return StatusOfStep(rc);
      *records = static_cast<uint32_t>(stmt.Int(0));
    }
    unique_values->clear();
    for (size_t k = 0; k < spec_.keys.size(); ++k) {
      if (!spec_.keys[k].duplicates()) {
        unique_values->push_back(*records);
        continue;
      }
      Statement stmt(
          Prepare("SELECT COUNT(DISTINCT image) FROM " + KeyTable(static_cast<int>(k)), &status));
      if (!stmt.ok()) return status;
      const int rc = stmt.Step();
      if (rc != SQLITE_ROW) return StatusOfStep(rc);
      unique_values->push_back(static_cast<uint32_t>(stmt.Int(0)));
    }
    return btr::kOk;
  });
}

}  // namespace recordstore
