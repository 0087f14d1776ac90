// The spreadsheet rows of a report layout's lines. (platform-independent)
#include "tools/report_layout/layout_rows.h"

#include <algorithm>

#include "common/text_util.h"

namespace r7::report_layout {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kSegmentWidth = 8;
constexpr std::size_t kAccountWidth = 3 * kSegmentWidth;
constexpr std::size_t kRangeWidth = 6 * kSegmentWidth;
constexpr std::size_t kSubtitleWidth = 30;
constexpr std::size_t kLiteralWidth = 50;

enum class RowKind {
  kAccount,
  kRange,
  kRange1,
  kSubtitle,
  kLiteral,
  kFeed,
  kUnderline,
  kDouble,
  kEmpty
};

// The first letter decides for A, B, C, E, F, T and U; for D, L, P, R and S the first three
// characters do (four for RNG1), and a code that names none of those is an empty row.
RowKind KindOf(std::string_view type) {
  if (type.empty()) return RowKind::kEmpty;
  switch (type[0]) {
    case 'A':
      return RowKind::kAccount;
    case 'B':
      return RowKind::kSubtitle;
    case 'F':
      return RowKind::kFeed;
    case 'U':
      return RowKind::kUnderline;
    case 'D':
    case 'L':
    case 'P':
    case 'R':
    case 'S':
      break;
    default:
      return RowKind::kEmpty;
  }
  if (type.substr(0, 4) == "RNG1") return RowKind::kRange1;
  const std::string_view three = TrimTrailingBlanks(type.substr(0, 3));
  if (three == "RNG") return RowKind::kRange;
  if (three == "PAT" || three == "SUB") return RowKind::kSubtitle;
  if (three == "LIT") return RowKind::kLiteral;
  if (three == "LF") return RowKind::kFeed;
  if (three == "DL") return RowKind::kDouble;
  return RowKind::kEmpty;
}

std::string_view Segment(std::string_view text, std::size_t index) {
  return text.substr(std::min(text.size(), index * kSegmentWidth), kSegmentWidth);
}

std::string AccountText(std::string_view text, const std::array<int, 3>& lengths,
                        Inclusion inclusion) {
  text = text.substr(0, kAccountWidth);
  std::string result = "'" + FitSegment(Segment(text, 0), lengths[0]) + "-";
  if (inclusion.profit_centers) {
    result += FitSegment(Segment(text, 1), lengths[1]) + "-";
    if (inclusion.departments) result += FitSegment(Segment(text, 2), lengths[2]);
  }
  return result;
}

// From-1, from-2, from-3, to-1, to-2, to-3: each segment's "from..to", or "from" alone when
// both ends are the same.
std::string RangeText(std::string_view text, const std::array<int, 3>& lengths,
                      Inclusion inclusion) {
  text = text.substr(0, kRangeWidth);
  auto part = [&](std::size_t segment) {
    const std::string from = FitSegment(Segment(text, segment), lengths[segment]);
    const std::string to = FitSegment(Segment(text, segment + 3), lengths[segment]);
    return from == to ? from : from + ".." + to;
  };
  std::string result = "'" + part(0) + "-";
  if (inclusion.profit_centers) {
    result += part(1) + "-";
    if (inclusion.departments) result += part(2);
  }
  return result;
}

}  // namespace

std::string FitSegment(std::string_view field, int length) {
  const bool letters =
      std::any_of(field.begin(), field.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
  if (letters) return std::string(TrimTrailingBlanks(field));
  const std::size_t keep = std::min(field.size(), static_cast<std::size_t>(std::max(length, 0)));
  return std::string(field.substr(field.size() - keep));
}

std::string LayoutRow(std::string_view type, std::string_view text,
                      const std::array<int, 3>& segment_lengths, Inclusion inclusion) {
  inclusion.departments = inclusion.departments && inclusion.profit_centers;
  std::string row;
  switch (KindOf(type)) {
    case RowKind::kAccount:
      row = "  \t" + AccountText(text, segment_lengths, inclusion);
      break;
    case RowKind::kRange:
      row = "RNG\t" + RangeText(text, segment_lengths, inclusion);
      break;
    case RowKind::kRange1:
      row = "RNG1\t" + RangeText(text, segment_lengths, inclusion);
      break;
    case RowKind::kSubtitle:
      row = "  \t \t'" + std::string(text.substr(0, kSubtitleWidth));
      break;
    case RowKind::kLiteral:
      row = "  \t'" + std::string(text.substr(0, kLiteralWidth));
      break;
    case RowKind::kFeed:
      row = kLineEnd;
      break;
    case RowKind::kUnderline:
      row = "  \t  \t  \t---------------";
      break;
    case RowKind::kDouble:
      row = "  \t  \t  \t  \t===============";
      break;
    case RowKind::kEmpty:
      break;
  }
  return row + std::string(kLineEnd);
}

}  // namespace r7::report_layout
