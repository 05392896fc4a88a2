#include "ControlHost.hpp"

#include "err/Exceptions.hpp"
#include "ui/composite/LabeledEdit.hpp"
#include "ui/controls/Edit.hpp"
#include "ui/controls/Label.hpp"
#include "ui/layout/BoxLayouts.hpp"
#include "ui/layout/Pane.hpp"

#include <gtest/gtest.h>

#include <memory>

using testing_support::ControlHost;
using testing_support::expectPlace;
using testing_support::placeOf;
using ui::composite::LabeledEdit;
using ui::composite::LabelPosition;

namespace {

// An edit of the caller's own kind, as dialogs hand in.
class WideEdit : public ui::controls::Edit {
public:
    explicit WideEdit(ui::Window* parent) : ui::controls::Edit(parent) {}
    void afterCreate() override {
        ui::controls::Edit::afterCreate();
        setMinWidth(240);
    }
};

}  // namespace

TEST(LabeledEditTest, LabelTopStacksTheLabelAboveAFullWidthEdit) {
    ControlHost window;
    LabeledEdit box(&window, L"Find what:", LabelPosition::labelTop, SS_RIGHT, ES_PASSWORD);
    ui::controls::Label& label = box.getLabel();
    ui::controls::Edit& edit = box.getEdit();
    ASSERT_TRUE(label.isAttached());
    ASSERT_TRUE(edit.isAttached());
    // The styles go to the right parts.
    EXPECT_TRUE(GetWindowLongPtrW(label.getHandle(), GWL_STYLE) & SS_RIGHT);
    EXPECT_TRUE(GetWindowLongPtrW(edit.getHandle(), GWL_STYLE) & ES_PASSWORD);
    const int labelHeight = label.getHeight();
    EXPECT_EQ(175, box.getMinWidth());
    EXPECT_EQ(labelHeight + 22, box.getMinHeight());

    box.setOuterBounds(10, 20, 300, 100, true);
    // The composite's margins, then the label's own.
    expectPlace(label, 14, 22, 292, labelHeight);
    expectPlace(edit, 12, 22 + labelHeight, 296, 22);
    EXPECT_EQ(12, box.getX());
    EXPECT_EQ(22, box.getY());
    EXPECT_EQ(296, box.getWidth());
}

TEST(LabeledEditTest, LabelLeftKeepsBothAtTheirOwnWidths) {
    ControlHost window;
    LabeledEdit box(&window, L"Tags:", LabelPosition::labelLeft);
    const int labelWidth = box.getLabel().getWidth();
    EXPECT_EQ(24, box.getMinHeight());

    box.setOuterBounds(10, 20, 400, 28, true);
    expectPlace(box.getLabel(), 12, 27, labelWidth, 24 - 5);
    expectPlace(box.getEdit(), 12 + labelWidth + 6, 23, 175, 22);
}

TEST(LabeledEditTest, LabelLeftFillGivesTheEditTheRemainingWidth) {
    ControlHost window;
    LabeledEdit box(&window, L"Link:", LabelPosition::labelLeftFill);
    ui::controls::Label& label = box.getLabel();
    label.setMinWidth(75);
    EXPECT_EQ(75 + 6 + 175, box.getMinWidth());

    box.setOuterBounds(10, 20, 400, 28, true);
    expectPlace(label, 12, 27, 75, 24 - 5);
    expectPlace(box.getEdit(), 12 + 75 + 6, 23, 396 - 75 - 6, 22);
    // Wider and taller: the edit takes all the width and the label and edit the height.
    box.setOuterBounds(0, 0, 500, 40, true);
    expectPlace(label, 2, 7, 75, 36 - 5);
    expectPlace(box.getEdit(), 2 + 75 + 6, 3, 496 - 75 - 6, 34);
}

TEST(LabeledEditTest, CompositeIsPlacedByTheEnclosingLayoutWithItsMargins) {
    ControlHost window;
    LabeledEdit first(&window, L"First:", LabelPosition::labelLeftFill);
    LabeledEdit second(&window, L"Second:", LabelPosition::labelLeftFill);
    first.setMargins(16, 16, 16, 0);
    ui::layout::Pane pane(ui::layout::VBoxLayout(ui::layout::Alignment::top, ui::layout::Alignment::fill), 0, 0);
    pane.put(&first);
    pane.put(&second);
    pane.setBounds(0, 0, 450, 200, true);

    const RECT firstEdit = placeOf(first.getEdit().getHandle());
    const RECT secondEdit = placeOf(second.getEdit().getHandle());
    EXPECT_EQ(450 - 16, firstEdit.right);
    EXPECT_EQ(450 - 2, secondEdit.right);
    EXPECT_EQ(16 + 1, firstEdit.top);
    // First box: 16 on top, 24 high, nothing below; second: its own 2 on top, then 1 for the edit.
    EXPECT_EQ(16 + 24 + 2 + 1, secondEdit.top);
}

TEST(LabeledEditTest, HandedInEditIsOwnedCreatedAndLaidOut) {
    ControlHost window;
    auto edit = std::make_unique<WideEdit>(&window);
    WideEdit* raw = edit.get();
    LabeledEdit box(&window, L"Title:", LabelPosition::labelLeft, std::move(edit));
    EXPECT_EQ(raw, &box.getEdit());
    ASSERT_TRUE(raw->isAttached());
    EXPECT_EQ(240, raw->getWidth());
    EXPECT_EQ(box.getLabel().getWidth() + 6 + 240, box.getMinWidth());

    // An edit that already has its window keeps it.
    auto created = std::make_unique<ui::controls::Edit>(&window);
    created->create();
    const HWND handle = created->getHandle();
    LabeledEdit second(&window, L"Other:", LabelPosition::labelTop, std::move(created));
    EXPECT_EQ(handle, second.getEdit().getHandle());

    EXPECT_THROW(LabeledEdit(&window, L"None:", LabelPosition::labelTop, std::unique_ptr<ui::controls::Edit>()),
                 err::InvalidArgumentException);
}
