// The list builder. (platform-independent)
#include "tools/lists/list_builder.h"

#include <array>
#include <optional>

#include "base/error_codes.h"
#include "base/string_table.h"
#include "common/text_util.h"
#include "host/company_dir_list.h"
#include "ledger/account_iteration.h"
#include "ledger/ledger_records.h"
#include "specifiers/account_number_text.h"
#include "specifiers/account_specifier.h"
#include "specifiers/dates.h"

namespace r7::lists {
namespace {

enum ListIndex {
  kLists = 0,
  kAxisData,
  kAccounts,
  kBwbHeaders,
  kCompanies,
  kPeriods,
  kBudgets,
  kYears,
  kFirstSegment,  // 8 + the segment's position
};

constexpr std::array<std::string_view, kFirstSegment> kListNames = {
    "Lists", "AxisData", "Accounts", "BWB Headers", "Companies", "Periods", "Budgets", "Years"};

constexpr std::size_t kMaxRequest = 50;
constexpr int kFirstPeriodName = 6000;
constexpr int kLastPeriodName = 6999;
constexpr int kYearsListed = 10;
constexpr std::size_t kDescriptionWidth = 30;

// What a request names: a list, or a segment by its title or number.
std::optional<int> IndexOf(std::string_view name, const std::vector<std::string>& titles) {
  for (std::size_t i = 0; i < kListNames.size(); ++i) {
    if (EqualsIgnoreCase(name, kListNames[i])) return static_cast<int>(i);
  }
  for (std::size_t i = 0; i < titles.size(); ++i) {
    if (EqualsIgnoreCase(name, titles[i]) || name == std::to_string(i + 1)) {
      return kFirstSegment + static_cast<int>(i);
    }
  }
  return std::nullopt;
}

class Writer {
 public:
  Writer(ClipboardText& out, bool transpose) : out_(out), transpose_(transpose) {}

  // Entries as labels, with their descriptions when given (as many as the entries).
  void Entries(const std::vector<std::string>& entries,
               const std::vector<std::string>* descriptions = nullptr, bool transpose = false) {
    transpose = transpose || transpose_;
    const bool described = descriptions != nullptr && !descriptions->empty();
    if (transpose) {
      Row(entries, Label::kYes);
      if (described) Row(*descriptions, Label::kNo);
      return;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (described) {
        out_.Append(entries[i], Ending::kTab, Label::kYes);
        out_.Append(i < descriptions->size() ? (*descriptions)[i] : "", Ending::kLineEnd);
      } else {
        out_.Append(entries[i], Ending::kLineEnd, Label::kYes);
      }
    }
  }
  // A plain item on its own row.
  void Line(std::string_view item) { out_.Append(item, Ending::kLineEnd); }
  // Plain items that follow one another in a row when transposed (the last with a tab as
  // well), one per row otherwise.
  void Items(const std::vector<std::string>& items) {
    for (const std::string& item : items) {
      out_.Append(item, transpose_ ? Ending::kTab : Ending::kLineEnd);
    }
  }
  // A heading of a filtered list: a label that ends its row unless transposed.
  void Heading(std::string_view text) {
    out_.Append(text, transpose_ ? Ending::kTab : Ending::kLineEnd, Label::kYes);
  }

 private:
  void Row(const std::vector<std::string>& cells, Label label) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
      out_.Append(cells[i], i + 1 == cells.size() ? Ending::kLineEnd : Ending::kTab, label);
    }
  }

  ClipboardText& out_;
  bool transpose_;
};

std::vector<std::string> Numbered(int first, int last, int width) {
  std::vector<std::string> numbers;
  for (int n = first; n <= last; ++n) {
    std::string text = std::to_string(n);
    numbers.push_back(std::string(width > static_cast<int>(text.size())
                                      ? static_cast<std::size_t>(width) - text.size()
                                      : 0,
                                  '0') +
                      text);
  }
  return numbers;
}

// The accounts of the chart in key order, each "display text<TAB>description", built once
// per company; false when the walk did not reach the end.
bool ChartAccounts(const ToolContext& context, CompanyContext& company, platform::WindowId window) {
  ListCaches& caches = context.lists;
  if (caches.company != company.code) {
    caches.Reset();  // another company's lists say nothing of this one
    caches.company = company.code;
  }
  if (caches.accounts_built) return true;
  std::vector<std::string> accounts;
  const LedgerServices services = context.ledger(window);
  AccountIteration iteration(services);
  const AccountRequest request = MakeAccountRequest(AllAccountsSpecifier(company.segment_count),
                                                    company.fiscal_year, context.settings.revision);
  int result = iteration.First(request, company, kIterateChart, true);
  for (; result == kIterationRecord; result = iteration.Next()) {
    const std::string_view record = iteration.record();
    ledger::AccountRecordView account(std::span<const char>(record.data(), record.size()));
    accounts.push_back(
        DisplayAccount(record.substr(0, kAccountNumberWidth), company.segment_lengths) + "\t" +
        std::string(TrimTrailingBlanks(CutTo(account.description(), kDescriptionWidth))));
  }
  context.errors.Clear();
  if (result != kIterationEnd && result != kNoMatchingAccounts) return false;
  caches.accounts = std::move(accounts);
  caches.accounts_built = true;
  return true;
}

