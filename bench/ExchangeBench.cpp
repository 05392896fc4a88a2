// Speed of the XML and text export and of the XML import at 100,000 notes, each against a
// baseline that does the least any program must do for the same job, measured in the
// same run.
//
//   export_xml   exportToXml()     vs writing the same bytes, ready in memory: one write,
//                                  fsync, rename (the export is just as durable)
//   export_text  exportToText()    vs the same for the text file's bytes
//   import_xml   importFromXml()   vs reading the file's bytes into memory (no target)
//   import per note at 1,000, 10,000 and 100,000 notes: the time per note must not grow
//                with the size of the file
//
// Each call under test runs in the same iteration as its baseline, taking turns at going
// first, so that whatever else the machine does weighs on both alike. Only the call
// itself is timed; freeing an imported notebook happens outside the timing.
//
// The allocator keeps the memory it is given for the whole run. By default glibc hands
// blocks above a size threshold, and any free top of its heap, back to the kernel, so an
// iteration importing 100,000 notes (about a gigabyte here, with 4-byte wchar_t) paid
// for faulting fresh pages in while one of 1,000 notes reused warm memory: the time per
// note then grew fourfold with nothing in the import growing faster than the file.

#include "GoogleBench.hpp"
#include "Ratios.hpp"
#include "Workload.hpp"

#include "app/model/Notebook.hpp"
#include "app/model/NotebookExchange.hpp"
#include "sys/platform/Platform.hpp"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <climits>
#include <cstdio>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
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
constexpr int importSizes[] = {1000, 10000, bench::noteCount};

using Export = int (*)(const app::model::Notebook&, const std::wstring&);

// An export of the whole workload, made once (untimed) so that every timed export
// replaces an existing file, as in use; its bytes are what the baseline writes.
struct ExportFile {
    std::string path;
    std::string bytes;
};

const ExportFile& exportFile(const std::string& name, Export exporter) {
    static std::map<std::string, ExportFile> files;
    auto it = files.find(name);
    if (it == files.end()) {
        bench::Workload& w = workload();
        ExportFile file;
        file.path = w.folder.file(name);
        const int written = exporter(*w.notebook, sys::platform::widen(file.path));
        if (written != w.notebook->count()) {
            throw std::runtime_error(name + ": export returned " + std::to_string(written) + " notes");
        }
        file.bytes = readBytes(file.path);
        it = files.emplace(name, std::move(file)).first;
    }
    return it->second;
}

// The first `count` notes of the workload exported to XML, for the import benchmarks.
const std::string& xmlOfFirst(int count) {
    static std::map<int, std::string> paths;
    auto it = paths.find(count);
    if (it == paths.end()) {
        bench::Workload& w = workload();
        std::string path;
        if (count == w.notebook->count()) {
            path = exportFile("export.xml", app::model::exportToXml).path;
        } else {
            const auto& notes = w.notebook->notes();
            const app::model::Notebook part(app::model::Notebook::Notes(notes.begin(), notes.begin() + count));
            path = w.folder.file("first-" + std::to_string(count) + ".xml");
            app::model::exportToXml(part, sys::platform::widen(path));
        }
        it = paths.emplace(count, path).first;
    }
    return it->second;
}

void exportBenchmark(benchmark::State& state, const std::string& key, const std::string& name, Export exporter) {
    guarded(state, [&] {
        const bench::Workload& w = workload();
        const ExportFile& file = exportFile(name, exporter);
        const std::wstring target = sys::platform::widen(file.path);
        const std::string baselineTarget = w.folder.file("baseline-" + name);
        writeDurably(baselineTarget, file.bytes);  // both targets exist before timing starts
        paired(
            state, key, file.bytes.size(), [&] { writeDurably(baselineTarget, file.bytes); },
            [&] { exporter(*w.notebook, target); }, [] {});
        if (readBytes(file.path) != file.bytes) {
            throw std::runtime_error(name + ": a timed export wrote other bytes than the first one");
        }
    });
}

void exportXml(benchmark::State& state) {
    exportBenchmark(state, "export_xml", "export.xml", app::model::exportToXml);
}

void exportText(benchmark::State& state) {
    exportBenchmark(state, "export_text", "export.txt", app::model::exportToText);
}

