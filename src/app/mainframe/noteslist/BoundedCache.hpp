#pragma once

#include <cstddef>
#include <list>
#include <unordered_map>
#include <utility>

namespace app::mainframe::noteslist {

// A map from item index to a value that holds at most `budget` worth of values, each
// value costing what its inserter says (bytes, pixels, code units). Entries leave in the
// order they came in; a lookup does not reorder. The keys are positions in the current
// view, so any change of the view clears the whole cache.
template <typename Key, typename Value>
class BoundedCache {
public:
    explicit BoundedCache(std::size_t budget) : budget_(budget) {}

    // The value for the key, or null.
    Value* find(const Key& key) {
        const auto found = entries_.find(key);
        return found == entries_.end() ? nullptr : &found->second.value;
    }

    // Stores the value as the newest entry, replacing one the key already has, and drops
    // the oldest entries until the budget holds it. A value costing more than the whole
    // budget is not kept; the answer says whether it was.
    bool insert(const Key& key, Value value, std::size_t cost) {
        erase(key);
        if (cost > budget_) {
            return false;
        }
        while (!order_.empty() && used_ + cost > budget_) {
            erase(order_.front());
        }
        order_.push_back(key);
        auto last = std::prev(order_.end());
        entries_.emplace(key, Entry{std::move(value), cost, last});
        used_ += cost;
        return true;
    }

    // Removes one key, from the map and from the eviction order alike.
    void erase(const Key& key) {
        const auto found = entries_.find(key);
        if (found == entries_.end()) {
            return;
        }
        used_ -= found->second.cost;
        order_.erase(found->second.position);
        entries_.erase(found);
    }

    // A smaller budget drops the oldest entries until the rest fits.
    void setBudget(std::size_t budget) {
        budget_ = budget;
        while (!order_.empty() && used_ > budget_) {
            erase(order_.front());
        }
    }

    void clear() {
        entries_.clear();
        order_.clear();
        used_ = 0;
    }

    std::size_t size() const { return entries_.size(); }
    std::size_t used() const { return used_; }
    std::size_t budget() const { return budget_; }
    // The length of the eviction order: always size(), whatever was erased and re-inserted.
    std::size_t queued() const { return order_.size(); }

private:
    struct Entry {
        Value value;
        std::size_t cost;
        typename std::list<Key>::iterator position;
    };

    std::size_t budget_;
    std::size_t used_ = 0;
    std::unordered_map<Key, Entry> entries_;
    std::list<Key> order_;
};

}  // namespace app::mainframe::noteslist
