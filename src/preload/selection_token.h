// The tokens of an account specifier in the form the preload cache can answer for exactly
// as the ledger files would. (platform-independent)
//
// The balance engine's file path expands a specifier into items, checks and maps each item
// and splits it into tokens (account_specifier.h); it then scans a file once per token and
// tests each record's three 8-character fields. The cache expands a request the same way
// and tests its entries' stored account numbers with the same segment test, so a cached
// entry is admitted exactly when the file path would admit its record. What the cache
// cannot show is coverage for every form: that every account a token admits was loaded.
// It shows it for tokens whose used segments are each one value, a range "from..to" or a
// pattern, by comparing the stored (padded) values, a pattern being covered only by a lone
// "*"; any other token (a value with a single ".", an unused segment that is not "*", the
// title records' main account "00000000") is not a SelectionToken, and the cache declines
// it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/error_reporter.h"
#include "specifiers/account_specifier.h"

namespace r7::preload {

struct SelectionToken {
  AccountToken token;  // as the file path parses it
  std::string text;
};

// The tokens of `specifier`, grouped by item, as the account iteration makes them; false
// when the iteration would refuse the specifier or an item. Raises nothing: messages go to
// a scratch reporter.
bool ExpandRequestTokens(std::string_view specifier, const SegmentLengths& lengths,
                         const SegmentMappings& mappings, const EntityResolver& entities,
                         std::vector<std::vector<std::string>>* items);

// `text` as a SelectionToken, or nothing when it is outside the form above.
std::optional<SelectionToken> ParseSelectionToken(std::string_view text,
                                                  const SegmentLengths& lengths);

// True when the file path's segment tests admit the 24-character `number`.
bool TokenAdmits(const SelectionToken& token, std::string_view number,
                 const SegmentLengths& lengths);

// True when the token admits every account: each used segment is a lone "*".
bool AdmitsEverything(const SelectionToken& token, const SegmentLengths& lengths);

// True when every account `candidate` admits is admitted by `container` as well.
bool TokenCovers(const SelectionToken& container, const SelectionToken& candidate,
                 const SegmentLengths& lengths);

// True when the store's seek by the token's bounds finds every account TokenAdmits admits:
// its used segments are values, patterns (sought as "*"), or ranges with digits only on a
// segment whose loaded keys hold no letter (`letters`).
bool SeekableToken(const SelectionToken& token, const SegmentLengths& lengths,
                   const std::array<bool, 3>& letters);

// The token's used segments joined with "-", as the store parses pieces, each pattern
// written as "*".
std::string StorePieceText(const SelectionToken& token, const SegmentLengths& lengths);

}  // namespace r7::preload
