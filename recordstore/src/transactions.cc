// The record manager's transactions. (portable)
#include "transactions.h"

#include "wbtrv32.h"

namespace recordstore {

int16_t Transactions::Begin(const ClientId& client) {
  return active_.insert(client).second ? btr::kOk : btr::kTransactionActive;
}

int16_t Transactions::End(OpenFileTable& table, const ClientId& client, bool commit) {
  if (active_.erase(client) == 0) return btr::kEndAbortTransactionError;
  int16_t result = btr::kOk;
  for (OpenFile* file : table.FilesOf(client)) {
    const int16_t status = file->file->EndTransaction(commit);
    if (result == btr::kOk) result = status;
  }
  return result;
}

int16_t Transactions::Join(OpenFile& file) {
  if (active_.count(file.client) == 0) return btr::kOk;
  return file.file->JoinTransaction();
}

}  // namespace recordstore
