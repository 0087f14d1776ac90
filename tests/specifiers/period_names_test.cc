// The ready-made period names of the string table: each one a phrase with a window.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "base/string_table.h"
#include "specifiers/period_parser.h"
#include "specifiers/period_window.h"

namespace r7 {
namespace {

constexpr int kFirstPeriodName = 6000;
constexpr int kLastPeriodName = 6999;

// The period names are offered to the user as ready-made period specifiers: each must
// parse as one phrase, and each must mean a window that some company can answer.
TEST(PeriodNamesTest, EveryPeriodNameIsAPhraseWithAWindow) {
  int names = 0;
  std::set<std::tuple<std::uint32_t, std::uint32_t, int>> meanings;
  for (const StringEntry& entry : AllStrings()) {
    if (entry.id < kFirstPeriodName || entry.id > kLastPeriodName) continue;
    ++names;
    PeriodList list;
    std::size_t count = 0;
    const PeriodParseResult r = ParsePeriodSpecifier(entry.text, &list, &count);
    ASSERT_TRUE(r.ok()) << entry.id << " '" << entry.text << "': " << r.code << " " << r.detail;
    EXPECT_EQ(count, 1u) << entry.id;
    EXPECT_TRUE(meanings.insert({list[0].flags, list[0].sign, list[0].number}).second)
        << entry.id << " '" << entry.text << "' repeats an earlier name";
    PeriodWindow window;
    const int code = ComputePeriodWindow(list[0], {13, 13}, &window);
    EXPECT_GE(code, 100) << entry.id << " '" << entry.text << "'";
    EXPECT_LE(code, 102) << entry.id << " '" << entry.text << "'";
  }
  EXPECT_EQ(names, 182);
  EXPECT_EQ(StringText(6000), "Month");
  EXPECT_TRUE(HasString(6181));
}

}  // namespace
}  // namespace r7
