#include "Baselines.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <stdexcept>

namespace bench {

namespace {

[[noreturn]] void failWith(const std::string& what, const std::filesystem::path& path) {
    throw std::runtime_error(what + " " + path.string() + ": " + std::strerror(errno));
}

}  // namespace

double now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void writeDurably(const std::filesystem::path& target, const std::string& bytes) {
    const std::string temporary = target.string() + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        failWith("cannot create", temporary);
    }
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {  // one call, unless the kernel takes less than everything
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            ::close(fd);
            failWith("cannot write", temporary);
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) {
        ::close(fd);
        failWith("cannot flush", temporary);
    }
    if (::close(fd) != 0) {
        failWith("cannot close", temporary);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        failWith("cannot rename to", target);
    }
}

std::string readBytes(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        failWith("cannot open", path);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        failWith("cannot stat", path);
    }
    std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, &bytes[done], bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            ::close(fd);
            failWith("cannot read", path);
        }
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return bytes;
}

}  // namespace bench
