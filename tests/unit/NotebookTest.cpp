#include "MessageOf.hpp"
#include "app/model/Notebook.hpp"

#include "err/Exceptions.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using app::model::Note;
using app::model::Notebook;

namespace {

Note makeNote(const std::wstring& text, const std::wstring& tags = L"") {
    Note note(text, L"", L"", Note::now());
    note.setTags(tags);
    return note;
}

// A notebook of notes titled "0", "1", ... with a recording of its signals.
class NotebookFixture : public testing::Test {
protected:
    void fill(int n) {
        for (int i = 0; i < n; ++i) {
            notebook.addNote(makeNote(std::to_wstring(i)));
        }
        events.clear();
    }

    void listen() {
        notebook.noteAdded.connect([this](int index) { events.push_back("added " + std::to_string(index)); });
        notebook.reset.connect([this] { events.push_back("reset"); });
        notebook.changed.connect([this] { events.push_back("changed"); });
    }

    std::wstring order() const {
        std::wstring titles;
        for (int i = 0; i < notebook.count(); ++i) {
            titles += notebook.note(i).title();
        }
        return titles;
    }

    Notebook notebook;
    std::vector<std::string> events;
};

}  // namespace

TEST_F(NotebookFixture, AddNoteAppendsACopyAndAnnouncesIt) {
    listen();
    const Note note = makeNote(L"first");
    EXPECT_EQ(0, notebook.addNote(note));
    EXPECT_EQ(1, notebook.addNote(makeNote(L"second")));
    EXPECT_EQ(2, notebook.count());
    EXPECT_NE(note.id(), notebook.note(0).id());
    EXPECT_EQ(L"first", notebook.note(0).title());
    EXPECT_THAT(events, testing::ElementsAre("added 0", "changed", "added 1", "changed"));
}

TEST_F(NotebookFixture, AppendNotesAddsAllAtOnceAndAnnouncesTheNewCount) {
    fill(2);
    listen();
    EXPECT_EQ(0, notebook.appendNotes({}));
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(2, notebook.appendNotes({makeNote(L"a"), makeNote(L"b")}));
    EXPECT_EQ(L"01ab", order());
    EXPECT_THAT(events, testing::ElementsAre("added 4", "changed"));
}

TEST_F(NotebookFixture, ListenersAreCalledInConnectionOrder) {
    std::string calls;
    notebook.changed.connect([&] { calls += "a"; });
    notebook.changed.connect([&] { calls += "b"; });
    notebook.changed.connect([&] { calls += "c"; });
    notebook.addNote(makeNote(L"x"));
    EXPECT_EQ("abc", calls);
}

TEST_F(NotebookFixture, NoteOutsideTheRangeThrowsOutOfRange) {
    fill(2);
    EXPECT_THROW(notebook.note(-1), std::out_of_range);
    EXPECT_EQ("invalid vector<T> subscript", testing_support::messageOf<std::out_of_range>([&] { notebook.note(2); }));
}

TEST_F(NotebookFixture, DeleteNotesKeepsTheOthersInOrder) {
    fill(5);
    listen();
    notebook.deleteNotes({1, 3, 7});
    EXPECT_EQ(L"024", order());
    EXPECT_THAT(events, testing::ElementsAre("reset", "changed"));

    events.clear();
    notebook.deleteNotes({});
    EXPECT_EQ(L"024", order());
    EXPECT_THAT(events, testing::ElementsAre("reset", "changed"));

    events.clear();
    notebook.deleteAll();
    EXPECT_EQ(0, notebook.count());
    EXPECT_THAT(events, testing::ElementsAre("reset", "changed"));
    events.clear();
    notebook.deleteAll();  // nothing there: no announcement
    EXPECT_TRUE(events.empty());
}

TEST_F(NotebookFixture, MovingDownMovesEveryNoteOnePlace) {
    fill(5);
    listen();
    std::set<int> selection{0, 1};
    EXPECT_TRUE(notebook.moveNotes(selection, 1));
    EXPECT_EQ(L"20134", order());
    EXPECT_THAT(selection, testing::ElementsAre(1, 2));  // where the moved notes are now
    EXPECT_THAT(events, testing::ElementsAre("changed"));

    std::set<int> up{3, 4};
    EXPECT_TRUE(notebook.moveNotes(up, -1));
    EXPECT_EQ(L"20341", order());
    EXPECT_THAT(up, testing::ElementsAre(2, 3));
}

