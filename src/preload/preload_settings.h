// The preload state of one open company: what the next preload loads, and the selections
// loaded so far, newest first. (platform-independent)
//
// Each selection keeps, beside its account store, what the lookup needs to be sure of an
// answer: the tokens its walk loaded (every account they admit is in the store), whether
// the year was read from the comparative balances, and which segments hold letter codes.
// Owned by the company context; closing the company's files releases it.
#pragma once

#include <array>
#include <list>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ledger/company_catalogue.h"
#include "preload/preload_cache.h"
#include "preload/selection_token.h"
#include "specifiers/account_request.h"

namespace r7::preload {

inline constexpr int kMaxPreloadSegments = 24;

inline constexpr std::size_t kMaxRememberedExpansions = 512;

// A request's tokens as the file path makes them, by item.
using ExpandedTokens = std::vector<std::vector<SelectionToken>>;

// The entries a token admits in a selection, in store order, with the ordering the scan
// used; and, made on first need, the same entries in each key order of the ledger files
// (by CachedAccount::file_rank).
struct AdmittedAccounts {
  int ordering = 0;
  std::vector<const CachedAccount*> entries;
  std::array<std::vector<const CachedAccount*>, 3> in_file_order;
};

// The memory of scans is bounded to this many entries per loaded account, plus the base.
inline constexpr std::size_t kMaxRememberedAdmissionsPerAccount = 8;
inline constexpr std::size_t kMaxRememberedAdmissionsBase = 100000;

struct LoadedSelection {
  AccountRequest request;
  PreloadCache store;
  std::vector<SelectionToken> tokens;  // the walk's tokens, when every one has the form
  bool tokens_usable = false;
  bool prior_year = false;        // this year's row came from the comparative balances
  std::array<bool, 3> letters{};  // a loaded key holds a letter in that segment
  // The lookup's earlier scans, by token text, and how many entries they hold. Emptied
  // whenever the store is refilled (DataPreLoad) and when the count passes its bound.
  std::map<std::string, AdmittedAccounts, std::less<>> admitted;
  std::size_t admitted_count = 0;
};

struct PreloadSettings : CompanyCache {
  std::string company;  // not used: the company is the context that holds the block
  AccountRequest request;
  bool load_this_year = true;
  bool load_last_year = false;
  bool load_budget = false;
  int segment_count = 1;
  std::array<int, kMaxPreloadSegments> segment_lengths{};
  int ordering_count = 0;
  int current_ordering = 0;
  bool loaded = false;                // at least one selection is ready
  std::list<LoadedSelection> caches;  // newest first; entries never move
  const AccountRequest* current_request = nullptr;
  CompanyContext* owner = nullptr;

  // The requests the lookup has expanded, by specifier and segment mappings (ExpansionKey):
  // their tokens per item, or nothing when the cache cannot answer the specifier. A
  // worksheet repeats a few specifiers across its columns; remembering them keeps the
  // entities file and the specifier parser out of every hit. Cleared by UnloadCompany, and
  // when it reaches kMaxRememberedExpansions.
  std::map<std::string, std::optional<ExpandedTokens>, std::less<>> expansions;
};

// The company's preload state, made (and reset) on first use.
PreloadSettings& PreloadOf(CompanyContext& company);
// The company's preload state when it has one, else null.
PreloadSettings* PreloadIfAny(CompanyContext& company);

// Not loaded, no selection, load this year only, an empty request of range type 2.
void ResetPreload(CompanyContext& company);

// Frees every selection; loaded becomes 0.
void UnloadCompany(PreloadSettings& settings);

}  // namespace r7::preload
