#include "ui/layout/BasicPane.hpp"
#include "ui/layout/BorderLayouts.hpp"
#include "ui/layout/BoxLayouts.hpp"
#include "ui/layout/FixedLayout.hpp"
#include "ui/layout/Layoutable.hpp"
#include "ui/layout/Pane.hpp"

#include "MessageOf.hpp"
#include "err/Exceptions.hpp"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

using namespace ui::layout;
using BadArgument = err::InvalidArgumentException;
using BadState = err::InvalidStateException;

namespace {

using Bounds = std::array<int, 4>;  // x, y, width, height

Bounds boundsOf(const Layoutable& item) {
    return {item.getX(), item.getY(), item.getWidth(), item.getHeight()};
}

// A layoutable with a fixed minimum that takes whatever bounds it is given and records them.
struct Item : Layoutable {
    Item(int width, int height, int minWidth = 0, int minHeight = 0)
        : bounds{0, 0, width, height}, minWidth(minWidth), minHeight(minHeight) {}

    int getX() const override { return bounds[0]; }
    int getY() const override { return bounds[1]; }
    int getWidth() const override { return bounds[2]; }
    int getHeight() const override { return bounds[3]; }
    int getMinWidth() const override { return minWidth; }
    int getMinHeight() const override { return minHeight; }
    void setBounds(int x, int y, int width, int height, bool repaint) override {
        bounds = {x, y, width, height};
        calls.push_back(bounds);
        repaints.push_back(repaint);
    }

    Bounds bounds;
    int minWidth, minHeight;
    std::vector<Bounds> calls;
    std::vector<bool> repaints;
};

// The layout with the items appended in order.
template <class L>
L with(L layout, std::initializer_list<Item*> items) {
    for (Item* item : items) {
        layout.put(item);
    }
    return layout;
}

// What a failed precondition of type E thrown by `action` names after "Precondition failed:\n".
template <class E, class F>
std::string refusal(F action) {
    const std::string prefix = "Precondition failed:\n";
    const std::string text = testing_support::messageOf<E>(action);
    return text.compare(0, prefix.size(), prefix) == 0 ? text.substr(prefix.size()) : text;
}

}  // namespace

TEST(LayoutableTest, OuterBoxAddsTheMarginsAndPlacingTakesThemOff) {
    Item item(50, 20, 10, 5);
    item.setMargins(1, 2, 3, 4);
    EXPECT_EQ((Bounds{54, 26, 14, 11}),
              (Bounds{item.getOuterWidth(), item.getOuterHeight(), item.getOuterMinWidth(), item.getOuterMinHeight()}));
    item.setOuterBounds(10, 20, 100, 40, true);
    EXPECT_EQ((Bounds{11, 22, 96, 34}), boundsOf(item));
    EXPECT_EQ(std::vector<bool>{true}, item.repaints);

    // ensureMinimumSize grows only too small items, in place.
    Item wide(50, 20, 60, 10);
    wide.setBounds(5, 6, 50, 20, false);
    ensureMinimumSize(wide, true);
    EXPECT_EQ((Bounds{5, 6, 60, 20}), boundsOf(wide));
    EXPECT_TRUE(wide.repaints.back());

    Item enough(50, 20, 50, 20);
    ensureMinimumSize(enough, true);
    EXPECT_TRUE(enough.calls.empty());

    // A basic pane starts at its minimum and never stays below it.
    impl::BasicPane pane(40, 30);
    pane.setBounds(7, 8, 10, 100, false);
    EXPECT_EQ((Bounds{7, 8, 40, 100}), boundsOf(pane));
    pane.setMinHeight(120, false);
    EXPECT_EQ((Bounds{7, 8, 40, 120}), boundsOf(pane));
}

