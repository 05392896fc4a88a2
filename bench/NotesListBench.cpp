// The notes list's layout and geometry, each against a baseline measured in the same run.
//
//   LineBreaking   LineBreaker over a note of 600 or 6,000 code units, Latin or Cyrillic, with
//                  the character widths already known, against a raw scan that sums the very
//                  same width table over the text (the least any breaker must do). Target <= 3.
//   ViewportLayout after a width change, the heights and shown lines of the items of one
//                  1,080-row viewport in the middle of the list, at 1,000 and 100,000 notes,
//                  against a raw width scan of those items' texts. Target <= 4, and the time at
//                  100,000 within 1.3 times the time at 1,000.
//   ListOps        ListController operations at 100,000 notes, each as the list runs it (a line
//                  scroll with the scroll-bar position, a page scroll, a hit test, Page Down,
//                  a far reveal placed directly, the top of an item), against summing the
//                  heights of one viewport of items. Target <= 10.
//   SelectAll      Ctrl+A and Shift+End at 100,000 notes, against inserting the 100,000
//                  indices into a std::set (a selection kept item by item). Target <= 0.01.

#include "GoogleBench.hpp"
#include "Ratios.hpp"
#include "Workload.hpp"

#include "app/mainframe/noteslist/NoteLayout.hpp"
#include "app/mainframe/noteslist/noterenderer/CharacterWidths.hpp"
#include "app/mainframe/noteslist/noterenderer/LineBreaker.hpp"
#include "app/mainframe/noteslist/noterenderer/TextMeasure.hpp"
#include "app/mainframe/noteslist/scrollcontroller/ListController.hpp"
#include "app/mainframe/noteslist/statemanager/ItemStateManager.hpp"
#include "app/model/Notebook.hpp"
#include "app/model/NotebookView.hpp"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace app::mainframe::noteslist;
using bench::secondsSince;

constexpr int viewportHeight = 1080;
constexpr int itemWidth = 1900;

// Tahoma-like advance widths: 4 to 9 pixels, by code unit.
int widthOf(char32_t c) {
    return c == U' ' ? 3 : 4 + static_cast<int>(c % 6);
}

class TableMeasure : public noterenderer::TextMeasure {
public:
    int characterWidth(char32_t c) override { return widthOf(c); }
    int lineHeight() override { return 13; }
};

// The width table the baseline sums: the same widths, in a plain array.
const std::vector<int>& widthTable() {
    static const std::vector<int> table = [] {
        std::vector<int> t(0x10000);
        for (std::size_t c = 0; c < t.size(); ++c) {
            t[c] = widthOf(static_cast<char32_t>(c));
        }
        return t;
    }();
    return table;
}

long long rawScan(const std::wstring& text) {
    const std::vector<int>& table = widthTable();
    long long sum = 0;
    for (wchar_t c : text) {
        sum += table[static_cast<std::size_t>(c) & 0xFFFF];
    }
    return sum;
}

std::wstring cyrillic(std::wstring text) {
    for (wchar_t& c : text) {
        if (c >= L'a' && c <= L'z') {
            c = static_cast<wchar_t>(0x0430 + (c - L'a'));
        } else if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(0x0410 + (c - L'A'));
        }
    }
    return text;
}

void lineBreaking(benchmark::State& state, std::size_t length, bool russian) {
    bench::guarded(state, [&] {
        std::wstring text = bench::makeText(42 + length, length);
        if (russian) {
            text = cyrillic(text);
        }
        const auto widths = std::make_shared<noterenderer::CharacterWidths>(widthOf);
        noterenderer::LineBreaker(text, 400, widths).getLineCount();  // every width known
        const std::string key = std::string("break_") + (russian ? "cyrillic_" : "latin_") + std::to_string(length);
        int lines = 0;
        long long sum = 0;
        bench::paired(
            state, key, text.size() * sizeof(wchar_t), [&] { benchmark::DoNotOptimize(sum = rawScan(text)); },
            [&] { lines = noterenderer::LineBreaker(text, 400, widths).getLineCount(); }, [] {});
        state.counters["lines"] = lines;
    });
}

struct List {
    std::unique_ptr<app::model::Notebook> notebook;
    std::unique_ptr<NoteLayout> layout;
    std::unique_ptr<scrollcontroller::ListController> controller;
};

