#include "app/model/NotebookCodec.hpp"

#include "app/model/Notebook.hpp"

#include <boost/date_time/posix_time/posix_time.hpp>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

using app::model::ArchiveException;
using app::model::Note;
using app::model::Notebook;

namespace {

// Little-endian byte builder for hand-made archives.
struct Bytes {
    std::string data;

    Bytes& u8(unsigned v) {
        data += static_cast<char>(v & 0xFF);
        return *this;
    }
    Bytes& u16(unsigned v) { return u8(v).u8(v >> 8); }
    Bytes& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    Bytes& i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
    Bytes& raw(const std::string& bytes) {
        data += bytes;
        return *this;
    }
    // A wide string given as UTF-16 code units.
    Bytes& units(std::initializer_list<unsigned> codeUnits) {
        u32(static_cast<std::uint32_t>(codeUnits.size()));
        for (unsigned unit : codeUnits) {
            u16(unit);
        }
        return *this;
    }
    // A wide string of ASCII text.
    Bytes& ascii(const std::string& text) {
        u32(static_cast<std::uint32_t>(text.size()));
        for (char c : text) {
            u16(static_cast<unsigned char>(c));
        }
        return *this;
    }
};

std::uint32_t u32At(const std::string& b, std::size_t at) {
    auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(b.at(at + i))); };
    return byte(0) | (byte(1) << 8) | (byte(2) << 16) | (byte(3) << 24);
}

std::string header() {
    return Bytes().u32(22).raw("serialization::archive").u8(5).u8(4).u8(4).u8(4).u8(8).i32(1).data;
}

using DateFields = std::array<std::int32_t, 6>;

std::string record(std::int32_t id, const std::string& title, const std::string& text, const DateFields& date,
                   const std::string& tags = "") {
    Bytes b;
    b.i32(id).ascii(title).ascii(text).ascii("src").ascii("http://x");
    for (std::int32_t field : date) {
        b.i32(field);
    }
    b.ascii(tags);
    return b.data;
}

const DateFields someDate{2011, 5, 17, 8, 30, 0};

// A file of the current layout (handle class version 1) holding the given note records.
std::string currentFile(const std::vector<std::string>& records) {
    Bytes b;
    b.raw(header());
    b.u8(0).u8(1).u16(1).u8(1).u8(0).u32(0);  // notebook handle, notebook (class 1, object 0)
    b.u8(0).u8(1).u16(3).u8(1).u8(0).u32(1);  // notes handle, vector (class 3, object 1)
    b.u32(static_cast<std::uint32_t>(records.size())).u32(0);
    if (!records.empty()) {
        b.u8(0).u8(0);
    }
    for (const std::string& r : records) {
        b.raw(r);
    }
    return b.data;
}

