// The record manager's library as the driver binds it, with every BTRCALL counted: for the
// tests that prove a path makes no record-manager call.
#pragma once

#include <cstdint>
#include <string>

#include "platform/dynamic_library.h"
#include "wbtrv32.h"

namespace r7::testing {

// Forwards to the real libraries; BTRCALL is bound through a trampoline that counts calls.
class CountingLibraries : public platform::DynamicLibraries {
 public:
  static inline std::uint64_t calls = 0;
  static inline BtrCallFn real = nullptr;

  explicit CountingLibraries(platform::DynamicLibraries& inner) : inner_(inner) {}
  Handle Load(std::string_view name) override { return inner_.Load(name); }
  void* Symbol(Handle library, const char* name) override {
    void* symbol = inner_.Symbol(library, name);
    if (symbol != nullptr && std::string(name) == "BTRCALL") {
      real = reinterpret_cast<BtrCallFn>(symbol);
      return reinterpret_cast<void*>(&Counted);
    }
    return symbol;
  }
  void Unload(Handle library) override { inner_.Unload(library); }

 private:
  static int16_t R7_STDCALL Counted(uint16_t operation, void* position, void* data,
                                    uint32_t* length, void* key, uint8_t key_length,
                                    int8_t key_number) {
    ++calls;
    return real(operation, position, data, length, key, key_length, key_number);
  }
  platform::DynamicLibraries& inner_;
};

}  // namespace r7::testing
