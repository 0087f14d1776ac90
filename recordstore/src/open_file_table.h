// The process's table of open record-manager files, and the handle a position block holds.
// (portable)
//
// Each successful Open makes one entry (its own connection and its own cursor) and writes a
// handle naming it into the caller's position block: a marker, the slot, the slot's
// generation and a check word. Find answers only for a block whose handle names a live
// entry; a block that was never opened, was closed, names a slot since reused, or holds
// anything else finds nothing. The table owns the entries; a pointer from Find stays valid
// until that entry is closed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cursor.h"
#include "record_file.h"

namespace recordstore {

// Whose files an entry is: the 16-byte client id of BTRCALLID, all zero for BTRCALL.
using ClientId = std::array<uint8_t, 16>;

struct OpenFile {
  std::unique_ptr<RecordFile> file;
  std::string identity;  // the file's canonical path: one file opened twice has one identity
  ClientId client{};
  bool read_only = false;
  bool exclusive = false;
  Cursor cursor;
};

class OpenFileTable {
 public:
  OpenFile* Find(const void* position_block);
  // Takes the entry and writes its handle into the position block (128 bytes).
  void Add(std::unique_ptr<OpenFile> file, void* position_block);
  // Closes the entry the block names (if any) and clears the handle from the block.
  void Close(void* position_block);
  void CloseClient(const ClientId& client);
  // Every open entry of the client.
  std::vector<OpenFile*> FilesOf(const ClientId& client);
  void CloseAll();

  size_t handle_count() const;
  // The number of distinct files open.
  size_t file_count() const;
  bool IsOpen(const std::string& identity) const;
  bool IsOpenExclusively(const std::string& identity) const;

 private:
  struct Slot {
    std::unique_ptr<OpenFile> file;
    uint32_t generation = 0;
  };
  std::vector<Slot> slots_;
  uint32_t next_generation_ = 1;
};

}  // namespace recordstore
