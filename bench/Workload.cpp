#include "Workload.hpp"

#include "HeapCounter.hpp"

#include "app/model/NotebookCodec.hpp"
#include "sys/platform/Platform.hpp"

#include <boost/date_time/gregorian/gregorian_types.hpp>
#include <boost/date_time/posix_time/posix_time_types.hpp>

#include <chrono>
#include <cstdlib>
#include <cwctype>
#include <stdexcept>
#include <system_error>

namespace bench {

namespace {

// A small deterministic generator (splitmix64): the same notebook on every run and
// every machine, whatever the standard library's distributions do.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
    template <typename T, std::size_t N>
    const T& pick(const T (&items)[N]) {
        return items[below(N)];
    }

private:
    std::uint64_t state_;
};

const wchar_t* const words[] = {
    L"the",      L"of",         L"and",       L"to",       L"in",       L"for",       L"is",          L"on",
    L"that",     L"with",       L"as",        L"it",       L"was",      L"at",        L"by",          L"from",
    L"this",     L"be",         L"are",       L"or",       L"an",       L"not",       L"we",          L"have",
    L"meeting",  L"project",    L"budget",    L"report",   L"customer", L"release",   L"schedule",    L"review",
    L"design",   L"window",     L"memory",    L"file",     L"folder",   L"backup",    L"version",     L"invoice",
    L"address",  L"phone",      L"number",    L"recipe",   L"garden",   L"holiday",   L"train",       L"ticket",
    L"hotel",    L"booking",    L"morning",   L"evening",  L"tomorrow", L"yesterday", L"important",   L"remember",
    L"question", L"answer",     L"idea",      L"draft",    L"chapter",  L"book",      L"article",     L"source",
    L"quote",    L"price",      L"order",     L"delivery", L"account",  L"password",  L"server",      L"database",
    L"network",  L"printer",    L"update",    L"install",  L"setting",  L"keyboard",  L"shortcut",    L"clipboard",
    L"paste",    L"copy",       L"search",    L"result",   L"list",     L"weekly",    L"monthly",     L"deadline",
    L"team",     L"manager",    L"colleague", L"friend",   L"family",   L"doctor",    L"appointment", L"insurance",
    L"contract", L"lawyer",     L"tax",       L"receipt",  L"expenses", L"travel",    L"flight",      L"museum",
    L"concert",  L"restaurant", L"café",      L"naïve",    L"résumé",   L"Zürich",    L"São",         L"Paulo",
    L"Kraków",   L"über",       L"façade",    L"should",   L"could",    L"would",     L"will",        L"must",
    L"need",     L"check",      L"send",      L"call",     L"write",    L"read",      L"buy",         L"fix",
    L"plan",     L"move",       L"keep",      L"share",    L"open",     L"close",     L"new",         L"old",
    L"first",    L"last",       L"next",      L"small",    L"large",    L"quick",     L"careful",     L"2021",
    L"2022",     L"2023",       L"14:30",     L"9am",      L"€120",     L"3.5%",      L"#42",
};

const wchar_t* const tags[] = {
    L"work",     L"home",     L"ideas",   L"todo",   L"recipes", L"travel",    L"finance",  L"health",
    L"books",    L"music",    L"code",    L"links",  L"quotes",  L"shopping",  L"family",   L"projects",
    L"meetings", L"research", L"archive", L"urgent", L"later",   L"reference", L"contacts", L"garden",
    L"car",      L"house",    L"tax",     L"school", L"movies",  L"games",
};

const wchar_t* const sources[] = {
    L"Wikipedia, the free encyclopedia - Mozilla Firefox",
    L"Inbox - Microsoft Outlook",
    L"report-2023.docx - Microsoft Word",
    L"notes.txt - Notepad",
    L"Stack Overflow - Google Chrome",
    L"BBC News - Home - Microsoft Edge",
};

const wchar_t* const sites[] = {
    L"en.wikipedia.org/wiki",     L"www.bbc.co.uk/news",        L"stackoverflow.com/questions",
    L"www.nytimes.com/2023",      L"github.com/issues",         L"docs.python.org/3/library",
    L"www.theguardian.com/world", L"www.allrecipes.com/recipe",
};

std::wstring sentences(Random& random, std::size_t length) {
    std::wstring out;
    bool capital = true;
    while (out.size() < length) {
        std::wstring word = random.pick(words);
        if (capital) {
            word[0] = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(word[0])));
        }
        capital = false;
        out += word;
        if (random.below(9) == 0) {
            out += random.below(3) == 0 ? L", " : L". ";
            capital = out[out.size() - 2] == L'.';
        } else {
            out += L' ';
        }
    }
    return out;
}

