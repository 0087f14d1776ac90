// The preload store: keys, packed rows, the three orderings, seek and step, build and free.
#include "preload/preload_cache.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "ledger/account_number.h"

namespace r7::preload {
namespace {

const SegmentLayout kThree = SegmentLayout::FromCompanyLengths({4, 2, 3});

std::string Number(const char* main, const char* profit_center, const char* department) {
  return ledger::StoredAccountNumber(main, profit_center, department);
}

RowAmounts Amounts(double first) {
  RowAmounts amounts{};
  amounts[0] = first;
  amounts[1] = first + 1;
  return amounts;
}

// Adds an account of kind 1 whose rows start at `first` (and `last`, when given).
int Add(PreloadCache& store, const char* main, const char* profit_center, const char* department,
        double first = 1, const RowAmounts* last = nullptr) {
  return store.AddAccount(Number(main, profit_center, department), 1, Amounts(first), last);
}

// A built store over `accounts` (main, profit center, department), added in that order.
PreloadCache Store(const std::vector<std::array<const char*, 3>>& accounts,
                   const SegmentLayout& layout = kThree) {
  PreloadCache store(layout);
  store.has_this_year = true;
  double amount = 1;
  for (const auto& a : accounts) EXPECT_EQ(Add(store, a[0], a[1], a[2], amount++), kStoreOk);
  EXPECT_EQ(store.BuildOrderings(), kStoreOk);
  return store;
}

std::vector<std::string> Keys(const std::vector<const CachedAccount*>& order) {
  std::vector<std::string> keys;
  for (const CachedAccount* entry : order) keys.push_back(entry->DisplayText());
  return keys;
}

// Every key a scan of `piece` in `ordering` admits, in scan order.
std::vector<std::string> Scan(PreloadCache* store, const char* piece, int ordering) {
  RangeDescriptor d = ParsePiece(piece, store->layout());
  std::vector<std::string> found;
  int status = store->Seek(d, ordering);
  while (status == kSeekEqual || status == kSeekGreater) {
    const CachedAccount* entry = store->current();
    if (store->BeyondHigh(*entry, d)) break;
    if (ContainsKey(d, entry->Segments())) found.push_back(entry->DisplayText());
    status = store->Step();
  }
  return found;
}

TEST(PreloadCacheTest, KeysAreTheDisplayFormFittedToTheSegmentLengths) {
  SegmentLayout dept_only = SegmentLayout::FromCompanyLengths({4, 0, 3});
  const std::tuple<std::string, const SegmentLayout*, int, const char*> cases[] = {
      {Number("1000", "10", "200"), &kThree, kStoreOk, "100010200"},
      {Number("12", "1", "5"), &kThree, kStoreOk, "001201005"},
      {Number("AB", "10", "200"), &kThree, kStoreOk, "AB  10200"},      // letters: blank-filled
      {Number("CASHX", "10", "200"), &kThree, kStoreOk, "CASHX10200"},  // wider: whole
      {Number("1000", "10", "200"), &dept_only, kStoreOk, "1000200"},
      {Number("ab", "10", "200"), &kThree, kStoreUnorderableKey, ""},  // lower case
      {Number("1~", "10", "200"), &kThree, kStoreUnorderableKey, ""},
      {"00001000", &kThree, kStoreUnorderableKey, ""},  // cut short
  };
  for (const auto& [number, layout, result, key] : cases) {
    PreloadCache store(*layout);
    EXPECT_EQ(store.AddAccount(number, 2, Amounts(1), nullptr), result) << key;
    if (result != kStoreOk) {
      EXPECT_EQ(store.loaded_count(), 0u);
      continue;
    }
    ASSERT_EQ(store.BuildOrderings(), kStoreOk);
    ASSERT_EQ(store.count(), 1u);
    EXPECT_EQ(store.order(0)[0]->key, key);
    EXPECT_EQ(store.order(0)[0]->kind, 2);
  }
}

TEST(PreloadCacheTest, KeepsBothRowsPackedAndExpandsMissingRowsToZeros) {
  PreloadCache store(kThree);
  RowAmounts last = Amounts(50);
  ASSERT_EQ(Add(store, "1000", "10", "200", 7, &last), kStoreOk);
  ASSERT_EQ(Add(store, "1001", "10", "200", 8), kStoreOk);
  ASSERT_EQ(store.BuildOrderings(), kStoreOk);
  const CachedAccount& both = *store.order(0)[0];
  const CachedAccount& one = *store.order(0)[1];
  EXPECT_EQ(both.Expand(kThisYearRow), Amounts(7));
  EXPECT_EQ(both.Expand(kLastYearRow), Amounts(50));
  EXPECT_EQ(one.Expand(kLastYearRow), RowAmounts{});
  EXPECT_EQ(one.Expand(2), RowAmounts{});
  EXPECT_EQ(one.Expand(-1), RowAmounts{});
}

TEST(PreloadCacheTest, BuildsEveryOrderingAscendingAndNoneBeyondItsSegments) {
  PreloadCache store = Store(
      {{"1000", "20", "100"}, {"1000", "10", "300"}, {"2000", "10", "100"}, {"2000", "30", "200"}});
  EXPECT_EQ(Keys(store.order(0)),
            (std::vector<std::string>{"1000-10-300", "1000-20-100", "2000-10-100", "2000-30-200"}));
  EXPECT_EQ(Keys(store.order(1)),
            (std::vector<std::string>{"2000-10-100", "1000-10-300", "1000-20-100", "2000-30-200"}));
  EXPECT_EQ(Keys(store.order(2)),
            (std::vector<std::string>{"2000-10-100", "1000-20-100", "2000-30-200", "1000-10-300"}));
  EXPECT_TRUE(store.order(3).empty());
  EXPECT_TRUE(store.CheckInvariants());

  // Pieces that came in descending order are sorted too.
  PreloadCache descending =
      Store({{"3000", "10", "100"}, {"2000", "10", "100"}, {"1000", "10", "100"}});
  EXPECT_EQ(Keys(descending.order(0)),
            (std::vector<std::string>{"1000-10-100", "2000-10-100", "3000-10-100"}));
  EXPECT_EQ(Scan(&descending, "1000..1999-*-*", 0), std::vector<std::string>{"1000-10-100"});

  PreloadCache one =
      Store({{"2000", "", ""}, {"1000", "", ""}}, SegmentLayout::FromCompanyLengths({4, 0, 0}));
  EXPECT_EQ(one.order(0).size(), 2u);
  EXPECT_TRUE(one.order(1).empty());
  EXPECT_TRUE(one.order(2).empty());
  // Seeking in a missing ordering compares as the next lower one.
  EXPECT_EQ(Scan(&one, "1*", 2), std::vector<std::string>{"1000"});
}

TEST(PreloadCacheTest, AnAccountTwoPiecesSelectedIsKeptOnce) {
  PreloadCache store(kThree);
  ASSERT_EQ(Add(store, "1000", "10", "100", 1), kStoreOk);
  ASSERT_EQ(Add(store, "1500", "10", "100", 2), kStoreOk);
  ASSERT_EQ(Add(store, "1000", "10", "100", 3), kStoreOk);
  ASSERT_EQ(store.BuildOrderings(), kStoreOk);
  EXPECT_EQ(store.loaded_count(), 3u);
  ASSERT_EQ(store.count(), 2u);
  EXPECT_EQ(store.order(0)[0]->Expand(kThisYearRow), Amounts(1));  // the first one added
  EXPECT_EQ(store.order(1).size(), 2u);
  EXPECT_EQ(store.order(2).size(), 2u);
}

TEST(PreloadCacheTest, SeekStopsOnTheFirstKeyNotBelowThePiece) {
  PreloadCache store = Store({{"1000", "10", "100"}, {"2000", "10", "100"}, {"3000", "10", "100"}});
  // The piece, the status of the seek, and the entry it stops on.
  const std::tuple<const char*, int, const char*> cases[] = {
      {"2000-10-100", kSeekEqual, "2000-10-100"},
      {"1500-10-100", kSeekGreater, "2000-10-100"},  // between two entries: the greater
      {"0500-10-100", kSeekGreater, "1000-10-100"},
      {"3000-10-101", kSeekNotFound, "none"},  // above every entry
      {"9*-*-*", kSeekNotFound, "none"},
      {"1000-10-100,2000-10-100", kSeekNotFound, "none"},  // unusable piece
  };
  for (const auto& [piece, status, at] : cases) {
    EXPECT_EQ(store.Seek(ParsePiece(piece, kThree), 0), status) << piece;
    EXPECT_EQ(store.current() ? store.current()->DisplayText() : "none", at) << piece;
  }
  EXPECT_EQ(store.Seek(ParsePiece("1000-10-100", kThree), 3), kSeekNotFound);
  EXPECT_EQ(store.Seek(ParsePiece("1000-10-100", kThree), -1), kSeekNotFound);
  EXPECT_EQ(store.Seek(ParsePiece("1000-10", SegmentLayout::FromCompanyLengths({4, 2, 0})), 0),
            kSeekNotFound);  // a piece parsed for another layout
}

TEST(PreloadCacheTest, StepWalksToTheEndAndThenHasNoCursor) {
  PreloadCache store = Store({{"1000", "10", "100"}, {"2000", "10", "100"}});
  EXPECT_EQ(store.Step(), kSeekNotFound);  // no seek yet
  ASSERT_EQ(store.Seek(ParsePiece("1000-10-100", kThree), 0), kSeekEqual);
  EXPECT_EQ(store.Step(), kSeekEqual);
  EXPECT_EQ(store.current()->DisplayText(), "2000-10-100");
  EXPECT_EQ(store.Step(), kStepEnd);
  EXPECT_EQ(store.current(), nullptr);
  EXPECT_EQ(store.Step(), kSeekNotFound);
  EXPECT_TRUE(store.CheckInvariants());
}

TEST(PreloadCacheTest, SearchingBeforeTheOrderingsAreBuiltFindsNothing) {
  PreloadCache store(kThree);
  RangeDescriptor all = ParsePiece("*-*-*", kThree);
  EXPECT_EQ(store.Seek(all, 0), kSeekNotFound);  // empty
  ASSERT_EQ(Add(store, "1000", "10", "100"), kStoreOk);
  EXPECT_EQ(store.Seek(all, 0), kSeekNotFound);  // loading
  ASSERT_EQ(store.BuildOrderings(), kStoreOk);
  EXPECT_EQ(store.Seek(all, 0), kSeekGreater);
  // Adding after the build puts the store back to loading.
  ASSERT_EQ(Add(store, "2000", "10", "100"), kStoreOk);
  EXPECT_FALSE(store.built());
  EXPECT_EQ(store.current(), nullptr);
  EXPECT_EQ(store.Seek(all, 0), kSeekNotFound);
  EXPECT_TRUE(store.CheckInvariants());
}

TEST(PreloadCacheTest, ARangeWithoutItsOtherSegmentsFindsOnlyAccountsWithoutThem) {
  PreloadCache store = Store({{"1000", "10", "100"}, {"1500", "20", "200"}, {"2000", "10", "100"}});
  EXPECT_TRUE(Scan(&store, "1000..1999", 1).empty());  // the ordering it chooses
  EXPECT_TRUE(Scan(&store, "1000..1999", 0).empty());
  EXPECT_EQ(Scan(&store, "1000..1999-*-*", 0),
            (std::vector<std::string>{"1000-10-100", "1500-20-200"}));
}

TEST(PreloadCacheTest, ScansTheOrderingOfTheMostSelectiveSegment) {
  PreloadCache store = Store({{"1000", "10", "100"},
                              {"1000", "20", "100"},
                              {"2000", "10", "200"},
                              {"3000", "20", "100"},
                              {"AB", "10", "100"}});
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"*-10-*", {"1000-10-100", "AB  -10-100", "2000-10-200"}},  // department, then main
      {"*-*-200", {"2000-10-200"}},
      {"**-20-1*", {"1000-20-100", "3000-20-100"}},
      {"A?-*-*", {"AB  -10-100"}},
      {"A..B-*-*", {"AB  -10-100"}},
      {"1000..2000-*-100", {"1000-10-100", "1000-20-100"}},
  };
  for (const auto& [piece, found] : cases) {
    int ordering = ChooseOrdering(piece, kThree);
    EXPECT_EQ(Scan(&store, piece, ordering), found) << piece << " in " << ordering;
  }
}

