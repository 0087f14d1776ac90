// Splitting a worksheet argument into its semicolon-separated fields.
#include "host/field_splitter.h"

#include <gtest/gtest.h>

namespace r7 {
namespace {

TEST(FieldSplitterTest, SplitsOnSemicolonsWithoutTrimming) {
  struct Case {
    std::string text;
    int min, max;
    int status;
    std::vector<std::string> fields;
  } cases[] = {
      {"A;;C", 1, 5, 0, {"A", "", "C", "", ""}},
      {"A;", 1, 3, 0, {"A", "", ""}},
      {";", 1, 2, 0, {"", ""}},
      {"", 1, 5, 4, {"", "", "", "", ""}},
      {"", 0, 0, 0, {}},
      {" a ; b ", 2, 2, 0, {" a ", " b "}},
      {"1;2;3;4;5;6;7", 1, 3, 0, {"1", "2", "3"}},
      {"A;B", 3, 5, 4, {"A", "B", "", "", ""}},
      {"'x\";y", 2, 2, 0, {"'x\"", "y"}},
  };
  for (const Case& c : cases) {
    SplitFields split = SplitArgumentText(c.text, c.min, c.max);
    EXPECT_EQ(split.status, c.status) << c.text;
    EXPECT_EQ(split.fields, c.fields) << c.text;
  }
}

TEST(FieldSplitterTest, CutsAFieldAt511Characters) {
  std::string text = std::string(600, 'a') + ";b";
  SplitFields split = SplitArgumentText(text, 2, 2);
  EXPECT_EQ(split.fields[0].size(), 511u);
  EXPECT_EQ(split.fields[1], "b");
}

}  // namespace
}  // namespace r7
