#include "app/model/NoteMerge.hpp"
#include "app/model/Notebook.hpp"
#include "app/model/NotebookStore.hpp"
#include "app/model/NotebookView.hpp"
#include "app/model/TextFilter.hpp"
#include "sys/platform/Platform.hpp"

#include "TempFolder.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using app::model::Note;
using app::model::Notebook;
using app::model::NotebookView;
using app::model::TextFilter;
using testing::ElementsAre;

namespace {

// A notebook of notes with one-word texts (which are also their titles), the view, and a
// recording of the signals the view's listeners hear.
class NotebookViewFixture : public testing::Test {
protected:
    void fill(std::initializer_list<const wchar_t*> texts) {
        for (const wchar_t* text : texts) {
            notebook.addNote(Note(text, L"", L"", Note::now()));
        }
    }

    void listen() {
        view.noteAdded.connect([this](int index) { events.push_back("added " + std::to_string(index)); });
        view.reset.connect([this] { events.push_back("reset"); });
        view.changed.connect([this] { events.push_back("changed"); });
    }

    void showText(const std::wstring& query) { view.setFilter(std::make_unique<TextFilter>(TextFilter::Text, query)); }

    std::wstring shown() {
        std::wstring titles;
        for (int i = 0; i < view.count(); ++i) {
            titles += (i ? L" " : L"") + view.note(i).title();
        }
        return titles;
    }

    std::wstring all() {
        std::wstring titles;
        for (int i = 0; i < notebook.count(); ++i) {
            titles += (i ? L" " : L"") + notebook.note(i).title();
        }
        return titles;
    }

    Notebook notebook;
    NotebookView& view = notebook.view();
    std::vector<std::string> events;
};

}  // namespace

TEST_F(NotebookViewFixture, WithoutAFilterEveryNoteIsShownInNotebookOrder) {
    EXPECT_EQ(0, view.count());
    fill({L"a1", L"b1", L"a2"});
    EXPECT_EQ(3, view.count());
    EXPECT_EQ(L"a1 b1 a2", shown());
    EXPECT_FALSE(view.hasFilter());
    EXPECT_EQ(nullptr, view.filter());
    EXPECT_EQ(&notebook.note(2), &view.note(2));

    // A notebook made from notes (a loaded file) shows them all from the start.
    Notebook loaded(Notebook::Notes{Note(L"x", L"", L"", Note::now()), Note(L"y", L"", L"", Note::now())});
    EXPECT_EQ(2, loaded.view().count());
    EXPECT_EQ(L"y", loaded.view().note(1).title());
}

TEST_F(NotebookViewFixture, PositionsOutsideTheViewAreOutOfRange) {
    fill({L"a1", L"b1", L"a2"});
    showText(L"a");
    EXPECT_THROW(view.note(2), std::out_of_range);
    EXPECT_THROW(view.note(-1), std::out_of_range);
    listen();
    EXPECT_THROW(view.deleteNotes({0, 2}), std::out_of_range);
    std::set<int> outside{1, 2};
    EXPECT_THROW(view.moveNotes(outside, -1), std::out_of_range);
    EXPECT_EQ(L"a1 b1 a2", all());
    EXPECT_TRUE(events.empty());
}

TEST_F(NotebookViewFixture, SetFilterRebuildsAndAnnounces) {
    fill({L"a1", L"b1", L"a2", L"b2"});
    listen();
    showText(L"A");
    EXPECT_TRUE(view.hasFilter());
    EXPECT_EQ(L"a1 a2", shown());
    EXPECT_EQ(&notebook.note(2), &view.note(1));

    showText(L"nothing");
    EXPECT_EQ(0, view.count());
    EXPECT_TRUE(view.hasFilter());

    view.setFilter(nullptr);
    EXPECT_EQ(L"a1 b1 a2 b2", shown());
    EXPECT_THAT(events, ElementsAre("changed", "changed", "changed"));
}