TEST(LayoutBorderTest, HorizontalSidesKeepTheirWidthsAndTheCenterTakesTheRest) {
    Item center(10, 10);
    HBorderLayout onlyCenter;
    onlyCenter.put(&center, Place::center);
    onlyCenter.doLayout(5, 6, 300, 40, false);
    EXPECT_EQ((Bounds{5, 6, 300, 40}), boundsOf(center));

    Item left(80, 10);
    HBorderLayout onlyLeft;
    onlyLeft.put(&left, Place::left);
    onlyLeft.doLayout(0, 0, 300, 40, false);
    EXPECT_EQ((Bounds{0, 0, 80, 40}), boundsOf(left));

    Item a(70, 10, 0, 15), b(100, 10, 30, 25), c(40, 10, 0, 5);
    a.setMargins(5, 1, 5, 1);
    b.setMargins(2, 2, 2, 2);
    HBorderLayout all;
    all.put(&c, Place::right);
    all.put(&b, Place::center);
    all.put(&a, Place::left);
    EXPECT_EQ(80 + 40 + 34, all.getMinWidth());
    EXPECT_EQ(29, all.getMinHeight());
    all.doLayout(10, 20, 300, 50, false);
    EXPECT_EQ((Bounds{15, 21, 70, 48}), boundsOf(a));
    EXPECT_EQ((Bounds{270, 20, 40, 50}), boundsOf(c));
    EXPECT_EQ((Bounds{92, 22, 176, 46}), boundsOf(b));
}

TEST(LayoutBorderTest, VerticalSidesKeepTheirHeightsAndTheCenterTakesTheRest) {
    Item top(10, 30, 50, 0), center(10, 100, 20, 40), bottom(10, 20, 0, 0);
    bottom.setMargins(0, 4, 0, 4);
    VBorderLayout layout;
    layout.put(&top, Place::top);
    layout.put(&center, Place::center);
    layout.put(&bottom, Place::bottom);
    EXPECT_EQ(50, layout.getMinWidth());
    EXPECT_EQ(30 + 28 + 40, layout.getMinHeight());
    layout.doLayout(3, 4, 200, 300, true);
    EXPECT_EQ((Bounds{3, 4, 200, 30}), boundsOf(top));
    EXPECT_EQ((Bounds{3, 280, 200, 20}), boundsOf(bottom));
    EXPECT_EQ((Bounds{3, 34, 200, 242}), boundsOf(center));
}

TEST(LayoutBorderTest, MisplacedItemsAreRefused) {
    Item item(1, 1);
    HBorderLayout h;
    EXPECT_EQ("ui::layout::HBorderLayout::put\nisPlaceValid(place)",
              refusal<BadArgument>([&] { h.put(&item, Place::top); }));
    h.put(&item, Place::left);
    EXPECT_EQ(&item, h.getLayouteeByPlace(Place::left));
    EXPECT_EQ(nullptr, h.getLayouteeByPlace(Place::right));
    EXPECT_EQ("ui::layout::HBorderLayout::put\nisPlaceFree(place)",
              refusal<BadArgument>([&] { h.put(&item, Place::left); }));
    EXPECT_EQ("ui::layout::HBorderLayout::getLayouteeByPlace\nisPlaceValid(place)",
              refusal<BadArgument>([&] { h.getLayouteeByPlace(Place::bottom); }));

    VBorderLayout v;
    EXPECT_EQ("ui::layout::VBorderLayout::put\nisPlaceValid(place)",
              refusal<BadArgument>([&] { v.put(&item, Place::right); }));
    v.put(&item, Place::bottom);
    EXPECT_EQ("ui::layout::VBorderLayout::put\nisPlaceFree(place)",
              refusal<BadArgument>([&] { v.put(&item, Place::bottom); }));
    EXPECT_EQ("ui::layout::VBorderLayout::getLayouteeByPlace\nisPlaceValid(place)",
              refusal<BadArgument>([&] { v.isPlaceFree(Place::left); }));

    HBoxLayout box(Alignment::left, Alignment::fill);
    EXPECT_EQ("ui::layout::ArrayLayout::put\nitem != 0", refusal<BadArgument>([&] { box.put(nullptr); }));
    EXPECT_TRUE(box.isEmpty());
}

