// Byte images of ledger records: typed reads and writes of fields at fixed offsets.
// (platform-independent)
//
// A record image is a run of bytes as the record manager stores it. Each layout names its
// fields once, as constants of the field types below, and reads and writes them only
// through an image. An image never reaches outside the bytes it was given: a field that
// the image does not wholly hold reads as the part it holds (texts) or as 0 (numbers), and
// a write to such a field changes nothing. Period amounts are IEEE doubles in little-endian
// byte order whatever the machine's order is, as the ledger files keep them.
//
// `ImageView` reads from bytes the caller owns; `MutableImage` also writes into them. The
// caller keeps the bytes alive for the life of the image.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <type_traits>

namespace r7::ledger {

// `width` characters at `offset`.
struct TextField {
  std::size_t offset;
  std::size_t width;
  constexpr std::size_t end() const { return offset + width; }
};

// `count` consecutive 8-byte doubles from `offset`.
struct DoubleArrayField {
  std::size_t offset;
  std::size_t count;
  constexpr std::size_t end() const { return offset + 8 * count; }
};

// A signed 16-bit little-endian integer.
struct Int16Field {
  std::size_t offset;
  constexpr std::size_t end() const { return offset + 2; }
};

template <typename Byte>
class BasicImage {
  static_assert(std::is_same_v<std::remove_const_t<Byte>, char>);
  static constexpr bool kWritable = !std::is_const_v<Byte>;

 public:
  explicit BasicImage(std::span<Byte> bytes) : bytes_(bytes) {}
  BasicImage(Byte* data, std::size_t size) : bytes_(data, size) {}

  std::size_t size() const { return bytes_.size(); }
  std::string_view bytes() const { return {bytes_.data(), bytes_.size()}; }

  std::string_view Text(TextField field) const {
    if (field.offset >= size()) return {};
    return {bytes_.data() + field.offset, std::min(field.width, size() - field.offset)};
  }

  // Period `index` (0-based) of the array; 0 when out of the array or the image.
  double Double(DoubleArrayField field, std::size_t index) const {
    if (index >= field.count) return 0;
    std::size_t at = field.offset + 8 * index;
    if (at + 8 > size()) return 0;
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | static_cast<unsigned char>(bytes_[at + i]);
    return std::bit_cast<double>(bits);
  }

  std::int16_t Int16(Int16Field field) const {
    if (field.end() > size()) return 0;
    auto low = static_cast<unsigned char>(bytes_[field.offset]);
    auto high = static_cast<unsigned char>(bytes_[field.offset + 1]);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
  }

  // Writes `value` cut to the field's width, filling the rest of the field with `pad`.
  void SetText(TextField field, std::string_view value, char pad = ' ') requires kWritable {
    if (field.end() > size()) return;
    for (std::size_t i = 0; i < field.width; ++i)
      bytes_[field.offset + i] = i < value.size() ? value[i] : pad;
  }

  void SetDouble(DoubleArrayField field, std::size_t index, double value) requires kWritable {
    if (index >= field.count) return;
    std::size_t at = field.offset + 8 * index;
    if (at + 8 > size()) return;
    auto bits = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i) bytes_[at + i] = static_cast<char>((bits >> (8 * i)) & 0xff);
  }

  void SetInt16(Int16Field field, std::int16_t value) requires kWritable {
    if (field.end() > size()) return;
    auto bits = static_cast<std::uint16_t>(value);
    bytes_[field.offset] = static_cast<char>(bits & 0xff);
    bytes_[field.offset + 1] = static_cast<char>(bits >> 8);
  }

 private:
  std::span<Byte> bytes_;
};

using ImageView = BasicImage<const char>;
using MutableImage = BasicImage<char>;

}  // namespace r7::ledger
