#include "HeapCounter.hpp"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <new>
#include <string>

namespace {

std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};

void* allocate(std::size_t size) noexcept {
    void* p = std::malloc(size ? size : 1);
    if (!p)
        return nullptr;
    const std::size_t usable = malloc_usable_size(p);
    const std::size_t now = liveBytes.fetch_add(usable, std::memory_order_relaxed) + usable;
    std::size_t high = peakBytes.load(std::memory_order_relaxed);
    while (now > high && !peakBytes.compare_exchange_weak(high, now, std::memory_order_relaxed)) {
    }
    return p;
}

void release(void* p) noexcept {
    if (!p)
        return;
    liveBytes.fetch_sub(malloc_usable_size(p), std::memory_order_relaxed);
    std::free(p);
}

void* allocateOrThrow(std::size_t size) {
    if (void* p = allocate(size))
        return p;
    throw std::bad_alloc();
}

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

}  // namespace

// The aligned forms are left to the library: they allocate and free with aligned_alloc
// and free directly, never through these, so they stay uncounted but consistent.
void* operator new(std::size_t size) { return allocateOrThrow(size); }
void* operator new[](std::size_t size) { return allocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { release(p); }

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
    return statusField("VmRSS");
}

}  // namespace bench::rss
