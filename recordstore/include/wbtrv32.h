// The record manager's published call interface: the five entry points of its client
// library, as the stand-in record manager exports them and as the driver binds them.
//
// All return a signed 16-bit status (0 success). The data length is 32 bits wide on every
// target. A position block is 128 bytes and belongs to the caller; a key is at most 255
// bytes; a client id is 16 bytes.
#pragma once

#include <cstdint>

#include "platform/abi.h"

extern "C" {

typedef int16_t(R7_STDCALL* BtrCallFn)(uint16_t operation, void* position_block, void* data_buffer,
                                       uint32_t* data_length, void* key_buffer, uint8_t key_length,
                                       int8_t key_number);
typedef int16_t(R7_STDCALL* BtrCallIdFn)(uint16_t operation, void* position_block,
                                         void* data_buffer, uint32_t* data_length, void* key_buffer,
                                         uint8_t key_length, int8_t key_number, void* client_id);
typedef int16_t(R7_STDCALL* WbtrvInitFn)(char* option);
typedef int16_t(R7_STDCALL* WbtrvStopFn)(void);
typedef int16_t(R7_STDCALL* WbrqShellInitFn)(char* option);

// The entry points themselves, as the client library (or the stand-in) defines them. The
// driver never calls these by name: it binds them at run time through the types above.
int16_t R7_STDCALL BTRCALL(uint16_t operation, void* position_block, void* data_buffer,
                           uint32_t* data_length, void* key_buffer, uint8_t key_length,
                           int8_t key_number);
int16_t R7_STDCALL BTRCALLID(uint16_t operation, void* position_block, void* data_buffer,
                             uint32_t* data_length, void* key_buffer, uint8_t key_length,
                             int8_t key_number, void* client_id);
int16_t R7_STDCALL WBTRVINIT(char* option);
int16_t R7_STDCALL WBTRVSTOP(void);
int16_t R7_STDCALL WBRQSHELLINIT(char* option);

}  // extern "C"

namespace btr {

// Operation codes.
inline constexpr uint16_t kOpen = 0;
inline constexpr uint16_t kClose = 1;
inline constexpr uint16_t kInsert = 2;
inline constexpr uint16_t kUpdate = 3;
inline constexpr uint16_t kDelete = 4;
inline constexpr uint16_t kGetEqual = 5;
inline constexpr uint16_t kGetNext = 6;
inline constexpr uint16_t kGetGreaterOrEqual = 9;
inline constexpr uint16_t kGetFirst = 12;
inline constexpr uint16_t kCreate = 14;
inline constexpr uint16_t kStat = 15;
inline constexpr uint16_t kGetPosition = 22;
inline constexpr uint16_t kGetDirect = 23;
inline constexpr uint16_t kBeginTransaction = 19;
inline constexpr uint16_t kEndTransaction = 20;
inline constexpr uint16_t kAbortTransaction = 21;
inline constexpr uint16_t kStop = 25;
inline constexpr uint16_t kReset = 28;
// Added to Begin Transaction: a concurrent transaction, which locks only what it writes.
inline constexpr uint16_t kConcurrentTransactionBias = 1000;

// Open modes (the key number of Open).
inline constexpr int8_t kModeNormal = 0;
inline constexpr int8_t kModeAccelerated = -1;
inline constexpr int8_t kModeReadOnly = -2;
inline constexpr int8_t kModeVerify = -3;
inline constexpr int8_t kModeExclusive = -4;

// The key number of Insert (and of Get Direct) that leaves the currency as it was.
inline constexpr int8_t kNoCurrencyChange = -1;
// The key number of Create that refuses to replace an existing file.
inline constexpr int8_t kCreateNoReplace = -1;

inline constexpr int kPositionBlockSize = 128;
inline constexpr int kMaxKeyLength = 255;
inline constexpr int kClientIdSize = 16;
inline constexpr int kPhysicalPositionSize = 4;

// Statuses the driver and the stand-in name.
inline constexpr int16_t kOk = 0;
inline constexpr int16_t kInvalidOperation = 1;
inline constexpr int16_t kIoError = 2;
inline constexpr int16_t kFileNotOpen = 3;
inline constexpr int16_t kKeyNotFound = 4;
inline constexpr int16_t kDuplicateKey = 5;
inline constexpr int16_t kInvalidKeyNumber = 6;
inline constexpr int16_t kDifferentKeyNumber = 7;
inline constexpr int16_t kInvalidPositioning = 8;
inline constexpr int16_t kEndOfFile = 9;
inline constexpr int16_t kModifiableKeyError = 10;
inline constexpr int16_t kInvalidFileName = 11;
inline constexpr int16_t kFileNotFound = 12;
inline constexpr int16_t kDiskFull = 18;
inline constexpr int16_t kUnrecoverable = 19;
inline constexpr int16_t kInactive = 20;
inline constexpr int16_t kKeyBufferTooShort = 21;
inline constexpr int16_t kDataBufferLength = 22;
inline constexpr int16_t kPositionBlockLength = 23;
inline constexpr int16_t kPageSizeError = 24;
inline constexpr int16_t kCreateIoError = 25;
inline constexpr int16_t kNumberOfKeys = 26;
inline constexpr int16_t kInvalidKeyPosition = 27;
inline constexpr int16_t kInvalidRecordLength = 28;
inline constexpr int16_t kInvalidKeyLength = 29;
inline constexpr int16_t kNotRecordManagerFile = 30;
inline constexpr int16_t kTransactionActive = 37;
inline constexpr int16_t kEndAbortTransactionError = 39;
inline constexpr int16_t kOperationNotAllowed = 41;
inline constexpr int16_t kInvalidRecordAddress = 43;
inline constexpr int16_t kInconsistentKeyFlags = 45;
inline constexpr int16_t kAccessDenied = 46;
inline constexpr int16_t kKeyTypeError = 49;
inline constexpr int16_t kFileAlreadyExists = 59;
inline constexpr int16_t kFileTableFull = 86;
inline constexpr int16_t kFileLocked = 85;
inline constexpr int16_t kHandleTableFull = 87;

// Key flags and extended types of the file specification.
inline constexpr uint16_t kKeyDuplicates = 0x0001;
inline constexpr uint16_t kKeyModifiable = 0x0002;
inline constexpr uint16_t kKeyBinary = 0x0004;
inline constexpr uint16_t kKeyNull = 0x0008;
inline constexpr uint16_t kKeySegmented = 0x0010;
inline constexpr uint16_t kKeyAlternateCollating = 0x0020;
inline constexpr uint16_t kKeyDescending = 0x0040;
inline constexpr uint16_t kKeyExtendedType = 0x0100;
inline constexpr uint16_t kKeyManualNumber = 0x0200;
inline constexpr uint16_t kKeyCaseInsensitive = 0x0400;

inline constexpr uint8_t kTypeString = 0;
inline constexpr uint8_t kTypeInteger = 1;
inline constexpr uint8_t kTypeZstring = 11;
inline constexpr uint8_t kTypeUnsignedBinary = 14;

inline constexpr int kFileSpecSize = 16;
inline constexpr int kKeySpecSize = 16;

}  // namespace btr
