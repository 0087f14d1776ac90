// Random stores: scans of every ordering find what a plain filter finds; containment is sound.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "ledger/account_number.h"
#include "preload/preload_cache.h"

namespace r7::preload {
namespace {

constexpr unsigned kSeed = 5217;
constexpr int kStores = 12;
constexpr int kAccountsPerStore = 300;
constexpr int kPiecesPerStore = 120;

class Generator {
 public:
  explicit Generator(unsigned seed) : random_(seed) {}

  int Below(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
  bool OneIn(int n) { return Below(n) == 0; }

  // A segment value as a ledger holds it: digits mostly, sometimes a letter code.
  std::string Value(int length) {
    std::string value;
    if (OneIn(6)) {
      value += static_cast<char>('A' + Below(3));
      int more = Below(length);
      for (int i = 0; i < more; ++i) value += static_cast<char>('0' + Below(3));
      return value;
    }
    int digits = 1 + Below(length);
    for (int i = 0; i < digits; ++i) value += static_cast<char>('0' + Below(4));
    return value;
  }

  // One segment of a piece, built around `near` (a fitted key segment) or at random.
  std::string PiecePart(std::string near, int length) {
    near.erase(near.find_last_not_of(' ') + 1);
    const int kind = Below(8);
    if (kind == 0) return "*";
    if (kind == 1) return near;
    if (kind == 2) {
      std::string a = OneIn(2) ? near : Value(length), b = Value(length);
      if (OneIn(4)) std::swap(a, b);  // sometimes an empty range
      return a < b ? a + ".." + b : b + ".." + a;
    }
    if (kind == 3)
      return near.substr(0, static_cast<std::size_t>(Below(static_cast<int>(near.size())) + 1)) +
             "*";
    if (kind == 4) {
      for (char& c : near) {
        if (OneIn(2)) c = '?';
      }
      return near;
    }
    if (kind == 5) return "*" + near.substr(near.size() - std::min<std::size_t>(near.size(), 1));
    if (kind == 6) return Value(length);
    return OneIn(2) ? "**" : "";
  }

 private:
  std::mt19937 random_;
};

const std::array<int, 3> kCompanies[] = {{4, 2, 3}, {4, 2, 0}, {3, 0, 2}, {5, 0, 0}, {2, 1, 1}};

std::string KeyText(const SegmentViews& key, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += std::string(key[i]) + "|";
  return text;
}

TEST(PreloadStorePropertyTest, ScansOfEveryOrderingFindWhatAPlainFilterFinds) {
  Generator gen(kSeed);
  int pieces_with_accounts = 0, unusable_pieces = 0, proper_containments = 0;
  for (int round = 0; round < kStores; ++round) {
    const std::array<int, 3>& company = kCompanies[round % std::size(kCompanies)];
    SegmentLayout layout = SegmentLayout::FromCompanyLengths(company);
    PreloadCache store(layout);
    for (int i = 0; i < kAccountsPerStore; ++i) {
      std::string values[3];
      for (int s = 0; s < 3; ++s) values[s] = company[s] > 0 ? gen.Value(company[s]) : "0";
      std::string number = ledger::StoredAccountNumber(values[0], values[1], values[2]);
      ASSERT_EQ(store.AddAccount(number, 1 + gen.Below(2), RowAmounts{}, nullptr), kStoreOk);
    }
    ASSERT_EQ(store.BuildOrderings(), kStoreOk);
    ASSERT_TRUE(store.CheckInvariants());
    const std::vector<const CachedAccount*>& all = store.order(0);

    std::vector<RangeDescriptor> pieces;
    for (int p = 0; p < kPiecesPerStore; ++p) {
      SegmentViews near =
          all[static_cast<std::size_t>(gen.Below(static_cast<int>(all.size())))]->Segments();
      std::string text;
      int parts = layout.count - (gen.OneIn(8) ? 1 : 0);  // sometimes a segment short
      for (int s = 0; s < std::max(parts, 1); ++s) {
        if (s > 0) text += "-";
        text += gen.PiecePart(std::string(near[s]), layout.lengths[s]);
      }
      if (gen.OneIn(25)) text += gen.OneIn(2) ? ",1" : "-1.*";  // pieces that cannot be read
      RangeDescriptor piece = ParsePiece(text, layout);
      pieces.push_back(piece);
      if (!piece.usable) ++unusable_pieces;

      std::set<std::string> expected;
      for (const CachedAccount* entry : all) {
        SegmentViews key = entry->Segments();
        bool admitted = ContainsKey(piece, key);
        ASSERT_EQ(Contained(DescriptorOfKey(key, layout.count), piece), admitted)
            << text << " " << KeyText(key, layout.count);
        if (admitted) expected.insert(KeyText(key, layout.count));
      }
      if (!expected.empty()) ++pieces_with_accounts;
      for (int ordering = 0; ordering < kOrderingCount; ++ordering) {
        std::set<std::string> found;
        int status = store.Seek(piece, ordering);
        while (status == kSeekEqual || status == kSeekGreater) {
          const CachedAccount* entry = store.current();
          ASSERT_NE(entry, nullptr);
          if (store.BeyondHigh(*entry, piece)) break;
          if (ContainsKey(piece, entry->Segments())) {
            found.insert(KeyText(entry->Segments(), layout.count));
          }
          status = store.Step();
        }
        ASSERT_EQ(found, expected)
            << "piece " << text << " ordering " << ordering << " round " << round;
      }
    }

    // Containment never claims a piece whose accounts the container does not all admit.
    for (std::size_t a = 0; a < pieces.size(); ++a) {
      for (std::size_t b = 0; b < pieces.size(); ++b) {
        if (!Contained(pieces[a], pieces[b])) continue;
        if (a != b) ++proper_containments;
        for (const CachedAccount* entry : all) {
          SegmentViews key = entry->Segments();
          ASSERT_TRUE(!ContainsKey(pieces[a], key) || ContainsKey(pieces[b], key))
              << "pieces " << a << " in " << b << " key " << KeyText(key, layout.count);
        }
      }
    }
  }
  // The draw exercises what it is meant to: pieces that find accounts, pieces that do not
  // parse, and pieces inside other pieces.
  EXPECT_GT(pieces_with_accounts, kStores * kPiecesPerStore / 4);
  EXPECT_GT(unusable_pieces, 0);
  EXPECT_GT(proper_containments, kStores * 10);
}

}  // namespace
}  // namespace r7::preload