TEST(LayoutBoxTest, HorizontalRowIsPlacedByBothAlignments) {
    struct Case {
        Alignment horizontal, vertical;
        Bounds tall, low;
    };
    // A 51 x 20 and a 30 x 10 item at (0, 10) in 200 x 100.
    const Case cases[] = {
        {Alignment::left, Alignment::fill, {0, 10, 51, 100}, {51, 10, 30, 100}},
        {Alignment::right, Alignment::topEdge, {119, 10, 51, 20}, {170, 10, 30, 10}},
        {Alignment::center, Alignment::top, {60, 10, 51, 20}, {111, 15, 30, 10}},
        {Alignment::left, Alignment::center, {0, 50, 51, 20}, {51, 55, 30, 10}},
        {Alignment::left, Alignment::bottom, {0, 90, 51, 20}, {51, 95, 30, 10}},
        {Alignment::left, Alignment::bottomEdge, {0, 90, 51, 20}, {51, 100, 30, 10}},
        {Alignment::fill, Alignment::left, {201, 111, 51, 20}, {252, 111, 30, 10}},
    };
    for (const Case& c : cases) {
        Item tall(51, 20), low(30, 10);
        with(HBoxLayout(c.horizontal, c.vertical), {&tall, &low}).doLayout(0, 10, 200, 100, false);
        const int index = static_cast<int>(&c - cases);
        EXPECT_EQ(c.tall, boundsOf(tall)) << index;
        EXPECT_EQ(c.low, boundsOf(low)) << index;
    }
}

TEST(LayoutBoxTest, VerticalColumnIsPlacedByBothAlignments) {
    struct Case {
        Alignment vertical, horizontal;
        Bounds wide, narrow;
    };
    // A 100 and a 60 pixel wide item, 20 and 30 high, at (10, 0) in 300 x 200.
    const Case cases[] = {
        {Alignment::top, Alignment::left, {10, 0, 100, 20}, {30, 20, 60, 30}},
        {Alignment::top, Alignment::fill, {10, 0, 300, 20}, {10, 20, 300, 30}},
        {Alignment::top, Alignment::leftEdge, {10, 0, 100, 20}, {10, 20, 60, 30}},
        {Alignment::bottom, Alignment::center, {110, 150, 100, 20}, {130, 170, 60, 30}},
        {Alignment::center, Alignment::right, {210, 75, 100, 20}, {230, 95, 60, 30}},
        {Alignment::top, Alignment::rightEdge, {210, 0, 100, 20}, {250, 20, 60, 30}},
        {Alignment::left, Alignment::bottom, {311, 201, 100, 20}, {311, 221, 60, 30}},
    };
    for (const Case& c : cases) {
        Item wide(100, 20), narrow(60, 30);
        with(VBoxLayout(c.vertical, c.horizontal), {&wide, &narrow}).doLayout(10, 0, 300, 200, false);
        const int index = static_cast<int>(&c - cases);
        EXPECT_EQ(c.wide, boundsOf(wide)) << index;
        EXPECT_EQ(c.narrow, boundsOf(narrow)) << index;
    }
}

TEST(LayoutBoxTest, MinimumsSumTheMainAxisAndTakeTheLargestCrossExtent) {
    Item a(50, 20, 10, 30), b(30, 40, 5, 4);
    a.setMargins(1, 2, 3, 4);
    const HBoxLayout row = with(HBoxLayout(Alignment::left, Alignment::fill), {&a, &b});
    EXPECT_EQ(54 + 30, row.getMinWidth());
    EXPECT_EQ(36, row.getMinHeight());
    EXPECT_EQ(40, with(HBoxLayout(Alignment::left, Alignment::center), {&a, &b}).getMinHeight());

    const VBoxLayout column = with(VBoxLayout(Alignment::top, Alignment::fill), {&a, &b});
    EXPECT_EQ(26 + 40, column.getMinHeight());
    EXPECT_EQ(14, column.getMinWidth());
    EXPECT_EQ(54, with(VBoxLayout(Alignment::top, Alignment::left), {&a, &b}).getMinWidth());
}

