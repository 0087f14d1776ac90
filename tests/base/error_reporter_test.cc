// The error text built from a code and its detail, which error wins, and handing it over once.
#include "base/error_reporter.h"

#include <gtest/gtest.h>

#include <tuple>

namespace r7 {
namespace {

TEST(ErrorReporterTest, BuildsTheTextFromCodeAndDetail) {
  // The code and the detail, and the error text.
  const std::tuple<int, std::string, std::string> cases[] = {
      {0, "", "R7 [Tessary]"},
      {1, "x", "R7 [Tessary] - x"},
      {4, "", "R7 [Tessary] "},
      {22, "1000-10", "R7 [Tessary] No matching accounts found - 1000-10"},
      {41, " ", "R7 [Tessary] The command/request was not processed -  "},
      {51, "", "R7 [Tessary] Future year detected "},
  };
  for (const auto& [code, detail, expected] : cases) {
    ErrorReporter errors;
    errors.SetError(code, detail);
    EXPECT_EQ(errors.text(), expected) << code;
  }
  // A long detail is cut with the text at 255 characters.
  ErrorReporter errors;
  errors.SetError(22, std::string(300, 'x'));
  EXPECT_EQ(errors.text().size(), 255u);
  EXPECT_EQ(errors.text().substr(0, 45), "R7 [Tessary] No matching accounts found - xxx");
}

TEST(ErrorReporterTest, FirstErrorWinsKeepsTheLastCodeAndIsTakenOnce) {
  ErrorReporter errors;
  std::string result = "old";
  EXPECT_FALSE(errors.TakeError(&result));
  EXPECT_EQ(result, "old");
  errors.SetError(18, "first");
  errors.SetError(23, "second");
  EXPECT_EQ(errors.text(), "R7 [Tessary] No data for period requested - first");
  EXPECT_EQ(errors.last_code(), 23);
  errors.Clear();
  errors.SetError(9, "");
  EXPECT_TRUE(errors.TakeError(nullptr));  // a null result leaves it pending
  EXPECT_TRUE(errors.TakeError(&result));
  EXPECT_EQ(result, "R7 [Tessary] Invalid");
  EXPECT_FALSE(errors.pending());
}

}  // namespace
}  // namespace r7
