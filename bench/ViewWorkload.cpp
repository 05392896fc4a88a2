#include "ViewWorkload.hpp"

#include "app/model/NotebookView.hpp"

#include "Baselines.hpp"
#include "Ratios.hpp"
#include "Workload.hpp"

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>

namespace bench::view {

using app::model::Note;
using app::model::TextFilter;

app::model::Notebook& notebookOf(int size) {
    static std::map<int, std::unique_ptr<app::model::Notebook>> notebooks;
    std::unique_ptr<app::model::Notebook>& notebook = notebooks[size];
    if (!notebook) {
        notebook = bench::makeNotebook(size, textLength, 0x5EA5C4 + static_cast<std::uint64_t>(size), true);
    }
    return *notebook;
}

Scan scanOf(const app::model::Notebook& notebook, TextFilter::Fields fields) {
    Scan scan;
    for (const Note& note : notebook.notes()) {
        scan.begin.push_back(scan.strings.size());
        if (fields & TextFilter::Text) {
            scan.strings.push_back(&note.searchText());
        }
        if (fields & TextFilter::Title) {
            scan.strings.push_back(&note.searchTitle());
        }
        if (fields & TextFilter::Time) {
            scan.strings.push_back(&note.searchTime());
        }
        if (fields & TextFilter::Link) {
            scan.strings.push_back(&note.searchLink());
        }
        if (fields & TextFilter::Tags) {
            scan.strings.push_back(&note.searchTags());
        }
    }
    scan.begin.push_back(scan.strings.size());
    return scan;
}

void plainScan(const Scan& scan, const std::wstring& query, std::vector<int>& hits) {
    hits.clear();
    const std::size_t notes = scan.begin.size() - 1;
    for (std::size_t i = 0; i < notes; ++i) {
        for (std::size_t k = scan.begin[i]; k < scan.begin[i + 1]; ++k) {
            if (scan.strings[k]->find(query) != std::wstring::npos) {
                hits.push_back(static_cast<int>(i));
                break;
            }
        }
    }
}

TypingRound typeWord(app::model::Notebook& notebook, TextFilter::Fields fields, TextFilter::Fields changedTo,
                     const std::wstring& word, int round) {
    app::model::NotebookView& view = notebook.view();
    const Scan scan = scanOf(notebook, fields);
    const Scan other = scanOf(notebook, changedTo);
    std::vector<int> hits;
    hits.reserve(static_cast<std::size_t>(notebook.count()));
    TypingRound result;
    const auto baselines = [&] {
        double start = now();
        plainScan(scan, word.substr(0, 1), hits);
        result.scanFirstKey = secondsSince(start);
        start = now();
        plainScan(other, word, hits);
        result.scanFieldChange = secondsSince(start);
        start = now();
        plainScan(scan, word, hits);
        result.scanWord = secondsSince(start);
    };
    const auto type = [&](TextFilter::Fields typed, std::size_t length) {
        const double start = now();
        view.setFilter(std::make_unique<TextFilter>(typed, word.substr(0, length)));
        const double seconds = secondsSince(start);
        plainScan(typed == fields ? scan : other, word.substr(0, length), hits);
        if (view.count() != static_cast<int>(hits.size())) {
            throw std::runtime_error("the view shows " + std::to_string(view.count()) + " notes, the scan found "
                                     + std::to_string(hits.size()));
        }
        return seconds;
    };

    if (round % 2 == 0) {
        baselines();
    }
    notebook.changed();
    for (std::size_t length = 1; length <= word.size(); ++length) {
        result.keys.push_back(type(fields, length));
    }
    result.keptBytes = view.keptBytes();
    for (std::size_t length = word.size() - 1; length >= 1; --length) {
        result.backspaces.push_back(type(fields, length));
    }
    result.fieldChange = type(changedTo, word.size());
    if (round % 2 != 0) {
        baselines();
    }
    view.setFilter(nullptr);
    return result;
}

namespace {

struct Steps {
    double sum = 0;
    double slowest = 0;
    int count = 0;
    void add(double seconds) {
        sum += seconds;
        slowest = std::max(slowest, seconds);
        ++count;
    }
    double mean() const { return count ? sum / count : 0; }
};

void printFrame(std::ostream& out, const std::string& name, double seconds) {
    constexpr double frame = 0.016;
    char line[160];
    std::snprintf(line, sizeof line, "FRAME %s = %.2f ms (target <= 16 ms)%s\n", name.c_str(), 1000 * seconds,
                  seconds <= frame ? "" : " MISSED");
    out << line;
}

}  // namespace

void printTyping(std::ostream& out, const std::wstring& word, const std::vector<TypingRound>& rounds, int notes) {
    if (rounds.empty()) {
        return;
    }
    const std::size_t keys = rounds.front().keys.size();
    std::vector<Steps> perKey(keys);
    std::vector<Steps> perBackspace(rounds.front().backspaces.size());
    Steps firstKey, firstScan, sum, wordScan, change, changeScan, laterKeys, backspaces, kept;
    for (const TypingRound& round : rounds) {
        double total = 0;
        for (std::size_t k = 0; k < keys; ++k) {
            perKey[k].add(round.keys[k]);
            total += round.keys[k];
            if (k > 0) {
                laterKeys.add(round.keys[k]);
            }
        }
        for (std::size_t k = 0; k < round.backspaces.size(); ++k) {
            perBackspace[k].add(round.backspaces[k]);
            backspaces.add(round.backspaces[k]);
        }
        firstKey.add(round.keys[0]);
        firstScan.add(round.scanFirstKey);
        sum.add(total);
        wordScan.add(round.scanWord);
        change.add(round.fieldChange);
        changeScan.add(round.scanFieldChange);
        kept.add(static_cast<double>(round.keptBytes));
    }
    char line[200];
    for (std::size_t k = 0; k < keys; ++k) {
        std::snprintf(line, sizeof line, "TIME key %2zu \"%ls\": mean %.2f ms, slowest %.2f ms\n", k + 1,
                      word.substr(0, k + 1).c_str(), 1000 * perKey[k].mean(), 1000 * perKey[k].slowest);
        out << line;
    }
    for (std::size_t k = 0; k < perBackspace.size(); ++k) {
        std::snprintf(line, sizeof line, "TIME Backspace to \"%ls\": mean %.2f ms, slowest %.2f ms\n",
                      word.substr(0, keys - 1 - k).c_str(), 1000 * perBackspace[k].mean(),
                      1000 * perBackspace[k].slowest);
        out << line;
    }
    std::snprintf(line, sizeof line,
                  "TIME plain scans: first letter %.2f ms, whole word %.2f ms, whole word in the other fields "
                  "%.2f ms; field change %.2f ms; kept results %.0f KB\n",
                  1000 * firstScan.mean(), 1000 * wordScan.mean(), 1000 * changeScan.mean(), 1000 * change.mean(),
                  kept.slowest / 1024);
    out << line;
    ratios::print(out, "typing_first_key", firstKey.mean(), firstScan.mean(), 1);
    ratios::print(out, "typing_field_change", change.mean(), changeScan.mean(), 1);
    ratios::print(out, "typing_sum_of_keys", sum.mean(), wordScan.mean(), 2);
    ratios::print(out, "typing_kept_memory", kept.slowest, static_cast<double>(notes) * sizeof(int), 4);
    printFrame(out, "typing_slowest_later_key", laterKeys.slowest);
    printFrame(out, "typing_slowest_backspace", backspaces.slowest);
}

}  // namespace bench::view
