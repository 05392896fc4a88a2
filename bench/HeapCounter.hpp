#pragma once

#include <cstddef>

// Exact accounting of the C++ heap of this process. The executable replaces the global
// operator new and delete, so every byte the notebook, its snapshots and the save buffers
// take is counted when it is allocated and when it is freed, on any thread.
//
// Why not sample mallinfo2() every millisecond, or reset VmHWM through clear_refs? A
// sampler sees only the moments it wakes up. The resident size keeps the memory malloc
// holds on to after a free (the load benchmark frees a whole second notebook just before
// the memory one runs), so later growth reuses it and a high-water mark shows nothing
// (it read 0 MB here while the heap grew by megabytes). Counting at the allocator gives
// the peak exactly, at the cost of one relaxed atomic add per allocation and free and a
// malloc_usable_size() (on Windows _msize()) call.
namespace bench::heap {

// Bytes currently allocated through operator new (usable sizes, so malloc's rounding
// is included).
std::size_t live();

// Highest value of live() since the last resetPeak().
std::size_t peak();

// Starts a new peak from the current live().
void resetPeak();

}  // namespace bench::heap

namespace bench::rss {

// Resident set size (the working set on Windows), in bytes (0 when unreadable).
std::size_t current();

}  // namespace bench::rss
