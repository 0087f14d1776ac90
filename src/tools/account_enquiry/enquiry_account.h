// The account that the account enquiry works on: its segment values as the boxes show and
// the session keeps them, and the description of a worksheet function for it that the
// enquiry hands the add-in. (platform-independent)
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/clipboard_text.h"

namespace r7::account_enquiry {

// How the add-in lays out the function it creates: its titles (as the orientation box
// offers them and the add-in reads them back) and codes.
struct Orientation {
  std::string_view title;
  int code;
};
inline constexpr std::array<Orientation, 4> kOrientations = {{
    {"Profit Center", -2},
    {"Department", -3},
    {"Period", 2},
    {"Company", 3},
}};
inline constexpr std::string_view kDefaultOrientation = "Period";

// The code of the orientation titled `text` (letter case aside); 0 when none is.
int OrientationCode(std::string_view text);

// The segment values of an account specifier: its "(" groups when it starts with one
// ('(1000)(10)(300)'), else its "-" segments ('1000-10-300'); at most three.
std::vector<std::string> SegmentValues(std::string_view account);

// The value of a box entry "1000; Bank - North": the text before its first ";".
std::string_view ValueOf(std::string_view box_text);

// '(1000)(10)(300)': one group per value, the form that selects exactly these segments.
std::string GroupedAccount(const std::vector<std::string>& values);

// What the description names.
struct FunctionRequest {
  int orientation = 0;
  struct Segment {
    std::string title;  // "Main", "Profit Center", "Department"
    std::string value;
  };
  std::vector<Segment> segments;  // the company's, in order
  std::string period;
  std::string company;
  std::string year;
  std::string revision;
};

// Writes the description: "1", the orientation and the number of segments, one line
// each; a "title<TAB>value" line per segment up to and with the first empty value; then
// the Period, Company, Year and Type lines. Returns the grouped account of the values, or
// an empty text when a value is empty.
std::string WriteDescription(const FunctionRequest& request, ClipboardText& out);

}  // namespace r7::account_enquiry