std::shared_ptr<Notebook> decode(const std::string& bytes) {
    return app::model::readNotebook(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

// What reading the bytes raises: the archive's text, "range: ..." for the date library's
// range errors, or "no error".
std::string errorOf(const std::string& bytes) {
    try {
        decode(bytes);
        return "no error";
    } catch (const ArchiveException& e) {
        return e.what();
    } catch (const std::out_of_range& e) {
        return std::string("range: ") + e.what();
    } catch (const std::exception& e) {
        return std::string("other: ") + e.what();
    }
}

Note::DateTime at(int y, int mo, int d, int h, int mi, int s) {
    return Note::DateTime(boost::gregorian::date(static_cast<unsigned short>(y), static_cast<unsigned short>(mo),
                                                 static_cast<unsigned short>(d)),
                          boost::posix_time::time_duration(h, mi, s));
}

Note fullNote(const std::wstring& text, const std::wstring& title, const std::wstring& tags,
              const Note::DateTime& created) {
    Note note(text, L"Source " + title, title, created);
    note.setLink(L"http://example.com/" + title);
    note.setTags(tags);
    return note;
}

std::shared_ptr<Notebook> sampleNotebook() {
    Notebook::Notes notes;
    notes.push_back(fullNote(L"First line\nsecond", L"one", L"work home", at(2009, 3, 7, 14, 5, 9)));
    notes.push_back(fullNote(L"\x041F\x0440\x0438\x0432\x0435\x0442", L"two", L"", at(1999, 12, 31, 23, 59, 59)));
    notes.push_back(fullNote(L"", L"three", L"x", at(2024, 2, 29, 0, 0, 0)));
    return std::make_shared<Notebook>(std::move(notes));
}

}  // namespace

TEST(NotebookCodecLayout, EmptyNotebookIsTheSixtyThreeByteHeaderAndBookkeeping) {
    const std::string bytes = app::model::encodeNotebook(Notebook());
    ASSERT_EQ(63u, bytes.size());

    EXPECT_EQ(22u, u32At(bytes, 0));
    EXPECT_EQ("serialization::archive", bytes.substr(4, 22));
    struct Field {
        std::size_t offset;
        std::size_t size;
        std::uint32_t value;
        const char* what;
    };
    const Field fields[] = {
        {26, 1, 5, "library version"},
        {27, 1, 4, "size of int"},
        {28, 1, 4, "size of long"},
        {29, 1, 4, "size of float"},
        {30, 1, 8, "size of double"},
        {31, 4, 1, "byte order"},
        {35, 1, 0, "notebook handle tracking"},
        {36, 1, 1, "notebook handle version"},
        {37, 2, 1, "notebook class id"},
        {39, 1, 1, "notebook tracking"},
        {40, 1, 0, "notebook version"},
        {41, 4, 0, "notebook object id"},
        {45, 1, 0, "notes handle tracking"},
        {46, 1, 1, "notes handle version"},
        {47, 2, 3, "vector class id"},
        {49, 1, 1, "vector tracking"},
        {50, 1, 0, "vector version"},
        {51, 4, 1, "vector object id"},
        {55, 4, 0, "N"},
        {59, 4, 0, "item version"},
    };
    for (const Field& f : fields) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < f.size; ++i) {
            value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[f.offset + i])) << (8 * i);
        }
        EXPECT_EQ(f.value, value) << f.what << " at offset " << f.offset;
    }
    EXPECT_EQ(currentFile({}), bytes);
}

TEST(NotebookCodecLayout, OneEmptyNoteAddsTheNoteClassBytesAndAFortyEightByteRecord) {
    Notebook notebook;
    notebook.addNote(Note(L"", L"", L"", at(2009, 3, 7, 14, 5, 9)));
    const std::string bytes = app::model::encodeNotebook(notebook);
    ASSERT_EQ(113u, bytes.size());

    EXPECT_EQ(1u, u32At(bytes, 55));
    EXPECT_EQ(0u, u32At(bytes, 59));
    EXPECT_EQ('\0', bytes[63]);  // tracking flag of the note class
    EXPECT_EQ('\0', bytes[64]);  // its class version
    Bytes expected;
    expected.i32(notebook.note(0).id()).u32(0).u32(0).u32(0).u32(0);
    for (std::int32_t field : {2009, 3, 7, 14, 5, 9}) {
        expected.i32(field);
    }
    expected.u32(0);
    EXPECT_EQ(expected.data, bytes.substr(65));
}

TEST(NotebookCodecLayout, TextIsStoredAsUtf16LittleEndianWithLineFeedsAndSortedTags) {
    Note note(L"one\r\ntwo", L"\x65E5\x672C\x8A9E", L"\x041F\x0440\x0438\x0432\x0435\x0442", at(2009, 3, 7, 14, 5, 9));
    note.setLink(L"\U0001F600");  // beyond the basic plane: a surrogate pair in the file on both builds
    note.setTags(L"b a");
    Notebook notebook;
    notebook.addNote(note);
    const std::string bytes = app::model::encodeNotebook(notebook);

    Bytes expected;
    expected.i32(notebook.note(0).id());
    expected.units({0x041F, 0x0440, 0x0438, 0x0432, 0x0435, 0x0442});  // title
    expected.units({'o', 'n', 'e', '\n', 't', 'w', 'o'});              // text: the CR is gone
    expected.units({0x65E5, 0x672C, 0x8A9E});                          // source
    expected.units({0xD83D, 0xDE00});                                  // link
    for (std::int32_t field : {2009, 3, 7, 14, 5, 9}) {
        expected.i32(field);
    }
    expected.units({'a', ' ', 'b'});  // tags
    ASSERT_GE(bytes.size(), 65u);
    EXPECT_EQ(expected.data, bytes.substr(65));

    const auto read = decode(bytes);
    ASSERT_EQ(1, read->count());
    EXPECT_EQ(L"one\ntwo", read->note(0).text());
    EXPECT_EQ(L"\U0001F600", read->note(0).link());
    EXPECT_EQ((Note::Tags{L"a", L"b"}), read->note(0).tags());
}

