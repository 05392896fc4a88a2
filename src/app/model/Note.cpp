#include "app/model/Note.hpp"

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

void trimLeft(std::wstring& text) {
    std::size_t begin = 0;
    while (begin < text.size() && sys::platform::isSpace(text[begin]))
        ++begin;
    text.erase(0, begin);
}

void trim(std::wstring& text) {
    std::size_t end = text.size();
    while (end > 0 && sys::platform::isSpace(text[end - 1]))
        --end;
    text.erase(end);
    trimLeft(text);
}

bool isTagSeparator(wchar_t c) {
    return c == L' ' || c == L',' || c == L';';
}

}  // namespace

Note::Note() : Note(std::wstring(), std::wstring(), std::wstring(), now()) {}

Note::Note(const std::wstring& text, const std::wstring& source, const std::wstring& title,
           const DateTime& created)
    : id_(nextId()), payload_(std::make_shared<Payload>()) {
    payload_->created = created;
    setText(text);
    payload_->source = source;
    setTitle(title);
    if (title.empty()) {
        if (!source.empty()) {
            payload_->title = source;
        } else {
            // The first line of the raw text, without the CR of a CR LF ending. A text with
            // no line feed, or one that opens with it, is taken whole.
            const std::size_t lf = text.find(L'\n');
            if (lf == std::wstring::npos || lf == 0) {
                payload_->title = text;
            } else {
                const std::size_t end = text[lf - 1] == L'\r' ? lf - 1 : lf;
                payload_->title = text.substr(0, end);
            }
        }
    }
}

Note::Note(const Note& other) : id_(nextId()), payload_(other.payload_) {}

Note::Note(Note&& other) noexcept : id_(nextId()), payload_(other.payload_) {}

Note& Note::operator=(const Note& other) {
    payload_ = other.payload_;
    return *this;
}

Note& Note::operator=(Note&& other) noexcept {
    payload_ = other.payload_;
    return *this;
}

Note::~Note() = default;

// Copy-on-write: a payload still shared with a copy (a save snapshot on the worker
// thread, say) is never changed in place. Only this thread makes copies of notes, so a
// payload held once cannot gain a holder while it is being changed.
Note::Payload& Note::edit() {
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
}

void Note::setText(const std::wstring& text) {
    setText(std::wstring(text));
}

// Leading white space goes, every CR goes and every TAB becomes four spaces; the search
// text is the result folded to lower case with line feeds as spaces. Most texts need no
// change, so they are only scanned, and the stored string is taken over, not copied.
void Note::setText(std::wstring&& text) {
    std::size_t begin = 0;
    while (begin < text.size() && sys::platform::isSpace(text[begin]))
        ++begin;
    text.erase(0, begin);
    if (std::any_of(text.begin(), text.end(), [](wchar_t c) { return c == L'\r' || c == L'\t'; })) {
        std::wstring out;
        out.reserve(text.size());
        for (wchar_t c : text) {
            if (c == L'\t')
                out.append(4, L' ');
            else if (c != L'\r')
                out += c;
        }
        text.swap(out);
    }
    Payload& p = edit();
    p.text = std::move(text);
    p.searchText = p.text;
    sys::platform::foldCase(p.searchText);
    for (wchar_t& c : p.searchText) {
        if (c == L'\n')
            c = L' ';
    }
}

void Note::setSource(const std::wstring& source) {
    edit().source = source;
}

void Note::setLink(const std::wstring& link) {
    Payload& p = edit();
    p.link = link;
    trim(p.link);
}

void Note::setCreated(const DateTime& created) {
    edit().created = created;
}

void Note::assignRaw(std::wstring title, std::wstring text, std::wstring source, std::wstring link) {
    Payload& p = edit();
    p.title = std::move(title);
    p.text = std::move(text);
    p.source = std::move(source);
    p.link = std::move(link);
}

Note::Tags Note::parseTags(const std::wstring& tags) {
    Tags result;
    const std::wstring folded = sys::platform::foldedCase(tags);
    std::size_t i = 0;
    while (i < folded.size()) {
        while (i < folded.size() && isTagSeparator(folded[i]))
            ++i;
        const std::size_t begin = i;
        while (i < folded.size() && !isTagSeparator(folded[i]))
            ++i;
        if (i > begin)
            result.insert(folded.substr(begin, i - begin));
    }
    return result;
}

void Note::addTags(const std::wstring& tags) {
    Tags parsed = parseTags(tags);
    if (parsed.empty())
        return;
    edit().tags.merge(parsed);
}

void Note::removeTags(const std::wstring& tags) {
    const Tags parsed = parseTags(tags);
    bool any = false;
    for (const std::wstring& tag : parsed)
        any = any || payload_->tags.count(tag) != 0;
    if (!any)
        return;
    Payload& p = edit();
    for (const std::wstring& tag : parsed)
        p.tags.erase(tag);
}

void Note::setTags(const std::wstring& tags) {
    edit().tags = parseTags(tags);
}

std::wstring Note::tagString() const {
    std::wstring result;
    for (const std::wstring& tag : payload_->tags) {
        if (!result.empty())
            result += L' ';
        result += tag;
    }
    return result;
}

bool Note::isUrl(const std::wstring& link) {
    if (link.empty())
        return false;
    static const boost::regex prefix("(http(s?)://|www\\.|file://|ms-help://|mk:@MSITStore:)");
    const std::string narrowed = sys::platform::narrow(link);
    boost::smatch match;
    return boost::regex_search(narrowed, match, prefix) && match.position(static_cast<boost::smatch::size_type>(0)) == 0;
}

Note::DateTime Note::now() {
    return boost::posix_time::second_clock::local_time();
}

}  // namespace app::model