TEST(PreloadCacheTest, FillsBlocksOfAHundredWithoutMovingEntries) {
  PreloadCache store(kThree);
  ASSERT_EQ(Add(store, "0000", "00", "001"), kStoreOk);
  ASSERT_EQ(store.BuildOrderings(), kStoreOk);
  const CachedAccount* first = store.order(0)[0];
  for (int i = 2; i <= 250; ++i)
    ASSERT_EQ(Add(store, "0000", "00", std::to_string(i).c_str(), i), kStoreOk);
  ASSERT_EQ(store.BuildOrderings(), kStoreOk);
  EXPECT_EQ(store.count(), 250u);
  EXPECT_EQ(store.order(0)[0], first);
  EXPECT_EQ(store.order(0)[249]->Expand(kThisYearRow), Amounts(250));
  EXPECT_TRUE(store.CheckInvariants());
}

TEST(PreloadCacheTest, ReportsFillAndSortProgressInOrder) {
  PreloadCache store(kThree);
  for (const char* main : {"3000", "1000", "2000"}) {
    for (const char* pc : {"30", "10", "20"}) ASSERT_EQ(Add(store, main, pc, "100"), kStoreOk);
  }
  std::vector<std::pair<OrderingEvent, std::uint64_t>> events;
  ASSERT_EQ(store.BuildOrderings([&](OrderingEvent event, std::uint64_t count) {
    events.emplace_back(event, count);
    return false;
  }),
            kStoreOk);
  std::vector<OrderingEvent> kinds;
  for (const auto& e : events) {
    if (kinds.empty() || kinds.back() != e.first) kinds.push_back(e.first);
  }
  EXPECT_EQ(kinds,
            (std::vector<OrderingEvent>{OrderingEvent::kFillStep, OrderingEvent::kFillDone,
                                        OrderingEvent::kSortStart, OrderingEvent::kSortStep,
                                        OrderingEvent::kSortDone, OrderingEvent::kSortStart,
                                        OrderingEvent::kSortStep, OrderingEvent::kSortDone}));
  EXPECT_EQ(events[0], std::make_pair(OrderingEvent::kFillStep, std::uint64_t{1}));
  EXPECT_EQ(events[9], std::make_pair(OrderingEvent::kFillDone, std::uint64_t{9}));
  EXPECT_EQ(events.back(), std::make_pair(OrderingEvent::kSortDone, std::uint64_t{9}));
  // Sort steps count up from 1 within each sort.
  EXPECT_EQ(events[11], std::make_pair(OrderingEvent::kSortStep, std::uint64_t{1}));
}

