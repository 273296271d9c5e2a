// Sorting and searching the lists of a run, which mostly come in order
// already: records are usually numbered in the order a file holds them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace vortel {

// Sorts a list that is mostly in order already, as a run's lists are when
// its records come in the order of their numbers: the items in order are
// closed up in place, those out of place set aside, sorted on their own and
// merged back from the end, so that such a list costs a walk or two rather
// than a sort, and little memory. Any list comes out sorted.
template <class T, class Less>
void sortMostlyInOrder(std::vector<T>& items, Less less) {
    if (std::is_sorted(items.begin(), items.end(), less)) return;
    const std::size_t size = items.size();
    std::vector<T> aside;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const T item = items[i];
        // An item stays when it follows the last kept and comes before the
        // next, so that one item far out of place does not take the rest
        // aside with it.
        const bool fits = (kept == 0 || !less(item, items[kept - 1])) && (i + 1 == size || !less(items[i + 1], item));
        if (fits) {
            items[kept++] = item;
        } else {
            aside.push_back(item);
        }
    }
    std::sort(aside.begin(), aside.end(), less);
    for (std::size_t to = size, from = kept, taken = aside.size(); taken > 0;) {
        if (from > 0 && less(aside[taken - 1], items[from - 1])) {
            items[--to] = items[--from];
        } else {
            items[--to] = aside[--taken];
        }
    }
}

// The first item of `sorted` not less than `value`, searched for outward
// from `hint` (where the last search ended, and where this one's end is
// left): asked in mostly ascending order, as the findings of a run are, a
// search costs a step or two rather than a descent through the whole list.
template <class T, class Less>
std::size_t lowerBoundNear(const std::vector<T>& sorted, std::size_t& hint, const T& value, Less less) {
    const std::size_t size = sorted.size();
    std::size_t from, to;  // the answer is in [from, to]
    if (hint < size && less(sorted[hint], value)) {
        from = hint + 1;
        std::size_t step = 1;
        while (from + step - 1 < size && less(sorted[from + step - 1], value)) {
            from += step;
            step *= 2;
        }
        to = std::min(from + step - 1, size);
    } else {
        to = std::min(hint, size);
        std::size_t step = 1;
        while (to >= step && !less(sorted[to - step], value)) {
            to -= step;
            step *= 2;
        }
        from = to < step ? 0 : to - step + 1;
    }
    const auto begin = sorted.begin();
    hint = static_cast<std::size_t>(std::lower_bound(begin + static_cast<std::ptrdiff_t>(from),
                                                     begin + static_cast<std::ptrdiff_t>(to), value, less) -
                                    begin);
    return hint;
}

}  // namespace vortel
