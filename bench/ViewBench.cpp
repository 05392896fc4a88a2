// Rebuilding the notebook view for one keystroke in the filter bar, for each of the seven
// field choices, at 20,000 and 100,000 notes, against a baseline measured in the same run.
//
//   measured  view.setFilter(new TextFilter(fields, query)): the filter is made, the view
//             rebuilt over every note and changed raised (no listeners); the notebook
//             announces a change between iterations, so nothing found before is reused
//   baseline  for every note, std::wstring::find(query) over the very same lower-case
//             strings the filter searches (for the tags field the note's joined tag text,
//             which the filter searches too), in the same field order and stopping at the
//             first hit, collecting the indices of the hits into a reserved vector; the
//             strings to visit are listed beforehand
//
// Both run in the same iteration, taking turns at going first, and must find the same
// notes, so every query is one word or holds no tag separator where the tags are searched.

#include "GoogleBench.hpp"
#include "Ratios.hpp"
#include "ViewWorkload.hpp"
#include "Workload.hpp"

#include "app/model/FilterChoices.hpp"
#include "app/model/Notebook.hpp"
#include "app/model/NotebookView.hpp"
#include "app/model/TextFilter.hpp"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <iostream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using app::model::TextFilter;
using bench::secondsSince;
using bench::view::notebookOf;

constexpr int sizes[] = {20000, bench::noteCount};

// What a user has typed when the rebuild runs, per choice, in the order of filterChoices.
const wchar_t* const queries[] = {L"invoice", L"hotel b", L"deadline", L"budget", L"/21 1", L"wiki", L"proj"};

std::string nameOf(std::size_t choice) {
    const std::string key = app::model::filterChoices[choice].key;
    return key.substr(key.rfind('.') + 1);
}

std::string keyOf(std::size_t choice, int size) {
    return "view_" + nameOf(choice) + "_" + std::to_string(size);
}

void rebuild(benchmark::State& state, std::size_t choice, int size) {
    try {
        app::model::Notebook& notebook = notebookOf(size);
        app::model::INotebookView& view = notebook.view();
        const TextFilter::Fields fields = app::model::filterChoices[choice].fields;
        const std::wstring query = queries[choice];
        const bench::view::Scan scan = bench::view::scanOf(notebook, fields);
        std::vector<int> hits;
        hits.reserve(static_cast<std::size_t>(size));
        const std::string key = keyOf(choice, size);

        double baselineTotal = 0;
        double measuredTotal = 0;
        bool baselineFirst = true;
        for (auto _ : state) {
            const bench::PairTimes times = bench::timePair(
                baselineFirst, [&] { bench::view::plainScan(scan, query, hits); },
                [&] { view.setFilter(std::make_unique<TextFilter>(fields, query)); });
            const double measured = times.measured;
            const double base = times.baseline;
            baselineFirst = !baselineFirst;
            notebook.changed();  // the next rebuild searches every note again
            if (view.count() != static_cast<int>(hits.size())) {
                throw std::runtime_error("the view shows " + std::to_string(view.count()) + " notes, the scan found "
                                         + std::to_string(hits.size()));
            }
            state.SetIterationTime(measured);
            bench::ratios::record(key + ".measured", measured);
            bench::ratios::record(key + ".baseline", base);
            measuredTotal += measured;
            baselineTotal += base;
        }
        view.setFilter(nullptr);
        const double iterations = static_cast<double>(state.iterations());
        state.counters["baseline_ms"] = 1000 * baselineTotal / iterations;
        state.counters["ratio"] = measuredTotal / baselineTotal;
        state.counters["shown"] = static_cast<double>(hits.size());
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

// Typing a ten-letter word into the filter bar over all fields, key by key, then
// Backspace down to its first letter, then a change of the field choice (see typeWord).
const wchar_t* const typedWord = L"restaurant";
std::vector<bench::view::TypingRound>& typingRounds() {
    static std::vector<bench::view::TypingRound> rounds;
    return rounds;
}

void typing(benchmark::State& state) {
    bench::guarded(state, [&] {
        app::model::Notebook& notebook = notebookOf(bench::noteCount);
        int round = 0;
        for (auto _ : state) {
            typingRounds().push_back(
                bench::view::typeWord(notebook, TextFilter::All, TextFilter::TextAndTitle, typedWord, round++));
            double keys = 0;
            for (double seconds : typingRounds().back().keys) {
                keys += seconds;
            }
            state.SetIterationTime(keys);
        }
    });
}

void registerBenchmarks() {
    for (int size : sizes) {
        for (std::size_t choice = 0; choice < app::model::filterChoices.size(); ++choice) {
            const std::string name = "Rebuild/" + nameOf(choice) + "/" + std::to_string(size);
            benchmark::RegisterBenchmark(name.c_str(),
                                         [choice, size](benchmark::State& state) { rebuild(state, choice, size); })
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond)
                ->Iterations(size > 20000 ? 10 : 30);
        }
    }
    benchmark::RegisterBenchmark("Typing/restaurant_key_by_key/100000", typing)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
}

void printRatios(std::ostream& out) {
    out << '\n';
    for (int size : sizes) {
        for (std::size_t choice = 0; choice < app::model::filterChoices.size(); ++choice) {
            const std::string key = keyOf(choice, size);
            bench::ratios::print(out, key, bench::ratios::mean(key + ".measured"),
                                 bench::ratios::mean(key + ".baseline"), 2);
        }
    }
    out << '\n';
    bench::view::printTyping(out, typedWord, typingRounds(), bench::noteCount);
}

}  // namespace

int main(int argc, char** argv) {
    return bench::runMain(
        argc, argv, "view_bench",
        [] {
            const double start = bench::now();
            for (int size : sizes) {
                notebookOf(size);
            }
            std::printf("Workload: %d and %d notes (title %zu, text %zu characters, %d tags), built in %.1f s\n\n",
                        sizes[0], sizes[1], bench::titleLength, bench::view::textLength, bench::tagsPerNote,
                        secondsSince(start));
        },
        registerBenchmarks, printRatios);
}
