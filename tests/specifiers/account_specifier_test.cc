// The account specifier language: expansion, the item check, mapping, tokens and wildcards.
#include "specifiers/account_specifier.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "common/text_util.h"
#include "specifiers/account_template.h"

namespace r7 {
namespace {

const SegmentLengths kLengths = {4, 2, 3};

std::vector<std::string> Expand(std::string_view text, std::string* error = nullptr,
                                const EntityResolver& entities = {}) {
  ErrorReporter errors;
  std::vector<std::string> items;
  int result = ExpandAccountSpecifier(text, entities, items, errors);
  if (error) *error = errors.text();
  if (result != 0) items.push_back("FAILED");
  return items;
}

TEST(ExpandAccountSpecifierTest, ExpandsEveryFormInOdometerOrder) {
  const std::map<std::string, std::vector<std::string>> cases = {
      {"1000", {"1000-*-*"}},
      {"1000-10", {"1000-10-*"}},
      {"1000-10-200,2000", {"1000-10-200", "2000-*-*"}},
      {"(1000,2000)(10)(*)", {"1000-10-*", "2000-10-*"}},
      {"(1000,2000)(10,20)", {"1000-10-*", "1000-20-*", "2000-10-*", "2000-20-*"}},
      {"^-^-5(1,2)(3,4)", {"1-3-5", "1-4-5", "2-3-5", "2-4-5"}},
      {"(^-^-^)(1000)(10,20)(200)", {"1000-10-200", "1000-20-200"}},
      {"^-^-200(1000,2000)(10,20)", {"1000-10-200", "1000-20-200", "2000-10-200", "2000-20-200"}},
      {"^-^-^(4000)(10)(100)(999)", {"4000-10-100"}},  // more groups than places
      {"^(4000,4100)", {"4000", "4100"}},              // the item check completes it
      {"(1,2)(3),5000", {"1-3-*", "2-3-*", "5000-*-*"}},
      {"'1,2'-3", {"1,2-3-*"}},
      // Template alternatives combine by collected segment values: 'x-1' and 'y-2' also
      // yield 'x-2' and 'y-1'.
      {"^-^(x-1,y-2)(0)", {"x-1-0", "x-2-0", "y-1-0", "y-2-0"}},
  };
  for (const auto& [text, items] : cases) EXPECT_EQ(Expand(text), items) << text;
}

TEST(ExpandAccountSpecifierTest, RaisesTheSyntaxMessagesWithTheFailingTextAndRefusesTooMany) {
  const std::map<std::string, std::string> cases = {
      {"'1000", "R7 [Tessary] - Unbalanced quotes in argument"},
      {"(1000", "R7 [Tessary] - Unbalanced parentheses in argument"},
      {")1000(", "R7 [Tessary] - Unbalanced parentheses in argument"},
      {"1000-10-20-30",
       "R7 [Tessary] - The account specifier has too many segments: 1000-10-20-30"},
      {"(1)(2)(3)(4)", "R7 [Tessary] - The account specifier has too many segments: (1)(2)(3)(4)"},
      {"((1))", "R7 [Tessary] - The account specifier is unbalanced: ((1))"},
      {"(1)x(2)", "R7 [Tessary] - The account specifier is unbalanced: (1)x(2)"},
  };
  for (const auto& [text, message] : cases) {
    std::string error;
    EXPECT_EQ(Expand(text, &error), std::vector<std::string>{"FAILED"}) << text;
    EXPECT_EQ(error, message) << text;
  }
  // An expansion too large to hold is refused.
  std::string group = "(";
  for (int i = 0; i < 40; ++i) group += std::to_string(i) + (i < 39 ? "," : ")");
  std::string error;
  EXPECT_EQ(Expand(group + group + group, &error), std::vector<std::string>{"FAILED"});
  EXPECT_EQ(error.rfind("R7 [Tessary] Range too long", 0), 0u);
}

TEST(ExpandAccountSpecifierTest, ResolvesEntityNamesRoundAfterRound) {
  EntityResolver entities = [](std::string_view name, int segment) -> std::optional<std::string> {
    if (segment == 1 && name == "INCOME") return "SALES";
    if (segment == 1 && name == "SALES") return "4000..4999";
    if (segment == 2 && name == "REGIONS") return "(10,20)";
    if (segment == 1 && name == "LOOP") return "LOOP2";
    if (segment == 1 && name == "LOOP2") return "LOOP";
    return std::nullopt;
  };
  EXPECT_EQ(Expand("INCOME-REGIONS", nullptr, entities),
            (std::vector<std::string>{"4000..4999-10-*", "4000..4999-20-*"}));
  EXPECT_EQ(Expand("(SALES, SALES)(10)", nullptr, entities),
            (std::vector<std::string>{"4000..4999-10-*", " SALES-10-*"}));
  EXPECT_EQ(Expand("10-SALES", nullptr, entities), (std::vector<std::string>{"10-SALES-*"}));
  EXPECT_EQ(Expand("LOOP", nullptr, entities).size(), 1u);  // the rounds run out
}

TEST(ValidateAccountItemTest, ChecksAndCompletesItemsReplacingAPendingError) {
  struct Case {
    std::string item;
    int code;
    std::string result;  // the completed item, or the whole error text
    SegmentLengths lengths = kLengths;
  };
  const Case cases[] = {
      // clang-format off
      {"1000", 0, "1000-0-0"},      {"1000-", 0, "1000-0-0"}, {"1000-10", 0, "1000-10-0"},
      {"1000-10-", 0, "1000-10-0"}, {"ab-*-*", 0, "AB-*-*"},  {"1000..1999-*-*", 0, ""},
      {"1000.1999-*-*", 0, ""},
      // An empty upper end passes outside the main account.
      {"1000-1..-*", 0, ""},       {"1000..-*-*", 20, ""},      {"..1000-*-*", 20, ""},
      {"1000...2000-*-*", 20, ""}, {"10000-*-*", 20, ""},       {"1000-100-*", 20, ""},
      {"-10-100", 20, ""},         {"1000-10-200-300", 20, ""}, {"A~B-*-*", 8, ""},
      {"1*..2*-*-*", 16, ""},      {"1000-1?..2-*", 16, ""},
      {"A~B", 8, "R7 [Tessary] Invalid character: ~ - A~B"},
      // A lone star passes in a segment the company does not use.
      {"1000-*-*", 0, "", {4, 0, 0}}, {"1000-1-*", 20, "", {4, 0, 0}},
      // clang-format on
  };
  for (const Case& c : cases) {
    ErrorReporter errors;
    errors.SetError(9, "earlier");
    std::string item = c.item;
    EXPECT_EQ(ValidateAccountItem(item, c.lengths, errors), c.code) << c.item;
    if (c.code != 0) {
      EXPECT_NE(errors.text().find(" - " + ToUpperAscii(c.item)), std::string::npos)
          << errors.text();
    }
    if (!c.result.empty()) {
      EXPECT_EQ(c.code ? errors.text() : item, c.result) << c.item;
    }
  }
}

TEST(MapAccountItemTest, MapsUnderEachSetting) {
  // The item, the mapping settings, and the mapped item.
  const std::tuple<const char*, SegmentMappings, const char*> cases[] = {
      {"4*-*-*", {3, 3, 3}, "4*-*-*,00004*-*-*"},
      {"4*-*-*", {1, 3, 3}, "00004*-*-*"},
      {"4*-*-*", {2, 3, 3}, "4*-*-*"},
      {"4??0-*-*", {3, 3, 3}, "4??0-*-*,00004??0-*-*"},
      {"1*-1?-2*",
       {3, 3, 3},
       "1*-1?-2*,00001*-1?-2*,1*-0000001?-2*,1*-1?-000002*,00001*-0000001?-2*,"
       "00001*-1?-000002*,1*-0000001?-000002*,00001*-0000001?-000002*"},
      {"1*-1?-2*", {1, 3, 2}, "00001*-1?-2*,00001*-0000001?-2*"},
      {"0*-*-*", {3, 3, 3}, "0*-*-*"},  // only zeros and wildcards
      {"A*-*-*", {3, 3, 3}, "A*-*-*"},  // a letter
      {"1000-10-100", {3, 3, 3}, "1000-10-100"},
  };
  for (const auto& [item, mappings, mapped] : cases) {
    EXPECT_EQ(MapAccountItem(item, kLengths, mappings), mapped) << item;
  }
}

TEST(MatchWildcardTest, MatchesTheWholeText) {
  // The text, the pattern, and whether it matches.
  const std::tuple<const char*, const char*, bool> cases[] = {
      // clang-format off
      {"4000", "4??0", true},       {"4005", "4??0", false}, {"4000", "4*", true},
      {"4", "4*", true},            {"abc", "A?C", true},    {"4000", "*0", true},
      {"4000", "*?", true},         {"", "*??", true},       {"4000", "4", false},
      {"4000", "40", false},        {"40x0", "4*0", true},   {"4001", "4*0", false},
      {"00004000", "00004*", true}, {"AB", "ab", true},      {"", "", true},
      {"1", "", false},
      // clang-format on
  };
  for (auto [text, pattern, match] : cases) {
    EXPECT_EQ(MatchWildcard(text, pattern), match) << text << " " << pattern;
  }
}

TEST(ParseAccountTokenTest, BuildsTheScanBounds) {
  // The token, then the lower and the upper end of its scan.
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"1000-10-100", "000010000000001000000100", "000010000000001000000100"},
      {"1000..1999-*-*", "00001000                ", "00001999ZZZZZZZZZZZZZZZZ"},
      {"4*-*-*", "4                       ", "4ZZZZZZZZZZZZZZZZZZZZZZZ"},
      {"00004*-*-*", "00004                   ", "00004ZZZZZZZZZZZZZZZZZZZ"},
      {"4??0-10-*", "00004  000000010        ", "4ZZ0    00000010ZZZZZZZZ"},
      {"1000-1..-*", "0000100000000001        ", "0000100000000000ZZZZZZZZ"},
  };
  for (auto [text, lower, upper] : cases) {
    const AccountToken token = ParseAccountToken(text);
    EXPECT_EQ(token.lower, lower) << text;
    EXPECT_EQ(token.upper, upper) << text;
  }
  EXPECT_TRUE(ParseAccountToken("1000-10-100").exact);
  EXPECT_FALSE(ParseAccountToken("1000-1*-100").exact);
  EXPECT_TRUE(ParseAccountToken("0-10-0").matches_nothing);
  EXPECT_EQ(ParseAccountToken("10.5-1-1").segments[0].kind, SegmentKind::kExact);
}

