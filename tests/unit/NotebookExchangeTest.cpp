#include "app/model/NotebookExchange.hpp"

#include "MessageOf.hpp"
#include "TempFolder.hpp"
#include "app/model/Notebook.hpp"
#include "app/model/NotebookCodec.hpp"
#include "app/model/NotebookStore.hpp"
#include "err/Exceptions.hpp"
#include "sys/platform/Platform.hpp"
#include "sys/platform/Utf16.hpp"

#include <boost/algorithm/string/replace.hpp>
#include <boost/date_time/posix_time/posix_time.hpp>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using app::model::Note;
using app::model::Notebook;
using sys::platform::FileSystem;
using sys::platform::ScopedFileSystem;
using testing_support::FaultyFileSystem;
using testing_support::hardError;
using testing_support::Op;
using testing_support::TempFolder;

namespace {

using Time = boost::posix_time::ptime;

const std::string bom = "\xFF\xFE";

Time at(int year, int month, int day, int hours, int minutes, int seconds) {
    return Time(boost::gregorian::date(static_cast<unsigned short>(year), static_cast<unsigned short>(month),
                                       static_cast<unsigned short>(day)),
                boost::posix_time::time_duration(hours, minutes, seconds));
}

std::string utf16(const std::wstring& text) {
    std::string bytes;
    sys::platform::appendUtf16le(bytes, text);
    return bytes;
}

std::wstring decoded(const std::string& bytes) {
    return sys::platform::decodeUtf16le(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size() / 2);
}

Note makeNote(const std::wstring& title, const std::wstring& text, const Time& created,
              const std::wstring& source = L"", const std::wstring& link = L"", const std::wstring& tags = L"") {
    Note note(text, source, title, created);
    note.setLink(link);
    note.setTags(tags);
    return note;
}

// The fields an export keeps, for comparing a note with its imported copy.
std::wstring fieldsOf(const Note& note) {
    return L"title=" + note.title() + L"|text=" + note.text() + L"|source=" + note.source() + L"|link=" + note.link()
           + L"|tags=" + note.tagString() + L"|created="
           + sys::platform::widen(boost::posix_time::to_simple_string(note.created()));
}

std::vector<std::wstring> fieldsOf(const Notebook& notebook) {
    std::vector<std::wstring> fields;
    for (const Note& note : notebook.notes()) {
        fields.push_back(fieldsOf(note));
    }
    return fields;
}

// A notebook whose signals are written down as they come.
struct Recorded {
    Recorded() {
        notebook.noteAdded.connect([this](int count) { events.push_back("added " + std::to_string(count)); });
        notebook.reset.connect([this] { events.push_back("reset"); });
        notebook.changed.connect([this] { events.push_back("changed"); });
    }
    Notebook notebook;
    std::vector<std::string> events;
};

const char* const firstPostcondition =
    "Postcondition failed:\napp::model::Notebook::importFromXml\ni != std::wstring::npos";
const char* const secondPostcondition =
    "Postcondition failed:\napp::model::Notebook::importFromXml\ne != std::wstring::npos";

}  // namespace

TEST(NotebookExchange, XmlExportWritesTheExactBytes) {
    TempFolder folder;
    Notebook notebook;
    EXPECT_EQ(0, app::model::exportToXml(notebook, folder.file(L"empty.xml")));
    EXPECT_EQ(bom + utf16(L"<?xml version=\"1.0\"?>\r\n<notebook>\r\n</notebook>\r\n"), folder.read(L"empty.xml"));

    notebook.addNote(makeNote(L"Say \"hi\" & <go>", L"Line one\r\nLine two\n", at(2009, 3, 7, 14, 5, 9), L"Firefox",
                              L"http://x.org/?a=1&b=2", L"b a"));
    notebook.addNote(makeNote(L"x", L"", at(1999, 12, 31, 0, 0, 0)));
    EXPECT_EQ(2, app::model::exportToXml(notebook, folder.file(L"two.xml")));
    EXPECT_EQ(
        bom
            + utf16(L"<?xml version=\"1.0\"?>\r\n<notebook>\r\n"
                    L"<note title=\"Say &quot;hi&quot; &amp; &lt;go&gt;\" date=\"2009-03-07\" time=\"14:05:09\" "
                    L"source=\"Firefox\" link=\"http://x.org/?a=1&amp;b=2\" tags=\"a b\">\r\n"
                    L"  <![CDATA[Line one\r\nLine two\r\n]]>\r\n</note>\r\n"
                    L"<note title=\"x\" date=\"1999-12-31\" time=\"00:00:00\" source=\"\" link=\"\" tags=\"\">\r\n"
                    L"  <![CDATA[]]>\r\n</note>\r\n"
                    L"</notebook>\r\n"),
        folder.read(L"two.xml"));
}

