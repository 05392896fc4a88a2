#include "MessageOf.hpp"
#include "err/Exceptions.hpp"
#include "res/Format.hpp"
#include "res/StringsBundle.hpp"

#include <gtest/gtest.h>

#include <set>

TEST(Format, ReplacesEachPlaceholderEverywhereInNumberOrder) {
    EXPECT_EQ(L"Delete 3 selected notes?", res::format(res::getText("confirmdelete.many"), L"3"));
    EXPECT_EQ("x and x", res::format(std::string("{1} and {1}"), "x"));
    // Step 1 turns "{2}{1}" into "{2}{2}", step 2 replaces both.
    EXPECT_EQ(L"xx", res::format(std::wstring(L"{2}{1}"), L"{2}", L"x"));
    EXPECT_EQ("a--e", res::format(std::string("{1}-{3}-{5}"), "a", "b", "", "d", "e"));
}

TEST(Format, LeavesOtherBracesAndDropsMissingArguments) {
    EXPECT_EQ(L"{6} {x} {} { 1}", res::format(std::wstring(L"{6} {x} {} { 1}"), L"a"));
    EXPECT_EQ(L"[]", res::format(std::wstring(L"[{4}]")));
    // An argument holding a lower placeholder is not replaced again.
    EXPECT_EQ("{1}", res::format(std::string("{2}"), "a", "{1}"));
}

TEST(StringsBundle, ComposedEntriesAreBuiltFromOthers) {
    EXPECT_EQ(L"Varnel", res::getText("app.title"));
    EXPECT_EQ(L"&About Varnel", res::getText("menu.help.about"));
    EXPECT_EQ(L"About Varnel", res::getText("about.title"));
    EXPECT_EQ(L"Activated already running Varnel instance.", res::getText("app.activatedExistingInstance"));
    const std::wstring about = res::getText("about.text");
    EXPECT_EQ(0u, about.find(L"Varnel Beta M7.3\n"));
    EXPECT_NE(std::wstring::npos,
              about.find(L"\n\nTip: Use hot key to clip text from other applications (Ctrl+F12 by default)."));
}

TEST(StringsBundle, HoldsTheWholeTableInOrder) {
    const auto& keys = res::StringsBundle::instance().keys();
    ASSERT_EQ(132u, keys.size());
    EXPECT_EQ("app.name", keys.front());
    EXPECT_EQ("filtercontrol.filtered_many", keys.back());
    EXPECT_EQ(keys.size(), std::set<std::string>(keys.begin(), keys.end()).size());
    EXPECT_EQ(L"&Export\u2026", res::getText("menu.file.export"));
    EXPECT_EQ(L"&Tag\u2026\tF4", res::getText("noteslist.tag"));
    EXPECT_EQ(L"No notes found which match current filter.\n", res::getText("noteslist.notfound"));
    EXPECT_EQ(L"5 notes found (Esc to cancel)", res::formatText("filtercontrol.filtered_many", L"5"));
    EXPECT_EQ(L"Delete note\n'Title'?", res::formatText("confirmdelete.one", L"Title"));
}

TEST(StringsBundle, UnknownKeyIsAPreconditionFailure) {
    EXPECT_EQ("Precondition failed:\nres::`anonymous-namespace'::StringsBundle::operator []\ni != map.end()",
              testing_support::messageOf<err::InvalidArgumentException>([] { res::getText("no.such.key"); }));
}

TEST(Exceptions, MessagesAndHierarchy) {
    EXPECT_EQ("Precondition failed:\nui::layout::Pane::setLayout\nlayout->isEmpty()",
              err::preconditionMessage("ui::layout::Pane::setLayout", "layout->isEmpty()"));
    EXPECT_EQ("Postcondition failed:\nf\nr", err::postconditionMessage("f", "r"));
    EXPECT_THROW(err::throwInvalidState("f", "c"), err::LogicException);
    EXPECT_THROW(err::throwInvalidState("f", "c"), std::logic_error);
    EXPECT_THROW(throw err::IOException("x"), err::RuntimeException);
    EXPECT_THROW(throw err::SystemException("x", 2), std::runtime_error);
}

TEST(Exceptions, SystemExceptionAppendsTheErrorDescription) {
    const err::SystemException withText("Can't register hotkey", 2);
    const std::string message = withText.what();
    EXPECT_EQ(0u, message.find("Can't register hotkey\n(2)"));
    // The system's text without the line break that ends it.
    EXPECT_GT(message.size(), std::string("Can't register hotkey\n(2)").size());
    EXPECT_NE('\n', message.back());
    EXPECT_NE('\r', message.back());
    EXPECT_EQ(2u, withText.code());

    const std::string alone = err::SystemException("", 2).what();
    EXPECT_EQ(0u, alone.find("(2)"));
    EXPECT_EQ(alone, message.substr(message.find('\n') + 1));
}
