#pragma once

// Helpers for tests that touch real files: a private temporary folder, and a file system
// that forwards every call to the real one, for decorators to override single steps.

#include "sys/platform/FileSystem.hpp"

#include <climits>
#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace testing_support {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder as the program spells paths, and a file in it joined the program's way.
    std::wstring folder() const { return path_.wstring(); }
    std::wstring file(const std::wstring& name) const { return folder() + L"\\" + name; }

    bool exists(const std::wstring& name) const;
    std::string read(const std::wstring& name) const;
    void write(const std::wstring& name, const std::string& bytes) const;
    std::set<std::wstring> names() const;

private:
    std::filesystem::path path_;
};

enum class Op { CreateNew, Write, Flush, Close, Replace, Move, ReadAll };

const char* nameOf(Op op);

// Forwards everything to the real file system of the platform. Calls of the operations
// above except replace first ask before() whether they are to fail instead.
class ForwardingFileSystem : public sys::platform::FileSystem {
public:
    Error createNew(const std::wstring& path, Handle& handle) override;
    Error write(Handle handle, const void* data, std::size_t size) override;
    Error flush(Handle handle) override;
    Error close(Handle handle) override;
    Error replace(const std::wstring& source, const std::wstring& target, const std::wstring& backup) override;
    Error move(const std::wstring& source, const std::wstring& target) override;
    Error remove(const std::wstring& path) override;
    Error createFolder(const std::wstring& path) override;
    bool exists(const std::wstring& path) override;
    std::vector<std::wstring> list(const std::wstring& folder) override;
    Error readAll(const std::wstring& path, std::vector<unsigned char>& bytes) override;
    ErrorKind classify(Error error) const override;
    void pause(unsigned milliseconds) override;

protected:
    static sys::platform::FileSystem& real();
    // The error a call is to fail with, or 0 to forward it.
    virtual Error before(Op) { return 0; }
};

// Error codes this file system gives out and classifies itself.
inline constexpr sys::platform::FileSystem::Error transientError = 0x20000001;
inline constexpr sys::platform::FileSystem::Error hardError = 0x20000002;
inline constexpr sys::platform::FileSystem::Error originalAtBackupError = 0x20000003;

// Fails chosen calls of one operation and counts every call.
class FaultyFileSystem : public ForwardingFileSystem {
public:
    FaultyFileSystem() = default;
    // Every call of op fails with error.
    FaultyFileSystem(Op op, Error error);

    // Calls first .. first + times - 1 of op fail with error.
    void fail(Op op, int first, Error error, int times = 1);
    void heal() { fail(Op::CreateNew, 0, 0, 0); }

    int calls(Op op) const;
    int pauses() const;

    Error replace(const std::wstring& source, const std::wstring& target, const std::wstring& backup) override;
    ErrorKind classify(Error error) const override;
    void pause(unsigned milliseconds) override;

protected:
    Error before(Op op) override;

private:
    mutable std::mutex lock_;
    std::map<Op, int> calls_;
    int pauses_ = 0;
    Op faultOp_ = Op::CreateNew;
    int faultFirst_ = 0;
    int faultTimes_ = 0;
    Error faultError_ = 0;
};

std::wstring hex(std::uint32_t value);
// The process-id part of a temporary file name left by another run.
std::wstring otherProcess();
// UTF-16LE bytes of ASCII text, built independently of the program's codec.
std::string utf16(const std::string& ascii);

}  // namespace testing_support