TEST_F(NotebookViewFixture, TheViewRebuildsBeforePassingOnAddsAndResets) {
    fill({L"a1", L"b1"});
    showText(L"a");
    listen();
    // Listeners of the notebook connect after the view, so they see it already rebuilt.
    std::vector<int> countsSeen;
    notebook.noteAdded.connect([&](int) { countsSeen.push_back(view.count()); });
    notebook.reset.connect([&] { countsSeen.push_back(view.count()); });
    view.noteAdded.connect([&](int) { countsSeen.push_back(view.count()); });

    notebook.addNote(Note(L"a2", L"", L"", Note::now()));
    notebook.addNote(Note(L"b2", L"", L"", Note::now()));
    notebook.deleteNotes({0});
    notebook.appendNotes({Note(L"a3", L"", L"", Note::now())});
    EXPECT_THAT(countsSeen, ElementsAre(2, 2, 2, 2, 1, 2, 2));
    // noteAdded passes on the notebook's number, not a view position.
    EXPECT_THAT(events,
                ElementsAre("added 2", "changed", "added 3", "changed", "reset", "changed", "added 4", "changed"));
    EXPECT_EQ(L"a2 a3", shown());
}

TEST_F(NotebookViewFixture, AChangeIsPassedOnWithoutRebuildingUntilTheFilterIsApplied) {
    fill({L"a1", L"a2"});
    showText(L"a");
    listen();
    notebook.view().note(0).setText(L"b1");
    notebook.changed();
    EXPECT_EQ(2, view.count());  // still listed until the filter is applied again
    EXPECT_THAT(events, ElementsAre("changed"));

    // The main window's way: after every change, apply the filter text once more.
    notebook.changed.connect([this] { showText(L"a"); });
    notebook.changed();
    EXPECT_EQ(L"a2", shown());
}

TEST_F(NotebookViewFixture, DeletingThroughAFilteredViewDeletesTheShownNotes) {
    fill({L"a1", L"b1", L"a2", L"b2", L"a3"});
    showText(L"a");
    listen();
    view.deleteNotes({0, 2});
    EXPECT_EQ(L"b1 a2 b2", all());
    EXPECT_EQ(L"a2", shown());
    EXPECT_THAT(events, ElementsAre("reset", "changed", "reset", "changed"));

    events.clear();
    view.deleteNotes({});
    EXPECT_EQ(L"b1 a2 b2", all());
    EXPECT_THAT(events, ElementsAre("reset", "changed", "reset", "changed"));
}

TEST_F(NotebookViewFixture, DeleteAllKeepsTheNotesTheFilterHides) {
    fill({L"a1", L"b1", L"a2", L"b2"});
    showText(L"a");
    listen();
    view.deleteAll();
    EXPECT_EQ(L"b1 b2", all());
    EXPECT_EQ(0, view.count());
    EXPECT_THAT(events, ElementsAre("reset", "changed", "reset", "changed"));

    // An empty view deletes nothing, though the notebook is not empty.
    events.clear();
    view.deleteAll();
    EXPECT_EQ(L"b1 b2", all());
    EXPECT_TRUE(events.empty());

    view.setFilter(nullptr);
    view.deleteAll();
    EXPECT_EQ(0, notebook.count());
}

TEST_F(NotebookViewFixture, MovingWithoutAFilterTakesTheSelectionAlong) {
    fill({L"n0", L"n1", L"n2", L"n3", L"n4"});
    listen();
    std::set<int> selection{1, 2};
    EXPECT_TRUE(view.moveNotes(selection, 1));
    EXPECT_EQ(L"n0 n3 n1 n2 n4", shown());
    EXPECT_THAT(selection, ElementsAre(2, 3));
    // The notebook's change passed on, then the view's own.
    EXPECT_THAT(events, ElementsAre("changed", "changed"));

    EXPECT_TRUE(view.moveNotes(selection, -1));
    EXPECT_EQ(L"n0 n1 n2 n3 n4", shown());
    EXPECT_THAT(selection, ElementsAre(1, 2));

    // A step past the first note stops there, and so does the selection.
    std::set<int> far{3};
    EXPECT_TRUE(view.moveNotes(far, -10));
    EXPECT_EQ(L"n3 n1 n2 n0 n4", shown());
    EXPECT_THAT(far, ElementsAre(0));
    std::set<int> back{1};
    EXPECT_TRUE(view.moveNotes(back, 10));
    EXPECT_EQ(L"n3 n4 n2 n0 n1", shown());
    EXPECT_THAT(back, ElementsAre(4));
}