TEST_F(NotebookFixture, ALargeStepExchangesWithTheEndNote) {
    fill(5);
    std::set<int> two{2};
    EXPECT_TRUE(notebook.moveNotes(two, -5));
    EXPECT_EQ(L"21034", order());
    EXPECT_THAT(two, testing::ElementsAre(0));
    std::set<int> one{1};
    EXPECT_TRUE(notebook.moveNotes(one, 10));
    EXPECT_EQ(L"24031", order());
    EXPECT_THAT(one, testing::ElementsAre(4));

    // Exchanges, not shifts: the second exchange takes the first moved note away again.
    std::set<int> pair{1, 3};
    EXPECT_TRUE(notebook.moveNotes(pair, -5));
    EXPECT_EQ(L"32041", order());
    EXPECT_THAT(pair, testing::ElementsAre(0, 3));
}

TEST_F(NotebookFixture, BadIndicesAndImpossibleMovesChangeNothing) {
    fill(4);
    listen();
    std::set<int> beyond{1, 4};
    EXPECT_THROW(notebook.moveNotes(beyond, -1), err::InvalidArgumentException);
    std::set<int> negative{-1, 2};
    EXPECT_THROW(notebook.moveNotes(negative, 1), err::InvalidArgumentException);
    EXPECT_THROW(notebook.doMoveNote(-1, 1), err::InvalidArgumentException);
    EXPECT_EQ("Precondition failed:\napp::model::Notebook::doMoveNote\nindex < N",
              testing_support::messageOf<err::InvalidArgumentException>([&] { notebook.doMoveNote(4, -1); }));
    // Moves that cannot happen return false silently.
    for (std::set<int> selection :
         {std::set<int>{1, 2}, std::set<int>{0, 1, 2, 3}, std::set<int>{3}, std::set<int>{0, 2}, std::set<int>{}}) {
        EXPECT_FALSE(notebook.moveNotes(selection, selection == std::set<int>{1, 2}   ? 0
                                                   : selection == std::set<int>{0, 2} ? -1
                                                                                      : 1));
    }
    EXPECT_FALSE(notebook.doMoveNote(0, 0));
    EXPECT_EQ(L"0123", order());
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(notebook.doMoveNote(0, 1));
    EXPECT_EQ(L"1023", order());
}

TEST_F(NotebookFixture, TheViewIsTheFirstListener) {
    // Connected in the constructor, so whoever connects later sees the view up to date.
    std::vector<int> seen;
    notebook.noteAdded.connect([&](int) { seen.push_back(notebook.view().count()); });
    notebook.reset.connect([&] { seen.push_back(notebook.view().count()); });
    fill(2);
    notebook.deleteAll();
    EXPECT_THAT(seen, testing::ElementsAre(1, 2, 0));
    EXPECT_EQ(&notebook.view(), &static_cast<app::model::INotebook&>(notebook).view());
}

TEST_F(NotebookFixture, ReplaceTagsRewritesEveryNoteCarryingASourceTag) {
    notebook.addNote(makeNote(L"a", L"old1 x"));
    notebook.addNote(makeNote(L"b", L"old2"));
    notebook.addNote(makeNote(L"c", L"x"));
    notebook.addNote(makeNote(L"d", L"old1 old2 y"));
    listen();
    notebook.replaceTags(L"Old1, old2", L"new");
    EXPECT_EQ(L"new x", notebook.note(0).tagString());
    EXPECT_EQ(L"new", notebook.note(1).tagString());
    EXPECT_EQ(L"x", notebook.note(2).tagString());
    EXPECT_EQ(L"new y", notebook.note(3).tagString());
    EXPECT_THAT(events, testing::ElementsAre("changed"));

    notebook.replaceTags(L"x", L"");
    EXPECT_EQ(L"new", notebook.note(0).tagString());
    EXPECT_EQ(L"", notebook.note(2).tagString());

    notebook.replaceTags(L"new", L"split in two");
    EXPECT_EQ(L"in split two", notebook.note(1).tagString());
}

TEST_F(NotebookFixture, SnapshotIsAPrivateCopy) {
    fill(3);
    const std::shared_ptr<Notebook> copy = notebook.snapshot();
    notebook.note(0).setText(L"changed");
    notebook.deleteNotes({1});
    ASSERT_EQ(3, copy->count());
    EXPECT_EQ(L"0", copy->note(0).text());
    EXPECT_EQ(L"1", copy->note(1).text());
    EXPECT_NE(copy->note(2).id(), notebook.note(1).id());
}
