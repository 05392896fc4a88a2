#pragma once

#include <string>

namespace app {

// A font as the user chose it, independent of any drawing system.
struct Font {
    std::wstring face;
    double size = 8;   // points
    int weight = 400;  // 400 regular, 700 bold
    bool italic = false;

    friend bool operator==(const Font& a, const Font& b) {
        return a.face == b.face && a.size == b.size && a.weight == b.weight && a.italic == b.italic;
    }
    friend bool operator!=(const Font& a, const Font& b) { return !(a == b); }
};

}  // namespace app
