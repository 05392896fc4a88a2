#include "ui/input/HotkeyCapture.hpp"
#include "ui/input/KeyNames.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using ui::input::HotkeyCapture;
using ui::input::hotkeyText;

namespace {

constexpr unsigned shift = 16, ctrl = 17, alt = 18, esc = 27, del = 46, lwin = 91, lctrl = 162, ralt = 165;
constexpr unsigned keyN = 'N', keyM = 'M', f5 = 116, f12 = 123, tab = 9, enter = 13, apps = 93;

// One event: a key going down ('+') or coming up ('-').
struct Event {
    char direction;
    unsigned key;
};

struct Case {
    const char* what;
    std::vector<Event> events;
    std::wstring shown;
};

std::wstring run(HotkeyCapture& capture, const std::vector<Event>& events) {
    for (const Event& event : events) {
        capture.process(event.key, event.direction == '-');
    }
    return hotkeyText(capture.getKey(), capture.getModifiers());
}

}  // namespace

TEST(HotkeyCaptureTest, SequencesOfPressesAndReleasesShowTheCombination) {
    const std::vector<Case> cases{
        {"a key alone gets Ctrl", {{'+', f12}, {'-', f12}}, L"Ctrl + F12"},
        {"Alt alone gets Ctrl", {{'+', alt}, {'+', keyN}, {'-', keyN}, {'-', alt}}, L"Ctrl + Alt + N"},
        {"modifiers without a key", {{'+', lctrl}, {'+', ralt}}, L"Ctrl + Alt + "},
        {"a modifier let go before the key drops out",
         {{'+', shift}, {'+', ctrl}, {'-', shift}, {'+', keyN}},
         L"Ctrl + N"},
        // The key first, then the modifiers, in either order.
        {"key released first",
         {{'+', ctrl}, {'+', alt}, {'+', keyN}, {'-', keyN}, {'-', alt}, {'-', ctrl}},
         L"Ctrl + Alt + N"},
        {"modifier released first",
         {{'+', ctrl}, {'+', alt}, {'+', keyN}, {'-', alt}, {'-', keyN}, {'-', ctrl}},
         L"Ctrl + Alt + N"},
        {"all modifiers released first",
         {{'+', shift}, {'+', lwin}, {'+', f5}, {'-', lwin}, {'-', shift}, {'-', f5}},
         L"Win + Shift + F5"},
        {"a modifier after a finished combination starts the next",
         {{'+', shift}, {'+', f5}, {'-', f5}, {'-', shift}, {'+', ctrl}},
         L"Ctrl + "},
        {"the next key without the released modifier",
         {{'+', shift}, {'+', alt}, {'+', f5}, {'-', f5}, {'-', alt}, {'-', shift}, {'+', keyM}},
         L"Ctrl + M"},
        {"a second key while one is held changes nothing",
         {{'+', shift}, {'+', keyN}, {'+', keyM}, {'-', keyM}},
         L"Shift + N"},
        {"a held modifier carries to the next key",
         {{'+', shift}, {'+', keyN}, {'-', keyN}, {'+', keyM}},
         L"Shift + M"},
        {"Esc clears", {{'+', ctrl}, {'+', keyN}, {'-', keyN}, {'+', esc}, {'-', esc}, {'-', ctrl}}, L"None"},
        {"Enter, Tab and Apps are not taken", {{'+', ctrl}, {'+', enter}, {'+', tab}, {'+', apps}}, L"Ctrl + "},
        {"Ctrl + Alt + Delete is not taken", {{'+', ctrl}, {'+', alt}, {'+', del}}, L"Ctrl + Alt + "},
        {"codes beyond a byte are ignored", {{'+', 0x141}}, L"None"},
    };
    for (const Case& c : cases) {
        HotkeyCapture capture;
        EXPECT_EQ(c.shown, run(capture, c.events)) << c.what;
    }
}

// What was stored shows as a finished combination: its modifiers are not held, so the
// next key stands alone, and the next modifier starts over.
TEST(HotkeyCaptureTest, AStoredCombinationIsFinishedAndReportsOnlyRealChanges) {
    HotkeyCapture capture;
    capture.set(f12, 3);
    EXPECT_EQ(L"Ctrl + Alt + F12", hotkeyText(capture.getKey(), capture.getModifiers()));
    EXPECT_FALSE(capture.process(f12, true));
    EXPECT_EQ(L"Ctrl + F5", run(capture, {{'+', f5}}));
    // Autorepeat of the held key, and of a held modifier, change nothing.
    EXPECT_FALSE(capture.process(f5, false));
    capture.set(f12, 2);
    EXPECT_TRUE(capture.process(shift, false));
    EXPECT_FALSE(capture.process(shift, false));
    EXPECT_EQ(L"Shift + ", hotkeyText(capture.getKey(), capture.getModifiers()));
    EXPECT_FALSE(capture.process(enter, false));
    EXPECT_TRUE(HotkeyCapture::isCapturedKey(f12));
    EXPECT_FALSE(HotkeyCapture::isCapturedKey(tab));
}
