#include "app/model/NotebookExchange.hpp"

#include "app/model/DateTimeText.hpp"
#include "app/model/Notebook.hpp"
#include "app/model/NotebookStore.hpp"
#include "err/Exceptions.hpp"
#include "sys/platform/AtomicFile.hpp"
#include "sys/platform/Platform.hpp"
#include "sys/platform/Utf16.hpp"

#include <boost/algorithm/string/replace.hpp>
#include <boost/date_time/gregorian/gregorian_types.hpp>
#include <boost/date_time/posix_time/posix_time.hpp>
#include <boost/regex.hpp>

#include <algorithm>
#include <initializer_list>
#include <stdexcept>

namespace app::model {

namespace {

constexpr const char* importFunction = "app::model::Notebook::importFromXml";
constexpr const wchar_t* elementStart = L"<note title=";
constexpr const wchar_t* closingMarker = L"]]>\r\n</note>";
constexpr std::size_t closingMarkerLength = 12;
constexpr const wchar_t* cdataEnd = L"]]>";
constexpr const wchar_t* splitCdataEnd = L"]]]]><![CDATA[>";
constexpr const wchar_t* textSeparator = L"\r\n\r\n\r\n";
constexpr std::size_t exportChunk = 1 << 20;

// Fills "{1}".."{n}" of a pattern in one pass. Unlike res::format, a filled-in value is
// not searched again, so a note whose title reads "{2}" is written as it is and not with
// the date in its place.
void appendFilled(std::wstring& out, const wchar_t* pattern, std::initializer_list<const std::wstring*> values) {
    for (const wchar_t* p = pattern; *p; ++p) {
        if (p[0] == L'{' && p[1] >= L'1' && p[1] <= L'9' && p[2] == L'}') {
            const auto n = static_cast<std::size_t>(p[1] - L'1');
            if (n < values.size()) {
                out += *values.begin()[n];
            }
            p += 2;
        } else {
            out += *p;
        }
    }
}

// Every CR LF becomes LF, then every LF becomes CR LF: a lone CR stays as it is. Runs
// without line ends are copied whole.
void appendWithCrLf(std::wstring& out, const std::wstring& text) {
    out.reserve(out.size() + text.size() + text.size() / 32);
    const std::size_t n = text.size();
    std::size_t run = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (text[i] == L'\n') {
            out.append(text, run, i - run).append(L"\r\n");
            run = i + 1;
        } else if (text[i] == L'\r' && i + 1 < n && text[i + 1] == L'\n') {
            out.append(text, run, i - run).append(L"\r\n");
            run = i + 2;
            ++i;
        }
    }
    out.append(text, run, n - run);
}

// "&" first, then the double quote, "<" and ">"; done in one pass, which gives the same
// result because no replacement brings in a character replaced after it.
void appendEscaped(std::wstring& out, const std::wstring& value) {
    for (wchar_t c : value) {
        switch (c) {
        case L'&':
            out += L"&amp;";
            break;
        case L'"':
            out += L"&quot;";
            break;
        case L'<':
            out += L"&lt;";
            break;
        case L'>':
            out += L"&gt;";
            break;
        default:
            out += c;
            break;
        }
    }
}

std::wstring escaped(const std::wstring& value) {
    std::wstring out;
    out.reserve(value.size());
    appendEscaped(out, value);
    return out;
}

std::wstring unescaped(std::wstring value) {
    if (value.find(L'&') == std::wstring::npos) {
        return value;
    }
    boost::algorithm::replace_all(value, L"&quot;", L"\"");
    boost::algorithm::replace_all(value, L"&lt;", L"<");
    boost::algorithm::replace_all(value, L"&gt;", L">");
    boost::algorithm::replace_all(value, L"&amp;", L"&");
    return value;
}

void appendTwoDigits(std::wstring& out, long value) {
    out += static_cast<wchar_t>(L'0' + value / 10 % 10);
    out += static_cast<wchar_t>(L'0' + value % 10);
}

// A note without a date is written with the one the notebook file gives it.
boost::posix_time::ptime writtenTime(const boost::posix_time::ptime& created) {
    if (created.is_special()) {
        return boost::posix_time::ptime(boost::gregorian::date(1970, 1, 1));
    }
    return created;
}

// 2009-03-07
std::wstring xmlDate(const boost::posix_time::ptime& created) {
    const auto date = writtenTime(created).date();
    std::wstring text = std::to_wstring(static_cast<int>(date.year()));
    text += L'-';
    appendTwoDigits(text, date.month());
    text += L'-';
    appendTwoDigits(text, date.day());
    return text;
}

// 14:05:09
std::wstring xmlTime(const boost::posix_time::ptime& created) {
    const auto time = writtenTime(created).time_of_day();
    std::wstring text;
    appendTwoDigits(text, time.hours());
    text += L':';
    appendTwoDigits(text, time.minutes());
    text += L':';
    appendTwoDigits(text, time.seconds());
    return text;
}

void appendXmlElement(std::wstring& out, const Note& note) {
    const std::wstring title = escaped(note.title());
    const std::wstring date = xmlDate(note.created());
    const std::wstring time = xmlTime(note.created());
    const std::wstring source = escaped(note.source());
    const std::wstring link = escaped(note.link());
    const std::wstring tags = escaped(note.tagString());
    std::wstring split;
    if (note.text().find(cdataEnd) != std::wstring::npos) {
        split = boost::algorithm::replace_all_copy(note.text(), cdataEnd, splitCdataEnd);
    }
    const std::wstring& text = split.empty() ? note.text() : split;
    appendFilled(out, L"<note title=\"{1}\" date=\"{2}\" time=\"{3}\" source=\"{4}\" link=\"{5}\"",
                 {&title, &date, &time, &source, &link});
    appendFilled(out, L" tags=\"{1}\">\n", {&tags});
    appendFilled(out, L"  <![CDATA[{1}]]>\n", {&text});
    out += L"</note>\n";
}

// The bytes of an export: a byte-order mark, then UTF-16LE text, written through a
// temporary file that takes the target's place on commit().
class ExportWriter {
public:
    explicit ExportWriter(const std::wstring& path) : file_(path) {
        bytes_.reserve(exportChunk + exportChunk / 4);
        bytes_ += "\xFF\xFE";
    }