TEST(PreloadCacheTest, ACancelLeavesTheStoreLoadingWithItsEntries) {
  const OrderingEvent cancel_at[] = {OrderingEvent::kFillStep, OrderingEvent::kSortStep};
  for (OrderingEvent at : cancel_at) {
    PreloadCache store(kThree);
    for (int i = 0; i < 40; ++i)
      ASSERT_EQ(Add(store, "1000", std::to_string(40 - i).c_str(), "100", i), kStoreOk);
    int steps = 0;
    EXPECT_EQ(store.BuildOrderings(
                  [&](OrderingEvent event, std::uint64_t) { return event == at && ++steps == 5; }),
              kStoreCancelled);
    EXPECT_FALSE(store.built());
    EXPECT_EQ(store.count(), 0u);
    EXPECT_EQ(store.loaded_count(), 40u);
    EXPECT_EQ(store.Seek(ParsePiece("*-*-*", kThree), 0), kSeekNotFound);
    EXPECT_TRUE(store.CheckInvariants());
    // A second build without a cancel succeeds.
    EXPECT_EQ(store.BuildOrderings(), kStoreOk);
    EXPECT_EQ(store.count(), 40u);
  }
}

TEST(PreloadCacheTest, FreeContentsEmptiesTheStoreButKeepsTheYearFlags) {
  PreloadCache store = Store({{"1000", "10", "100"}});
  store.has_last_year = true;
  store.AddPiece("1*-*-*");
  store.AddPiece("2000-10-100");
  EXPECT_EQ(store.pieces(), (std::vector<std::string>{"1*-*-*", "2000-10-100"}));  // as given
  ASSERT_EQ(store.Seek(ParsePiece("*-*-*", kThree), 0), kSeekGreater);
  store.FreeContents();
  EXPECT_EQ(store.count(), 0u);
  EXPECT_EQ(store.loaded_count(), 0u);
  EXPECT_TRUE(store.pieces().empty());
  EXPECT_EQ(store.current(), nullptr);
  EXPECT_FALSE(store.built());
  EXPECT_TRUE(store.has_this_year);
  EXPECT_TRUE(store.has_last_year);
  EXPECT_TRUE(store.CheckInvariants());
  // An empty store builds and finds nothing.
  EXPECT_EQ(store.BuildOrderings(), kStoreOk);
  EXPECT_EQ(store.Seek(ParsePiece("*-*-*", kThree), 0), kSeekNotFound);
  // Reset takes a new layout.
  store.Reset(SegmentLayout::FromCompanyLengths({6, 0, 0}));
  EXPECT_EQ(store.layout().count, 1);
}

}  // namespace
}  // namespace r7::preload