TEST(SegmentMatchesTest, ComparesNumericAndLetteredFields) {
  auto pattern = [](const char* text) {
    return ParseAccountToken(std::string(text) + "-*-*").segments[0];
  };
  EXPECT_TRUE(SegmentMatches(pattern("4??0"), "00004000", 4, 0, 2));
  EXPECT_FALSE(SegmentMatches(pattern("00004??0"), "00004000", 4, 0, 2));
  EXPECT_TRUE(SegmentMatches(pattern("00004*"), "00004000", 4, 0, 2));
  EXPECT_FALSE(SegmentMatches(pattern("4*"), "00004000", 4, 0, 2));
  // A pattern of zeros and wildcards is compared with the segment as the company writes it.
  EXPECT_FALSE(SegmentMatches(pattern("0*"), "00004000", 4, 0, 2));
  EXPECT_TRUE(SegmentMatches(pattern("0*"), "00000400", 4, 0, 2));
  EXPECT_TRUE(SegmentMatches(pattern("A*"), "AB      ", 4, 0, 2));
  TokenSegment range = ParseAccountToken("1-10..20-*").segments[1];
  EXPECT_TRUE(SegmentMatches(range, "00000015", 2, 1, 2));
  EXPECT_FALSE(SegmentMatches(range, "00000030", 2, 1, 2));
  EXPECT_TRUE(SegmentMatches(range, "00000030", 2, 1, 1));  // range type 1: main only
}

