// SQLite's own file I/O made to fail: a VFS over the default one, registered as the default,
// whose Nth write, sync or truncate (of any file: a database, its journal) fails with a
// chosen code, as a full disk or a failing device would fail it. For the stand-in's storage
// tests, which open their files through SQLite's default VFS.
#pragma once

#include <sqlite3.h>

#include <cstring>
#include <memory>

namespace r7::testing {

class FailingVfs {
 public:
  // Registers the shim as the default VFS for the life of this object.
  FailingVfs() {
    real_ = sqlite3_vfs_find(nullptr);
    vfs_ = *real_;
    vfs_.zName = "r7-failing";
    vfs_.szOsFile = static_cast<int>(sizeof(ShimFile)) + real_->szOsFile;
    vfs_.pAppData = this;
    vfs_.xOpen = &Open;
    sqlite3_vfs_register(&vfs_, 1);
  }
  ~FailingVfs() {
    sqlite3_vfs_unregister(&vfs_);
    sqlite3_vfs_register(real_, 1);
  }
  FailingVfs(const FailingVfs&) = delete;
  FailingVfs& operator=(const FailingVfs&) = delete;

  // The `n`th write, sync or truncate from now fails with `code` (0: none fails). Counting
  // restarts.
  void FailNth(int n, int code) {
    fail_at_ = n;
    code_ = code;
    writes_ = 0;
    failed_ = false;
  }
  // No write fails any more; the counts stay.
  void Disarm() { fail_at_ = 0; }
  int writes() const { return writes_; }
  bool failed() const { return failed_; }

 private:
  struct ShimFile {
    sqlite3_file base;
    FailingVfs* owner;
    sqlite3_file* real;  // the real VFS's file, allocated just after this one
  };

  // Whether this write fails now.
  bool Fails() {
    if (++writes_ != fail_at_) return false;
    failed_ = true;
    return true;
  }

  static ShimFile* Shim(sqlite3_file* file) { return reinterpret_cast<ShimFile*>(file); }
  static sqlite3_file* Real(sqlite3_file* file) { return Shim(file)->real; }

  static int Open(sqlite3_vfs* vfs, const char* name, sqlite3_file* file, int flags,
                  int* out_flags) {
    auto* self = static_cast<FailingVfs*>(vfs->pAppData);
    ShimFile* shim = Shim(file);
    shim->owner = self;
    shim->real = reinterpret_cast<sqlite3_file*>(shim + 1);
    const int rc = self->real_->xOpen(self->real_, name, shim->real, flags, out_flags);
    // SQLite closes a file through its methods only when the open set them.
    shim->base.pMethods = shim->real->pMethods != nullptr ? &self->methods_ : nullptr;
    if (shim->real->pMethods != nullptr) self->SetMethods(shim->real->pMethods);
    return rc;
  }

  void SetMethods(const sqlite3_io_methods* real) {
    methods_ = *real;
    methods_.iVersion = 1;  // no shared memory or memory maps: the rollback journal only
    methods_.xClose = [](sqlite3_file* f) {
      sqlite3_file* real = Real(f);
      return real->pMethods->xClose(real);
    };
    methods_.xRead = [](sqlite3_file* f, void* data, int amount, sqlite3_int64 offset) {
      return Real(f)->pMethods->xRead(Real(f), data, amount, offset);
    };
    methods_.xWrite = [](sqlite3_file* f, const void* data, int amount, sqlite3_int64 offset) {
      if (Shim(f)->owner->Fails()) return Shim(f)->owner->code_;
      return Real(f)->pMethods->xWrite(Real(f), data, amount, offset);
    };
    methods_.xTruncate = [](sqlite3_file* f, sqlite3_int64 size) {
      if (Shim(f)->owner->Fails()) return Shim(f)->owner->code_;
      return Real(f)->pMethods->xTruncate(Real(f), size);
    };
    methods_.xSync = [](sqlite3_file* f, int flags) {
      if (Shim(f)->owner->Fails()) return Shim(f)->owner->code_;
      return Real(f)->pMethods->xSync(Real(f), flags);
    };
    methods_.xFileSize = [](sqlite3_file* f, sqlite3_int64* size) {
      return Real(f)->pMethods->xFileSize(Real(f), size);
    };
    methods_.xLock = [](sqlite3_file* f, int lock) {
      return Real(f)->pMethods->xLock(Real(f), lock);
    };
    methods_.xUnlock = [](sqlite3_file* f, int lock) {
      return Real(f)->pMethods->xUnlock(Real(f), lock);
    };
    methods_.xCheckReservedLock = [](sqlite3_file* f, int* out) {
      return Real(f)->pMethods->xCheckReservedLock(Real(f), out);
    };
    methods_.xFileControl = [](sqlite3_file* f, int op, void* arg) {
      return Real(f)->pMethods->xFileControl(Real(f), op, arg);
    };
    methods_.xSectorSize = [](sqlite3_file* f) { return Real(f)->pMethods->xSectorSize(Real(f)); };
    methods_.xDeviceCharacteristics = [](sqlite3_file* f) {
      return Real(f)->pMethods->xDeviceCharacteristics(Real(f));
    };
  }

  sqlite3_vfs* real_ = nullptr;
  sqlite3_vfs vfs_{};
  sqlite3_io_methods methods_{};
  int fail_at_ = 0;
  int code_ = SQLITE_IOERR;
  int writes_ = 0;
  bool failed_ = false;
};

}  // namespace r7::testing
