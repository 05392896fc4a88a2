#include "sys/platform/AtomicFile.hpp"

#include "MessageOf.hpp"
#include "TempFolder.hpp"
#include "app/model/Notebook.hpp"
#include "app/model/NotebookCodec.hpp"
#include "app/model/NotebookStore.hpp"
#include "err/Exceptions.hpp"
#include "sys/platform/Platform.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>

using sys::platform::AtomicFile;
using sys::platform::FileSystem;
using sys::platform::ScopedFileSystem;
using testing_support::FaultyFileSystem;
using testing_support::hardError;
using testing_support::Op;
using testing_support::originalAtBackupError;
using testing_support::otherProcess;
using testing_support::TempFolder;
using testing_support::transientError;

namespace {

std::shared_ptr<app::model::Notebook> smallNotebook() {
    auto notebook = std::make_shared<app::model::Notebook>();
    notebook->addNote(app::model::Note(L"old text", L"", L"old", app::model::Note::now()));
    return notebook;
}

// Large enough that the save writes in several pieces.
std::shared_ptr<app::model::Notebook> largeNotebook() {
    auto notebook = std::make_shared<app::model::Notebook>();
    for (int i = 0; i < 4; ++i) {
        notebook->addNote(app::model::Note(std::wstring(300000, static_cast<wchar_t>(L'a' + i)), L"", L"big",
                                           app::model::Note::now()));
    }
    return notebook;
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
            if (targetExists) {
                folder.write(L"notebook.dat", oldBytes);
            }
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
                    if (targetExists) {
                        folder.write(L"notebook.dat", oldBytes);
                    }
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
    for (const Case c :
         {Case{Op::CreateNew, true}, Case{Op::Replace, true}, Case{Op::CreateNew, false}, Case{Op::Move, false}}) {
        SCOPED_TRACE(nameOf(c.op));
        {
            // Busy three times, then free: the save goes through.
            TempFolder folder;
            if (c.targetExists) {
                folder.write(L"notebook.dat", oldBytes);
            }
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
            if (c.targetExists) {
                folder.write(L"notebook.dat", oldBytes);
            }
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
        EXPECT_EQ(0u, temporary.rfind(
                          L"notebook.dat.~vnl" + testing_support::hex(sys::platform::currentProcessId()) + L"-", 0));
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

    EXPECT_THAT(testing_support::messageOf<err::IOException>(
                    [&] { AtomicFile file(folder.file(L"missing") + L"\\notebook.dat"); }),
                testing::StartsWith("Cannot create file\n"));
}

TEST(AtomicFile, RemoveStaleTemporariesClearsOtherRunsLeftoversOnly) {
    TempFolder folder;
    const std::wstring other = otherProcess();
    const std::wstring ours = testing_support::hex(sys::platform::currentProcessId());
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
    for (const std::wstring& name : kept) {
        if (!folder.exists(name)) {
            folder.write(name, "keep");
        }
    }

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
