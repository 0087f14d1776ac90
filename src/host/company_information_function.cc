// Code 115: company information by keyword. (platform-independent)
#include <array>

#include "base/error_codes.h"
#include "base/string_table.h"
#include "common/text_util.h"
#include "host/driver.h"
#include "host/field_splitter.h"
#include "host/worksheet_functions.h"
#include "host/worksheet_support.h"

namespace r7 {
namespace {

inline constexpr int kOriginText = 130;  // string table: the ledger's origin

struct CompanyKeyword {
  std::string_view keyword;
  int item;  // the company information item; -1 for ORIGIN, which reads no file
};

// Tried in this order, each on its first three characters.
constexpr std::array<CompanyKeyword, 8> kKeywords = {{{"NAME", 0},
                                                      {"PERIOD", 1},
                                                      {"YEAR", 6},
                                                      {"ENTITY", 7},
                                                      {"MAIN", 10},
                                                      {"TSO", 20},
                                                      {"SEGMENTS", 21},
                                                      {"ORIGIN", -1}}};

constexpr int kEntityItem = 7;
// "Start" and "End" with a period number pass the keyword step but name no item, so the
// company information answers "Function not supported" for them.
constexpr int kNoSuchItem = 2;

// "Start 3", "end13": the word, optional blanks, then a period number from 1 to 13.
bool IsPeriodBoundary(std::string_view text) {
  std::string_view rest;
  if (StartsWithIgnoreCase(text, "START")) {
    rest = text.substr(5);
  } else if (StartsWithIgnoreCase(text, "END")) {
    rest = text.substr(3);
  } else {
    return false;
  }
  rest = TrimLeadingBlanks(rest);
  if (rest.empty() || rest.size() > 2) return false;
  for (char c : rest) {
    if (c < '0' || c > '9') return false;
  }
  int period = LeadingInt(rest);
  return period >= 1 && period <= 13;
}

}  // namespace

int CompanyInformationFunction(Driver& driver, std::string_view argument, std::string& result) {
  SplitFields split = SplitArgumentText(argument, 1, 2);
  if (split.status != 0) {
    result = "ERR";
    return 0;
  }
  const std::string& keyword = split.fields[0];
  int item = kNoSuchItem;
  bool known = false;
  for (const CompanyKeyword& entry : kKeywords) {
    if (KeywordMatches(keyword, entry.keyword, 3)) {
      item = entry.item;
      known = true;
      break;
    }
  }
  if (!known && !IsPeriodBoundary(keyword)) {
    driver.errors().SetError(kNotSupported, keyword);
    driver.errors().TakeError(&result);
    return kNotSupported;
  }
  if (item == -1) {
    result = StringText(kOriginText);
    return 0;
  }

  std::string company;
  std::string entity_text;
  if (item == kEntityItem) {
    if (split.fields[1].empty()) {
      result = "ERR";
      return 0;
    }
    company = driver.settings().company;
    entity_text = split.fields[1];
  } else {
    std::optional<std::string> checked = SingleCompanyField(driver, split.fields[1]);
    if (!checked) {
      if (!driver.errors().TakeError(&result)) result = "ERR";
      return 0;
    }
    company = *checked;
  }

  std::string answer;
  int status = driver.companies().CompanyInfo(answer, company, item, entity_text);
  if (status == 0) {
    result = answer;
  } else if (status == kNoMatchingAccounts) {
    result = NoDataResult(driver.settings(), driver.errors());
  } else if (!driver.errors().TakeError(&result)) {
    result = "ERR";
  }
  return 0;
}

}  // namespace r7
