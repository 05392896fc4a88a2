#pragma once

#include "app/mainframe/TagListsDialog.hpp"

namespace app::mainframe {

// Asks which tags to replace by which others throughout the notebook: renaming, splitting,
// merging, or with no destination deleting them.
class ReplaceTagsDialog : public TagListsDialog {
public:
    ReplaceTagsDialog(ui::Window* owner, app::ColorRef baseColor);
    ~ReplaceTagsDialog() override;

    std::wstring getSourceTags() const { return getFirstTags(); }
    std::wstring getDestinationTags() const { return getSecondTags(); }
};

}  // namespace app::mainframe
