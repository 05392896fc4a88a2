#include "app/model/TextFilter.hpp"

#include "sys/platform/Platform.hpp"
#include "sys/threading/Worker.hpp"

#include <algorithm>
#include <memory>
#include <thread>

#if !defined(__GNUC__) && (defined(__SSE2__) || defined(_M_X64))
#include <xmmintrin.h>
#endif

namespace app::model {

namespace {

// Asks for the cache line at `at`, which need not be readable. With GCC an assembler
// statement: GCC takes a function that does nothing but _mm_prefetch for a pure one, and
// drops the calls of it, so the helpers below would ask for nothing.
void prefetch(const void* at) {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    __asm__ volatile("prefetcht0 (%0)" : : "r"(at));
#elif defined(__SSE2__) || defined(_M_X64)
    _mm_prefetch(static_cast<const char*>(at), _MM_HINT_T0);
#else
    (void)at;
#endif
}

// A scan over the whole notebook waits mostly for memory: each note's fields hang off
// its payload, each string's text lies elsewhere again. So a scan asks for the payloads
// of the notes some way ahead, and for the strings of nearer ones, whose payloads have
// arrived by then. A text's lines, many of them, are asked for earlier than the short
// fields' single lines.
constexpr std::size_t payloadsAhead = 16;
constexpr std::size_t textsAhead = 8;
constexpr std::size_t fieldsAhead = 6;

void prefetchPayload(const Note& note, TextFilter::Fields fields) {
    // Addresses inside the payload: taking them reads only the note itself.
    if (fields == TextFilter::Text) {
        prefetch(&note.text());
        return;
    }
    // The other fields' strings lie between the title and the joined tags.
    const char* const end = reinterpret_cast<const char*>(&note.searchTags() + 1);
    for (const char* line = reinterpret_cast<const char*>(&note.title()); line < end; line += 64) {
        prefetch(line);
    }
}

constexpr unsigned offsetBits = 29;
constexpr TextFilter::Where offsetMask = (TextFilter::Where{1} << offsetBits) - 1;
enum SearchOrder : unsigned { InText, InTitle, InTime, InLink, InTags };

// How far into a text the searches of a scan read, from where each started: a running
// mean over the notes searched so far, in code units.
class TextReach {
public:
    std::size_t units() const { return sum_ / weight; }
    void add(std::size_t units) { sum_ = sum_ - sum_ / weight + std::min(units, mostUnits); }

private:
    static constexpr std::size_t weight = 16;
    static constexpr std::size_t mostUnits = 1 << 16;
    std::size_t sum_ = 0;
};

// A text from where its search starts, as far as four times the mean reach, but at least
// two lines and at most the text's end or 4 KB. The mean mixes texts that lack the query
// and are read to their end with texts that hold it near the start, so the mean itself
// falls short of the first kind. The lines then arrive together instead of one wait
// after another as the search reads on; past them the search asks for the rest itself.
constexpr std::size_t leastTextBytes = 128;
constexpr std::size_t mostTextBytes = 4096;

// Whether a search from `from` reads the note's text.
bool searchesText(TextFilter::Fields fields, TextFilter::Where from) {
    return (fields & TextFilter::Text) && (from >> offsetBits) == InText;
}

void prefetchText(const Note& note, TextFilter::Fields fields, TextFilter::Where from, const TextReach& reach) {
    if (searchesText(fields, from)) {
        const std::wstring& text = note.text();
        const std::size_t start = std::min<std::size_t>(from & offsetMask, text.size());
        const std::size_t wanted = std::clamp(4 * reach.units() * sizeof(wchar_t), leastTextBytes, mostTextBytes);
        const char* line = reinterpret_cast<const char*>(text.data() + start);
        const char* const end = line + std::min((text.size() - start) * sizeof(wchar_t), wanted);
        for (; line < end; line += 64) {
            prefetch(line);
        }
    }
}

void prefetchFields(const Note& note, TextFilter::Fields fields) {
    if (fields & TextFilter::Title) {
        prefetch(note.searchTitle().data());
    }
    if (fields & TextFilter::Time) {
        prefetch(note.searchTime().data());
    }
    if (fields & TextFilter::Link) {
        prefetch(note.searchLink().data());
    }
    if (fields & TextFilter::Tags) {
        prefetch(note.searchTags().data());
    }
}

TextFilter::Where whereOf(unsigned field, std::size_t offset) {
    // An offset too large to keep is kept as 0: a search from there is only slower.
    return (TextFilter::Where{field} << offsetBits)
           | (offset <= offsetMask ? static_cast<TextFilter::Where>(offset) : 0);
}

using Find = bool (TextFilter::*)(const Note&, TextFilter::Where, TextFilter::Where&) const;

// Keeps the matching notes among scan positions [begin, end), with where they were found,
// in place: the k-th kept one goes to out[begin + k] and where[begin + k], never past
// the read position. The k-th note of the scan is notes[indices[k]], or notes[k] when
// `indices` is null; `from(k)` tells where to start in it. Returns how many were kept.
template <typename From>
std::size_t selectRange(const TextFilter& filter, Find find, const std::vector<Note>& notes, const int* indices,
                        std::size_t begin, std::size_t end, const From& from, int* out, TextFilter::Where* where) {
    const TextFilter::Fields fields = filter.fields();
    const auto indexAt = [indices](std::size_t k) { return indices ? static_cast<std::size_t>(indices[k]) : k; };
    const std::size_t needle = filter.query().size();
    TextReach reach;
    std::size_t kept = begin;
    for (std::size_t k = begin; k < end; ++k) {
        if (k + payloadsAhead < end) {
            prefetchPayload(notes[indexAt(k + payloadsAhead)], fields);
        }
        if (k + fieldsAhead < end) {
            prefetchFields(notes[indexAt(k + fieldsAhead)], fields);
        }
        if (k + textsAhead < end) {
            prefetchText(notes[indexAt(k + textsAhead)], fields, from(k + textsAhead), reach);
        }
        const std::size_t index = indexAt(k);
        const TextFilter::Where start = from(k);
        TextFilter::Where found = 0;
        const bool hit = (filter.*find)(notes[index], start, found);
        if (hit) {
            out[kept] = static_cast<int>(index);
            where[kept] = found;
            ++kept;
        }
        if (searchesText(fields, start)) {
            // Up to the end of the query where the text holds it, else to the text's end.
            const std::size_t read =
                hit && (found >> offsetBits) == InText ? (found & offsetMask) + needle : notes[index].text().size();
            const std::size_t first = start & offsetMask;
            reach.add(read > first ? read - first : 0);
        }
    }
    return kept - begin;
}

// A scan of many notes waits mostly for memory, one note after another: split into runs
// of notes searched side by side, it waits for several at once. Runs of fewer notes than
// this cost more to start than they save. Two runs even on one core: their waits still
// overlap, and a thread costs far less than one run.
constexpr std::size_t notesPerRun = 8192;
constexpr std::size_t mostRuns = 8;

std::size_t runsFor(std::size_t count) {
    const std::size_t cores = std::max(2u, std::thread::hardware_concurrency());
    return std::max<std::size_t>(1, std::min({cores, mostRuns, count / notesPerRun}));
}

// The threads that search the runs after the first, started when first needed and kept
// for the process: starting a thread costs more than searching a run (over a millisecond
// under some systems). Used by the thread that filters, one search at a time.
std::vector<std::unique_ptr<sys::threading::Worker>>& runWorkers() {
    static std::vector<std::unique_ptr<sys::threading::Worker>> workers;
    return workers;
}

// selectRange over all `count` positions, in runs on as many threads, the kept notes
// then joined in scan order at the front of out and where. Returns how many were kept.
// When no more threads can be started, the runs the started ones can take are used.
template <typename From>
std::size_t select(const TextFilter& filter, Find find, const std::vector<Note>& notes, const int* indices,
                   std::size_t count, const From& from, int* out, TextFilter::Where* where) {
    std::vector<std::unique_ptr<sys::threading::Worker>>& workers = runWorkers();
    std::size_t runs = runsFor(count);
    try {
        while (workers.size() + 1 < runs) {
            workers.push_back(std::make_unique<sys::threading::Worker>());
        }
    } catch (const std::exception&) {
        runs = std::min(runs, workers.size() + 1);
    }
    const auto bound = [count, runs](std::size_t run) { return count * run / runs; };
    std::vector<std::size_t> found(runs, 0);
    // The posted runs read and write the caller's arrays: they end before this does,
    // whichever way it ends.
    struct Joiner {
        std::vector<std::unique_ptr<sys::threading::Worker>>& workers;
        std::size_t posted = 0;
        ~Joiner() {
            for (std::size_t k = 0; k < posted; ++k) {
                workers[k]->waitIdle();
            }
        }
    } joiner{workers};
    for (std::size_t run = 1; run < runs; ++run) {
        workers[run - 1]->post([&, run] {
            found[run] = selectRange(filter, find, notes, indices, bound(run), bound(run + 1), from, out, where);
        });
        joiner.posted = run;
    }
    std::size_t kept = selectRange(filter, find, notes, indices, 0, bound(1), from, out, where);
    for (std::size_t run = 1; run < runs; ++run) {
        workers[run - 1]->waitIdle();
        const std::size_t begin = bound(run);
        std::copy(out + begin, out + begin + found[run], out + kept);
        std::copy(where + begin, where + begin + found[run], where + kept);
        kept += found[run];
    }
    return kept;
}

// Whether each word is part of some word of `within`.
bool everyWordInside(const std::vector<std::wstring>& words, const std::vector<std::wstring>& within) {
    return std::all_of(words.begin(), words.end(), [&within](const std::wstring& word) {
        return std::any_of(within.begin(), within.end(),
                           [&word](const std::wstring& outer) { return outer.find(word) != std::wstring::npos; });
    });
}

}  // namespace

// The query is folded, and its tag words parsed, once here: a rebuild runs matches over
// every note of the notebook for each keystroke in the filter bar.
TextFilter::TextFilter(Fields fields, const std::wstring& query)
    : fields_(fields), finder_(sys::platform::foldedCase(query)) {
    const Note::Tags words = Note::parseTags(query);
    words_.assign(words.begin(), words.end());
}

// The fields are tried in a fixed order, stopping at the first hit. The text is searched
// as its search text reads, without the folded copy (see Note::searchText).
bool TextFilter::matches(const Note& note) const {
    Where found = 0;
    return find(note, 0, found);
}

// From a field on, and in that field from an offset on: the fields before it, and the
// places before the offset, are known not to hold the query.
bool TextFilter::find(const Note& note, Where from, Where& found) const {
    const unsigned field = from >> offsetBits;
    const auto start = [&](unsigned here) -> std::size_t { return here == field ? (from & offsetMask) : 0; };
    const auto hit = [&](unsigned here, std::size_t at) {
        if (at == std::wstring::npos) {
            return false;
        }
        found = whereOf(here, at);
        return true;
    };
    if (field <= InText && (fields_ & Text) && hit(InText, finder_.findInText(note.text(), start(InText)))) {
        return true;
    }
    if (field <= InTitle && (fields_ & Title) && hit(InTitle, finder_.findIn(note.searchTitle(), start(InTitle)))) {
        return true;
    }
    if (field <= InTime && (fields_ & Time) && hit(InTime, finder_.findIn(note.searchTime(), start(InTime)))) {
        return true;
    }
    if (field <= InLink && (fields_ & Link) && hit(InLink, finder_.findIn(note.searchLink(), start(InLink)))) {
        return true;
    }
    if ((fields_ & Tags) && tagsMatch(note.searchTags())) {
        return hit(InTags, 0);
    }
    return false;
}

void TextFilter::selectAll(const std::vector<Note>& notes, std::vector<int>& out, std::vector<Where>& where) const {
    const std::size_t base = out.size();
    out.resize(base + notes.size());
    where.resize(base + notes.size());
    const std::size_t kept = select(
        *this, &TextFilter::find, notes, nullptr, notes.size(), [](std::size_t) { return Where{0}; }, out.data() + base,
        where.data() + base);
    out.resize(base + kept);
    where.resize(base + kept);
}

void TextFilter::selectAmong(const std::vector<Note>& notes, std::vector<int>& indices, std::vector<Where>& where,
                             std::size_t shift) const {
    if (where.size() != indices.size()) {
        where.assign(indices.size(), 0);
    }
    const Where* const hints = where.data();
    const auto from = [hints, shift](std::size_t k) {
        const Where offset = hints[k] & offsetMask;
        return (hints[k] & ~offsetMask) | (offset > shift ? offset - static_cast<Where>(shift) : 0);
    };
    const std::size_t kept =
        select(*this, &TextFilter::find, notes, indices.data(), indices.size(), from, indices.data(), where.data());
    indices.resize(kept);
    where.resize(kept);
}

// Every word of the query must be part of some tag; a query of separators only has no
// words and so matches every note. The words hold no separators, so none of them can
// reach across the space between two tags of the joined tag text.
bool TextFilter::tagsMatch(const std::wstring& tags) const {
    return std::all_of(words_.begin(), words_.end(),
                       [&tags](const std::wstring& word) { return tags.find(word) != std::wstring::npos; });
}

// The text, title, date and link are searched for the whole query: a note that holds the
// longer query holds every part of it, so a query containing the wider one narrows it,
// and nothing less does ("b a" does not narrow "a b"). The tags need every word to be
// part of a tag: a word containing each of the wider query's words only finds tags that
// those words find too, whatever the order, the separators or the number of words. With
// both kinds of field (All) both must hold; the first implies the second, since a word
// of the wider query lies, within the longer query, inside one of its words.
bool TextFilter::narrows(const TextFilter& wider) const {
    if (fields_ != wider.fields_) {
        return false;
    }
    if ((fields_ & (Text | Title | Time | Link)) && query().find(wider.query()) == std::wstring::npos) {
        return false;
    }
    if ((fields_ & Tags) && !everyWordInside(wider.words_, words_)) {
        return false;
    }
    return true;
}

}  // namespace app::model
