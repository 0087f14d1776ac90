// The account iteration: walks the records of one ledger file of a company whose account
// matches an account request, in key order. (platform-independent)
//
// Contract for its users (the account lookups, the balance engine, the preload cache):
// - First() expands the request's specifier into items, checks and maps each item in turn,
//   splits it into tokens and delivers, token after token, each token's matching records
//   in key order; Next() continues. Both answer
//     kIterationRecord (0)   a matching record is in record();
//     kIterationEnd (1)      every item is used: the walk is complete (after at least one
//                            record, or with "NA Label" on, which lets unmatched items pass);
//     kNoMatchingAccounts (22) an item matched nothing; its message names the item's first
//                            token (replacing any pending error) and the walk is over;
//     kIterationStopped (41) the user confirmed a stop between records: the walk is NOT
//                            complete, and no caller may take what it summed for a total;
//     any other code         raised before it is returned (syntax messages answer 1, the
//                            item check 8, 16, 20 or 34, the type check 17, a record-manager
//                            failure 38 with the file's base name).
//   After anything but kIterationRecord the iteration is finished; Next() keeps answering
//   the same code until First() starts another walk.
// - record() is the delivered record in the iteration's own storage: it stays valid until
//   the next First() or Next(), whatever other reads happen meanwhile (the scan reads into
//   a buffer of its own, not the record manager's shared one). The record manager's
//   key buffer is not preserved: a caller that reads other files between calls costs the
//   scan nothing, because the file's position block carries the scan.
// - File numbers: 0 chart of accounts, 1 balances, 2 budgets of the request's year and
//   revision, 3 comparative balances of the year before the request's year, 4 comparative
//   balances of the request's year, 8 transactions within the current From/To dates. The
//   file is opened into its company slot when the slot is closed.
// - The type check (17 when income-statement and other accounts are mixed) applies to the
//   chart only, whose records carry the type; it is off under range type 0.
// - A mapping setting of 3 adds the mapped forms of an item as further tokens; the item
//   counts as matched when any of its tokens delivers a record, so the form that cannot
//   match a numeric field does not fail the walk.
// - The tokens of one item are read in one scan of the file: every record between the
//   first token's start and the last token's end is read once, the first token's matches
//   are delivered as they are read, and the other tokens' matches are kept and delivered
//   after them, token by token. So the records come (and meet the type check) in exactly
//   the order of a scan per token, and a record that two tokens match comes twice, as it
//   would.
// - A token whose profit-center or department pattern fixes the field's leading digits
//   (RequiredFieldPrefix) is not scanned when one seek by the key that leads with that
//   field finds no record of the file (of the year, where the key leads with it) whose
//   field begins so: such a token matches nothing, and a mapped item whose written form
//   cannot meet zero-filled codes does not read the whole file for it.
// One iteration object serves one walk at a time; First() discards an unfinished walk.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ledger/company_catalogue.h"
#include "ledger/entities_file.h"
#include "ledger/ledger_keys.h"
#include "ledger/ledger_services.h"
#include "recordmgr/record_manager.h"
#include "specifiers/account_request.h"
#include "specifiers/account_specifier.h"
#include "specifiers/dates.h"

namespace r7 {

inline constexpr int kIterationRecord = 0;
inline constexpr int kIterationEnd = 1;
inline constexpr int kIterationStopped = 41;  // "The command/request was not processed"

enum IterationFile : int {
  kIterateChart = 0,
  kIterateBalances = 1,
  kIterateBudgets = 2,
  kIteratePriorComparatives = 3,
  kIterateComparatives = 4,
  kIterateTransactions = 8,
};

class AccountIteration {
 public:
  explicit AccountIteration(const LedgerServices& services)
      : services_(services), entities_(services.records, services.companies, services.files) {}

  // NextMatchingAccount's first call. `company` must have status 0.
  int First(const AccountRequest& request, CompanyContext& company, int file_number,
            bool no_type_check);
  // NextMatchingAccount's later calls.
  int Next();

  std::string_view record() const { return record_; }
  // The token whose scan delivered the last record.
  std::string_view token() const {
    return current_ < scans_.size() ? std::string_view(scans_[current_].token.text) : "";
  }
  // Records delivered since First().
  std::size_t delivered() const { return delivered_; }

 private:
  enum class TypeState { kUnset, kIncomeStatement, kOther };

