// Speed and memory of the notebook file at 100,000 notes, each against a baseline that
// does the least any program must do for the same job, measured in the same run.
//
//   save         saveNotebook()            vs writing the same bytes: one write, fsync, rename
//   load         loadNotebook()            vs reading the file's bytes into a vector
//   async share  saveNotebookAsync() call  vs the whole saveNotebook() above
//   burst memory peak heap above the notebook during 50 edits, each followed by an
//                asynchronous save, until written  vs the heap the notebook itself holds
//
// Timings are wall-clock times of exactly the call under test (manual time), so setting
// up and tearing down an iteration, freeing a loaded notebook say, is never counted.
// Save and load run their baseline in the same iteration, taking turns at going first:
// run as separate rows, the load baseline varied between 0.2 and 1.1 s with what the
// benchmark before it had left behind, which no ratio survives.

#include "HeapCounter.hpp"
#include "GoogleBench.hpp"
#include "Ratios.hpp"
#include "Workload.hpp"

#include "app/model/Notebook.hpp"
#include "app/model/NotebookCodec.hpp"
#include "app/model/NotebookStore.hpp"
#include "sys/platform/Platform.hpp"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using bench::guarded;
using bench::paired;
using bench::readBytes;
using bench::secondsSince;
using bench::workload;
using bench::writeDurably;

constexpr double megabyte = 1024.0 * 1024.0;

// The notebook file that the save benchmark writes and the load benchmarks read. Saved
// once here (untimed) so that every timed save replaces an existing file, as in use, and
// checked to hold exactly the bytes the baselines write.
const std::string& notebookFile() {
    static const std::string path = [] {
        bench::Workload& w = workload();
        const std::string file = w.folder.file("notebook.dat");
        if (!app::model::saveNotebook(*w.notebook, sys::platform::widen(file))) {
            throw std::runtime_error("saveNotebook failed: " + app::model::lastSaveFailure()->message);
        }
        if (readBytes(file) != w.encoded) {
            throw std::runtime_error("saveNotebook did not write the bytes of encodeNotebook");
        }
        return file;
    }();
    return path;
}

// saveNotebook() against writing the same bytes, ready in memory, durably.
void save(benchmark::State& state) {
    guarded(state, [&] {
        const bench::Workload& w = workload();
        const std::wstring target = sys::platform::widen(notebookFile());
        const std::string baselineTarget = w.folder.file("baseline.dat");
        writeDurably(baselineTarget, w.encoded);  // both targets exist before timing starts
        paired(
            state, "save", w.encoded.size(), [&] { writeDurably(baselineTarget, w.encoded); },
            [&] {
                if (!app::model::saveNotebook(*w.notebook, target)) {
                    throw std::runtime_error("saveNotebook failed: " + app::model::lastSaveFailure()->message);
                }
            },
            [] {});
    });
}

// loadNotebook() against reading the same file's bytes into memory. The file was just
// written, so both read from the page cache. A loaded notebook is freed outside the
// timing.
void load(benchmark::State& state) {
    guarded(state, [&] {
        const std::string& file = notebookFile();
        const std::wstring wideFile = sys::platform::widen(file);
        std::shared_ptr<app::model::Notebook> loaded;
        std::string bytes;
        int notes = 0;
        paired(
            state, "load", workload().encoded.size(), [&] { bytes = readBytes(file); },
            [&] { loaded = app::model::loadNotebook(wideFile); },
            [&] {
                notes = loaded->count();
                loaded.reset();
                bytes = std::string();
            });
        if (notes != bench::noteCount) {
            throw std::runtime_error("loadNotebook returned " + std::to_string(notes) + " notes");
        }
    });
}

void throwIfBackgroundSaveFailed(const std::wstring& path) {
    const auto failure = app::model::lastSaveFailure();
    if (failure && failure->path == path) {
        throw std::runtime_error("background save failed: " + failure->message);
    }
}

// What the user's thread pays for an asynchronous save: the snapshot and the posting.
// The write itself runs on the saving worker and is waited for outside the timing.
void saveAsyncUiThread(benchmark::State& state) {
    guarded(state, [&] {
        bench::Workload& w = workload();
        const std::wstring target = w.folder.wideFile("async.dat");
        app::model::saveNotebookAsync(*w.notebook, target);  // starts the worker, creates the file
        app::model::waitForBackgroundSaves();
        double background = 0;
        for (auto _ : state) {
            const double start = bench::now();
            app::model::saveNotebookAsync(*w.notebook, target);
            const double seconds = secondsSince(start);
            app::model::waitForBackgroundSaves();
            background += secondsSince(start);
            throwIfBackgroundSaveFailed(target);
            state.SetIterationTime(seconds);
            bench::ratios::record("async.call", seconds);
        }
        state.counters["until_written_ms"] = 1000 * background / static_cast<double>(state.iterations());
    });
}

