#include "app/model/NotebookStore.hpp"

#include "ManualOneShot.hpp"
#include "MessageOf.hpp"
#include "TempFolder.hpp"
#include "app/model/Notebook.hpp"
#include "app/model/NotebookCodec.hpp"
#include "err/Exceptions.hpp"
#include "sys/platform/Platform.hpp"
#include "sys/timers/OneShot.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <condition_variable>
#include <filesystem>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

using app::model::Note;
using app::model::Notebook;
using sys::platform::FileSystem;
using sys::platform::ScopedFileSystem;
using testing_support::FaultyFileSystem;
using testing_support::ForwardingFileSystem;
using testing_support::hardError;
using testing_support::ManualOneShot;
using testing_support::Op;
using testing_support::TempFolder;
using testing_support::transientError;

namespace {

constexpr auto patience = std::chrono::seconds(10);

std::shared_ptr<Notebook> notebookOf(std::initializer_list<const wchar_t*> titles) {
    auto notebook = std::make_shared<Notebook>();
    for (const wchar_t* title : titles) {
        notebook->addNote(Note(std::wstring(L"text of ") + title, L"", title, Note::now()));
    }
    return notebook;
}

std::vector<std::wstring> titlesOf(const Notebook& notebook) {
    std::vector<std::wstring> titles;
    for (int i = 0; i < notebook.count(); ++i) {
        titles.push_back(notebook.note(i).title());
    }
    return titles;
}

std::vector<std::wstring> titlesIn(const std::wstring& path) {
    return titlesOf(*app::model::loadNotebook(path));
}

// Holds the first save of one file on the worker inside its createNew until released,
// and counts the saves started for each file.
class BlockingFileSystem : public ForwardingFileSystem {
public:
    explicit BlockingFileSystem(std::wstring blockedTarget) : blockedTarget_(std::move(blockedTarget)) {}

    Error createNew(const std::wstring& path, Handle& handle) override {
        bool block = false;
        {
            std::lock_guard<std::mutex> guard(lock_);
            started_.push_back(path);
            if (!blocked_ && path.compare(0, blockedTarget_.size(), blockedTarget_) == 0) {
                blocked_ = true;
                block = true;
                entered_ = true;
            }
        }
        if (block) {
            changed_.notify_all();
            std::unique_lock<std::mutex> guard(lock_);
            changed_.wait_for(guard, patience, [&] { return released_; });
        }
        return real().createNew(path, handle);
    }
    Error move(const std::wstring& source, const std::wstring& target) override {
        note(L"done " + target);
        return real().move(source, target);
    }
    Error replace(const std::wstring& source, const std::wstring& target, const std::wstring& backup) override {
        note(L"done " + target);
        return real().replace(source, target, backup);
    }

    bool waitUntilBlocked() {
        std::unique_lock<std::mutex> guard(lock_);
        return changed_.wait_for(guard, patience, [&] { return entered_; });
    }
    void release() {
        {
            std::lock_guard<std::mutex> guard(lock_);
            released_ = true;
        }
        changed_.notify_all();
    }
    // Saves of target started so far (temporary files created).
    int savesOf(const std::wstring& target) const {
        std::lock_guard<std::mutex> guard(lock_);
        int n = 0;
        for (const std::wstring& path : started_) {
            n += path.compare(0, target.size() + 5, target + L".~vnl") == 0 ? 1 : 0;
        }
        return n;
    }
    std::vector<std::wstring> events() const {
        std::lock_guard<std::mutex> guard(lock_);
        return events_;
    }

private:
    void note(const std::wstring& event) {
        std::lock_guard<std::mutex> guard(lock_);
        events_.push_back(event);
    }

    mutable std::mutex lock_;
    std::condition_variable changed_;
    std::wstring blockedTarget_;
    std::vector<std::wstring> started_;
    std::vector<std::wstring> events_;
    bool blocked_ = false;
    bool entered_ = false;
    bool released_ = false;
};

// Releases a blocked worker and lets every queued save finish before the file system
// in front goes away, even when a check failed.
struct DrainSaves {
    BlockingFileSystem& fs;
    ~DrainSaves() {
        fs.release();
        app::model::waitForBackgroundSaves();
    }
};

}  // namespace

TEST(NotebookStoreLoad, AMissingFileGivesAnEmptyNotebook) {
    TempFolder folder;
    EXPECT_EQ(0, app::model::loadNotebook(folder.file(L"notebook.dat"))->count());
    EXPECT_EQ(0, app::model::loadNotebook(folder.file(L"no folder") + L"\\notebook.dat")->count());
    EXPECT_TRUE(folder.names().empty());
}