// The filtered segment list: for each item of `filter`, the values of the list segment of
// the accounts whose Where segment is that item; headings between them.
bool WriteFiltered(const ToolContext& context, CompanyContext& company, int list_position,
                   int where_position, std::string_view filter, platform::WindowId window,
                   const segment_lists::Progress& progress, Writer& writer) {
  const int segments = static_cast<int>(segment_lists::SegmentFields(company).size());
  while (!filter.empty()) {
    const std::size_t start = filter.find_first_not_of('+');
    if (start == std::string_view::npos) break;
    filter.remove_prefix(start);
    if (filter.front() == '#') {
      const std::size_t end = filter.find('#', 1);
      std::string heading(filter.substr(1, end == std::string_view::npos ? end : end - 1));
      std::replace(heading.begin(), heading.end(), '+', ',');
      writer.Heading(heading);
      filter = end == std::string_view::npos ? std::string_view() : filter.substr(end + 1);
      continue;
    }
    const std::size_t end = filter.find('+');
    const std::string_view item = filter.substr(0, end);
    filter = end == std::string_view::npos ? std::string_view() : filter.substr(end);
    std::string specifier;
    for (int position = 0; position < segments; ++position) {
      if (position != 0) specifier += '-';
      specifier += position == where_position ? std::string(item) : "*";
    }
    segment_lists::Collection collection =
        segment_lists::Collect(context, company, specifier, window, progress);
    if (collection.status != 0 && collection.status != kNoMatchingAccounts) return false;
    writer.Entries(collection.values[static_cast<std::size_t>(list_position)]);
  }
  return true;
}

}  // namespace

ListResult BuildList(const ToolContext& context, platform::WindowId window, ClipboardText& out,
                     const segment_lists::Progress& progress) {
  const Settings& settings = context.settings;
  std::string_view request = settings.list;
  if (request.size() > kMaxRequest) return {1, false};
  const std::size_t first = request.find(';');
  std::string name(request.substr(0, first));
  std::string where, filter;
  if (first != std::string_view::npos) {
    const std::string_view rest = request.substr(first + 1);
    const std::size_t second = rest.find(';');
    where = std::string(rest.substr(0, second));
    if (second != std::string_view::npos) filter = std::string(rest.substr(second + 1));
  }

  const LedgerServices services = context.ledger(window);
  CompanyContext* company = services.companies.FindCompany(settings.company);
  if (company == nullptr || company->status != 0) return {1, false};
  if (EqualsIgnoreCase(name, "RESET")) {
    context.lists.Reset();
    return {0, false};
  }

  const std::vector<int> fields = segment_lists::SegmentFields(*company);
  std::vector<std::string> titles;
  for (int field : fields) titles.push_back(segment_lists::SegmentTitle(context, *company, field));
  if (EqualsIgnoreCase(name, "Natural")) name = titles.front();
  if (EqualsIgnoreCase(where, "Natural")) where = titles.front();
  const std::optional<int> index = IndexOf(name, titles);
  if (!index) return {1, false};
  std::optional<int> where_index;
  if (!where.empty() && !filter.empty()) {
    where_index = IndexOf(where, titles);
    if (!where_index || *where_index < kFirstSegment) return {1, false};
  }

  Writer writer(out, settings.list_transpose != 0);
  switch (*index) {
    case kLists:
      writer.Entries({"Companies", "Periods", "Budgets", "Years"});
      for (const std::string& title : titles) writer.Line(title);
      break;
    case kAxisData:
      writer.Entries({"3", "2", "5", "4"});
      for (std::size_t i = 1; i <= titles.size(); ++i) writer.Line("-" + std::to_string(i));
      break;
    case kAccounts:
      if (!ChartAccounts(context, *company, window)) return {1, false};
      writer.Entries(context.lists.accounts);
      break;
    case kBwbHeaders: {
      std::vector<std::string> headers = {"ACCOUNT", "YEAR", "REVISION"};
      for (const std::string& number : Numbered(1, 13, 1)) headers.push_back(number);
      writer.Entries(headers, nullptr, true);
      break;
    }
    case kCompanies:
      writer.Entries(
          BuildCompanyDirList(services.files, settings.system_directory, DirListSeparator::kTab));
      break;
    case kPeriods: {
      std::vector<std::string> names;
      for (int id = kFirstPeriodName; id <= kLastPeriodName; ++id) {
        if (HasString(id)) names.emplace_back(StringText(id));
      }
      writer.Items(names);
      break;
    }
    case kBudgets:
      writer.Entries(Numbered(1, 99, 2));
      break;
    case kYears: {
      const int fiscal = LeadingInt(company->fiscal_year);
      std::vector<std::string> years;
      for (int back = 0; back < kYearsListed; ++back) years.push_back(FourDigitYear(fiscal - back));
      writer.Items(years);
      break;
    }
    default: {
      const int position = *index - kFirstSegment;
      if (where_index) {
        if (!WriteFiltered(context, *company, position, *where_index - kFirstSegment, filter,
                           window, progress, writer)) {
          return {1, false};
        }
        break;
      }
      if (segment_lists::FillCaches(context, *company, window, progress) != 0) return {1, false};
      const std::size_t slot = static_cast<std::size_t>(position);
      writer.Entries(context.lists.values[slot], &context.lists.descriptions[slot]);
      break;
    }
  }
  return {0, true};
}

}  // namespace r7::lists