List& listOf(int size) {
    static std::unique_ptr<List> lists[2];
    std::unique_ptr<List>& list = lists[size > 1000 ? 1 : 0];
    if (!list) {
        list = std::make_unique<List>();
        list->notebook = bench::makeNotebook(size, 600, 0xA11CE + static_cast<std::uint64_t>(size));
        app::model::INotebookView& view = list->notebook->view();
        list->layout = std::make_unique<NoteLayout>(view, std::make_shared<TableMeasure>());
        list->layout->setHeaderTextHeight(14);
        list->layout->setTagsBandHeight(19);
        list->layout->setWidth(itemWidth);
        NoteLayout* layout = list->layout.get();
        list->controller = std::make_unique<scrollcontroller::ListController>(
            [layout](int i) { return layout->getItemHeight(i); }, [&view] { return view.count(); });
        list->controller->setMinimumItemHeight(list->layout->getMinimumItemHeight());
        list->controller->setHeight(viewportHeight);
    }
    return *list;
}

// The items a paint of the viewport reaches, from the current position.
std::vector<int> visibleItems(List& list) {
    std::vector<int> items;
    const scrollcontroller::ListController& c = *list.controller;
    int top = -c.getPosition().offset;
    for (int item = c.getPosition().item; top < viewportHeight && item < c.count(); ++item) {
        items.push_back(item);
        top += list.layout->getItemHeight(item);
    }
    return items;
}

void viewportLayout(benchmark::State& state, int size) {
    bench::guarded(state, [&] {
        List& list = listOf(size);
        list.controller->setFraction(size / 2.0);
        app::model::INotebookView& view = list.notebook->view();
        int width = itemWidth;
        std::vector<int> shown;
        long long sum = 0;
        bench::paired(
            state, "layout_" + std::to_string(size), 0,
            [&] {
                sum = 0;
                for (int item : shown) {
                    sum += rawScan(view.note(item).text());
                }
                benchmark::DoNotOptimize(sum);
            },
            [&] {
                width = width == itemWidth ? itemWidth - 40 : itemWidth;
                list.layout->setWidth(width);
                list.controller->clampToMaximum();
                shown = visibleItems(list);
                for (int item : shown) {
                    benchmark::DoNotOptimize(list.layout->getBodyLines(item, 0));
                }
            },
            [] {});
        state.counters["items"] = static_cast<double>(shown.size());
    });
}

// One viewport of heights summed: the least a scroll step must look at.
long long sumViewport(List& list) {
    long long sum = 0;
    const int n = list.controller->count();
    for (int item = list.controller->getPosition().item; item < n && sum < viewportHeight; ++item) {
        sum += list.layout->getItemHeight(item);
    }
    return sum;
}

// Each operation as the list runs it, sixteen times, against one viewport of heights
// summed sixteen times.
constexpr int repeats = 16;

using Controller = scrollcontroller::ListController;
using Range = Controller::ScrollBar;

struct ListOp {
    const char* name;
    std::function<int(Controller&, const Range&)> run;
};

const std::vector<ListOp>& listOpsTable() {
    static const std::vector<ListOp> ops{
        {"scroll_line",
         [](Controller& c, const Range& range) {
             c.scrollBy(40);
             c.scrollBy(-40);
             return c.getScrollPosition(range);
         }},
        {"scroll_page",
         [](Controller& c, const Range&) {
             c.scrollBy(viewportHeight);
             c.scrollBy(-viewportHeight);
             return c.getPosition().item;
         }},
        {"hit_test", [](Controller& c, const Range&) { return c.itemAt(viewportHeight - 1).index; }},
        {"page_down", [](Controller& c, const Range&) { return c.pageDown(c.getPosition().item); }},
        {"reveal_far",
         [](Controller& c, const Range&) {
             return c.distanceToReveal(c.count() - 2, 2 * viewportHeight).value_or(0)
                    + c.revealPosition(c.count() - 2, 16).item;
         }},
        {"top_of", [](Controller& c, const Range&) { return c.topOf(c.getPosition().item + 5).value_or(0); }},
    };
    return ops;
}

