#include "heap_count.h"

#include <dlfcn.h>
#include <execinfo.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Allocations are told apart only while counting: the look-up is slow.
std::atomic<bool> counting{false};
std::atomic<long> ours{0};
std::atomic<long> drivers{0};
thread_local bool inHook = false;

// An allocation with the driver (Mesa, LLVM) on its call stack is the driver's; any other
// is ours (our code and the standard library it calls).
bool MadeByDriver() {
    void* frames[24];
    const int count = backtrace(frames, 24);
    for (int i = 2; i < count; ++i) {
        Dl_info info;
        if (!dladdr(frames[i], &info) || !info.dli_fname) continue;
        const char* name = info.dli_fname;
        if (std::strstr(name, "_dri.so") || std::strstr(name, "libLLVM") ||
            std::strstr(name, "libGL") || std::strstr(name, "libgallium")) {
            return true;
        }
    }
    return false;
}

void* CountedAllocation(std::size_t size) {
    if (counting.load(std::memory_order_relaxed) && !inHook) {
        inHook = true;
        (MadeByDriver() ? drivers : ours)++;
        inHook = false;
    }
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

}  // namespace

void StartHeapCount() {
    ours = 0;
    drivers = 0;
    counting = true;
}

HeapCount StopHeapCount() {
    counting = false;
    return {ours.load(), drivers.load()};
}

void* operator new(std::size_t size) {
    return CountedAllocation(size);
}
void* operator new[](std::size_t size) {
    return CountedAllocation(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
