// The record manager's transactions: the writes a client makes between Begin Transaction and
// End Transaction stand or fall together. (portable)
//
// A client (BTRCALL's, or one id of BTRCALLID) runs at most one transaction. Every file it
// writes while the transaction runs takes part from its first write on (its connection
// holds one SQLite write transaction), and each write inside runs in a savepoint of its own,
// so that a write that fails leaves the others as they were. End commits the files one
// after the other: each file's commit is atomic and durable, but two files are not committed
// as one. Abort rolls them back; so does a process that dies before the end, since SQLite
// plays the journal of an unfinished transaction back at the next open. A file that holds
// writes of a running transaction cannot be closed (41): its client ends the transaction
// first. Stopping or resetting the client closes its files, which rolls back what they held.
#pragma once

#include <cstdint>
#include <set>

#include "open_file_table.h"

namespace recordstore {

class Transactions {
 public:
  // 37 when the client runs one already.
  int16_t Begin(const ClientId& client);
  // Commits (or rolls back) every file of the client that took part; 39 without a
  // transaction. The first failed commit is the answer; the other files are still ended.
  int16_t End(OpenFileTable& table, const ClientId& client, bool commit);
  // Before the file's client writes it: the file takes part when its client runs a
  // transaction.
  int16_t Join(OpenFile& file);
  // The client is gone (stop, reset): its transaction with it.
  void Forget(const ClientId& client) { active_.erase(client); }
  void ForgetAll() { active_.clear(); }

 private:
  std::set<ClientId> active_;
};

}  // namespace recordstore
