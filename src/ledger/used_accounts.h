// Recording the accounts that the balance engine or the preload lookup visited while usage
// tracking was on, in the company's used-account list (used_account_list.h).
// (platform-independent)
#pragma once

#include <string_view>

#include "ledger/used_account_list.h"

namespace r7 {

inline constexpr std::size_t kMaxUsedAccountText = 38;  // the display form of an account
inline constexpr std::size_t kMaxUsedDescription = 30;

// Appends `account` with a count of 1, or raises the count of its entry by 1. Both texts
// are cut to their capacities first.
void RecordAccountUse(UsedAccountList& list, std::string_view account,
                      std::string_view description);

// Raises the count of `account`'s entry by 1 when it has one: true then. A caller whose
// description costs a read asks this first, since a known account's description is kept
// from its first use.
bool CountKnownAccountUse(UsedAccountList& list, std::string_view account);

// The entry of `account` (without regard to case), or null.
const UsedAccount* FindUsedAccount(const UsedAccountList& list, std::string_view account);

}  // namespace r7