TEST_F(NotebookViewFixture, MovesThatCannotHappenChangeNothing) {
    fill({L"a0", L"b1", L"a2", L"b3", L"a4", L"b5"});
    showText(L"a");
    listen();
    std::set<int> first{0, 1};
    EXPECT_FALSE(view.moveNotes(first, -1));
    std::set<int> last{2};
    EXPECT_FALSE(view.moveNotes(last, 1));
    std::set<int> whole{0, 1, 2};
    EXPECT_FALSE(view.moveNotes(whole, 1));
    std::set<int> none;
    EXPECT_FALSE(view.moveNotes(none, 1));
    std::set<int> still{1};
    EXPECT_FALSE(view.moveNotes(still, 0));
    EXPECT_THAT(first, ElementsAre(0, 1));
    EXPECT_THAT(still, ElementsAre(1));
    EXPECT_EQ(L"a0 b1 a2 b3 a4 b5", all());
    EXPECT_TRUE(events.empty());
}

TEST_F(NotebookViewFixture, MovingInAFilteredViewExchangesWithTheNotebookNeighbour) {
    fill({L"a0", L"b1", L"a2", L"b3", L"a4"});
    showText(L"a");
    listen();
    // a2 changes places with the hidden b1: the view still lists the a notes, and the
    // selection stays on a2 rather than landing on a0, which did not move.
    std::set<int> selection{1};
    EXPECT_TRUE(view.moveNotes(selection, -1));
    EXPECT_EQ(L"a0 a2 b1 b3 a4", all());
    EXPECT_EQ(L"a0 a2 a4", shown());
    EXPECT_THAT(selection, ElementsAre(1));
    EXPECT_THAT(events, ElementsAre("changed", "changed"));

    // The next step passes the shown neighbour.
    EXPECT_TRUE(view.moveNotes(selection, -1));
    EXPECT_EQ(L"a2 a0 a4", shown());
    EXPECT_THAT(selection, ElementsAre(0));

    std::set<int> down{1, 2};
    EXPECT_FALSE(view.moveNotes(down, 1));
    std::set<int> middle{1};
    EXPECT_TRUE(view.moveNotes(middle, 1));
    EXPECT_EQ(L"a2 b1 a0 b3 a4", all());
    EXPECT_THAT(middle, ElementsAre(1));
}

TEST_F(NotebookViewFixture, MergeJoinsTextsAndTagsIntoTheFirstAndDeletesTheOthers) {
    fill({L"first", L"second", L"third", L"fourth"});
    Note& target = notebook.note(0);
    target.setLink(L"www.example.com");
    target.setTags(L"one");
    notebook.note(1).setTags(L"two, shared");
    notebook.note(3).setTags(L"shared three");
    const Note::DateTime created = target.created();
    listen();

    EXPECT_TRUE(app::model::mergeNotes(view, {0, 1, 3}));
    ASSERT_EQ(2, notebook.count());
    const Note& merged = notebook.note(0);
    EXPECT_EQ(L"first\n\nsecond\n\nfourth", merged.text());
    EXPECT_EQ(L"first  second  fourth", merged.searchText());
    EXPECT_EQ(L"one shared three two", merged.tagString());
    EXPECT_EQ(L"first", merged.title());
    EXPECT_EQ(L"www.example.com", merged.link());
    EXPECT_EQ(created, merged.created());
    EXPECT_EQ(L"third", notebook.note(1).title());
    EXPECT_THAT(events, ElementsAre("reset", "changed", "reset", "changed"));

    // Fewer than two notes, or a bad position, change nothing.
    events.clear();
    EXPECT_FALSE(app::model::mergeNotes(view, {}));
    EXPECT_FALSE(app::model::mergeNotes(view, {1}));
    EXPECT_THROW(app::model::mergeNotes(view, {0, 2}), std::out_of_range);
    EXPECT_EQ(L"first third", all());
    EXPECT_EQ(L"first\n\nsecond\n\nfourth", merged.text());
    EXPECT_TRUE(events.empty());
}

