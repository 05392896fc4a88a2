#include "app/mainframe/ReplaceTagsDialog.hpp"

namespace app::mainframe {

ReplaceTagsDialog::ReplaceTagsDialog(ui::Window* owner, app::ColorRef baseColor)
    : TagListsDialog(owner, baseColor,
                     Texts{"replacetags.title", "replacetags.sourcetags", "replacetags.desttags", "replacetags.hint"}) {
}

ReplaceTagsDialog::~ReplaceTagsDialog() = default;

}  // namespace app::mainframe