// Whatever a note holds comes back from its XML unchanged: markup characters, entity
// look-alikes, placeholders of the formatter, markers of the reader inside the text (a CDATA
// end is split across two sections), characters beyond ASCII and beyond the basic plane.
TEST(NotebookExchange, XmlRoundTripKeepsEveryField) {
    TempFolder folder;
    Notebook notebook;
    notebook.addNote(makeNote(L"\"&<>\" &amp; &quot;&lt;&gt; {2}{3}", L"first\n\nthird line\n  indented]]",
                              at(2009, 3, 7, 14, 5, 9), L" Source {5} \"q\" ", L"https://example.org/?q=\"a\"&{1}",
                              L"zeta alpha caf\u00e9"));
    notebook.addNote(makeNote(L"Z\u00fcrich \u65e5\u672c \U0001F600", L"<note title=\"x\" date=\"\">\n]]\n>",
                              at(1400, 1, 1, 23, 59, 59)));
    notebook.addNote(makeNote(L"", L"", at(9999, 12, 31, 0, 0, 1)));
    notebook.addNote(makeNote(L"t", L"a]]>b ]]]> ]]>\n</note>", at(2009, 3, 7, 14, 5, 9)));
    const std::wstring path = folder.file(L"round.xml");
    EXPECT_EQ(4, app::model::exportToXml(notebook, path));
    const std::wstring written = decoded(folder.read(L"round.xml"));
    EXPECT_NE(std::wstring::npos, written.find(L"title=\"&quot;&amp;&lt;&gt;&quot; &amp;amp; &amp;quot;"));
    EXPECT_NE(std::wstring::npos,
              written.find(L"<![CDATA[a]]]]><![CDATA[>b ]]]]]><![CDATA[> ]]]]><![CDATA[>\r\n</note>]]>\r\n</note>"))
        << written;

    Recorded target;
    EXPECT_EQ(4, app::model::importFromXml(target.notebook, path));
    EXPECT_EQ(fieldsOf(notebook), fieldsOf(target.notebook));
    EXPECT_EQ(L" Source {5} \"q\" ", target.notebook.note(0).source());  // not trimmed
    EXPECT_EQ((std::vector<std::string>{"added 4", "changed"}), target.events);
}

TEST(NotebookExchange, TextExportWritesBlocksWithSeparatorsBetween) {
    TempFolder folder;
    Notebook notebook;
    EXPECT_EQ(0, app::model::exportToText(notebook, folder.file(L"empty.txt")));
    EXPECT_EQ(bom, folder.read(L"empty.txt"));

    notebook.addNote(makeNote(L"Plain {4}", L"one\ntwo", at(2009, 3, 7, 14, 5, 9), L"Word", L"", L"tag"));
    EXPECT_EQ(1, app::model::exportToText(notebook, folder.file(L"one.txt")));
    const std::wstring plain = L"[03/07/09 14:05:09] Plain {4}\r\n\r\none\r\ntwo\r\n";
    EXPECT_EQ(bom + utf16(plain), folder.read(L"one.txt"));

    notebook.addNote(makeNote(L"Linked", L"body\r\n", at(2010, 11, 2, 9, 8, 7), L"", L" http://a.b/c "));
    EXPECT_EQ(2, app::model::exportToText(notebook, folder.file(L"two.txt")));
    const std::wstring linked = L"[11/02/10 09:08:07] Linked\r\n\r\nbody\r\n\r\n(http://a.b/c)\r\n";
    EXPECT_EQ(bom + utf16(plain + L"\r\n\r\n\r\n" + linked), folder.read(L"two.txt"));

    // Copy puts the same text on the clipboard.
    EXPECT_EQ(linked, app::model::noteTextBlock(notebook.note(1)));
    EXPECT_EQ(plain + L"\r\n\r\n\r\n" + linked, app::model::notesAsText({&notebook.note(0), &notebook.note(1)}));
    EXPECT_EQ(L"", app::model::notesAsText({}));
}

