#include "sys/platform/AtomicFile.hpp"

#include "TempFolder.hpp"
#include "app/model/Notebook.hpp"
#include "app/model/NotebookCodec.hpp"
#include "app/model/NotebookStore.hpp"
#include "err/Exceptions.hpp"
#include "sys/platform/Platform.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <mutex>
#include <sstream>

using sys::platform::AtomicFile;
using sys::platform::FileSystem;
using sys::platform::ScopedFileSystem;
using testing_support::ForwardingFileSystem;
using testing_support::TempFolder;

namespace {

enum class Op { CreateNew, Write, Flush, Close, Replace, Move };

const char* nameOf(Op op) {
    switch (op) {
    case Op::CreateNew: return "createNew";
    case Op::Write: return "write";
    case Op::Flush: return "flush";
    case Op::Close: return "close";
    case Op::Replace: return "replace";
    case Op::Move: return "move";
    }
    return "?";
}

// Error codes this file system gives out and classifies itself.
constexpr FileSystem::Error transientError = 0x20000001;
constexpr FileSystem::Error hardError = 0x20000002;
constexpr FileSystem::Error originalAtBackupError = 0x20000003;

// Fails chosen calls of one operation and counts every call. A failed close still closes
// (the system releases the handle either way); a replace failing with the "original at
// backup" code really moves the original aside first, as the system's replace does.
// pause() does not sleep.
class FaultyFileSystem : public ForwardingFileSystem {
public:
    // Calls first .. first + times - 1 of op fail with error.
    void fail(Op op, int first, FileSystem::Error error, int times = 1) {
        std::lock_guard<std::mutex> guard(lock_);
        faultOp_ = op;
        faultFirst_ = first;
        faultTimes_ = times;
        faultError_ = error;
    }
    void heal() { fail(Op::CreateNew, 0, 0, 0); }

    int calls(Op op) const {
        std::lock_guard<std::mutex> guard(lock_);
        const auto it = calls_.find(op);
        return it == calls_.end() ? 0 : it->second;
    }
    int pauses() const {
        std::lock_guard<std::mutex> guard(lock_);
        return pauses_;
    }

    Error createNew(const std::wstring& path, Handle& handle) override {
        if (const Error e = inject(Op::CreateNew))
            return e;
        return real().createNew(path, handle);
    }
    Error write(Handle handle, const void* data, std::size_t size) override {
        if (const Error e = inject(Op::Write))
            return e;
        return real().write(handle, data, size);
    }
    Error flush(Handle handle) override {
        if (const Error e = inject(Op::Flush))
            return e;
        return real().flush(handle);
    }
    Error close(Handle handle) override {
        const Error e = inject(Op::Close);
        const Error closed = real().close(handle);
        return e ? e : closed;
    }
    Error replace(const std::wstring& source, const std::wstring& target, const std::wstring& backup) override {
        if (const Error e = inject(Op::Replace)) {
            if (e == originalAtBackupError && real().move(target, backup) != 0)
                return hardError;
            return e;
        }
        return real().replace(source, target, backup);
    }
    Error move(const std::wstring& source, const std::wstring& target) override {
        if (const Error e = inject(Op::Move))
            return e;
        return real().move(source, target);
    }
    ErrorKind classify(Error error) const override {
        switch (error) {
        case transientError: return ErrorKind::Transient;
        case hardError: return ErrorKind::Other;
        case originalAtBackupError: return ErrorKind::OriginalAtBackup;
        default: return real().classify(error);
        }
    }
    void pause(unsigned) override {
        std::lock_guard<std::mutex> guard(lock_);
        ++pauses_;
    }

private:
    Error inject(Op op) {
        std::lock_guard<std::mutex> guard(lock_);
        const int n = ++calls_[op];
        if (op == faultOp_ && n >= faultFirst_ && n - faultFirst_ < faultTimes_)
            return faultError_;
        return 0;
    }

    mutable std::mutex lock_;
    std::map<Op, int> calls_;
    int pauses_ = 0;
    Op faultOp_ = Op::CreateNew;
    int faultFirst_ = 0;
    int faultTimes_ = 0;
    Error faultError_ = 0;
};

std::shared_ptr<app::model::Notebook> smallNotebook() {
    auto notebook = std::make_shared<app::model::Notebook>();
    notebook->addNote(app::model::Note(L"old text", L"", L"old", app::model::Note::now()));
    return notebook;
}

// Large enough that the save writes in several pieces.
std::shared_ptr<app::model::Notebook> largeNotebook() {
    auto notebook = std::make_shared<app::model::Notebook>();
    for (int i = 0; i < 4; ++i)
        notebook->addNote(app::model::Note(std::wstring(300000, static_cast<wchar_t>(L'a' + i)), L"", L"big",
                                          app::model::Note::now()));
    return notebook;
}

std::wstring hex(std::uint32_t value) {
    std::wostringstream out;
    out << std::hex << value;
    return out.str();
}

std::wstring otherProcess() {
    return hex(sys::platform::currentProcessId() + 1);
}

}  // namespace

