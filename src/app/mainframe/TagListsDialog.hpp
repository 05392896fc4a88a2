#pragma once

#include "app/Color.hpp"
#include "app/mainframe/DialogColors.hpp"
#include "ui/Dialog.hpp"
#include "ui/composite/LabeledEdit.hpp"
#include "ui/controls/Button.hpp"
#include "ui/controls/Label.hpp"
#include "ui/controls/Panel.hpp"

#include <memory>
#include <string>

namespace app::mainframe {

// A small dialog that asks for two tag lists as free text, tinted in the colour theme. The
// texts are returned as typed; the caller parses and applies them.
class TagListsDialog : public ui::Dialog {
public:
    ~TagListsDialog() override = 0;

    // Shows the dialog modally, centred on its owner; once per object.
    ui::DialogResult run();
    // The two texts once the dialog was accepted; empty otherwise.
    const std::wstring& getFirstTags() const { return firstTags_; }
    const std::wstring& getSecondTags() const { return secondTags_; }

    bool onCreate(CREATESTRUCT* createStruct) override;

protected:
    // String keys of the window title, the two labels and the hint under the boxes (none
    // when null).
    struct Texts {
        const char* title;
        const char* firstLabel;
        const char* secondLabel;
        const char* hint;
    };

    TagListsDialog(ui::Window* owner, app::ColorRef baseColor, const Texts& texts);

private:
    void build();
    void accept();

    Texts texts_;
    DialogColors colors_;
    bool ran_ = false;
    std::wstring firstTags_;
    std::wstring secondTags_;

    std::unique_ptr<ui::composite::LabeledEdit> first_;
    std::unique_ptr<ui::composite::LabeledEdit> second_;
    std::unique_ptr<ui::controls::Label> hint_;
    std::unique_ptr<ui::controls::Button> ok_;
    std::unique_ptr<ui::controls::Button> cancel_;
    ui::controls::Panel background_{this, 10, 10};
    ui::controls::Panel buttonStrip_{this, 10, 10};
};

}  // namespace app::mainframe
