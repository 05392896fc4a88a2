#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace sys::timers {
class OneShot;
}

namespace app::model {

class Notebook;

// The program folder's "notebook.dat" and "backup" folder.
std::wstring notebookPath();
std::wstring backupFolder();

// Reads a notebook file. A missing file gives an empty notebook; a file that exists but
// cannot be read (locked, no permission) raises err::IOException, because starting empty
// would let the first save overwrite the user's notes. A damaged file raises
// ArchiveException or the date library's range errors. Leftovers of interrupted saves of
// this file are cleaned up first.
std::shared_ptr<Notebook> loadNotebook(const std::wstring& path);

// Writes the notebook now, on this thread, atomically: the file on disk is always the
// complete old or the complete new notebook. A background write of the same file never
// overlaps it: queued ones are dropped and a running one is waited for. Returns whether
// the file was written; on failure the reason is kept for lastSaveFailure().
bool saveNotebook(const Notebook& notebook, const std::wstring& path);

// Copies the notes and queues one write of the copy on the saving worker. A write of the
// same file still waiting in the queue is replaced by this newer one.
void saveNotebookAsync(const Notebook& notebook, const std::wstring& path);

// Creates the backup folder if needed, queues a write of the backup file and schedules
// the next backup ten minutes later, for as long as the notebook lives.
void backupNotebook(const std::shared_ptr<Notebook>& notebook, const std::wstring& folder,
                    sys::timers::OneShot& scheduler);

struct SaveFailure {
    std::wstring path;
    std::string message;
};

// The last save that failed, unless a later save of the same file succeeded.
std::optional<SaveFailure> lastSaveFailure();

// Told of every failed save as it happens, on the thread that ran the save (the saving
// worker for background saves and backups): the window layer posts it on to its own thread
// instead of asking lastSaveFailure() from time to time. An empty function removes it.
using SaveFailureListener = std::function<void(const SaveFailure&)>;
void setSaveFailureListener(SaveFailureListener listener);

// Waits until every queued background write has run.
void waitForBackgroundSaves();

}  // namespace app::model
