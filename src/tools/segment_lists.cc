// The segments of a company and the distinct values of each. (platform-independent)
#include "tools/segment_lists.h"

#include <set>

#include "base/error_codes.h"
#include "ledger/account_info.h"
#include "ledger/balance_engine.h"
#include "ledger/entities_file.h"
#include "specifiers/account_number_text.h"
#include "specifiers/account_specifier.h"
#include "specifiers/period_parser.h"

namespace r7::segment_lists {
namespace {

constexpr std::size_t kProgressStep = 256;

}  // namespace

std::vector<int> SegmentFields(const CompanyContext& company) {
  std::vector<int> fields = {0};
  for (int field = 1; field < kSegmentCount; ++field) {
    if (company.segment_lengths[static_cast<std::size_t>(field)] != 0) fields.push_back(field);
  }
  return fields;
}

std::string SegmentTitle(const ToolContext& context, const CompanyContext& company, int field) {
  std::string title;
  const LedgerServices services = context.ledger(platform::kNoWindow);
  if (SegmentDescription(title, services, "", field + 1, company.code, AccountRequest{}) != 0) {
    title = "Segment " + std::to_string(field + 1);
  }
  return title;
}

Collection Collect(const ToolContext& context, CompanyContext& company, std::string_view specifier,
                   platform::WindowId window, const Progress& progress) {
  const std::vector<int> fields = SegmentFields(company);
  std::array<std::set<std::string>, kListSegmentSlots> found;
  std::size_t accounts = 0;
  context.segment_collector = [&](std::string_view account_number) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      const std::size_t field = static_cast<std::size_t>(fields[i]);
      found[i].emplace(
          DisplaySegment(account_number.substr(field * kSegmentFieldWidth, kSegmentFieldWidth),
                         company.segment_lengths[field]));
    }
    if (++accounts % kProgressStep == 0 && progress) progress(accounts);
  };
  static constexpr std::string_view kMonth = "month";
  PeriodList periods;
  ParsePeriodSpecifier(kMonth, &periods);
  AccountRequest request = MakeAccountRequest(specifier, company.fiscal_year,
                                              context.settings.revision, kRangeAllSegments);
  const LedgerServices services = context.ledger(window);
  double total = 0;
  Collection collection;
  collection.status =
      ComputeBalance(&total, context.balance(services), company.code, request, periods);
  context.segment_collector = nullptr;
  context.errors.Clear();  // the collection's own messages are not the user's business
  for (std::size_t i = 0; i < fields.size(); ++i) {
    collection.values[i].assign(found[i].begin(), found[i].end());
  }
  return collection;
}

int FillCaches(const ToolContext& context, CompanyContext& company, platform::WindowId window,
               const Progress& progress) {
  ListCaches& caches = context.lists;
  if (caches.company != company.code) {
    caches.Reset();  // another company's lists say nothing of this one
    caches.company = company.code;
  }
  if (caches.valid) return 0;
  const bool with_descriptions = context.settings.list_generate_descriptions != 0;
  const std::vector<int> fields = SegmentFields(company);
  caches.values = {};
  caches.descriptions = {};
  const LedgerServices services = context.ledger(window);
  if (context.settings.lists_use_entities_file != 0) {
    EntitiesFile entities(services.records, services.companies, services.files);
    entities.Open(company);
    for (std::size_t i = 0; i < fields.size(); ++i) {
      EntityLists lists = entities.ListEntityRecords(company, fields[i] + 1,
                                                     EntityListMode::kValues, with_descriptions);
      caches.values[i] = std::move(lists.main);
      if (with_descriptions) caches.descriptions[i] = std::move(lists.second);
    }
    caches.valid = true;
    return 0;
  }
  Collection collection =
      Collect(context, company, AllAccountsSpecifier(company.segment_count), window, progress);
  if (collection.status != 0 && collection.status != kNoMatchingAccounts) return collection.status;
  caches.values = std::move(collection.values);
  if (with_descriptions) {
    const AccountRequest request =
        MakeAccountRequest("", company.fiscal_year, context.settings.revision);
    for (std::size_t i = 0; i < fields.size(); ++i) {
      for (const std::string& value : caches.values[i]) {
        // A stop ends this segment's descriptions; the next segments are described still.
        if (context.settings.no_show == 0 && context.messages.AbortCheck(window)) break;
        std::string description;
        if (SegmentDescription(description, services, value, fields[i] + 1, company.code,
                               request) != 0) {
          description.clear();
        }
        context.errors.Clear();
        caches.descriptions[i].push_back(std::move(description));
      }
      caches.descriptions[i].resize(caches.values[i].size());
    }
  }
  caches.valid = true;
  return 0;
}

}  // namespace r7::segment_lists
