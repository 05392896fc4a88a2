#include "app/ProductLinks.hpp"

#include <gtest/gtest.h>

using app::fileAddress;

// A folder name with a space or a '#' must not cut the address short: the browser would
// look for another file, or read the rest as a section.
TEST(ProductLinksTest, FileAddressesKeepTheWholePath) {
    EXPECT_EQ(L"file:///C:/Varnel/help/varnel.htm", fileAddress(L"C:\\Varnel\\help\\varnel.htm"));
    EXPECT_EQ(L"file:///C:/My%20Notes/C%23%20work/100%25/help/varnel.htm#questions",
              fileAddress(L"C:\\My Notes\\C# work\\100%\\help\\varnel.htm", L"questions"));
    EXPECT_EQ(L"file:///D:/a%3Fb/x.htm", fileAddress(L"D:\\a?b\\x.htm"));
}

TEST(ProductLinksTest, TheForumIsTheHelpPagesQuestionsUntilThereIsASite) {
    EXPECT_NE(std::wstring::npos, app::helpPagePath().find(L"help"));
    EXPECT_EQ(app::helpPagePath(), app::websiteAddress());
    const std::wstring forum = app::forumAddress();
    EXPECT_EQ(0u, forum.find(L"file:///"));
    EXPECT_EQ(forum.size() - 10, forum.rfind(L"#questions"));
}
