#include "sys/platform/FileSystem.hpp"

#include "sys/platform/Platform.hpp"

#include <atomic>

namespace sys::platform {

namespace {

std::atomic<FileSystem*>& current() {
    static std::atomic<FileSystem*> instance{nullptr};
    return instance;
}

std::size_t lastSeparator(const std::wstring& path) {
    return path.find_last_of(L"\\/");
}

}  // namespace

FileSystem& fileSystem() {
    FileSystem* fs = current().load();
    return fs ? *fs : systemFileSystem();
}

ScopedFileSystem::ScopedFileSystem(FileSystem& replacement) : previous_(current().exchange(&replacement)) {}

ScopedFileSystem::~ScopedFileSystem() {
    current().store(previous_);
}

std::wstring folderOf(const std::wstring& path) {
    const std::size_t at = lastSeparator(path);
    return at == std::wstring::npos ? std::wstring() : path.substr(0, at);
}

std::wstring fileNameOf(const std::wstring& path) {
    const std::size_t at = lastSeparator(path);
    return at == std::wstring::npos ? path : path.substr(at + 1);
}

const std::wstring& programFolder() {
    static const std::wstring folder = folderOf(executablePath());
    return folder;
}

}  // namespace sys::platform