// Memory of a burst of edits, each saved in the background as the program does after a
// change. Queued saves of the same file replace one another, so at most the running
// save's snapshot and one queued snapshot should be alive, with the notes' payloads
// shared with the notebook except those edited since. The peak is the highest number of
// heap bytes alive at any moment, on either thread, above what was alive before the
// burst (see HeapCounter.hpp); the ratio sets the highest peak of all rounds against the
// heap the notebook holds.
void burstMemory(benchmark::State& state) {
    constexpr int changes = 50;
    guarded(state, [&] {
        bench::Workload& w = workload();
        app::model::Notebook& notebook = *w.notebook;
        const std::wstring target = w.folder.wideFile("burst.dat");
        // Texts of the same length as the originals, so the notebook keeps its size.
        std::vector<std::wstring> texts;
        for (int k = 0; k < changes; ++k) {
            texts.push_back(bench::makeText(0xB0057 + static_cast<std::uint64_t>(k)));
        }
        int round = 0;
        for (auto _ : state) {
            app::model::waitForBackgroundSaves();
            bench::heap::resetPeak();
            const std::size_t heapBefore = bench::heap::live();

            const double start = bench::now();
            for (int k = 0; k < changes; ++k) {
                const int index = (round * changes + k) * 1999 % bench::noteCount;
                notebook.note(index).setText(texts[static_cast<std::size_t>(k)]);
                app::model::saveNotebookAsync(notebook, target);
            }
            app::model::waitForBackgroundSaves();
            state.SetIterationTime(secondsSince(start));
            ++round;

            throwIfBackgroundSaveFailed(target);
            const std::size_t heapPeak = bench::heap::peak();
            bench::ratios::record("burst.heap_extra", static_cast<double>(heapPeak - heapBefore));
        }
        state.counters["notebook_MB"] = static_cast<double>(w.heapBytes) / megabyte;
        state.counters["peak_extra_MB"] = bench::ratios::max("burst.heap_extra").value_or(0) / megabyte;
    });
}

void registerBenchmarks() {
    const auto timed = [](const char* name, void (*body)(benchmark::State&), int iterations) {
        benchmark::RegisterBenchmark(name, body)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(iterations);
    };
    timed("Save/saveNotebook_vs_write_fsync_rename", save, 10);
    timed("Load/loadNotebook_vs_read_bytes", load, 6);
    timed("SaveAsync/ui_thread_call", saveAsyncUiThread, 8);
    // Last: it edits the shared notebook (with texts of the same length).
    timed("Memory/burst_50_changes", burstMemory, 3);
}

void printRatios(std::ostream& out) {
    using namespace bench::ratios;
    out << '\n';
    print(out, "save", mean("save.measured"), mean("save.baseline"), 2);
    print(out, "load", mean("load.measured"), mean("load.baseline"), 4);
    print(out, "save_async_ui_share", mean("async.call"), mean("save.measured"), 0.05);
    const double notebookBytes = static_cast<double>(workload().heapBytes);
    print(out, "burst_peak_memory", max("burst.heap_extra"), notebookBytes, 3);
}

}  // namespace

int main(int argc, char** argv) {
    const int status = bench::runMain(
        argc, argv, "notebook_bench",
        [] {
            const double start = bench::now();
            const bench::Workload& w = workload();
            std::printf(
                "Workload: %d notes (title %zu, text %zu characters, %d tags), built in %.1f s\n"
                "          notebook heap %.1f MB, resident growth %.1f MB, file %.1f MB, in %s\n\n",
                w.notebook->count(), bench::titleLength, bench::textLength, bench::tagsPerNote, secondsSince(start),
                static_cast<double>(w.heapBytes) / megabyte, static_cast<double>(w.rssBytes) / megabyte,
                static_cast<double>(w.encoded.size()) / megabyte, w.folder.file("").c_str());
        },
        registerBenchmarks,
        [](std::ostream& out) {
            app::model::waitForBackgroundSaves();
            printRatios(out);
        });
    bench::dropWorkload();
    return status;
}
