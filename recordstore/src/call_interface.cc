// The published entry points: argument checking and dispatch to the operations. (portable)
//
// Every call is checked against its operation's rule before the operation runs, so that no
// malformed argument (an absent or short buffer, a key number the file does not have, a
// position block holding anything but a live handle) reaches the storage. Calls are
// serialised: the table, the cursors and the held read transactions are the process's, and
// callers may be on any thread.
#include <cstring>
#include <mutex>

#include "operations.h"
#include "wbtrv32.h"

#ifndef R7_RECORDSTORE_EXPORT
#define R7_RECORDSTORE_EXPORT
#endif

namespace recordstore {
namespace {

// Which key numbers an operation takes.
enum class KeyUse {
  kIgnored,    // the key number means something else (Open's mode) or nothing
  kKey,        // one of the file's keys
  kKeyOrNone,  // one of the file's keys, or -1 for no currency
};

struct OperationRule {
  uint16_t operation;
  int16_t (*run)(Context&);
  bool needs_open_file;
  KeyUse key_use;
  bool writes;          // refused (46) on a file opened read-only
  bool record_in_data;  // the data buffer must hold a whole record (else 22)
  bool key_in_buffer;   // for a key number >= 0 the key buffer holds the key value (else 21)
  bool ends_reads;      // opens, makes or changes a file: held read transactions end first
};

constexpr OperationRule kRules[] = {
    {btr::kOpen, OpenFileOp, false, KeyUse::kIgnored, false, false, false, true},
    {btr::kClose, CloseOp, true, KeyUse::kIgnored, false, false, false, false},
    {btr::kInsert, InsertOp, true, KeyUse::kKeyOrNone, true, true, true, true},
    {btr::kUpdate, UpdateOp, true, KeyUse::kKey, true, true, true, true},
    {btr::kDelete, DeleteOp, true, KeyUse::kIgnored, true, false, false, true},
    {btr::kGetEqual, GetEqualOp, true, KeyUse::kKey, false, true, true, false},
    {btr::kGetNext, GetNextOp, true, KeyUse::kKey, false, true, true, false},
    {btr::kGetGreaterOrEqual, GetGreaterOrEqualOp, true, KeyUse::kKey, false, true, true, false},
    {btr::kGetFirst, GetFirstOp, true, KeyUse::kKey, false, true, true, false},
    {btr::kCreate, CreateOp, false, KeyUse::kIgnored, false, false, false, true},
    {btr::kStat, StatOp, true, KeyUse::kIgnored, false, false, false, false},
    {btr::kGetPosition, GetPositionOp, true, KeyUse::kIgnored, false, false, false, false},
    {btr::kGetDirect, GetDirectOp, true, KeyUse::kKeyOrNone, false, true, true, false},
    {btr::kStop, StopOp, false, KeyUse::kIgnored, false, false, false, true},
    {btr::kReset, StopOp, false, KeyUse::kIgnored, false, false, false, true},
    {btr::kBeginTransaction, BeginTransactionOp, false, KeyUse::kIgnored, false, false, false,
     true},
    {btr::kBeginTransaction + btr::kConcurrentTransactionBias, BeginTransactionOp, false,
     KeyUse::kIgnored, false, false, false, true},
    {btr::kEndTransaction, EndTransactionOp, false, KeyUse::kIgnored, false, false, false, true},
    {btr::kAbortTransaction, AbortTransactionOp, false, KeyUse::kIgnored, false, false, false,
     true},
};

const OperationRule* RuleOf(uint16_t operation) {
  for (const OperationRule& rule : kRules) {
    if (rule.operation == operation) return &rule;
  }
  return nullptr;
}

int16_t CheckAgainstRule(const OperationRule& rule, const Call& call, const OpenFile& file) {
  const FileSpec& spec = file.file->spec();
  const int key_count = static_cast<int>(spec.keys.size());
  const int key = call.key_number;
  if (rule.key_use != KeyUse::kIgnored) {
    const bool none_allowed = rule.key_use == KeyUse::kKeyOrNone && key == btr::kNoCurrencyChange;
    if (!none_allowed && (key < 0 || key >= key_count)) return btr::kInvalidKeyNumber;
  }
  if (rule.writes && file.read_only) return btr::kAccessDenied;
  if (rule.record_in_data && call.data_capacity() < spec.record_length) {
    return btr::kDataBufferLength;
  }
  if (rule.key_in_buffer && key >= 0 &&
      call.key_capacity() < static_cast<size_t>(spec.keys[static_cast<size_t>(key)].length)) {
    return btr::kKeyBufferTooShort;
  }
  return btr::kOk;
}

// What the process's calls share. Its members go in this order so that the held read
// transactions, and the thread that ends them, go before the files and the mutex they use.
struct Process {
  std::mutex call_mutex;
  OpenFileTable table;
  HeldReads held{call_mutex, [this] { table.EndReading(); }};
};

// Made on the first call and never destroyed. At process exit the releasing thread may have
// been stopped anywhere (Windows ends every other thread before it runs the libraries'
// destructors), perhaps holding a lock of the call mutex, of its own wake-up or of SQLite:
// a destructor that took one would wait for ever. Nothing needs the destructor either: a
// held read writes nothing, a client transaction left open is rolled back from its journal
// at the next open, as after a kill, and the operating system drops the file locks. A client
// that lets the library go calls WBTRVSTOP first, which closes every file and ends the thread.
Process& TheProcess() {
  static Process* const process = new Process;
  return *process;
}

Transactions& RunningTransactions() {
  static Transactions transactions;
  return transactions;
}

int16_t Dispatch(const Call& call) {
  const OperationRule* rule = RuleOf(call.operation);
  if (rule == nullptr) return btr::kInvalidOperation;
  Process& process = TheProcess();
  std::lock_guard<std::mutex> lock(process.call_mutex);
  process.held.BeforeCall(rule->ends_reads);
  Context context{process.table, &process.held, call, nullptr, RunningTransactions()};
  int16_t status = btr::kOk;
  if (rule->needs_open_file) {
    context.file = process.table.Find(call.position_block);
    if (context.file == nullptr) return btr::kFileNotOpen;
    status = CheckAgainstRule(*rule, call, *context.file);
  }
  if (status == btr::kOk) status = rule->run(context);
  process.held.AfterCall();
  return status;
}

Call MakeCall(uint16_t operation, void* position_block, void* data_buffer, uint32_t* data_length,
              void* key_buffer, uint8_t key_length, int8_t key_number) {
  Call call;
  call.operation = operation;
  call.position_block = position_block;
  call.data = static_cast<uint8_t*>(data_buffer);
  call.data_length = data_length;
  call.key = static_cast<uint8_t*>(key_buffer);
  call.key_length = key_length;
  call.key_number = key_number;
  return call;
}

}  // namespace
}  // namespace recordstore

