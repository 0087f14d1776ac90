// The string table: exact texts that callers append to, compare with or show, and its rules.
#include "base/string_table.h"

#include <gtest/gtest.h>

#include <string_view>
#include <tuple>

namespace r7 {
namespace {

TEST(StringTableTest, MessagesKeepTheirExactText) {
  // The string and its text.
  const std::tuple<int, std::string_view> cases[] = {
      {41, "The command/request was not processed"},
      {205, " accounts were copied to the clipboard before cancellation.\n"},
      {303, "Time flies like an arrow..."},
      {304, "but fruit flies like a banana!"},
      {2101, "Could not open Financial Entities File"},
      // The caller appends the file name after the trailing blank.
      {2102, "Could not create/open Financial Entities file for write "},
      {2103, "Financial Entities file update failed."},
      {2104,
       "There is no Financial Entities file for this company. Use the Maintain Financial "
       "Entities File Utility to create one."},
      {2105, "Select a path for the Finacial Entities File (*.SAD)"},
      {2107, "Financial Entities File updated."},
      {2108, "R7 Create New Financial Entities File"},
      {2110,
       "This appears to be a finacial entity, not a simple segment description. Do you want "
       "to add it? (If yes, you will be switched to the Edit Financial Entities mode)"},
      {2111, "Could not close the Financial Entities File"},
      {5343, "The list was sent to the Clipboard."},
      {5344, "Request failed."},
      {5390,
       "Chart Formula generation is obsolete. This feature remains for backwards "
       "compatibility. Please use the Report Wizard for report generation."},
      {7100, "Unbalanced quotes in argument"},
      {7101, "Unbalanced parentheses in argument"},
      // These two are followed by the offending specifier text.
      {7103, "The account specifier is unbalanced: "},
      {7104, "The account specifier has too many segments: "},
      {10020, "Record Manager Inactive"},
      {10097, "Data Message Too Small"},
      {3002, "Could not Find Btrieve Server"},
      {5000, "Company"},
      {5058, "To Chart"},
  };
  for (const auto& [id, text] : cases) {
    EXPECT_TRUE(HasString(id)) << id;
    EXPECT_EQ(StringText(id), text) << id;
  }
  EXPECT_FALSE(StringText(2169).empty());  // the entities location notice
  EXPECT_FALSE(HasString(4));
  EXPECT_EQ(StringText(4), "");
}

// Every entry must survive the resource compiler and the 256-byte load buffer of a
// message: printable ASCII (or a line feed), no double quote, at most 255 characters.
TEST(StringTableTest, EveryTextFitsTheResourceRules) {
  for (const StringEntry& entry : AllStrings()) {
    EXPECT_LE(entry.text.size(), 255u) << entry.id;
    for (char ch : entry.text) {
      bool printable = ch >= ' ' && ch <= '~';
      EXPECT_TRUE(printable || ch == '\n') << entry.id;
      EXPECT_NE(ch, '"') << entry.id;
    }
  }
}

}  // namespace
}  // namespace r7
