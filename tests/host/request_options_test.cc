// The options field of the balance and budget-write functions.
#include "host/request_options.h"

#include <gtest/gtest.h>

namespace r7 {
namespace {

TEST(RequestOptionsTest, RevisionsAndRangeKeywords) {
  struct Case {
    const char* options;
    const char* revision;
    int range_type;
  } cases[] = {
      {"", "01", 2},        {"3", "03", 2},    {"07", "07", 2},      {"123", "12", 2},
      {"rng", "01", 0},     {"RNG1", "01", 1}, {"rng1,07", "07", 1}, {"07,rng", "07", 0},
      {"rng,R7", "01", 2},  {"3x", "01", 2},  // neither a revision nor a keyword
      {" 07", "01", 2},                       // no trimming
      {"rng1 ", "01", 2},                     // no trimming
      {"x,y,07", "01", 2},                    // a third item is ignored
      {"rng,,07", "01", 0},
  };
  for (const Case& c : cases) {
    AccountRequest request = MakeAccountRequest("1000", "2002", "01");
    ApplyRequestOptions(c.options, request);
    EXPECT_EQ(request.revision, c.revision) << c.options;
    EXPECT_EQ(request.range_type, c.range_type) << c.options;
  }
}

}  // namespace
}  // namespace r7
