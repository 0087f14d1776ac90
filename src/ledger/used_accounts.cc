// The used-account list of a company. (platform-independent)
#include "ledger/used_accounts.h"

#include <limits>

#include "common/text_util.h"

namespace r7 {

const UsedAccount* FindUsedAccount(const std::vector<UsedAccount>& list, std::string_view account) {
  for (const UsedAccount& entry : list) {
    if (EqualsIgnoreCase(entry.account, account)) return &entry;
  }
  return nullptr;
}

void RecordAccountUse(std::vector<UsedAccount>& list, std::string_view account,
                      std::string_view description) {
  std::string key = CutTo(account, kMaxUsedAccountText);
  for (UsedAccount& entry : list) {
    if (EqualsIgnoreCase(entry.account, key)) {
      if (entry.uses < std::numeric_limits<int>::max()) ++entry.uses;
      return;
    }
  }
  list.push_back(UsedAccount{std::move(key), CutTo(description, kMaxUsedDescription), 1});
}

}  // namespace r7
