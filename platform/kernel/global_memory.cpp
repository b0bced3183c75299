// Global memory blocks over the C heap. Every live block is recorded under its
// handle, so that a stale or foreign handle is refused instead of touching
// memory, and tests can count what was never freed.
#include "platform/kernel/global_memory.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include <sanitizer/asan_interface.h>

namespace {

// A 32-bit program cannot hold more than this in one block.
constexpr SIZE_T kLargestBlock = 0x7FFFFFFF;

struct Block {
    unsigned char* data = nullptr;
    SIZE_T size = 0;      // as asked for
    SIZE_T capacity = 0;  // as allocated (never 0, so every block has an address)
    bool moveable = false;
    int locks = 0;
};

// Large blocks freed are kept for the next block of the same size, as a
// heap keeps its pages: a program that opens and closes documents gets its
// big work areas back without the system mapping fresh memory each time.
// A kept block is poisoned for the address sanitizer, so a use after its
// free is still caught.
constexpr SIZE_T kKeptBlockBytes = 64 * 1024;
constexpr size_t kKeptBlocks = 4;

struct KeptBlock {
    unsigned char* data;
    SIZE_T capacity;
};

struct GlobalHeap {
    GlobalHeap() { kept.reserve(kKeptBlocks); }
    ~GlobalHeap() {
        for (const KeptBlock& k : kept) {
            ASAN_UNPOISON_MEMORY_REGION(k.data, k.capacity);
            std::free(k.data);
        }
    }
    GlobalHeap(const GlobalHeap&) = delete;
    GlobalHeap& operator=(const GlobalHeap&) = delete;
    std::mutex mutex;
    std::vector<KeptBlock> kept;
    // Keyed by handle: a fixed block's handle is its address, a moveable
    // block's handle is its record, which never moves.
    std::unordered_map<HGLOBAL, std::unique_ptr<Block>> blocks;
    int failures_pending = 0;
};

GlobalHeap& heap() {
    static GlobalHeap instance;
    return instance;
}

Block* find_block(GlobalHeap& h, HGLOBAL handle) {
    if (!handle) return nullptr;
    auto it = h.blocks.find(handle);
    return it == h.blocks.end() ? nullptr : it->second.get();
}

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
    GlobalHeap& h = heap();
    std::lock_guard lock(h.mutex);
    if (h.failures_pending > 0) {
        --h.failures_pending;
        return nullptr;
    }
    if (bytes > kLargestBlock) return nullptr;

    auto block = std::make_unique<Block>();
    block->capacity = bytes ? bytes : 1;
    void* data = nullptr;
    for (auto it = h.kept.begin(); it != h.kept.end(); ++it) {
        if (it->capacity != block->capacity) continue;
        data = it->data;
        h.kept.erase(it);
        ASAN_UNPOISON_MEMORY_REGION(data, block->capacity);
        if (flags & GMEM_ZEROINIT) std::memset(data, 0, block->capacity);
        break;
    }
    if (!data) data = (flags & GMEM_ZEROINIT) ? std::calloc(block->capacity, 1) : std::malloc(block->capacity);
    if (!data) return nullptr;
    block->data = static_cast<unsigned char*>(data);
    block->size = bytes;
    block->moveable = (flags & GMEM_MOVEABLE) != 0;

    HGLOBAL handle = block->moveable ? static_cast<HGLOBAL>(block.get()) : static_cast<HGLOBAL>(block->data);
    h.blocks.emplace(handle, std::move(block));
    return handle;
}

LPVOID GlobalLock(HGLOBAL handle) {
    GlobalHeap& h = heap();
    std::lock_guard lock(h.mutex);
    Block* block = find_block(h, handle);
    if (!block) return nullptr;
    if (block->moveable) ++block->locks;
    return block->data;
}

BOOL GlobalUnlock(HGLOBAL handle) {
    GlobalHeap& h = heap();
    std::lock_guard lock(h.mutex);
    Block* block = find_block(h, handle);
    if (!block) return FALSE;
    if (!block->moveable) return TRUE;
    if (block->locks == 0) return FALSE;
    --block->locks;
    return block->locks > 0 ? TRUE : FALSE;
}

HGLOBAL GlobalFree(HGLOBAL handle) {
    if (!handle) return nullptr;
    GlobalHeap& h = heap();
    std::lock_guard lock(h.mutex);
    auto it = h.blocks.find(handle);
    if (it == h.blocks.end()) return handle;
    Block& block = *it->second;
    if (block.capacity >= kKeptBlockBytes && h.kept.size() < kKeptBlocks) {
        ASAN_POISON_MEMORY_REGION(block.data, block.capacity);
        h.kept.push_back({block.data, block.capacity});
    } else {
        std::free(block.data);
    }
    h.blocks.erase(it);
    return nullptr;
}

SIZE_T GlobalSize(HGLOBAL handle) {
    GlobalHeap& h = heap();
    std::lock_guard lock(h.mutex);
    Block* block = find_block(h, handle);
    return block ? block->size : 0;
}

HGLOBAL GlobalReAlloc(HGLOBAL handle, SIZE_T bytes, UINT flags) {
    GlobalHeap& h = heap();
    std::lock_guard lock(h.mutex);
    Block* block = find_block(h, handle);
    if (!block || bytes > kLargestBlock) return nullptr;

    const SIZE_T old_size = block->size;
    if (bytes > block->capacity) {
        const bool may_move = (block->moveable && block->locks == 0) || (flags & GMEM_MOVEABLE) != 0;
        if (!may_move) return nullptr;
        void* moved = std::realloc(block->data, bytes);
        if (!moved) return nullptr;
        block->data = static_cast<unsigned char*>(moved);
        block->capacity = bytes;
    }
    if ((flags & GMEM_ZEROINIT) && bytes > old_size) std::memset(block->data + old_size, 0, bytes - old_size);
    block->size = bytes;

    if (block->moveable || block->data == handle) return handle;
    // A fixed block that moved is known by its new address from now on.
    auto node = h.blocks.extract(handle);
    node.key() = block->data;
    h.blocks.insert(std::move(node));
    return block->data;
}

void platform_fail_next_allocations(int n) {
    GlobalHeap& h = heap();
    std::lock_guard lock(h.mutex);
    h.failures_pending = n > 0 ? n : 0;
}

int platform_live_global_blocks() {
    GlobalHeap& h = heap();
    std::lock_guard lock(h.mutex);
    return static_cast<int>(h.blocks.size());
}

int platform_global_lock_count(HGLOBAL handle) {
    GlobalHeap& h = heap();
    std::lock_guard lock(h.mutex);
    Block* block = find_block(h, handle);
    return block ? block->locks : -1;
}
