// A driver over a synthetic company built by r7-ledger synth, whose record-manager
// binding counts every BTRCALL, for the preload cache's tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "fakes/assembled_driver.h"
#include "fakes/fake_platform.h"
#include "fakes/run_program.h"
#include "host/driver.h"
#include "preload/cache_lookup.h"
#include "preload/data_preload.h"
#include "preload/preload_settings.h"
#include "specifiers/period_parser.h"
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

class PreloadHarness : public ::testing::Test {
 protected:
  // Builds the company SYNTH once per test with `synth_options`.
  void Build(const std::string& synth_options) {
    dir_ = MakeTempDir("preload");
    ASSERT_EQ(RunProgram("r7-ledger synth " + synth_options + " '" + dir_ + "/sys'").exit_status,
              0);
    fake_.profiles.Set("R7 for Tessary", "System Directory", dir_ + "/sys");
    fake_.profiles.Set("R7 for Tessary", "Company", "SYNTH");
    fake_.profiles.Set("R7 for Tessary", "Current Year", "2002");
    fake_.profiles.Set("R7 for Tessary", "NA Label", "0");
    driver_ = std::make_unique<testing::AssembledDriver>(platform_);
    driver_->Call(125, "", nullptr);
    services_ = std::make_unique<LedgerServices>(driver_->ledger_services());
    lookup_ = std::make_unique<preload::CacheLookup>(
        *services_, [this] { return driver_->usage_tracking(); }, &driver_->segment_collector());
    driver_->SetPreload(lookup_.get());
  }
  void TearDown() override {
    if (driver_) {
      driver_->SetPreload(nullptr);
      driver_->Cleanup();
    }
    if (!dir_.empty()) std::filesystem::remove_all(dir_);
  }

  CompanyContext& Company() { return *driver_->companies().FindCompany("SYNTH"); }

  int Preload(const std::string& specifier, const std::string& year, bool budget, bool this_year,
              bool last_year, const std::string& revision = "1") {
    preload::PreloadSettings& s = preload::PreloadOf(Company());
    s.load_this_year = this_year;
    s.load_last_year = last_year;
    s.load_budget = budget;
    AccountRequest request = MakeAccountRequest(specifier, year, revision);
    request.budget = budget;
    return preload::DataPreLoad(*services_, Company(), request, nullptr, 1, 2);
  }

  // The engine's answer; with the cache asked first when `cached`.
  int Compute(const std::string& specifier, const std::string& periods, const std::string& year,
              const std::string& revision, int range_type, bool cached, double* total) {
    driver_->SetPreload(cached ? static_cast<PreloadLookup*>(lookup_.get()) : nullptr);
    PeriodList list;
    period_text_ = periods;
    if (!ParsePeriodSpecifier(period_text_, &list).ok()) return -12345;
    AccountRequest request = MakeAccountRequest(specifier, year, revision, range_type);
    int code =
        ComputeBalance(total, driver_->balance_collaborators(*services_), "SYNTH", request, list);
    driver_->errors().Clear();
    return code;
  }

  std::string dir_;
  std::string period_text_;
  FakePlatform fake_;
  CountingLibraries counting_{fake_.libraries};
  platform::Platform platform_{fake_.profiles,  fake_.files,         counting_,   fake_.locale,
                               fake_.clipboard, fake_.message_boxes, fake_.debug, fake_.clock,
                               fake_.input,     fake_.help,          fake_.ui};
  std::unique_ptr<Driver> driver_;
  std::unique_ptr<LedgerServices> services_;
  std::unique_ptr<preload::CacheLookup> lookup_;
};

}  // namespace r7::testing
