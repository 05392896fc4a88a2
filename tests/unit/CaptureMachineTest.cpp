#include "app/CaptureMachine.hpp"
#include "app/ClipHotkeyChoice.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

using app::CaptureKeys;
using app::CaptureMachine;
using app::GrabbedData;
using app::WindowHandle;
using Phase = CaptureMachine::Phase;
using StartResult = CaptureMachine::StartResult;

namespace {

WindowHandle handle(std::uintptr_t value) {
    return reinterpret_cast<WindowHandle>(value);
}

const WindowHandle targetWindow = handle(0x10);
const WindowHandle focusedChild = handle(0x20);

const char* keysName(CaptureKeys keys) {
    switch (keys) {
    case CaptureKeys::Copy:
        return "Ctrl+C";
    case CaptureKeys::ConsoleCopy:
        return "Ctrl+Insert";
    case CaptureKeys::FocusAddress:
        return "Ctrl+L";
    case CaptureKeys::F9:
        return "F9";
    }
    return "?";
}

// The system around a capture: a target program that copies when it gets the keys, and a
// log of everything the capture asked for, in order.
class FakeSystem : public app::ICaptureClipboard,
                   public app::ICaptureWindows,
                   public app::ICaptureInput,
                   public app::ICaptureTimer {
public:
    // Clipboard.
    bool snapshot() override {
        log.push_back(snapshotRefused ? "snapshot refused" : "snapshot");
        return !snapshotRefused;
    }
    bool restore() override {
        log.push_back("restore");
        if (restoreFailures > 0) {
            --restoreFailures;
            return false;
        }
        clipText = savedText;
        return true;
    }
    std::optional<std::wstring> readText() override {
        if (lateReads > 0) {
            --lateReads;
            return std::nullopt;
        }
        return clipText;
    }
    std::string readHtml() override {
        if (lateHtmlReads > 0) {
            --lateHtmlReads;
            return std::string();
        }
        return html;
    }
    bool hasHtml() override { return htmlAnnounced; }
    bool ownedByProcessOf(WindowHandle window) override { return window == targetWindow && targetOwnsClipboard; }
    void watch(bool on) override { watching = on; }

    // Windows.
    WindowHandle foregroundWindow() override { return foreground; }
    bool isOwnWindow(WindowHandle) override { return own; }
    std::wstring title(WindowHandle) override { return windowTitle; }
    std::wstring className(WindowHandle) override { return windowClass; }
    std::wstring moduleName(WindowHandle) override { return module; }
    std::wstring addressBarText(WindowHandle) override { return addressBar; }

    // Input.
    bool withAttachedInput(WindowHandle target, const std::function<void()>& step) override {
        EXPECT_EQ(targetWindow, target);
        if (refuseAttach) {
            log.push_back("attach refused");
            return false;
        }
        attached = true;
        step();
        attached = false;
        return true;
    }
    WindowHandle focusWindow() override {
        EXPECT_TRUE(attached);
        return focusedChild;
    }
    void bringToFront(WindowHandle) override { EXPECT_TRUE(attached); }
    void setFocus(WindowHandle window) override {
        EXPECT_TRUE(attached);
        log.push_back(window == focusedChild ? "focus back" : "focus elsewhere");
    }
    bool readyForKeys(WindowHandle, unsigned modifiers) override {
        seenModifiers = modifiers;
        return pollsUntilReady-- <= 0;
    }
    void releaseModifiers(unsigned modifiers) override { log.push_back("release " + std::to_string(modifiers)); }
    void send(CaptureKeys keys) override {
        EXPECT_TRUE(attached) << "keys go out only while attached";
        log.push_back(keysName(keys));
        if (keys == CaptureKeys::Copy || keys == CaptureKeys::ConsoleCopy) {
            ++copies;
            const std::optional<std::wstring>& copied = copies == 1 ? selection : address;
            if (copied) {
                clipText = *copied;
                changed = true;
            }
        }
    }

    // Timer.
    void start(int milliseconds) override {
        pending = milliseconds;
        log.push_back("timer " + std::to_string(milliseconds));
    }
    void stop() override { pending.reset(); }

    std::vector<std::string> log;
    std::optional<std::wstring> clipText = std::wstring(L"old");
    std::optional<std::wstring> savedText = std::wstring(L"old");
    bool snapshotRefused = false;
    int restoreFailures = 0;
    int lateReads = 0;
    int lateHtmlReads = 0;
    bool htmlAnnounced = false;
    std::string html;
    bool watching = false;
    bool changed = false;
    bool targetOwnsClipboard = false;

    WindowHandle foreground = targetWindow;
    bool own = false;
    std::wstring windowTitle = L"Document - Editor";
    std::wstring windowClass = L"Editor";
    std::wstring module = L"editor.exe";
    std::wstring addressBar;

    bool refuseAttach = false;
    bool attached = false;
    int pollsUntilReady = 0;
    unsigned seenModifiers = 0;
    // What the target puts on the clipboard at its first and second copy.
    std::optional<std::wstring> selection = std::wstring(L"selected text");
    std::optional<std::wstring> address;
    int copies = 0;

    std::optional<int> pending;
};

struct Capture : ::testing::Test {
    CaptureMachine machine{{fake, fake, fake, fake},
                           [] { return 6u; },  // Ctrl+Shift
                           [this](const GrabbedData& data) { delivered.push_back(data); }};

