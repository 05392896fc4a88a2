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

    // Each returns the default when the key is absent; a stored text that does not
    // convert raises err::RuntimeException("Parse error: '<text>'"). Fonts and rectangles
    // are read sub-key by sub-key, each missing one taking the default's field.
    std::wstring getString(const std::string& key, const std::wstring& defaultValue) const;
    int getInt(const std::string& key, int defaultValue) const;
    bool getBool(const std::string& key, bool defaultValue) const;
    double getDouble(const std::string& key, double defaultValue) const;
    ColorRef getColor(const std::string& key, ColorRef defaultValue) const;
    Font getFont(const std::string& key, const Font& defaultValue) const;
    Rect getRect(const std::string& key, const Rect& defaultValue) const;

    // Values that could not be read back from the file (a line feed or U+0000 in a
    // string, a double that is not finite) and keys that could not be (empty, "=", line
    // feed, U+0000, surrounding blanks) raise err::InvalidArgumentException and change
    // nothing.
    void setString(const std::string& key, const std::wstring& value);
    void setInt(const std::string& key, int value);
    void setBool(const std::string& key, bool value);
    void setDouble(const std::string& key, double value);
    void setColor(const std::string& key, ColorRef value);
    void setFont(const std::string& key, const Font& value);
    void setRect(const std::string& key, const Rect& value);

    const std::map<std::wstring, std::wstring>& entries() const { return entries_; }

private:
    using Entries = std::map<std::wstring, std::wstring>;

    static void processToken(const std::wstring& line, Entries& entries);
    void store(const char* function, const std::string& key, std::wstring value);

    Entries entries_;
};

}  // namespace app
