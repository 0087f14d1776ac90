// The currency of one open file: which record is current and where the next Get Next goes.
// (portable)
//
// States and the invariants that hold in each (checked by Valid(), asserted after every
// change in debug builds):
//   kNone        nothing is current (fresh open). key == -1, position == 0, entry empty.
//   kOnRecord    the record at `position` is current (position != 0). When key >= 0 the
//                record is also current in that key's order: entry is its entry there
//                (entry.position == position, entry.image the key's length). When key == -1
//                the currency is physical only (Get Direct without a key) and entry is empty.
//   kAfterDelete the current record was deleted. position == 0, key >= 0 and entry keeps
//                where the record stood in that key's order, so Get Next continues with the
//                record that followed it; Update, Delete and Get Position have nothing to act
//                on.
// A failed operation leaves the cursor as it was.
#pragma once

#include <cassert>
#include <cstdint>
#include <utility>

#include "record_file.h"

namespace recordstore {

class Cursor {
 public:
  enum class State { kNone, kOnRecord, kAfterDelete };

  State state() const { return state_; }
  int key() const { return key_; }
  uint32_t position() const { return position_; }
  const IndexEntry& entry() const { return entry_; }
  bool has_record() const { return state_ == State::kOnRecord; }
  // Whether Get Next has a place in some key's order to continue from.
  bool has_key_position() const { return state_ != State::kNone && key_ >= 0; }

  void OnRecord(int key, IndexEntry entry) { TakeRecord(key, &entry); }

  // The same, taking `entry` by exchange: it receives the entry it replaces, so that a scan
  // reuses the storage of both.
  void TakeRecord(int key, IndexEntry* entry) {
    state_ = State::kOnRecord;
    key_ = key;
    position_ = entry->position;
    std::swap(entry_, *entry);
    assert(Valid());
  }

  void OnPhysicalRecord(uint32_t position) {
    state_ = State::kOnRecord;
    key_ = -1;
    position_ = position;
    entry_ = IndexEntry{};
    assert(Valid());
  }

  // The current record was deleted.
  void RecordDeleted() {
    assert(has_record());
    if (key_ < 0) {
      *this = Cursor();
    } else {
      state_ = State::kAfterDelete;
      position_ = 0;
    }
    assert(Valid());
  }

  bool Valid() const {
    switch (state_) {
      case State::kNone:
        return key_ == -1 && position_ == 0 && entry_.image.empty();
      case State::kOnRecord:
        if (position_ == 0) return false;
        if (key_ < 0) return entry_.image.empty();
        return entry_.position == position_ && !entry_.image.empty();
      case State::kAfterDelete:
        return position_ == 0 && key_ >= 0 && !entry_.image.empty();
    }
    return false;
  }

 private:
  State state_ = State::kNone;
  int key_ = -1;
  uint32_t position_ = 0;
  IndexEntry entry_;
};

}  // namespace recordstore
