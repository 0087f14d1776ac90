// Times the preload account store on synthetic charts of accounts: packing amount rows,
// building the three orderings, and answering pieces by seek and scan.
//   cmake --preset bench && cmake --build --preset bench && ./build/bench/bin/r7_bench_store
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "ledger/account_number.h"
#include "preload/preload_cache.h"

namespace r7::preload {
namespace {

const SegmentLayout kLayout = SegmentLayout::FromCompanyLengths({4, 2, 3});

// A chart of `count` accounts in key order: main accounts 1000 up, each with a few of
// twenty profit centers and of fifty departments, as a loading walk would deliver them.
std::vector<std::string> Chart(int count) {
  std::mt19937 random(7);
  std::vector<std::string> numbers;
  numbers.reserve(static_cast<std::size_t>(count));
  for (int main = 1000; static_cast<int>(numbers.size()) < count; ++main) {
    for (int pc = 10; pc < 30 && static_cast<int>(numbers.size()) < count; ++pc) {
      if (random() % 4 != 0) continue;
      for (int dept = 100; dept < 150 && static_cast<int>(numbers.size()) < count; ++dept) {
        if (random() % 8 != 0) continue;
        numbers.push_back(ledger::StoredAccountNumber(std::to_string(main), std::to_string(pc),
                                                      std::to_string(dept)));
      }
    }
  }
  return numbers;
}

// Period amounts as ledgers have them: a few distinct figures, repeated, some zeros.
RowAmounts Row(std::mt19937* random) {
  RowAmounts row{};
  double figure = static_cast<double>((*random)() % 100000) / 100.0;
  for (int j = 0; j < kLoadedRowAmounts; ++j) {
    if ((*random)() % 3 == 0) figure += static_cast<double>((*random)() % 1000);
    row[j] = (*random)() % 7 == 0 ? 0.0 : figure;
  }
  return row;
}

PreloadCache LoadedStore(int count) {
  PreloadCache store(kLayout);
  std::mt19937 random(11);
  for (const std::string& number : Chart(count)) {
    RowAmounts this_year = Row(&random), last_year = Row(&random);
    store.AddAccount(number, 1, this_year, &last_year);
  }
  return store;
}

void BM_PackRows(benchmark::State& state) {
  std::mt19937 random(3);
  std::vector<RowAmounts> rows;
  for (int i = 0; i < state.range(0); ++i) rows.push_back(Row(&random));
  AmountRow packed;
  for (auto _ : state) {
    for (const RowAmounts& row : rows) {
      PackRow(row, &packed);
      benchmark::DoNotOptimize(packed.stored.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PackRows)->Arg(1000)->Arg(10000)->Arg(50000);

void BM_LoadAccounts(benchmark::State& state) {
  std::vector<std::string> chart = Chart(static_cast<int>(state.range(0)));
  std::mt19937 random(5);
  RowAmounts this_year = Row(&random), last_year = Row(&random);
  for (auto _ : state) {
    PreloadCache store(kLayout);
    for (const std::string& number : chart) store.AddAccount(number, 1, this_year, &last_year);
    benchmark::DoNotOptimize(store.loaded_count());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadAccounts)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

void BM_BuildOrderings(benchmark::State& state) {
  PreloadCache store = LoadedStore(static_cast<int>(state.range(0)));
  std::uint64_t steps = 0;
  for (auto _ : state) {
    store.BuildOrderings([&](OrderingEvent, std::uint64_t) {
      ++steps;
      return false;
    });
  }
  state.counters["progress_steps"] =
      benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kAvgIterations);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BuildOrderings)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

// One lookup piece: seek in the chosen ordering and scan to the piece's high bound.
// An empty `text` asks for the account in the middle of the chart.
void ScanPiece(benchmark::State& state, std::string text) {
  PreloadCache store = LoadedStore(static_cast<int>(state.range(0)));
  store.BuildOrderings();
  if (text.empty()) text = store.order(0)[store.count() / 2]->DisplayText();
  RangeDescriptor piece = ParsePiece(text, kLayout);
  int ordering = ChooseOrdering(text, kLayout);
  std::size_t matched = 0;
  for (auto _ : state) {
    double sum = 0;
    int status = store.Seek(piece, ordering);
    while (status == kSeekEqual || status == kSeekGreater) {
      const CachedAccount* entry = store.current();
      if (store.BeyondHigh(*entry, piece)) break;
      if (ContainsKey(piece, entry->Segments())) {
        sum += entry->Expand(kThisYearRow)[1];
        ++matched;
      }
      status = store.Step();
    }
    benchmark::DoNotOptimize(sum);
  }
  state.counters["matched"] =
      benchmark::Counter(static_cast<double>(matched), benchmark::Counter::kAvgIterations);
}
void BM_SeekOneAccount(benchmark::State& state) {
  ScanPiece(state, "");
}
void BM_SeekMainRange(benchmark::State& state) {
  ScanPiece(state, "1010..1019-*-*");
}
void BM_SeekProfitCenter(benchmark::State& state) {
  ScanPiece(state, "*-12-*");
}
void BM_SeekDepartment(benchmark::State& state) {
  ScanPiece(state, "*-*-105");
}
BENCHMARK(BM_SeekOneAccount)->Arg(1000)->Arg(10000)->Arg(50000);
BENCHMARK(BM_SeekMainRange)->Arg(1000)->Arg(10000)->Arg(50000);
BENCHMARK(BM_SeekProfitCenter)->Arg(1000)->Arg(10000)->Arg(50000);
BENCHMARK(BM_SeekDepartment)->Arg(1000)->Arg(10000)->Arg(50000);

}  // namespace
}  // namespace r7::preload

BENCHMARK_MAIN();
