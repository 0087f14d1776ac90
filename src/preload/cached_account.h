// One preloaded account: its key in the store's form, its kind and its two packed rows of
// amounts. (platform-independent)
//
// The key is the account number in display form without the "-" separators, each segment
// fitted to the company's length: a numeric segment is its last L characters (L the
// segment's length), a segment with a letter is the value without trailing blanks and then
// blank-filled to L. Filling letter codes keeps every segment of a key at least L wide, so
// that keys and the bounds of a parsed piece, which fill such segments the same way, agree
// segment by segment. A letter code longer than L stays whole; `segment_starts` records
// where each segment begins, so no comparison ever cuts a key at the wrong place.
//
// Keys hold only the characters 0x20 to 0x7D without lower-case letters: the bounds of a
// pattern use 0x1F and "~" as fillers that sort below and above every key character, and
// range bounds are compared as plain text while pieces arrive in upper case. MakeAccountKey
// refuses any other account number.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "preload/amount_row.h"
#include "preload/segment_layout.h"

namespace r7::preload {

inline constexpr int kThisYearRow = 0;  // this year, or the budget of a budget load
inline constexpr int kLastYearRow = 1;
inline constexpr int kRowCount = 2;

struct CachedAccount {
  std::string key;
  std::array<std::uint8_t, kMaxStoreSegments + 1> segment_starts{};  // then the key's end
  int segment_count = 0;
  int kind = 1;  // 2 for a balance-sheet account, 1 for every other account
  std::array<AmountRow, kRowCount> rows;
  // What the preload lookup needs to answer as the ledger files would: the stored
  // 24-character account number (the file path's segment tests run on it), the chart's
  // description (usage tracking), and whether each row's ledger file held a record (a file
  // without one answers "No matching accounts found" on the file path).
  std::string number;
  std::string description;
  std::array<bool, kRowCount> has_record{};
  // The account's place in the ledger files' key order under each segment ordering
  // (ledger::SegmentOrdering), set once the selection is built: the lookup replays the
  // file path's record order by comparing these instead of building key images.
  std::array<std::uint32_t, 3> file_rank{};

  SegmentViews Segments() const;
  // The 69 amounts of `row`; zeros for a row that holds nothing or does not exist.
  RowAmounts Expand(int row) const;
  // The key in display form, segments joined with "-".
  std::string DisplayText() const;
};

// Builds the key of the stored 24-character account number `account_number` into
// `*account`. Returns false, leaving the account unchanged, when the number is cut short
// or holds a character the store cannot order faithfully (see above).
bool MakeAccountKey(std::string_view account_number, const SegmentLayout& layout,
                    CachedAccount* account);

}  // namespace r7::preload
