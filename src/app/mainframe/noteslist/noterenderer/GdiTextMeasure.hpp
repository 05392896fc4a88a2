#pragma once

#include "app/mainframe/noteslist/noterenderer/TextMeasure.hpp"

#include <memory>

namespace gdi {
class Font;
}

namespace app::mainframe::noteslist::noterenderer {

// The body text font measured with GDI on the process's measuring canvas: one character
// (a surrogate pair as one) by its text extent, the line height by a calculate-only
// drawing of "Ay".
class GdiTextMeasure : public TextMeasure {
public:
    explicit GdiTextMeasure(std::shared_ptr<gdi::Font> font);

    int characterWidth(char32_t c) override;
    int lineHeight() override;

    const std::shared_ptr<gdi::Font>& getFont() const { return font_; }

private:
    std::shared_ptr<gdi::Font> font_;
};

}  // namespace app::mainframe::noteslist::noterenderer
