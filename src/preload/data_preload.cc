// Loading a selection of a company's accounts into memory. (platform-independent)
#include "preload/data_preload.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "base/error_codes.h"
#include "base/string_table.h"
#include "common/text_util.h"
#include "ledger/account_number.h"
#include "ledger/amount_text.h"
#include "ledger/entities_file.h"
#include "ledger/ledger_keys.h"
#include "ledger/ledger_records.h"
#include "platform/message_box.h"
#include "preload/preload_settings.h"
#include "specifiers/account_template.h"
#include "specifiers/dates.h"

namespace r7::preload {
namespace {

constexpr std::size_t kDescriptionWidth = 30;

// The files a load reads, each with the detail that names it when it does not open (the
// account file under its old name, as the users of this message know it).
struct PreloadFile {
  int index;
  const char* detail;
};
constexpr PreloadFile kPreloadFiles[] = {{kAccountFile, " syactfil.btr"},
                                         {kBalanceFile, " glbalfil.btr"},
                                         {kComparativeFile, " glcmpfil.btr"},
                                         {kBudgetFile, " glbudfil.btr"}};

// One record of a ledger file by its key, where it landed in the record manager's buffer
// (valid until the next read); nothing when the file has none, or false from `ok` when the
// read failed otherwise.
std::optional<std::string_view> ReadByKey(const LedgerServices& services, CompanyContext& company,
                                          LedgerSlot slot, const ledger::LedgerKey& key, bool* ok) {
  std::array<char, kKeyLength + 1> buffer{};
  std::memcpy(buffer.data(), key.value.data(), std::min(key.value.size(), buffer.size() - 1));
  int status = services.records.GetEqual(company.files[slot].position, nullptr, buffer.data(),
                                         static_cast<int8_t>(key.key_number));
  if (status != 0) {
    int last = services.records.last_status();
    if (last != btr::kKeyNotFound && last != btr::kEndOfFile) *ok = false;
    return std::nullopt;
  }
  return std::string_view(reinterpret_cast<const char*>(services.records.record_buffer()),
                          services.records.record_length());
}

// Opening amount and periods 1 to 13 as stored; the balance engine derives period changes
// from them at lookup, exactly as it does from the files.
void ActualRow(std::string_view record, bool comparative, RowAmounts* row) {
  std::span<const char> bytes(record.data(), record.size());
  if (comparative) {
    ledger::ComparativeRecordView view(bytes);
    (*row)[0] = ledger::ParseAmountText(view.opening());
    for (std::size_t p = 1; p <= 13; ++p) (*row)[p] = view.period(p);
  } else {
    ledger::BalanceRecordView view(bytes);
    (*row)[0] = ledger::ParseAmountText(view.opening());
    for (std::size_t p = 1; p <= 13; ++p) (*row)[p] = view.period(p);
  }
}

void BudgetRow(std::string_view record, RowAmounts* row) {
  ledger::BudgetRecordView view(std::span<const char>(record.data(), record.size()));
  for (std::size_t p = 1; p <= 13; ++p) (*row)[p] = view.period(p);
}

struct AccountRows {
  RowAmounts row0{};
  RowAmounts row1{};
  std::array<bool, kRowCount> has_record{};
};

// What the keys of a load's reads hold besides the account: worked out once per load.
struct LoadYears {
  std::string last_year;                     // the year before the request's
  std::optional<std::string> revision_code;  // budgets: none for a revision out of range