TEST(SegmentMatchesTest, EveryFieldAPatternPassesBeginsWithItsRequiredPrefix) {
  const std::vector<std::pair<std::string, std::string>> patterns = {{"12*", "12"},
                                                                     {"0000012*", "0000012"},
                                                                     {"1A*", "1"},
                                                                     {"12?4*", "12"},
                                                                     {"1?", ""},
                                                                     {"0*", ""},
                                                                     {"*12", ""},
                                                                     {"*", ""},
                                                                     {"123456789*", "12345678"}};
  const std::vector<std::string> fields = {"00000120", "12      ", "1204    ", "1A      ",
                                           "1a3     ", "00000012", "12345678", "AB12    "};
  for (const auto& [text, prefix] : patterns) {
    const TokenSegment segment = ParseAccountToken("*-*-" + text).segments[2];
    EXPECT_EQ(RequiredFieldPrefix(segment), prefix) << text;
    for (const std::string& field : fields) {
      if (SegmentMatches(segment, field, 3, 2, 2)) {
        EXPECT_TRUE(field.starts_with(prefix)) << text << " passes " << field;
      }
    }
  }
}

TEST(AccountSpecifierHelpersTest, AllAccountsEntitiesKeyDisplayAndTemplates) {
  EXPECT_EQ(AllAccountsSpecifier(1), "*");
  EXPECT_EQ(AllAccountsSpecifier(3), "*-*-*");
  EXPECT_EQ(AllEntitiesTemplate(2), "^-^");
  EXPECT_EQ(AccountKeyDisplay("000010000000002000000003", {4, 2, 1}), "1000-20-3");
  EXPECT_EQ(AccountKeyDisplay("AB      00000020        ", {4, 2, 0}), "AB-20");
  // A template yields checked and mapped items.
  ErrorReporter errors;
  std::vector<std::string> items;
  EXPECT_EQ(ExpandAccountTemplate("(1000,2000)(10,20)(100)", kLengths, {3, 3, 3}, items, errors),
            0);
  EXPECT_EQ(items,
            (std::vector<std::string>{"1000-10-100", "1000-20-100", "2000-10-100", "2000-20-100"}));
  EXPECT_EQ(ExpandAccountTemplate("1000", kLengths, {3, 3, 3}, items, errors), 0);
  EXPECT_EQ(items, std::vector<std::string>{"1000-0-0"});
  EXPECT_EQ(ExpandAccountTemplate("4*-*,1000", kLengths, {3, 3, 3}, items, errors), 0);
  EXPECT_EQ(items, (std::vector<std::string>{"4*-*-0,00004*-*-0", "1000-0-0"}));
  EXPECT_EQ(ExpandAccountTemplate("1000 -10", kLengths, {3, 3, 3}, items, errors),
            kBlanksNotAllowed);
  EXPECT_EQ(ExpandAccountTemplate("(1000", kLengths, {3, 3, 3}, items, errors),
            kParenthesesDontMatch);
  EXPECT_FALSE(errors.pending());  // the caller reports these two
  EXPECT_EQ(ExpandAccountTemplate("10000", kLengths, {3, 3, 3}, items, errors), 20);
}

}  // namespace
}  // namespace r7
