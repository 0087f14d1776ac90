// The account-usage report of code 12. (platform-independent)
#include "host/usage_report.h"

#include "base/clipboard_text.h"
#include "base/string_table.h"
#include "ledger/account_iteration.h"
#include "ledger/used_accounts.h"
#include "specifiers/account_number_text.h"
#include "specifiers/account_specifier.h"

namespace r7 {
namespace {

constexpr int kUnusedHeading = 140;
constexpr int kUsedHeading = 141;
constexpr int kFromWord = 142;
constexpr int kToWord = 143;

void WriteRun(ClipboardText& out, const std::string& first, const std::string& last) {
  out.Append(StringText(kFromWord), Ending::kTab);
  out.Append(first, Ending::kTab, Label::kYes);
  out.Append(StringText(kToWord), Ending::kTab);
  out.Append(last, Ending::kLineEnd, Label::kYes);
}

// The runs of consecutive accounts of the chart, in key order, that are not in the list.
void WriteUnusedRuns(ClipboardText& out, const LedgerServices& services, CompanyContext& company) {
  AccountRequest request = MakeAccountRequest(AllAccountsSpecifier(company.segment_count), "", "");
  AccountIteration iteration(services);
  std::string first;
  std::string last;
  for (int result = iteration.First(request, company, kIterateChart, true);
       result == kIterationRecord; result = iteration.Next()) {
    std::string account =
        DisplayAccount(iteration.record().substr(0, kAccountNumberWidth), company.segment_lengths);
    if (FindUsedAccount(company.used_accounts, account) != nullptr) {
      if (!first.empty()) WriteRun(out, first, last);
      first.clear();
      continue;
    }
    if (first.empty()) first = account;
    last = std::move(account);
  }
  if (!first.empty()) WriteRun(out, first, last);
}

}  // namespace

std::string BuildUsageReport(const LedgerServices& services) {
  ClipboardText out;
  for (const auto& loaded : services.companies.companies()) {
    CompanyContext& company = *loaded;
    if (company.status != 0 || company.used_accounts.empty()) continue;
    out.Append(company.name.substr(0, company.name.find_last_not_of(' ') + 1), Ending::kTab);
    out.Append(StringText(kUnusedHeading), Ending::kLineEnd);
    out.EndLine();
    WriteUnusedRuns(out, services, company);
    out.EndLine();
    out.Append(StringText(kUsedHeading), Ending::kLineEnd);
    out.EndLine();
    for (const UsedAccount& used : company.used_accounts) {
      out.Append(used.account, Ending::kTab, Label::kYes);
      out.Append(used.description, Ending::kTab);
      out.Append(std::to_string(used.uses), Ending::kLineEnd);
    }
    company.used_accounts.clear();
  }
  // The walks may have raised messages (a chart without accounts); the report has no cell
  // to show them in.
  services.errors.Clear();
  return out.text();
}

void WriteUsageReport(const LedgerServices& services, platform::Clipboard& clipboard) {
  clipboard.Clear();
  std::string report = BuildUsageReport(services);
  clipboard.SetText(report);
}

}  // namespace r7
