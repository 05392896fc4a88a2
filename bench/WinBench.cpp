// The benchmarks of the Windows build, run under Wine by scripts/bench-windows. Google
// Benchmark is not available for MinGW, so this is one plain executable: a list of
// figures, each timed with QueryPerformanceCounter against a baseline measured in the
// same run, printed as "RATIO name = value (target <= t)". Arguments pick figures by
// part of their name ("win_bench.exe notebook").
//
//   notebook.save  saveNotebook()           vs writing the same bytes: one write, flush, rename
//   notebook.load  loadNotebook()           vs reading the file's bytes into memory
//   view.rebuild   view.setFilter() per field choice at 100,000 notes of 600 characters
//                  vs the plain substring scan over the same strings
//   view.typing    a ten-letter word typed key by key into the filter, Backspace over it
//                  and a change of fields, each step timed (see ViewWorkload.hpp)
//   noteslist.paint the list's first paint of a 1920 x 1080 client in the middle of the
//                  notebook, filtered so that the notes show search highlights, vs DrawTextW
//                  of the same notes, a repaint after a focus move, and
//                  a scroll step vs one copy of the whole client (see NotesListPaint.hpp)
//   program.start  varnel.exe over the 100,000-note notebook, from the process start until
//                  its list is painted and it waits for input, vs a process that reads the
//                  file's bytes (see ProgramBench.hpp)
//   program.keys   a word typed into the running program's search box, each key timed to
//                  the repainted list, vs the view's own rebuild of the same filter
//
// To add a figure, write a function that measures (runPairs() for the usual pairing)
// and prints its ratios, and list it in figures() below.

#include "Baselines.hpp"
#include "HeapCounter.hpp"
#include "NotesListPaint.hpp"
#include "ProgramBench.hpp"
#include "Ratios.hpp"
#include "Runner.hpp"
#include "ViewWorkload.hpp"
#include "Workload.hpp"

#include "app/model/FilterChoices.hpp"
#include "app/model/Notebook.hpp"
#include "app/model/NotebookCodec.hpp"
#include "app/model/NotebookStore.hpp"
#include "app/model/NotebookView.hpp"
#include "app/model/TextFilter.hpp"
#include "sys/platform/Platform.hpp"

#include <cstdio>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using app::model::TextFilter;
using bench::ratios::mean;

constexpr double megabyte = 1024.0 * 1024.0;

bench::Workload& notebookWorkload() {
    static bool described = false;
    bench::Workload& w = bench::workload();
    if (!described) {
        described = true;
        std::printf(
            "Workload: %d notes (title %zu, text %zu characters, %d tags), notebook heap %.1f MB, "
            "file %.1f MB, in %ls\n",
            w.notebook->count(), bench::titleLength, bench::textLength, bench::tagsPerNote,
            static_cast<double>(w.heapBytes) / megabyte, static_cast<double>(w.encoded.size()) / megabyte,
            w.folder.wideFile("").c_str());
        std::fflush(stdout);
    }
    return w;
}

// The notebook file the save figure writes and the load figure reads, saved once
// (untimed) so that every timed save replaces an existing file, as in use, and checked
// to hold exactly the bytes the baselines write.
const std::wstring& notebookFile() {
    static const std::wstring path = [] {
        bench::Workload& w = notebookWorkload();
        const std::wstring file = w.folder.wideFile("notebook.dat");
        if (!app::model::saveNotebook(*w.notebook, file)) {
            throw std::runtime_error("saveNotebook failed: " + app::model::lastSaveFailure()->message);
        }
        if (bench::readBytes(file) != w.encoded) {
            throw std::runtime_error("saveNotebook did not write the bytes of encodeNotebook");
        }
        return file;
    }();
    return path;
}

void save(std::ostream& out) {
    const bench::Workload& w = notebookWorkload();
    const std::wstring& target = notebookFile();
    const std::wstring baselineTarget = w.folder.wideFile("baseline.dat");
    bench::writeDurably(baselineTarget, w.encoded);
    bench::runPairs(
        out, "save", 8, [&] { bench::writeDurably(baselineTarget, w.encoded); },
        [&] {
            if (!app::model::saveNotebook(*w.notebook, target)) {
                throw std::runtime_error("saveNotebook failed: " + app::model::lastSaveFailure()->message);
            }
        },
        [] {});
    bench::ratios::print(out, "save", mean("save.measured"), mean("save.baseline"), 2);
}

