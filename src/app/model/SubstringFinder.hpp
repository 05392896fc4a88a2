#pragma once

#include <cstddef>
#include <string>

namespace app::model {

// Finds one folded string inside others, as std::wstring::find does, but faster on long
// texts: it looks for two of the needle's rarer code units at their distance first
// (several positions at once where the processor can) and compares the whole needle
// only there.
class SubstringFinder {
public:
    // The needle is taken as it stands; the filters pass it folded to lower case.
    explicit SubstringFinder(std::wstring needle);

    // Where the needle first occurs, from `from` on, in a string that is already folded;
    // npos when nowhere.
    std::size_t findIn(const std::wstring& haystack, std::size_t from = 0) const;
    // The same in a note's raw text as the note's search text reads it: each code unit
    // folded to lower case and every line feed a space. No folded copy is needed.
    std::size_t findInText(const std::wstring& text, std::size_t from = 0) const;

    bool foundIn(const std::wstring& haystack) const { return findIn(haystack) != std::wstring::npos; }
    bool foundInText(const std::wstring& text) const { return findInText(text) != std::wstring::npos; }

    const std::wstring& needle() const { return needle_; }

private:
    // A code unit the search looks for first, and every raw unit that reads as it.
    struct Probe {
        std::size_t offset = 0;
        wchar_t units[4] = {};
        std::size_t count = 0;
    };

    template <typename Same>
    std::size_t search(const wchar_t* haystack, std::size_t size, const Probe& a, const Probe& b, Same same) const;

    std::wstring needle_;
    Probe first_;
    Probe second_;
    // The same for raw texts; `textSearchable_` is false when some unit of the needle has
    // too many raw forms to look for at once (then the text is compared unit by unit).
    Probe firstInText_;
    Probe secondInText_;
    bool textSearchable_ = true;
    bool textNeverFound_ = false;
};

}  // namespace app::model