TEST(LayoutFixedTest, ItemsFollowTheOrigin) {
    Item a(40, 20), b(10, 10);
    a.setBounds(5, 5, 40, 20, false);
    a.setMargins(0, 0, 3, 2);
    b.setBounds(60, 0, 10, 10, false);
    FixedLayout layout = with(FixedLayout(), {&a, &b});
    EXPECT_EQ((std::pair(70, 27)), std::pair(layout.getMinWidth(), layout.getMinHeight()));

    layout.doLayout(10, 5, 1, 1, true);
    EXPECT_EQ((Bounds{15, 10, 40, 20}), boundsOf(a));
    EXPECT_EQ((Bounds{70, 5, 10, 10}), boundsOf(b));
    EXPECT_EQ((std::pair(70, 27)), std::pair(layout.getMinWidth(), layout.getMinHeight()));

    const std::size_t calls = a.calls.size();
    layout.doLayout(10, 5, 500, 500, true);
    EXPECT_EQ(calls, a.calls.size());

    // An item put after a move is moved by the origin too.
    Item c(10, 10);
    c.setBounds(1, 2, 10, 10, false);
    layout.put(&c);
    EXPECT_EQ((Bounds{11, 7, 10, 10}), boundsOf(c));
}

TEST(LayoutPaneTest, LayoutsAndItemsMustSuitThePane) {
    Item item(10, 10);
    Pane pane(HBorderLayout(), 0, 0);
    VBorderLayout replacement;
    pane.setLayout(replacement);
    replacement.put(&item, Place::center);
    EXPECT_TRUE(pane.getLayout().isEmpty());
    pane.put(&item, Place::top);
    EXPECT_EQ("ui::layout::Pane::setLayout\nlayout->isEmpty()",
              refusal<BadState>([&] { pane.setLayout(HBorderLayout()); }));
    EXPECT_EQ("ui::layout::Pane::addPane\npl->isPlaceFree(place)",
              refusal<BadState>([&] { pane.addPane(Place::top, HBorderLayout(), 0, 0); }));
    EXPECT_EQ("ui::layout::VBorderLayout::getLayouteeByPlace\nisPlaceValid(place)",
              refusal<BadArgument>([&] { pane.addPane(Place::left, HBorderLayout(), 0, 0); }));
    EXPECT_EQ("ui::layout::Pane::addPane\npl",
              refusal<err::RuntimeException>([&] { pane.addPane(FixedLayout(), 0, 0); }));
    EXPECT_EQ("ui::layout::Pane::put\npl != 0", refusal<err::RuntimeException>([&] { pane.put(&item); }));

    Pane box(HBoxLayout(Alignment::left, Alignment::fill), 0, 0);
    EXPECT_EQ("ui::layout::Pane::addPane\npl!=0",
              refusal<err::RuntimeException>([&] { box.addPane(Place::center, VBorderLayout(), 0, 0); }));
    EXPECT_EQ("ui::layout::Pane::put\npl != 0", refusal<err::RuntimeException>([&] { box.put(&item, Place::center); }));
}