    // Delivers the pending timer tick; answers its interval.
    int tick() {
        EXPECT_TRUE(fake.pending.has_value()) << "no timer pending";
        const int interval = fake.pending.value_or(0);
        fake.pending.reset();
        machine.onTimer();
        return interval;
    }
    // The clipboard notification, when the target changed the clipboard and it is watched.
    void notify() {
        if (fake.changed && fake.watching) {
            fake.changed = false;
            machine.onClipboardChange();
        }
    }
    // Runs a capture from the hot key until it is delivered or stalls.
    void runUntilDelivered() {
        ASSERT_EQ(StartResult::Started, machine.start());
        for (int guard = 0; guard < 200 && delivered.empty(); ++guard) {
            notify();
            if (delivered.empty()) {
                tick();
            }
        }
        ASSERT_EQ(1u, delivered.size());
    }
    // Runs a capture from the hot key until it is over or stalls.
    void run() {
        ASSERT_EQ(StartResult::Started, machine.start());
        for (int guard = 0; guard < 200 && machine.phase() != Phase::Idle; ++guard) {
            notify();
            if (machine.phase() != Phase::Idle) {
                tick();
            }
        }
        ASSERT_EQ(Phase::Idle, machine.phase());
    }
    int count(const std::string& entry) const {
        return static_cast<int>(std::count(fake.log.begin(), fake.log.end(), entry));
    }
    std::size_t position(const std::string& entry) const {
        return static_cast<std::size_t>(std::find(fake.log.begin(), fake.log.end(), entry) - fake.log.begin());
    }

    FakeSystem fake;
    std::vector<GrabbedData> delivered;
};

}  // namespace

TEST_F(Capture, CopiesTheSelectionOnceTheKeysAreUpAndPutsTheClipboardBack) {
    fake.pollsUntilReady = 3;
    ASSERT_EQ(StartResult::Started, machine.start());
    EXPECT_EQ(Phase::Preparing, machine.phase());
    EXPECT_EQ(StartResult::Busy, machine.start()) << "a second press during a capture";
    fake.changed = true;
    machine.onClipboardChange();
    EXPECT_EQ(Phase::Preparing, machine.phase()) << "a change before the keys is not the answer";
    fake.changed = false;
    while (machine.phase() == Phase::Preparing) {
        EXPECT_EQ(CaptureMachine::preparePoll, tick());
    }
    EXPECT_EQ(6u, fake.seenModifiers);
    EXPECT_EQ(Phase::WaitingForText, machine.phase());
    EXPECT_EQ(CaptureMachine::timeout, fake.pending.value_or(0));
    notify();

    ASSERT_EQ(1u, delivered.size());
    const GrabbedData& data = delivered[0];
    EXPECT_EQ(L"selected text", data.text);
    EXPECT_EQ(L"Document - Editor", data.windowTitle);
    EXPECT_EQ(L"editor.exe", data.moduleName);
    EXPECT_EQ(targetWindow, data.targetWindow);
    EXPECT_EQ(focusedChild, data.focusWindow);
    EXPECT_EQ(L"", data.link);
    EXPECT_EQ(L"old", fake.clipText.value_or(L"?"));
    EXPECT_FALSE(fake.watching);
    EXPECT_FALSE(fake.pending);
    const std::vector<std::string> expected = {"snapshot",  "timer 20", "timer 20",   "timer 20", "timer 20",
                                               "release 6", "Ctrl+C",   "timer 1000", "restore"};
    EXPECT_EQ(expected, fake.log) << "one snapshot; the time-out starts after the keys";
}

