#include "app/model/NotebookStore.hpp"

#include "app/model/Notebook.hpp"
#include "app/model/NotebookCodec.hpp"
#include "err/ErrorReport.hpp"
#include "err/Exceptions.hpp"
#include "sys/platform/AtomicFile.hpp"
#include "sys/platform/Platform.hpp"
#include "sys/threading/Worker.hpp"
#include "sys/timers/OneShot.hpp"

#include <mutex>
#include <vector>

namespace app::model {

namespace {

constexpr int backupInterval = 600000;  // ten minutes

struct FailureRecord {
    std::mutex lock;
    std::optional<SaveFailure> last;
    std::shared_ptr<const SaveFailureListener> listener;
};

FailureRecord& failures() {
    static FailureRecord record;
    return record;
}

sys::threading::Worker& savingWorker() {
    // The record jobs write to is built first, so that it outlives the worker, whose
    // destruction at exit may still finish a running save.
    failures();
    static sys::threading::Worker worker;
    return worker;
}

void recordResult(const std::wstring& path, const std::string* failure) {
    FailureRecord& record = failures();
    std::shared_ptr<const SaveFailureListener> listener;
    {
        std::lock_guard<std::mutex> guard(record.lock);
        if (failure) {
            record.last = SaveFailure{path, *failure};
            listener = record.listener;
        } else if (record.last && record.last->path == path) {
            record.last.reset();
        }
    }
    // Outside the lock: the listener may ask lastSaveFailure() itself. Saves never throw,
    // so a listener's own failure is reported here.
    if (listener) {
        try {
            (*listener)(SaveFailure{path, *failure});
        } catch (...) {
            err::reportCurrentException("app::model::saveNotebook");
        }
    }
}

// The write itself, on whichever thread runs it. Never throws.
bool writeNotebookFile(const Notebook& notebook, const std::wstring& path) {
    try {
        sys::platform::AtomicFile file(path);
        writeNotebook(notebook, [&file](const char* data, std::size_t size) { file.write(data, size); });
        file.commit();
        recordResult(path, nullptr);
        return true;
    } catch (const std::exception& e) {
        const std::string message = e.what();
        recordResult(path, &message);
    } catch (...) {
        const std::string message = "Unknown exception";
        recordResult(path, &message);
    }
    return false;
}

}  // namespace

std::wstring notebookPath() {
    return sys::platform::programFolder() + L"\\notebook.dat";
}

std::wstring backupFolder() {
    return sys::platform::programFolder() + L"\\backup";
}

std::shared_ptr<Notebook> loadNotebook(const std::wstring& path) {
    sys::platform::FileSystem& fs = sys::platform::fileSystem();
    sys::platform::AtomicFile::removeStaleTemporaries(path, fs);
    std::vector<unsigned char> bytes;
    const auto error = sys::platform::retryWhileBusy(fs, [&] { return fs.readAll(path, bytes); });
    if (fs.classify(error) == sys::platform::FileSystem::ErrorKind::NotFound) {
        return std::make_shared<Notebook>();
    }
    if (error) {
        throw err::IOException("Cannot read file\n" + sys::platform::narrow(path) + "\n"
                               + err::describeSystemError(error));
    }
    return readNotebook(bytes.data(), bytes.size());
}

bool saveNotebook(const Notebook& notebook, const std::wstring& path) {
    savingWorker().cancel(path);
    return writeNotebookFile(notebook, path);
}

void saveNotebookAsync(const Notebook& notebook, const std::wstring& path) {
    std::shared_ptr<const Notebook> copy = notebook.snapshot();
    savingWorker().post(path, [copy, path] { writeNotebookFile(*copy, path); });
}

void backupNotebook(const std::shared_ptr<Notebook>& notebook, const std::wstring& folder,
                    sys::timers::OneShot& scheduler) {
    sys::platform::fileSystem().createFolder(folder);  // usually there already
    const std::wstring path = folder + L"\\notebook-backup.dat";
    sys::platform::AtomicFile::removeStaleTemporaries(path);
    saveNotebookAsync(*notebook, path);
    std::weak_ptr<Notebook> weak = notebook;
    scheduler.callLater(backupInterval, [weak, folder, &scheduler] {
        if (const std::shared_ptr<Notebook> live = weak.lock()) {
            backupNotebook(live, folder, scheduler);
        }
    });
}

void setSaveFailureListener(SaveFailureListener listener) {
    auto replacement = listener ? std::make_shared<const SaveFailureListener>(std::move(listener)) : nullptr;
    FailureRecord& record = failures();
    std::lock_guard<std::mutex> guard(record.lock);
    record.listener.swap(replacement);
}

std::optional<SaveFailure> lastSaveFailure() {
    FailureRecord& record = failures();
    std::lock_guard<std::mutex> guard(record.lock);
    return record.last;
}

void waitForBackgroundSaves() {
    savingWorker().waitIdle();
}

}  // namespace app::model