TEST(AtomicSave, AFailureAtAnyStepLeavesTheOldFileWholeAndNoTemporaries) {
    const auto oldNotebook = smallNotebook();
    const auto large = largeNotebook();
    const app::model::Notebook& newNotebook = *large;
    const std::string oldBytes = app::model::encodeNotebook(*oldNotebook);
    const std::string newBytes = app::model::encodeNotebook(newNotebook);
    const Op ops[] = {Op::CreateNew, Op::Write, Op::Flush, Op::Close, Op::Replace, Op::Move};

    for (const bool targetExists : {true, false}) {
        // How often a clean save calls each operation.
        FaultyFileSystem counter;
        {
            TempFolder folder;
            if (targetExists)
                folder.write(L"notebook.dat", oldBytes);
            ScopedFileSystem scope(counter);
            ASSERT_TRUE(app::model::saveNotebook(newNotebook, folder.file(L"notebook.dat")));
        }
        ASSERT_GE(counter.calls(Op::Write), 2);
        EXPECT_EQ(targetExists ? 1 : 0, counter.calls(Op::Replace));
        EXPECT_EQ(targetExists ? 0 : 1, counter.calls(Op::Move));

        for (const Op op : ops) {
            for (int k = 1; k <= counter.calls(op); ++k) {
                for (const int times : {1, INT_MAX}) {
                    SCOPED_TRACE(testing::Message() << (targetExists ? "replacing, " : "creating, ") << nameOf(op)
                                                    << " call " << k << (times == 1 ? " fails once" : " fails on"));
                    TempFolder folder;
                    const std::wstring path = folder.file(L"notebook.dat");
                    if (targetExists)
                        folder.write(L"notebook.dat", oldBytes);
                    FaultyFileSystem fs;
                    fs.fail(op, k, hardError, times);
                    ScopedFileSystem scope(fs);

                    EXPECT_FALSE(app::model::saveNotebook(newNotebook, path));
                    const auto failure = app::model::lastSaveFailure();
                    ASSERT_TRUE(failure.has_value());
                    EXPECT_EQ(path, failure->path);
                    EXPECT_FALSE(failure->message.empty());
                    if (targetExists) {
                        EXPECT_EQ(std::set<std::wstring>{L"notebook.dat"}, folder.names());
                        EXPECT_TRUE(folder.read(L"notebook.dat") == oldBytes);
                    } else {
                        EXPECT_TRUE(folder.names().empty());
                    }

                    fs.heal();
                    EXPECT_TRUE(app::model::saveNotebook(newNotebook, path));
                    EXPECT_FALSE(app::model::lastSaveFailure().has_value());
                    EXPECT_EQ(std::set<std::wstring>{L"notebook.dat"}, folder.names());
                    EXPECT_TRUE(folder.read(L"notebook.dat") == newBytes);
                }
            }
        }
    }
}

TEST(AtomicSave, AReplaceThatMovedTheOriginalAsideIsUndone) {
    TempFolder folder;
    const std::wstring path = folder.file(L"notebook.dat");
    const std::string oldBytes = app::model::encodeNotebook(*smallNotebook());
    folder.write(L"notebook.dat", oldBytes);
    FaultyFileSystem fs;
    fs.fail(Op::Replace, 1, originalAtBackupError);
    ScopedFileSystem scope(fs);

    EXPECT_FALSE(app::model::saveNotebook(*largeNotebook(), path));
    EXPECT_EQ(1, fs.calls(Op::Move));
    EXPECT_EQ(std::set<std::wstring>{L"notebook.dat"}, folder.names());
    EXPECT_TRUE(folder.read(L"notebook.dat") == oldBytes);
    ASSERT_TRUE(app::model::lastSaveFailure().has_value());
}