TEST_F(Capture, EndsWithWhatItHasWhenNothingOrLateTextArrives) {
    struct Case {
        const char* what;
        bool copies;
        int lateReads;
        int pollsUntilReady;
        std::wstring expectedText;
    };
    const std::vector<Case> cases = {
        {"nothing selected: time-out", false, 0, 0, L""},
        {"text shows up on the third read", true, 2, 0, L"selected text"},
        {"text never shows up", true, 1000, 0, L""},
        {"modifiers held for good: keys after a second anyway", true, 0, 1000, L"selected text"},
    };
    for (const Case& c : cases) {
        fake = FakeSystem();
        delivered.clear();
        if (!c.copies) {
            fake.selection.reset();
        }
        fake.lateReads = c.lateReads;
        fake.pollsUntilReady = c.pollsUntilReady;
        run();
        ASSERT_EQ(1u, delivered.size()) << c.what;
        EXPECT_EQ(c.expectedText, delivered[0].text) << c.what;
        EXPECT_EQ(L"Document - Editor", delivered[0].windowTitle) << c.what;
        EXPECT_EQ(L"editor.exe", delivered[0].moduleName) << c.what;
        EXPECT_EQ(L"old", fake.clipText.value_or(L"?")) << c.what;
        EXPECT_EQ(1, count("Ctrl+C")) << c.what;
        EXPECT_LT(position("Ctrl+C"), position("timer 1000")) << c.what;
    }
    EXPECT_EQ(CaptureMachine::preparePatience / CaptureMachine::preparePoll, count("timer 20"))
        << "the wait for the modifiers gives up after a second";
}

TEST_F(Capture, ARefusedAttachmentEndsSilentlyAndLeavesTheClipboardAsItWas) {
    fake.refuseAttach = true;
    EXPECT_EQ(StartResult::AttachFailed, machine.start());
    EXPECT_EQ(Phase::Idle, machine.phase());
    EXPECT_TRUE(delivered.empty());
    EXPECT_FALSE(fake.pending);
    EXPECT_EQ((std::vector<std::string>{"snapshot", "attach refused", "restore"}), fake.log);

    fake = FakeSystem();
    fake.snapshotRefused = true;
    EXPECT_EQ(StartResult::ClipboardBusy, machine.start()) << "no copy without a way back";
    EXPECT_EQ((std::vector<std::string>{"snapshot refused"}), fake.log);

    fake = FakeSystem();
    fake.own = true;
    EXPECT_EQ(StartResult::NoTarget, machine.start()) << "the program's own window is no target";
    fake.own = false;
    fake.foreground = nullptr;
    EXPECT_EQ(StartResult::NoTarget, machine.start());
    EXPECT_TRUE(fake.log.empty());
}

TEST_F(Capture, AConsoleIsAskedWithCtrlInsert) {
    fake.windowClass = L"ConsoleWindowClass";
    run();
    EXPECT_EQ(1, count("Ctrl+Insert"));
    EXPECT_EQ(0, count("Ctrl+C"));
    ASSERT_EQ(1u, delivered.size());
    EXPECT_EQ(L"selected text", delivered[0].text);
}

TEST_F(Capture, TheSecondCopyOfABrowserGivesALinkOnlyWhenItLooksLikeOne) {
    struct Case {
        const char* what;
        std::optional<std::wstring> copied;
        std::wstring expectedLink;
    };
    const std::wstring longest = L"http://x/" + std::wstring(CaptureMachine::maxLinkLength - 9, L'a');
    const std::vector<Case> cases = {
        {"an address", std::wstring(L"http://page.example/"), L"http://page.example/"},
        {"an address with a line end", std::wstring(L" http://page.example/\r\n"), L"http://page.example/"},
        {"the longest address", longest, longest},
        {"too long", longest + L"a", L""},
        {"two lines", std::wstring(L"http://a/\nhttp://b/"), L""},
        {"the selection again", std::wstring(L"selected text"), L""},
        {"nothing copied: time-out", std::nullopt, L""},
    };
    for (const Case& c : cases) {
        fake = FakeSystem();
        delivered.clear();
        fake.module = L"firefox.exe";
        fake.windowClass = L"MozillaUIWindowClass";
        fake.address = c.copied;
        run();
        ASSERT_EQ(1u, delivered.size()) << c.what;
        EXPECT_EQ(L"selected text", delivered[0].text) << c.what;
        EXPECT_EQ(c.expectedLink, delivered[0].link) << c.what;
        EXPECT_EQ(L"old", fake.clipText.value_or(L"?")) << c.what;
        EXPECT_LT(position("Ctrl+L"), fake.log.size()) << c.what;
        EXPECT_LT(position("restore"), position("focus back")) << c.what << ": focus comes back after the restore";
        EXPECT_LT(position("focus back"), fake.log.size()) << c.what;
    }
}

