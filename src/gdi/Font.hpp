#pragma once

#include "app/Font.hpp"

#include <windows.h>

#include <memory>
#include <string>

namespace gdi {

// A font handle together with the LOGFONT it was made from. Fonts are shared between the
// canvases that select them and their owners; the handle is deleted with the last share.
class Font {
public:
    // Default character set, the height of the (whole) point size on the screen.
    Font(const std::wstring& faceName, double points, int weight, bool italic);
    // Another font's record with the weight and/or the size replaced.
    Font(const Font& font, bool setWeight, int weight, bool setSize, double points);
    explicit Font(const LOGFONTW& logFont);
    // The font as the user chose it (face, points, weight, italic).
    explicit Font(const app::Font& font);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    HFONT getHandle() const { return handle_; }
    const LOGFONTW& getLogFont() const { return logFont_; }
    // The user's description of this font, as the settings keep it.
    app::Font userFont() const;

private:
    HFONT handle_;
    LOGFONTW logFont_;
};

// The system's menu font, made once per process; every canvas starts with it.
std::shared_ptr<Font> getDefaultFont();

// A font height in pixels for a point size on the screen. Fractions of a point are dropped.
int pointsToPixels(double points);
// The point size of a LOGFONT height (negative for a character height).
double pixelsToPoints(int height);

}  // namespace gdi
