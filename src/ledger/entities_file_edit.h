// Changes to one open financial entities file, record by record: what the maintenance
// dialog and a rebuild write. (platform-independent)
//
// Each change keeps what the file held up to its last step: a record that changes is
// rewritten in place by one update, never deleted and written again, so a crash between
// two steps leaves the entity or value as it was or as it is meant to be, never gone. The
// routines work on whichever file is open in the position block they are given: a
// company's own file, or the new file that a rebuild fills. Names and values compare
// without regard to case, as the file's keys do.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "recordmgr/record_manager.h"

namespace r7 {

// One record as the dialogs show it: its full value text and its description or name.
struct EntityEntry {
  std::string value;
  std::string description;
};

class EntitiesFileEdit {
 public:
  EntitiesFileEdit(RecordManager& records, PosBlock& position)
      : records_(records), position_(position) {}

  // The first record of segment code `code` whose value is `value` (its first 30
  // characters, as key 0 holds it).
  std::optional<EntityEntry> FindValue(int code, std::string_view value);
  // The first record of `code` whose value begins with `prefix`, in value order.
  std::optional<EntityEntry> FindValueStartingWith(int code, std::string_view prefix);
  // The first record of `code` with that description or name (key 2).
  std::optional<EntityEntry> FindName(int code, std::string_view name);

  // A value of `code` with its description: inserted when the file has no record of the
  // value; otherwise, with `update`, the first record of the value takes the description
  // unless it reads the same without regard to case. Returns the record manager's status.
  int PutValue(int code, std::string_view value, std::string_view description, bool update);
  // A named record of `code` (an entity: code 101 to 103) holding `value`: the first record
  // of that name takes the value in place and any others of the name are removed; without
  // one, it is inserted.
  int PutNamed(int code, std::string_view name, std::string_view value);

  // Removes the records of `code` with that value; with `only_description`, only those
  // whose description reads so (without regard to case).
  int DeleteValue(int code, std::string_view value,
                  std::optional<std::string_view> only_description = std::nullopt);
  // Removes the records of `code` with that description or name.
  int DeleteNamed(int code, std::string_view name);

  // Copies every record of the file open in `from` into this one, in name order.
  int CopyFrom(PosBlock& from);

 private:
  // Deletes, one at a time, the records that key `key_number` finds equal to `key` and
  // `remove` accepts.
  template <typename Remove>
  int DeleteWhere(int key_number, const std::string& key, Remove remove);

  RecordManager& records_;
  PosBlock& position_;
};

}  // namespace r7
