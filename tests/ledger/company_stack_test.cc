// The company stack built from a company specifier, and the specifier's check.
#include "ledger/company_stack.h"

#include <gtest/gtest.h>

#include <tuple>

namespace r7 {
namespace {

TEST(CompanyStackTest, HoldsTheCodesInReverseOrderOrReportsItsFailure) {
  // The specifier, then its stack, or none and the error.
  const std::tuple<const char*, CompanyStack, const char*> cases[] = {
      {"01,02", {"02", "01"}, ""},
      {" ,01,, 02 ,  ,03, ", {"03", "02", "01"}, ""},
      {"123456789012", {"123456789012"}, ""},
      {"ACME", {"ACME"}, ""},
      {"", {}, "R7 [Tessary] Special Error - NULL company specifier."},
      {", ", {}, "R7 [Tessary] Memory full - BuildCompanyStack"},
      {"01,1234567890123,02", {}, "R7 [Tessary] Invalid - company specifier too long"},
  };
  for (const auto& [specifier, expected, error] : cases) {
    ErrorReporter errors;
    std::optional<CompanyStack> stack = BuildCompanyStack(specifier, errors);
    EXPECT_EQ(stack.has_value(), !expected.empty()) << specifier;
    EXPECT_EQ(stack.value_or(CompanyStack{}), expected) << specifier;
    EXPECT_EQ(errors.pending(), expected.empty()) << specifier;
    EXPECT_EQ(errors.text(), error) << specifier;
  }
}

TEST(CompanyStackTest, TheSpecifierCheck) {
  ErrorReporter errors;
  EXPECT_EQ(CheckCompanySpecifier("123456789012", errors), 0);
  EXPECT_EQ(CheckCompanySpecifier("", errors), 1);
  EXPECT_EQ(errors.text(), "R7 [Tessary] Invalid - The company specifier is NULL");
  errors.Clear();
  EXPECT_EQ(CheckCompanySpecifier("1234567890123", errors), 1);
  EXPECT_EQ(errors.text(), "R7 [Tessary] Invalid - company specifier too long");
}

}  // namespace
}  // namespace r7
