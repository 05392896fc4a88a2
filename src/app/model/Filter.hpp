#pragma once

namespace app::model {

class Note;

// Decides which notes a notebook view shows.
class Filter {
public:
    virtual ~Filter() = default;
    virtual bool matches(const Note& note) const = 0;
};

}  // namespace app::model
