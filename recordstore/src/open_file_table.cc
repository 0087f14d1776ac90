// The table of open files and the position-block handle. (portable)
#include "open_file_table.h"

#include <cstring>
#include <set>

#include "bytes.h"

namespace recordstore {
namespace {

// Handle layout in the position block: marker at 0, slot at 4, generation at 8, check at 12.
constexpr uint32_t kMarker = 0x53523752;  // "R7RS" in file order
constexpr uint32_t kCheckSalt = 0x9e3779b9;
constexpr size_t kHandleSize = 16;

uint32_t CheckWord(uint32_t slot, uint32_t generation) {
  return (slot * 0x85ebca6bU) ^ (generation * 0xc2b2ae35U) ^ kCheckSalt;
}

}  // namespace

OpenFile* OpenFileTable::Find(const void* position_block) {
  if (position_block == nullptr) return nullptr;
  const auto* block = static_cast<const uint8_t*>(position_block);
  if (LoadU32(block) != kMarker) return nullptr;
  const uint32_t slot = LoadU32(block + 4);
  const uint32_t generation = LoadU32(block + 8);
  if (LoadU32(block + 12) != CheckWord(slot, generation)) return nullptr;
  if (slot >= slots_.size() || slots_[slot].file == nullptr ||
      slots_[slot].generation != generation) {
    return nullptr;
  }
  return slots_[slot].file.get();
}

void OpenFileTable::Add(std::unique_ptr<OpenFile> file, void* position_block) {
  size_t slot = 0;
  while (slot < slots_.size() && slots_[slot].file != nullptr) ++slot;
  if (slot == slots_.size()) slots_.emplace_back();
  const uint32_t generation = next_generation_++;
  if (next_generation_ == 0) next_generation_ = 1;
  slots_[slot] = Slot{std::move(file), generation};

  auto* block = static_cast<uint8_t*>(position_block);
  std::memset(block, 0, kHandleSize);
  StoreU32(block, kMarker);
  StoreU32(block + 4, static_cast<uint32_t>(slot));
  StoreU32(block + 8, generation);
  StoreU32(block + 12, CheckWord(static_cast<uint32_t>(slot), generation));
}

void OpenFileTable::Close(void* position_block) {
  OpenFile* file = Find(position_block);
  if (file == nullptr) return;
  const uint32_t slot = LoadU32(static_cast<const uint8_t*>(position_block) + 4);
  slots_[slot] = Slot{};
  std::memset(position_block, 0, kHandleSize);
}

void OpenFileTable::CloseClient(const ClientId& client) {
  for (Slot& slot : slots_) {
    if (slot.file != nullptr && slot.file->client == client) slot = Slot{};
  }
}

std::vector<OpenFile*> OpenFileTable::FilesOf(const ClientId& client) {
  std::vector<OpenFile*> files;
  for (Slot& slot : slots_) {
    if (slot.file != nullptr && slot.file->client == client) files.push_back(slot.file.get());
  }
  return files;
}

void OpenFileTable::CloseAll() {
  slots_.clear();
}

size_t OpenFileTable::handle_count() const {
  size_t count = 0;
  for (const Slot& slot : slots_) count += slot.file != nullptr ? 1 : 0;
  return count;
}

size_t OpenFileTable::file_count() const {
  std::set<std::string> identities;
  for (const Slot& slot : slots_) {
    if (slot.file != nullptr) identities.insert(slot.file->identity);
  }
  return identities.size();
}

bool OpenFileTable::IsOpen(const std::string& identity) const {
  for (const Slot& slot : slots_) {
    if (slot.file != nullptr && slot.file->identity == identity) return true;
  }
  return false;
}

bool OpenFileTable::IsOpenExclusively(const std::string& identity) const {
  for (const Slot& slot : slots_) {
    if (slot.file != nullptr && slot.file->identity == identity && slot.file->exclusive) {
      return true;
    }
  }
  return false;
}

}  // namespace recordstore