TEST(NotebookExchange, EveryLineEndIsWrittenAsCrLf) {
    Note note = makeNote(L"t", L"x", at(2009, 3, 7, 14, 5, 9));
    // Titles are not stripped of line ends the way texts are.
    note.assignRaw(L"a\r\nb\nc\rd", L"e\nf", L"", L"");
    EXPECT_EQ(L"[03/07/09 14:05:09] a\r\nb\r\nc\rd\r\n\r\ne\r\nf\r\n", app::model::noteTextBlock(note));
}

TEST(NotebookExchange, XmlImportErrorsNameTheFailedCondition) {
    TempFolder folder;
    Recorded target;
    target.notebook.addNote(makeNote(L"kept", L"kept", at(2009, 3, 7, 14, 5, 9)));
    target.events.clear();

    folder.write(L"none.xml", bom + utf16(L"<?xml version=\"1.0\"?>\r\n<notebook>\r\n</notebook>\r\n"));
    EXPECT_EQ(firstPostcondition, testing_support::messageOf<err::LogicException>(
                                      [&] { app::model::importFromXml(target.notebook, folder.file(L"none.xml")); }));
    folder.write(L"empty.xml", "");
    EXPECT_EQ(firstPostcondition, testing_support::messageOf<err::LogicException>(
                                      [&] { app::model::importFromXml(target.notebook, folder.file(L"empty.xml")); }));

    // An export whose line ends were turned into LF has no closing marker.
    Notebook source;
    source.addNote(makeNote(L"a", L"b", at(2009, 3, 7, 14, 5, 9)));
    app::model::exportToXml(source, folder.file(L"crlf.xml"));
    std::string lf = folder.read(L"crlf.xml");
    boost::algorithm::replace_all(lf, utf16(L"\r\n"), utf16(L"\n"));
    folder.write(L"lf.xml", lf);
    EXPECT_EQ(secondPostcondition, testing_support::messageOf<err::LogicException>(
                                       [&] { app::model::importFromXml(target.notebook, folder.file(L"lf.xml")); }));

    EXPECT_THROW(app::model::importFromXml(target.notebook, folder.file(L"missing.xml")), err::IOException);
    {
        FaultyFileSystem unreadable(Op::ReadAll, hardError);
        ScopedFileSystem scope(unreadable);
        EXPECT_THROW(app::model::importFromXml(target.notebook, folder.file(L"crlf.xml")), err::IOException);
    }

    ASSERT_EQ(1, target.notebook.count());
    EXPECT_EQ(L"kept", target.notebook.note(0).title());
    EXPECT_TRUE(target.events.empty());
}

TEST(NotebookExchange, XmlImportIsAllOrNothing) {
    TempFolder folder;
    Recorded target;
    target.notebook.addNote(makeNote(L"kept", L"kept", at(2009, 3, 7, 14, 5, 9)));
    target.events.clear();
    const std::wstring before = fieldsOf(target.notebook.note(0));

    std::wstring file = L"<?xml version=\"1.0\"?>\r\n<notebook>\r\n";
    for (const wchar_t* date : {L"2009-03-07", L"2010-01-02", L"2009-02-30"}) {
        file += std::wstring(L"<note title=\"t\" date=\"") + date
                + L"\" time=\"10:00:00\" source=\"\" link=\"\" tags=\"\">\r\n  <![CDATA[x]]>\r\n</note>\r\n";
    }
    file += L"</notebook>\r\n";
    folder.write(L"bad.xml", bom + utf16(file));
    EXPECT_ANY_THROW(app::model::importFromXml(target.notebook, folder.file(L"bad.xml")));

    ASSERT_EQ(1, target.notebook.count());
    EXPECT_EQ(before, fieldsOf(target.notebook.note(0)));
    EXPECT_TRUE(target.events.empty());

    // The same file with a readable third date imports all three.
    boost::algorithm::replace_all(file, L"2009-02-30", L"2009-02-28");
    folder.write(L"good.xml", bom + utf16(file));
    EXPECT_EQ(3, app::model::importFromXml(target.notebook, folder.file(L"good.xml")));
    EXPECT_EQ((std::vector<std::string>{"added 4", "changed"}), target.events);
}

