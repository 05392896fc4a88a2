#include "MessageOf.hpp"
#include "app/mainframe/noteslist/statemanager/ItemStateManager.hpp"
#include "app/mainframe/noteslist/statemanager/selection.hpp"
#include "err/Exceptions.hpp"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

using app::mainframe::noteslist::statemanager::ItemStateManager;
using app::mainframe::noteslist::statemanager::selection;
using app::mainframe::noteslist::statemanager::SelectionMode;

namespace {

std::set<int> setOf(std::initializer_list<int> items) {
    return std::set<int>(items);
}

}  // namespace

// Random selects, deselects and toggles of ranges agree with a plain set, and the runs
// stay sorted, disjoint and apart.
TEST(Selection, RunsAgreeWithAPlainSet) {
    std::mt19937 random(99);
    selection<int> runs;
    std::set<int> plain;
    for (int round = 0; round < 3000; ++round) {
        const int a = static_cast<int>(random() % 200);
        const int b = std::min(199, a + static_cast<int>(random() % 25));
        switch (random() % 4) {
        case 0:
            runs.selectRange(a, b);
            for (int i = a; i <= b; ++i) {
                plain.insert(i);
            }
            break;
        case 1:
            runs.deselectRange(b, a);
            for (int i = a; i <= b; ++i) {
                plain.erase(i);
            }
            break;
        case 2:
            runs.toggleRange(a, b);
            for (int i = a; i <= b; ++i) {
                if (!plain.erase(i)) {
                    plain.insert(i);
                }
            }
            break;
        default:
            runs.toggle(a);
            if (!plain.erase(a)) {
                plain.insert(a);
            }
        }
        ASSERT_EQ(plain, runs.toSet()) << "round " << round;
        ASSERT_EQ(plain.size(), runs.size());
        int previousLast = -2;
        for (const auto& run : runs.runs()) {
            ASSERT_LE(run.first, run.second);
            ASSERT_GT(run.first, previousLast + 1) << "runs touch";
            previousLast = run.second;
        }
        const int probe = static_cast<int>(random() % 200);
        ASSERT_EQ(plain.count(probe) == 1, runs.has(probe));
    }
}

TEST(Selection, DeselectOfAnUnselectedIndexIsRefused) {
    selection<int> s;
    s.selectRange(3, 9);
    s.deselect(5);
    EXPECT_EQ(setOf({3, 4, 6, 7, 8, 9}), s.toSet());
    EXPECT_EQ("Precondition failed:\napp::mainframe::noteslist::statemanager::selection<int>::deselect\nhas(t)",
              testing_support::messageOf<err::LogicException>([&] { s.deselect(5); }));
    EXPECT_EQ(6u, s.size());
}

TEST(ItemStateManager, ShiftExtendsAndShrinksFromTheAnchor) {
    ItemStateManager state;
    state.moveFocus(2, 10);
    state.setMode(SelectionMode::extend);
    for (int i = 3; i <= 5; ++i) {
        state.moveFocus(i, 10);
    }
    EXPECT_EQ(setOf({2, 3, 4, 5}), state.getSelection().toSet());
    state.moveFocus(4, 10);
    EXPECT_EQ(setOf({2, 3, 4}), state.getSelection().toSet());
    // Back past the anchor: the selection turns to the other side.
    state.moveFocus(3, 10);
    state.moveFocus(2, 10);
    state.moveFocus(1, 10);
    EXPECT_EQ(setOf({1, 2}), state.getSelection().toSet());
    EXPECT_EQ(1, state.getFocus());
}

TEST(ItemStateManager, ModesAndClamping) {
    ItemStateManager state;
    // An empty list has nothing to focus.
    EXPECT_FALSE(state.moveFocus(3, 0).focusChanged);
    EXPECT_TRUE(state.getSelection().empty());

    ItemStateManager::Move move = state.moveFocus(3, 10);
    EXPECT_TRUE(move.focusChanged);
    EXPECT_TRUE(move.selectionChanged);
    EXPECT_EQ(setOf({3}), state.getSelection().toSet());
    // Moving to the same item in single mode changes nothing, but still answers.
    move = state.moveFocus(3, 10);
    EXPECT_FALSE(move.focusChanged);
    EXPECT_FALSE(move.selectionChanged);
    EXPECT_EQ(3, move.previous);

    state.setMode(SelectionMode::moveOnly);
    move = state.moveFocus(7, 10);
    EXPECT_TRUE(move.focusChanged);
    EXPECT_FALSE(move.selectionChanged);
    EXPECT_EQ(setOf({3}), state.getSelection().toSet());
    state.setMode(SelectionMode::selectAndMove);
    state.moveFocus(8, 10);
    EXPECT_EQ(setOf({3, 8}), state.getSelection().toSet());
    // Out of range: clamped to the last item.
    state.setMode(SelectionMode::single);
    state.moveFocus(50, 10);
    EXPECT_EQ(9, state.getFocus());
    EXPECT_EQ(setOf({9}), state.getSelection().toSet());
    state.moveFocus(-5, 10);
    EXPECT_EQ(0, state.getFocus());
}

// Selecting everything, or from an item to the end, is one run whatever the count.
TEST(ItemStateManager, SelectAllAndShiftEndAt100000Items) {
    const int count = 100000;
    ItemStateManager state;
    EXPECT_TRUE(state.selectAll(count));
    EXPECT_EQ(1u, state.getSelection().runs().size());
    EXPECT_EQ(static_cast<std::size_t>(count), state.getSelection().size());
    EXPECT_FALSE(state.selectAll(count));
    EXPECT_FALSE(state.selectAll(0));

    state.moveFocus(2, count);
    state.setMode(SelectionMode::extend);
    state.moveFocus(count - 1, count);
    EXPECT_EQ(1u, state.getSelection().runs().size());
    EXPECT_EQ(static_cast<std::size_t>(count - 2), state.getSelection().size());
    EXPECT_TRUE(state.getSelection().has(2));
    EXPECT_TRUE(state.getSelection().has(count - 1));
    // Ctrl+click in the middle splits it in two.
    state.getSelection().toggle(50000);
    EXPECT_EQ(2u, state.getSelection().runs().size());
    // Shift+Home from the end: the range flips to the anchor's other side.
    state.setMode(SelectionMode::single);
    state.moveFocus(40000, count);
    state.setMode(SelectionMode::extend);
    state.moveFocus(0, count);
    EXPECT_EQ(1u, state.getSelection().runs().size());
    EXPECT_EQ(40001u, state.getSelection().size());
}

TEST(ItemStateManager, TextOffsets) {
    ItemStateManager state;
    state.setTextOffset(4, 3);
    state.setTextOffset(7, 9);
    state.setTextOffset(8, 1);
    EXPECT_EQ(3, state.getTextOffset(4));
    EXPECT_EQ(0, state.getTextOffset(5));
    // After the width changed item 7 can scroll 2 lines only, item 8 none.
    state.clampTextOffsets([](int item, int offset) {
        return item == 7 ? std::min(offset, 2) : item == 8 ? 0 : offset;
    });
    EXPECT_EQ(3, state.getTextOffset(4));
    EXPECT_EQ(2, state.getTextOffset(7));
    EXPECT_EQ(0, state.getTextOffset(8));
    state.resetTextOffsets();
    EXPECT_EQ(0, state.getTextOffset(4));
}
