// The sort of the merged component databases: an in-place heap sort over an array. It is not
// stable; it is written out here rather than taken from the standard library so that records which
// compare equal end up in the same order on every target, and the installer and the maintainers'
// tool give the same files.
#ifndef CIRVANE_SYNC_RECORD_HEAP_SORT_H_
#define CIRVANE_SYNC_RECORD_HEAP_SORT_H_

#include <cstddef>
#include <utility>
#include <vector>

namespace heap_sort_detail {

// Restores the heap below `root` within the first `end` items.
template <class T, class Compare>
void SiftDown(std::vector<T>& items, size_t root, size_t end, Compare& compare) {
  for (size_t child; (child = 2 * root + 1) < end; root = child) {
    if (child + 1 < end && compare(items[child], items[child + 1]) < 0) ++child;
    if (compare(items[root], items[child]) >= 0) return;
    std::swap(items[root], items[child]);
  }
}

}  // namespace heap_sort_detail

// Sorts `items` ascending by `compare(a, b)`, which returns a negative, zero or positive value.
// The order of the swaps depends only on the results of the comparisons, so two arrays whose
// comparisons agree end up in the same order.
template <class T, class Compare>
void HeapSort(std::vector<T>& items, Compare compare) {
  const size_t count = items.size();
  if (count < 2) return;
  for (size_t start = count / 2; start-- > 0;) {
    heap_sort_detail::SiftDown(items, start, count, compare);
  }
  for (size_t end = count - 1; end > 0; --end) {
    std::swap(items[0], items[end]);
    heap_sort_detail::SiftDown(items, 0, end, compare);
  }
}

#endif  // CIRVANE_SYNC_RECORD_HEAP_SORT_H_