TEST(NotebookCodecRoundTrip, EveryStoredFieldComesBackInOrder) {
    const auto original = sampleNotebook();
    const auto read = decode(app::model::encodeNotebook(*original));
    ASSERT_EQ(original->count(), read->count());
    for (int i = 0; i < original->count(); ++i) {
        const Note& a = original->note(i);
        const Note& b = read->note(i);
        EXPECT_EQ(a.title(), b.title()) << i;
        EXPECT_EQ(a.text(), b.text()) << i;
        EXPECT_EQ(a.searchText(), b.searchText()) << i;
        EXPECT_EQ(a.source(), b.source()) << i;
        EXPECT_EQ(a.link(), b.link()) << i;
        EXPECT_EQ(a.created(), b.created()) << i;
        EXPECT_EQ(a.tags(), b.tags()) << i;
        EXPECT_NE(a.id(), b.id()) << i;
    }
}

TEST(NotebookCodecRoundTrip, DatesKeepWholeSecondsAndAMissingDateIsStoredAsTheEpoch) {
    Notebook notebook;
    notebook.addNote(Note(L"a", L"", L"", at(2020, 2, 29, 23, 59, 59) + boost::posix_time::milliseconds(250)));
    notebook.addNote(Note(L"b", L"", L"", Note::DateTime()));
    const auto read = decode(app::model::encodeNotebook(notebook));
    ASSERT_EQ(2, read->count());
    EXPECT_EQ(at(2020, 2, 29, 23, 59, 59), read->note(0).created());
    EXPECT_EQ(at(1970, 1, 1, 0, 0, 0), read->note(1).created());
}

TEST(NotebookCodecRoundTrip, LoadedNotesTakeFreshDistinctIds) {
    const auto read = decode(
        currentFile({record(7, "a", "x", someDate), record(7, "b", "y", someDate), record(7, "c", "z", someDate)}));
    ASSERT_EQ(3, read->count());
    const std::set<int> ids{read->note(0).id(), read->note(1).id(), read->note(2).id()};
    EXPECT_EQ(3u, ids.size());
    EXPECT_EQ(L"a", read->note(0).title());
    EXPECT_EQ(L"c", read->note(2).title());
    EXPECT_EQ(L"src", read->note(1).source());
    EXPECT_EQ(L"http://x", read->note(1).link());
    EXPECT_EQ(at(2011, 5, 17, 8, 30, 0), read->note(2).created());
}

// Each case overwrites the bytes at an offset of a good file with the patch.
TEST(NotebookCodecDamage, DamagedHeadersLengthsAndCountsNameTheirFault) {
    const std::string empty = currentFile({});
    const std::string one = currentFile({record(1, "t", "x", someDate)});
    const std::string two = currentFile({record(1, "t", "x", someDate), record(2, "u", "y", someDate)});
    const struct {
        const std::string& file;
        std::size_t offset;
        std::string patch;
        const char* error;
    } cases[] = {
        {empty, 4, "S", "invalid signature"},
        {empty, 0, "\x15", "invalid signature"},
        {empty, 26, "\x06", "unsupported version"},
        {empty, 27, "\x08", "incompatible native format"},  // int, long, float, double sizes
        {empty, 28, "\x08", "incompatible native format"},
        {empty, 29, "\x08", "incompatible native format"},
        {empty, 30, "\x04", "incompatible native format"},
        {empty, 31, std::string("\0\0\0\x01", 4), "incompatible native format"},  // byte order
        {one, 65 + 4, "\xFF\xFF\xFF\xFF", "stream error"},                        // the first title's length
        {one, 55, "\xFF\xFF\xFF\xFF", "stream error"},                            // the note count
        {two, 55, "\x03", "stream error"},                                        // one note more than there are
    };
    for (const auto& c : cases) {
        std::string bytes = c.file;
        bytes.replace(c.offset, c.patch.size(), c.patch);
        EXPECT_EQ(c.error, errorOf(bytes)) << "patched at " << c.offset;
    }
    EXPECT_EQ("stream error", errorOf(""));
}

