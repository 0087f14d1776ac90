// The record manager's operations, each on arguments the call interface has checked.
// (portable)
//
// Before an operation runs, the call interface has made sure of what its rule asks (see
// call_interface.cc): the position block names a live open file, the key number is one of
// the file's keys (or -1 where allowed), the data buffer holds a whole record and the key
// buffer a whole key value where they are used, and a write does not go to a file opened
// read-only. An operation answers the record manager's status and leaves the cursor as it
// was when it fails.
#pragma once

#include <cstddef>
#include <cstdint>

#include "open_file_table.h"
#include "transactions.h"

namespace recordstore {

// One call as the caller made it. Absent buffers count as empty.
struct Call {
  uint16_t operation = 0;
  void* position_block = nullptr;
  uint8_t* data = nullptr;
  uint32_t* data_length = nullptr;
  uint8_t* key = nullptr;
  uint8_t key_length = 0;
  int8_t key_number = 0;
  ClientId client{};

  uint32_t data_capacity() const {
    return data != nullptr && data_length != nullptr ? *data_length : 0;
  }
  size_t key_capacity() const { return key != nullptr ? key_length : 0; }
};

struct Context {
  OpenFileTable& table;
  const Call& call;
  OpenFile* file;  // the open file of the position block, when the operation needs one
  Transactions& transactions;
};

int16_t OpenFileOp(Context& context);
int16_t CloseOp(Context& context);
int16_t InsertOp(Context& context);
int16_t UpdateOp(Context& context);
int16_t DeleteOp(Context& context);
int16_t GetEqualOp(Context& context);
int16_t GetNextOp(Context& context);
int16_t GetGreaterOrEqualOp(Context& context);
int16_t GetFirstOp(Context& context);
int16_t CreateOp(Context& context);
int16_t StatOp(Context& context);
int16_t GetPositionOp(Context& context);
int16_t GetDirectOp(Context& context);
int16_t StopOp(Context& context);
int16_t BeginTransactionOp(Context& context);
int16_t EndTransactionOp(Context& context);
int16_t AbortTransactionOp(Context& context);

// Environment variables that cap the table, so that callers' retries can be exercised:
// distinct files open (86 beyond it) and open position blocks (87 beyond it). Unset,
// empty or not a positive number: no cap.
inline constexpr const char* kMaxOpenFilesVariable = "R7_RECORDSTORE_MAX_OPEN";
inline constexpr const char* kMaxHandlesVariable = "R7_RECORDSTORE_MAX_HANDLES";

}  // namespace recordstore
