#include "app/model/DateTimeText.hpp"
#include "app/model/Note.hpp"

#include <boost/date_time/posix_time/posix_time_types.hpp>
#include <gtest/gtest.h>

using app::model::Note;

namespace {

Note::DateTime someTime() {
    return boost::posix_time::ptime(boost::gregorian::date(2009, 3, 7), boost::posix_time::time_duration(14, 5, 9));
}

Note noteFrom(const std::wstring& text, const std::wstring& source = L"", const std::wstring& title = L"") {
    return Note(text, source, title, someTime());
}

}  // namespace

TEST(NoteTitle, EmptyTitleTakesTheFirstLineOfTheRawText) {
    const Note crlf = noteFrom(L"Line one\r\nLine two");
    EXPECT_EQ(L"Line one", crlf.title());
    EXPECT_EQ(L"Line one\nLine two", crlf.text());

    // Cutting one character before the LF is right only for CR LF text; LF-only text
    // keeps the whole first line.
    EXPECT_EQ(L"a", noteFrom(L"a\nb").title());
    EXPECT_EQ(L"First", noteFrom(L"First\nSecond\r\nThird").title());

    EXPECT_EQ(L"\nafter", noteFrom(L"\nafter").title());
    EXPECT_EQ(L"  single line ", noteFrom(L"  single line ").title());

    // The source wins over the text and is not trimmed; a given title is.
    EXPECT_EQ(L"  Browser - Page  ", noteFrom(L"body\nmore", L"  Browser - Page  ").title());
    EXPECT_EQ(L"Title", noteFrom(L"body", L"source", L" \t Title \r\n").title());
}

TEST(NoteText, SetTextNormalisesWhiteSpaceAndBuildsSearchText) {
    Note note = noteFrom(L"");
    note.setText(L"  a\tb\r\n");
    EXPECT_EQ(L"a    b\n", note.text());
    EXPECT_EQ(L"a    b ", note.searchText());

    note.setText(L"\r\n\t Mixed CASE\nSecond LINE\t");
    EXPECT_EQ(L"Mixed CASE\nSecond LINE    ", note.text());
    EXPECT_EQ(L"mixed case second line    ", note.searchText());

    // The normalised text was built in the string it was read from, so a note given its
    // own text lost it.
    note.setText(L"keep\tthis\r\n");
    note.setText(note.text());
    EXPECT_EQ(L"keep    this\n", note.text());
    note.setText(L"plain");
    note.setText(note.text());
    EXPECT_EQ(L"plain", note.text());
    EXPECT_EQ(L"plain", note.searchText());
}

TEST(NoteText, SearchTextFoldsPerCodeUnit) {
    Note note = noteFrom(L"");
    // Latin-1 letters are left alone; letters from U+0100 up follow the system mapping.
    note.setText(L"ABC \u00C4\u00D6 \u0100 \u0416\u0414");
    EXPECT_EQ(L"abc \u00C4\u00D6 \u0101 \u0436\u0434", note.searchText());
}

TEST(NoteFields, LinkIsTrimmedSourceIsKept) {
    Note note = noteFrom(L"x");
    note.setLink(L"  https://example.com/a b \n");
    EXPECT_EQ(L"https://example.com/a b", note.link());
    note.setSource(L" app ");
    EXPECT_EQ(L" app ", note.source());
}

TEST(NoteTags, ParsingFoldsSplitsAndDropsEmptyPieces) {
    Note note = noteFrom(L"x");
    note.addTags(L"Foo, bar;baz  foo");
    EXPECT_EQ((Note::Tags{L"bar", L"baz", L"foo"}), note.tags());
    EXPECT_EQ(L"bar baz foo", note.tagString());

    note.addTags(L" ,;, ");
    EXPECT_EQ(3u, note.tags().size());

    note.removeTags(L"BAZ;missing");
    EXPECT_EQ(L"bar foo", note.tagString());

    note.setTags(L"New");
    EXPECT_EQ(L"new", note.tagString());
    note.setTags(L"");
    EXPECT_EQ(L"", note.tagString());
}

TEST(NoteTags, TagStringIsCanonicalWhateverTextTheTagsCameIn) {
    // A tag text in the saved form is kept as it is; any other is rebuilt from the set.
    Note note = noteFrom(L"x");
    for (const wchar_t* text : {L"a b", L"b a", L"a  b", L"B a", L" a b", L"a b ", L"a,b", L"a b a"}) {
        note.setTags(std::wstring(text));
        EXPECT_EQ(L"a b", note.tagString()) << text;
        EXPECT_EQ((Note::Tags{L"a", L"b"}), note.tags()) << text;
    }
    note.setTags(std::wstring(L" ;"));
    EXPECT_EQ(L"", note.tagString());
    EXPECT_TRUE(note.tags().empty());

    // Order is plain code-unit order.
    note.addTags(L"b a \u00E9 z 1");
    EXPECT_EQ(L"1 a b z \u00E9", note.tagString());
}

