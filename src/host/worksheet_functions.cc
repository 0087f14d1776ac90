// The table of worksheet functions the driver answers. (platform-independent)
#include "host/worksheet_functions.h"

#include "host/driver.h"

namespace r7 {

void RegisterWorksheetFunctions(Driver& driver) {
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
