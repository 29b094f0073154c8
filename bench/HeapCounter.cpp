// Counting replacements of the malloc family over glibc's own allocator.
//
// The executable's definitions take the place of libc's for every shared library of the process,
// so allocations made inside the module, the client libraries and SQLite are counted too.
// Sanitizer builds keep their own allocator and count nothing.
#include "HeapCounter.h"

#include <algorithm>
#include <atomic>

#if defined(__SANITIZE_ADDRESS__)
#define BENCH_HEAP_COUNTER 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BENCH_HEAP_COUNTER 0
#endif
#endif
#ifndef BENCH_HEAP_COUNTER
#define BENCH_HEAP_COUNTER 1
#endif

namespace {

std::atomic<bool> counting{false};
std::atomic<long long> live{0};
std::atomic<long long> peak{0};

}  // namespace

#if BENCH_HEAP_COUNTER

#include <malloc.h>

#include <cerrno>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* block);
}

namespace {

void Added(void* block)
{
    if (block == nullptr || !counting.load(std::memory_order_relaxed))
        return;
    const long long size = static_cast<long long>(malloc_usable_size(block));
    const long long now = live.fetch_add(size, std::memory_order_relaxed) + size;
    long long high = peak.load(std::memory_order_relaxed);
    while (now > high && !peak.compare_exchange_weak(high, now, std::memory_order_relaxed)) {
    }
}

void Removed(void* block)
{
    if (block != nullptr && counting.load(std::memory_order_relaxed))
        live.fetch_sub(static_cast<long long>(malloc_usable_size(block)), std::memory_order_relaxed);
}

}  // namespace

extern "C" {

void* malloc(std::size_t size)
{
    void* block = __libc_malloc(size);
    Added(block);
    return block;
}

void* calloc(std::size_t count, std::size_t size)
{
    void* block = __libc_calloc(count, size);
    Added(block);
    return block;
}

void* realloc(void* block, std::size_t size)
{
    Removed(block);
    void* moved = __libc_realloc(block, size);
    // A failed realloc keeps the old block; a realloc to size 0 frees it.
    Added(moved != nullptr ? moved : (size != 0 ? block : nullptr));
    return moved;
}

void free(void* block)
{
    Removed(block);
    __libc_free(block);
}

void* memalign(std::size_t alignment, std::size_t size)
{
    void* block = __libc_memalign(alignment, size);
    Added(block);
    return block;
}

void* aligned_alloc(std::size_t alignment, std::size_t size) { return memalign(alignment, size); }

int posix_memalign(void** result, std::size_t alignment, std::size_t size)
{
    void* block = memalign(alignment, size);
    if (block == nullptr)
        return ENOMEM;
    *result = block;
    return 0;
}

void* valloc(std::size_t size) { return memalign(4096, size); }

}  // extern "C"

#endif  // BENCH_HEAP_COUNTER

namespace bench {

bool HeapCounted() { return BENCH_HEAP_COUNTER != 0; }

HeapWindow::HeapWindow()
{
    live.store(0, std::memory_order_relaxed);
    peak.store(0, std::memory_order_relaxed);
    counting.store(true, std::memory_order_relaxed);
}

HeapWindow::~HeapWindow() { counting.store(false, std::memory_order_relaxed); }

std::size_t HeapWindow::Live() const
{
    return static_cast<std::size_t>(std::max(0LL, live.load(std::memory_order_relaxed)));
}

HeapUse HeapWindow::Stop()
{
    counting.store(false, std::memory_order_relaxed);
    HeapUse use;
    use.peak = static_cast<std::size_t>(std::max(0LL, peak.load(std::memory_order_relaxed)));
    use.retained = static_cast<std::size_t>(std::max(0LL, live.load(std::memory_order_relaxed)));
    return use;
}

}  // namespace bench
