// The nine attribute slots of the period phrase being parsed. (platform-independent)
//
// Every attribute a phrase states lands in one slot, and a slot may be given only once
// per phrase: a second value is a conflict with the slot's own message. The values 7, 15,
// 63, 255 and 511 exist so that an explicit default word (BALANCES, CLOSING, ACTUAL, ...)
// occupies its slot and collides with its opposite; they are stored as 0. A new object
// starts with every slot empty, so nothing of one phrase reaches the next.
#pragma once

#include <cstdint>

namespace r7 {

// What Set answers besides kOk and the conflict messages: a value that belongs to no slot.
inline constexpr int kAttributeRefused = 1;

class PeriodAttributes {
 public:
  // Routes `value` to its slot. Returns kOk; a conflict code (19, 25 to 30) when the slot
  // is already given or RUNNING meets BALANCES; or kAttributeRefused, without a message,
  // for a value that belongs to no slot.
  int Set(std::uint32_t value);

  bool scale_given() const { return scale_.given; }
  bool years_back_given() const { return years_back_.given; }
  bool running_given() const { return running_.given; }

  // The flag word: the bitwise OR of every slot's stored value.
  std::uint32_t Flags() const;

 private:
  struct Slot {
    std::uint32_t value = 0;
    bool given = false;
  };
  // Stores `stored` unless the slot is given, in which case it answers `conflict`.
  static int Give(Slot& slot, std::uint32_t stored, int conflict);

  Slot scale_, balance_change_, position_, years_back_, opening_, budget_, to_date_, running_,
      named_month_;
};

}  // namespace r7