std::wstring title(Random& random) {
    std::wstring text = sentences(random, titleLength).substr(0, titleLength);
    if (text.back() == L' ') {
        text.back() = L'.';
    }
    return text;
}

std::wstring link(Random& random, int index) {
    switch (random.below(10)) {
    case 0:
    case 1:
    case 2:
        return std::wstring();
    case 3:
        return L"www." + std::wstring(random.pick(words)) + L"-shop.com/item/" + std::to_wstring(index);
    case 4:
        return L"file://C:/Users/anna/Documents/notes/" + std::to_wstring(index) + L".txt";
    default:
        return L"https://" + std::wstring(random.pick(sites)) + L"/" + random.pick(words) + L"-" + random.pick(words)
               + L"-" + std::to_wstring(random.below(1000000)) + L".html";
    }
}

std::wstring threeTags(Random& random) {
    constexpr std::size_t count = sizeof(tags) / sizeof(tags[0]);
    const std::size_t first = random.below(count);
    const std::size_t step = 1 + random.below(count / tagsPerNote - 1);
    std::wstring out;
    for (int i = 0; i < tagsPerNote; ++i) {
        out += std::wstring(tags[(first + i * step) % count]) + L' ';
    }
    return out;
}

boost::posix_time::ptime created(Random& random) {
    const boost::gregorian::date day =
        boost::gregorian::date(2015, 1, 1) + boost::gregorian::days(static_cast<long>(random.below(3650)));
    return boost::posix_time::ptime(day, boost::posix_time::seconds(static_cast<long>(random.below(86400))));
}

}  // namespace

std::unique_ptr<app::model::Notebook> makeNotebook(int count, std::size_t length, std::uint64_t seed,
                                                   bool searchTexts) {
    Random random(seed);
    app::model::Notebook::Notes notes;
    notes.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::wstring source = random.below(10) < 6 ? random.pick(sources) : L"";
        notes.emplace_back(makeText(random.next(), length), source, title(random), created(random));
        app::model::Note& note = notes.back();
        note.setLink(link(random, i));
        note.setTags(threeTags(random));
        if (searchTexts) {
            note.searchText();
        }
    }
    auto notebook = std::make_unique<app::model::Notebook>(std::move(notes));
    const app::model::Note& sample = notebook->note(count / 2);
    if (sample.title().size() != titleLength || sample.text().size() != length || sample.tags().size() != tagsPerNote) {
        throw std::logic_error("the generated notes do not have the intended sizes");
    }
    return notebook;
}

std::wstring makeText(std::uint64_t seed) {
    return makeText(seed, textLength);
}

std::wstring makeText(std::uint64_t seed, std::size_t length) {
    Random random(seed);
    // A few paragraphs of 120 to 300 characters, one line each.
    std::wstring text;
    while (text.size() < length) {
        if (!text.empty()) {
            text += L'\n';
        }
        std::wstring paragraph = sentences(random, 120 + random.below(180));
        paragraph.pop_back();  // the space after the last word
        text += paragraph;
    }
    text.resize(length);
    if (text.back() == L' ' || text.back() == L'\n') {
        text.back() = L'.';
    }
    return text;
}

TemporaryFolder::TemporaryFolder() {
    const std::filesystem::path parent = std::filesystem::temp_directory_path();
    Random random(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())
                  ^ sys::platform::currentProcessId());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = parent / ("varnel-bench-" + std::to_string(random.next() % 1000000000u));
        if (std::filesystem::create_directory(candidate)) {
            path_ = std::move(candidate);
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder in " + parent.string());
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TemporaryFolder::file(const std::string& name) const {
    return (path_ / name).string();
}

std::wstring TemporaryFolder::wideFile(const std::string& name) const {
    return (path_ / name).wstring();
}

namespace {

std::unique_ptr<Workload>& instance() {
    static std::unique_ptr<Workload> workload;
    return workload;
}

}  // namespace

Workload& workload() {
    std::unique_ptr<Workload>& w = instance();
    if (!w) {
        w = std::make_unique<Workload>();
        const std::size_t heapBefore = heap::live();
        const std::size_t rssBefore = rss::current();
        w->notebook = makeNotebook(noteCount, textLength, 20240611);
        w->heapBytes = heap::live() - heapBefore;
        w->rssBytes = rss::current() - rssBefore;
        w->encoded = app::model::encodeNotebook(*w->notebook);
    }
    return *w;
}

void dropWorkload() {
    instance().reset();
}

}  // namespace bench