TEST(NotebookCodecDamage, InvalidDateFieldsAreRangeErrors) {
    const DateFields bad[] = {{2011, 13, 1, 0, 0, 0}, {2011, 0, 1, 0, 0, 0},  {2011, 2, 30, 0, 0, 0},
                              {2011, 1, 1, 24, 0, 0}, {2011, 1, 1, -1, 0, 0}, {2011, 1, 1, 0, 60, 0},
                              {2011, 1, 1, 0, 0, 60}, {10000, 1, 1, 0, 0, 0}};
    for (const DateFields& fields : bad) {
        const std::string result = errorOf(currentFile({record(1, "t", "x", fields)}));
        EXPECT_EQ(0u, result.rfind("range: ", 0))
            << result << " for " << fields[0] << "-" << fields[1] << "-" << fields[2] << " " << fields[3] << ":"
            << fields[4] << ":" << fields[5];
    }
    EXPECT_EQ("no error", errorOf(currentFile({record(1, "t", "x", {2012, 2, 29, 23, 59, 59})})));
}

// ---------------------------------------------------------------------------------------
// Files of earlier releases: each handle has class version 0 and is written in the older
// shared-pointer form, the pointer ("px") followed by its count ("pn").
//
// Where the bytes come from, in Boost.Serialization's own headers and sources:
// - boost/serialization/shared_ptr.hpp, load() for file_version < 1: registers the counter
//   class sp_counted_base_impl<T*, null_deleter> (no bytes, but it takes the next class
//   id), then reads px as an ordinary T* and pn as an ordinary object.
// - boost/serialization/shared_ptr_132.hpp, load(Archive&, shared_count&): reads pi_, a
//   pointer to the counter; load_construct_data for sp_counted_base_impl reads its "ptr",
//   a pointer back to the object the handle holds (a back-reference: class id + object id).
// - basic_iarchive.cpp, load_preamble: tracking flag and class version, the first time a
//   class is seen only; load_pointer: int16 class id (-1 = null), preamble, and for a
//   tracked class track() reads the uint32 object id (smaller than the number of objects
//   loaded so far = a back-reference).
// - boost/serialization/vector.hpp load: uint32 count, then uint32 item version.
// Class ids in registration order: 0 handle of the notebook, 1 its counter, 2 Notebook,
// 3 handle of the vector, 4 its counter, 5 vector, 6 Note, then shared_count (never written).
// Object ids: 0 notebook, 1 vector, 2 counter of the vector, 3 counter of the notebook.

namespace {

struct OldForm {
    std::vector<std::string> records;
    bool nullNotes = false;
    bool countersTracked = true;      // what Boost writes for the counter objects
    bool sharedCountTracked = false;  // what Boost writes for shared_count
};

std::string oldFile(const OldForm& form) {
    std::uint32_t objects = 0;
    Bytes b;
    b.raw(header());
    b.u8(0).u8(0);                        // notebook handle: tracking 0, version 0
    b.u16(2).u8(1).u8(0).u32(objects++);  // px: Notebook (class 2), new object 0
    b.u8(0).u8(0);                        // notes handle: tracking 0, version 0
    if (form.nullNotes) {
        b.u16(0xFFFF);  // px: null
    } else {
        b.u16(5).u8(1).u8(0).u32(objects++);  // px: vector (class 5), new object 1
        b.u32(static_cast<std::uint32_t>(form.records.size())).u32(0);
        if (!form.records.empty()) {
            b.u8(0).u8(0);  // Note preamble, before the first item only
        }
        for (const std::string& r : form.records) {
            b.raw(r);
        }
    }
    // pn of the notes handle: shared_count preamble (first appearance).
    b.u8(form.sharedCountTracked ? 1 : 0).u8(0);
    if (form.sharedCountTracked) {
        b.u32(objects++);
    }
    if (form.nullNotes) {
        b.u16(0xFFFF);  // pi_: null
    } else {
        b.u16(4).u8(form.countersTracked ? 1 : 0).u8(0);  // pi_: counter class 4
        if (form.countersTracked) {
            b.u32(objects++);
        }
        b.u16(5).u32(1);  // ptr: back to the vector
    }
    // pn of the notebook handle: shared_count is known now, so no preamble.
    if (form.sharedCountTracked) {
        b.u32(objects++);
    }
    b.u16(1).u8(form.countersTracked ? 1 : 0).u8(0);  // pi_: counter class 1
    if (form.countersTracked) {
        b.u32(objects++);
    }
    b.u16(2).u32(0);  // ptr: back to the notebook
    return b.data;
}

std::string fromHex(const char* hex) {
    std::string out;
    unsigned value = 0;
    int digits = 0;
    for (const char* p = hex; *p; ++p) {
        const char c = *p;
        if (c == ' ') {
            continue;
        }
        value = value * 16 + static_cast<unsigned>(c <= '9' ? c - '0' : c - 'a' + 10);
        if (++digits == 2) {
            out += static_cast<char>(value);
            value = 0;
            digits = 0;
        }
    }
    return out;
}

}  // namespace

