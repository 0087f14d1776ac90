// The balance engine's preload lookup. (platform-independent)
#include "preload/cache_lookup.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "common/text_util.h"
#include "ledger/account_number.h"
#include "ledger/company_periods.h"
#include "ledger/entities_file.h"
#include "ledger/pass_plan.h"
#include "ledger/used_accounts.h"
#include "preload/preload_settings.h"

namespace r7::preload {
namespace {

int RowOf(const Pass& pass) {
  return pass.load_code == kLoadLastYear ? kLastYearRow : kThisYearRow;
}

// The key order in which the file path scans a token's records in a pass's file.
ledger::SegmentOrdering ScanOrdering(const SelectionToken& token, int file_number,
                                     const CompanyContext& company) {
  using ledger::SegmentOrdering;
  LedgerSlot slot = kBalanceSlot;
  int16_t full = 3;
  if (file_number == kIterateBudgets) {
    slot = kBudgetSlot;
    full = 4;
  } else if (file_number == kIteratePriorComparatives || file_number == kIterateComparatives) {
    slot = kComparativeSlot;
    full = 4;
  }
  if (company.files[slot].key_count < full) return SegmentOrdering::kMainFirst;
  const auto& s = token.token.segments;
  const auto& lengths = company.segment_lengths;
  if (s[0].kind == r7::SegmentKind::kExact) return SegmentOrdering::kMainFirst;
  if (s[1].kind == r7::SegmentKind::kExact && lengths[1] != 0)
    return SegmentOrdering::kProfitCenterFirst;
  if (s[2].kind == r7::SegmentKind::kExact && lengths[2] != 0)
    return SegmentOrdering::kDepartmentFirst;
  return SegmentOrdering::kMainFirst;
}

// Every entry of `selection` the token admits, in store order; sets the current ordering
// to the one the scan uses.
std::vector<const CachedAccount*> ScanAdmitted(LoadedSelection& selection,
                                               const SelectionToken& token,
                                               const CompanyContext& company, int* ordering) {
  std::vector<const CachedAccount*> found;
  PreloadCache& store = selection.store;
  const auto& lengths = company.segment_lengths;
  *ordering = 0;
  if (AdmitsEverything(token, lengths)) return store.order(0);
  if (SeekableToken(token, lengths, selection.letters)) {
    const std::string piece = StorePieceText(token, lengths);
    RangeDescriptor descriptor = ParsePiece(piece, store.layout());
    if (descriptor.usable) {
      *ordering = ChooseOrdering(piece, store.layout());
      int status = store.Seek(descriptor, *ordering);
      while (status == kSeekEqual || status == kSeekGreater) {
        const CachedAccount* entry = store.current();
        if (store.BeyondHigh(*entry, descriptor)) break;
        if (TokenAdmits(token, entry->number, lengths)) found.push_back(entry);
        status = store.Step();
      }
      return found;
    }
  }
  for (const CachedAccount* entry : store.order(0)) {
    if (TokenAdmits(token, entry->number, lengths)) found.push_back(entry);
  }
  return found;
}

// The entries the token admits, from the selection's memory of earlier scans when it has
// them: a built selection never changes, and a worksheet asks for the same rows column
// after column. The reference stays valid until the next ForgetAdmittedIfFull.
AdmittedAccounts& Admitted(LoadedSelection& selection, const SelectionToken& token,
                           const CompanyContext& company, PreloadSettings& s) {
  auto found = selection.admitted.find(token.text);
  if (found == selection.admitted.end()) {
    AdmittedAccounts scanned;
    scanned.entries = ScanAdmitted(selection, token, company, &scanned.ordering);
    selection.admitted_count += scanned.entries.size();
    found = selection.admitted.emplace(token.text, std::move(scanned)).first;
  }
  s.current_ordering = found->second.ordering;
  return found->second;
}

// The admitted entries in the key order of the ledger files' `ordering`, as the file path's
// scan of that key reads them; sorted once and remembered beside the entries.
const std::vector<const CachedAccount*>& InFileOrder(AdmittedAccounts& admitted,
                                                     std::size_t ordering,
                                                     LoadedSelection& selection) {
  auto& sorted = admitted.in_file_order[ordering];
  if (sorted.empty() && !admitted.entries.empty()) {
    sorted = admitted.entries;
    std::sort(sorted.begin(), sorted.end(),
              [ordering](const CachedAccount* a, const CachedAccount* b) {
                return a->file_rank[ordering] < b->file_rank[ordering];
              });
    selection.admitted_count += sorted.size();
  }
  return sorted;
}

// Bounds the memory of scans: past the limit it starts again empty. Called before a
// lookup takes references into it.
void ForgetAdmittedIfFull(LoadedSelection& selection) {
  if (selection.admitted_count >
      kMaxRememberedAdmissionsPerAccount * selection.store.count() + kMaxRememberedAdmissionsBase) {
    selection.admitted.clear();
    selection.admitted_count = 0;
  }
}

// Puts the figures of `entry` that `pass` loads where FillAmountTable reads them for the
// pass; the other figures of `records` are left as they are, since the pass never reads them.
void LoadPassFigures(const CachedAccount& entry, const Pass& pass, bool prior_year,
                     LoadedRecords* records) {
  PeriodFigures* figures = &records->this_year;
  switch (pass.load_code) {
    case kLoadLastYear:
      figures = &records->last_year;
      break;
    case kLoadBudget:
      figures = &records->budget;
      break;
    default:
      if (prior_year) figures = &records->alternative;
      break;
  }
  std::array<double, kLoadedRowAmounts> row{};
  const std::size_t index = static_cast<std::size_t>(RowOf(pass));
  if (index < entry.rows.size()) ExpandLeading(entry.rows[index], row);
  figures->opening = row[0];
  for (std::size_t p = 0; p < kPeriodFigureCount; ++p) figures->periods[p] = row[p + 1];
}

}  // namespace

const ExpandedTokens* CacheLookup::Expansion(CompanyContext& company, std::string_view specifier) {
  PreloadSettings& s = *PreloadIfAny(company);
  const Settings& st = services_.settings;
  const SegmentMappings mappings{st.account_mapping, st.profit_center_mapping,
                                 st.department_mapping};
  // The mappings change what a specifier selects, so they are part of the key.
  std::string key;
  for (int mapping : mappings) key += std::to_string(mapping) + ',';
  key += specifier;
  if (auto found = s.expansions.find(key); found != s.expansions.end()) {
    return found->second ? &*found->second : nullptr;
  }
  if (s.expansions.size() >= kMaxRememberedExpansions) s.expansions.clear();

  std::optional<ExpandedTokens> result;
  EntitiesFile entities(services_.records, services_.companies, services_.files);
  EntityResolver resolver = [&](std::string_view name, int segment) {
    return entities.LookupEntity(company, name, segment);
  };
  std::vector<std::vector<std::string>> texts;
  if (ExpandRequestTokens(specifier, company.segment_lengths, mappings, resolver, &texts) &&
      !texts.empty()) {
    result.emplace();
    for (const auto& item : texts) {
      result->emplace_back();
      for (const std::string& text : item) {
        std::optional<SelectionToken> token = ParseSelectionToken(text, company.segment_lengths);
        if (!token) {
          result.reset();
          break;
        }
        result->back().push_back(std::move(*token));
      }
      if (!result) break;
    }
  }
  auto [at, inserted] = s.expansions.emplace(std::move(key), std::move(result));
  return at->second ? &*at->second : nullptr;
}

int CacheLookup::Lookup(CompanyContext& company, const AccountRequest& request,
                        const PeriodList& periods, AmountTable* table, int* kind) {
  if (kind != nullptr) *kind = -1;
  PreloadSettings* loaded = PreloadIfAny(company);
  if (loaded == nullptr || !loaded->loaded) return Decline();
  PreloadSettings& s = *loaded;
  if (request.range_type != kRangeAllSegments) return Decline();

  const int fiscal_year = LeadingInt(company.fiscal_year);
  const int requested_year = LeadingInt(request.year);
  const bool prior_year = fiscal_year > requested_year;

  // The passes of every item the file path would reach, as it would make them.
  ErrorReporter scratch;
  std::vector<PassPlan> item_passes;
  std::array<bool, kRowCount> rows_needed{};
  for (const PeriodSpec& spec : periods) {
    if (spec.IsEnd()) break;
    PeriodWindow window;
    int code = WindowForCompany(spec, company, &window, scratch);
    if (!IsWindowCode(code)) break;
    const bool budget = window.budget != 0;
    if (budget != request.budget) return Decline();
    if (fiscal_year < requested_year && !budget) return Decline();
    if (code == kWindowThisYear) code = budget ? kLoadBudget : kLoadThisYear;
    const PassPlan& plan = item_passes.emplace_back(PassesFor(code, budget, prior_year));
    for (const Pass& pass : plan) rows_needed[static_cast<std::size_t>(RowOf(pass))] = true;
  }

  // The request's tokens, as the file path's iteration makes them.
  const ExpandedTokens* expanded = Expansion(company, request.specifier);
  if (expanded == nullptr) return Decline();
  const ExpandedTokens& items = *expanded;

  // The newest selection of the same figures and year that holds the rows and covers
  // every token.
  LoadedSelection* selection = nullptr;
  for (LoadedSelection& c : s.caches) {
    if (c.request.budget != request.budget || c.request.revision != request.revision ||
        c.request.year != request.year || !c.tokens_usable || c.prior_year != prior_year ||
        !c.store.built()) {
      continue;
    }
    if (rows_needed[kThisYearRow] && !c.store.has_this_year) continue;
    if (rows_needed[kLastYearRow] && !c.store.has_last_year) continue;
    bool covered = true;
    for (const auto& item : items) {
      for (const SelectionToken& token : item) {
        covered = covered && std::any_of(c.tokens.begin(), c.tokens.end(), [&](const auto& outer) {
                    return TokenCovers(outer, token, company.segment_lengths);
                  });
      }
    }
    if (covered) {
      selection = &c;
      break;
    }
  }
  if (selection == nullptr) return Decline();
  s.current_request = &selection->request;

  // The accounts of each token; every item must find accounts, and records in every file
  // a pass reads, or the file path would answer "No matching accounts found".
  ForgetAdmittedIfFull(*selection);
  std::vector<std::vector<AdmittedAccounts*>> found(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    bool any = false;
    for (const SelectionToken& token : items[i]) {
      found[i].push_back(&Admitted(*selection, token, company, s));
      any = any || !found[i].back()->entries.empty();
    }
    if (!any) return Decline();
    for (const auto& passes : item_passes) {
      for (const Pass& pass : passes) {
        const int row = RowOf(pass);
        bool has = false;
        for (const AdmittedAccounts* admitted : found[i]) {
          const auto& entries = admitted->entries;
          has = has || std::any_of(entries.begin(), entries.end(), [&](const CachedAccount* e) {
                  return e->has_record[static_cast<std::size_t>(row)];
                });
        }
        if (!has) return Decline();
      }
    }
  }

  // The kind of the first account the chart walk delivers: its first token's lowest
  // account number, which is the lowest rank in the main-first key order.
  int first_kind = kIncomeStatementAccount;
  for (AdmittedAccounts* admitted : found[0]) {
    if (admitted->entries.empty()) continue;
    const CachedAccount* first = InFileOrder(*admitted, 0, *selection).front();
    first_kind = first->kind;
    break;
  }

  // The records of every distinct pass, in the order the file path reads them: tokens in
  // order, each token's records in the order of the key its scan uses.
  struct Visit {
    Pass pass;
    std::vector<const CachedAccount*> records;
  };
  std::vector<Visit> visits;
  visits.reserve(4);  // one per ledger file a pass reads: references into it stay valid
  auto visit_of = [&](const Pass& pass) -> const Visit& {
    for (const Visit& v : visits) {
      if (v.pass.file_number == pass.file_number && v.pass.load_code == pass.load_code) return v;
    }
    Visit v{pass, {}};
    const int row = RowOf(pass);
    for (std::size_t i = 0; i < items.size(); ++i) {
      for (std::size_t t = 0; t < items[i].size(); ++t) {
        const auto ordering =
            static_cast<std::size_t>(ScanOrdering(items[i][t], pass.file_number, company));
        for (const CachedAccount* e : InFileOrder(*found[i][t], ordering, *selection)) {
          if (e->has_record[static_cast<std::size_t>(row)]) v.records.push_back(e);
        }
      }
    }
    visits.push_back(std::move(v));
    return visits.back();
  };

  ClearAmountTable(table);
  LoadedRecords records;
  for (const auto& passes : item_passes) {
    for (const Pass& pass : passes) {
      bool filled = false;
      for (const Visit& v : visits) {
        filled = filled ||
                 (v.pass.file_number == pass.file_number && v.pass.load_code == pass.load_code);
      }
      if (filled) continue;
      const Visit& v = visit_of(pass);
      for (const CachedAccount* e : v.records) {
        LoadPassFigures(*e, pass, prior_year, &records);
        FillAmountTable(records, pass.load_code, first_kind, prior_year, company.period_count,
                        table);
      }
    }
  }

  // Usage and segment values: every record of every pass of every item the file path
  // reaches before its first failing window or extraction.
  const bool tracking = usage_tracking_ && usage_tracking_();
  const bool collecting = collector_ != nullptr && *collector_;
  if (tracking || collecting) {
    std::size_t index = 0;
    for (const PeriodSpec& spec : periods) {
      if (spec.IsEnd() || index >= item_passes.size()) break;
      for (const Pass& pass : item_passes[index]) {
        for (const CachedAccount* e : visit_of(pass).records) {
          if (collecting) (*collector_)(e->number);
          if (tracking) {
            RecordAccountUse(company.used_accounts,
                             DisplayAccount(e->number, company.segment_lengths), e->description);
          }
        }
      }
      PeriodWindow window;
      WindowForCompany(spec, company, &window, scratch);
      double amount = 0;
      if (ExtractWindowAmount(window, *table, prior_year, first_kind, &amount) != 0) break;
      ++index;
    }
  }

  if (kind != nullptr) *kind = first_kind;
  ++hits_;
  return 1;
}

}  // namespace r7::preload
