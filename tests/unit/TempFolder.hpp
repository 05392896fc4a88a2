#pragma once

// Helpers for tests that touch real files: a private temporary folder, and a file system
// that forwards every call to the real one, for decorators to override single steps.

#include "sys/platform/FileSystem.hpp"
#include "sys/platform/Platform.hpp"

#include <atomic>
#include <chrono>
#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <set>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

namespace testing_support {

class TempFolder {
public:
    TempFolder() {
        static std::atomic<unsigned> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        for (;;) {
            path_ = base / ("varnel-unit-" + std::to_string(stamp) + "-" + std::to_string(counter++));
            if (std::filesystem::create_directory(path_))
                break;
        }
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder as the program spells paths, and a file in it joined the program's way.
    std::wstring folder() const { return path_.wstring(); }
    std::wstring file(const std::wstring& name) const { return folder() + L"\\" + name; }

    bool exists(const std::wstring& name) const { return std::filesystem::exists(path_ / name); }

    std::string read(const std::wstring& name) const {
        std::ifstream in(path_ / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    void write(const std::wstring& name, const std::string& bytes) const {
        std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    std::set<std::wstring> names() const {
        std::set<std::wstring> result;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            result.insert(entry.path().filename().wstring());
        return result;
    }

private:
    std::filesystem::path path_;
};

// Forwards everything to the real file system of the platform.
class ForwardingFileSystem : public sys::platform::FileSystem {
public:
    Error createNew(const std::wstring& path, Handle& handle) override { return real().createNew(path, handle); }
    Error write(Handle handle, const void* data, std::size_t size) override {
        return real().write(handle, data, size);
    }
    Error flush(Handle handle) override { return real().flush(handle); }
    Error close(Handle handle) override { return real().close(handle); }
    Error replace(const std::wstring& source, const std::wstring& target, const std::wstring& backup) override {
        return real().replace(source, target, backup);
    }
    Error move(const std::wstring& source, const std::wstring& target) override { return real().move(source, target); }
    Error remove(const std::wstring& path) override { return real().remove(path); }
    Error createFolder(const std::wstring& path) override { return real().createFolder(path); }
    bool exists(const std::wstring& path) override { return real().exists(path); }
    std::vector<std::wstring> list(const std::wstring& folder) override { return real().list(folder); }
    Error readAll(const std::wstring& path, std::vector<unsigned char>& bytes) override {
        return real().readAll(path, bytes);
    }
    ErrorKind classify(Error error) const override { return real().classify(error); }
    void pause(unsigned milliseconds) override { real().pause(milliseconds); }

protected:
    static sys::platform::FileSystem& real() { return sys::platform::systemFileSystem(); }
};

enum class Op { CreateNew, Write, Flush, Close, Replace, Move, ReadAll };

inline const char* nameOf(Op op) {
    switch (op) {
    case Op::CreateNew: return "createNew";
    case Op::Write: return "write";
    case Op::Flush: return "flush";
    case Op::Close: return "close";
    case Op::Replace: return "replace";
    case Op::Move: return "move";
    case Op::ReadAll: return "readAll";
    }
    return "?";
}

// Error codes this file system gives out and classifies itself.
inline constexpr sys::platform::FileSystem::Error transientError = 0x20000001;
inline constexpr sys::platform::FileSystem::Error hardError = 0x20000002;
inline constexpr sys::platform::FileSystem::Error originalAtBackupError = 0x20000003;

// Fails chosen calls of one operation and counts every call. A failed close still closes
// (the system releases the handle either way); a replace failing with the "original at
// backup" code really moves the original aside first, as the system's replace does.
// pause() does not sleep.
class FaultyFileSystem : public ForwardingFileSystem {
    using FileSystem = sys::platform::FileSystem;

public:
    // Calls first .. first + times - 1 of op fail with error.
    void fail(Op op, int first, sys::platform::FileSystem::Error error, int times = 1) {
        std::lock_guard<std::mutex> guard(lock_);
        faultOp_ = op;
        faultFirst_ = first;
        faultTimes_ = times;
        faultError_ = error;
    }
    FaultyFileSystem() = default;
    // Every call of op fails with error.
    FaultyFileSystem(Op op, sys::platform::FileSystem::Error error) { fail(op, 1, error, INT_MAX); }
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
    Error readAll(const std::wstring& path, std::vector<unsigned char>& bytes) override {
        if (const Error e = inject(Op::ReadAll))
            return e;
        return real().readAll(path, bytes);
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


inline std::wstring hex(std::uint32_t value) {
    std::wostringstream out;
    out << std::hex << value;
    return out.str();
}

// The process-id part of a temporary file name left by another run.
inline std::wstring otherProcess() {
    return hex(sys::platform::currentProcessId() + 1);
}

// UTF-16LE bytes of ASCII text, built independently of the program's codec.
inline std::string utf16(const std::string& ascii) {
    std::string bytes;
    for (char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

}  // namespace testing_support
