#include "Baselines.hpp"

#include "sys/platform/Platform.hpp"

#include <windows.h>

#include <stdexcept>

namespace bench {

namespace {

[[noreturn]] void failWith(const std::string& what, const std::filesystem::path& path) {
    const DWORD code = GetLastError();
    throw std::runtime_error(what + " " + sys::platform::narrow(path.wstring()) + ": "
                             + sys::platform::systemErrorText(code));
}

// Owns a file handle; closing it is checked by the writer, so here it only tidies up.
class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() {
        if (h_ != INVALID_HANDLE_VALUE) {
            CloseHandle(h_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return h_; }
    bool close() {
        const BOOL closed = CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        return closed != 0;
    }

private:
    HANDLE h_;
};

double counterSeconds() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / frequency;
}

}  // namespace

double now() {
    return counterSeconds();
}

void writeDurably(const std::filesystem::path& target, const std::string& bytes) {
    const std::wstring temporary = target.wstring() + L".tmp";
    Handle file(
        CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        failWith("cannot create", temporary);
    }
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {  // one call, unless the system takes less than everything
        const DWORD chunk = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!WriteFile(file.get(), p, chunk, &written, nullptr) || written == 0) {
            failWith("cannot write", temporary);
        }
        p += written;
        left -= written;
    }
    if (!FlushFileBuffers(file.get())) {
        failWith("cannot flush", temporary);
    }
    if (!file.close()) {
        failWith("cannot close", temporary);
    }
    if (!MoveFileExW(temporary.c_str(), target.wstring().c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        failWith("cannot rename to", target);
    }
}

std::string readBytes(const std::filesystem::path& path) {
    Handle file(CreateFileW(path.wstring().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        failWith("cannot open", path);
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size)) {
        failWith("cannot get the size of", path);
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t left = bytes.size() - done;
        const DWORD chunk = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
        DWORD read = 0;
        if (!ReadFile(file.get(), &bytes[done], chunk, &read, nullptr) || read == 0) {
            failWith("cannot read", path);
        }
        done += read;
    }
    return bytes;
}

}  // namespace bench
