#pragma once

#include <cstddef>
#include <map>
#include <set>

namespace app::mainframe::noteslist::statemanager {

// A set of item indices kept as sorted, disjoint runs, so that selecting everything or a
// long range costs the same as selecting one item.
template <typename T>
class selection {
public:
    bool has(T t) const;
    bool empty() const { return runs_.empty(); }
    // The number of selected indices.
    std::size_t size() const { return size_; }

    void select(T t) { selectRange(t, t); }
    void deselect(T t);
    void toggle(T t) { toggleRange(t, t); }
    void clear();

    // Every index from first to last, both included.
    void selectRange(T first, T last);
    void deselectRange(T first, T last);
    void toggleRange(T first, T last);

    // The runs, first index to last index, both included, in order.
    const std::map<T, T>& runs() const { return runs_; }
    // The indices one by one: for callers that need them all (deleting, copying).
    std::set<T> toSet() const;

    friend bool operator==(const selection& a, const selection& b) { return a.runs_ == b.runs_; }
    friend bool operator!=(const selection& a, const selection& b) { return !(a == b); }

private:
    std::map<T, T> runs_;  // first -> last; no two runs touch
    std::size_t size_ = 0;
};

extern template class selection<int>;

}  // namespace app::mainframe::noteslist::statemanager
