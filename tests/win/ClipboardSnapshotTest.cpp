#include "WinTestSupport.hpp"

#include "err/Exceptions.hpp"
#include "ui/clip/Clipboard.hpp"
#include "ui/clip/ClipboardSnapshot.hpp"
#include "ui/clip/ClipboardViewer.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using testing_support::TestTopWindow;
using ui::clip::ClipboardSnapshot;
using ui::clip::ClipboardViewer;

namespace {

struct Format {
    UINT id;
    std::string bytes;
};

// Replaces the clipboard with exactly these formats.
void putFormats(HWND owner, const std::vector<Format>& formats) {
    ui::clip::ClipboardLock lock(owner);
    ASSERT_TRUE(lock.isOpen());
    ASSERT_TRUE(EmptyClipboard());
    for (const Format& format : formats) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, format.bytes.size());
        ASSERT_NE(nullptr, block);
        std::memcpy(GlobalLock(block), format.bytes.data(), format.bytes.size());
        GlobalUnlock(block);
        ASSERT_NE(nullptr, SetClipboardData(format.id, block));
    }
}

std::string wideBytes(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(wchar_t));
}

struct ClipboardWindows : ::testing::Test {
    ClipboardWindows() {
        window.create();
        other.create();
    }
    TestTopWindow window;
    TestTopWindow other;
};

}  // namespace

TEST_F(ClipboardWindows, ASnapshotPutsEveryMemoryFormatBackByteForByteAndKeepsAnEmptyClipboardEmpty) {
    const UINT privateFormat = RegisterClipboardFormatW(L"Varnel.Test.Private");
    const std::vector<Format> formats = {
        {CF_UNICODETEXT, wideBytes(std::wstring(L"Gr\u00FC\u00DFe \u2603 \U0001F600"))},
        {privateFormat, std::string("\0\1\2\xFF binary\0tail", 16)},
        {ui::clip::htmlFormat(), std::string("Version:0.9\r\nSourceURL:http://example.org/\r\n<p>x</p>")},
    };
    putFormats(other.getHandle(), formats);
    const ClipboardSnapshot snapshot = ClipboardSnapshot::take(window.getHandle());
    ASSERT_TRUE(snapshot.isTaken());
    ASSERT_TRUE(ui::clip::writeUnicodeText(other.getHandle(), L"the captured selection"));

    ASSERT_TRUE(snapshot.restore(window.getHandle(), 0));
    for (const Format& format : formats) {
        EXPECT_EQ(format.bytes, ui::clip::readFormatBytes(window.getHandle(), format.id)) << format.id;
    }
    EXPECT_EQ(L"Gr\u00FC\u00DFe \u2603 \U0001F600", ui::clip::readUnicodeText(window.getHandle()).value_or(L"?"));
    for (const wchar_t* marker : {L"ExcludeClipboardContentFromMonitorProcessing", L"CanIncludeInClipboardHistory",
                                  L"CanUploadToCloudClipboard"}) {
        EXPECT_TRUE(IsClipboardFormatAvailable(RegisterClipboardFormatW(marker)))
            << "history tools are told the restore is not new";
    }
    EXPECT_EQ(std::string(4, '\0'),
              ui::clip::readFormatBytes(window.getHandle(), RegisterClipboardFormatW(L"CanIncludeInClipboardHistory")));

    putFormats(other.getHandle(), {});
    const ClipboardSnapshot empty = ClipboardSnapshot::take(window.getHandle());
    ASSERT_TRUE(empty.isTaken());
    EXPECT_TRUE(empty.isEmpty());
    ASSERT_TRUE(ui::clip::writeUnicodeText(other.getHandle(), L"the captured selection"));
    ASSERT_TRUE(empty.restore(window.getHandle(), 0));
    EXPECT_EQ(0, CountClipboardFormats()) << "an empty clipboard stays empty";
}

TEST_F(ClipboardWindows, TheViewerTellsEachChangeByAnotherWindowOnlyWhileConnected) {
    ClipboardViewer viewer(window);
    int changes = 0;
    viewer.changed.connect([&] { ++changes; });
    EXPECT_THROW(viewer.disconnect(), err::InvalidStateException);

    ASSERT_TRUE(ui::clip::writeUnicodeText(other.getHandle(), L"before"));
    viewer.connect();
    EXPECT_THROW(viewer.connect(), err::InvalidStateException);
    testing_support::pumpFor(200);
    EXPECT_EQ(0, changes) << "a change made before connecting is not told";

    ASSERT_TRUE(ui::clip::writeUnicodeText(other.getHandle(), L"copied by another window"));
    EXPECT_TRUE(testing_support::pumpUntil([&] { return changes > 0; }, 3000));
    testing_support::pumpFor(200);
    EXPECT_EQ(1, changes);

    viewer.disconnect();
    ASSERT_TRUE(ui::clip::writeUnicodeText(other.getHandle(), L"after"));
    testing_support::pumpFor(200);
    EXPECT_EQ(1, changes) << "nothing is told once disconnected";
}