TEST_F(Capture, TheHtmlSourceAddressWinsAndLateHtmlIsWaitedForOnlyFromBrowsersThatLag) {
    struct Case {
        const char* what;
        std::wstring module;
        std::wstring windowClass;
        int lateHtmlReads;
        std::wstring addressBar;
        std::wstring expectedLink;
        bool secondCopy;
    };
    const std::string html = "Version:0.9\r\nSourceURL:http://from.html/\r\n<html></html>";
    const std::vector<Case> cases = {
        {"Mozilla with HTML: no second copy", L"firefox.exe", L"MozillaUIWindowClass", 0, L"", L"http://from.html/",
         false},
        {"Mozilla, HTML a moment late", L"firefox.exe", L"MozillaUIWindowClass", 5, L"", L"http://from.html/", false},
        {"Internet Explorer, HTML late", L"iexplore.exe", L"IEFrame", 3, L"http://bar/", L"http://from.html/", false},
        {"Internet Explorer, HTML never: the address edit", L"iexplore.exe", L"IEFrame", 1000, L"http://bar/",
         L"http://bar/", false},
        {"another program is not waited for", L"editor.exe", L"Editor", 1, L"", L"", false},
    };
    for (const Case& c : cases) {
        fake = FakeSystem();
        delivered.clear();
        fake.module = c.module;
        fake.windowClass = c.windowClass;
        fake.htmlAnnounced = true;
        fake.html = html;
        fake.lateHtmlReads = c.lateHtmlReads;
        fake.addressBar = c.addressBar;
        run();
        ASSERT_EQ(1u, delivered.size()) << c.what;
        EXPECT_EQ(c.expectedLink, delivered[0].link) << c.what;
        EXPECT_EQ(c.secondCopy, position("Ctrl+L") < fake.log.size()) << c.what;
        EXPECT_LE(count("timer 50"), CaptureMachine::htmlReads) << c.what;
    }
}

TEST_F(Capture, ABusyClipboardIsRestoredOnALaterAttemptAndNeverHoldsTheRecordBack) {
    for (int failures : {3, 1000}) {
        fake = FakeSystem();
        delivered.clear();
        fake.restoreFailures = failures;
        run();
        ASSERT_EQ(1u, delivered.size()) << failures;
        const int attempts = count("restore");
        if (failures < CaptureMachine::restoreAttempts) {
            EXPECT_EQ(failures + 1, attempts);
            EXPECT_EQ(L"old", fake.clipText.value_or(L"?"));
        } else {
            EXPECT_EQ(CaptureMachine::restoreAttempts, attempts);
        }
    }
}

