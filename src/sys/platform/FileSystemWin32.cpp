#include "sys/platform/FileSystem.hpp"
#include "sys/platform/Platform.hpp"

#include <windows.h>

namespace sys::platform {

namespace {

HANDLE toHandle(FileSystem::Handle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

FileSystem::Error lastError() {
    const DWORD error = GetLastError();
    return error ? error : ERROR_GEN_FAILURE;
}

class Win32FileSystem final : public FileSystem {
public:
    Error createNew(const std::wstring& path, Handle& handle) override {
        const HANDLE h =
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            return lastError();
        }
        handle = reinterpret_cast<Handle>(h);
        return 0;
    }

    Error write(Handle handle, const void* data, std::size_t size) override {
        const auto* bytes = static_cast<const char*>(data);
        while (size > 0) {
            const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
            DWORD written = 0;
            if (!WriteFile(toHandle(handle), bytes, chunk, &written, nullptr)) {
                return lastError();
            }
            if (written == 0) {
                return ERROR_DISK_FULL;
            }
            bytes += written;
            size -= written;
        }
        return 0;
    }

    Error flush(Handle handle) override { return FlushFileBuffers(toHandle(handle)) ? 0 : lastError(); }

    Error close(Handle handle) override { return CloseHandle(toHandle(handle)) ? 0 : lastError(); }

    Error replace(const std::wstring& source, const std::wstring& target, const std::wstring& backup) override {
        if (ReplaceFileW(target.c_str(), source.c_str(), backup.empty() ? nullptr : backup.c_str(),
                         REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
            return 0;
        }
        return lastError();
    }

    Error move(const std::wstring& source, const std::wstring& target) override {
        return MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                   ? 0
                   : lastError();
    }

    Error remove(const std::wstring& path) override { return DeleteFileW(path.c_str()) ? 0 : lastError(); }

    Error createFolder(const std::wstring& path) override {
        return CreateDirectoryW(path.c_str(), nullptr) ? 0 : lastError();
    }

    bool exists(const std::wstring& path) override {
        return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    std::vector<std::wstring> list(const std::wstring& folder) override {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW data;
        const std::wstring pattern = (folder.empty() ? std::wstring(L".") : folder) + L"\\*";
        const HANDLE find = FindFirstFileW(pattern.c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) {
            return names;
        }
        do {
            const std::wstring name = data.cFileName;
            if (name != L"." && name != L"..") {
                names.push_back(name);
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
        return names;
    }

    Error readAll(const std::wstring& path, std::vector<unsigned char>& bytes) override {
        const HANDLE h =
            CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            return lastError();
        }
        bytes.clear();
        Error error = 0;
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(h, &size)) {
            error = lastError();
        } else if (static_cast<unsigned long long>(size.QuadPart) > bytes.max_size()) {
            error = ERROR_NOT_ENOUGH_MEMORY;
        } else {
            bytes.resize(static_cast<std::size_t>(size.QuadPart));
            std::size_t done = 0;
            while (done < bytes.size()) {
                const std::size_t left = bytes.size() - done;
                const DWORD chunk = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
                DWORD read = 0;
                if (!ReadFile(h, bytes.data() + done, chunk, &read, nullptr)) {
                    error = lastError();
                    break;
                }
                if (read == 0) {
                    bytes.resize(done);  // the file shrank while being read
                    break;
                }
                done += read;
            }
        }
        CloseHandle(h);
        return error;
    }

    ErrorKind classify(Error error) const override {
        switch (error) {
        case 0:
            return ErrorKind::None;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return ErrorKind::NotFound;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_ACCESS_DENIED:
        case ERROR_UNABLE_TO_REMOVE_REPLACED:
        case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
            return ErrorKind::Transient;
        case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:
            return ErrorKind::OriginalAtBackup;
        default:
            return ErrorKind::Other;
        }
    }

    void pause(unsigned milliseconds) override { Sleep(milliseconds); }
};

}  // namespace

FileSystem& systemFileSystem() {
    static Win32FileSystem instance;
    return instance;
}

}  // namespace sys::platform
