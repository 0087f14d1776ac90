// The driver's one door to the record manager. (platform-independent)
#include "recordmgr/record_manager.h"

#include <algorithm>
#include <cstring>

#include "base/error_codes.h"
#include "base/limits.h"
#include "base/string_table.h"
#include "common/text_util.h"

namespace r7 {
namespace {

// Binds one entry point by name with its type; null when the library lacks it.
template <typename Fn>
Fn Resolve(platform::DynamicLibraries& libraries, platform::DynamicLibraries::Handle library,
           const char* name) {
  return reinterpret_cast<Fn>(libraries.Symbol(library, name));
}

int StatusTextId(int status) {
  if (status == -1) return 3002;
  if (status >= 0 && status < 98) return 10000 + status;
  if ((status >= 1001 && status <= 1015) || (status >= 2001 && status <= 2006)) return status;
  return 3001;
}

}  // namespace

int RecordManager::Bind() {
  if (initialised_) return 0;
  if (library_ == nullptr) {
    library_ = libraries_.Load(kClientLibrary);
    if (library_ == nullptr) return btr::kInactive;
    init_ = Resolve<WbtrvInitFn>(libraries_, library_, "WBTRVINIT");
    call_ = Resolve<BtrCallFn>(libraries_, library_, "BTRCALL");
    stop_ = Resolve<WbtrvStopFn>(libraries_, library_, "WBTRVSTOP");
    shell_init_ = Resolve<WbrqShellInitFn>(libraries_, library_, "WBRQSHELLINIT");
    call_id_ = Resolve<BtrCallIdFn>(libraries_, library_, "BTRCALLID");
    if (!init_ || !call_ || !stop_ || !shell_init_ || !call_id_) {
      Unbind();
      return btr::kUnrecoverable;
    }
  }
  char no_options[] = "";
  int status = init_(no_options);
  if (status == 0) {
    initialised_ = true;
    debug_.Write("\r\nglblprocaddr_InitBT returned 0");
  } else {
    debug_.Write("\r\nglblprocaddr_InitBT returned NON 0");
  }
  return status;
}

int RecordManager::Unbind() {
  if (library_ != nullptr) {
    if (stop_ != nullptr) stop_();
    libraries_.Unload(library_);
  }
  library_ = nullptr;
  init_ = nullptr;
  call_ = nullptr;
  stop_ = nullptr;
  shell_init_ = nullptr;
  call_id_ = nullptr;
  initialised_ = false;
  return 0;
}

int16_t RecordManager::Call(uint16_t operation, PosBlock* position, void* data, uint16_t* length,
                            void* key, int8_t key_number) {
  if (call_ == nullptr) return btr::kInactive;
  uint32_t wide_length = length ? *length : 0;
  int16_t status = call_(operation, position ? position->bytes.data() : nullptr, data, &wide_length,
                         key, kKeyLength, key_number);
  if (length != nullptr) *length = static_cast<uint16_t>(wide_length);
  return status;
}

int16_t RecordManager::CallId(uint16_t operation, PosBlock* position, void* data, uint16_t* length,
                              void* key, int8_t key_number, void* client_id) {
  if (call_id_ == nullptr) return btr::kInactive;
  uint32_t wide_length = length ? *length : 0;
  int16_t status = call_id_(operation, position ? position->bytes.data() : nullptr, data,
                            &wide_length, key, kKeyLength, key_number, client_id);
  if (length != nullptr) *length = static_cast<uint16_t>(wide_length);
  return status;
}

int16_t RecordManager::ShellInit() {
  if (shell_init_ == nullptr) return btr::kInactive;
  char no_options[] = "";
  return shell_init_(no_options);
}

int RecordManager::CheckStatus(int status) {
  last_status_ = 0;
  if (status == 0) return kOk;
  last_status_ = status;
  return kBtrieveError;
}

int RecordManager::Open(std::string_view path, PosBlock& position, int8_t mode,
                        const void* requesting_company) {
  if (!initialised_) {
    int status = Bind();
    if (status != 0) return CheckStatus(status);
  }
  // The path travels in a key buffer of at most 255 bytes with its terminator: a longer
  // one is refused as an invalid file name rather than cut into another file's name.
  std::string native = files_.NativePath(path);
  if (native.size() >= kKeyLength) return CheckStatus(btr::kInvalidFileName);
  std::array<char, kKeyLength + 1> key{};
  std::memcpy(key.data(), native.data(), native.size());

  bool retried = false;
  while (true) {
    record_buffer_[0] = '\0';  // the owner name: none
    uint16_t length = 1;
    int16_t status = Call(btr::kOpen, &position, record_buffer_.data(), &length, key.data(), mode);
    if ((status == btr::kFileTableFull || status == btr::kHandleTableFull) && !retried) {
      retried = true;
      if (free_one_file_) free_one_file_(requesting_company);
      continue;
    }
    return CheckStatus(status);
  }
}

int16_t RecordManager::Close(PosBlock& position) {
  int16_t status = Call(btr::kClose, &position, nullptr, nullptr, nullptr, 0);
  if (status != 0) errors_.SetError(kBtrieveError, "Closing File");
  return status;
}

int RecordManager::Insert(PosBlock& position, const void* record, uint16_t* length, void* key,
                          int8_t key_number) {
  return CheckStatus(
      Call(btr::kInsert, &position, const_cast<void*>(record), length, key, key_number));
}

int RecordManager::Update(PosBlock& position, const void* record, uint16_t length, void* key,
                          int8_t key_number) {
  // The record is rewritten with its own length, never with more bytes than the caller has.
  return CheckStatus(
      Call(btr::kUpdate, &position, const_cast<void*>(record), &length, key, key_number));
}

int16_t RecordManager::Delete(PosBlock& position) {
  int16_t status = Call(btr::kDelete, &position, nullptr, nullptr, nullptr, 0);
  if (status != 0) errors_.SetError(kBtrieveError, "Deleting Record");
  return status;
}

int RecordManager::Read(uint16_t operation, PosBlock& position, void* key, int8_t key_number) {
  return ReadInto(operation, position, record_buffer_.data(), &record_length_, key, key_number);
}

int RecordManager::ReadInto(uint16_t operation, PosBlock& position, unsigned char* data,
                            uint16_t* length, void* key, int8_t key_number) {
  *length = kReadLength;
  int16_t status = Call(operation, &position, data, length, key, key_number);
  if (status != 0) *length = 0;
  return CheckStatus(status);
}

int RecordManager::GetEqual(PosBlock& position, const unsigned char** record, void* key,
                            int8_t key_number) {
  int result = Read(btr::kGetEqual, position, key, key_number);
  if (record) *record = record_buffer_.data();
  return result;
}

int RecordManager::GetNext(PosBlock& position, const unsigned char** record,
                           const unsigned char** key, int8_t key_number) {
  int result = Read(btr::kGetNext, position, key_buffer_.data(), key_number);
  if (record) *record = record_buffer_.data();
  if (key) *key = key_buffer_.data();
  return result;
}

int RecordManager::GetGreaterOrEqual(PosBlock& position, const unsigned char** record, void* key,
                                     int8_t key_number) {
  int result = Read(btr::kGetGreaterOrEqual, position, key, key_number);
  if (record) *record = record_buffer_.data();
  return result;
}

int RecordManager::GetNextInto(PosBlock& position, RecordBuffer* into, const unsigned char** key,
                               int8_t key_number) {
  int result = ReadInto(btr::kGetNext, position, into->bytes.data(), &into->length,
                        key_buffer_.data(), key_number);
  if (key) *key = key_buffer_.data();
  return result;
}

int RecordManager::GetGreaterOrEqualInto(PosBlock& position, RecordBuffer* into, void* key,
                                         int8_t key_number) {
  return ReadInto(btr::kGetGreaterOrEqual, position, into->bytes.data(), &into->length, key,
                  key_number);
}

int RecordManager::GetFirst(PosBlock& position, const unsigned char** record,
                            const unsigned char** key, int8_t key_number) {
  int result = Read(btr::kGetFirst, position, key_buffer_.data(), key_number);
  if (record) *record = record_buffer_.data();
  if (key) *key = key_buffer_.data();
  return result;
}

int RecordManager::Stat(PosBlock& position, int16_t* key_count, std::string* spec) {
  std::array<unsigned char, 416> file_spec{};
  std::array<unsigned char, 104> extension{};
  uint16_t length = file_spec.size();
  int8_t key_number = key_count ? static_cast<int8_t>(*key_count) : 0;
  int16_t status =
      Call(btr::kStat, &position, file_spec.data(), &length, extension.data(), key_number);
  int result = CheckStatus(status);
  if (result == kOk && key_count != nullptr) {
    *key_count = static_cast<int16_t>(file_spec[4] | (file_spec[5] << 8));
  }
  if (result == kOk && spec != nullptr) {
    spec->assign(reinterpret_cast<const char*>(file_spec.data()),
                 std::min<std::size_t>(length, file_spec.size()));
  }
  return result;
}

int16_t RecordManager::Reset() {
  PosBlock unused;
  int16_t status = Call(btr::kStop, &unused, nullptr, nullptr, nullptr, 0);
  if (status != 0) errors_.SetError(kBtrieveError, "Closing File");
  return status;
}

int16_t RecordManager::BeginTransaction() {
  PosBlock unused;
  return Call(btr::kBeginTransaction + btr::kConcurrentTransactionBias, &unused, nullptr, nullptr,
              nullptr, 0);
}

int16_t RecordManager::EndTransaction() {
  PosBlock unused;
  return Call(btr::kEndTransaction, &unused, nullptr, nullptr, nullptr, 0);
}

int16_t RecordManager::AbortTransaction() {
  PosBlock unused;
  return Call(btr::kAbortTransaction, &unused, nullptr, nullptr, nullptr, 0);
}

std::string BtrStatusText(int status, std::string_view file_name) {
  std::string text;
  if (!file_name.empty()) {
    text += file_name;
    text += " - ";
  }
  text += "Btrieve Error ";
  text += std::to_string(status);
  text += " - ";
  text += CutTo(StringText(StatusTextId(status)), kMaxMessageText);
  return text;
}

void BtrShowStatus(platform::MessageBoxes& boxes, const Settings& settings,
                   platform::WindowId owner, int status, std::string_view file_name) {
  if (settings.no_show != 0) return;
  boxes.Show(owner, BtrStatusText(status, file_name), "R7",
             platform::box::kOk | platform::box::kIconExclamation);
}

}  // namespace r7
