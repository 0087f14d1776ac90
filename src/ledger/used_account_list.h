// The used-account list of a company: the accounts that balance lookups visited while usage
// tracking was on, with a use count. (platform-independent)
//
// Entries stay in the order in which the accounts were first used (the usage report lists
// them so) and are unique by account without regard to case; an index by the upper-cased
// account makes a use cost one lookup however long the list grows. used_accounts.h records
// uses.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace r7 {

struct UsedAccount {
  std::string account;
  std::string description;
  int uses = 0;
};

class UsedAccountList {
 public:
  using const_iterator = std::vector<UsedAccount>::const_iterator;

  const_iterator begin() const { return entries_.begin(); }
  const_iterator end() const { return entries_.end(); }
  bool empty() const { return entries_.empty(); }
  std::size_t size() const { return entries_.size(); }
  const UsedAccount& operator[](std::size_t i) const { return entries_[i]; }
  void clear() {
    entries_.clear();
    index_.clear();
  }

  // The entry of `account` (without regard to case), or null.
  const UsedAccount* Find(std::string_view account) const;
  UsedAccount* Find(std::string_view account);
  // Appends an entry for an account that is not in the list.
  void Append(UsedAccount entry);

 private:
  std::vector<UsedAccount> entries_;
  std::unordered_map<std::string, std::size_t> index_;  // upper-cased account -> entry
};

}  // namespace r7