extern "C" {

R7_RECORDSTORE_EXPORT int16_t R7_STDCALL BTRCALL(uint16_t operation, void* position_block,
                                                 void* data_buffer, uint32_t* data_length,
                                                 void* key_buffer, uint8_t key_length,
                                                 int8_t key_number) {
  return recordstore::Dispatch(recordstore::MakeCall(
      operation, position_block, data_buffer, data_length, key_buffer, key_length, key_number));
}

R7_RECORDSTORE_EXPORT int16_t R7_STDCALL BTRCALLID(uint16_t operation, void* position_block,
                                                   void* data_buffer, uint32_t* data_length,
                                                   void* key_buffer, uint8_t key_length,
                                                   int8_t key_number, void* client_id) {
  recordstore::Call call = recordstore::MakeCall(operation, position_block, data_buffer,
                                                 data_length, key_buffer, key_length, key_number);
  if (client_id != nullptr) std::memcpy(call.client.data(), client_id, call.client.size());
  return recordstore::Dispatch(call);
}

R7_RECORDSTORE_EXPORT int16_t R7_STDCALL WBTRVINIT(char* /*option*/) {
  return btr::kOk;
}

R7_RECORDSTORE_EXPORT int16_t R7_STDCALL WBRQSHELLINIT(char* /*option*/) {
  return btr::kOk;
}

// The client library is being let go: every file of every caller is closed.
R7_RECORDSTORE_EXPORT int16_t R7_STDCALL WBTRVSTOP(void) {
  recordstore::Process& process = recordstore::TheProcess();
  std::lock_guard<std::mutex> lock(process.call_mutex);
  process.table.CloseAll();
  recordstore::RunningTransactions().ForgetAll();
  // Nothing is held any more; the library may be let go once this returns.
  process.held.StopReleaser();
  return btr::kOk;
}

}  // extern "C"