TEST(NotebookExchange, OnlyNumericDatesAndTimesReachTheDateLibrary) {
    // The date library's number conversion overflowed on a date holding a long run of
    // digits and on characters outside ASCII; such values are now refused before it.
    const auto parse = [](const std::wstring& date, const std::wstring& time) {
        return app::model::parseXmlNotes(L"<note title=\"t\" date=\"" + date + L"\" time=\"" + time
                                         + L"\" source=\"\" link=\"\" tags=\"\">\r\n  <![CDATA[x]]>\r\n</note>");
    };
    for (const auto& [date, time] :
         std::vector<std::pair<std::wstring, std::wstring>>{{L"00000000000000002009-03-07", L"14:05:09"},
                                                            {L"2009-03-07", L"14:05:0000000000009"},
                                                            {L"2009-\u0663-07", L"14:05:09"},
                                                            {L"2009-03-07-", L"14:05:09"},
                                                            {L"2009-03", L"14:05:09"},
                                                            {L"2009-03-07", L"14"},
                                                            {L"2009-03-07", L"14:05:09."},
                                                            {L"2009-03-07.5", L"14:05:09"},
                                                            {L"2009-03-07", L""}}) {
        EXPECT_THROW(parse(date, time), std::invalid_argument) << sys::platform::narrow(date + L" " + time);
    }

    EXPECT_EQ(1u, parse(L"2009-3-7", L"14:05").size());
    EXPECT_EQ(1u, parse(L"2009-03-07", L"14:05:09.123").size());
}

// The reader takes note elements by their markers and ignores everything around them.
TEST(NotebookExchange, XmlImportReadsOnlyTheNoteElements) {
    TempFolder folder;
    const std::wstring element =
        L"<note title=\"T\" date=\"2009-3-7\" time=\"14:05:09.75\" source=\"S\" link=\" L \" tags=\"B,a\">"
        L"\n\t<![CDATA[\n  line\nnext]]>\r\n</note>";
    // Attributes in another order: an empty note, created during the import.
    const std::wstring reordered =
        L"<note title=\"R\" time=\"14:05:09\" date=\"2009-03-07\" source=\"\" link=\"\" tags=\"\">\r\n"
        L"  <![CDATA[r]]>\r\n</note>";
    // No byte-order mark, text between the elements, and an odd byte at the end.
    folder.write(L"loose.xml", utf16(L"junk <notebook> " + element + L" between " + reordered + L" trailer") + "\x41");

    Recorded target;
    const Time before = Note::now();
    EXPECT_EQ(2, app::model::importFromXml(target.notebook, folder.file(L"loose.xml")));
    const Time after = Note::now();
    ASSERT_EQ(2, target.notebook.count());
    EXPECT_EQ(L"title=T|text=line\nnext|source=S|link=L|tags=a b|created=2009-Mar-07 14:05:09",
              fieldsOf(target.notebook.note(0)));
    const Note& empty = target.notebook.note(1);
    EXPECT_EQ(L"", empty.title());
    EXPECT_EQ(L"", empty.text());
    EXPECT_LE(before, empty.created());
    EXPECT_GE(after, empty.created());

    // Importing the same file again adds its notes again.
    EXPECT_EQ(2, app::model::importFromXml(target.notebook, folder.file(L"loose.xml")));
    EXPECT_EQ(4, target.notebook.count());
    EXPECT_EQ((std::vector<std::string>{"added 2", "changed", "added 4", "changed"}), target.events);
}

// Parsing stays linear in the size of a note: a regular expression that backtracked over
// the text, or ran into the library's complexity limit, would fail here.
TEST(NotebookExchange, AFiveMegabyteNoteTravelsThroughXml) {
    TempFolder folder;
    std::wstring text;
    text.reserve(5 << 20);
    while (text.size() < (5u << 20)) {
        text += L"lorem ipsum \"dolor\" <sit> & amet ]]> ]] > \n";
    }
    Notebook notebook;
    notebook.addNote(makeNote(L"big", text, at(2009, 3, 7, 14, 5, 9)));
    app::model::exportToXml(notebook, folder.file(L"big.xml"));

    Notebook imported;
    EXPECT_EQ(1, app::model::importFromXml(imported, folder.file(L"big.xml")));
    ASSERT_EQ(1, imported.count());
    EXPECT_TRUE(imported.note(0).text() == notebook.note(0).text());
}

