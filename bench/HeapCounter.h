// Heap use of the benchmark process: while counting is on, every malloc-family call, from our code,
// the C++ run-time and SQLite alike, is counted by the size glibc actually reserves
// (malloc_usable_size). Counting is off while times are taken.
#pragma once

#include <cstddef>

namespace bench {

// False when the allocator is not ours to count (a sanitizer build replaces it).
bool HeapCounted();

struct HeapUse {
    std::size_t peak = 0;      // highest growth over the start while the measured code ran
    std::size_t retained = 0;  // growth left when it returned
};

// Counts the heap from here until Stop(). Blocks freed inside that were allocated before count
// against the growth, so measure code whose start-up state is settled.
class HeapWindow {
public:
    HeapWindow();
    ~HeapWindow();
    HeapWindow(const HeapWindow&) = delete;
    HeapWindow& operator=(const HeapWindow&) = delete;

    // Growth over the start so far.
    std::size_t Live() const;
    HeapUse Stop();
};

}  // namespace bench
