#include "app/mainframe/NoteAppearance.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using app::mainframe::describeFont;
using app::mainframe::parseDisplayedLines;

TEST(NoteAppearanceTest, FontsAreDescribedWithBoldOnlyAtSevenHundred) {
    EXPECT_EQ(L"Tahoma 10 pt", describeFont({L"Tahoma", 10.9, 400, false}));
    EXPECT_EQ(L"Arial Bold Italic 12 pt", describeFont({L"Arial", 12, 700, true}));
    EXPECT_EQ(L"Arial 9 pt", describeFont({L"Arial", 9, 600, false}));
    EXPECT_EQ(L"Arial Italic 9 pt", describeFont({L"Arial", 9, 800, true}));
    // A face name is text, not a pattern.
    EXPECT_EQ(L"My {1}{2} Font Bold 8 pt", describeFont({L"My {1}{2} Font", 8, 700, false}));
}

TEST(NoteAppearanceTest, DisplayedLinesAreWholeIntegersClampedToTheRange) {
    const std::vector<std::pair<std::wstring, int>> cases{
        {L"7", 7},       {L"250", 100}, {L"100", 100},        {L"-3", 0},
        {L"0", 0},       {L"+12", 12},  {L"007", 7},          {L"99999999999999999999", 100},
        {L" 5", 42},     {L"5 ", 42},   {std::wstring(), 42}, {L"abc", 42},
        {L"5a", 42},     {L"-", 42},    {L"1.5", 42},         {L"--1", 42},
        {L"\x0665", 42},
    };
    for (const auto& [text, lines] : cases) {
        EXPECT_EQ(lines, parseDisplayedLines(text, 42)) << std::string(text.begin(), text.end());
    }
}
