// The rows that report layout lines become.
#include "tools/report_layout/layout_rows.h"

#include <gtest/gtest.h>

namespace r7::report_layout {
namespace {

constexpr std::array<int, 3> kLengths = {4, 3, 2};
constexpr Inclusion kMain{false, false};
constexpr Inclusion kProfitCenters{true, false};
constexpr Inclusion kBoth{true, true};

std::string Fields(std::initializer_list<const char*> segments) {
  std::string text;
  for (const char* s : segments) text += s;
  return text;
}

TEST(LayoutRowsTest, EachLineTypeGivesItsRow) {
  const std::string account = Fields({"00001000", "00000100", "00000010"});
  const std::string range =
      Fields({"00004000", "00000100", "00000000", "00004999", "00000100", "00000099"});
  const std::string same_main =
      Fields({"00004000", "00000000", "00000000", "00004000", "00000999", "00000099"});
  const std::string letters = Fields({"CASH    ", "00000100", "00000010"});
  const std::string title = "Revenue and other income from the sales of goods and services";
  struct Case {
    const char* type;
    std::string text;
    Inclusion inclusion;
    const char* row;
  } cases[] = {
      {"A   ", account, kMain, "  \t'1000-\r\n"},
      {"A   ", account, kProfitCenters, "  \t'1000-100-\r\n"},
      {"A   ", account, kBoth, "  \t'1000-100-10\r\n"},
      {"A   ", account, {false, true}, "  \t'1000-\r\n"},  // departments need profit centers
      {"A   ", letters, kBoth, "  \t'CASH-100-10\r\n"},
      {"RNG ", range, kMain, "RNG\t'4000..4999-\r\n"},
      {"RNG ", range, kBoth, "RNG\t'4000..4999-100-00..99\r\n"},
      {"RNG1", same_main, kBoth, "RNG1\t'4000-000..999-00..99\r\n"},
      {"LIT ", title, kMain, "  \t'Revenue and other income from the sales of goods a\r\n"},
      {"SUB ", title, kMain, "  \t \t'Revenue and other income from \r\n"},
      {"PAT ", "Total", kMain, "  \t \t'Total\r\n"},
      {"B   ", "Total", kMain, "  \t \t'Total\r\n"},
      {"U   ", "", kMain, "  \t  \t  \t---------------\r\n"},
      {"DL  ", "", kMain, "  \t  \t  \t  \t===============\r\n"},
      {"F   ", "", kMain, "\r\n\r\n"},
      {"LF  ", "", kMain, "\r\n\r\n"},
      // Lines that produce no text: an empty row.
      {"C   ", title, kMain, "\r\n"},
      {"E   ", title, kMain, "\r\n"},
      {"T   ", title, kMain, "\r\n"},
      {"PRE ", title, kMain, "\r\n"},
      {"DEL ", title, kMain, "\r\n"},
      {"LEG ", title, kMain, "\r\n"},
      {"SSR ", title, kMain, "\r\n"},
      {"LXX ", title, kMain, "\r\n"},
      {"HDR ", title, kMain, "\r\n"},
      {"    ", title, kMain, "\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LayoutRow(c.type, c.text, kLengths, c.inclusion), c.row) << c.type << c.text;
  }
}

TEST(LayoutRowsTest, SegmentsAreFittedToTheCompanysLengths) {
  EXPECT_EQ(FitSegment("00001000", 4), "1000");
  EXPECT_EQ(FitSegment("00001000", 2), "00");
  EXPECT_EQ(FitSegment("00000000", 0), "");
  EXPECT_EQ(FitSegment("AB      ", 4), "AB");
  EXPECT_EQ(FitSegment("ab      ", 4), "    ");  // only capitals make a letter segment
}

}  // namespace
}  // namespace r7::report_layout