    // Text whose line ends are still to be made CR LF.
    void write(const std::wstring& text) {
        lines_.clear();
        appendWithCrLf(lines_, text);
        writeLines(lines_);
    }

    // Text whose line ends are CR LF already.
    void writeLines(const std::wstring& text) {
        sys::platform::appendUtf16le(bytes_, text);
        if (bytes_.size() >= exportChunk) {
            flush();
        }
    }

    void commit() {
        flush();
        file_.commit();
    }

private:
    void flush() {
        file_.write(bytes_.data(), bytes_.size());
        bytes_.clear();
    }

    sys::platform::AtomicFile file_;
    std::string bytes_;
    std::wstring lines_;
};

const boost::wregex& elementPattern() {
    // "." must take line ends too, as note texts hold them: mod_s makes that part of the
    // pattern rather than a matter of the default match flags.
    static const boost::wregex pattern(
        L"<note title=\"([^\"]*)\" date=\"([^\"]*)\" time=\"([^\"]*)\" source=\"([^\"]*)\" "
        L"link=\"([^\"]*)\" tags=\"([^\"]*)\">\\s*<!\\[CDATA\\[(.*)\\]\\]>\\s*</note>",
        boost::regex::normal | boost::regex::mod_s);
    return pattern;
}

// Whether text is groups of 1..widths[i] ASCII digits joined by separator, with at least
// `required` groups; the last group may carry a fraction after a '.'.
bool isNumberGroups(const std::wstring& text, wchar_t separator, std::initializer_list<std::size_t> widths,
                    std::size_t required) {
    const auto isDigit = [](wchar_t c) { return c >= L'0' && c <= L'9'; };
    std::size_t at = 0;
    std::size_t groups = 0;
    for (const std::size_t width : widths) {
        if (groups > 0) {
            if (at == text.size()) {
                return groups >= required;
            }
            if (text[at] != separator) {
                break;
            }
            ++at;
        }
        const std::size_t begin = at;
        while (at < text.size() && isDigit(text[at]) && at - begin < width) {
            ++at;
        }
        if (at == begin) {
            return false;
        }
        ++groups;
    }
    if (at == text.size()) {
        return groups >= required;
    }
    if (groups < required || text[at] != L'.' || at + 1 == text.size()) {
        return false;
    }
    return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(at) + 1, text.end(), isDigit);
}

// A note's date and time are whole seconds, as the notebook file keeps them. Only the
// numeric forms an export writes reach the date library: its number conversion misbehaves
// on long digit runs and on characters outside ASCII.
Note::DateTime parseCreated(const std::wstring& date, const std::wstring& time) {
    if (!isNumberGroups(date, L'-', {4, 2, 2}, 3) || date.find(L'.') != std::wstring::npos
        || !isNumberGroups(time, L':', {2, 2, 2}, 2)) {
        throw std::invalid_argument("Unreadable note date or time: " + sys::platform::narrow(date + L" " + time));
    }
    const boost::posix_time::ptime parsed =
        boost::posix_time::time_from_string(sys::platform::narrow(date + L" " + time));
    return Note::DateTime(parsed.date(), boost::posix_time::seconds(parsed.time_of_day().total_seconds()));
}

