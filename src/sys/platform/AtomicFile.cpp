#include "sys/platform/AtomicFile.hpp"

#include "err/Exceptions.hpp"
#include "sys/platform/Platform.hpp"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <cwchar>

namespace sys::platform {

namespace {

constexpr std::size_t bufferSize = 1 << 20;
constexpr const wchar_t* temporaryMark = L".~vnl";
constexpr const wchar_t* temporaryEnd = L".tmp";
constexpr const wchar_t* originalEnd = L".old";

std::wstring hex(std::uint32_t value) {
    wchar_t text[16];
    std::swprintf(text, 16, L"%x", static_cast<unsigned>(value));
    return text;
}

// target + ".~vnl" + process + "-" + counter, unique among this program's writers.
std::wstring uniqueStem(const std::wstring& target) {
    static std::atomic<std::uint32_t> counter{0};
    return target + temporaryMark + hex(currentProcessId()) + L"-" + hex(++counter);
}

bool endsWith(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string describe(const std::wstring& path, const char* what, FileSystem::Error error) {
    return std::string(what) + "\n" + narrow(path) + "\n" + err::describeSystemError(error);
}

}  // namespace

FileSystem::Error retryWhileBusy(FileSystem& fs, const std::function<FileSystem::Error()>& operation) {
    // 10 + 20 + ... + 640 ms, then one last try: about two seconds in all.
    unsigned wait = 10;
    for (;;) {
        const FileSystem::Error error = operation();
        if (fs.classify(error) != FileSystem::ErrorKind::Transient || wait > 640) {
            return error;
        }
        fs.pause(wait);
        wait *= 2;
    }
}

AtomicFile::AtomicFile(std::wstring target, FileSystem& fs)
    : target_(std::move(target)), temporary_(uniqueStem(target_) + temporaryEnd), fs_(fs) {
    const FileSystem::Error error = retryWhileBusy(fs_, [&] { return fs_.createNew(temporary_, handle_); });
    if (error) {
        fail("Cannot create file", error);
    }
    open_ = true;
    buffer_.reserve(bufferSize);
}

AtomicFile::~AtomicFile() {
    discard();
}

void AtomicFile::write(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    if (buffer_.size() + size > bufferSize) {
        flushBuffer();
        if (size >= bufferSize) {
            if (const FileSystem::Error error = fs_.write(handle_, bytes, size)) {
                fail("Cannot write file", error);
            }
            return;
        }
    }
    buffer_.insert(buffer_.end(), bytes, bytes + size);
}

void AtomicFile::flushBuffer() {
    if (buffer_.empty()) {
        return;
    }
    if (const FileSystem::Error error = fs_.write(handle_, buffer_.data(), buffer_.size())) {
        fail("Cannot write file", error);
    }
    buffer_.clear();
}

void AtomicFile::commit() {
    flushBuffer();
    if (const FileSystem::Error error = fs_.flush(handle_)) {
        fail("Cannot write file", error);
    }
    open_ = false;
    if (const FileSystem::Error error = fs_.close(handle_)) {
        fail("Cannot write file", error);
    }

    FileSystem::Error error = 0;
    if (fs_.exists(target_)) {
        const std::wstring original = uniqueStem(target_) + originalEnd;
        error = retryWhileBusy(fs_, [&] { return fs_.replace(temporary_, target_, original); });
        if (fs_.classify(error) == FileSystem::ErrorKind::OriginalAtBackup) {
            // The old content was moved aside and the new one could not follow: put the
            // old file back under its own name.
            retryWhileBusy(fs_, [&] { return fs_.move(original, target_); });
        } else if (!error) {
            fs_.remove(original);
        }
    } else {
        error = retryWhileBusy(fs_, [&] { return fs_.move(temporary_, target_); });
    }
    if (error) {
        fail("Cannot replace file", error);
    }
    temporary_.clear();
}

void AtomicFile::discard() noexcept {
    if (open_) {
        fs_.close(handle_);
        open_ = false;
    }
    if (!temporary_.empty()) {
        fs_.remove(temporary_);
        temporary_.clear();
    }
}

void AtomicFile::fail(const char* what, FileSystem::Error error) {
    discard();
    throw err::IOException(describe(target_, what, error));
}

void AtomicFile::removeStaleTemporaries(const std::wstring& target, FileSystem& fs) {
    const std::wstring folder = folderOf(target);
    const std::wstring prefix = fileNameOf(target) + temporaryMark;
    // Files of this process may belong to a save in progress on another thread.
    const std::wstring ours = prefix + hex(currentProcessId()) + L"-";
    const std::wstring base = folder.empty() ? std::wstring() : folder + L"\\";
    std::vector<std::wstring> names = fs.list(folder);
    // Originals first, so a missing target gets its old content back before anything
    // else in the folder is removed.
    std::stable_partition(names.begin(), names.end(),
                          [](const std::wstring& name) { return endsWith(name, originalEnd); });
    for (const std::wstring& name : names) {
        if (name.compare(0, prefix.size(), prefix) != 0 || name.compare(0, ours.size(), ours) == 0) {
            continue;
        }
        const std::wstring path = base + name;
        if (endsWith(name, originalEnd)) {
            if (!fs.exists(target) && fs.move(path, target) == 0) {
                continue;
            }
            fs.remove(path);
        } else if (endsWith(name, temporaryEnd)) {
            fs.remove(path);
        }
    }
}

}  // namespace sys::platform
