// The account store of one preloaded selection. (platform-independent)
#include "preload/preload_cache.h"

#include <algorithm>
#include <cassert>
#include <new>

#include "preload/order_sort.h"

namespace r7::preload {
namespace {

int CompareEntries(const CachedAccount* a, const CachedAccount* b, int ordering,
                   int segment_count) {
  return CompareInOrdering(a->Segments(), b->Segments(), ordering, segment_count);
}

bool Report(const OrderingProgress& progress, OrderingEvent event, std::uint64_t count) {
  return progress ? progress(event, count) : false;
}

bool StrictlyAscending(const std::vector<const CachedAccount*>& order, int ordering,
                       int segment_count) {
  for (std::size_t i = 1; i < order.size(); ++i) {
    if (CompareEntries(order[i - 1], order[i], ordering, segment_count) >= 0) return false;
  }
  return true;
}

}  // namespace

void PreloadCache::Reset(const SegmentLayout& layout) {
  FreeContents();
  layout_ = layout;
}

int PreloadCache::AddAccount(std::string_view account_number, int kind, const RowAmounts& row0,
                             const RowAmounts* row1) {
  DropOrders();
  try {
    if (blocks_.empty() || blocks_.back()->used == kAccountsPerBlock) {
      blocks_.push_back(std::make_unique<AccountBlock>());
    }
    AccountBlock& block = *blocks_.back();
    CachedAccount& entry = block.entries[static_cast<std::size_t>(block.used)];
    entry = CachedAccount{};
    if (!MakeAccountKey(account_number, layout_, &entry)) return kStoreUnorderableKey;
    entry.kind = kind;
    if (!PackRow(row0, &entry.rows[kThisYearRow])) return kStoreOutOfMemory;
    if (row1 != nullptr && !PackRow(*row1, &entry.rows[kLastYearRow])) {
      entry.rows[kThisYearRow] = AmountRow{};
      return kStoreOutOfMemory;
    }
    ++block.used;
    ++loaded_;
  } catch (const std::bad_alloc&) {
    return kStoreOutOfMemory;
  }
  return kStoreOk;
}

CachedAccount* PreloadCache::LastAdded() {
  if (blocks_.empty() || blocks_.back()->used == 0) return nullptr;
  return &blocks_.back()->entries[static_cast<std::size_t>(blocks_.back()->used - 1)];
}

void PreloadCache::AddPiece(std::string piece) {
  pieces_.push_back(std::move(piece));
}

const std::vector<const CachedAccount*>& PreloadCache::order(int ordering) const {
  static const std::vector<const CachedAccount*> kNone;
  if (ordering < 0 || ordering >= kOrderingCount) return kNone;
  return orders_[static_cast<std::size_t>(ordering)];
}

int PreloadCache::BuildOrderings(const OrderingProgress& progress) {
  DropOrders();
  int result = kStoreOk;
  try {
    std::vector<const CachedAccount*>& order0 = orders_[0];
    order0.reserve(loaded_);
    for (const auto& block : blocks_) {
      for (int i = 0; i < block->used; ++i) {
        order0.push_back(&block->entries[static_cast<std::size_t>(i)]);
        if (Report(progress, OrderingEvent::kFillStep, order0.size())) {
          DropOrders();
          return kStoreCancelled;
        }
      }
    }
    Report(progress, OrderingEvent::kFillDone, order0.size());
    // Loading walks the chart in key order, so order 0 is normally ascending already and
    // this costs one comparison per entry; it repairs a selection whose pieces came in
    // another order, and drops a second copy of an account that two pieces both selected.
    SortWithProgress(
        &order0,
        [this](const CachedAccount* a, const CachedAccount* b) {
          return CompareEntries(a, b, 0, layout_.count);
        },
        [] { return false; });
    order0.erase(std::unique(order0.begin(), order0.end(),
                             [this](const CachedAccount* a, const CachedAccount* b) {
                               return CompareEntries(a, b, 0, layout_.count) == 0;
                             }),
                 order0.end());
    for (int ordering = 1; ordering < layout_.count && result == kStoreOk; ++ordering) {
      result = SortOrdering(ordering, progress);
    }
  } catch (const std::bad_alloc&) {
    result = kStoreOutOfMemory;
  }
  if (result != kStoreOk) {
    DropOrders();
    return result;
  }
  built_ = true;
  assert(CheckInvariants());
  return kStoreOk;
}

int PreloadCache::SortOrdering(int ordering, const OrderingProgress& progress) {
  std::vector<const CachedAccount*>& order = orders_[static_cast<std::size_t>(ordering)];
  order = orders_[0];
  Report(progress, OrderingEvent::kSortStart, 0);
  std::uint64_t comparisons = 0;
  bool done = SortWithProgress(
      &order,
      [this, ordering](const CachedAccount* a, const CachedAccount* b) {
        return CompareEntries(a, b, ordering, layout_.count);
      },
      [&] { return Report(progress, OrderingEvent::kSortStep, ++comparisons); });
  if (!done) return kStoreCancelled;
  Report(progress, OrderingEvent::kSortDone, order.size());
  return kStoreOk;
}

int PreloadCache::Seek(const RangeDescriptor& piece, int ordering) {
  cursor_ = kNoCursor;
  if (!built_ || !piece.usable || piece.segment_count != layout_.count) return kSeekNotFound;
  if (ordering < 0 || ordering >= kOrderingCount) return kSeekNotFound;
  cursor_ordering_ = EffectiveOrdering(ordering, layout_.count);
  const std::vector<const CachedAccount*>& entries = orders_[cursor_ordering_];
  const SegmentViews low = piece.Lows();
  const int compared = cursor_ordering_;
  const int count = layout_.count;
  auto first =
      std::lower_bound(entries.begin(), entries.end(), low,
                       [compared, count](const CachedAccount* entry, const SegmentViews& key) {
                         return CompareInOrdering(entry->Segments(), key, compared, count) < 0;
                       });
  if (first == entries.end()) return kSeekNotFound;
  cursor_ = static_cast<std::size_t>(first - entries.begin());
  assert(CursorValid());
  bool equal = CompareInOrdering((*first)->Segments(), low, compared, count) == 0;
  return equal ? kSeekEqual : kSeekGreater;
}

int PreloadCache::Step() {
  assert(CursorValid());
  if (cursor_ == kNoCursor) return kSeekNotFound;
  const std::vector<const CachedAccount*>& entries = orders_[cursor_ordering_];
  if (cursor_ + 1 >= entries.size()) {
    cursor_ = kNoCursor;
    return kStepEnd;
  }
  ++cursor_;
  return kSeekEqual;
}

const CachedAccount* PreloadCache::current() const {
  if (cursor_ == kNoCursor) return nullptr;
  return orders_[cursor_ordering_][cursor_];
}

bool PreloadCache::BeyondHigh(const CachedAccount& entry, const RangeDescriptor& piece) const {
  return CompareInOrdering(entry.Segments(), piece.Highs(), cursor_ordering_, layout_.count) > 0;
}

void PreloadCache::FreeContents() {
  DropOrders();
  blocks_.clear();
  blocks_.shrink_to_fit();
  pieces_.clear();
  pieces_.shrink_to_fit();
  loaded_ = 0;
}

void PreloadCache::DropOrders() {
  for (auto& order : orders_) {
    order.clear();
    order.shrink_to_fit();
  }
  built_ = false;
  cursor_ = kNoCursor;
  cursor_ordering_ = 0;
}

bool PreloadCache::CursorValid() const {
  if (cursor_ == kNoCursor) return true;
  return built_ && cursor_ordering_ >= 0 && cursor_ordering_ < layout_.count &&
         cursor_ < orders_[cursor_ordering_].size();
}

bool PreloadCache::CheckInvariants() const {
  // S1
  if (!built_) {
    if (cursor_ != kNoCursor) return false;
    for (const auto& order : orders_) {
      if (!order.empty()) return false;
    }
  }
  // S4, S5
  std::size_t entries = 0;
  for (std::size_t b = 0; b < blocks_.size(); ++b) {
    const AccountBlock& block = *blocks_[b];
    if (block.used < 0 || block.used > kAccountsPerBlock) return false;
    if (b + 1 < blocks_.size() && block.used != kAccountsPerBlock) return false;
    for (int i = 0; i < block.used; ++i) {
      const CachedAccount& entry = block.entries[static_cast<std::size_t>(i)];
      if (entry.segment_count != layout_.count) return false;
      if (entry.segment_starts[0] != 0 ||
          entry.segment_starts[static_cast<std::size_t>(entry.segment_count)] != entry.key.size()) {
        return false;
      }
      for (const AmountRow& row : entry.rows) {
        if (!CheckRow(row)) return false;
      }
    }
    entries += static_cast<std::size_t>(block.used);
  }
  if (entries != loaded_) return false;
  // S2
  if (built_) {
    const auto& order0 = orders_[0];
    if (order0.size() > loaded_) return false;
    if (!StrictlyAscending(order0, 0, layout_.count)) return false;
    std::vector<const CachedAccount*> members(order0);
    std::sort(members.begin(), members.end());
    for (int k = 1; k < kOrderingCount; ++k) {
      const auto& order = orders_[static_cast<std::size_t>(k)];
      if (k >= layout_.count) {
        if (!order.empty()) return false;
        continue;
      }
      if (!StrictlyAscending(order, k, layout_.count)) return false;
      std::vector<const CachedAccount*> same(order);
      std::sort(same.begin(), same.end());
      if (same != members) return false;
    }
  }
  // S3
  return CursorValid();
}

}  // namespace r7::preload
