#pragma once

#include "app/Color.hpp"
#include "app/mainframe/ThemedDialog.hpp"
#include "ui/composite/LabeledEdit.hpp"
#include "ui/controls/Label.hpp"

#include <memory>
#include <string>

namespace app::mainframe {

// A small dialog that asks for two tag lists as free text, tinted in the colour theme. The
// texts are returned as typed; the caller parses and applies them.
class TagListsDialog : public ThemedDialog {
public:
    ~TagListsDialog() override = 0;

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
    void accept() override;

    Texts texts_;
    std::wstring firstTags_;
    std::wstring secondTags_;

    std::unique_ptr<ui::composite::LabeledEdit> first_;
    std::unique_ptr<ui::composite::LabeledEdit> second_;
    std::unique_ptr<ui::controls::Label> hint_;
};

}  // namespace app::mainframe
