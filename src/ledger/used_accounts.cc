// The used-account list of a company. (platform-independent)
#include "ledger/used_accounts.h"

#include <limits>
#include <utility>

#include "common/text_util.h"

namespace r7 {

const UsedAccount* UsedAccountList::Find(std::string_view account) const {
  auto found = index_.find(ToUpperAscii(account));
  return found == index_.end() ? nullptr : &entries_[found->second];
}

UsedAccount* UsedAccountList::Find(std::string_view account) {
  return const_cast<UsedAccount*>(std::as_const(*this).Find(account));
}

void UsedAccountList::Append(UsedAccount entry) {
  index_.emplace(ToUpperAscii(entry.account), entries_.size());
  entries_.push_back(std::move(entry));
}

const UsedAccount* FindUsedAccount(const UsedAccountList& list, std::string_view account) {
  return list.Find(account);
}

bool CountKnownAccountUse(UsedAccountList& list, std::string_view account) {
  UsedAccount* entry = list.Find(CutTo(account, kMaxUsedAccountText));
  if (entry == nullptr) return false;
  if (entry->uses < std::numeric_limits<int>::max()) ++entry->uses;
  return true;
}

void RecordAccountUse(UsedAccountList& list, std::string_view account,
                      std::string_view description) {
  if (CountKnownAccountUse(list, account)) return;
  list.Append(
      UsedAccount{CutTo(account, kMaxUsedAccountText), CutTo(description, kMaxUsedDescription), 1});
}

}  // namespace r7
