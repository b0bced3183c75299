// Global memory blocks: fixed blocks whose handle is their address, and
// moveable blocks reached through a handle and locked while in use.
#pragma once

#include <cstddef>

#include "platform/types.h"

using SIZE_T = size_t;

enum : UINT {
    GMEM_FIXED = 0x0000,
    GMEM_MOVEABLE = 0x0002,
    GMEM_ZEROINIT = 0x0040,
    GHND = GMEM_MOVEABLE | GMEM_ZEROINIT,
    GPTR = GMEM_FIXED | GMEM_ZEROINIT,
};

// A new block of `bytes` bytes, or null when it cannot be had (also for sizes
// a 32-bit program could never hold, above 0x7FFFFFFF). Without GMEM_ZEROINIT
// the contents are undefined.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);

// The block's address. A moveable block's lock count grows by one (a fixed
// block has none). Null for a handle that is not a live block.
LPVOID GlobalLock(HGLOBAL block);

// Lowers a moveable block's lock count: nonzero while it stays locked, 0 once
// it is unlocked (or was not locked at all). A fixed block gives TRUE.
BOOL GlobalUnlock(HGLOBAL block);

// Frees the block, locked or not: null on success, the handle itself when it
// is not a live block. GlobalFree(nullptr) does nothing and gives null.
HGLOBAL GlobalFree(HGLOBAL block);

// The size asked for when the block was made or last resized; 0 for a handle
// that is not a live block.
SIZE_T GlobalSize(HGLOBAL block);

// Resizes a block, keeping its contents up to the smaller size; GMEM_ZEROINIT
// clears the bytes gained. A block that cannot stay where it is moves only
// when that is allowed: an unlocked moveable block moves (its handle stays),
// a fixed block moves when `flags` holds GMEM_MOVEABLE (the result is its new
// handle and address); otherwise the result is null and the block unchanged.
HGLOBAL GlobalReAlloc(HGLOBAL block, SIZE_T bytes, UINT flags);

// Test hooks: the next `n` GlobalAlloc calls fail as if memory ran out (0
// lifts it); the number of blocks allocated and not freed; a block's lock
// count (-1 when the handle is not a live block).
void platform_fail_next_allocations(int n);
int platform_live_global_blocks();
int platform_global_lock_count(HGLOBAL block);
