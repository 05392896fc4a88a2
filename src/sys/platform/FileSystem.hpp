#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sys::platform {

// The file operations behind whole-file reads and atomic saves. Every save goes through
// the current instance, so tests can put one in front that fails any single step.
class FileSystem {
public:
    using Handle = std::intptr_t;
    using Error = unsigned long;  // 0 = success, else the system's error code

    enum class ErrorKind {
        None,
        NotFound,          // the file or its folder does not exist
        Transient,         // held by another program for a moment: worth retrying
        OriginalAtBackup,  // a replace moved the original to the backup name and stopped
        Other
    };

    virtual ~FileSystem() = default;

    // Creates a new file for writing; fails when the path exists.
    virtual Error createNew(const std::wstring& path, Handle& handle) = 0;
    // Writes all the bytes or fails.
    virtual Error write(Handle handle, const void* data, std::size_t size) = 0;
    // Makes the written bytes durable.
    virtual Error flush(Handle handle) = 0;
    virtual Error close(Handle handle) = 0;
    // Puts source in place of an existing target, the target's old content first moved
    // to backup; keeps the target's metadata where the system can.
    virtual Error replace(const std::wstring& source, const std::wstring& target, const std::wstring& backup) = 0;
    // Renames source to target, replacing it, durably.
    virtual Error move(const std::wstring& source, const std::wstring& target) = 0;
    virtual Error remove(const std::wstring& path) = 0;
    virtual Error createFolder(const std::wstring& path) = 0;
    virtual bool exists(const std::wstring& path) = 0;
    // Names (not paths) of the files in a folder.
    virtual std::vector<std::wstring> list(const std::wstring& folder) = 0;
    virtual Error readAll(const std::wstring& path, std::vector<unsigned char>& bytes) = 0;
    virtual ErrorKind classify(Error error) const = 0;
    virtual void pause(unsigned milliseconds) = 0;
};

// The real file system of this platform.
FileSystem& systemFileSystem();

// The instance every file operation of the program goes through.
FileSystem& fileSystem();

// Puts another file system in front for its lifetime (tests).
class ScopedFileSystem {
public:
    explicit ScopedFileSystem(FileSystem& replacement);
    ~ScopedFileSystem();
    ScopedFileSystem(const ScopedFileSystem&) = delete;
    ScopedFileSystem& operator=(const ScopedFileSystem&) = delete;

private:
    FileSystem* previous_;
};

// Path helpers shared by the platforms. Paths use backslashes as written by the program.
std::wstring folderOf(const std::wstring& path);
std::wstring fileNameOf(const std::wstring& path);

// The folder of the executable, without a trailing backslash; all program files live there.
const std::wstring& programFolder();

}  // namespace sys::platform
