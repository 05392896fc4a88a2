#pragma once

// Helpers for tests that touch real files: a private temporary folder, and a file system
// that forwards every call to the real one, for decorators to override single steps.

#include "sys/platform/FileSystem.hpp"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <system_error>

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

}  // namespace testing_support
