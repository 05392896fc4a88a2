#include "app/mainframe/TagDialog.hpp"

namespace app::mainframe {

TagDialog::TagDialog(ui::Window* owner, app::ColorRef baseColor)
    : TagListsDialog(owner, baseColor, Texts{"tagsedit.title", "tagsedit.addtags", "tagsedit.removetags", nullptr}) {}

TagDialog::~TagDialog() = default;

}  // namespace app::mainframe
