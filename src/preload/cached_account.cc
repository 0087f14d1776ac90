// One preloaded account: its key in the store's form, its kind and its two packed rows of
// amounts. (platform-independent)
#include "preload/cached_account.h"

#include <algorithm>

#include "ledger/account_number.h"

namespace r7::preload {
namespace {

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool Orderable(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return u >= 0x20 && u <= 0x7D && !(c >= 'a' && c <= 'z');
}

std::string FittedSegment(std::string_view field, int length) {
  std::size_t width = static_cast<std::size_t>(length);
  if (std::any_of(field.begin(), field.end(), IsLetter)) {
    std::size_t end = field.find_last_not_of(' ');
    std::string value(field.substr(0, end == std::string_view::npos ? 0 : end + 1));
    if (value.size() < width) value.resize(width, ' ');
    return value;
  }
  return std::string(field.substr(field.size() > width ? field.size() - width : 0));
}

}  // namespace

SegmentViews CachedAccount::Segments() const {
  SegmentViews views{};
  std::string_view text = key;
  for (int i = 0; i < segment_count && i < kMaxStoreSegments; ++i) {
    views[i] = text.substr(segment_starts[i], segment_starts[i + 1] - segment_starts[i]);
  }
  return views;
}

RowAmounts CachedAccount::Expand(int row) const {
  if (row < 0 || row >= kRowCount) return RowAmounts{};
  return ExpandRow(rows[row]);
}

std::string CachedAccount::DisplayText() const {
  std::string text;
  SegmentViews segments = Segments();
  for (int i = 0; i < segment_count; ++i) {
    if (i > 0) text += '-';
    text += segments[i];
  }
  return text;
}

bool MakeAccountKey(std::string_view account_number, const SegmentLayout& layout,
                    CachedAccount* account) {
  if (account_number.size() < kAccountNumberWidth) return false;
  if (layout.count < 1 || layout.count > kMaxStoreSegments) return false;
  std::string key;
  std::array<std::uint8_t, kMaxStoreSegments + 1> starts{};
  for (int i = 0; i < layout.count; ++i) {
    if (layout.fields[i] < 0 || layout.fields[i] >= kSegmentCount) return false;
    std::size_t at = static_cast<std::size_t>(layout.fields[i]) * kSegmentFieldWidth;
    std::string_view field = account_number.substr(at, kSegmentFieldWidth);
    starts[i] = static_cast<std::uint8_t>(key.size());
    key += FittedSegment(field, layout.lengths[i]);
  }
  starts[layout.count] = static_cast<std::uint8_t>(key.size());
  if (!std::all_of(key.begin(), key.end(), Orderable)) return false;
  account->key = std::move(key);
  account->segment_starts = starts;
  account->segment_count = layout.count;
  return true;
}

}  // namespace r7::preload