TEST(NotebookStoreLoad, AFileThatCannotBeReadRaisesInsteadOfStartingEmpty) {
    TempFolder folder;
    const std::wstring path = folder.file(L"notebook.dat");
    ASSERT_TRUE(app::model::saveNotebook(*notebookOf({L"kept"}), path));
    {
        FaultyFileSystem fs(Op::ReadAll, hardError);
        ScopedFileSystem scope(fs);
        EXPECT_THAT(testing_support::messageOf<err::IOException>([&] { app::model::loadNotebook(path); }),
                    testing::StartsWith("Cannot read file\n"));
    }
    {
        FaultyFileSystem fs(Op::ReadAll, transientError);
        ScopedFileSystem scope(fs);
        EXPECT_THROW(app::model::loadNotebook(path), err::IOException);
        EXPECT_EQ(8, fs.calls(Op::ReadAll));
    }
    {
        FaultyFileSystem fs;
        fs.fail(Op::ReadAll, 1, transientError, 2);
        ScopedFileSystem scope(fs);
        EXPECT_EQ(std::vector<std::wstring>{L"kept"}, titlesIn(path));
    }
#ifndef _WIN32
    std::filesystem::create_directory(folder.path() / L"folder.dat");
    EXPECT_THROW(app::model::loadNotebook(folder.file(L"folder.dat")), err::IOException);
#endif
}

TEST(NotebookStoreLoad, AnEmptyFileIsAStreamErrorAndIsLeftAlone) {
    TempFolder folder;
    folder.write(L"notebook.dat", "");
    EXPECT_EQ("stream error", testing_support::messageOf<app::model::ArchiveException>(
                                  [&] { app::model::loadNotebook(folder.file(L"notebook.dat")); }));
    EXPECT_EQ(std::set<std::wstring>{L"notebook.dat"}, folder.names());
    EXPECT_EQ("", folder.read(L"notebook.dat"));
}

TEST(NotebookStoreLoad, AnOriginalLeftAsideByAnInterruptedSaveIsRecovered) {
    TempFolder folder;
    const std::wstring other = testing_support::otherProcess();
    folder.write(L"notebook.dat.~vnl" + other + L"-4.old", app::model::encodeNotebook(*notebookOf({L"a", L"b"})));
    folder.write(L"notebook.dat.~vnl" + other + L"-5.tmp", "partial");
    EXPECT_EQ((std::vector<std::wstring>{L"a", L"b"}), titlesIn(folder.file(L"notebook.dat")));
    EXPECT_EQ(std::set<std::wstring>{L"notebook.dat"}, folder.names());
}

TEST(NotebookStoreSave, SavedNotebooksLoadBackAndLaterSavesReplaceThem) {
    TempFolder folder;
    const std::wstring path = folder.file(L"notebook.dat");
    const auto first = notebookOf({L"one", L"two", L"three"});
    first->note(1).setTags(L"x y");
    ASSERT_TRUE(app::model::saveNotebook(*first, path));
    const auto read = app::model::loadNotebook(path);
    EXPECT_EQ((std::vector<std::wstring>{L"one", L"two", L"three"}), titlesOf(*read));
    EXPECT_EQ(L"text of two", read->note(1).text());
    EXPECT_EQ((Note::Tags{L"x", L"y"}), read->note(1).tags());
    EXPECT_EQ(first->note(2).created(), read->note(2).created());
    EXPECT_TRUE(folder.read(L"notebook.dat") == app::model::encodeNotebook(*first));

    ASSERT_TRUE(app::model::saveNotebook(*notebookOf({L"only"}), path));
    EXPECT_EQ(std::vector<std::wstring>{L"only"}, titlesIn(path));
    EXPECT_EQ(std::set<std::wstring>{L"notebook.dat"}, folder.names());
}

// The worker held by a first background save of "blocked.dat", so that the saves queued
// behind it can be arranged before any of them runs.
class NotebookStoreQueue : public testing::Test {
protected:
    void SetUp() override {
        app::model::saveNotebookAsync(*notebookOf({L"x"}), blocked);
        ASSERT_TRUE(fs.waitUntilBlocked());
    }

    void runQueuedSaves() {
        fs.release();
        app::model::waitForBackgroundSaves();
    }

    TempFolder folder;
    const std::wstring blocked = folder.file(L"blocked.dat");
    const std::wstring path = folder.file(L"notebook.dat");
    BlockingFileSystem fs{blocked};
    ScopedFileSystem scope{fs};
    DrainSaves drain{fs};
};

TEST_F(NotebookStoreQueue, BackgroundSavesWriteASnapshotTakenWhenQueued) {
    const auto notebook = notebookOf({L"a"});
    app::model::saveNotebookAsync(*notebook, path);
    notebook->addNote(Note(L"later", L"", L"later", Note::now()));
    const int idBefore = notebook->note(0).id();

    runQueuedSaves();
    EXPECT_EQ(std::vector<std::wstring>{L"a"}, titlesIn(path));
    EXPECT_EQ(std::vector<std::wstring>{L"x"}, titlesIn(blocked));
    EXPECT_EQ(idBefore, notebook->note(0).id());  // the live notebook is not touched
    EXPECT_EQ(2, notebook->count());
}