TEST_F(NotebookViewFixture, MergeAddressesViewPositions) {
    fill({L"a1", L"b1", L"a2", L"b2", L"a3"});
    showText(L"a");
    EXPECT_TRUE(app::model::mergeNotes(view, {1, 2}));
    EXPECT_EQ(L"a1 b1 a2 b2", all());
    EXPECT_EQ(L"a2\n\na3", notebook.note(2).text());
}

TEST_F(NotebookViewFixture, TheMergedTextReachesTheSavedFile) {
    // The merge edits the target in place and raises no change of its own: the saver,
    // which listens for changes, must still write the merged text.
    testing_support::TempFolder folder;
    const std::wstring path = folder.file(L"notebook.dat");
    fill({L"kept", L"gone"});
    notebook.changed.connect([&] { app::model::saveNotebookAsync(notebook, path); });
    app::model::mergeNotes(view, {0, 1});
    app::model::waitForBackgroundSaves();
    const std::shared_ptr<Notebook> saved = app::model::loadNotebook(path);
    ASSERT_EQ(1, saved->count());
    EXPECT_EQ(L"kept\n\ngone", saved->note(0).text());
}

namespace {

// What a fresh rebuild shows, worked out note by note without the view or the filter's
// own search: the folded query in a chosen field, or for the tags every query word
// inside the joined tags.
std::vector<int> freshResult(const Notebook& notebook, TextFilter::Fields fields, const std::wstring& query) {
    const std::wstring folded = sys::platform::foldedCase(query);
    const Note::Tags words = Note::parseTags(query);
    std::vector<int> indices;
    for (int i = 0; i < notebook.count(); ++i) {
        const Note& note = notebook.note(i);
        const auto in = [&folded](const std::wstring& field) { return field.find(folded) != std::wstring::npos; };
        bool match = ((fields & TextFilter::Text) && in(note.searchText()))
                     || ((fields & TextFilter::Title) && in(note.searchTitle()))
                     || ((fields & TextFilter::Time) && in(note.searchTime()))
                     || ((fields & TextFilter::Link) && in(note.searchLink()));
        if (!match && (fields & TextFilter::Tags)) {
            match = std::all_of(words.begin(), words.end(), [&note](const std::wstring& word) {
                return note.tagString().find(word) != std::wstring::npos;
            });
        }
        if (match) {
            indices.push_back(i);
        }
    }
    return indices;
}

std::vector<int> shownIndices(const NotebookView& view) {
    std::vector<int> indices;
    for (int i = 0; i < view.count(); ++i) {
        indices.push_back(view.indexAt(i));
    }
    return indices;
}

// Random notebooks from a few letters (so that queries keep matching), with capitals,
// non-ASCII letters, a character outside the basic plane, and the tag separators.
class TypingFixture : public NotebookViewFixture {
protected:
    std::wstring randomText(std::size_t longest) {
        static const std::wstring letters = L"abAB c,;\u00E9\u0436\u0416\U0001F600";
        std::wstring text;
        for (std::size_t n = random() % (longest + 1); n > 0; --n) {
            text += letters[random() % letters.size()];
        }
        return text;
    }

    Note randomNote() {
        Note note(randomText(24), L"", randomText(6), Note::now());
        note.setLink(randomText(4));
        note.setTags(randomText(8));
        return note;
    }

    // One of the ways the notebook or a note changes; half of the in-place edits raise
    // no signal at all, as a caller may forget to.
    void change() {
        const int pick = static_cast<int>(random() % 7);
        const int index = notebook.count() ? static_cast<int>(random() % notebook.count()) : -1;
        if (pick == 0 || index < 0) {
            notebook.addNote(randomNote());
        } else if (pick == 1) {
            notebook.deleteNotes({index});
        } else if (pick == 2) {
            std::set<int> moved{index};
            notebook.moveNotes(moved, random() % 2 ? 1 : -1);
        } else if (pick == 3) {
            notebook.appendNotes({randomNote(), randomNote()});
        } else {
            Note& note = notebook.note(index);
            if (pick == 4) {
                note.setText(randomText(24));
            } else if (pick == 5) {
                note.addTags(randomText(4));
            } else {
                note = randomNote();
            }
            if (random() % 2) {
                notebook.changed();
            }
        }
    }

