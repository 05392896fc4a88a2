#include "app/model/KeptResults.hpp"

namespace app::model {

namespace {

unsigned lowestBit(std::uint64_t word) {
#if defined(__GNUC__)
    return static_cast<unsigned>(__builtin_ctzll(word));
#else
    unsigned bit = 0;
    while (!(word & 1u)) {
        word >>= 1;
        ++bit;
    }
    return bit;
#endif
}

}  // namespace

void KeptResults::clear() {
    entries_.clear();
}

void KeptResults::validate(const Stamp& stamp, TextFilter::Fields fields) {
    if (stamp == stamp_ && fields == fields_) {
        return;
    }
    entries_.clear();
    stamp_ = stamp;
    fields_ = fields;
}

bool KeptResults::recall(const TextFilter& filter, std::vector<int>& indices) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->filter.fields() == filter.fields() && it->filter.query() == filter.query()) {
            Entry entry = std::move(*it);
            entries_.erase(it);
            expand(entry, indices);
            entries_.push_front(std::move(entry));
            return true;
        }
    }
    return false;
}

bool KeptResults::narrowest(const TextFilter& filter, std::vector<int>& indices) const {
    const Entry* best = nullptr;
    for (const Entry& entry : entries_) {
        if ((!best || entry.count < best->count) && filter.narrows(entry.filter)) {
            best = &entry;
        }
    }
    if (!best) {
        return false;
    }
    expand(*best, indices);
    return true;
}

void KeptResults::keep(const TextFilter& filter, const std::vector<int>& indices) {
    Entry entry{filter, {}, indices.size()};
    if (entries_.size() == capacity) {
        entry.bits = std::move(entries_.back().bits);  // the oldest makes room, and lends its memory
        entries_.pop_back();
    }
    entry.bits.assign((stamp_.count + 63) / 64, 0);
    for (int index : indices) {
        entry.bits[static_cast<std::size_t>(index) / 64] |= std::uint64_t{1} << (static_cast<unsigned>(index) % 64);
    }
    entries_.push_front(std::move(entry));
}

void KeptResults::expand(const Entry& entry, std::vector<int>& indices) const {
    indices.clear();
    indices.reserve(entry.count);
    for (std::size_t w = 0; w < entry.bits.size(); ++w) {
        for (std::uint64_t word = entry.bits[w]; word != 0; word &= word - 1) {
            indices.push_back(static_cast<int>(w * 64 + lowestBit(word)));
        }
    }
}

std::size_t KeptResults::bytes() const {
    std::size_t total = 0;
    for (const Entry& entry : entries_) {
        total += sizeof(Entry) + entry.bits.capacity() * sizeof(std::uint64_t)
                 + entry.filter.query().capacity() * sizeof(wchar_t);
    }
    return total;
}

}  // namespace app::model
