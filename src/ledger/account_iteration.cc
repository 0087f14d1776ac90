// The account iteration. (platform-independent)
#include "ledger/account_iteration.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <utility>

#include "base/error_codes.h"
#include "common/text_util.h"
#include "ledger/account_number.h"
#include "ledger/amount_text.h"
#include "ledger/ledger_records.h"
#include "specifiers/dates.h"

namespace r7 {
namespace {

constexpr int kTokenDone = -100;  // the token's scan reached its end

// The ledger file that an iteration's file number walks; null for an unknown number.
const LedgerFileInfo* IteratedFile(int number) {
  switch (number) {
    case kIterateChart:
      return FindLedgerFile(kAccountFile);
    case kIterateBalances:
      return FindLedgerFile(kBalanceFile);
    case kIterateBudgets:
      return FindLedgerFile(kBudgetFile);
    case kIteratePriorComparatives:
    case kIterateComparatives:
      return FindLedgerFile(kComparativeFile);
    case kIterateTransactions:
      return FindLedgerFile(kTransactionFile);
    default:
      return nullptr;
  }
}

bool HasYearInKey(int file_number) {
  return file_number == kIterateBudgets || file_number == kIteratePriorComparatives ||
         file_number == kIterateComparatives;
}

}  // namespace

int AccountIteration::Finish(int code) {
  finished_ = code;
  scanning_ = false;
  return code;
}

int AccountIteration::First(const AccountRequest& request, CompanyContext& company, int file_number,
                            bool no_type_check) {
  type_state_ = TypeState::kUnset;
  items_.clear();
  next_item_ = 0;
  tokens_.clear();
  scans_.clear();
  prefixes_sought_.clear();
  shared_ = false;
  next_scan_ = 0;
  current_ = 0;
  item_matched_ = false;
  delivered_ = 0;
  finished_ = -1;
  scanning_ = false;
  record_ = {};
  year_.clear();
  revision_code_.clear();
  request_ = request;
  company_ = &company;
  file_number_ = file_number;
  type_check_ =
      !no_type_check && file_number == kIterateChart && request.range_type != kRangeBoundsOnly;

  const LedgerFileInfo* file = IteratedFile(file_number);
  if (file == nullptr) {
    services_.errors.SetError(kSpecialError, "Invalid ledger file number");
    return Finish(kSpecialError);
  }
  if (company.status != 0) {
    services_.companies.CheckCompany(company);
    return Finish(company.status);
  }
  if (file_number == kIterateBudgets) {
    year_ = request.year;
    std::optional<std::string> code = ledger::RevisionCode(LeadingInt(request.revision));
    revision_code_ = code.value_or("");  // no revision: no budget record can carry it
  } else if (file_number == kIteratePriorComparatives) {
    year_ = FourDigitYear(LeadingInt(request.year) - 1);
  } else if (file_number == kIterateComparatives) {
    year_ = request.year;
  }

  EntityResolver entities = [this](std::string_view name, int segment) {
    return entities_.LookupEntity(*company_, name, segment);
  };
  if (ExpandAccountSpecifier(request.specifier, entities, items_, services_.errors) != 0)
    return Finish(kAlreadyReported);

  LedgerFileSlot& slot = company.files[file->slot];
  if (!slot.open) {
    int result = services_.companies.OpenLedgerFile(company, file->index);
    if (result != 0) {
      services_.errors.SetError(result, file->base_name);
      return Finish(result);
    }
  }
  position_ = &slot.position;
  key_count_ = slot.key_count;
  year_leads_key_ = HasYearInKey(file_number) && key_count_ >= file->full_key_count;
  return Advance();
}

int AccountIteration::Next() {
  if (finished_ != -1) return finished_;
  if (company_ == nullptr) return Finish(kIterationEnd);
  return Advance();
}

int AccountIteration::Advance() {
  const bool unmatched_allowed = services_.settings.na_label != 0;
  while (true) {
    if (scanning_) {
      int result = shared_ ? ScanShared() : ScanToken();
      if (result == kIterationRecord) return result;
      if (result != kTokenDone) return Finish(result);
    }
    if (shared_) {
      const int held = DeliverHeld();
      if (held == kIterationRecord) return held;
      if (held != kTokenDone) return Finish(held);
    } else if (next_scan_ < scans_.size()) {
      current_ = next_scan_++;
      scanning_ = true;
      seek_ = true;
      seek_key_ = scans_[current_].start_key.value;
      continue;
    }
    if (!tokens_.empty() && !item_matched_ && !unmatched_allowed) {
      services_.errors.Clear();
      services_.errors.SetError(kNoMatchingAccounts, tokens_.front());
      return Finish(kNoMatchingAccounts);
    }
    tokens_.clear();
    if (next_item_ < items_.size()) {
      if (int result = StartItem(); result != 0) return Finish(result);
      continue;
    }
    if (delivered_ > 0 || unmatched_allowed) return Finish(kIterationEnd);
    services_.errors.Clear();
    services_.errors.SetError(kNoMatchingAccounts, request_.specifier);
    return Finish(kNoMatchingAccounts);
  }
}

int AccountIteration::StartItem() {
  std::string item = items_[next_item_++];
  if (int result = ValidateAccountItem(item, company_->segment_lengths, services_.errors);
      result != 0) {
    return result;
  }
  const Settings& settings = services_.settings;
  std::string mapped = MapAccountItem(
      item, company_->segment_lengths,
      {settings.account_mapping, settings.profit_center_mapping, settings.department_mapping});
  tokens_ = SplitItemTokens(mapped);
  item_matched_ = false;
  scans_.clear();
  for (const std::string& text : tokens_) {
    AccountToken token = ParseAccountToken(text);
    if (!token.matches_nothing && MayMatch(token)) scans_.push_back(PrepareScan(std::move(token)));
  }
  next_scan_ = 0;
  current_ = 0;
  held_records_.clear();
  held_index_ = 0;
  // Only a pattern looks at whether a field holds letters.
  letters_tested_ = {};
  for (const TokenScan& scan : scans_) {
    for (std::size_t segment = 0; segment < 3; ++segment) {
      const TokenSegment& test = scan.token.segments[segment];
      letters_tested_[segment] =
          letters_tested_[segment] || (test.kind == SegmentKind::kPattern && !test.any);
    }
  }
  // Tokens read in the same key share one scan.
  shared_ = scans_.size() > 1;
  for (const TokenScan& scan : scans_) {
    shared_ = shared_ && scan.start_key.key_number == scans_.front().start_key.key_number &&
              scan.ordering == scans_.front().ordering;
  }
  if (shared_) {
    scanning_ = true;
    seek_ = true;
    seek_key_ = scans_.front().start_key.value;
    for (const TokenScan& scan : scans_) seek_key_ = std::min(seek_key_, scan.start_key.value);
  }
  return 0;
}

bool AccountIteration::MayMatch(const AccountToken& token) {
  // Under range type 0 no segment is tested; a segment the company lacks is not tested.
  if (request_.range_type == kRangeBoundsOnly) return true;
  for (std::size_t segment = 1; segment < 3; ++segment) {
    if (company_->segment_lengths[segment] == 0) continue;
    const std::string_view prefix = RequiredFieldPrefix(token.segments[segment]);
    if (!prefix.empty() && !FieldPrefixMayExist(segment, prefix)) return false;
  }
  return true;
}

bool AccountIteration::FieldPrefixMayExist(std::size_t segment, std::string_view prefix) {
  using ledger::SegmentOrdering;
  const std::string sought = std::to_string(segment) + std::string(prefix);
  for (const auto& [known, exists] : prefixes_sought_) {
    if (known == sought) return exists;
  }
  // Only a file with its full key set has the key that leads with the field.
  const LedgerFileInfo& file = *IteratedFile(file_number_);
  if (key_count_ < file.full_key_count) return true;
  // The lowest key value whose field begins with the prefix: every such record lies at or
  // after it, before any record whose field does not.
  std::string account(kAccountNumberWidth, '\0');
  account.replace(kSegmentFieldWidth * segment, prefix.size(), prefix);
  const SegmentOrdering ordering =
      segment == 1 ? SegmentOrdering::kProfitCenterFirst : SegmentOrdering::kDepartmentFirst;
  ledger::LedgerKey key;
  std::size_t year_offset = 0;  // where a record carries the year the key leads with
  switch (file_number_) {
    case kIterateChart:
      key = ledger::AccountFileKey(account, ordering, key_count_);
      break;
    case kIterateBalances:
      key = ledger::BalanceFileKey(account, ordering, key_count_);
      break;
    case kIterateBudgets:
      key = ledger::BudgetFileKey(account, year_, "", ordering, key_count_);
      year_offset = ledger::glbudfil::kYear.offset;
      break;
    case kIteratePriorComparatives:
    case kIterateComparatives:
      key = ledger::ComparativeFileKey(account, year_, ordering, key_count_);
      year_offset = ledger::glcmpfil::kYear.offset;
      break;
    default:
      return true;
  }
  seek_buffer_.fill('\0');
  std::memcpy(seek_buffer_.data(), key.value.data(),
              std::min(key.value.size(), seek_buffer_.size() - 1));
  RecordManager& records = services_.records;
  bool exists = true;
  if (records.GetGreaterOrEqual(*position_, nullptr, seek_buffer_.data(),
                                static_cast<int8_t>(key.key_number)) != 0) {
    // Nothing at or after it; any other failure leaves the reading to the scans.
    const int status = records.last_status();
    exists = status != btr::kEndOfFile && status != btr::kKeyNotFound;
  } else {
    const std::string_view record(reinterpret_cast<const char*>(records.record_buffer()),
                                  records.record_length());
    const std::size_t field = kSegmentFieldWidth * segment;
    if (record.size() >= std::max(field + kSegmentFieldWidth, year_offset + 4)) {
      exists = record.substr(field, prefix.size()) == prefix &&
               (year_offset == 0 || record.substr(year_offset, 4) == year_);
    }
  }
  prefixes_sought_.emplace_back(sought, exists);
  return exists;
}

AccountIteration::TokenScan AccountIteration::PrepareScan(AccountToken token) const {
  using ledger::SegmentOrdering;
  TokenScan scan;
  const LedgerFileInfo& file = *IteratedFile(file_number_);
  const auto& lengths = company_->segment_lengths;
  SegmentOrdering ordering = SegmentOrdering::kMainFirst;
  if (file_number_ != kIterateChart && file_number_ != kIterateTransactions &&
      token.segments[0].kind != SegmentKind::kExact) {
    if (token.segments[1].kind == SegmentKind::kExact && lengths[1] != 0) {
      ordering = SegmentOrdering::kProfitCenterFirst;
    } else if (token.segments[2].kind == SegmentKind::kExact && lengths[2] != 0) {
      ordering = SegmentOrdering::kDepartmentFirst;
    }
  }
  if (key_count_ < file.full_key_count) ordering = SegmentOrdering::kMainFirst;

  const std::string& lower = token.lower;
  switch (file_number_) {
    case kIterateChart:
      scan.start_key = ledger::AccountFileKey(lower);
      break;
    case kIterateBalances:
      scan.start_key = ledger::BalanceFileKey(lower, ordering, key_count_);
      break;
    case kIterateBudgets:
      scan.start_key = ledger::BudgetFileKey(lower, year_leads_key_ ? year_ : "    ", "  ",
                                             ordering, key_count_);
      break;
    case kIteratePriorComparatives:
    case kIterateComparatives:
      scan.start_key =
          ledger::ComparativeFileKey(lower, year_leads_key_ ? year_ : "    ", ordering, key_count_);
      break;
    default:
      scan.start_key = ledger::TransactionFileKey(lower, "        ");
      break;
  }
  scan.upper_ordered = ledger::OrderedAccountNumber(token.upper, ordering);
  scan.ordering = ordering;
  scan.token = std::move(token);
  return scan;
}

int AccountIteration::ReadFailure() {
  int status = services_.records.last_status();
  if (status == btr::kEndOfFile || status == btr::kKeyNotFound) return kTokenDone;
  services_.errors.SetError(kBtrieveError, IteratedFile(file_number_)->base_name);
  return kBtrieveError;
}

// Reads the next record of the scan: by seek_key_ when `seek`, else the one after the last.
// Between records the user may ask to stop, where `may_stop`. `*key` receives the record's
// key value.
int AccountIteration::Read(bool seek, const std::string& seek_key, std::string_view* key,
                           bool may_stop) {
  RecordManager& records = services_.records;
  const auto key_number = static_cast<int8_t>(scans_[current_].start_key.key_number);
  int result;
  if (seek) {
    seek_buffer_.fill('\0');
    std::memcpy(seek_buffer_.data(), seek_key.data(),
                std::min(seek_key.size(), seek_buffer_.size() - 1));
    result = records.GetGreaterOrEqualInto(*position_, &read_, seek_buffer_.data(), key_number);
    *key = std::string_view(seek_buffer_.data(), seek_key.size());
  } else {
    if (may_stop && services_.messages.AbortCheck(services_.abort_window)) {
      return kIterationStopped;
    }
    const unsigned char* next_key = nullptr;
    result = records.GetNextInto(*position_, &read_, &next_key, key_number);
    *key = std::string_view(reinterpret_cast<const char*>(next_key), seek_key.size());
  }
  return result == 0 ? kIterationRecord : ReadFailure();
}

int AccountIteration::Deliver(std::string_view record, std::size_t token) {
  // The type check judges the records in the order they are delivered.
  if (type_check_) {
    const char type = record.size() > ledger::glactfil::kType.offset
                          ? record[ledger::glactfil::kType.offset]
                          : ' ';
    if (type_state_ == TypeState::kUnset) {
      type_state_ = type == 'P' ? TypeState::kIncomeStatement : TypeState::kOther;
    } else if ((type == 'B' && type_state_ == TypeState::kIncomeStatement) ||
               (type == 'P' && type_state_ == TypeState::kOther)) {
      services_.errors.SetError(
          kDifferentAccountTypes,
          DisplayAccount(record.substr(0, kAccountNumberWidth), company_->segment_lengths));
      return kDifferentAccountTypes;
    }
  }
  record_ = record;
  current_ = token;
  item_matched_ = true;
  ++delivered_;
  return kIterationRecord;
}

int AccountIteration::ScanToken() {
  const TokenScan& scan = scans_[current_];
  while (true) {
    std::string_view key;
    const int read = Read(std::exchange(seek_, false), scan.start_key.value, &key, true);
    if (read != kIterationRecord) {
      scanning_ = false;
      return read;
    }
    // Records are judged where they landed, and delivered from there.
    const ScannedRecord record = Look(read_.view(), scan.ordering);
    if (PastEnd(record, scan)) break;
    if (!Matches(record, scan.token)) continue;
    const int delivered = Deliver(record.bytes, current_);
    if (delivered != kIterationRecord) scanning_ = false;
    return delivered;
  }
  scanning_ = false;
  return kTokenDone;
}

int AccountIteration::ScanShared() {
  current_ = 0;
  while (true) {
    std::string_view key;
    // The records before the first token's start are those a scan per token reads after
    // the first token's: the stop check is asked between records from its start on, as a
    // scan per token asks it, so that a stop is not seen before the first token's records.
    const int read = Read(std::exchange(seek_, false), seek_key_, &key, scans_.front().started);
    if (read != kIterationRecord) {
      scanning_ = false;
      return read;  // at the end of the file every token has ended
    }
    const ScannedRecord record = Look(read_.view(), scans_.front().ordering);
    bool deliver = false;
    bool waiting = false;  // a token whose start lies further on
    bool running = false;  // a token that has started and not ended
    for (std::size_t t = 0; t < scans_.size(); ++t) {
      TokenScan& scan = scans_[t];
      if (scan.ended) continue;
      if (!scan.started) {
        if (key.substr(0, scan.start_key.value.size()) < scan.start_key.value) {
          waiting = true;
          continue;
        }
        scan.started = true;
      }
      if (PastEnd(record, scan)) {
        scan.ended = true;
        continue;
      }
      running = true;
      if (!Matches(record, scan.token)) continue;
      if (t == 0) {
        deliver = true;
      } else {
        scan.held.push_back({held_records_.size(), record.bytes.size()});
        held_records_.append(record.bytes);
      }
    }
    if (deliver) {
      const int delivered = Deliver(record.bytes, 0);
      if (delivered != kIterationRecord) scanning_ = false;
      return delivered;
    }
    if (!running && !waiting) break;
    if (!running) {
      // Between the tokens' ranges: on to the nearest start.
      seek_ = true;
      seek_key_.clear();
      for (const TokenScan& scan : scans_) {
        if (!scan.started && (seek_key_.empty() || scan.start_key.value < seek_key_))
          seek_key_ = scan.start_key.value;
      }
    }
  }
  scanning_ = false;
  return kTokenDone;
}

// The kept records of the tokens after the first, token by token, each in key order: 0 with
// the next, kTokenDone when none is left, or the type check's failure.
int AccountIteration::DeliverHeld() {
  if (current_ == 0) {
    current_ = 1;
    held_index_ = 0;
  }
  for (; current_ < scans_.size(); ++current_, held_index_ = 0) {
    const std::vector<HeldRecord>& held = scans_[current_].held;
    if (held_index_ < held.size()) {
      const HeldRecord& kept = held[held_index_++];
      return Deliver(std::string_view(held_records_).substr(kept.offset, kept.length), current_);
    }
  }
  return kTokenDone;
}

AccountIteration::ScannedRecord AccountIteration::Look(std::string_view record,
                                                       ledger::SegmentOrdering ordering) {
  ScannedRecord scanned;
  scanned.bytes = record;
  // A key that leads with the year has passed the request's year.
  scanned.other_year = year_leads_key_ &&
                       record.substr(ledger::glcmpfil::kYear.offset, 4) != std::string_view(year_);
  const std::string_view account = record.substr(0, kAccountNumberWidth);
  if (ordering == ledger::SegmentOrdering::kMainFirst && account.size() == kAccountNumberWidth) {
    scanned.ordered = account;
  } else {
    ledger::WriteOrderedAccountNumber(account, ordering, ordered_.data());
    scanned.ordered = std::string_view(ordered_.data(), ordered_.size());
  }
  scanned.qualifies = Qualifies(record);
  for (std::size_t segment = 0; segment < 3; ++segment) {
    scanned.fields[segment] = record.substr(8 * segment, 8);
    scanned.letters[segment] = letters_tested_[segment] && FieldHasLetter(scanned.fields[segment]);
  }
  return scanned;
}

bool AccountIteration::PastEnd(const ScannedRecord& record, const TokenScan& scan) {
  return record.other_year || record.ordered > std::string_view(scan.upper_ordered);
}

bool AccountIteration::Qualifies(std::string_view record) const {
  using ledger::account_fields::kMain;
  if (record.substr(kMain.offset, kMain.width) == kZeroSegmentField) return false;
  switch (file_number_) {
    case kIterateBudgets:
      return record.substr(ledger::glbudfil::kYear.offset, 4) == year_ &&
             record.substr(ledger::glbudfil::kRevisionCode.offset, 2) == revision_code_;
    case kIteratePriorComparatives:
    case kIterateComparatives:
      return record.substr(ledger::glcmpfil::kYear.offset, 4) == year_;
    case kIterateTransactions: {
      long long date = LeadingInt(record.substr(ledger::gltrxfil::kDate.offset, 8));
      return date >= DateOrdinal(services_.dates.from) && date <= DateOrdinal(services_.dates.to);
    }
    default:
      return true;
  }
}

bool AccountIteration::Matches(const ScannedRecord& record, const AccountToken& token) const {
  if (!record.qualifies) return false;
  if (request_.range_type == kRangeBoundsOnly) return true;
  const auto& lengths = company_->segment_lengths;
  for (std::size_t segment = 0; segment < 3; ++segment) {
    if (segment > 0 && lengths[segment] == 0) continue;
    const TokenSegment& test = token.segments[segment];
    if (test.any) continue;
    if (!SegmentMatches(test, record.fields[segment], record.letters[segment], lengths[segment],
                        static_cast<int>(segment), request_.range_type))
      return false;
  }
  return true;
}

}  // namespace r7
