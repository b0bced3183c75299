#include "allocation_hook.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Every block carries its size in front, so delete knows what it gives back;
// the header keeps the alignment malloc gives.
constexpr size_t kHeader = alignof(std::max_align_t);

std::atomic<long> g_countdown{-1};
std::atomic<size_t> g_limit{0};
std::atomic<size_t> g_live{0};
std::atomic<size_t> g_peak{0};
std::atomic<size_t> g_base{0};  // bytes held at the last reset: the test's own
std::atomic<bool> g_failed{false};

void* allocate(size_t n) {
    long left = g_countdown.load();
    if (left >= 0) {
        g_countdown.store(left - 1);
        if (left == 0) {
            g_failed = true;
            throw std::bad_alloc();
        }
    }
    const size_t limit = g_limit.load();
    const size_t held = g_live.load(), base = g_base.load();
    const size_t live = held > base ? held - base : 0;
    if (limit != 0 && live + n > limit) {
        g_failed = true;
        throw std::bad_alloc();
    }
    char* block = static_cast<char*>(std::malloc(n + kHeader));
    if (block == nullptr) throw std::bad_alloc();
    *reinterpret_cast<size_t*>(block) = n;
    const size_t now = g_live.fetch_add(n) + n;
    size_t peak = g_peak.load();
    while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
    }
    return block + kHeader;
}

void release(void* p) noexcept {
    if (p == nullptr) return;
    char* block = static_cast<char*>(p) - kHeader;
    g_live.fetch_sub(*reinterpret_cast<size_t*>(block));
    std::free(block);
}

}  // namespace

void* operator new(size_t n, const std::nothrow_t&) noexcept {
    try {
        return allocate(n);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](size_t n, const std::nothrow_t& tag) noexcept { return operator new(n, tag); }
void operator delete(void* p, const std::nothrow_t&) noexcept { release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { release(p); }
void* operator new(size_t n) { return allocate(n); }
void* operator new[](size_t n) { return allocate(n); }
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, size_t) noexcept { release(p); }
void operator delete[](void* p, size_t) noexcept { release(p); }

namespace allocation_hook {

void fail_after(long after) { g_countdown = after; }
void limit_live_bytes(size_t bytes) { g_limit = bytes; }

void reset() {
    g_countdown = -1;
    g_limit = 0;
    g_failed = false;
    g_base = g_live.load();
    g_peak = g_live.load();
}

bool failed() { return g_failed; }
size_t peak_live_bytes() {
    const size_t peak = g_peak.load(), base = g_base.load();
    return peak > base ? peak - base : 0;
}

}  // namespace allocation_hook
