// The period phrase: the record each phrase makes, the errors it raises and its limits.
#include "specifiers/period_parser.h"

#include <gtest/gtest.h>

#include <string>

#include "base/error_codes.h"
#include "base/error_reporter.h"

namespace r7 {
namespace {

// A phrase the parser takes, and the record it makes of it.
struct Accepted {
  std::string phrase;
  std::uint32_t flags;
  int number = 0;
  std::uint32_t sign = 0;
};

// A phrase the parser refuses, with the error and its detail.
struct Refused {
  std::string phrase;
  int code;
  std::string detail = "";
};

void Expect(const Accepted& c) {
  PeriodSpec spec;
  const PeriodParseResult r = ParsePeriodItem(c.phrase, &spec);
  EXPECT_EQ(r.code, kOk) << "'" << c.phrase << "'";
  EXPECT_EQ(r.detail, "") << "'" << c.phrase << "'";
  if (r.ok()) {
    EXPECT_EQ(spec.flags, c.flags) << "'" << c.phrase << "' flags 0x" << std::hex << spec.flags;
    EXPECT_EQ(spec.number, c.number) << "'" << c.phrase << "'";
    EXPECT_EQ(spec.sign, c.sign) << "'" << c.phrase << "'";
  }
}

void Expect(const Refused& c) {
  PeriodSpec spec;
  const PeriodParseResult r = ParsePeriodItem(c.phrase, &spec);
  EXPECT_EQ(r.code, c.code) << "'" << c.phrase << "'";
  EXPECT_EQ(r.detail, c.detail) << "'" << c.phrase << "'";
}

TEST(PeriodParserTest, TheDocumentedPhrases) {
  const Accepted accepted[] = {
      // clang-format off
      {"Month", 0x0001},                             {"Month 3", 0x0021, 3},
      {"3 Months Ago", 0x0011, 3},                   {"3 Months", 0x0011, 3},
      {"Last Month", 0x0011, 1},                     {"Prior Month", 0x0011, 1},
      {"5", 0x0020, 5},                              {"March", 0x4020, 3},
      {"Mar", 0x4020, 3},                            {"Quarter 2", 0x0022, 2},
      {"Q 2", 0x0022, 2},                            {"Last Quarter", 0x0012, 1},
      {"Year", 0x0004},                              {"YTD", 0x0004},
      {"Year To Date", 0x0004},                      {"Last Year", 0x0044},
      {"3 Years Ago", 0x00C4},                       {"Month Last Year", 0x0041},
      {"Last Year Month 3", 0x0061, 3},              {"Month Year To Date", 0x0401},
      {"Month 3 Ytd Last Year", 0x0461, 3},          {"Year 3", 0x0420, 3},
      {"Year to date Month 1 Change", 0x0429, 1},    {"Half Year", 0x0003},
      {"Semi Annually", 0x0003},                     {"Half Year To Date", 0x0003},
      {"Opening Balance Month 3 Budget", 0x0321, 3}, {"Starting Transactions Month", 0x0109},
      {"Running", 0x0800},                           {"Run", 0x0800},
      {"Running Quarter", 0x1000},                   {"Last Running Quarter", 0x1000, 1},
      {"12 Running Months", 0x0800, 12},             {"Running Year", 0x2000},
      {"Month 3 Debits", 0x0021, 3, 1},              {"Quarter 2 Credits Debits", 0x0022, 2, 1},
      {"-", 0x0000},
      // clang-format on
  };
  const Refused refused[] = {
      // clang-format off
      {"Q2", kInvalidPeriodSpecifier, "Q2"},
      {"5 Years", kSpecialError, "Invalid year parameter"},
      {"Running Balances", kRunningAndBalance}, {"Balances Running", kRunningAndBalance},
      {"Actual Budgeted", kActualAndBudgeted},  {"Month Quarter", kConflictingPeriodTypes},
      {"Monthly", kInvalidPeriodSpecifier, "Monthly"},
      {"0", kInvalidPeriodSpecifier, "0"},      {"61", kInvalidPeriodSpecifier, "61"},
      {"01", kInvalidPeriodSpecifier, "01"},
      // clang-format on
  };
  for (const Accepted& c : accepted) Expect(c);
  for (const Refused& c : refused) Expect(c);
}

TEST(PeriodParserTest, CombinationsAndConflictsOfOurOwn) {
  const Accepted accepted[] = {
      // clang-format off
      // Separators of every kind split words; case does not matter.
      {"month/3", 0x0021, 3},  {"MONTH-3", 0x0021, 3},          {"Month:3", 0x0021, 3},
      {"Month\t3", 0x0021, 3}, {"Month\\3;Budget.", 0x0221, 3}, {"  Month   3  ", 0x0021, 3},
      {"", 0x0000},            {"/-:.\t", 0x0000},
      // Numbers: alone they are periods; "1" to "6" are exact, "7" to "60" from the table.
      {"1", 0x0020, 1},                    {"6", 0x0020, 6},
      {"60", 0x0020, 60},                  {"Month 60", 0x0021, 60},
      {"Quarter 4 Last Year", 0x0062, 4},  {"2 Quarters Ago", 0x0012, 2},
      {"Last Half Year", 0x0013, 1},       {"Half Year 2", 0x0023, 2},
      {"Half Year Year", 0x0403},  // only the first year word is absorbed
      {"Half Year Last Year", 0x0043},     {"This Quarter", 0x0002},
      {"Current Period", 0x0000},          {"Periods 4", 0x0020, 4},
      {"December Last Year", 0x4060, 12},  {"Running Half Year", 0x1800},
      {"Running Semi Annually", 0x1800},   {"2 Running Quarters", 0x1000, 2},
      {"Running Periods", 0x0800},         {"Running Transactions", 0x0808},
      {"Closing Balance Quarter 1 Actual", 0x0022, 1},
      {"Net Change For The Year", 0x000C}, {"Credits", 0x0000, 0, 2},
      {"Debits Credits", 0x0000, 0, 2},
      {"Running Running Quarter", 0x0802},  // the second RUNNING is taken
      // clang-format on
  };
  const Refused refused[] = {
      // clang-format off
      // Conflicts, each with its own message.
      {"Month Year To Date Ytd Year", kInvalidYearKeyword},
      {"Last Year Last Year", kInvalidYearKeyword}, {"Change Balance", kTransactionsAndBalance},
      {"Transactions Changes", kTransactionsAndBalance},
      {"Month 3 5", kConflictingPeriodTypes2},
      {"Running Month Running Quarter", kConflictingPeriodTypes2},
      {"Opening Closing", kEndingAndStarting},      {"Ending Beginning", kEndingAndStarting},
      {"Actual Actual", kActualAndBudgeted},        {"March April", kConflictingPeriodTypes},
      {"4 Years Ago", kSpecialError, "Invalid year parameter"},
      {"Month Q2", kInvalidPeriodSpecifier, "Q2"},
      {"Month Whenever", kInvalidPeriodSpecifier, "Whenever"},
      // clang-format on
  };
  for (const Accepted& c : accepted) Expect(c);
  for (const Refused& c : refused) Expect(c);
}

TEST(PeriodParserTest, AbbreviationsThatWorkAndThoseThatAreAmbiguous) {
  const Accepted accepted[] = {
      // clang-format off
      {"MO", 0x0001},         {"MAR", 0x4020, 3},       {"JUN", 0x4020, 6},
      {"QTR", 0x0002},        {"HALF", 0x0003},         {"SEMI", 0x0003},
      {"YR", 0x0004},         {"Q", 0x0002},            {"Y", 0x0004},
      {"OPEN Month", 0x0101}, {"CHANGE Month", 0x0009}, {"TRANS Month", 0x0009},
      {"BUD", 0x0200},        {"ACT Month", 0x0001},    {"PREV Month", 0x0011, 1},
      {"RUN", 0x0800},        {"TH Month", 0x0001},     {"TO Month", 0x0001},
      // clang-format on
  };
  for (const Accepted& c : accepted) Expect(c);
  for (const char* word : {"M", "MA", "J", "JU", "A", "B", "BE", "C", "D", "DE", "F", "N", "O", "P",
                           "PR", "PRE", "S", "T"}) {
    Expect(Refused{word, kAmbiguousPeriodSpecifier, word});
    Expect(Refused{std::string("Month ") + word, kAmbiguousPeriodSpecifier, word});
  }
}

std::string Words(const std::string& word, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += (i ? " " : "") + word;
  return text;
}

TEST(PeriodParserTest, APhraseHoldsEightyWordsWithinFiveHundredElevenCharacters) {
  Expect(Accepted{"Month " + Words("the", 79), 0x0001});
  Expect(Refused{"Month " + Words("the", 79) + " For", kInvalidPeriodSpecifier, "For"});
  // The limit is met while the words are read, before any of them is combined.
  Expect(Refused{Words("Month", 200), kInvalidPeriodSpecifier, "Month"});
  Expect(Refused{Words("Month", 2), kConflictingPeriodTypes});
  // A word past the 511th character is refused.
  PeriodSpec spec;
  const std::string fits = "Month" + std::string(502, ' ') + "Qtr";  // ends at 510
  EXPECT_EQ(ParsePeriodItem(fits, &spec).code, kConflictingPeriodTypes);
  const std::string long_phrase = "Month" + std::string(503, ' ') + "Budget";
  const PeriodParseResult r = ParsePeriodItem(long_phrase, &spec);
  EXPECT_EQ(r.code, kInvalidPeriodSpecifier);
  EXPECT_EQ(r.detail, "Budget");
  // Blanks alone past the limit are harmless.
  EXPECT_TRUE(ParsePeriodItem("Month" + std::string(900, ' '), &spec).ok());
  // An over-long word comes back whole within the detail capacity.
  const PeriodParseResult longword = ParsePeriodItem(std::string(2000, 'x'), &spec);
  EXPECT_EQ(longword.code, kInvalidPeriodSpecifier);
  EXPECT_EQ(longword.detail.size(), kMaxPhraseText);
}

TEST(PeriodParserTest, NothingCarriesFromOnePhraseToTheNextAndTheErrorReadsAsShown) {
  PeriodSpec spec;
  ASSERT_FALSE(ParsePeriodItem("Month Quarter", &spec).ok());
  ASSERT_TRUE(ParsePeriodItem("Month 3 Debits", &spec).ok());
  ASSERT_TRUE(ParsePeriodItem("Year", &spec).ok());
  EXPECT_EQ(spec.flags, 0x0004u);
  EXPECT_EQ(spec.number, 0);
  EXPECT_EQ(spec.sign, 0u);
  // The error reads as the user sees it.
  const PeriodParseResult r = ParsePeriodItem("Month Monthly", &spec);
  ErrorReporter errors;
  errors.SetError(r.code, r.detail);
  EXPECT_EQ(errors.text(), "R7 [Tessary] Invalid period specifier - Monthly");
}

}  // namespace
}  // namespace r7
