#pragma once

#include "app/Color.hpp"
#include "app/Font.hpp"
#include "app/Rect.hpp"

#include <cstddef>
#include <map>
#include <string>

namespace app {

// Key-value settings and their file: UTF-16LE without byte-order mark, one "key = value"
// line per entry, ending in a line feed, in ascending key order. Callers name keys with
// narrow text; values are kept as text and converted by the typed getters and setters.
class SettingsKeeper {
public:
    SettingsKeeper() = default;
    // Reads and parses the file. Raises err::IOException when it cannot be read or holds
    // a malformed line.
    explicit SettingsKeeper(const std::wstring& path);

    // Replaces every entry by those of the text. On a malformed line it raises
    // err::IOException and keeps the entries it had.
    void loadFromText(const std::wstring& text);
    std::wstring toText() const;
    // Writes toText() as the whole file, atomically. Raises err::IOException.
    void save(const std::wstring& path) const;

    // The text of a settings file's bytes: UTF-16LE up to the first U+0000 or the end;
    // an odd last byte is not part of any code unit.
    static std::wstring textFromBytes(const unsigned char* bytes, std::size_t size);
    // The bytes of the file that save() writes.
    std::string toBytes() const;

    // The stored value, or nullptr.
    const std::wstring* find(const std::string& key) const;

    // The typed values: std::wstring, int, bool, double, ColorRef, Font and Rect.
    //
    // get returns the default when the key is absent; a stored text that does not convert
    // raises err::RuntimeException("Parse error: '<text>'"). Fonts and rectangles are read
    // sub-key by sub-key, each missing one taking the default's field.
    template <class T>
    T get(const std::string& key, const T& defaultValue) const;

    // Values that could not be read back from the file (a line feed or U+0000 in a string,
    // a double that is not finite) and keys that could not be (empty, "=", line feed,
    // U+0000, surrounding blanks) raise err::InvalidArgumentException and change nothing.
    template <class T>
    void set(const std::string& key, const T& value);

    const std::map<std::wstring, std::wstring>& entries() const { return entries_; }

private:
    using Entries = std::map<std::wstring, std::wstring>;

    static void processToken(const std::wstring& line, Entries& entries);
    void store(const char* function, const std::string& key, std::wstring value);

    Entries entries_;
};

}  // namespace app