TEST(NotebookExchange, ImportingANotebookFileAppendsCopiesOfItsNotes) {
    TempFolder folder;
    Notebook source;
    source.addNote(makeNote(L"one", L"first", at(2009, 3, 7, 14, 5, 9), L"src", L"http://x", L"a b"));
    source.addNote(makeNote(L"two", L"second", at(2010, 1, 2, 3, 4, 5)));
    const std::wstring path = folder.file(L"other.dat");
    ASSERT_TRUE(app::model::saveNotebook(source, path));

    Recorded target;
    target.notebook.addNote(makeNote(L"own", L"own", at(2009, 3, 7, 14, 5, 9)));
    target.events.clear();
    EXPECT_EQ(2, app::model::importFromNotebook(target.notebook, path));
    EXPECT_EQ(2, app::model::importFromNotebook(target.notebook, path));
    ASSERT_EQ(5, target.notebook.count());
    EXPECT_EQ(fieldsOf(source.note(0)), fieldsOf(target.notebook.note(3)));
    EXPECT_EQ(fieldsOf(source.note(1)), fieldsOf(target.notebook.note(4)));
    EXPECT_EQ((std::vector<std::string>{"added 3", "changed", "added 5", "changed"}), target.events);
    target.events.clear();

    // Missing: nothing to import. Present but unreadable, or damaged: an error, nothing added.
    EXPECT_EQ(0, app::model::importFromNotebook(target.notebook, folder.file(L"missing.dat")));
    {
        FaultyFileSystem unreadable(Op::ReadAll, hardError);
        ScopedFileSystem scope(unreadable);
        EXPECT_THROW(app::model::importFromNotebook(target.notebook, path), err::IOException);
    }
    folder.write(L"damaged.dat", app::model::encodeNotebook(source).substr(0, 100));
    EXPECT_THROW(app::model::importFromNotebook(target.notebook, folder.file(L"damaged.dat")),
                 app::model::ArchiveException);
    EXPECT_EQ(5, target.notebook.count());
    EXPECT_TRUE(target.events.empty());
}

TEST(NotebookExchange, AFailedExportLeavesTheExistingFileAsItWas) {
    TempFolder folder;
    Notebook notebook;
    notebook.addNote(makeNote(L"new", L"new", at(2009, 3, 7, 14, 5, 9)));
    folder.write(L"out.xml", "old contents");
    folder.write(L"out.txt", "old text");

    for (const Op op : {Op::Write, Op::Replace}) {
        FaultyFileSystem failing(op, hardError);
        ScopedFileSystem scope(failing);
        EXPECT_THROW(app::model::exportToXml(notebook, folder.file(L"out.xml")), err::IOException);
        EXPECT_THROW(app::model::exportToText(notebook, folder.file(L"out.txt")), err::IOException);
    }
    {
        FaultyFileSystem failing(Op::Move, hardError);
        ScopedFileSystem scope(failing);
        EXPECT_THROW(app::model::exportToXml(notebook, folder.file(L"fresh.xml")), err::IOException);
    }
    EXPECT_EQ("old contents", folder.read(L"out.xml"));
    EXPECT_EQ("old text", folder.read(L"out.txt"));
    EXPECT_EQ((std::set<std::wstring>{L"out.txt", L"out.xml"}), folder.names());  // no temporaries left

    EXPECT_EQ(1, app::model::exportToXml(notebook, folder.file(L"out.xml")));
    EXPECT_EQ(1, app::model::exportToText(notebook, folder.file(L"out.txt")));
    EXPECT_EQ(bom + utf16(L"[03/07/09 14:05:09] new\r\n\r\nnew\r\n"), folder.read(L"out.txt"));
    EXPECT_EQ((std::set<std::wstring>{L"out.txt", L"out.xml"}), folder.names());
}

TEST(NotebookExchangeMembers, TheNotebookOperationsReachTheExchange) {
    testing_support::TempFolder folder;
    Notebook source;
    source.addNote(Note(L"text", L"", L"title", Note::now()));
    app::model::INotebook& asInterface = source;
    EXPECT_EQ(1, asInterface.exportToXml(folder.file(L"n.xml")));
    EXPECT_EQ(1, source.exportToText(folder.file(L"n.txt")));

    Notebook target;
    EXPECT_EQ(1, target.importFromXml(folder.file(L"n.xml")));
    EXPECT_EQ(L"title", target.note(0).title());
    EXPECT_TRUE(app::model::saveNotebook(source, folder.file(L"n.dat")));
    EXPECT_EQ(1, target.importFromNotebook(folder.file(L"n.dat")));
    EXPECT_EQ(2, target.count());
}