  // A record kept for a token's later delivery: where it lies in held_records_.
  struct HeldRecord {
    std::size_t offset = 0;
    std::size_t length = 0;
  };

  // The scan of one token of the current item: where it starts and ends in key order.
  struct TokenScan {
    AccountToken token;
    ledger::SegmentOrdering ordering = ledger::SegmentOrdering::kMainFirst;
    ledger::LedgerKey start_key;
    std::string upper_ordered;  // the upper bound in the key's segment order
    // In the item's shared scan: whether it has reached the token's start, and its end.
    bool started = false;
    bool ended = false;
    std::vector<HeldRecord> held;  // the token's matches, kept until the first token's are out
  };

  int Finish(int code);
  int StartItem();
  // False when a seek proves that no record of the file matches `token`.
  bool MayMatch(const AccountToken& token);
  // Whether the file may hold a record whose field `segment` begins with `prefix`: false
  // only when the seek in the key that leads with the field finds none.
  bool FieldPrefixMayExist(std::size_t segment, std::string_view prefix);
  TokenScan PrepareScan(AccountToken token) const;
  int ScanToken();   // the current token's own scan
  int ScanShared();  // the item's one scan for all its tokens
  int DeliverHeld();
  // Hands a matching record over as `token`'s: 0, or the type check's failure.
  int Deliver(std::string_view record, std::size_t token);
  int Advance();
  // What the tests of a record need, taken from it once for all the item's tokens.
  struct ScannedRecord {
    std::string_view bytes;
    bool other_year = false;   // a key that leads with the year has left the request's year
    std::string_view ordered;  // the account number in the scan's key order
    bool qualifies = false;    // not a title record; of the request's year, revision or dates
    std::array<std::string_view, 3> fields;  // the account's segment fields
    std::array<bool, 3> letters{};           // whether each holds a letter (where a pattern asks)
  };

  // `may_stop`: whether a step (never a seek) asks the stop check first.
  int Read(bool seek, const std::string& seek_key, std::string_view* key, bool may_stop);
  ScannedRecord Look(std::string_view record, ledger::SegmentOrdering ordering);
  bool Qualifies(std::string_view record) const;
  static bool PastEnd(const ScannedRecord& record, const TokenScan& scan);
  bool Matches(const ScannedRecord& record, const AccountToken& token) const;
  int ReadFailure();

  const LedgerServices& services_;
  EntitiesFile entities_;

  // The walk.
  AccountRequest request_;
  CompanyContext* company_ = nullptr;
  int file_number_ = 0;
  bool type_check_ = true;
  TypeState type_state_ = TypeState::kUnset;
  std::vector<std::string> items_;
  std::size_t next_item_ = 0;
  std::vector<std::string> tokens_;  // of the current item, as split
  bool item_matched_ = false;
  std::size_t delivered_ = 0;
  int finished_ = -1;  // the code the walk ended with; -1 while it runs

  // The current item's scans: of its tokens that can match anything, in order.
  std::vector<TokenScan> scans_;
  // The walk's seeks for a field prefix: segment digit and prefix, and whether it exists.
  std::vector<std::pair<std::string, bool>> prefixes_sought_;
  std::array<bool, 3> letters_tested_{};  // a token's pattern looks at that segment's letters
  bool shared_ = false;                   // one scan reads for all of them
  std::size_t next_scan_ = 0;             // a scan per token: the next to start
  std::size_t current_ = 0;  // the token whose scan runs, or whose records are delivered
  bool scanning_ = false;
  bool seek_ = false;  // the next read seeks seek_key_ rather than stepping
  std::string seek_key_;
  std::array<char, kKeyLength + 1> seek_buffer_{};   // the key buffer of a seek
  std::array<char, kAccountNumberWidth> ordered_{};  // a record's account number, reordered
  std::string held_records_;    // the kept records of the shared scan, end to end
  std::size_t held_index_ = 0;  // the next of scans_[current_].held to deliver

  PosBlock* position_ = nullptr;
  int16_t key_count_ = 1;
  bool year_leads_key_ = false;
  std::string year_;           // the year the file's records must carry
  std::string revision_code_;  // budgets: the revision code they must carry
  RecordBuffer read_;          // where the scan's reads land
  std::string_view record_;    // the delivered record: in read_ or held_records_
};

}  // namespace r7
