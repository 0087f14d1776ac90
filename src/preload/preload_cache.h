// The account store of one preloaded selection: every selected account of a company with
// its packed amounts, kept in up to three sort orders, with one seek-and-step cursor.
// (platform-independent)
//
// Use: AddAccount for each account of the selection (in any order) and AddPiece for each
// piece of the selection's account specifier; then BuildOrderings; then, per piece of a
// request, Seek and Step while ContainsKey and !BeyondHigh. The store holds no request
// and no company: the preload cache that owns it keeps those beside it.
//
// Ownership: entries live in AccountBlocks of 100 that never move, so the order arrays
// hold plain pointers into them; the pointers stay valid until FreeContents (or the
// store's destruction). Single-threaded: the cursor is shared state, one scan at a time.
//
// Invariants (CheckInvariants asserts them in debug builds):
//   S1  Until BuildOrderings has succeeded the store is loading: no order array exists and
//       there is no cursor. AddAccount puts a built store back to loading.
//   S2  Once built, order 0 holds each distinct key exactly once (of entries with equal
//       keys the first added), strictly ascending as plain text; for every ordering k
//       below the segment count, order k holds the same entries strictly ascending in
//       ordering k; there is no order k for k at or above the segment count.
//   S3  The cursor is either none (current() is null) or a position inside the order
//       array of the ordering of the last Seek, and current() is the entry there.
//   S4  Every entry's key has the layout's segment count and keeps the key rules of
//       cached_account.h; every packed row keeps the row invariants of amount_row.h.
//   S5  Every block but the last is full.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "preload/cached_account.h"
#include "preload/range_descriptor.h"
#include "preload/segment_layout.h"

namespace r7::preload {

inline constexpr int kAccountsPerBlock = 100;

// Results of the store's operations.
inline constexpr int kStoreOk = 0;
inline constexpr int kStoreOutOfMemory = -1;
inline constexpr int kStoreCancelled = -2;
inline constexpr int kStoreUnorderableKey = -3;  // an account number the store refuses

// Results of Seek and Step.
inline constexpr int kSeekEqual = 0;      // on an entry with the piece's low key (Seek), or
                                          // on the next entry (Step)
inline constexpr int kSeekGreater = 1;    // on the first entry above the low key (Seek only)
inline constexpr int kStepEnd = 2;        // no further entry (Step); the cursor is gone
inline constexpr int kSeekNotFound = -1;  // nothing: past the end, no orderings, unusable
                                          // piece, no cursor

struct AccountBlock {
  std::array<CachedAccount, kAccountsPerBlock> entries;
  int used = 0;
};

// What BuildOrderings reports while it works, in this order: kFillStep for each entry put
// into order 0 (count 1, 2, ...), kFillDone with the entry count; then for each ordering
// from 1 up: kSortStart (count 0), kSortStep for each comparison (count 1, 2, ...),
// kSortDone with the entry count. Returning true from a Step event cancels.
enum class OrderingEvent { kFillStep, kFillDone, kSortStart, kSortStep, kSortDone };
using OrderingProgress = std::function<bool(OrderingEvent event, std::uint64_t count)>;

class PreloadCache {
 public:
  explicit PreloadCache(const SegmentLayout& layout = SegmentLayout{}) : layout_(layout) {}
  PreloadCache(const PreloadCache&) = delete;
  PreloadCache& operator=(const PreloadCache&) = delete;
  PreloadCache(PreloadCache&&) = default;
  PreloadCache& operator=(PreloadCache&&) = default;

  bool has_this_year = false;  // row 0 of every entry was loaded
  bool has_last_year = false;  // row 1 of every entry was loaded

  const SegmentLayout& layout() const { return layout_; }
  // Frees the contents and takes a new layout, for a reload of the same selection.
  void Reset(const SegmentLayout& layout);

  // --- Loading ---
  // Adds an account: its stored 24-character number, its kind, row 0 and, when last year
  // is loaded, row 1 (null: row 1 stays empty). Returns kStoreOk, kStoreOutOfMemory (the
  // account is not added) or kStoreUnorderableKey.
  int AddAccount(std::string_view account_number, int kind, const RowAmounts& row0,
                 const RowAmounts* row1);
  // The entry the last successful AddAccount added; null when there is none. Valid until
  // the next AddAccount or FreeContents.
  CachedAccount* LastAdded();
  // Calls `visit` with every loaded entry, in the order added, for owners that annotate
  // entries beside their keys and amounts (which `visit` must leave alone: S2 and S4).
  template <typename Visit>
  void ForEachEntry(Visit visit) {
    for (auto& block : blocks_) {
      for (int i = 0; i < block->used; ++i) visit(block->entries[static_cast<std::size_t>(i)]);
    }
  }
  // Keeps one piece of the selection's account specifier.
  void AddPiece(std::string piece);
  const std::vector<std::string>& pieces() const { return pieces_; }
  std::size_t loaded_count() const { return loaded_; }

  // Builds the order arrays. Returns kStoreOk, kStoreOutOfMemory or kStoreCancelled; on
  // failure the store is left loading (S1) with its entries.
  int BuildOrderings(const OrderingProgress& progress = {});
  bool built() const { return built_; }
  // Distinct accounts in the orderings (0 while loading).
  std::size_t count() const { return orders_[0].size(); }
  // The order array of `ordering`; empty when it does not exist.
  const std::vector<const CachedAccount*>& order(int ordering) const;

  // --- Searching ---
  // Positions the cursor on the first entry whose key, in `ordering`, is not below the
  // piece's low bounds. An ordering the segment count does not have compares as the next
  // lower one (segment_layout.h).
  int Seek(const RangeDescriptor& piece, int ordering);
  // Moves the cursor to the next entry of its ordering.
  int Step();
  const CachedAccount* current() const;
  int current_ordering() const { return cursor_ordering_; }
  // True when `entry` lies above the piece's high bounds in the cursor's ordering: a scan
  // from Seek can end there, since every later entry does too.
  bool BeyondHigh(const CachedAccount& entry, const RangeDescriptor& piece) const;

  // Frees every entry, block, order array and piece; the year flags stay.
  void FreeContents();

  // True when S1 to S5 hold. Takes time in proportion to the entries (and a sort).
  bool CheckInvariants() const;

 private:
  static constexpr std::size_t kNoCursor = static_cast<std::size_t>(-1);

  int SortOrdering(int ordering, const OrderingProgress& progress);
  void DropOrders();
  bool CursorValid() const;

  SegmentLayout layout_;
  std::vector<std::unique_ptr<AccountBlock>> blocks_;
  std::size_t loaded_ = 0;
  std::vector<std::string> pieces_;
  std::array<std::vector<const CachedAccount*>, kOrderingCount> orders_;
  bool built_ = false;
  int cursor_ordering_ = 0;
  std::size_t cursor_ = kNoCursor;
};

}  // namespace r7::preload
