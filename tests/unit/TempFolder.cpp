#include "TempFolder.hpp"

#include "sys/platform/Platform.hpp"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

namespace testing_support {

TempFolder::TempFolder() {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (;;) {
        path_ = base / ("varnel-unit-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        if (std::filesystem::create_directory(path_)) {
            break;
        }
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

bool TempFolder::exists(const std::wstring& name) const {
    return std::filesystem::exists(path_ / name);
}

std::string TempFolder::read(const std::wstring& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void TempFolder::write(const std::wstring& name, const std::string& bytes) const {
    std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::set<std::wstring> TempFolder::names() const {
    std::set<std::wstring> result;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
        result.insert(entry.path().filename().wstring());
    }
    return result;
}

using Error = sys::platform::FileSystem::Error;
using Handle = sys::platform::FileSystem::Handle;
using ErrorKind = sys::platform::FileSystem::ErrorKind;

sys::platform::FileSystem& ForwardingFileSystem::real() {
    return sys::platform::systemFileSystem();
}

Error ForwardingFileSystem::createNew(const std::wstring& path, Handle& handle) {
    if (const Error e = before(Op::CreateNew)) {
        return e;
    }
    return real().createNew(path, handle);
}

Error ForwardingFileSystem::write(Handle handle, const void* data, std::size_t size) {
    if (const Error e = before(Op::Write)) {
        return e;
    }
    return real().write(handle, data, size);
}

Error ForwardingFileSystem::flush(Handle handle) {
    if (const Error e = before(Op::Flush)) {
        return e;
    }
    return real().flush(handle);
}

// A failed close still closes: the system releases the handle either way.
Error ForwardingFileSystem::close(Handle handle) {
    const Error e = before(Op::Close);
    const Error closed = real().close(handle);
    return e ? e : closed;
}

Error ForwardingFileSystem::replace(const std::wstring& source, const std::wstring& target,
                                    const std::wstring& backup) {
    return real().replace(source, target, backup);
}

Error ForwardingFileSystem::move(const std::wstring& source, const std::wstring& target) {
    if (const Error e = before(Op::Move)) {
        return e;
    }
    return real().move(source, target);
}

Error ForwardingFileSystem::remove(const std::wstring& path) {
    return real().remove(path);
}

Error ForwardingFileSystem::createFolder(const std::wstring& path) {
    return real().createFolder(path);
}

bool ForwardingFileSystem::exists(const std::wstring& path) {
    return real().exists(path);
}

std::vector<std::wstring> ForwardingFileSystem::list(const std::wstring& folder) {
    return real().list(folder);
}

Error ForwardingFileSystem::readAll(const std::wstring& path, std::vector<unsigned char>& bytes) {
    if (const Error e = before(Op::ReadAll)) {
        return e;
    }
    return real().readAll(path, bytes);
}

ErrorKind ForwardingFileSystem::classify(Error error) const {
    return real().classify(error);
}

void ForwardingFileSystem::pause(unsigned milliseconds) {
    real().pause(milliseconds);
}

const char* nameOf(Op op) {
    switch (op) {
    case Op::CreateNew:
        return "createNew";
    case Op::Write:
        return "write";
    case Op::Flush:
        return "flush";
    case Op::Close:
        return "close";
    case Op::Replace:
        return "replace";
    case Op::Move:
        return "move";
    case Op::ReadAll:
        return "readAll";
    }
    return "?";
}

FaultyFileSystem::FaultyFileSystem(Op op, Error error) {
    fail(op, 1, error, INT_MAX);
}

void FaultyFileSystem::fail(Op op, int first, Error error, int times) {
    std::lock_guard<std::mutex> guard(lock_);
    faultOp_ = op;
    faultFirst_ = first;
    faultTimes_ = times;
    faultError_ = error;
}

int FaultyFileSystem::calls(Op op) const {
    std::lock_guard<std::mutex> guard(lock_);
    const auto it = calls_.find(op);
    return it == calls_.end() ? 0 : it->second;
}

int FaultyFileSystem::pauses() const {
    std::lock_guard<std::mutex> guard(lock_);
    return pauses_;
}

Error FaultyFileSystem::before(Op op) {
    std::lock_guard<std::mutex> guard(lock_);
    const int n = ++calls_[op];
    if (op == faultOp_ && n >= faultFirst_ && n - faultFirst_ < faultTimes_) {
        return faultError_;
    }
    return 0;
}

// A replace failing with the "original at backup" code really moves the original aside
// first, as the system's replace does.
Error FaultyFileSystem::replace(const std::wstring& source, const std::wstring& target, const std::wstring& backup) {
    if (const Error e = before(Op::Replace)) {
        if (e == originalAtBackupError && real().move(target, backup) != 0) {
            return hardError;
        }
        return e;
    }
    return real().replace(source, target, backup);
}

ErrorKind FaultyFileSystem::classify(Error error) const {
    switch (error) {
    case transientError:
        return ErrorKind::Transient;
    case hardError:
        return ErrorKind::Other;
    case originalAtBackupError:
        return ErrorKind::OriginalAtBackup;
    default:
        return real().classify(error);
    }
}

// Counts instead of sleeping.
void FaultyFileSystem::pause(unsigned) {
    std::lock_guard<std::mutex> guard(lock_);
    ++pauses_;
}

std::wstring hex(std::uint32_t value) {
    std::wostringstream out;
    out << std::hex << value;
    return out.str();
}

std::wstring otherProcess() {
    return hex(sys::platform::currentProcessId() + 1);
}

std::string utf16(const std::string& ascii) {
    std::string bytes;
    for (char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

}  // namespace testing_support
