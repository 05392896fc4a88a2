#include "app/model/Note.hpp"

#include "app/model/DateTimeText.hpp"
#include "app/model/SubstringFinder.hpp"

#include "sys/platform/Platform.hpp"

#include <boost/date_time/posix_time/posix_time_types.hpp>
#include <boost/regex.hpp>

#include <algorithm>
#include <atomic>

namespace app::model {

namespace {

int nextId() {
    static std::atomic<int> counter{0};
    return counter++;
}

std::atomic<std::uint64_t> changes{0};

void countChange() {
    changes.fetch_add(1, std::memory_order_relaxed);
}

void trimLeft(std::wstring& text) {
    std::size_t begin = 0;
    while (begin < text.size() && sys::platform::isSpace(text[begin])) {
        ++begin;
    }
    text.erase(0, begin);
}

void trim(std::wstring& text) {
    std::size_t end = text.size();
    while (end > 0 && sys::platform::isSpace(text[end - 1])) {
        --end;
    }
    text.erase(end);
    trimLeft(text);
}

bool isTagSeparator(wchar_t c) {
    return c == L' ' || c == L',' || c == L';';
}

// Only A-Z below U+0100 have another lower case.
bool foldMayChange(const std::wstring& text) {
    return std::any_of(text.begin(), text.end(),
                       [](wchar_t c) { return (c >= L'A' && c <= L'Z') || static_cast<std::uint32_t>(c) >= 0x100; });
}

// The folded copy of a title or link; left empty when it would equal the field, which
// then stands for itself (most links, say), so that loading makes fewer strings.
void foldInto(std::wstring& folded, const std::wstring& text) {
    if (!foldMayChange(text)) {
        folded.clear();
        return;
    }
    folded = text;
    sys::platform::foldCase(folded);
}

// The search text of any text, the raw ones of the loader included.
void makeSearchText(std::wstring& searchText, const std::wstring& text) {
    searchText = text;
    sys::platform::foldCase(searchText);
    for (wchar_t& c : searchText) {
        if (c == L'\n') {
            c = L' ';
        }
    }
}

// Every keystroke in the filter bar searches the dates of all notes, so the text is made
// once per change of the date, not per search.
void refreshSearchTime(std::wstring& searchTime, const Note::DateTime& created) {
    const std::wstring date = dateText(created);
    const std::wstring time = timeText(created);
    searchTime.clear();
    searchTime.reserve(date.size() + 1 + time.size());
    searchTime += date;
    searchTime += L' ';
    searchTime += time;
    sys::platform::foldCase(searchTime);
}

}  // namespace

Note::Note() : Note(std::wstring(), std::wstring(), std::wstring(), now()) {}

Note::Note(const std::wstring& text, const std::wstring& source, const std::wstring& title, const DateTime& created)
    : id_(nextId()), payload_(std::make_shared<Payload>()) {
    Payload& p = *payload_;
    p.created = created;
    refreshSearchTime(p.searchTime, created);
    setText(text);
    p.source = source;
    setTitle(title);
    if (title.empty()) {
        if (!source.empty()) {
            p.title = source;
        } else {
            // The first line of the raw text, without the CR of a CR LF ending. A text with
            // no line feed, or one that opens with it, is taken whole.
            const std::size_t lf = text.find(L'\n');
            if (lf == std::wstring::npos || lf == 0) {
                p.title = text;
            } else {
                const std::size_t end = text[lf - 1] == L'\r' ? lf - 1 : lf;
                p.title = text.substr(0, end);
            }
        }
        foldInto(p.searchTitle, p.title);
    }
}

Note::Note(const Note& other) : id_(nextId()), payload_(other.payload_) {}

Note::Note(Note&& other) noexcept : id_(nextId()), payload_(other.payload_) {}

Note& Note::operator=(const Note& other) {
    payload_ = other.payload_;
    countChange();
    return *this;
}

Note& Note::operator=(Note&& other) noexcept {
    payload_ = other.payload_;
    countChange();
    return *this;
}

Note::~Note() = default;

// Copy-on-write: a payload still shared with a copy (a save snapshot on the worker
// thread, say) is never changed in place. Only this thread makes copies of notes, so a
// payload held once cannot gain a holder while it is being changed.
Note::Payload& Note::edit() {
    countChange();
    if (payload_.use_count() != 1) {
        payload_ = std::make_shared<Payload>(*payload_);
    } else {
        // The count may have just dropped to one on the saving thread; the fence orders
        // that thread's last reads before the changes made here.
        std::atomic_thread_fence(std::memory_order_acquire);
    }
    return *payload_;
}

void Note::setTitle(const std::wstring& title) {
    Payload& p = edit();
    p.title = title;
    trim(p.title);
    foldInto(p.searchTitle, p.title);
}

void Note::setText(const std::wstring& text) {
    setText(std::wstring(text));
}

// Leading white space goes, every CR goes and every TAB becomes four spaces. Most texts
// need no change, which two quick searches find out, and the stored string is taken
// over, not copied. The search text is made again when it is next asked for.
void Note::setText(std::wstring&& text) {
    std::size_t begin = 0;
    while (begin < text.size() && sys::platform::isSpace(text[begin])) {
        ++begin;
    }
    text.erase(0, begin);
    static const SubstringFinder carriageReturn(L"\r");
    static const SubstringFinder tab(L"\t");
    if (carriageReturn.foundIn(text) || tab.foundIn(text)) {
        std::wstring out;
        out.reserve(text.size());
        for (wchar_t c : text) {
            if (c == L'\t') {
                out.append(4, L' ');
            } else if (c != L'\r') {
                out += c;
            }
        }
        text.swap(out);
    }
    Payload& p = edit();
    p.text = std::move(text);
    p.searchText = std::wstring();
    p.searchTextMade = false;
}

const std::wstring& Note::searchText() const {
    const Payload& p = *payload_;
    if (!p.searchTextMade) {
        makeSearchText(p.searchText, p.text);
        p.searchTextMade = true;
    }
    return p.searchText;
}

void Note::setSource(const std::wstring& source) {
    edit().source = source;
}

void Note::setLink(const std::wstring& link) {
    Payload& p = edit();
    p.link = link;
    trim(p.link);
    foldInto(p.searchLink, p.link);
}

void Note::setCreated(const DateTime& created) {
    Payload& p = edit();
    p.created = created;
    refreshSearchTime(p.searchTime, created);
}

void Note::assignRaw(std::wstring title, std::wstring text, std::wstring source, std::wstring link) {
    Payload& p = edit();
    p.title = std::move(title);
    p.text = std::move(text);
    p.source = std::move(source);
    p.link = std::move(link);
    foldInto(p.searchTitle, p.title);
    p.searchText = std::wstring();
    p.searchTextMade = false;
    foldInto(p.searchLink, p.link);
}

namespace {

// Whether a folded tag text is already the set's own text: what the notebook file holds.
bool isJoined(const Note::Tags& tags, const std::wstring& text) {
    std::size_t at = 0;
    for (const std::wstring& tag : tags) {
        if (at != 0) {
            if (at >= text.size() || text[at] != L' ') {
                return false;
            }
            ++at;
        }
        if (text.compare(at, tag.size(), tag) != 0) {
            return false;
        }
        at += tag.size();
    }
    return at == text.size();
}

Note::Tags parseFolded(const std::wstring& folded) {
    Note::Tags result;
    std::size_t i = 0;
    while (i < folded.size()) {
        while (i < folded.size() && isTagSeparator(folded[i])) {
            ++i;
        }
        const std::size_t begin = i;
        while (i < folded.size() && !isTagSeparator(folded[i])) {
            ++i;
        }
        if (i > begin) {
            result.insert(folded.substr(begin, i - begin));
        }
    }
    return result;
}

}  // namespace

Note::Tags Note::parseTags(const std::wstring& tags) {
    return parseFolded(sys::platform::foldedCase(tags));
}

void Note::addTags(const std::wstring& tags) {
    Tags parsed = parseTags(tags);
    if (parsed.empty()) {
        return;
    }
    Payload& p = edit();
    p.tags.merge(parsed);
    joinTags(p);
}

void Note::removeTags(const std::wstring& tags) {
    const Tags parsed = parseTags(tags);
    bool any = false;
    for (const std::wstring& tag : parsed) {
        any = any || payload_->tags.count(tag) != 0;
    }
    if (!any) {
        return;
    }
    Payload& p = edit();
    for (const std::wstring& tag : parsed) {
        p.tags.erase(tag);
    }
    joinTags(p);
}

void Note::setTags(const std::wstring& tags) {
    setTags(std::wstring(tags));
}

// The loader's tag texts come as saved, so the text itself usually becomes tagString.
void Note::setTags(std::wstring&& tags) {
    sys::platform::foldCase(tags);
    Payload& p = edit();
    p.tags = parseFolded(tags);
    if (isJoined(p.tags, tags)) {
        p.searchTags = std::move(tags);
    } else {
        joinTags(p);
    }
}

// The tags in one string. A tag never holds a space, so a word without one is part of
// some tag exactly when it occurs in this string: the tag filter searches one string per
// note instead of walking the set.
void Note::joinTags(Payload& p) {
    std::size_t length = 0;
    for (const std::wstring& tag : p.tags) {
        length += tag.size() + 1;
    }
    p.searchTags.clear();
    p.searchTags.reserve(length);
    for (const std::wstring& tag : p.tags) {
        if (!p.searchTags.empty()) {
            p.searchTags += L' ';
        }
        p.searchTags += tag;
    }
}

bool Note::isUrl(const std::wstring& link) {
    if (link.empty()) {
        return false;
    }
    static const boost::regex prefix("(http(s?)://|www\\.|file://|ms-help://|mk:@MSITStore:)");
    const std::string narrowed = sys::platform::narrow(link);
    boost::smatch match;
    return boost::regex_search(narrowed, match, prefix)
           && match.position(static_cast<boost::smatch::size_type>(0)) == 0;
}

std::uint64_t Note::changeCount() {
    return changes.load(std::memory_order_relaxed);
}

Note::DateTime Note::now() {
    return boost::posix_time::second_clock::local_time();
}

}  // namespace app::model
