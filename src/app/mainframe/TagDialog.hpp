#pragma once

#include "app/mainframe/TagListsDialog.hpp"

namespace app::mainframe {

// Asks which tags to add to the selected notes and which to remove from them.
class TagDialog : public TagListsDialog {
public:
    TagDialog(ui::Window* owner, app::ColorRef baseColor);
    ~TagDialog() override;

    std::wstring getTagsToAdd() const { return getFirstTags(); }
    std::wstring getTagsToRemove() const { return getSecondTags(); }
};

}  // namespace app::mainframe
