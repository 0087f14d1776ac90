// The account iteration. (platform-independent)
#include "ledger/account_iteration.h"

#include <array>
#include <cstdio>
#include <cstring>

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
  next_token_ = 0;
  item_matched_ = false;
  delivered_ = 0;
  finished_ = -1;
  scanning_ = false;
  record_.clear();
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
      int result = Scan();
      if (result == kIterationRecord) return result;
      if (result != kTokenDone) return Finish(result);
    }
    if (next_token_ < tokens_.size()) {
      if (int result = StartToken(); result != 0) return Finish(result);
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
  next_token_ = 0;
  item_matched_ = false;
  return 0;
}

int AccountIteration::StartToken() {
  token_ = ParseAccountToken(tokens_[next_token_++]);
  token_delivered_ = false;
  scanning_ = !token_.matches_nothing;
  if (!scanning_) return 0;

  using ledger::SegmentOrdering;
  const LedgerFileInfo& file = *IteratedFile(file_number_);
  const auto& lengths = company_->segment_lengths;
  ordering_ = SegmentOrdering::kMainFirst;
  if (file_number_ != kIterateChart && file_number_ != kIterateTransactions &&
      token_.segments[0].kind != SegmentKind::kExact) {
    if (token_.segments[1].kind == SegmentKind::kExact && lengths[1] != 0) {
      ordering_ = SegmentOrdering::kProfitCenterFirst;
    } else if (token_.segments[2].kind == SegmentKind::kExact && lengths[2] != 0) {
      ordering_ = SegmentOrdering::kDepartmentFirst;
    }
  }
  if (key_count_ < file.full_key_count) ordering_ = SegmentOrdering::kMainFirst;
  year_leads_key_ = HasYearInKey(file_number_) && key_count_ >= file.full_key_count;

  const std::string& lower = token_.lower;
  switch (file_number_) {
    case kIterateChart:
      start_key_ = ledger::AccountFileKey(lower);
      break;
    case kIterateBalances:
      start_key_ = ledger::BalanceFileKey(lower, ordering_, key_count_);
      break;
    case kIterateBudgets:
      start_key_ = ledger::BudgetFileKey(lower, year_leads_key_ ? year_ : "    ", "  ", ordering_,
                                         key_count_);
      break;
    case kIteratePriorComparatives:
    case kIterateComparatives:
      start_key_ = ledger::ComparativeFileKey(lower, year_leads_key_ ? year_ : "    ", ordering_,
                                              key_count_);
      break;
    default:
      start_key_ = ledger::TransactionFileKey(lower, "        ");
      break;
  }
  upper_ordered_ = ledger::OrderedAccountNumber(token_.upper, ordering_);
  record_.clear();
  first_read_ = true;
  return 0;
}

int AccountIteration::ReadFailure() {
  int status = services_.records.last_status();
  if (status == btr::kEndOfFile || status == btr::kKeyNotFound) return kTokenDone;
  services_.errors.SetError(kBtrieveError, IteratedFile(file_number_)->base_name);
  return kBtrieveError;
}

int AccountIteration::Scan() {
  RecordManager& records = services_.records;
  while (true) {
    int result;
    if (first_read_) {
      first_read_ = false;
      std::array<char, kKeyLength + 1> key{};
      std::memcpy(key.data(), start_key_.value.data(),
                  std::min(start_key_.value.size(), key.size() - 1));
      result = records.GetGreaterOrEqual(*position_, nullptr, key.data(),
                                         static_cast<int8_t>(start_key_.key_number));
    } else {
      if (services_.messages.AbortCheck(services_.abort_window)) return kIterationStopped;
      result =
          records.GetNext(*position_, nullptr, nullptr, static_cast<int8_t>(start_key_.key_number));
    }
    if (result != 0) {
      scanning_ = false;
      int failure = ReadFailure();
      if (failure == kTokenDone) item_matched_ = item_matched_ || token_delivered_;
      return failure;
    }
    std::string record(reinterpret_cast<const char*>(records.record_buffer()),
                       records.record_length());
    if (year_leads_key_ &&
        std::string_view(record).substr(ledger::glcmpfil::kYear.offset, 4) != year_) {
      break;  // past the request's year in a key that leads with it
    }
    std::string_view account = std::string_view(record).substr(0, kAccountNumberWidth);
    if (ledger::OrderedAccountNumber(account, ordering_) > upper_ordered_) break;
    if (!Matches(record)) continue;
    if (type_check_) {
      char type = record.size() > ledger::glactfil::kType.offset
                      ? record[ledger::glactfil::kType.offset]
                      : ' ';
      if (type_state_ == TypeState::kUnset) {
        type_state_ = type == 'P' ? TypeState::kIncomeStatement : TypeState::kOther;
      } else if ((type == 'B' && type_state_ == TypeState::kIncomeStatement) ||
                 (type == 'P' && type_state_ == TypeState::kOther)) {
        services_.errors.SetError(kDifferentAccountTypes,
                                  DisplayAccount(account, company_->segment_lengths));
        scanning_ = false;
        return kDifferentAccountTypes;
      }
    }
    record_ = std::move(record);
    token_delivered_ = true;
    ++delivered_;
    return kIterationRecord;
  }
  scanning_ = false;
  item_matched_ = item_matched_ || token_delivered_;
  return kTokenDone;
}

bool AccountIteration::Matches(std::string_view record) {
  using ledger::account_fields::kMain;
  if (record.substr(kMain.offset, kMain.width) == kZeroSegmentField) return false;
  switch (file_number_) {
    case kIterateBudgets:
      if (record.substr(ledger::glbudfil::kYear.offset, 4) != year_ ||
          record.substr(ledger::glbudfil::kRevisionCode.offset, 2) != revision_code_)
        return false;
      break;
    case kIteratePriorComparatives:
    case kIterateComparatives:
      if (record.substr(ledger::glcmpfil::kYear.offset, 4) != year_) return false;
      break;
    case kIterateTransactions: {
      long long date = LeadingInt(record.substr(ledger::gltrxfil::kDate.offset, 8));
      if (date < DateOrdinal(services_.dates.from) || date > DateOrdinal(services_.dates.to))
        return false;
      break;
    }
    default:
      break;
  }
  if (request_.range_type == kRangeBoundsOnly) return true;
  const auto& lengths = company_->segment_lengths;
  for (int segment = 0; segment < 3; ++segment) {
    if (segment > 0 && lengths[segment] == 0) continue;
    std::string_view field = record.substr(8 * static_cast<std::size_t>(segment), 8);
    if (!SegmentMatches(token_.segments[segment], field, lengths[segment], segment,
                        request_.range_type))
      return false;
  }
  return true;
}

}  // namespace r7
