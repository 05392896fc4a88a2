#pragma once

namespace app::mainframe::noteslist::noterenderer {

// How the body text font measures: what the layout needs from a drawing surface. The
// Windows list answers with GDI on its measuring surface; tests answer with tables.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    // The advance width of one character (a surrogate pair is one character).
    virtual int characterWidth(char32_t c) = 0;
    // The height of one line of text.
    virtual int lineHeight() = 0;
};

}  // namespace app::mainframe::noteslist::noterenderer
