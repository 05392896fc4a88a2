#include "app/mainframe/noteslist/statemanager/selection.hpp"

#include "err/Exceptions.hpp"

#include <algorithm>
#include <iterator>
#include <vector>

namespace app::mainframe::noteslist::statemanager {

template <typename T>
bool selection<T>::has(T t) const {
    auto run = runs_.upper_bound(t);
    if (run == runs_.begin()) {
        return false;
    }
    --run;
    return t <= run->second;
}

template <typename T>
void selection<T>::deselect(T t) {
    if (!has(t)) {
        err::throwInvalidArgument("app::mainframe::noteslist::statemanager::selection<int>::deselect", "has(t)");
    }
    deselectRange(t, t);
}

template <typename T>
void selection<T>::clear() {
    runs_.clear();
    size_ = 0;
}

template <typename T>
void selection<T>::selectRange(T first, T last) {
    if (last < first) {
        std::swap(first, last);
    }
    // Merge with every run that overlaps or touches [first, last].
    auto run = runs_.upper_bound(first);
    if (run != runs_.begin() && std::prev(run)->second >= first - 1) {
        --run;
    }
    while (run != runs_.end() && run->first <= last + 1) {
        first = std::min(first, run->first);
        last = std::max(last, run->second);
        size_ -= static_cast<std::size_t>(run->second - run->first) + 1;
        run = runs_.erase(run);
    }
    runs_.emplace(first, last);
    size_ += static_cast<std::size_t>(last - first) + 1;
}

template <typename T>
void selection<T>::deselectRange(T first, T last) {
    if (last < first) {
        std::swap(first, last);
    }
    auto run = runs_.upper_bound(first);
    if (run != runs_.begin() && std::prev(run)->second >= first) {
        --run;
    }
    std::vector<std::pair<T, T>> kept;
    while (run != runs_.end() && run->first <= last) {
        if (run->first < first) {
            kept.emplace_back(run->first, first - 1);
        }
        if (run->second > last) {
            kept.emplace_back(last + 1, run->second);
        }
        size_ -= static_cast<std::size_t>(run->second - run->first) + 1;
        run = runs_.erase(run);
    }
    for (const auto& piece : kept) {
        runs_.emplace(piece.first, piece.second);
        size_ += static_cast<std::size_t>(piece.second - piece.first) + 1;
    }
}

// The gaps in [first, last] become runs and the runs in it become gaps: the work is the
// number of runs inside the range, not its length.
template <typename T>
void selection<T>::toggleRange(T first, T last) {
    if (last < first) {
        std::swap(first, last);
    }
    std::vector<std::pair<T, T>> gaps;
    T from = first;
    auto run = runs_.upper_bound(first);
    if (run != runs_.begin() && std::prev(run)->second >= first) {
        --run;
    }
    for (; run != runs_.end() && run->first <= last; ++run) {
        if (run->first > from) {
            gaps.emplace_back(from, run->first - 1);
        }
        if (run->second >= last) {
            from = last;
            ++from;
            break;
        }
        from = run->second + 1;
    }
    const bool tail = !(last < from);
    deselectRange(first, last);
    for (const auto& gap : gaps) {
        selectRange(gap.first, gap.second);
    }
    if (tail) {
        selectRange(from, last);
    }
}

template <typename T>
std::set<T> selection<T>::toSet() const {
    std::set<T> all;
    for (const auto& run : runs_) {
        for (T t = run.first;; ++t) {
            all.insert(all.end(), t);
            if (t == run.second) {
                break;
            }
        }
    }
    return all;
}

template class selection<int>;

}  // namespace app::mainframe::noteslist::statemanager
