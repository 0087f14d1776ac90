// The record manager's library as the driver binds it, with its BTRCALLs counted: how many
// calls a balance call makes, and how many of them are reads that delivered a record (the
// records the file path visits).
#pragma once

#include <cstdint>
#include <cstring>

#include "platform/dynamic_library.h"
#include "wbtrv32.h"

namespace r7::bench {

struct CallCounts {
  std::uint64_t calls = 0;    // every BTRCALL
  std::uint64_t records = 0;  // reads that delivered a record
};

// Forwards to the real libraries; BTRCALL is bound through a counting trampoline.
class CountingLibraries : public platform::DynamicLibraries {
 public:
  static inline CallCounts counts;

  explicit CountingLibraries(platform::DynamicLibraries& inner) : inner_(inner) {}
  Handle Load(std::string_view name) override { return inner_.Load(name); }
  void* Symbol(Handle library, const char* name) override {
    void* symbol = inner_.Symbol(library, name);
    if (symbol != nullptr && std::strcmp(name, "BTRCALL") == 0) {
      real_ = reinterpret_cast<BtrCallFn>(symbol);
      return reinterpret_cast<void*>(&Counted);
    }
    return symbol;
  }
  void Unload(Handle library) override { inner_.Unload(library); }

 private:
  static bool IsRead(uint16_t operation) {
    return operation == btr::kGetEqual || operation == btr::kGetNext ||
           operation == btr::kGetGreaterOrEqual || operation == btr::kGetFirst ||
           operation == btr::kGetDirect;
  }
  static int16_t R7_STDCALL Counted(uint16_t operation, void* position, void* data,
                                    uint32_t* length, void* key, uint8_t key_length,
                                    int8_t key_number) {
    const int16_t status = real_(operation, position, data, length, key, key_length, key_number);
    ++counts.calls;
    if (status == btr::kOk && IsRead(operation)) ++counts.records;
    return status;
  }
  static inline BtrCallFn real_ = nullptr;
  platform::DynamicLibraries& inner_;
};

}  // namespace r7::bench
