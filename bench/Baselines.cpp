#include "Baselines.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <stdexcept>

namespace bench {

namespace {

[[noreturn]] void failWith(const std::string& what, const std::string& path) {
    throw std::runtime_error(what + " " + path + ": " + std::strerror(errno));
}

}  // namespace

void writeDurably(const std::string& target, const std::string& bytes) {
    const std::string temporary = target + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        failWith("cannot create", temporary);
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {  // one call, unless the kernel takes less than everything
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
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
    if (::close(fd) != 0)
        failWith("cannot close", temporary);
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        failWith("cannot rename to", target);
}

std::string readBytes(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        failWith("cannot open", path);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        failWith("cannot stat", path);
    }
    std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, &bytes[done], bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ::close(fd);
            failWith("cannot read", path);
        }
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return bytes;
}

int runMain(int argc, char** argv, const char* name, const std::function<void()>& prepare,
            const std::function<void()>& registerAll, const std::function<void(std::ostream&)>& report) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    int status = 0;
    try {
        prepare();
        std::fflush(stdout);
        registerAll();
        benchmark::RunSpecifiedBenchmarks();
        std::cout.flush();
        report(std::cout);
    } catch (const std::exception& e) {
        std::cerr << name << ": " << e.what() << '\n';
        status = 1;
    }
    benchmark::Shutdown();
    return status;
}

}  // namespace bench
