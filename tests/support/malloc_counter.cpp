// The counting stand-ins for malloc, calloc, realloc and the aligned
// allocators. Each forwards to glibc's own entry points (__libc_malloc and
// friends), so the program's memory behaves exactly as without them; C++'s
// operator new reaches malloc and is counted with everything else.
#include "support/malloc_counter.h"

#include <atomic>
#include <cerrno>
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#define VEXAL_MALLOC_COUNTER 0
#elif defined(_WIN32)
// Windows' C library has no second entry point to forward to, and each DLL
// (SDL's too) calls its own allocator: there is nothing whole to count.
#define VEXAL_MALLOC_COUNTER 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VEXAL_MALLOC_COUNTER 0
#endif
#endif
#ifndef VEXAL_MALLOC_COUNTER
#define VEXAL_MALLOC_COUNTER 1
#endif

namespace {

std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

// Out of line, so a debugger can stop on every counted allocation.
[[gnu::noinline, maybe_unused]] void NoteAllocation(void) {
    if (counting.load(std::memory_order_relaxed)) {
        allocations.fetch_add(1, std::memory_order_relaxed);
    }
}

}  // namespace

#if VEXAL_MALLOC_COUNTER

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* block);

void* malloc(size_t size) {
    NoteAllocation();
    return __libc_malloc(size);
}

void* calloc(size_t count, size_t size) {
    NoteAllocation();
    return __libc_calloc(count, size);
}

void* realloc(void* block, size_t size) {
    void* moved = __libc_realloc(block, size);
    // Shrinking or growing in place is not a new block.
    if (moved && moved != block) NoteAllocation();
    return moved;
}

void free(void* block) { __libc_free(block); }

void* memalign(size_t alignment, size_t size) {
    NoteAllocation();
    return __libc_memalign(alignment, size);
}

void* aligned_alloc(size_t alignment, size_t size) {
    NoteAllocation();
    return __libc_memalign(alignment, size);
}

int posix_memalign(void** out, size_t alignment, size_t size) {
    if (alignment < sizeof(void*) || (alignment & (alignment - 1)) != 0) return EINVAL;
    NoteAllocation();
    void* block = __libc_memalign(alignment, size);
    if (!block) return ENOMEM;
    *out = block;
    return 0;
}
}

bool MallocCounter_Available(void) { return true; }

#else

bool MallocCounter_Available(void) { return false; }

#endif

void MallocCounter_Start(void) {
    allocations.store(0);
    counting.store(true);
}

long MallocCounter_Stop(void) {
    counting.store(false);
    return allocations.load();
}

long MallocCounter_Count(void) { return allocations.load(); }
