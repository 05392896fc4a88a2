#include "app/model/NotebookCodec.hpp"

#include "app/model/Notebook.hpp"
#include "sys/platform/Utf16.hpp"

#include <boost/date_time/gregorian/gregorian_types.hpp>
#include <boost/date_time/posix_time/posix_time_types.hpp>

#include <cstring>
#include <stdexcept>

namespace app::model {

namespace {

const char signature[] = "serialization::archive";
constexpr std::uint32_t signatureLength = sizeof(signature) - 1;
constexpr unsigned char libraryVersion = 5;
constexpr std::int16_t notebookClassId = 1;
constexpr std::int16_t notesClassId = 3;
constexpr std::int16_t nullPointer = -1;
// The smallest note record: id, five empty strings and six date-time fields.
constexpr std::size_t minimumRecordSize = 4 + 4 * 4 + 6 * 4 + 4;
constexpr std::size_t chunkSize = 1 << 20;

const char* messageOf(ArchiveException::Code code) {
    switch (code) {
    case ArchiveException::Code::InvalidSignature:
        return "invalid signature";
    case ArchiveException::Code::UnsupportedVersion:
        return "unsupported version";
    case ArchiveException::Code::IncompatibleNativeFormat:
        return "incompatible native format";
    case ArchiveException::Code::StreamError:
        break;
    }
    return "stream error";
}

class Writer {
public:
    explicit Writer(const ByteSink& sink) : sink_(sink) { buffer_.reserve(chunkSize + 4096); }

    void u8(unsigned char v) { buffer_ += static_cast<char>(v); }
    void u16(std::uint16_t v) {
        u8(static_cast<unsigned char>(v));
        u8(static_cast<unsigned char>(v >> 8));
    }
    void u32(std::uint32_t v) {
        u16(static_cast<std::uint16_t>(v));
        u16(static_cast<std::uint16_t>(v >> 16));
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void wide(const std::wstring& text) {
        const std::size_t lengthAt = buffer_.size();
        u32(0);
        const std::size_t units = sys::platform::appendUtf16le(buffer_, text);
        for (int i = 0; i < 4; ++i) {
            buffer_[lengthAt + i] = static_cast<char>(units >> (8 * i));
        }
        if (buffer_.size() >= chunkSize) {
            flush();
        }
    }
    void flush() {
        if (!buffer_.empty()) {
            sink_(buffer_.data(), buffer_.size());
        }
        buffer_.clear();
    }

private:
    const ByteSink& sink_;
    std::string buffer_;
};

class Reader {
public:
    Reader(const unsigned char* data, std::size_t size) : p_(data), end_(data + size) {}

    std::size_t remaining() const { return static_cast<std::size_t>(end_ - p_); }