TEST(LayoutPaneTest, NestedPanesPlaceTheirItemsInsideTheirPaddings) {
    Pane root(VBorderLayout(), 0, 0);
    root.setPaddings(5, 6, 7, 8);
    Pane& buttons = root.addPane(Place::bottom, HBoxLayout(Alignment::right, Alignment::fill), 0, 30);
    buttons.setPaddings(8, 8, 8, 8);
    Item ok(75, 24, 75, 24), cancel(75, 24, 75, 24);
    ok.setMargins(3, 3, 3, 3);
    cancel.setMargins(3, 3, 3, 3);
    buttons.put(&ok);
    buttons.put(&cancel);
    EXPECT_EQ((Bounds{0, 0, 178, 46}), boundsOf(buttons));

    Pane& center = root.addPane(Place::center, VBoxLayout(Alignment::center, Alignment::center), 0, 0);
    Item background(0, 0), label(100, 40);
    background.setMargins(9, 9, 9, 9);
    center.setContent(&background, false);
    label.setMargins(10, 20, 10, 10);
    center.put(&label);
    EXPECT_EQ((std::pair(190, 46 + 70 + 14)), std::pair(root.getMinWidth(), root.getMinHeight()));

    root.setBounds(0, 0, 400, 300, true);
    EXPECT_EQ((Bounds{5, 246, 388, 46}), boundsOf(buttons));
    EXPECT_EQ((Bounds{226, 257, 75, 24}), boundsOf(ok));
    EXPECT_EQ((Bounds{307, 257, 75, 24}), boundsOf(cancel));
    EXPECT_EQ((Bounds{149, 111, 100, 40}), boundsOf(label));
    EXPECT_EQ((Bounds{5, 6, 388, 240}), boundsOf(background));
    EXPECT_TRUE(label.repaints.back());
    EXPECT_EQ(400, root.getWidth());
}

TEST(LayoutPaneTest, PaneBelowItsLayoutMinimumOverflowsAndThenGrows) {
    Pane pane(HBoxLayout(Alignment::center, Alignment::topEdge), 0, 0);
    pane.setPaddings(10, 10, 10, 10);
    Item a(100, 20), b(50, 20);
    pane.put(&a);
    pane.put(&b);
    a.calls.clear();
    // Inner size -15 x -15: the layout gets its minimum instead, on every pass.
    pane.setBounds(30, 40, 5, 5, false);
    ASSERT_FALSE(a.calls.empty());
    EXPECT_EQ(std::vector<Bounds>(a.calls.size(), Bounds{40, 50, 100, 20}), a.calls);
    EXPECT_EQ((Bounds{140, 50, 50, 20}), boundsOf(b));
    EXPECT_EQ((Bounds{30, 40, 170, 40}), boundsOf(pane));
}

TEST(LayoutPaneTest, SubPanesFixedItemsAndContentFollowThePane) {
    Pane column(VBoxLayout(Alignment::top, Alignment::fill), 0, 0);
    Pane& first = column.addPane(HBorderLayout(), 50, 20);
    Pane& second = column.addPane(HBorderLayout(), 30, 10);
    column.update(false);
    EXPECT_EQ((Bounds{0, 0, 50, 20}), boundsOf(first));
    EXPECT_EQ((Bounds{0, 20, 50, 10}), boundsOf(second));

    Pane fixed(FixedLayout(), 0, 0);
    fixed.setPaddings(4, 6, 0, 0);
    Item item(20, 10);
    item.setBounds(1, 2, 20, 10, false);
    fixed.put(&item);
    EXPECT_EQ((Bounds{5, 8, 20, 10}), boundsOf(item));
    fixed.setBounds(100, 50, 0, 0, false);
    EXPECT_EQ((Bounds{105, 58, 20, 10}), boundsOf(item));
    EXPECT_EQ((Bounds{100, 50, 25, 18}), boundsOf(fixed));

    // Content fills the pane and raises its minimum.
    Pane pane(VBorderLayout(), 10, 10);
    Item panel(0, 0, 200, 5);
    panel.setMargins(3, 3, 3, 3);
    pane.setContent(&panel, true);
    EXPECT_EQ((std::pair(200, 10)), std::pair(pane.getMinWidth(), pane.getMinHeight()));
    EXPECT_EQ((Bounds{0, 0, 200, 10}), boundsOf(panel));
    EXPECT_TRUE(panel.repaints.back());
    pane.setBounds(4, 5, 300, 60, false);
    EXPECT_EQ((Bounds{4, 5, 300, 60}), boundsOf(panel));
}
