// The driver's one door to the record manager: run-time binding of its client library,
// the generic call, the typed wrappers, the shared record and key buffers, and the status
// check and texts. (platform-independent)
//
// Nothing else in the driver calls the client library. The library is bound lazily on the
// first open and stays bound until Unbind(). Reads land in one shared record buffer: each
// read overwrites the previous record, so a caller copies what it needs before the next
// read. Wrappers marked "checked" return 0 or 38 (kBtrieveError) and leave the failing
// status in last_status(); the others return the raw status.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "base/error_reporter.h"
#include "base/settings.h"
#include "platform/dynamic_library.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/small_services.h"
#include "wbtrv32.h"

namespace r7 {

// The record manager's position block for one open file; opaque to the driver.
struct PosBlock {
  std::array<unsigned char, btr::kPositionBlockSize> bytes{};
};

inline constexpr std::size_t kRecordBufferSize = 1252;
inline constexpr uint16_t kReadLength = 1250;  // the data length every read offers
inline constexpr std::size_t kKeyBufferSize = 1256;
inline constexpr uint8_t kKeyLength = 255;  // the key length every call passes

inline constexpr const char* kClientLibrary = "WBTRV32.DLL";

// A record buffer of a reader's own: a read into it leaves the shared buffer alone, and
// the record stays there whatever other reads happen, without a copy.
struct RecordBuffer {
  std::array<unsigned char, kRecordBufferSize> bytes{};
  uint16_t length = 0;  // bytes the last read returned; 0 after a failed one
  std::string_view view() const { return {reinterpret_cast<const char*>(bytes.data()), length}; }
};

class RecordManager {
 public:
  // Closes one ledger file that a company other than `requesting_company` holds open, so
  // that an open refused for a full file or handle table can be tried once more.
  using FreeOneFile = std::function<void(const void* requesting_company)>;

  RecordManager(platform::DynamicLibraries& libraries, platform::FileSystem& files,
                platform::DebugOutput& debug, ErrorReporter& errors)
      : libraries_(libraries), files_(files), debug_(debug), errors_(errors) {}
  RecordManager(const RecordManager&) = delete;
  RecordManager& operator=(const RecordManager&) = delete;
  ~RecordManager() { Unbind(); }

  void SetFreeOneFile(FreeOneFile free_one_file) { free_one_file_ = std::move(free_one_file); }

  // BtrBind: 0 when ready; 20 when the library cannot be loaded; 19 when an entry point is
  // missing (the library is released again); else the status of its initialisation.
  int Bind();
  // BtrUnbind: stops and releases the library, forgets every entry point. Returns 0.
  int Unbind();
  bool initialised() const { return initialised_; }

  // BtrCall / BtrCallId: one operation with a 16-bit data length (may be null) widened for
  // the library and narrowed back. 20 when the library is not bound.
  int16_t Call(uint16_t operation, PosBlock* position, void* data, uint16_t* length, void* key,
               int8_t key_number);
  int16_t CallId(uint16_t operation, PosBlock* position, void* data, uint16_t* length, void* key,
                 int8_t key_number, void* client_id);
  // The bound shell initialisation; 20 when unbound. Nothing in the driver needs it.
  int16_t ShellInit();

  // BtrCheckStatus: 0 for status 0, else 38 with the status kept in last_status().
  int CheckStatus(int status);
  int last_status() const { return last_status_; }
  // Puts back the status of a failed operation after later calls through the check (a file
  // reopened on the way out) have cleared it, so that it stays with the 38 it caused.
  void KeepLastStatus(int status) { last_status_ = status; }

  // Typed wrappers.
  int Open(std::string_view path, PosBlock& position, int8_t mode,
           const void* requesting_company);  // checked
  int16_t Close(PosBlock& position);         // raw
  int Insert(PosBlock& position, const void* record, uint16_t* length, void* key,
             int8_t key_number);  // checked
  int Update(PosBlock& position, const void* record, uint16_t length, void* key,
             int8_t key_number);       // checked
  int16_t Delete(PosBlock& position);  // raw
  int GetEqual(PosBlock& position, const unsigned char** record, void* key,
               int8_t key_number);  // checked
  int GetNext(PosBlock& position, const unsigned char** record, const unsigned char** key,
              int8_t key_number);  // checked
  int GetGreaterOrEqual(PosBlock& position, const unsigned char** record, void* key,
                        int8_t key_number);  // checked
  int GetFirst(PosBlock& position, const unsigned char** record, const unsigned char** key,
               int8_t key_number);  // checked
  // The same reads into the caller's own buffer (checked).
  int GetNextInto(PosBlock& position, RecordBuffer* into, const unsigned char** key,
                  int8_t key_number);
  int GetGreaterOrEqualInto(PosBlock& position, RecordBuffer* into, void* key, int8_t key_number);
  // `spec`, when given, receives the file and key specifications (16 bytes, then 16 per key
  // part) as the record manager returned them.
  int Stat(PosBlock& position, int16_t* key_count, std::string* spec = nullptr);  // checked
  int16_t Reset();                                                                // raw
  // A concurrent transaction of the writes that follow: EndTransaction commits them all,
  // AbortTransaction drops them. Raw statuses, and no pending error: a caller whose record
  // manager refuses to begin one writes without.
  int16_t BeginTransaction();
  int16_t EndTransaction();
  int16_t AbortTransaction();

  const unsigned char* record_buffer() const { return record_buffer_.data(); }
  const unsigned char* key_buffer() const { return key_buffer_.data(); }
  // Bytes the last read returned into the record buffer.
  uint16_t record_length() const { return record_length_; }

 private:
  int Read(uint16_t operation, PosBlock& position, void* key, int8_t key_number);
  int ReadInto(uint16_t operation, PosBlock& position, unsigned char* data, uint16_t* length,
               void* key, int8_t key_number);

  platform::DynamicLibraries& libraries_;
  platform::FileSystem& files_;
  platform::DebugOutput& debug_;
  ErrorReporter& errors_;
  FreeOneFile free_one_file_;

  platform::DynamicLibraries::Handle library_ = nullptr;
  WbtrvInitFn init_ = nullptr;
  BtrCallFn call_ = nullptr;
  WbtrvStopFn stop_ = nullptr;
  WbrqShellInitFn shell_init_ = nullptr;
  BtrCallIdFn call_id_ = nullptr;
  bool initialised_ = false;

  std::array<unsigned char, kRecordBufferSize> record_buffer_{};
  std::array<unsigned char, kKeyBufferSize> key_buffer_{};
  uint16_t record_length_ = 0;
  int last_status_ = 0;
};

// BtrStatusText: "[FILE - ]Btrieve Error N - text" with the text of the status's identifier.
std::string BtrStatusText(int status, std::string_view file_name = {});

// BtrShowStatus: the status text in a box captioned "R7", unless NoShow is set.
void BtrShowStatus(platform::MessageBoxes& boxes, const Settings& settings,
                   platform::WindowId owner, int status, std::string_view file_name = {});

}  // namespace r7
