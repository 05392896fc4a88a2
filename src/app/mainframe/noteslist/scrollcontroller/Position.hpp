#pragma once

#include <tuple>

namespace app::mainframe::noteslist::scrollcontroller {

// A scroll position: the viewport's top shows item `item`, `offset` pixels below its top.
struct Position {
    int item = 0;
    int offset = 0;

    friend bool operator==(const Position& a, const Position& b) { return a.item == b.item && a.offset == b.offset; }
    friend bool operator!=(const Position& a, const Position& b) { return !(a == b); }
    friend bool operator<(const Position& a, const Position& b) {
        return std::tie(a.item, a.offset) < std::tie(b.item, b.offset);
    }
};

}  // namespace app::mainframe::noteslist::scrollcontroller