TEST(AtomicSave, BusyFilesAreRetriedForAWhile) {
    const auto kept = smallNotebook();
    const app::model::Notebook& notebook = *kept;
    const std::string newBytes = app::model::encodeNotebook(notebook);
    const std::string oldBytes = "old";
    struct Case {
        Op op;
        bool targetExists;
    };
    for (const Case c : {Case{Op::CreateNew, true}, Case{Op::Replace, true}, Case{Op::CreateNew, false},
                         Case{Op::Move, false}}) {
        SCOPED_TRACE(nameOf(c.op));
        {
            // Busy three times, then free: the save goes through.
            TempFolder folder;
            if (c.targetExists)
                folder.write(L"notebook.dat", oldBytes);
            FaultyFileSystem fs;
            fs.fail(c.op, 1, transientError, 3);
            ScopedFileSystem scope(fs);
            EXPECT_TRUE(app::model::saveNotebook(notebook, folder.file(L"notebook.dat")));
            EXPECT_EQ(4, fs.calls(c.op));
            EXPECT_EQ(3, fs.pauses());
            EXPECT_TRUE(folder.read(L"notebook.dat") == newBytes);
            EXPECT_EQ(std::set<std::wstring>{L"notebook.dat"}, folder.names());
        }
        {
            // Busy for good: a bounded number of attempts, then the save gives up cleanly.
            TempFolder folder;
            if (c.targetExists)
                folder.write(L"notebook.dat", oldBytes);
            FaultyFileSystem fs;
            fs.fail(c.op, 1, transientError, INT_MAX);
            ScopedFileSystem scope(fs);
            EXPECT_FALSE(app::model::saveNotebook(notebook, folder.file(L"notebook.dat")));
            EXPECT_EQ(8, fs.calls(c.op));
            EXPECT_EQ(7, fs.pauses());
            if (c.targetExists) {
                EXPECT_EQ(oldBytes, folder.read(L"notebook.dat"));
                EXPECT_EQ(std::set<std::wstring>{L"notebook.dat"}, folder.names());
            } else {
                EXPECT_TRUE(folder.names().empty());
            }
        }
    }
}

TEST(AtomicFile, WritesToATemporaryInTheSameFolderAndDropsItWithoutCommit) {
    TempFolder folder;
    folder.write(L"notebook.dat", "old");
    {
        AtomicFile file(folder.file(L"notebook.dat"));
        file.write("new", 3);
        const auto names = folder.names();
        ASSERT_EQ(2u, names.size());
        const std::wstring temporary = *names.rbegin();
        EXPECT_EQ(0u, temporary.rfind(L"notebook.dat.~vnl" + hex(sys::platform::currentProcessId()) + L"-", 0));
        EXPECT_EQ(temporary.size() - 4, temporary.rfind(L".tmp"));
        EXPECT_EQ("old", folder.read(L"notebook.dat"));
    }
    EXPECT_EQ(std::set<std::wstring>{L"notebook.dat"}, folder.names());
    EXPECT_EQ("old", folder.read(L"notebook.dat"));

    {
        AtomicFile file(folder.file(L"notebook.dat"));
        file.write("new", 3);
        file.write("er", 2);
        file.commit();
    }
    EXPECT_EQ(std::set<std::wstring>{L"notebook.dat"}, folder.names());
    EXPECT_EQ("newer", folder.read(L"notebook.dat"));

    try {
        AtomicFile file(folder.file(L"missing") + L"\\notebook.dat");
        ADD_FAILURE() << "a file in a missing folder was created";
    } catch (const err::IOException& e) {
        EXPECT_EQ(0u, std::string(e.what()).rfind("Cannot create file\n", 0)) << e.what();
    }
}

TEST(AtomicFile, RemoveStaleTemporariesClearsOtherRunsLeftoversOnly) {
    TempFolder folder;
    const std::wstring other = otherProcess();
    const std::wstring ours = hex(sys::platform::currentProcessId());
    folder.write(L"notebook.dat", "current");
    folder.write(L"notebook.dat.~vnl" + other + L"-1.tmp", "half written");
    folder.write(L"notebook.dat.~vnl" + other + L"-2.old", "older");
    folder.write(L"notebook.dat.~vnl" + ours + L"-1.tmp", "a save of this run");
    const std::set<std::wstring> kept{L"notebook.dat",
                                      L"notebook.dat.~vnl" + ours + L"-1.tmp",
                                      L"notebook.dat.tmp",
                                      L"notebook.dat.old",
                                      L"notebook.dat.~vnl" + other + L"-3.bak",
                                      L"other.dat.~vnl" + other + L"-1.tmp",
                                      L"xnotebook.dat.~vnl" + other + L"-1.tmp"};
    for (const std::wstring& name : kept)
        if (!folder.exists(name))
            folder.write(name, "keep");

    AtomicFile::removeStaleTemporaries(folder.file(L"notebook.dat"));
    EXPECT_EQ(kept, folder.names());
    EXPECT_EQ("current", folder.read(L"notebook.dat"));
}

TEST(AtomicFile, RemoveStaleTemporariesPutsAMovedAsideOriginalBack) {
    TempFolder folder;
    const std::wstring other = otherProcess();
    folder.write(L"notebook.dat.~vnl" + other + L"-1.tmp", "half written");
    folder.write(L"notebook.dat.~vnl" + other + L"-2.old", "the notes");

    AtomicFile::removeStaleTemporaries(folder.file(L"notebook.dat"));
    EXPECT_EQ(std::set<std::wstring>{L"notebook.dat"}, folder.names());
    EXPECT_EQ("the notes", folder.read(L"notebook.dat"));
}
