#include "WinTestSupport.hpp"

#include "app/LinkOpener.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing_support::MessageBoxWatcher;
using testing_support::SeenBox;
using testing_support::TestTopWindow;

namespace {

struct LinkOpenerTest : ::testing::Test {
    LinkOpenerTest() { owner.create(); }
    TestTopWindow owner;
};

}  // namespace

TEST_F(LinkOpenerTest, AProgramIsRefusedWithAMessage) {
    MessageBoxWatcher boxes;
    EXPECT_FALSE(app::openLink(owner.getHandle(), L"  C:\\windows\\system32\\notepad.exe "));
    const std::vector<SeenBox> seen = boxes.boxes();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(L"Link Not Opened", seen[0].caption);
    EXPECT_NE(std::wstring::npos, seen[0].text.find(L"C:\\windows\\system32\\notepad.exe"));

    EXPECT_FALSE(app::openFile(owner.getHandle(), L"C:\\windows\\system32\\notepad.exe"));
    EXPECT_EQ(2u, boxes.boxes().size());
}

TEST_F(LinkOpenerTest, AnotherSchemeAsksAndNoOpensNothing) {
    MessageBoxWatcher boxes;
    boxes.setWhileShowing([](HWND box) { PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0); });
    // Braces in a link are shown as they are.
    EXPECT_FALSE(app::openLink(owner.getHandle(), L"mailto:someone@example.com?subject={2}{3}"));
    const std::vector<SeenBox> seen = boxes.boxes();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(L"Open Link?", seen[0].caption);
    EXPECT_NE(std::wstring::npos, seen[0].text.find(L"\n\nmailto:someone@example.com?subject={2}{3}\n\n"))
        << std::string(seen[0].text.begin(), seen[0].text.end());
}

TEST_F(LinkOpenerTest, AFileTheShellCannotOpenIsReported) {
    MessageBoxWatcher boxes;
    const std::wstring missing = L"C:\\no-such-folder-of-varnel\\help.htm";
    EXPECT_FALSE(app::openFile(owner.getHandle(), missing));
    const std::vector<SeenBox> seen = boxes.boxes();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(L"Cannot Open Link", seen[0].caption);
    EXPECT_EQ(0u, seen[0].text.find(L"The link could not be opened:\n\n" + missing + L"\n\n("))
        << std::string(seen[0].text.begin(), seen[0].text.end());
}