    const unsigned char* take(std::size_t n) {
        if (n > remaining()) {
            throw ArchiveException(ArchiveException::Code::StreamError);
        }
        const unsigned char* at = p_;
        p_ += n;
        return at;
    }
    unsigned char u8() { return *take(1); }
    std::uint16_t u16() {
        const unsigned char* b = take(2);
        return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
    }
    std::uint32_t u32() {
        const unsigned char* b = take(4);
        return b[0] | (b[1] << 8) | (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    }
    std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    std::wstring wide() {
        const std::uint32_t units = u32();
        if (units > remaining() / 2) {
            throw ArchiveException(ArchiveException::Code::StreamError);
        }
        return sys::platform::decodeUtf16le(take(2 * std::size_t{units}), units);
    }

private:
    const unsigned char* p_;
    const unsigned char* end_;
};

int checkedField(std::int32_t value, int low, int high, const char* what) {
    if (value < low || value > high) {
        throw std::out_of_range(std::string(what) + " value is out of range " + std::to_string(low) + ".."
                                + std::to_string(high));
    }
    return value;
}

Note::DateTime readDateTime(Reader& in) {
    const std::int32_t year = in.i32();
    const std::int32_t month = in.i32();
    const std::int32_t day = in.i32();
    const std::int32_t hours = in.i32();
    const std::int32_t minutes = in.i32();
    const std::int32_t seconds = in.i32();
    // The date library checks the date; the time of day is checked here so that no
    // stored value can roll a note into another day.
    const boost::gregorian::date date(static_cast<unsigned short>(checkedField(year, 1400, 9999, "Year")),
                                      static_cast<unsigned short>(checkedField(month, 1, 12, "Month")),
                                      static_cast<unsigned short>(checkedField(day, 1, 31, "Day of month")));
    return Note::DateTime(date, boost::posix_time::time_duration(checkedField(hours, 0, 23, "Hours"),
                                                                 checkedField(minutes, 0, 59, "Minutes"),
                                                                 checkedField(seconds, 0, 59, "Seconds")));
}

void writeDateTime(Writer& out, const Note::DateTime& created) {
    if (created.is_special()) {
        for (std::int32_t field : {1970, 1, 1, 0, 0, 0}) {
            out.i32(field);
        }
        return;
    }
    const auto date = created.date();
    const auto time = created.time_of_day();
    out.i32(date.year());
    out.i32(date.month());
    out.i32(date.day());
    out.i32(static_cast<std::int32_t>(time.hours()));
    out.i32(static_cast<std::int32_t>(time.minutes()));
    out.i32(static_cast<std::int32_t>(time.seconds()));
}

void readHeader(Reader& in, unsigned& version) {
    if (in.u32() != signatureLength) {
        throw ArchiveException(ArchiveException::Code::InvalidSignature);
    }
    if (std::memcmp(in.take(signatureLength), signature, signatureLength) != 0) {
        throw ArchiveException(ArchiveException::Code::InvalidSignature);
    }
    version = in.u8();
    if (version > libraryVersion) {
        throw ArchiveException(ArchiveException::Code::UnsupportedVersion);
    }
    const unsigned char sizeOfInt = in.u8();
    const unsigned char sizeOfLong = in.u8();
    const unsigned char sizeOfFloat = in.u8();
    const unsigned char sizeOfDouble = in.u8();
    if (sizeOfInt != 4 || sizeOfLong != 4 || sizeOfFloat != 4 || sizeOfDouble != 8) {
        throw ArchiveException(ArchiveException::Code::IncompatibleNativeFormat);
    }
    if (in.i32() != 1) {
        throw ArchiveException(ArchiveException::Code::IncompatibleNativeFormat);
    }
}

// Reads the reference-counted handles of the archive. Class ids are numbered in the order
// classes first appear, whether or not their id is written; a class's tracking flag and
// version are written where it first appears; tracked objects are numbered in the order
// their loading starts.
//
// A handle of class version 1 holds just the pointer. Version 0 is the older shared-pointer
// form: the class of its reference count is registered before the pointer ("px"), and after
// the pointee the count follows ("pn"): the count's own class information where it first
// appears, then a pointer to the counter object, whose only content is a pointer back to
// the object the handle holds.
class HandleReader {
public:
    explicit HandleReader(Reader& in) : in_(in) {}

    struct Handle {
        int version;
        bool null;
        std::int16_t pointeeClass;
    };

    // Reads a handle's class information and its pointer; the body of a non-null pointee
    // follows in the stream.
    Handle openHandle() {
        in_.u8();  // tracking flag of the handle class, which has id nextClass_
        Handle handle{in_.u8(), false, 0};
        ++nextClass_;
        if (handle.version == 0) {
            ++nextClass_;  // the counter class, registered before the pointee
        }
        handle.pointeeClass = nextClass_++;
        const std::int16_t classId = in_.i16();
        handle.null = classId == nullPointer;
        if (handle.null) {
            return handle;
        }
        if (classId != handle.pointeeClass) {
            throw ArchiveException(ArchiveException::Code::StreamError);
        }
        const bool tracked = in_.u8() != 0;
        in_.u8();  // class version
        if (tracked) {
            newObject();
        }
        return handle;
    }

    // The count that follows the pointee of a version 0 handle.
    void readCount(const Handle& handle) {
        if (!countClassSeen_) {
            countClassSeen_ = true;
            countClass_ = nextClass_++;
            countTracked_ = in_.u8() != 0;
            in_.u8();  // class version
        }
        if (countTracked_) {
            newObject();
        }
        const std::int16_t counterClass = static_cast<std::int16_t>(handle.pointeeClass - 1);
        const std::int16_t classId = in_.i16();
        if (classId == nullPointer) {
            return;
        }
        if (classId != counterClass || handle.null) {
            throw ArchiveException(ArchiveException::Code::StreamError);
        }
        const bool tracked = in_.u8() != 0;
        in_.u8();  // class version
        if (tracked) {
            newObject();
        }
        // The counter's pointer back to the pointee, which was loaded already.
        if (in_.i16() != handle.pointeeClass) {
            throw ArchiveException(ArchiveException::Code::StreamError);
        }
        if (in_.u32() >= objects_) {
            throw ArchiveException(ArchiveException::Code::StreamError);
        }
    }

