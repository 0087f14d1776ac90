// The options field of the balance and budget-write functions: a budget revision and a
// range keyword. (platform-independent)
//
// Up to two items separated by a comma; anything after a second comma is ignored. An item
// whose first two characters are digits sets the revision to those two digits; a single
// digit gets a leading "0" ("3" is revision 03). "RNG", "RNG1" and "R7" (without regard to
// case) set the range type 0, 1 and 2. Any other item is ignored.
#pragma once

#include <string_view>

#include "specifiers/account_request.h"

namespace r7 {

void ApplyRequestOptions(std::string_view options, AccountRequest& request);

}  // namespace r7
