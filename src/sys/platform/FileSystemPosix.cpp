#include "sys/platform/FileSystem.hpp"
#include "sys/platform/Platform.hpp"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace sys::platform {

namespace {

// The program writes Windows paths; here a backslash is a folder separator too.
std::string nativePath(const std::wstring& path) {
    std::string p = narrow(path);
    std::replace(p.begin(), p.end(), '\\', '/');
    return p;
}

FileSystem::Error lastError() {
    return static_cast<FileSystem::Error>(errno ? errno : EIO);
}

void syncFolderOf(const std::string& path) {
    const std::size_t at = path.find_last_of('/');
    const std::string folder = at == std::string::npos ? "." : (at == 0 ? "/" : path.substr(0, at));
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

class PosixFileSystem final : public FileSystem {
public:
    Error createNew(const std::wstring& path, Handle& handle) override {
        const int fd = ::open(nativePath(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) {
            return lastError();
        }
        handle = fd;
        return 0;
    }

    Error write(Handle handle, const void* data, std::size_t size) override {
        const auto* bytes = static_cast<const char*>(data);
        while (size > 0) {
            const ssize_t n = ::write(static_cast<int>(handle), bytes, size);
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return lastError();
            }
            if (n == 0) {
                return ENOSPC;
            }
            bytes += n;
            size -= static_cast<std::size_t>(n);
        }
        return 0;
    }

    Error flush(Handle handle) override { return ::fsync(static_cast<int>(handle)) == 0 ? 0 : lastError(); }

    Error close(Handle handle) override { return ::close(static_cast<int>(handle)) == 0 ? 0 : lastError(); }

    Error replace(const std::wstring& source, const std::wstring& target, const std::wstring&) override {
        return move(source, target);
    }

    Error move(const std::wstring& source, const std::wstring& target) override {
        const std::string to = nativePath(target);
        if (::rename(nativePath(source).c_str(), to.c_str()) != 0) {
            return lastError();
        }
        syncFolderOf(to);
        return 0;
    }

    Error remove(const std::wstring& path) override {
        return ::unlink(nativePath(path).c_str()) == 0 ? 0 : lastError();
    }

    Error createFolder(const std::wstring& path) override {
        return ::mkdir(nativePath(path).c_str(), 0755) == 0 ? 0 : lastError();
    }

    bool exists(const std::wstring& path) override {
        struct stat st {};
        return ::stat(nativePath(path).c_str(), &st) == 0;
    }

    std::vector<std::wstring> list(const std::wstring& folder) override {
        std::vector<std::wstring> names;
        DIR* dir = ::opendir(nativePath(folder.empty() ? L"." : folder).c_str());
        if (!dir) {
            return names;
        }
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") {
                names.push_back(widen(name));
            }
        }
        ::closedir(dir);
        return names;
    }

    Error readAll(const std::wstring& path, std::vector<unsigned char>& bytes) override {
        const int fd = ::open(nativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            return lastError();
        }
        struct stat st {};
        Error error = ::fstat(fd, &st) == 0 ? 0 : lastError();
        if (!error && S_ISDIR(st.st_mode)) {
            error = EISDIR;
        }
        bytes.clear();
        if (!error) {
            bytes.resize(static_cast<std::size_t>(st.st_size));
            std::size_t done = 0;
            while (done < bytes.size()) {
                const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
                if (n < 0 && errno == EINTR) {
                    continue;
                }
                if (n < 0) {
                    error = lastError();
                    break;
                }
                if (n == 0) {
                    bytes.resize(done);  // the file shrank while being read
                    break;
                }
                done += static_cast<std::size_t>(n);
            }
        }
        ::close(fd);
        return error;
    }

    ErrorKind classify(Error error) const override {
        switch (error) {
        case 0:
            return ErrorKind::None;
        case ENOENT:
        case ENOTDIR:
            return ErrorKind::NotFound;
        case EBUSY:
        case ETXTBSY:
        case EAGAIN:
            return ErrorKind::Transient;
        default:
            return ErrorKind::Other;
        }
    }

    void pause(unsigned milliseconds) override { sleepMilliseconds(milliseconds); }
};

}  // namespace

FileSystem& systemFileSystem() {
    static PosixFileSystem instance;
    return instance;
}

}  // namespace sys::platform
