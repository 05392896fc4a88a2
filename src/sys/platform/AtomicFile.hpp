#pragma once

#include "sys/platform/FileSystem.hpp"

#include <functional>
#include <string>
#include <vector>

namespace sys::platform {

// Writes a whole file so that the target always holds either its complete old content
// or the complete new one. The bytes go to a uniquely named temporary file in the same
// folder, are flushed to disk and then swapped in. A writer dropped before commit()
// removes its temporary file and leaves the target untouched. Failures throw
// err::IOException.
class AtomicFile {
public:
    explicit AtomicFile(std::wstring target, FileSystem& fs = fileSystem());
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(const void* data, std::size_t size);
    void commit();

    // Removes what interrupted saves of target left in its folder. An original that a
    // replace moved aside just before a crash is put back when the target is missing.
    static void removeStaleTemporaries(const std::wstring& target, FileSystem& fs = fileSystem());

private:
    void flushBuffer();
    void discard() noexcept;
    [[noreturn]] void fail(const char* what, FileSystem::Error error);

    std::wstring target_;
    std::wstring temporary_;
    FileSystem& fs_;
    FileSystem::Handle handle_ = 0;
    bool open_ = false;
    std::vector<char> buffer_;
};

// Runs a file operation, retrying for about two seconds while another program holds the
// file (virus scanners, indexers, sync tools). Returns the last error.
FileSystem::Error retryWhileBusy(FileSystem& fs, const std::function<FileSystem::Error()>& operation);

}  // namespace sys::platform
