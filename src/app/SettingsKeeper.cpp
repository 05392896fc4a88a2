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
#include <tuple>
#include <type_traits>
#include <vector>

namespace app {

namespace {

using sys::platform::narrow;
using sys::platform::widen;

std::wstring trimmed(const std::wstring& text, std::size_t begin, std::size_t end) {
    while (begin < end && sys::platform::isSpace(text[begin])) {
        ++begin;
    }
    while (end > begin && sys::platform::isSpace(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

bool isBlank(const std::wstring& text, std::size_t begin, std::size_t end) {
    for (std::size_t i = begin; i < end; ++i) {
        if (!sys::platform::isSpace(text[i])) {
            return false;
        }
    }
    return true;
}

// Whether a key comes back unchanged from the file it is written to.
bool isStorableKey(const std::wstring& key) {
    return !key.empty() && !sys::platform::isSpace(key.front()) && !sys::platform::isSpace(key.back())
           && key.find_first_of(std::wstring(L"=\n\0", 3)) == std::wstring::npos;
}

bool isStorableValue(const std::wstring& value) {
    return value.find_first_of(std::wstring(L"\n\0", 2)) == std::wstring::npos;
}

std::wstring storableKey(const std::string& key, const char* function) {
    std::wstring wide = widen(key);
    if (!isStorableKey(wide)) {
        err::throwInvalidArgument(function, "isStorableKey(key)");
    }
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
    if (!(in >> value)) {
        throw err::RuntimeException(res::format("Parse error: '{1}'", narrow(text)));
    }
    return value;
}

// How each type of value is kept as text. `setter` names the function in refusals;
// `refusal` names the check a value fails, without its argument, or is null.
template <class T>
struct Streamed {
    static T read(const std::wstring& text) { return parsed<T>(text); }
    static std::wstring write(T value) { return textOf(value); }
    static const char* refusal(T) { return nullptr; }
};

template <class T>
struct Conversion;

template <>
struct Conversion<std::wstring> {
    static constexpr const char* setter = "app::SettingsKeeper::setString";
    static std::wstring read(const std::wstring& text) { return text; }
    static std::wstring write(const std::wstring& value) { return value; }
    static const char* refusal(const std::wstring& value) {
        return isStorableValue(value) ? nullptr : "isStorableValue";
    }
};

template <>
struct Conversion<int> : Streamed<int> {
    static constexpr const char* setter = "app::SettingsKeeper::setInt";
};

template <>
struct Conversion<bool> : Streamed<bool> {
    static constexpr const char* setter = "app::SettingsKeeper::setBool";
    static std::wstring write(bool value) { return value ? L"1" : L"0"; }
};

template <>
struct Conversion<double> : Streamed<double> {
    static constexpr const char* setter = "app::SettingsKeeper::setDouble";
    // "nan" and "inf" would be written but never read back.
    static const char* refusal(double value) { return std::isfinite(value) ? nullptr : "std::isfinite"; }
};

template <>
struct Conversion<ColorRef> : Streamed<ColorRef> {
    static constexpr const char* setter = "app::SettingsKeeper::setColor";
};

// A field of a composite value, kept under the composite's key followed by the suffix.
template <class Owner, class T>
struct Field {
    const char* suffix;
    T Owner::*member;
};

template <class Owner, class T>
Field(const char*, T Owner::*) -> Field<Owner, T>;

template <>
struct Conversion<Font> {
    static constexpr const char* setter = "app::SettingsKeeper::setFont";
    static constexpr auto fields = std::make_tuple(Field{".face", &Font::face}, Field{".size", &Font::size},
                                                   Field{".weight", &Font::weight}, Field{".italic", &Font::italic});
};

template <>
struct Conversion<Rect> {
    static constexpr const char* setter = "app::SettingsKeeper::setRect";
    static constexpr auto fields = std::make_tuple(Field{".left", &Rect::left}, Field{".top", &Rect::top},
                                                   Field{".right", &Rect::right}, Field{".bottom", &Rect::bottom});
};

template <class T, class = void>
constexpr bool isComposite = false;

template <class T>
constexpr bool isComposite<T, std::void_t<decltype(Conversion<T>::fields)>> = true;

template <class T>
std::wstring textFor(const T& value) {
    return Conversion<T>::write(value);
}

template <class T>
void refuseUnstorable(const T& value, const char* function, const std::string& argument) {
    if (const char* check = Conversion<T>::refusal(value)) {
        err::throwInvalidArgument(function, (check + ("(" + argument + ")")).c_str());
    }
}

}  // namespace

SettingsKeeper::SettingsKeeper(const std::wstring& path) {
    sys::platform::FileSystem& fs = sys::platform::fileSystem();
    std::vector<unsigned char> bytes;
    try {
        const auto error = sys::platform::retryWhileBusy(fs, [&] { return fs.readAll(path, bytes); });
        if (error) {
            throw err::IOException("CFileLoader.fload: cannot open file");
        }
    } catch (const std::bad_alloc&) {
        throw err::IOException("CFileLoader.fload: cannot allocate memory");
    }
    loadFromText(textFromBytes(bytes.data(), bytes.size()));
}

std::wstring SettingsKeeper::textFromBytes(const unsigned char* bytes, std::size_t size) {
    std::size_t units = 0;
    const std::size_t available = size / 2;
    while (units < available && (bytes[2 * units] != 0 || bytes[2 * units + 1] != 0)) {
        ++units;
    }
    return sys::platform::decodeUtf16le(bytes, units);
}

void SettingsKeeper::loadFromText(const std::wstring& text) {
    // Parsed aside, so that a malformed line leaves the entries as they were.
    Entries parsedEntries;
    const std::size_t end = std::min(text.find(L'\0'), text.size());
    std::size_t begin = 0;
    for (;;) {
        while (begin < end && text[begin] == L'\n') {
            ++begin;
        }
        if (begin == end) {
            break;
        }
        std::size_t lineEnd = text.find(L'\n', begin);
        if (lineEnd == std::wstring::npos || lineEnd > end) {
            lineEnd = end;
        }
        // A line of nothing but white space ends the settings; what follows is not read.
        if (isBlank(text, begin, lineEnd)) {
            break;
        }
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
    if (!isStorableKey(key)) {
        throw err::IOException(res::format("SettingsKeeper.processToken: malformed attribute line: {1}", narrow(line)));
    }
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

template <class T>
T SettingsKeeper::get(const std::string& key, const T& defaultValue) const {
    if constexpr (isComposite<T>) {
        T value;
        std::apply(
            [&](const auto&... field) {
                ((value.*field.member = get(key + field.suffix, defaultValue.*field.member)), ...);
            },
            Conversion<T>::fields);
        return value;
    } else {
        const std::wstring* text = find(key);
        return text ? Conversion<T>::read(*text) : defaultValue;
    }
}

void SettingsKeeper::store(const char* function, const std::string& key, std::wstring value) {
    entries_[storableKey(key, function)] = std::move(value);
}

// A composite value is checked whole first, so a refused one stores none of its sub-keys.
template <class T>
void SettingsKeeper::set(const std::string& key, const T& value) {
    const char* setter = Conversion<T>::setter;
    if constexpr (isComposite<T>) {
        const auto& fields = Conversion<T>::fields;
        storableKey(key + std::get<0>(fields).suffix, setter);
        std::apply(
            [&](const auto&... field) {
                (refuseUnstorable(value.*field.member, setter, std::string("value") + field.suffix), ...);
                (store(setter, key + field.suffix, textFor(value.*field.member)), ...);
            },
            fields);
    } else {
        refuseUnstorable(value, setter, "value");
        store(setter, key, textFor(value));
    }
}

template std::wstring SettingsKeeper::get(const std::string&, const std::wstring&) const;
template int SettingsKeeper::get(const std::string&, const int&) const;
template bool SettingsKeeper::get(const std::string&, const bool&) const;
template double SettingsKeeper::get(const std::string&, const double&) const;
template ColorRef SettingsKeeper::get(const std::string&, const ColorRef&) const;
template Font SettingsKeeper::get(const std::string&, const Font&) const;
template Rect SettingsKeeper::get(const std::string&, const Rect&) const;

template void SettingsKeeper::set(const std::string&, const std::wstring&);
template void SettingsKeeper::set(const std::string&, const int&);
template void SettingsKeeper::set(const std::string&, const bool&);
template void SettingsKeeper::set(const std::string&, const double&);
template void SettingsKeeper::set(const std::string&, const ColorRef&);
template void SettingsKeeper::set(const std::string&, const Font&);
template void SettingsKeeper::set(const std::string&, const Rect&);

}  // namespace app