void listOp(benchmark::State& state, const ListOp& op) {
    bench::guarded(state, [&] {
        List& list = listOf(100000);
        scrollcontroller::ListController& c = *list.controller;
        c.setFraction(50000);
        // The range changes with the view and the viewport only; the list keeps it.
        const Range range = c.getScrollRange();
        long long sum = 0;
        int answer = 0;
        bench::paired(
            state, std::string("list_") + op.name, 0,
            [&] {
                for (int i = 0; i < repeats; ++i) {
                    sum += sumViewport(list);
                }
                benchmark::DoNotOptimize(sum);
            },
            [&] {
                for (int i = 0; i < repeats; ++i) {
                    answer += op.run(c, range);
                }
                benchmark::DoNotOptimize(answer);
            },
            [] {});
    });
}

void selectAll(benchmark::State& state) {
    bench::guarded(state, [&] {
        const int count = 100000;
        statemanager::ItemStateManager manager;
        std::set<int> plain;
        bench::paired(
            state, "select_all", 0,
            [&] {
                plain.clear();
                for (int i = 0; i < count; ++i) {
                    plain.insert(plain.end(), i);
                }
                benchmark::DoNotOptimize(plain.size());
            },
            [&] {
                manager.selectAll(count);
                manager.setMode(statemanager::SelectionMode::single);
                manager.moveFocus(2, count);
                manager.setMode(statemanager::SelectionMode::extend);
                manager.moveFocus(count - 1, count);
                benchmark::DoNotOptimize(manager.getSelection().size());
            },
            [] {});
    });
}

void registerBenchmarks() {
    for (std::size_t length : {std::size_t(600), std::size_t(6000)}) {
        for (bool russian : {false, true}) {
            const std::string name =
                std::string("LineBreaking/") + (russian ? "Cyrillic/" : "Latin/") + std::to_string(length);
            benchmark::RegisterBenchmark(
                name.c_str(), [length, russian](benchmark::State& state) { lineBreaking(state, length, russian); })
                ->UseManualTime()
                ->Unit(benchmark::kMicrosecond);
        }
    }
    for (int size : {1000, 100000}) {
        const std::string name = "ViewportLayout/" + std::to_string(size);
        benchmark::RegisterBenchmark(name.c_str(), [size](benchmark::State& state) { viewportLayout(state, size); })
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond);
    }
    for (const ListOp& op : listOpsTable()) {
        const std::string name = std::string("ListOps/") + op.name + "/100000";
        benchmark::RegisterBenchmark(name.c_str(), [&op](benchmark::State& state) { listOp(state, op); })
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond)
            ->Iterations(20000);
    }
    // The baseline costs milliseconds and the measured call microseconds: a fixed count,
    // or the run would go on until the microseconds added up.
    benchmark::RegisterBenchmark("SelectAll/100000", selectAll)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond)
        ->Iterations(50);
}

void printRatios(std::ostream& out) {
    out << '\n';
    for (const char* script : {"latin", "cyrillic"}) {
        for (int length : {600, 6000}) {
            const std::string key = std::string("break_") + script + "_" + std::to_string(length);
            bench::ratios::print(out, key, bench::ratios::mean(key + ".measured"),
                                 bench::ratios::mean(key + ".baseline"), 3);
        }
    }
    for (int size : {1000, 100000}) {
        const std::string key = "layout_" + std::to_string(size);
        bench::ratios::print(out, key, bench::ratios::mean(key + ".measured"), bench::ratios::mean(key + ".baseline"),
                             4);
    }
    bench::ratios::print(out, "layout_100000_vs_1000", bench::ratios::mean("layout_100000.measured"),
                         bench::ratios::mean("layout_1000.measured"), 1.3);
    for (const ListOp& op : listOpsTable()) {
        const std::string key = std::string("list_") + op.name;
        bench::ratios::print(out, key, bench::ratios::mean(key + ".measured"), bench::ratios::mean(key + ".baseline"),
                             10);
    }
    bench::ratios::print(out, "select_all", bench::ratios::mean("select_all.measured"),
                         bench::ratios::mean("select_all.baseline"), 0.01);
}

}  // namespace

int main(int argc, char** argv) {
    return bench::runMain(
        argc, argv, "noteslist_bench",
        [] {
            const double start = bench::now();
            listOf(1000);
            listOf(100000);
            std::printf(
                "Workload: lists of 1,000 and 100,000 notes of 600 characters, items %d wide, a %d-row "
                "viewport; built in %.1f s\n\n",
                itemWidth, viewportHeight, secondsSince(start));
        },
        registerBenchmarks, printRatios);
}
