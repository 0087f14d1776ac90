// The used-account list of a company: every account that the balance engine or the preload
// lookup visited while usage tracking was on, with a use count. (platform-independent)
//
// Entries are unique by account, compared without regard to case, and stay in the order in
// which the accounts were first used; the usage report lists them in that order.
#pragma once

#include <string_view>
#include <vector>

#include "ledger/company_catalogue.h"

namespace r7 {

inline constexpr std::size_t kMaxUsedAccountText = 38;  // the display form of an account
inline constexpr std::size_t kMaxUsedDescription = 30;

// Appends `account` with a count of 1, or raises the count of its entry by 1. Both texts
// are cut to their capacities first.
void RecordAccountUse(std::vector<UsedAccount>& list, std::string_view account,
                      std::string_view description);

// The entry of `account` (without regard to case), or null.
const UsedAccount* FindUsedAccount(const std::vector<UsedAccount>& list, std::string_view account);

}  // namespace r7
