// The company profile of the Setup dialog. (platform-independent)
#include "tools/setup/company_profile.h"

#include "base/string_table.h"

namespace r7::setup {
namespace {

constexpr int kCompanyLine = 270;
// The remaining lines: the label's string and the company information item.
struct ProfileLine {
  int label;
  int item;
};
constexpr ProfileLine kLines[] = {
    {271, 0},   // Name
    {272, 1},   // Current Period
    {273, 8},   // Periods Per Year
    {274, 6},   // Year
    {275, 15},  // Account Code Structure
    {276, 21},  // Number of Segments
};
constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

CompanyProfile BuildCompanyProfile(CompanyCatalogue& companies, std::string_view code) {
  CompanyProfile profile;
  profile.text = std::string(StringText(kCompanyLine)) + std::string(code) + std::string(kLineEnd);
  for (const ProfileLine& line : kLines) {
    std::string value;
    const int status = companies.CompanyInfo(value, code, line.item, "");
    if (status != 0) {
      if (line.item == 0) return {status, ""};
      continue;
    }
    profile.text += std::string(StringText(line.label)) + value + std::string(kLineEnd);
  }
  return profile;
}

}  // namespace r7::setup