TEST(NoteIdentity, CopiesTakeFreshIdsAssignmentKeepsTheTargetId) {
    const Note a = noteFrom(L"first");
    const Note b(a);
    EXPECT_NE(a.id(), b.id());
    EXPECT_EQ(a.text(), b.text());

    Note c = noteFrom(L"other");
    const int cId = c.id();
    c = a;
    EXPECT_EQ(cId, c.id());
    EXPECT_EQ(L"first", c.text());
    EXPECT_GT(c.id(), a.id());

    // Copies share their fields until one of them changes: a change must never show
    // through in the other (a save snapshot must keep what it copied).
    Note original = noteFrom(L"text", L"", L"title");
    original.addTags(L"one");
    const Note snapshot(original);

    original.setText(L"changed");
    original.setTitle(L"New title");
    original.addTags(L"two");
    original.setLink(L"www.example.com");
    original.setCreated(Note::DateTime(boost::gregorian::date(2000, 1, 1)));

    EXPECT_EQ(L"text", snapshot.text());
    EXPECT_EQ(L"text", snapshot.searchText());
    EXPECT_EQ(L"title", snapshot.title());
    EXPECT_EQ(L"title", snapshot.searchTitle());
    EXPECT_EQ(L"one", snapshot.tagString());
    EXPECT_EQ(L"", snapshot.link());
    EXPECT_EQ(L"", snapshot.searchLink());
    EXPECT_EQ(L"03/07/09 14:05:09", snapshot.searchTime());
    EXPECT_EQ(L"01/01/00 00:00:00", original.searchTime());
    EXPECT_EQ(L"changed", original.text());
    EXPECT_EQ(L"one two", original.tagString());
}

TEST(NoteUrl, OnlyAKnownPrefixAtTheStartMakesAUrl) {
    for (const wchar_t* url : {L"http://a", L"https://a.b/c", L"www.example.com", L"file://c:/x", L"ms-help://x",
                               L"mk:@MSITStore:c:\\a.chm::/b.htm"}) {
        EXPECT_TRUE(Note::isUrl(url)) << url;
    }
    for (const wchar_t* other :
         {L"", L"see http://a", L"HTTP://A", L"Www.example.com", L"ftp://a", L"http:/a", L"wwwxexample"}) {
        EXPECT_FALSE(Note::isUrl(other)) << other;
    }
}

TEST(NoteDefault, IsEmptyAndCreatedNow) {
    const Note::DateTime before = Note::now();
    const Note note;
    EXPECT_TRUE(note.title().empty());
    EXPECT_TRUE(note.text().empty());
    EXPECT_TRUE(note.tags().empty());
    EXPECT_GE(note.created(), before);
    EXPECT_LE(note.created(), Note::now());
    EXPECT_EQ(0, note.created().time_of_day().fractional_seconds());
}

TEST(NoteDateTimeText, ClassicLocaleShortDateAndTime) {
    const Note::DateTime midnight(boost::gregorian::date(2000, 12, 31), boost::posix_time::time_duration(0, 0, 0));
    EXPECT_EQ(L"12/31/00", app::model::dateText(midnight));
    EXPECT_EQ(L"00:00:00", app::model::timeText(midnight));
}

TEST(NoteSearchFields, FollowEveryWayAFieldIsSet) {
    Note note = noteFrom(L"Body", L"", L"  Mixed \u0416 Title ");
    EXPECT_EQ(L"mixed \u0436 title", note.searchTitle());
    EXPECT_EQ(L"03/07/09 14:05:09", note.searchTime());
    EXPECT_EQ(L"", note.searchLink());

    note.setTitle(L"Other");
    note.setLink(L" WWW.Example.COM/A ");
    note.setCreated(Note::DateTime(boost::gregorian::date(2021, 1, 2), boost::posix_time::time_duration(3, 4, 5)));
    EXPECT_EQ(L"other", note.searchTitle());
    EXPECT_EQ(L"www.example.com/a", note.searchLink());
    EXPECT_EQ(L"01/02/21 03:04:05", note.searchTime());

    // The loader's way in sets the fields as they stand; what is searched follows them.
    note.assignRaw(L"Raw Title", L"Raw\nText", L"src", L"HTTP://X");
    EXPECT_EQ(L"raw title", note.searchTitle());
    EXPECT_EQ(L"raw text", note.searchText());
    EXPECT_EQ(L"http://x", note.searchLink());
    note.assignRaw(L"", L"A\r\tB\n\u0416", L"", L"");
    EXPECT_EQ(L"a\r\tb \u0436", note.searchText());

    // A title taken from the source or the text is searchable too.
    EXPECT_EQ(L"browser page", noteFrom(L"x", L"Browser Page").searchTitle());
    EXPECT_EQ(L"first line", noteFrom(L"First Line\nSecond").searchTitle());
}
