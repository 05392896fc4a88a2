#include "ui/input/KeyNames.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

using ui::input::hotkeyText;
using ui::input::keyName;

namespace {

std::set<unsigned> codes(std::initializer_list<std::pair<unsigned, unsigned>> ranges) {
    std::set<unsigned> result;
    for (const auto& range : ranges) {
        for (unsigned code = range.first; code <= range.second; ++code) {
            result.insert(code);
        }
    }
    return result;
}

// The codes that share a name; every other code has a name of its own.
const std::map<std::wstring, std::set<unsigned>>& sharedNames() {
    static const std::map<std::wstring, std::set<unsigned>> shared{
        {L"Unknown", codes({{10, 11},
                            {14, 15},
                            {22, 22},
                            {26, 26},
                            {58, 64},
                            {94, 94},
                            {136, 143},
                            {151, 159},
                            {184, 185},
                            {193, 218},
                            {224, 224},
                            {232, 232},
                            {252, 252},
                            {255, 255}})},
        {L"OEM", codes({{146, 150}, {223, 223}, {225, 225}, {227, 228}, {230, 230}, {233, 245}})},
        {L"\\", codes({{220, 220}, {226, 226}})},
        {L"Clear", codes({{12, 12}, {254, 254}})},
    };
    return shared;
}

}  // namespace

TEST(KeyNames, SharedNamesBelongToExactlyTheirCodes) {
    for (const auto& [name, owners] : sharedNames()) {
        for (unsigned code = 0; code < 256; ++code) {
            EXPECT_EQ(owners.count(code) == 1, keyName(code) == name) << "code " << code;
        }
    }
}

TEST(KeyNames, EveryOtherCodeHasANameOfItsOwn) {
    std::map<std::wstring, unsigned> owner;
    for (unsigned code = 0; code < 256; ++code) {
        const std::wstring name = keyName(code);
        EXPECT_FALSE(name.empty()) << "code " << code;
        if (sharedNames().count(name) == 0) {
            const auto [it, inserted] = owner.emplace(name, code);
            EXPECT_TRUE(inserted) << "codes " << it->second << " and " << code;
        }
    }
    std::size_t sharedCodes = 0;
    for (const auto& entry : sharedNames()) {
        sharedCodes += entry.second.size();
    }
    EXPECT_EQ(256u, owner.size() + sharedCodes);
}

TEST(KeyNames, RunsOfDigitsLettersKeypadAndFunctionKeys) {
    for (unsigned i = 0; i < 10; ++i) {
        EXPECT_EQ(std::wstring(1, static_cast<wchar_t>(L'0' + i)), keyName(48 + i));
        EXPECT_EQ(L"Num " + std::to_wstring(i), keyName(96 + i));
    }
    for (unsigned i = 0; i < 26; ++i) {
        EXPECT_EQ(std::wstring(1, static_cast<wchar_t>(L'A' + i)), keyName(65 + i));
    }
    for (unsigned i = 0; i < 24; ++i) {
        EXPECT_EQ(L"F" + std::to_wstring(i + 1), keyName(112 + i));
    }
}

TEST(KeyNames, NamesAroundTheRunsAndTheTableEnds) {
    const std::vector<std::pair<unsigned, std::wstring>> expected{
        {0, L"Unused"},
        {1, L"Left mouse button"},
        {3, L"Control-break"},
        {7, L"Undefined"},
        {8, L"Backspace"},
        {9, L"Tab"},
        {13, L"Enter"},
        {16, L"Shift"},
        {20, L"Caps Lock"},
        {21, L"IME Kana mode"},
        {23, L"IME Junja mode"},
        {25, L"IME Hanja mode"},
        {27, L"Esc"},
        {31, L"IME mode change"},
        {32, L"Space"},
        {33, L"Page Up"},
        {36, L"Home"},
        {37, L"Left Arrow"},
        {40, L"Down Arrow"},
        {44, L"Print Screen"},
        {45, L"Ins"},
        {46, L"Del"},
        {47, L"Help"},
        {91, L"Left Win"},
        {93, L"App"},
        {95, L"Sleep"},
        {106, L"Mul"},
        {108, L"Separator"},
        {111, L"Div"},
        {144, L"Num Lock"},
        {145, L"Scroll Lock"},
        {160, L"Left Shift"},
        {165, L"Right Alt"},
        {166, L"Browser Back"},
        {172, L"Browser Home"},
        {173, L"Volume Mute"},
        {179, L"Play/Pause Media"},
        {183, L"Start App 2"},
        {186, L";"},
        {187, L"="},
        {188, L","},
        {189, L"-"},
        {190, L"."},
        {191, L"/"},
        {192, L"`"},
        {219, L"["},
        {221, L"]"},
        {222, L"'"},
        {229, L"IME Process key"},
        {231, L"VK_PACKET"},
        {246, L"Attn"},
        {249, L"Erase EOF"},
        {250, L"Play"},
        {251, L"Zoom"},
        {253, L"PA1"},
    };
    for (const auto& [code, name] : expected) {
        EXPECT_EQ(name, keyName(code)) << "code " << code;
    }
}

TEST(KeyNames, CodesBeyondTheTableAreUnknownKeys) {
    EXPECT_EQ(L"Unknown Key", keyName(256));
    EXPECT_EQ(L"Unknown Key", keyName(300));
    EXPECT_EQ(L"Unknown Key", keyName(0xFFFFFFFFu));
}

TEST(HotkeyText, ModifiersInFixedOrderThenTheKey) {
    const std::vector<std::tuple<unsigned, unsigned, std::wstring>> expected{
        {123, 3, L"Ctrl + Alt + F12"},
        {123, 2, L"Ctrl + F12"},
        {123, 15, L"Win + Ctrl + Alt + Shift + F12"},
        {65, 5, L"Alt + Shift + A"},
        {65, 12, L"Win + Shift + A"},
        {65, 9, L"Win + Alt + A"},
        {32, 0, L"Space"},
        {0, 0, L"None"},
        {0, 2, L"Ctrl + "},
        {0, 15, L"Win + Ctrl + Alt + Shift + "},
        {300, 1, L"Alt + Unknown Key"},
        // Bits that are no modifier are not shown.
        {123, 0x4000 | 2, L"Ctrl + F12"},
        {0, 0x10, L"None"},
    };
    for (const auto& [key, modifiers, text] : expected) {
        EXPECT_EQ(text, hotkeyText(key, modifiers)) << key << "/" << modifiers;
    }
}

TEST(HotkeyText, NeverLongerThanSixtyThreeCharacters) {
    std::size_t longest = 0;
    for (unsigned key = 0; key < 300; ++key) {
        for (unsigned modifiers = 0; modifiers < 16; ++modifiers) {
            const std::wstring text = hotkeyText(key, modifiers);
            EXPECT_LE(text.size(), 63u) << key << "/" << modifiers;
            longest = std::max(longest, text.size());
        }
    }
    // The longest real combination fits whole.
    EXPECT_EQ(L"Win + Ctrl + Alt + Shift + Middle mouse button", hotkeyText(4, 15));
    EXPECT_EQ(hotkeyText(4, 15).size(), longest);
}
