// The table of worksheet functions the driver answers. (platform-independent)
#include "host/worksheet_functions.h"

#include "host/driver.h"

namespace r7 {

void RegisterWorksheetFunctions(Driver& driver) {
  driver.RegisterWorksheet(100, [&driver](std::string_view argument, std::string& result) {
    return BalanceFunction(driver, argument, result, false);
  });
  driver.RegisterWorksheet(102, [&driver](std::string_view argument, std::string& result) {
    return BalanceFunction(driver, argument, result, true);
  });
  driver.RegisterWorksheet(104, [&driver](std::string_view argument, std::string& result) {
    return TransactionTotalFunction(driver, argument, result);
  });
  driver.RegisterWorksheet(126, [&driver](std::string_view argument, std::string& result) {
    return BudgetWriteFunction(driver, argument, result);
  });
  driver.RegisterWorksheet(103, [&driver](std::string_view argument, std::string& result) {
    return AccountDescriptionFunction(driver, argument, result);
  });
  driver.RegisterWorksheet(114, [&driver](std::string_view argument, std::string& result) {
    return SegmentDescriptionFunction(driver, argument, result);
  });
  driver.RegisterWorksheet(116, [&driver](std::string_view argument, std::string& result) {
    return AccountInformationFunction(driver, argument, result);
  });
  driver.RegisterWorksheet(115, [&driver](std::string_view argument, std::string& result) {
    return CompanyInformationFunction(driver, argument, result);
  });
}

}  // namespace r7