TEST(NotebookCodecOldForm, EmptyNotebookMatchesTheKnownBoostBytesAndLoads) {
    // The 58 bytes after the header that Boost 1.81 was seen to read as an empty notebook.
    const std::string body = fromHex(
        "00 00 02 00 01 00 00 00 00 00 00 00 05 00 01 00 01 00 00 00"
        "00 00 00 00 00 00 00 00 00 00 04 00 01 00 02 00 00 00 05 00"
        "01 00 00 00 01 00 01 00 03 00 00 00 02 00 00 00 00 00");
    const std::string file = oldFile(OldForm{});
    ASSERT_EQ(93u, file.size());
    EXPECT_EQ(header() + body, file);
    EXPECT_EQ("no error", errorOf(file));
    EXPECT_EQ(0, decode(file)->count());
}

TEST(NotebookCodecOldForm, NotesLoadInOrderInEveryAcceptedVariant) {
    OldForm form;
    form.records = {record(7, "first", "one", someDate, "b a"), record(7, "second", "two", {2001, 1, 2, 3, 4, 5})};
    OldForm countersUntracked = form;
    countersUntracked.countersTracked = false;
    OldForm countTracked = form;
    countTracked.sharedCountTracked = true;

    for (const OldForm& variant : {form, countersUntracked, countTracked}) {
        SCOPED_TRACE(testing::Message() << "counters tracked " << variant.countersTracked << ", shared_count tracked "
                                        << variant.sharedCountTracked);
        const auto read = decode(oldFile(variant));
        ASSERT_EQ(2, read->count());
        EXPECT_EQ(L"first", read->note(0).title());
        EXPECT_EQ(L"one", read->note(0).text());
        EXPECT_EQ((Note::Tags{L"a", L"b"}), read->note(0).tags());
        EXPECT_EQ(L"second", read->note(1).title());
        EXPECT_EQ(at(2001, 1, 2, 3, 4, 5), read->note(1).created());
        EXPECT_NE(read->note(0).id(), read->note(1).id());
    }
}

TEST(NotebookCodecOldForm, NullNotesPointerLoadsAsEmptyNotebook) {
    OldForm form;
    form.nullNotes = true;
    const std::string file = oldFile(form);
    // After the notebook only the notebook's counter is tracked, so it is object 1.
    EXPECT_EQ(fromHex("00 00 ff ff 00 00 ff ff 01 00 01 00 01 00 00 00 02 00 00 00 00 00"), file.substr(45));
    EXPECT_EQ(0, decode(file)->count());
}

TEST(NotebookCodecOldForm, DamagedCountRecordsAreStreamErrors) {
    OldForm form;
    form.records = {record(1, "t", "x", someDate)};
    const std::string good = oldFile(form);
    ASSERT_EQ("no error", errorOf(good));
    // Offsets from the end: notebook's pn is the last 14 bytes, the vector's pn the 16 before.
    const std::size_t vectorCounter = good.size() - 14 - 16 + 2;  // after the shared_count preamble
    const std::size_t vectorBackReference = vectorCounter + 8;
    const std::size_t notebookCounter = good.size() - 14;
    const struct {
        std::size_t offset;
        char value;
        const char* what;
    } cases[] = {
        {vectorCounter, 1, "the notebook's counter class where the vector's belongs"},
        {notebookCounter, 4, "the vector's counter class where the notebook's belongs"},
        {vectorBackReference + 2, 3, "object 3, not loaded yet"},
        {vectorBackReference, 2, "back to the notebook's class, not the vector's"},
    };
    for (const auto& c : cases) {
        std::string bytes = good;
        bytes[c.offset] = c.value;
        EXPECT_EQ("stream error", errorOf(bytes)) << c.what;
    }
}

TEST(NotebookCodecDamage, TruncationAtAnyOffsetIsAStreamError) {
    OldForm old;
    old.records = {record(1, "t", "x", someDate)};
    for (const std::string& bytes : {app::model::encodeNotebook(*sampleNotebook()), oldFile(old)}) {
        ASSERT_EQ("no error", errorOf(bytes));
        for (std::size_t size = 0; size < bytes.size(); ++size) {
            EXPECT_EQ("stream error", errorOf(bytes.substr(0, size))) << "cut at " << size << " of " << bytes.size();
        }
    }
}
