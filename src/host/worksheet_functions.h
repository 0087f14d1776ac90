// The worksheet functions the driver answers, registered with the driver by code.
// (platform-independent)
#pragma once

#include <string>
#include <string_view>

namespace r7 {

class Driver;

// Registers every worksheet function built so far; the others answer "Function not
// supported" until they land.
void RegisterWorksheetFunctions(Driver& driver);

// Code 115: one item of company information by keyword.
int CompanyInformationFunction(Driver& driver, std::string_view argument, std::string& result);

}  // namespace r7