// importFromXml() into an empty notebook against reading the file's bytes. The file was
// just written, so both read from the page cache. Records the time per note by size.
void importXml(benchmark::State& state) {
    guarded(state, [&] {
        const int count = static_cast<int>(state.range(0));
        const std::string& path = xmlOfFirst(count);
        const std::wstring widePath = sys::platform::widen(path);
        const std::string key = "import_" + std::to_string(count);
        std::unique_ptr<app::model::Notebook> target;
        std::string bytes;
        int imported = 0;
        {
            // Untimed: grows the heap to what one import of this size needs, once.
            app::model::Notebook warmUp;
            app::model::importFromXml(warmUp, widePath);
        }
        paired(
            state, key, readBytes(path).size(), [&] { bytes = readBytes(path); },
            [&] {
                target = std::make_unique<app::model::Notebook>();
                imported = app::model::importFromXml(*target, widePath);
            },
            [&] {
                target.reset();
                bytes = std::string();
            });
        if (imported != count) {
            throw std::runtime_error("importFromXml returned " + std::to_string(imported) + " notes of "
                                     + std::to_string(count));
        }
        state.counters["us_per_note"] = 1e6 * bench::ratios::mean(key + ".measured").value_or(0) / count;
    });
}

void registerBenchmarks() {
    const auto timed = [](const char* name, void (*body)(benchmark::State&), int iterations) {
        return benchmark::RegisterBenchmark(name, body)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(iterations);
    };
    timed("Export/exportToXml_vs_write_fsync_rename", exportXml, 6);
    timed("Export/exportToText_vs_write_fsync_rename", exportText, 6);
    for (const int count : importSizes) {
        const int iterations = count == bench::noteCount ? 4 : count == 10000 ? 10 : 50;
        timed("Import/importFromXml_vs_read_bytes", importXml, iterations)->Arg(count);
    }
}

void printRatios(std::ostream& out) {
    using namespace bench::ratios;
    out << '\n';
    print(out, "export_xml", mean("export_xml.measured"), mean("export_xml.baseline"), 3);
    print(out, "export_text", mean("export_text.measured"), mean("export_text.baseline"), 3);

    const std::string full = "import_" + std::to_string(bench::noteCount);
    const auto measured = mean(full + ".measured");
    const auto baseline = mean(full + ".baseline");
    char line[160];
    if (measured && baseline && *baseline > 0) {
        std::snprintf(line, sizeof line, "INFO import_xml = %.0f ms, %.2f times reading the file (no target)\n",
                      1000 * *measured, *measured / *baseline);
        out << line;
    } else {
        out << "INFO import_xml: not measured in this run (filtered out or failed)\n";
    }
    for (const int count : importSizes) {
        if (const auto seconds = mean("import_" + std::to_string(count) + ".measured")) {
            std::snprintf(line, sizeof line, "INFO import per note at %d notes = %.2f us\n", count,
                          1e6 * *seconds / count);
            out << line;
        }
    }
    // Flat means the time per note of the largest file is about that of the smallest.
    const auto perNote = [](int count) -> std::optional<double> {
        const auto seconds = mean("import_" + std::to_string(count) + ".measured");
        return seconds ? std::optional<double>(*seconds / count) : std::nullopt;
    };
    print(out, "import_per_note_100000_vs_1000", perNote(bench::noteCount), perNote(1000), 2);
}

}  // namespace

int main(int argc, char** argv) {
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, INT_MAX);
    const int status = bench::runMain(
        argc, argv, "exchange_bench",
        [] {
            const double start = bench::now();
            const bench::Workload& w = workload();
            std::printf("Workload: %d notes (title %zu, text %zu characters, %d tags), built in %.1f s, in %s\n",
                        w.notebook->count(), bench::titleLength, bench::textLength, bench::tagsPerNote,
                        secondsSince(start), w.folder.file("").c_str());
            const double files = bench::now();
            const double xmlBytes = static_cast<double>(exportFile("export.xml", app::model::exportToXml).bytes.size());
            const double textBytes =
                static_cast<double>(exportFile("export.txt", app::model::exportToText).bytes.size());
            for (const int count : importSizes) {
                xmlOfFirst(count);
            }
            std::printf("          XML file %.1f MB, text file %.1f MB, written in %.1f s\n\n", xmlBytes / megabyte,
                        textBytes / megabyte, secondsSince(files));
        },
        registerBenchmarks, printRatios);
    bench::dropWorkload();
    return status;
}
