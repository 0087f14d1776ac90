// The worksheet functions the driver answers; exports/driver_assembly.cc registers them
// with the driver by code. (platform-independent)
#pragma once

#include <string>
#include <string_view>

namespace r7 {

class Driver;

// Code 103: the description of the first account an account specifier selects.
int AccountDescriptionFunction(Driver& driver, std::string_view argument, std::string& result);

// Code 114: the title of a segment, or the description of one segment of an account.
int SegmentDescriptionFunction(Driver& driver, std::string_view argument, std::string& result);

// Code 116: one item of account information by keyword.
int AccountInformationFunction(Driver& driver, std::string_view argument, std::string& result);

// Codes 100 and 102: the balance summed over a list of companies, 102 with its sign
// reversed.
int BalanceFunction(Driver& driver, std::string_view argument, std::string& result,
                    bool reverse_sign);

// Code 104, "GLTRAN": the transaction total between two dates over a list of companies.
int TransactionTotalFunction(Driver& driver, std::string_view argument, std::string& result);

// Code 126: a budget write of one value; the cell keeps the value written.
int BudgetWriteFunction(Driver& driver, std::string_view argument, std::string& result);

// Code 115: one item of company information by keyword.
int CompanyInformationFunction(Driver& driver, std::string_view argument, std::string& result);

}  // namespace r7
