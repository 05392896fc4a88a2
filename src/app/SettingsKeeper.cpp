#include "app/SettingsKeeper.hpp"

#include "err/Exceptions.hpp"
#include "res/Format.hpp"
#include "sys/platform/AtomicFile.hpp"
#include "sys/platform/Platform.hpp"
#include "sys/platform/Utf16.hpp"

#include <algorithm>
#include <cmath>
#include <locale>
#include <new>
#include <sstream>
#include <vector>

namespace app {

namespace {

using sys::platform::narrow;
using sys::platform::widen;

std::wstring trimmed(const std::wstring& text, std::size_t begin, std::size_t end) {
    while (begin < end && sys::platform::isSpace(text[begin]))
        ++begin;
    while (end > begin && sys::platform::isSpace(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

bool isBlank(const std::wstring& text, std::size_t begin, std::size_t end) {
    for (std::size_t i = begin; i < end; ++i) {
        if (!sys::platform::isSpace(text[i]))
            return false;
    }
    return true;
}

// Whether a key comes back unchanged from the file it is written to.
bool isStorableKey(const std::wstring& key) {
    return !key.empty() && !sys::platform::isSpace(key.front()) && !sys::platform::isSpace(key.back()) &&
           key.find_first_of(std::wstring(L"=\n\0", 3)) == std::wstring::npos;
}

bool isStorableValue(const std::wstring& value) {
    return value.find_first_of(std::wstring(L"\n\0", 2)) == std::wstring::npos;
}

std::wstring storableKey(const std::string& key, const char* function) {
    std::wstring wide = widen(key);
    if (!isStorableKey(wide))
        err::throwInvalidArgument(function, "isStorableKey(key)");
    return wide;
}

template <class T>
std::wstring textOf(T value) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << value;
    return widen(out.str());
}

// Stream extraction: only a failed extraction is an error, trailing text is ignored.
template <class T>
T parsed(const std::wstring& text) {
    std::istringstream in(narrow(text));
    in.imbue(std::locale::classic());
    T value{};
    if (!(in >> value))
        throw err::RuntimeException(res::format("Parse error: '{1}'", narrow(text)));
    return value;
}

template <class T>
T get(const SettingsKeeper& keeper, const std::string& key, T defaultValue) {
    const std::wstring* text = keeper.find(key);
    return text ? parsed<T>(*text) : defaultValue;
}

}  // namespace

SettingsKeeper::SettingsKeeper(const std::wstring& path) {
    sys::platform::FileSystem& fs = sys::platform::fileSystem();
    std::vector<unsigned char> bytes;
    try {
        const auto error = sys::platform::retryWhileBusy(fs, [&] { return fs.readAll(path, bytes); });
        if (error)
            throw err::IOException("CFileLoader.fload: cannot open file");
    } catch (const std::bad_alloc&) {
        throw err::IOException("CFileLoader.fload: cannot allocate memory");
    }
    loadFromText(textFromBytes(bytes.data(), bytes.size()));
}

std::wstring SettingsKeeper::textFromBytes(const unsigned char* bytes, std::size_t size) {
    std::size_t units = 0;
    const std::size_t available = size / 2;
    while (units < available && (bytes[2 * units] != 0 || bytes[2 * units + 1] != 0))
        ++units;
    return sys::platform::decodeUtf16le(bytes, units);
}

void SettingsKeeper::loadFromText(const std::wstring& text) {
    // Parsed aside, so that a malformed line leaves the entries as they were.
    Entries parsedEntries;
    const std::size_t end = std::min(text.find(L'\0'), text.size());
    std::size_t begin = 0;
    for (;;) {
        while (begin < end && text[begin] == L'\n')
            ++begin;
        if (begin == end)
            break;
        std::size_t lineEnd = text.find(L'\n', begin);
        if (lineEnd == std::wstring::npos || lineEnd > end)
            lineEnd = end;
        // A line of nothing but white space ends the settings; what follows is not read.
        if (isBlank(text, begin, lineEnd))
            break;
        processToken(text.substr(begin, lineEnd - begin), parsedEntries);
        begin = lineEnd;
    }
    entries_.swap(parsedEntries);
}

// The line is taken untrimmed: leading "=" are skipped only at its very start, so that
// " = 5" has a blank key and is malformed while "=5" is the key "5".
void SettingsKeeper::processToken(const std::wstring& line, Entries& entries) {
    const std::size_t keyBegin = std::min(line.find_first_not_of(L'='), line.size());
    const std::size_t equals = line.find(L'=', keyBegin);
    const std::size_t keyEnd = equals == std::wstring::npos ? line.size() : equals;
    // Keys pass through the 8-bit code page as callers' keys do; what it cannot hold is lost.
    std::wstring key = widen(narrow(trimmed(line, keyBegin, keyEnd)));
    if (!isStorableKey(key))
        throw err::IOException(res::format("SettingsKeeper.processToken: malformed attribute line: {1}", narrow(line)));
    std::wstring value = equals == std::wstring::npos ? std::wstring() : trimmed(line, equals + 1, line.size());
    entries[std::move(key)] = std::move(value);
}

std::wstring SettingsKeeper::toText() const {
    // Key and value are joined directly rather than through the placeholder formatter,
    // which would also replace "{2}" to "{5}" standing inside them.
    std::wstring text;
    for (const auto& [key, value] : entries_) {
        text += key;
        text += L" = ";
        text += value;
        text += L'\n';
    }
    return text;
}

std::string SettingsKeeper::toBytes() const {
    std::string bytes;
    sys::platform::appendUtf16le(bytes, toText());
    return bytes;
}

void SettingsKeeper::save(const std::wstring& path) const {
    const std::string bytes = toBytes();
    try {
        sys::platform::AtomicFile file(path);
        file.write(bytes.data(), bytes.size());
        file.commit();
    } catch (const err::IOException& e) {
        throw err::IOException(std::string("CFileLoader.fsave: cannot open file\n") + e.what());
    }
}

const std::wstring* SettingsKeeper::find(const std::string& key) const {
    const auto it = entries_.find(widen(key));
    return it == entries_.end() ? nullptr : &it->second;
}

std::wstring SettingsKeeper::getString(const std::string& key, const std::wstring& defaultValue) const {
    const std::wstring* text = find(key);
    return text ? *text : defaultValue;
}

int SettingsKeeper::getInt(const std::string& key, int defaultValue) const {
    return get(*this, key, defaultValue);
}

bool SettingsKeeper::getBool(const std::string& key, bool defaultValue) const {
    return get(*this, key, defaultValue);
}

double SettingsKeeper::getDouble(const std::string& key, double defaultValue) const {
    return get(*this, key, defaultValue);
}

ColorRef SettingsKeeper::getColor(const std::string& key, ColorRef defaultValue) const {
    return get(*this, key, defaultValue);
}

Font SettingsKeeper::getFont(const std::string& key, const Font& defaultValue) const {
    Font font;
    font.face = getString(key + ".face", defaultValue.face);
    font.size = getDouble(key + ".size", defaultValue.size);
    font.weight = getInt(key + ".weight", defaultValue.weight);
    font.italic = getBool(key + ".italic", defaultValue.italic);
    return font;
}

Rect SettingsKeeper::getRect(const std::string& key, const Rect& defaultValue) const {
    Rect rect;
    rect.left = getInt(key + ".left", defaultValue.left);
    rect.top = getInt(key + ".top", defaultValue.top);
    rect.right = getInt(key + ".right", defaultValue.right);
    rect.bottom = getInt(key + ".bottom", defaultValue.bottom);
    return rect;
}

void SettingsKeeper::store(const char* function, const std::string& key, std::wstring value) {
    entries_[storableKey(key, function)] = std::move(value);
}

void SettingsKeeper::setString(const std::string& key, const std::wstring& value) {
    if (!isStorableValue(value))
        err::throwInvalidArgument("app::SettingsKeeper::setString", "isStorableValue(value)");
    store("app::SettingsKeeper::setString", key, value);
}

void SettingsKeeper::setInt(const std::string& key, int value) {
    store("app::SettingsKeeper::setInt", key, textOf(value));
}

void SettingsKeeper::setBool(const std::string& key, bool value) {
    store("app::SettingsKeeper::setBool", key, value ? L"1" : L"0");
}

void SettingsKeeper::setDouble(const std::string& key, double value) {
    // "nan" and "inf" would be written but never read back.
    if (!std::isfinite(value))
        err::throwInvalidArgument("app::SettingsKeeper::setDouble", "std::isfinite(value)");
    store("app::SettingsKeeper::setDouble", key, textOf(value));
}

void SettingsKeeper::setColor(const std::string& key, ColorRef value) {
    store("app::SettingsKeeper::setColor", key, textOf(value));
}

// The composite setters check everything first, so a refused value stores none of the
// four sub-keys.
void SettingsKeeper::setFont(const std::string& key, const Font& value) {
    storableKey(key + ".face", "app::SettingsKeeper::setFont");
    if (!isStorableValue(value.face))
        err::throwInvalidArgument("app::SettingsKeeper::setFont", "isStorableValue(value.face)");
    if (!std::isfinite(value.size))
        err::throwInvalidArgument("app::SettingsKeeper::setFont", "std::isfinite(value.size)");
    store("app::SettingsKeeper::setFont", key + ".face", value.face);
    store("app::SettingsKeeper::setFont", key + ".size", textOf(value.size));
    store("app::SettingsKeeper::setFont", key + ".weight", textOf(value.weight));
    store("app::SettingsKeeper::setFont", key + ".italic", value.italic ? L"1" : L"0");
}

void SettingsKeeper::setRect(const std::string& key, const Rect& value) {
    storableKey(key + ".left", "app::SettingsKeeper::setRect");
    store("app::SettingsKeeper::setRect", key + ".left", textOf(value.left));
    store("app::SettingsKeeper::setRect", key + ".top", textOf(value.top));
    store("app::SettingsKeeper::setRect", key + ".right", textOf(value.right));
    store("app::SettingsKeeper::setRect", key + ".bottom", textOf(value.bottom));
}

}  // namespace app