// The text of a group, copied at once: sub_match::str() appends one character at a time,
// which made up a third of an import.
std::wstring group(const boost::wcmatch& match, int n) {
    return std::wstring(match[n].first, match[n].second);
}

// An element that does not have the exported form gives an empty note created now.
Note parseElement(const wchar_t* begin, const wchar_t* end) {
    Note note;
    boost::wcmatch match;
    if (!boost::regex_match(begin, end, match, elementPattern())) {
        return note;
    }
    note.setTitle(unescaped(group(match, 1)));
    note.setCreated(parseCreated(group(match, 2), group(match, 3)));
    note.setSource(unescaped(group(match, 4)));
    note.setLink(unescaped(group(match, 5)));
    note.setTags(unescaped(group(match, 6)));
    std::wstring text = group(match, 7);
    if (text.find(splitCdataEnd) != std::wstring::npos) {
        boost::algorithm::replace_all(text, splitCdataEnd, cdataEnd);
    }
    note.setText(std::move(text));
    return note;
}

std::wstring readText(const std::wstring& path) {
    sys::platform::FileSystem& fs = sys::platform::fileSystem();
    std::vector<unsigned char> bytes;
    const auto error = sys::platform::retryWhileBusy(fs, [&] { return fs.readAll(path, bytes); });
    if (error) {
        throw err::IOException("Cannot read file\n" + sys::platform::narrow(path) + "\n"
                               + err::describeSystemError(error));
    }
    // An odd last byte is no code unit and is dropped.
    return sys::platform::decodeUtf16le(bytes.data(), bytes.size() / 2);
}

}  // namespace

int exportToXml(const Notebook& notebook, const std::wstring& path) {
    ExportWriter out(path);
    out.write(L"<?xml version=\"1.0\"?>\n<notebook>\n");
    std::wstring element;
    for (const Note& note : notebook.notes()) {
        element.clear();
        appendXmlElement(element, note);
        out.write(element);
    }
    out.write(L"</notebook>\n");
    out.commit();
    return notebook.count();
}

int exportToText(const Notebook& notebook, const std::wstring& path) {
    ExportWriter out(path);
    bool first = true;
    for (const Note& note : notebook.notes()) {
        if (!first) {
            out.writeLines(textSeparator);
        }
        first = false;
        out.writeLines(noteTextBlock(note));
    }
    out.commit();
    return notebook.count();
}

std::wstring noteTextBlock(const Note& note) {
    const std::wstring date = dateText(note.created());
    const std::wstring time = timeText(note.created());
    std::wstring block;
    block.reserve(note.title().size() + note.text().size() + note.link().size() + 32);
    appendFilled(block, L"[{1} {2}] {3}\r\n\r\n{4}\r\n", {&date, &time, &note.title(), &note.text()});
    if (!note.link().empty()) {
        appendFilled(block, L"({1})\r\n", {&note.link()});
    }
    std::wstring lines;
    appendWithCrLf(lines, block);
    return lines;
}

std::wstring notesAsText(const std::vector<const Note*>& notes) {
    std::wstring text;
    for (const Note* note : notes) {
        if (!text.empty()) {
            text += textSeparator;
        }
        text += noteTextBlock(*note);
    }
    return text;
}

std::vector<Note> parseXmlNotes(const std::wstring& text) {
    const std::size_t npos = std::wstring::npos;
    std::size_t i = text.find(elementStart);
    if (i == npos) {
        throw err::LogicException(err::postconditionMessage(importFunction, "i != std::wstring::npos"));
    }
    std::vector<Note> notes;
    // Every search starts where the last one ended, so a file is read once, however many
    // notes it holds.
    while (i != npos) {
        const std::size_t e = text.find(closingMarker, i);
        if (e == npos) {
            throw err::LogicException(err::postconditionMessage(importFunction, "e != std::wstring::npos"));
        }
        const std::size_t end = e + closingMarkerLength;
        notes.push_back(parseElement(text.data() + i, text.data() + end));
        i = text.find(elementStart, end);
    }
    return notes;
}

int importFromXml(Notebook& notebook, const std::wstring& path) {
    return notebook.appendNotes(parseXmlNotes(readText(path)));
}

int importFromNotebook(Notebook& notebook, const std::wstring& path) {
    const std::shared_ptr<const Notebook> other = loadNotebook(path);
    return notebook.appendNotes(other->notes());
}

}  // namespace app::model