  explicit LoadYears(const AccountRequest& request)
      : last_year(FourDigitYear(LeadingInt(request.year) - 1)),
        revision_code(ledger::RevisionCode(LeadingInt(request.revision))) {}
};

// Reads the rows of one account; false when a read failed.
bool ReadAccountRows(const LedgerServices& services, CompanyContext& company,
                     const AccountRequest& request, const LoadYears& years,
                     const PreloadSettings& s, bool prior_year, std::string_view number,
                     AccountRows* rows) {
  bool ok = true;
  using ledger::SegmentOrdering;
  if (!request.budget) {
    if (s.load_this_year) {
      std::optional<std::string_view> record =
          prior_year ? ReadByKey(services, company, kComparativeSlot,
                                 ledger::ComparativeFileKey(
                                     number, request.year, SegmentOrdering::kMainFirst,
                                     company.files[kComparativeSlot].key_count),
                                 &ok)
                     : ReadByKey(services, company, kBalanceSlot,
                                 ledger::BalanceFileKey(number, SegmentOrdering::kMainFirst,
                                                        company.files[kBalanceSlot].key_count),
                                 &ok);
      if (record) ActualRow(*record, prior_year, &rows->row0);
      rows->has_record[kThisYearRow] = record.has_value();
    }
    if (s.load_last_year) {
      std::optional<std::string_view> record =
          ReadByKey(services, company, kComparativeSlot,
                    ledger::ComparativeFileKey(number, years.last_year, SegmentOrdering::kMainFirst,
                                               company.files[kComparativeSlot].key_count),
                    &ok);
      if (record) ActualRow(*record, true, &rows->row1);
      rows->has_record[kLastYearRow] = record.has_value();
    }
  } else {
    if (const std::optional<std::string>& code = years.revision_code) {
      std::optional<std::string_view> record =
          ReadByKey(services, company, kBudgetSlot,
                    ledger::BudgetFileKey(number, request.year, *code, SegmentOrdering::kMainFirst,
                                          company.files[kBudgetSlot].key_count),
                    &ok);
      if (record) BudgetRow(*record, &rows->row0);
      rows->has_record[kThisYearRow] = record.has_value();
    }
  }
  return ok;
}

bool HasLetter(std::string_view text) {
  for (char c : text) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
  }
  return false;
}

// The walk's tokens of the request, when every one has the form the lookup answers for.
void KeepWalkTokens(const LedgerServices& services, CompanyContext& company,
                    LoadedSelection* selection) {
  const Settings& settings = services.settings;
  EntitiesFile entities(services.records, services.companies, services.files);
  EntityResolver resolver = [&](std::string_view name, int segment) {
    return entities.LookupEntity(company, name, segment);
  };
  std::vector<std::vector<std::string>> items;
  selection->tokens_usable = false;
  if (!ExpandRequestTokens(
          selection->request.specifier, company.segment_lengths,
          {settings.account_mapping, settings.profit_center_mapping, settings.department_mapping},
          resolver, &items)) {
    return;
  }
  for (const auto& item : items) {
    for (const std::string& text : item) {
      std::optional<SelectionToken> token = ParseSelectionToken(text, company.segment_lengths);
      if (!token) return;
      selection->tokens.push_back(std::move(*token));
    }
  }
  selection->tokens_usable = true;
}

// Sets every entry's file_rank: its place among the selection's accounts in the ledger
// files' key order under each segment ordering. False when memory ran out.
bool RankInFileOrders(PreloadCache& store) {
  try {
    std::vector<std::pair<std::string, CachedAccount*>> keyed;
    keyed.reserve(store.loaded_count());
    for (int ordering = 0; ordering < 3; ++ordering) {
      keyed.clear();
      store.ForEachEntry([&](CachedAccount& entry) {
        keyed.emplace_back(ledger::OrderedAccountNumber(
                               entry.number, static_cast<ledger::SegmentOrdering>(ordering)),
                           &entry);
      });
      std::stable_sort(keyed.begin(), keyed.end(),
                       [](const auto& a, const auto& b) { return a.first < b.first; });
      for (std::size_t rank = 0; rank < keyed.size(); ++rank) {
        keyed[rank].second->file_rank[static_cast<std::size_t>(ordering)] =
            static_cast<std::uint32_t>(rank);
      }
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

}  // namespace

bool ProgressCountShown(std::uint64_t count) {
  return count < 50 || (count < 500 && count % 50 == 0) || (count < 2500 && count % 100 == 0) ||
         count % 250 == 0;
}

bool ReportProgress(PreloadProgress* progress, int id, std::uint64_t count, int no_show) {
  if (progress == nullptr) return false;
  if (no_show == 0 && progress->StopRequested()) return true;
  if (ProgressCountShown(count)) progress->Send(id, count);
  return false;
}

int DataPreLoad(const LedgerServices& services, CompanyContext& company,
                const AccountRequest& request, PreloadProgress* progress, int record_counter,
                int index_counter) {
  PreloadSettings& s = PreloadOf(company);
  const int no_show = services.settings.no_show;
  const platform::WindowId owner = progress != nullptr ? progress->window() : platform::kNoWindow;

  // Step 1: what to load.
  if (!s.load_this_year && !s.load_last_year) {
    if (!s.load_budget) return kPreloadFailed;
    s.load_this_year = true;
  }
  // Step 2: the segments.
  const SegmentLayout layout = SegmentLayout::FromCompanyLengths(company.segment_lengths);
  s.segment_count = layout.count;
  s.segment_lengths.fill(0);
  for (int i = 0; i < 3; ++i)
    s.segment_lengths[static_cast<std::size_t>(i)] =
        company.segment_lengths[static_cast<std::size_t>(i)];
  s.ordering_count = std::min(layout.count, kOrderingCount);

  // Step 3: the selection to fill.
  auto same_request = [&](const LoadedSelection& c) {
    return c.request.budget == request.budget && c.request.specifier == request.specifier &&
           c.request.revision == request.revision && c.request.year == request.year &&
           (!s.load_this_year || c.store.has_this_year) &&
           (!s.load_last_year || c.store.has_last_year);
  };
  auto it = std::find_if(s.caches.begin(), s.caches.end(), same_request);
  if (it == s.caches.end()) {
    s.caches.emplace_front();
    it = s.caches.begin();
  }
  LoadedSelection& selection = *it;
  selection.store.Reset(layout);
  selection.admitted.clear();  // it points into the store just freed
  selection.admitted_count = 0;
  selection.tokens.clear();
  selection.letters = {};
  selection.request = request;
  selection.store.has_this_year = s.load_this_year;
  selection.store.has_last_year = s.load_last_year && !request.budget;
  selection.prior_year = LeadingInt(company.fiscal_year) > LeadingInt(request.year);
  s.current_request = &selection.request;

  auto drop_selection = [&] {
    if (s.current_request == &selection.request) s.current_request = nullptr;
    s.caches.erase(it);
  };
  auto finish = [&](int result) {
    if (result == kPreloadCancelled) {
      if (progress != nullptr) {
        progress->Send(record_counter, 0);
        progress->Send(index_counter, 0);
      }
      drop_selection();
      return kPreloadCancelled;
    }
    if (result != kPreloadDone) {
      if (progress != nullptr) {
        services.messages.MessageBoxById(owner, kPreloadFailedMessage, kCaption,
                                         platform::box::kIconInformation);
        progress->Send(record_counter, 0);
        progress->Send(index_counter, 0);
      }
      UnloadCompany(s);
      ResetPreload(company);
      return result;
    }
    s.loaded = true;
    return kPreloadDone;
  };

  // Step 4: the files.
  for (const PreloadFile& file : kPreloadFiles) {
    if (company.files[FindLedgerFile(file.index)->slot].open) continue;
    if (services.companies.OpenLedgerFile(company, file.index) != 0) {
      services.errors.SetError(kCantOpenFile, file.detail);
      return finish(kPreloadCantOpen);
    }
  }

  // Step 5: the pieces, as the template expansion yields them.
  {
    ErrorReporter scratch;
    std::vector<std::string> pieces;
    const Settings& st = services.settings;
    ExpandAccountTemplate(request.specifier, company.segment_lengths,
                          {st.account_mapping, st.profit_center_mapping, st.department_mapping},
                          pieces, scratch);
    for (std::string& piece : pieces) selection.store.AddPiece(std::move(piece));
  }
  KeepWalkTokens(services, company, &selection);

  // Step 6: the walk.
  AccountIteration iteration(services);
  const LoadYears years(request);
  std::uint64_t count = 0;
  int walk = iteration.First(request, company, kIterateChart, true);
  while (walk == kIterationRecord) {
    const std::string_view record = iteration.record();
    ledger::AccountRecordView account(std::span<const char>(record.data(), record.size()));
    const std::string number(account.account_number());
    AccountRows rows;
    if (!ReadAccountRows(services, company, request, years, s, selection.prior_year, number, &rows))
      return finish(kPreloadFailed);
    const int kind = account.type() == "B" ? 2 : 1;
    int added = selection.store.AddAccount(number, kind, rows.row0,
                                           selection.store.has_last_year ? &rows.row1 : nullptr);
    if (added != kStoreOk) return finish(kPreloadFailed);
    CachedAccount* entry = selection.store.LastAdded();
    entry->number = number;
    entry->description =
        std::string(TrimTrailingBlanks(CutTo(account.description(), kDescriptionWidth)));
    entry->has_record = rows.has_record;
    for (int i = 0; i < 3; ++i) {
      if (HasLetter(std::string_view(number).substr(8 * static_cast<std::size_t>(i), 8)))
        selection.letters[static_cast<std::size_t>(i)] = true;
    }
    ++count;
    if (ReportProgress(progress, record_counter, count, no_show)) return finish(kPreloadCancelled);
    walk = iteration.Next();
  }
  if (progress != nullptr) progress->Send(record_counter, count);
  if (walk == kIterationStopped) return finish(kPreloadCancelled);
  if (count == 0 && (walk == kIterationEnd || walk == kNoMatchingAccounts)) {
    // Step 7: nothing found.
    services.errors.Clear();
    services.messages.MessageBoxById(owner, kNoRecordsMessage, kCaption,
                                     platform::box::kIconInformation);
    drop_selection();
    return kPreloadCancelled;
  }
  // A walk that ended before its end left accounts out: the selection would claim them.
  if (walk != kIterationEnd) return finish(kPreloadFailed);

  // Steps 8 and 9: the orderings.
  const int built = selection.store.BuildOrderings([&](OrderingEvent event, std::uint64_t n) {
    switch (event) {
      case OrderingEvent::kFillStep:
      case OrderingEvent::kSortStep:
        return ReportProgress(progress, index_counter, n, no_show);
      case OrderingEvent::kFillDone:
      case OrderingEvent::kSortStart:
      case OrderingEvent::kSortDone:
        if (progress != nullptr) progress->Send(index_counter, n);
        return false;
    }
    return false;
  });
  if (built == kStoreCancelled) return finish(kPreloadCancelled);
  if (built != kStoreOk) return finish(kPreloadFailed);
  // Two accounts with one key (a numeric code wider than its segment) cannot both be
  // found by a seek.
  if (selection.store.count() != selection.store.loaded_count()) return finish(kPreloadFailed);
  if (!RankInFileOrders(selection.store)) return finish(kPreloadFailed);
  return finish(kPreloadDone);
}

}  // namespace r7::preload
