#include "HeapCounter.hpp"

#include <malloc.h>
#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#endif

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <new>
#include <string>

namespace {

#ifdef _WIN32
std::size_t usableSize(void* p) {
    return _msize(p);
}
#else
std::size_t usableSize(void* p) {
    return malloc_usable_size(p);
}
#endif

std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};

void* allocate(std::size_t size) noexcept {
    void* p = std::malloc(size ? size : 1);
    if (!p) {
        return nullptr;
    }
    const std::size_t usable = usableSize(p);
    const std::size_t now = liveBytes.fetch_add(usable, std::memory_order_relaxed) + usable;
    std::size_t high = peakBytes.load(std::memory_order_relaxed);
    while (now > high && !peakBytes.compare_exchange_weak(high, now, std::memory_order_relaxed)) {}
    return p;
}

void release(void* p) noexcept {
    if (!p) {
        return;
    }
    liveBytes.fetch_sub(usableSize(p), std::memory_order_relaxed);
    std::free(p);
}

void* allocateOrThrow(std::size_t size) {
    if (void* p = allocate(size)) {
        return p;
    }
    throw std::bad_alloc();
}

#ifndef _WIN32
std::size_t statusField(const char* name) {
    std::ifstream status("/proc/self/status");
    const std::string key = std::string(name) + ":";
    std::string word;
    while (status >> word) {
        if (word == key) {
            std::size_t kilobytes = 0;
            status >> kilobytes;
            return kilobytes * 1024;
        }
    }
    return 0;
}
#endif

}  // namespace

// The aligned forms are left to the library: they allocate and free with aligned_alloc
// and free directly, never through these, so they stay uncounted but consistent.
void* operator new(std::size_t size) {
    return allocateOrThrow(size);
}
void* operator new[](std::size_t size) {
    return allocateOrThrow(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size);
}
void operator delete(void* p) noexcept {
    release(p);
}
void operator delete[](void* p) noexcept {
    release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    release(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    release(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    release(p);
}

namespace bench::heap {

std::size_t live() {
    return liveBytes.load(std::memory_order_relaxed);
}

std::size_t peak() {
    return peakBytes.load(std::memory_order_relaxed);
}

void resetPeak() {
    peakBytes.store(liveBytes.load(std::memory_order_relaxed), std::memory_order_relaxed);
}

}  // namespace bench::heap

namespace bench::rss {

std::size_t current() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
        return 0;
    }
    return counters.WorkingSetSize;
#else
    return statusField("VmRSS");
#endif
}

}  // namespace bench::rss