    std::mt19937 random{2024};
};

}  // namespace

TEST_F(TypingFixture, EveryKeystrokeShowsWhatAFreshRebuildShows) {
    const TextFilter::Fields choices[] = {TextFilter::All,   TextFilter::TextAndTitle, TextFilter::Text,
                                          TextFilter::Title, TextFilter::Link,         TextFilter::Tags};
    for (int book = 0; book < 12; ++book) {
        notebook.deleteAll();
        for (int n = 0; n < 40; ++n) {
            notebook.addNote(randomNote());
        }
        listen();
        TextFilter::Fields fields = choices[book % std::size(choices)];
        std::wstring query;
        for (int step = 0; step < 300; ++step) {
            const unsigned action = random() % 21;
            if (action < 11) {
                query += randomText(1);
            } else if (action < 15 && !query.empty()) {
                query.pop_back();  // Backspace
            } else if (action == 15) {
                query.insert(0, randomText(1));  // typed at the start: still a narrowing
            } else if (action == 16) {
                query = randomText(3);
            } else if (action == 17 || action == 18) {
                fields = choices[random() % std::size(choices)];
            } else {
                change();
            }
            events.clear();
            view.setFilter(std::make_unique<TextFilter>(fields, query));
            ASSERT_EQ(freshResult(notebook, fields, query), shownIndices(view))
                << "book " << book << ", step " << step << ", fields " << fields << ", query \""
                << sys::platform::narrow(query) << '"';
            ASSERT_THAT(events, ElementsAre("changed"));
        }
        notebook.view().changed.disconnect_all_slots();
        notebook.view().reset.disconnect_all_slots();
        notebook.view().noteAdded.disconnect_all_slots();
    }
}

TEST_F(TypingFixture, ALargeNotebookSearchedInRunsShowsWhatAFreshRebuildShows) {
    // Enough notes for the scan to be split into runs on several threads, whose results
    // are joined in notebook order; each query below narrows the one before, and the
    // last goes back to the first (Backspace) and then changes the field choice.
    std::vector<Note> notes;
    for (int n = 0; n < 3 * 8192 + 7; ++n) {
        notes.push_back(randomNote());
    }
    notebook.appendNotes(notes);
    for (TextFilter::Fields fields : {TextFilter::All, TextFilter::Text}) {
        for (const std::wstring query : {L"a", L"ab", L"ab\u00E9", L"ab\u00E9b", L"a", L"b a"}) {
            view.setFilter(std::make_unique<TextFilter>(fields, query));
            ASSERT_EQ(freshResult(notebook, fields, query), shownIndices(view))
                << "fields " << fields << ", query \"" << sys::platform::narrow(query) << '"';
        }
    }
}

TEST_F(TypingFixture, AnEditBetweenKeystrokesIsNeverHiddenByAKeptResult) {
    // Kept results come from an unchanged notebook only: an edit in place that nobody
    // announced, or an exchange of two notes, still shows on the next keystroke.
    fill({L"apple", L"banana", L"cherry"});
    showText(L"a");
    showText(L"an");
    EXPECT_EQ(L"banana", shown());
    notebook.note(2).setText(L"and more");
    showText(L"and");  // narrows "an", which did not hold the edited note
    EXPECT_EQ(L"cherry", shown());
    showText(L"an");  // Backspace to a query seen before the edit
    EXPECT_EQ((std::vector<int>{1, 2}), shownIndices(view));

    notebook.note(0) = notebook.note(2);
    showText(L"and");
    EXPECT_EQ((std::vector<int>{0, 2}), shownIndices(view));
}

TEST_F(TypingFixture, KeptResultsStayWithinAFewListsOfEveryNote) {
    for (int n = 0; n < 1000; ++n) {
        notebook.addNote(randomNote());
    }
    for (int k = 0; k < 100; ++k) {
        showText(randomText(3));
    }
    // One bit per note for each of at most 32 results, besides a few words each, and
    // where the shown notes were found (a list growing by doubling, up to 1,024 entries).
    EXPECT_LE(view.keptBytes(), 1000 * sizeof(int) + 1024 * sizeof(int) + 32 * 256);
    EXPECT_GT(view.keptBytes(), 0u);
}
