// Codes 103, 114 and 116: the account description, the segment description and account
// information by keyword. (platform-independent)
#include <array>

#include "base/error_codes.h"
#include "common/text_util.h"
#include "host/driver.h"
#include "host/field_splitter.h"
#include "host/worksheet_functions.h"
#include "host/worksheet_support.h"
#include "ledger/account_info.h"

namespace r7 {
namespace {

struct AccountKeyword {
  std::string_view keyword;
  std::size_t compared;  // leading characters compared without regard to case
  int item;
};

// Tried in this order: TYPICAL BALANCE on four characters comes before TYPE, so "TYP" and
// "TYPE" fall through to the type code.
constexpr std::array<AccountKeyword, 5> kAccountKeywords = {
    {{"DESCRIPTION", 3, kAccountDescription},
     {"TYPICAL BALANCE", 4, kAccountTypical},
     {"CONSOLIDATION", 3, kAccountConsolidation},
     {"SAF", 3, kAccountSaf},
     {"TYPE", 3, kAccountType}}};

// The result when the company argument failed its check.
void TakeCompanyError(Driver& driver, std::string& result) {
  if (!driver.errors().TakeError(&result)) result = "ERR";
}

}  // namespace

int AccountDescriptionFunction(Driver& driver, std::string_view argument, std::string& result) {
  SplitFields split = SplitArgumentText(argument, 1, 4);
  if (split.status != 0) {
    driver.FinishWithError(split.status, result);
    return 0;
  }
  const Settings& settings = driver.settings();
  AccountRequest request =
      MakeAccountRequest(split.fields[0], FieldOr(split.fields[2], settings.current_year),
                         FieldOr(split.fields[3], settings.revision));
  std::optional<std::string> company = SingleCompanyField(driver, split.fields[1]);
  if (!company) {
    TakeCompanyError(driver, result);
    return 0;
  }
  std::string answer;
  int status =
      AccountInfo(answer, driver.ledger_services(), *company, request, kAccountDescription);
  if (status == 0) {
    result = CutTo(answer, 30);
    return 0;
  }
  // Unlike the balance functions, no match here shows its message, not the no-data result.
  driver.errors().SetError(status);
  if (!driver.errors().TakeError(&result)) result = "ERR";
  return 0;
}

int AccountInformationFunction(Driver& driver, std::string_view argument, std::string& result) {
  SplitFields split = SplitArgumentText(argument, 2, 3);
  if (split.status != 0) {
    result = "ERR";
    return 0;
  }
  const std::string& keyword = split.fields[0];
  const AccountKeyword* found = nullptr;
  for (const AccountKeyword& entry : kAccountKeywords) {
    if (KeywordMatches(keyword, entry.keyword, entry.compared)) {
      found = &entry;
      break;
    }
  }
  if (found == nullptr) {
    driver.errors().SetError(kNotSupported, keyword);
    driver.errors().TakeError(&result);
    return kNotSupported;
  }
  std::optional<std::string> company = SingleCompanyField(driver, split.fields[2]);
  if (!company) {
    TakeCompanyError(driver, result);
    return 0;
  }
  const Settings& settings = driver.settings();
  AccountRequest request =
      MakeAccountRequest(split.fields[1], settings.current_year, settings.revision);
  std::string answer;
  int status = AccountInfo(answer, driver.ledger_services(), *company, request, found->item);
  if (status == 0) {
    result = CutTo(answer, 30);
  } else if (!driver.errors().TakeError(&result)) {
    result = "ERR";
  }
  return 0;
}

int SegmentDescriptionFunction(Driver& driver, std::string_view argument, std::string& result) {
  SplitFields split = SplitArgumentText(argument, 1, 3);
  if (split.status != 0) {
    driver.FinishWithError(split.status, result);
    return split.status;
  }
  std::string account = split.fields[0].substr(0, split.fields[0].find(','));
  std::optional<std::string> company = SingleCompanyField(driver, split.fields[2]);
  if (!company) {
    TakeCompanyError(driver, result);
    return kAlreadyReported;
  }
  const Settings& settings = driver.settings();
  int segment = LeadingInt(split.fields[1]);
  AccountRequest request = MakeAccountRequest(account, settings.current_year, settings.revision);
  std::string answer;
  int status =
      SegmentDescription(answer, driver.ledger_services(), account, segment, *company, request);
  if (status == 0) {
    result = answer;
    return 0;
  }
  driver.errors().SetError(status, account);
  result = driver.errors().text();  // stays pending
  return status;
}

}  // namespace r7
