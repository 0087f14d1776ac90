// SQLite storage of one record-manager file. (portable)
#include "record_file.h"

#include <sqlite3.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <system_error>

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

void RemoveDatabaseFiles(const std::string& path) {
  std::error_code ignored;
  for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
    std::filesystem::remove(path + suffix, ignored);
  }
}

}  // namespace

// A prepared statement borrowed from the cache for one use: reset and unbound on return, so
// no statement keeps a read lock between calls.
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

int16_t RecordFile::Open(const std::string& path, bool exclusive,
                         std::unique_ptr<RecordFile>* out) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return btr::kFileNotFound;
  if (std::filesystem::is_directory(path, error)) return btr::kAccessDenied;

  std::unique_ptr<RecordFile> file(new RecordFile());
  file->writable_ = true;
  if (sqlite3_open_v2(path.c_str(), &file->db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    sqlite3_close(file->db_);
    file->db_ = nullptr;
    file->writable_ = false;
    if (sqlite3_open_v2(path.c_str(), &file->db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
      return btr::kAccessDenied;
    }
  }
  sqlite3_busy_timeout(file->db_, kBusyTimeoutMs);
  sqlite3_extended_result_codes(file->db_, 1);
  if (int16_t status = file->Execute(SynchronousPragma()); status != btr::kOk) return status;
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
  if (exclusive && file->writable_) {
    // Takes the exclusive lock now; locking_mode keeps it until the connection closes.
    if (status = file->Execute("BEGIN EXCLUSIVE;COMMIT"); status != btr::kOk) return status;
  }
  *out = std::move(file);
  return btr::kOk;
}

RecordFile::~RecordFile() {
  for (auto& [sql, stmt] : statements_) sqlite3_finalize(stmt);
  sqlite3_close(db_);
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

int16_t RecordFile::InTransaction(const std::function<int16_t()>& body) {
  if (!writable_) return btr::kAccessDenied;
  if (in_transaction_) {
    // One write of a client's transaction: undone alone when it fails.
    if (int16_t status = Execute("SAVEPOINT write"); status != btr::kOk) return status;
    const int16_t status = body();
    if (status != btr::kOk) Execute("ROLLBACK TO write");
    Execute("RELEASE write");
    return status;
  }
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

int16_t RecordFile::Read(uint32_t position, int key, Bytes* record, IndexEntry* entry) {
  int16_t status = btr::kOk;
  const std::string sql =
      key < 0 ? std::string("SELECT data, NULL, 0 FROM records WHERE position = ?1")
              : "SELECT r.data, k.image, k.seq FROM records r JOIN " + KeyTable(key) +
                    " k ON k.position = r.position WHERE r.position = ?1";
  Statement stmt(Prepare(sql, &status));
  if (!stmt.ok()) return status;
  stmt.Bind(1, static_cast<int64_t>(position));
  const int rc = stmt.Step();
  if (rc == SQLITE_DONE) return btr::kInvalidRecordAddress;
  if (rc != SQLITE_ROW) return StatusOf(rc);
  *record = stmt.Blob(0);
  if (record->size() != spec_.record_length) return btr::kIoError;
  if (entry != nullptr) *entry = IndexEntry{stmt.Blob(1), stmt.Int(2), position};
  return btr::kOk;
}

int16_t RecordFile::Find(int key, Seek how, const Bytes& image, int64_t sequence, IndexEntry* entry,
                         Bytes* record) {
  const std::string table = KeyTable(key);
  std::string where;
  switch (how) {
    case Seek::kFirst:
      break;
    case Seek::kEqual:
      where = " WHERE k.image = ?1";
      break;
    case Seek::kNotBelow:
      where = " WHERE k.image >= ?1";
      break;
    case Seek::kAfter:
      where = " WHERE (k.image, k.seq) > (?1, ?2)";
      break;
  }
  int16_t status = btr::kOk;
  Statement stmt(Prepare("SELECT k.image, k.seq, k.position, r.data FROM " + table +
                             " k JOIN records r ON r.position = k.position" + where +
                             " ORDER BY k.image, k.seq LIMIT 1",
                         &status));
  if (!stmt.ok()) return status;
  if (how != Seek::kFirst) stmt.Bind(1, image);
  if (how == Seek::kAfter) stmt.Bind(2, sequence);
  const int rc = stmt.Step();
  if (rc == SQLITE_DONE) return how == Seek::kEqual ? btr::kKeyNotFound : btr::kEndOfFile;
  if (rc != SQLITE_ROW) return StatusOf(rc);
  const int64_t position = stmt.Int(2);
  *entry = IndexEntry{stmt.Blob(0), stmt.Int(1), static_cast<uint32_t>(position)};
  *record = stmt.Blob(3);
  if (record->size() != spec_.record_length) return btr::kIoError;
  return btr::kOk;
}

int16_t RecordFile::Statistics(uint32_t* records, std::vector<uint32_t>* unique_values) {
  int16_t status = btr::kOk;
  {
    Statement stmt(Prepare("SELECT COUNT(*) FROM records", &status));
    if (!stmt.ok()) return status;
    const int rc = stmt.Step();
    if (rc != SQLITE_ROW) return StatusOf(rc);
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
    if (rc != SQLITE_ROW) return StatusOf(rc);
    unique_values->push_back(static_cast<uint32_t>(stmt.Int(0)));
  }
  return btr::kOk;
}

}  // namespace recordstore
