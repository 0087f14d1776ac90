// The preload cache's tests: a synthetic company, the engine asked with or without the cache.
// Every BTRCALL is counted at the binding.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fakes/faulty_libraries.h"
#include "fakes/ledger_fixture.h"
#include "fakes/ledger_world.h"
#include "ledger/balance_engine.h"
#include "preload/cache_lookup.h"
#include "preload/data_preload.h"
#include "preload/preload_settings.h"
#include "specifiers/period_parser.h"

namespace r7::testing {

// A small synthetic company: `main_accounts` over `centers` profit centers and
// `departments` departments, two earlier years, few transactions.
inline ledger_tool::SynthOptions SmallSynth(int main_accounts, int centers, int departments,
                                            int current_period = 5) {
  return {.main_accounts = main_accounts,
          .profit_centers = centers,
          .departments = departments,
          .years = 2,
          .transactions = 10,
          .current_period = current_period};
}

class PreloadHarness : public ::testing::Test {
 protected:
  // Builds the company SYNTH for this test.
  void Build(const ledger_tool::SynthOptions& options) {
    system_ = std::make_unique<FixtureDirectory>(BuildSynthFixture(options));
    world_ = std::make_unique<LedgerWorld>(system_->path(), &counting_);
    world_->settings.company = "SYNTH";
    world_->settings.na_label = 0;
    services_ = std::make_unique<LedgerServices>(world_->services());
    lookup_ = std::make_unique<preload::CacheLookup>(
        *services_, [] { return false; }, &collector_);
  }
  void TearDown() override {
    lookup_.reset();
    world_.reset();
    system_.reset();
  }

  Settings& settings() { return world_->settings; }
  CompanyContext& Company() { return *world_->companies.FindCompany("SYNTH"); }

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
    PreloadLookup& preload = cached ? static_cast<PreloadLookup&>(*lookup_) : no_preload_;
    PeriodList list;
    period_text_ = periods;
    if (!ParsePeriodSpecifier(period_text_, &list).ok()) return -12345;
    AccountRequest request = MakeAccountRequest(specifier, year, revision, range_type);
    int code =
        ComputeBalance(total, BalanceCollaborators{*services_, preload}, "SYNTH", request, list);
    world_->errors.Clear();
    return code;
  }

  std::string period_text_;
  FakePlatform libraries_platform_;  // supplies the real library loader under the counter
  FaultyLibraries counting_{libraries_platform_.libraries};
  std::unique_ptr<FixtureDirectory> system_;
  std::unique_ptr<LedgerWorld> world_;
  std::unique_ptr<LedgerServices> services_;
  SegmentValueCollector collector_;
  NoPreload no_preload_;
  std::unique_ptr<preload::CacheLookup> lookup_;
};

}  // namespace r7::testing
