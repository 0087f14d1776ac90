#include "specifiers/period_parser.h"

#include <gtest/gtest.h>

#include <string>

#include "base/error_codes.h"
#include "base/error_reporter.h"

namespace r7 {
namespace {

struct PhraseCase {
  std::string phrase;
  int code;  // kOk or the error
  std::uint32_t flags;
  int number;
  std::uint32_t sign;
  std::string detail;
};

void ExpectPhrase(const PhraseCase& c) {
  PeriodSpec spec;
  const PeriodParseResult r = ParsePeriodItem(c.phrase, &spec);
  EXPECT_EQ(r.code, c.code) << "'" << c.phrase << "'";
  EXPECT_EQ(r.detail, c.detail) << "'" << c.phrase << "'";
  if (c.code == kOk && r.ok()) {
    EXPECT_EQ(spec.flags, c.flags) << "'" << c.phrase << "' flags 0x" << std::hex << spec.flags;
    EXPECT_EQ(spec.number, c.number) << "'" << c.phrase << "'";
    EXPECT_EQ(spec.sign, c.sign) << "'" << c.phrase << "'";
  }
}

TEST(PeriodParserTest, TheDocumentedPhrases) {
  const PhraseCase cases[] = {
      {"Month", kOk, 0x0001, 0, 0, ""},
      {"Month 3", kOk, 0x0021, 3, 0, ""},
      {"3 Months Ago", kOk, 0x0011, 3, 0, ""},
      {"3 Months", kOk, 0x0011, 3, 0, ""},
      {"Last Month", kOk, 0x0011, 1, 0, ""},
      {"Prior Month", kOk, 0x0011, 1, 0, ""},
      {"5", kOk, 0x0020, 5, 0, ""},
      {"March", kOk, 0x4020, 3, 0, ""},
      {"Mar", kOk, 0x4020, 3, 0, ""},
      {"Quarter 2", kOk, 0x0022, 2, 0, ""},
      {"Q 2", kOk, 0x0022, 2, 0, ""},
      {"Q2", kInvalidPeriodSpecifier, 0, 0, 0, "Q2"},
      {"Last Quarter", kOk, 0x0012, 1, 0, ""},
      {"Year", kOk, 0x0004, 0, 0, ""},
      {"YTD", kOk, 0x0004, 0, 0, ""},
      {"Year To Date", kOk, 0x0004, 0, 0, ""},
      {"Last Year", kOk, 0x0044, 0, 0, ""},
      {"3 Years Ago", kOk, 0x00C4, 0, 0, ""},
      {"5 Years", kSpecialError, 0, 0, 0, "Invalid year parameter"},
      {"Month Last Year", kOk, 0x0041, 0, 0, ""},
      {"Last Year Month 3", kOk, 0x0061, 3, 0, ""},
      {"Month Year To Date", kOk, 0x0401, 0, 0, ""},
      {"Month 3 Ytd Last Year", kOk, 0x0461, 3, 0, ""},
      {"Year 3", kOk, 0x0420, 3, 0, ""},
      {"Year to date Month 1 Change", kOk, 0x0429, 1, 0, ""},
      {"Half Year", kOk, 0x0003, 0, 0, ""},
      {"Semi Annually", kOk, 0x0003, 0, 0, ""},
      {"Half Year To Date", kOk, 0x0003, 0, 0, ""},
      {"Opening Balance Month 3 Budget", kOk, 0x0321, 3, 0, ""},
      {"Starting Transactions Month", kOk, 0x0109, 0, 0, ""},
      {"Running", kOk, 0x0800, 0, 0, ""},
      {"Run", kOk, 0x0800, 0, 0, ""},
      {"Running Quarter", kOk, 0x1000, 0, 0, ""},
      {"Last Running Quarter", kOk, 0x1000, 1, 0, ""},
      {"12 Running Months", kOk, 0x0800, 12, 0, ""},
      {"Running Year", kOk, 0x2000, 0, 0, ""},
      {"Running Balances", kRunningAndBalance, 0, 0, 0, ""},
      {"Balances Running", kRunningAndBalance, 0, 0, 0, ""},
      {"Actual Budgeted", kActualAndBudgeted, 0, 0, 0, ""},
      {"Month Quarter", kConflictingPeriodTypes, 0, 0, 0, ""},
      {"Month 3 Debits", kOk, 0x0021, 3, 1, ""},
      {"Quarter 2 Credits Debits", kOk, 0x0022, 2, 1, ""},
      {"M", kAmbiguousPeriodSpecifier, 0, 0, 0, "M"},
      {"T", kAmbiguousPeriodSpecifier, 0, 0, 0, "T"},
      {"PRE", kAmbiguousPeriodSpecifier, 0, 0, 0, "PRE"},
      {"Monthly", kInvalidPeriodSpecifier, 0, 0, 0, "Monthly"},
      {"0", kInvalidPeriodSpecifier, 0, 0, 0, "0"},
      {"61", kInvalidPeriodSpecifier, 0, 0, 0, "61"},
      {"01", kInvalidPeriodSpecifier, 0, 0, 0, "01"},
      {"-", kOk, 0x0000, 0, 0, ""},
  };
  for (const PhraseCase& c : cases) ExpectPhrase(c);
}

TEST(PeriodParserTest, CombinationsAndConflictsOfOurOwn) {
  const PhraseCase cases[] = {
      // Separators of every kind split words; case does not matter.
      {"month/3", kOk, 0x0021, 3, 0, ""},
      {"MONTH-3", kOk, 0x0021, 3, 0, ""},
      {"Month:3", kOk, 0x0021, 3, 0, ""},
      {"Month\t3", kOk, 0x0021, 3, 0, ""},
      {"Month\\3;Budget.", kOk, 0x0221, 3, 0, ""},
      {"  Month   3  ", kOk, 0x0021, 3, 0, ""},
      {"", kOk, 0x0000, 0, 0, ""},
      {"/-:.\t", kOk, 0x0000, 0, 0, ""},
      // Numbers: alone they are periods; "1" to "6" are exact, "7" to "60" from the table.
      {"1", kOk, 0x0020, 1, 0, ""},
      {"6", kOk, 0x0020, 6, 0, ""},
      {"60", kOk, 0x0020, 60, 0, ""},
      {"Month 60", kOk, 0x0021, 60, 0, ""},
      {"Quarter 4 Last Year", kOk, 0x0062, 4, 0, ""},
      {"2 Quarters Ago", kOk, 0x0012, 2, 0, ""},
      {"Last Half Year", kOk, 0x0013, 1, 0, ""},
      {"Half Year 2", kOk, 0x0023, 2, 0, ""},
      {"Half Year Year", kOk, 0x0403, 0, 0, ""},  // only the first year word is absorbed
      {"Half Year Last Year", kOk, 0x0043, 0, 0, ""},
      {"This Quarter", kOk, 0x0002, 0, 0, ""},
      {"Current Period", kOk, 0x0000, 0, 0, ""},
      {"Periods 4", kOk, 0x0020, 4, 0, ""},
      {"December Last Year", kOk, 0x4060, 12, 0, ""},
      {"Running Half Year", kOk, 0x1800, 0, 0, ""},
      {"Running Semi Annually", kOk, 0x1800, 0, 0, ""},
      {"2 Running Quarters", kOk, 0x1000, 2, 0, ""},
      {"Running Periods", kOk, 0x0800, 0, 0, ""},
      {"Running Transactions", kOk, 0x0808, 0, 0, ""},
      {"Closing Balance Quarter 1 Actual", kOk, 0x0022, 1, 0, ""},
      {"Net Change For The Year", kOk, 0x000C, 0, 0, ""},
      {"Credits", kOk, 0x0000, 0, 2, ""},
      {"Debits Credits", kOk, 0x0000, 0, 2, ""},
      // Conflicts, each with its own message.
      {"Month Year To Date Ytd Year", kInvalidYearKeyword, 0, 0, 0, ""},
      {"Last Year Last Year", kInvalidYearKeyword, 0, 0, 0, ""},
      {"Change Balance", kTransactionsAndBalance, 0, 0, 0, ""},
      {"Transactions Changes", kTransactionsAndBalance, 0, 0, 0, ""},
      {"Month 3 5", kConflictingPeriodTypes2, 0, 0, 0, ""},
      {"Running Month Running Quarter", kConflictingPeriodTypes2, 0, 0, 0, ""},
      {"Running Running Quarter", kOk, 0x0802, 0, 0, ""},  // the second RUNNING is taken
      {"Opening Closing", kEndingAndStarting, 0, 0, 0, ""},
      {"Ending Beginning", kEndingAndStarting, 0, 0, 0, ""},
      {"Actual Actual", kActualAndBudgeted, 0, 0, 0, ""},
      {"March April", kConflictingPeriodTypes, 0, 0, 0, ""},
      {"4 Years Ago", kSpecialError, 0, 0, 0, "Invalid year parameter"},
      {"Month Q2", kInvalidPeriodSpecifier, 0, 0, 0, "Q2"},
      {"Month Whenever", kInvalidPeriodSpecifier, 0, 0, 0, "Whenever"},
  };
  for (const PhraseCase& c : cases) ExpectPhrase(c);
}

TEST(PeriodParserTest, AbbreviationsThatWorkAndThoseThatAreAmbiguous) {
  const PhraseCase cases[] = {
      {"MO", kOk, 0x0001, 0, 0, ""},
      {"MAR", kOk, 0x4020, 3, 0, ""},
      {"JUN", kOk, 0x4020, 6, 0, ""},
      {"QTR", kOk, 0x0002, 0, 0, ""},
      {"HALF", kOk, 0x0003, 0, 0, ""},
      {"SEMI", kOk, 0x0003, 0, 0, ""},
      {"YR", kOk, 0x0004, 0, 0, ""},
      {"Q", kOk, 0x0002, 0, 0, ""},
      {"Y", kOk, 0x0004, 0, 0, ""},
      {"OPEN Month", kOk, 0x0101, 0, 0, ""},
      {"CHANGE Month", kOk, 0x0009, 0, 0, ""},
      {"TRANS Month", kOk, 0x0009, 0, 0, ""},
      {"BUD", kOk, 0x0200, 0, 0, ""},
      {"ACT Month", kOk, 0x0001, 0, 0, ""},
      {"PREV Month", kOk, 0x0011, 1, 0, ""},
      {"RUN", kOk, 0x0800, 0, 0, ""},
      {"TH Month", kOk, 0x0001, 0, 0, ""},
      {"TO Month", kOk, 0x0001, 0, 0, ""},
  };
  for (const PhraseCase& c : cases) ExpectPhrase(c);
  for (const char* word : {"M", "MA", "J", "JU", "A", "B", "BE", "C", "D", "DE", "F", "N", "O", "P",
                           "PR", "PRE", "S", "T"}) {
    ExpectPhrase({word, kAmbiguousPeriodSpecifier, 0, 0, 0, word});
    ExpectPhrase({std::string("Month ") + word, kAmbiguousPeriodSpecifier, 0, 0, 0, word});
  }
}

std::string Words(const std::string& word, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += (i ? " " : "") + word;
  return text;
}

TEST(PeriodParserTest, APhraseHoldsEightyWords) {
  ExpectPhrase({"Month " + Words("the", 79), kOk, 0x0001, 0, 0, ""});
  ExpectPhrase({"Month " + Words("the", 79) + " For", kInvalidPeriodSpecifier, 0, 0, 0, "For"});
  // The limit is met while the words are read, before any of them is combined.
  ExpectPhrase({Words("Month", 200), kInvalidPeriodSpecifier, 0, 0, 0, "Month"});
  ExpectPhrase({Words("Month", 2), kConflictingPeriodTypes, 0, 0, 0, ""});
}

TEST(PeriodParserTest, AWordPastTheFiveHundredEleventhCharacterIsRefused) {
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

TEST(PeriodParserTest, NothingCarriesFromOnePhraseToTheNext) {
  PeriodSpec spec;
  ASSERT_FALSE(ParsePeriodItem("Month Quarter", &spec).ok());
  ASSERT_TRUE(ParsePeriodItem("Month 3 Debits", &spec).ok());
  ASSERT_TRUE(ParsePeriodItem("Year", &spec).ok());
  EXPECT_EQ(spec.flags, 0x0004u);
  EXPECT_EQ(spec.number, 0);
  EXPECT_EQ(spec.sign, 0u);
}

TEST(PeriodParserTest, TheErrorReadsAsTheUserSeesIt) {
  PeriodSpec spec;
  const PeriodParseResult r = ParsePeriodItem("Month Monthly", &spec);
  ErrorReporter errors;
  errors.SetError(r.code, r.detail);
  EXPECT_EQ(errors.text(), "R7 [Tessary] Invalid period specifier - Monthly");
}

}  // namespace
}  // namespace r7
