// The record manager's library as the driver binds it, with one call made to fail: the Nth
// call of a chosen operation (or of any operation) answers a chosen status without reaching
// the record manager, as a full disk, a lock or a lost file would answer it. Every call is
// recorded, so that a clean run tells how many failure points a write has, and a test can
// prove that a path makes no record-manager call.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/dynamic_library.h"
#include "wbtrv32.h"

namespace r7::testing {

// The failures a record manager answers with, which the fault runs take in turn: an I/O
// error, a full disk, a locked file, a file no longer open.
inline constexpr int16_t kInjectedStatuses[] = {btr::kIoError, btr::kDiskFull, btr::kFileLocked,
                                                btr::kFileNotOpen};

struct InjectedFault {
  static constexpr int kAnyOperation = -1;
  int operation = kAnyOperation;
  int number = 0;  // 1 = the first matching call; 0 = none fails
  int16_t status = 0;
};

// What the calls of one run met.
struct FaultRecord {
  std::vector<uint16_t> operations;  // every call, in order
  int matching = 0;                  // calls that matched the fault's operation
  bool failed = false;               // the fault was injected
  int acknowledged_writes = 0;       // inserts, updates and deletes answered 0
  // Of those, the writes that stand: made outside a transaction, or in one that ended.
  int committed_writes = 0;
  int pending_writes = 0;  // in the open transaction
  bool in_transaction = false;
};

// Forwards to the real libraries; BTRCALL is bound through a trampoline that fails the call
// of `fault`. The state is the process's, as the trampoline is a plain function: one
// instance at a time.
class FaultyLibraries : public platform::DynamicLibraries {
 public:
  static inline InjectedFault fault;
  static inline FaultRecord record;
  // Called after each write the record manager acknowledged: a clean run's snapshots.
  static inline std::function<void()> after_acknowledged_write;

  explicit FaultyLibraries(platform::DynamicLibraries& inner) : inner_(inner) {
    Arm({});
    after_acknowledged_write = nullptr;
  }
  // The calls since the last Arm().
  static std::uint64_t calls() { return record.operations.size(); }
  // Fails the call of `fault` from now on, with a fresh record.
  static void Arm(InjectedFault next) {
    fault = next;
    record = FaultRecord{};
  }

  Handle Load(std::string_view name) override { return inner_.Load(name); }
  void* Symbol(Handle library, const char* name) override {
    void* symbol = inner_.Symbol(library, name);
    if (symbol != nullptr && std::string(name) == "BTRCALL") {
      real_ = reinterpret_cast<BtrCallFn>(symbol);
      return reinterpret_cast<void*>(&Faulty);
    }
    return symbol;
  }
  void Unload(Handle library) override { inner_.Unload(library); }

 private:
  static int16_t R7_STDCALL Faulty(uint16_t operation, void* position, void* data, uint32_t* length,
                                   void* key, uint8_t key_length, int8_t key_number) {
    record.operations.push_back(operation);
    if (fault.operation == InjectedFault::kAnyOperation || fault.operation == operation) {
      if (++record.matching == fault.number) {
        record.failed = true;
        return fault.status;
      }
    }
    const int16_t status = real_(operation, position, data, length, key, key_length, key_number);
    const bool write =
        operation == btr::kInsert || operation == btr::kUpdate || operation == btr::kDelete;
    if (status != btr::kOk) return status;
    switch (operation % btr::kConcurrentTransactionBias) {
      case btr::kBeginTransaction:
        record.in_transaction = true;
        break;
      case btr::kEndTransaction:
        record.committed_writes += record.pending_writes;
        [[fallthrough]];
      case btr::kAbortTransaction:
        record.pending_writes = 0;
        record.in_transaction = false;
        break;
      default:
        if (!write) break;
        ++record.acknowledged_writes;
        ++(record.in_transaction ? record.pending_writes : record.committed_writes);
        if (after_acknowledged_write) after_acknowledged_write();
    }
    return status;
  }
  static inline BtrCallFn real_ = nullptr;
  platform::DynamicLibraries& inner_;
};

}  // namespace r7::testing