    // The class of the items of the vector: its tracking flag and version come before the
    // first item only.
    void noteClass() { ++nextClass_; }

private:
    void newObject() {
        if (in_.u32() != objects_) {
            throw ArchiveException(ArchiveException::Code::StreamError);
        }
        ++objects_;
    }

    Reader& in_;
    std::int16_t nextClass_ = 0;
    std::uint32_t objects_ = 0;
    bool countClassSeen_ = false;
    std::int16_t countClass_ = 0;
    bool countTracked_ = false;
};

Note readNote(Reader& in) {
    Note note{std::wstring(), std::wstring(), std::wstring(), Note::DateTime()};
    in.i32();  // the stored id: every loaded note takes a fresh one
    std::wstring title = in.wide();
    std::wstring text = in.wide();
    std::wstring source = in.wide();
    std::wstring link = in.wide();
    note.assignRaw(std::move(title), std::wstring(), std::move(source), std::move(link));
    note.setText(std::move(text));
    note.setCreated(readDateTime(in));
    note.setTags(in.wide());
    return note;
}

void readNotes(Reader& in, unsigned version, HandleReader& handles, Notebook::Notes& notes) {
    const std::uint32_t count = in.u32();
    if (version > 3) {
        in.u32();  // item version
    }
    if (count > 0) {
        handles.noteClass();
        in.u8();  // tracking flag of the note class
        in.u8();  // its class version
    }
    if (count > in.remaining() / minimumRecordSize) {
        throw ArchiveException(ArchiveException::Code::StreamError);
    }
    notes.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        notes.push_back(readNote(in));
    }
}

}  // namespace

ArchiveException::ArchiveException(Code code) : err::RuntimeException(messageOf(code)), code_(code) {}

void writeNotebook(const Notebook& notebook, const ByteSink& sink) {
    Writer out(sink);
    out.u32(signatureLength);
    for (std::uint32_t i = 0; i < signatureLength; ++i) {
        out.u8(static_cast<unsigned char>(signature[i]));
    }
    out.u8(libraryVersion);
    for (unsigned char size : {4, 4, 4, 8}) {
        out.u8(size);
    }
    out.i32(1);

    // Handle of the notebook, the notebook, handle of its notes, the vector of notes.
    out.u8(0);
    out.u8(1);
    out.u16(static_cast<std::uint16_t>(notebookClassId));
    out.u8(1);
    out.u8(0);
    out.u32(0);
    out.u8(0);
    out.u8(1);
    out.u16(static_cast<std::uint16_t>(notesClassId));
    out.u8(1);
    out.u8(0);
    out.u32(1);

    const Notebook::Notes& notes = notebook.notes();
    out.u32(static_cast<std::uint32_t>(notes.size()));
    out.u32(0);  // item version: the class version of a note
    if (!notes.empty()) {
        out.u8(0);  // tracking flag of the note class
        out.u8(0);  // its class version
    }
    for (const Note& note : notes) {
        out.i32(note.id());
        out.wide(note.title());
        out.wide(note.text());
        out.wide(note.source());
        out.wide(note.link());
        writeDateTime(out, note.created());
        out.wide(note.tagString());
    }
    out.flush();
}

std::string encodeNotebook(const Notebook& notebook) {
    std::string bytes;
    writeNotebook(notebook, [&bytes](const char* data, std::size_t size) { bytes.append(data, size); });
    return bytes;
}

std::shared_ptr<Notebook> readNotebook(const unsigned char* data, std::size_t size) {
    Reader in(data, size);
    unsigned version = 0;
    readHeader(in, version);

    // A null handle is read as an empty notebook.
    HandleReader handles(in);
    const HandleReader::Handle notebookHandle = handles.openHandle();
    Notebook::Notes notes;
    if (!notebookHandle.null) {
        const HandleReader::Handle notesHandle = handles.openHandle();
        if (!notesHandle.null) {
            readNotes(in, version, handles, notes);
        }
        if (notesHandle.version == 0) {
            handles.readCount(notesHandle);
        }
    }
    if (notebookHandle.version == 0) {
        handles.readCount(notebookHandle);
    }
    return std::make_shared<Notebook>(std::move(notes));
}

}  // namespace app::model
