#include "host/allocation_counter.h"

#include <cerrno>
#include <cstdlib>

// The C library's own allocator, which every replacement below forwards to.
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* pointer, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void* __libc_valloc(size_t size);
void* __libc_pvalloc(size_t size);
void __libc_free(void* pointer);
}

// The replacements must be visible to the plug-ins the executable loads.
#define TARN_EXPORT __attribute__((visibility("default")))

namespace {

// Per thread, so that a plug-in's own worker threads do not count against the
// processing call being measured. Constant-initialized: reading it never allocates.
thread_local bool counting = false;
thread_local size_t allocations = 0;

inline void note() {
    if (counting) ++allocations;
}

}  // namespace

extern "C" {

TARN_EXPORT void* malloc(size_t size) {
    note();
    return __libc_malloc(size);
}

TARN_EXPORT void* calloc(size_t count, size_t size) {
    note();
    return __libc_calloc(count, size);
}

TARN_EXPORT void* realloc(void* pointer, size_t size) {
    note();
    return __libc_realloc(pointer, size);
}

TARN_EXPORT void* memalign(size_t alignment, size_t size) {
    note();
    return __libc_memalign(alignment, size);
}

TARN_EXPORT void* aligned_alloc(size_t alignment, size_t size) {
    note();
    return __libc_memalign(alignment, size);
}

TARN_EXPORT int posix_memalign(void** out, size_t alignment, size_t size) {
    if (alignment < sizeof(void*) || (alignment & (alignment - 1)) != 0) return EINVAL;
    note();
    void* pointer = __libc_memalign(alignment, size);
    if (pointer == nullptr && size != 0) return ENOMEM;
    *out = pointer;
    return 0;
}

TARN_EXPORT void* valloc(size_t size) {
    note();
    return __libc_valloc(size);
}

TARN_EXPORT void* pvalloc(size_t size) {
    note();
    return __libc_pvalloc(size);
}

TARN_EXPORT void free(void* pointer) { __libc_free(pointer); }

}  // extern "C"

namespace host {

bool allocationCountingAvailable() { return true; }

void startCountingAllocations() {
    allocations = 0;
    counting = true;
}

size_t stopCountingAllocations() {
    counting = false;
    return allocations;
}

}  // namespace host