TEST_F(NotebookStoreQueue, AQueuedBackgroundSaveIsReplacedByANewerOneOfTheSameFile) {
    const std::wstring other = folder.file(L"other.dat");
    app::model::saveNotebookAsync(*notebookOf({L"first"}), path);
    app::model::saveNotebookAsync(*notebookOf({L"other"}), other);
    app::model::saveNotebookAsync(*notebookOf({L"second"}), path);

    runQueuedSaves();
    EXPECT_EQ(1, fs.savesOf(path));
    EXPECT_EQ(std::vector<std::wstring>{L"second"}, titlesIn(path));
    EXPECT_EQ(std::vector<std::wstring>{L"other"}, titlesIn(other));
    // The replacement kept the first one's place, ahead of the other file.
    const auto events = fs.events();
    ASSERT_EQ(3u, events.size());
    EXPECT_EQ(L"done " + path, events[1]);
    EXPECT_EQ(L"done " + other, events[2]);
}

TEST_F(NotebookStoreQueue, TheExitSaveDropsAQueuedBackgroundSaveOfTheSameFile) {
    app::model::saveNotebookAsync(*notebookOf({L"A"}), path);
    EXPECT_TRUE(app::model::saveNotebook(*notebookOf({L"B"}), path));

    runQueuedSaves();
    EXPECT_EQ(1, fs.savesOf(path));
    EXPECT_EQ(std::vector<std::wstring>{L"B"}, titlesIn(path));
}

TEST(NotebookStoreSave, TheExitSaveWaitsForARunningBackgroundSaveOfTheSameFile) {
    TempFolder folder;
    const std::wstring path = folder.file(L"notebook.dat");
    BlockingFileSystem fs(path);
    ScopedFileSystem scope(fs);
    DrainSaves drain{fs};

    app::model::saveNotebookAsync(*notebookOf({L"A"}), path);
    ASSERT_TRUE(fs.waitUntilBlocked());
    const auto exitNotebook = notebookOf({L"B"});
    auto exitSave = std::async(std::launch::async, [&] { return app::model::saveNotebook(*exitNotebook, path); });
    // Give an exit save that does not wait the chance to run ahead of the background one.
    (void)exitSave.wait_for(std::chrono::milliseconds(100));
    fs.release();
    ASSERT_EQ(std::future_status::ready, exitSave.wait_for(patience));
    EXPECT_TRUE(exitSave.get());
    app::model::waitForBackgroundSaves();

    EXPECT_EQ(2, fs.savesOf(path));
    EXPECT_EQ(std::vector<std::wstring>{L"B"}, titlesIn(path));
}

TEST(NotebookStoreBackup, BackupsWriteTheBackupFileAndRepeatEveryTenMinutes) {
    TempFolder folder;
    const std::wstring backup = folder.file(L"backup");
    const std::filesystem::path backupFile = folder.path() / L"backup" / L"notebook-backup.dat";
    ManualOneShot scheduler;
    auto notebook = notebookOf({L"one"});

    app::model::backupNotebook(notebook, backup, scheduler);
    app::model::waitForBackgroundSaves();
    ASSERT_TRUE(std::filesystem::is_directory(folder.path() / L"backup"));
    EXPECT_EQ(std::vector<std::wstring>{L"one"}, titlesIn(backup + L"\\notebook-backup.dat"));
    EXPECT_EQ(std::vector<int>{600000}, scheduler.delays);

    // The scheduled run finds the folder there and writes the notebook as it is then.
    notebook->addNote(Note(L"two", L"", L"two", Note::now()));
    scheduler.fire();
    app::model::waitForBackgroundSaves();
    EXPECT_EQ((std::vector<std::wstring>{L"one", L"two"}), titlesIn(backup + L"\\notebook-backup.dat"));
    EXPECT_EQ((std::vector<int>{600000, 600000}), scheduler.delays);
    EXPECT_TRUE(scheduler.pending);

    // Once the notebook is gone the scheduled run does nothing.
    notebook.reset();
    std::filesystem::remove(backupFile);
    scheduler.fire();
    app::model::waitForBackgroundSaves();
    EXPECT_FALSE(std::filesystem::exists(backupFile));
    EXPECT_EQ(2u, scheduler.delays.size());
}

TEST(NotebookStoreBackup, ABackupFolderThatCannotBeMadeSkipsTheWriteButKeepsTheSchedule) {
    TempFolder folder;
    const std::wstring backup = folder.file(L"missing") + L"\\backup";
    ManualOneShot scheduler;
    const auto notebook = notebookOf({L"one"});

    // The failure reaches the listener on the saving thread, without anybody asking.
    std::vector<app::model::SaveFailure> told;
    std::thread::id toldOn;
    app::model::setSaveFailureListener([&](const app::model::SaveFailure& failure) {
        told.push_back(failure);
        toldOn = std::this_thread::get_id();
    });
    EXPECT_NO_THROW(app::model::backupNotebook(notebook, backup, scheduler));
    app::model::waitForBackgroundSaves();
    app::model::setSaveFailureListener(nullptr);
    EXPECT_TRUE(folder.names().empty());
    EXPECT_EQ(std::vector<int>{600000}, scheduler.delays);
    const auto failure = app::model::lastSaveFailure();
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(backup + L"\\notebook-backup.dat", failure->path);
    ASSERT_EQ(1u, told.size());
    EXPECT_EQ(failure->path, told[0].path);
    EXPECT_EQ(failure->message, told[0].message);
    EXPECT_NE(std::this_thread::get_id(), toldOn);
}
