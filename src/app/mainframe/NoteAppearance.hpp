#pragma once

#include "app/Font.hpp"

#include <string>

namespace app::mainframe {

// The range of the number of body lines a note shows in the list.
constexpr int minDisplayedLines = 0;
constexpr int maxDisplayedLines = 100;

// A font in one line, as the appearance dialog shows it: "Tahoma Bold Italic 10 pt". Only
// the weight 700 reads as bold; the size is the whole number of points.
std::wstring describeFont(const app::Font& font);

// The number of lines typed into the appearance dialog, within the range above. The whole
// text must be one decimal integer (an optional sign, then digits, nothing around them);
// anything else answers `previous`. Numbers too long for an int are clamped like any other.
int parseDisplayedLines(const std::wstring& text, int previous);

}  // namespace app::mainframe
