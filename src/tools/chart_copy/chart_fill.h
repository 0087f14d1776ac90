// The fill of a chart copy: the accounts that a specifier selects, in key order, each
// written as one row with its amount (or formula) for each period phrase, into a block
// that grows as the rows come. (platform-independent)
//
// Every amount is what the balance function answers for that account and phrase, rounded
// and scaled as it rounds and scales: the balance engine's own passes, applied to the
// account's records read by key (ledger/account_records.h). Where a year file holds no
// record of the account, that year adds nothing, as the balance function counts it with
// "NA Label" on. A chart year after the company's fiscal year holds budgets only: an
// actual phrase fails the fill with 32 "Future period detected", the balance function's
// answer for every such cell; budget phrases read that year's budgets.
//
// The fill shows nothing itself: its result says how it ended and what the user is told.
#pragma once

#include <cstddef>
#include <functional>
#include <limits>
#include <string>

#include "specifiers/account_request.h"
#include "tools/chart_copy/chart_rows.h"
#include "tools/tool_context.h"

namespace r7::chart_copy {

struct ChartRequest {
  std::string company;  // cut at its first comma
  std::string account;  // empty: every account of the company
  std::string period;   // empty: no amount columns
  int year = 0;
  std::string revision;
  int range_type = kRangeAllSegments;
  ChartColumns columns{};
  bool skip_zero = false;  // leave out rows whose amounts are all zero
};

enum class FillEnding {
  kComplete,   // every account was walked
  kStopped,    // the user stopped the walk: the rows written so far
  kBlockFull,  // the block could not grow: the rows written so far
  kFailed,     // nothing may go to the clipboard
};

// Why a fill failed: `code` is the message the user is shown, with `detail`, except where
// the pending error says it.
enum class Failure {
  kNone,
  kMessage,       // `code` and `detail` in an error box
  kPendingError,  // the company's, the walk's or a read's pending error
};

struct FillResult {
  FillEnding ending = FillEnding::kFailed;
  Failure failure = Failure::kNone;
  int code = 0;
  std::string detail;
  std::string text;  // the rows for the clipboard
  int accounts = 0;  // account rows written
};

struct FillHooks {
  std::function<void(int accounts)> row_written;
  // Asked after each row: true when the user asked to stop and confirmed it.
  std::function<bool()> stop_requested;
};

// The block starts at 16000 bytes and grows 16000 at a time while it stays within this.
inline constexpr std::size_t kBlockStep = 16000;
inline constexpr std::size_t kNoBlockLimit = std::numeric_limits<std::size_t>::max();

// Fills the chart of `request`; the walk's own stop checks read `window`.
FillResult FillChart(const ToolContext& context, const ChartRequest& request,
                     platform::WindowId window, const FillHooks& hooks,
                     std::size_t block_limit = kNoBlockLimit);

}  // namespace r7::chart_copy