// A target that copies after the time-out overwrites the clipboard just put back: its late
// copy is undone once, for a while after the delivery; nobody else's copy is.
TEST_F(Capture, ALateCopyByTheTargetIsUndoneAndNothingElseIs) {
    enum class Change { ByTarget, ByOther, AfterTheGuard, None };
    struct Case {
        const char* what;
        bool copiesInTime;
        Change change;
        bool guarded;
        std::wstring expectedClipboard;
        int restores;
    };
    const std::vector<Case> cases = {
        {"late copy by the target", false, Change::ByTarget, true, L"old", 2},
        {"change by another program", false, Change::ByOther, true, L"late", 1},
        {"copy by the target after the guard", false, Change::AfterTheGuard, true, L"late", 1},
        {"nothing changes", false, Change::None, true, L"old", 1},
        {"copied in time: no guard", true, Change::ByTarget, false, L"late", 1},
    };
    for (const Case& c : cases) {
        fake = FakeSystem();
        delivered.clear();
        if (!c.copiesInTime) {
            fake.selection.reset();
        }
        runUntilDelivered();
        ASSERT_EQ(c.guarded, machine.phase() == Phase::Guarding) << c.what;
        EXPECT_EQ(c.guarded, fake.watching) << c.what;
        EXPECT_EQ(c.guarded ? std::optional<int>(CaptureMachine::guardTime) : std::nullopt, fake.pending) << c.what;
        if (c.change == Change::AfterTheGuard || c.change == Change::None) {
            EXPECT_EQ(CaptureMachine::guardTime, tick()) << c.what;
            EXPECT_EQ(Phase::Idle, machine.phase()) << c.what;
        }
        if (c.change != Change::None) {
            fake.clipText = L"late";
            fake.targetOwnsClipboard = c.change != Change::ByOther;
            fake.changed = true;
            notify();
        }
        EXPECT_EQ(c.expectedClipboard, fake.clipText.value_or(L"?")) << c.what;
        EXPECT_EQ(c.restores, count("restore")) << c.what;
        EXPECT_EQ(Phase::Idle, machine.phase()) << c.what;
        EXPECT_FALSE(fake.watching) << c.what;
        EXPECT_FALSE(fake.pending) << c.what;
        // A second late change is not watched for: the guard undoes once.
        machine.onClipboardChange();
        EXPECT_EQ(c.restores, count("restore")) << c.what;
        EXPECT_EQ(1u, delivered.size()) << c.what;
    }

    // A text that never shows up and a browser's address that never comes are answers not
    // had in time too.
    fake = FakeSystem();
    delivered.clear();
    fake.lateReads = 1000;
    runUntilDelivered();
    EXPECT_EQ(L"", delivered[0].text);
    EXPECT_EQ(Phase::Guarding, machine.phase());
    fake = FakeSystem();
    delivered.clear();
    fake.module = L"firefox.exe";
    fake.windowClass = L"MozillaUIWindowClass";
    runUntilDelivered();
    EXPECT_EQ(L"selected text", delivered[0].text);
    EXPECT_EQ(Phase::Guarding, machine.phase());

    // The next press starts a capture at once; ending the program restores nothing more.
    ASSERT_EQ(StartResult::Started, machine.start());
    EXPECT_EQ(Phase::Preparing, machine.phase());
    machine.cancel();
    fake = FakeSystem();
    delivered.clear();
    fake.selection.reset();
    runUntilDelivered();
    machine.cancel();
    EXPECT_EQ(Phase::Idle, machine.phase());
    EXPECT_FALSE(fake.watching);
    EXPECT_FALSE(fake.pending);
    EXPECT_EQ(1, count("restore"));
}

TEST(ClipHotkey, TheStoredKeyOrTheFirstFreeFallbackForThisRun) {
    using Combination = std::pair<unsigned, unsigned>;
    struct Case {
        const char* what;
        std::optional<std::pair<int, int>> stored;
        std::vector<Combination> taken;
        app::ClipHotkeyChoice expected;
        std::vector<Combination> tried;
    };
    const std::vector<Case> cases = {
        {"stored key free", std::make_pair(65, 3), {}, {65, 3, false}, {{65, 3}}},
        {"stored key taken", std::make_pair(65, 3), {{65, 3}}, {123, 2, true}, {{65, 3}, {123, 2}}},
        {"Ctrl+F12 taken is not tried twice",
         std::make_pair(123, 2),
         {{123, 2}, {123, 8}},
         {123, 10, true},
         {{123, 2}, {123, 8}, {123, 10}}},
        {"nothing stored readable", std::nullopt, {}, {123, 2, true}, {{123, 2}}},
        {"out of range", std::make_pair(300, 2), {{123, 2}}, {123, 8, true}, {{123, 2}, {123, 8}}},
        {"all taken",
         std::make_pair(65, 1),
         {{65, 1}, {123, 2}, {123, 8}, {123, 10}, {123, 0}},
         {0, 0, true},
         {{65, 1}, {123, 2}, {123, 8}, {123, 10}, {123, 0}}},
    };
    for (const Case& c : cases) {
        std::vector<Combination> tried;
        const app::ClipHotkeyChoice choice = app::chooseClipHotkey(c.stored, [&](unsigned key, unsigned modifiers) {
            tried.emplace_back(key, modifiers);
            return std::find(c.taken.begin(), c.taken.end(), Combination(key, modifiers)) == c.taken.end();
        });
        EXPECT_EQ(c.expected.keyCode, choice.keyCode) << c.what;
        EXPECT_EQ(c.expected.modifiers, choice.modifiers) << c.what;
        EXPECT_EQ(c.expected.fallback, choice.fallback) << c.what;
        EXPECT_EQ(c.tried, tried) << c.what;
    }
}
