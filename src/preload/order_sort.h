// The sort of the preload store's order arrays: stable, O(n log n) in every case, with a
// step callback before each comparison that can cancel it. (platform-independent)
//
// A bottom-up merge sort. Neighbouring runs that are already in order are left as they
// are after one comparison, so an array that is already ascending costs n - 1
// comparisons. On a cancel the array holds its elements in some order, none lost.
// The scratch array is allocated once; std::bad_alloc from it reaches the caller before
// anything has moved.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace r7::preload {

// `compare(a, b)` returns <0, 0 or >0; `step()` returns true to cancel. Returns false when
// cancelled.
template <class T, class Compare, class Step>
bool SortWithProgress(std::vector<T>* items, Compare compare, Step step) {
  std::vector<T>& v = *items;
  const std::size_t n = v.size();
  if (n < 2) return true;
  std::vector<T> scratch(n);
  for (std::size_t width = 1; width < n; width *= 2) {
    for (std::size_t lo = 0; lo + width < n; lo += 2 * width) {
      const std::size_t mid = lo + width;
      const std::size_t hi = std::min(lo + 2 * width, n);
      if (step()) return false;
      if (compare(v[mid - 1], v[mid]) <= 0) continue;  // the two runs are already in order
      std::size_t left = lo, right = mid, out = lo;
      while (left < mid && right < hi) {
        if (step()) {
          // Keep every element: finish this merge without comparing, then copy back.
          while (left < mid) scratch[out++] = v[left++];
          while (right < hi) scratch[out++] = v[right++];
          std::copy(scratch.begin() + lo, scratch.begin() + hi, v.begin() + lo);
          return false;
        }
        if (compare(v[right], v[left]) < 0) {
          scratch[out++] = v[right++];
        } else {
          scratch[out++] = v[left++];  // equal keys keep their order
        }
      }
      while (left < mid) scratch[out++] = v[left++];
      while (right < hi) scratch[out++] = v[right++];
      std::copy(scratch.begin() + lo, scratch.begin() + hi, v.begin() + lo);
    }
  }
  return true;
}

}  // namespace r7::preload