// A loaded notebook is freed outside the timing.
void load(std::ostream& out) {
    const std::wstring& file = notebookFile();
    std::shared_ptr<app::model::Notebook> loaded;
    std::string bytes;
    int notes = 0;
    bench::runPairs(
        out, "load", 6, [&] { bytes = bench::readBytes(file); }, [&] { loaded = app::model::loadNotebook(file); },
        [&] {
            notes = loaded->count();
            loaded.reset();
            bytes = std::string();
        });
    if (notes != bench::noteCount) {
        throw std::runtime_error("loadNotebook returned " + std::to_string(notes) + " notes");
    }
    bench::ratios::print(out, "load", mean("load.measured"), mean("load.baseline"), 4);
}

// What a user has typed when the rebuild runs, per choice, in the order of filterChoices.
const wchar_t* const rebuildQueries[] = {L"invoice", L"hotel b", L"deadline", L"budget", L"/21 1", L"wiki", L"proj"};

void rebuild(std::ostream& out) {
    constexpr int size = bench::noteCount;
    app::model::Notebook& notebook = bench::view::notebookOf(size);
    app::model::INotebookView& view = notebook.view();
    std::vector<int> hits;
    hits.reserve(size);
    for (std::size_t choice = 0; choice < app::model::filterChoices.size(); ++choice) {
        const TextFilter::Fields fields = app::model::filterChoices[choice].fields;
        const std::wstring query = rebuildQueries[choice];
        const bench::view::Scan scan = bench::view::scanOf(notebook, fields);
        const std::string key = "view_" + std::to_string(choice) + "_" + std::to_string(size);
        bench::runPairs(
            out, key, 5, [&] { bench::view::plainScan(scan, query, hits); },
            [&] { view.setFilter(std::make_unique<TextFilter>(fields, query)); },
            [&] {
                notebook.changed();  // the next rebuild searches every note again
                if (view.count() != static_cast<int>(hits.size())) {
                    throw std::runtime_error("the view shows " + std::to_string(view.count())
                                             + " notes, the scan found " + std::to_string(hits.size()));
                }
            });
        bench::ratios::print(out, key, mean(key + ".measured"), mean(key + ".baseline"), 2);
    }
    view.setFilter(nullptr);
}

// Typing a ten-letter word into the filter bar over all fields, key by key, then
// Backspace down to its first letter, then a change of the field choice (see typeWord).
void typing(std::ostream& out) {
    const std::wstring word = L"restaurant";
    app::model::Notebook& notebook = bench::view::notebookOf(bench::noteCount);
    std::vector<bench::view::TypingRound> rounds;
    for (int round = 0; round < 5; ++round) {
        rounds.push_back(bench::view::typeWord(notebook, TextFilter::All, TextFilter::TextAndTitle, word, round));
    }
    bench::view::printTyping(out, word, rounds, notebook.count());
}

std::vector<bench::Figure> figures() {
    return {
        {"notebook.save", save},
        {"notebook.load", load},
        {"view.rebuild", rebuild},
        {"view.typing", typing},
        {"noteslist.paint", [](std::ostream& out) { bench::notesListPaint(out, *notebookWorkload().notebook); }},
        {"program.start", [](std::ostream& out) { bench::programStart(out, notebookFile()); }},
        {"program.keys",
         [](std::ostream& out) { bench::programKeystrokes(out, notebookFile(), *notebookWorkload().notebook); }},
    };
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wstring(argv[1]) == bench::readFileSwitch) {
        return bench::readFileAndExit(argv[2]);
    }
    std::vector<std::string> patterns;
    for (int i = 1; i < argc; ++i) {
        patterns.push_back(sys::platform::narrow(argv[i]));
    }
    int status = 1;
    try {
        status = bench::runFigures(figures(), patterns);
        app::model::waitForBackgroundSaves();
    } catch (const std::exception& e) {
        std::cerr << "win_bench: " << e.what() << '\n';
    }
    bench::dropWorkload();
    return status;
}
