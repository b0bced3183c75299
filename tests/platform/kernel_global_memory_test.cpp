// Global memory blocks: handles, locking, resizing and the allocation-failure
// hook the out-of-memory paths are tested with.
#include <cstring>

#include <gtest/gtest.h>

#include "platform/kernel/global_memory.h"

namespace {

class GlobalMemory : public ::testing::Test {
protected:
    void SetUp() override { live_before_ = platform_live_global_blocks(); }
    void TearDown() override {
        platform_fail_next_allocations(0);
        EXPECT_EQ(platform_live_global_blocks(), live_before_) << "a block was not freed";
    }

private:
    int live_before_ = 0;
};

bool all_zero(const void* p, size_t n) {
    const auto* bytes = static_cast<const unsigned char*>(p);
    for (size_t i = 0; i < n; ++i)
        if (bytes[i]) return false;
    return true;
}

}  // namespace

TEST_F(GlobalMemory, MoveableBlockIsReachedThroughLocks) {
    HGLOBAL h = GlobalAlloc(GHND, 94208);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), 94208u);
    EXPECT_EQ(platform_global_lock_count(h), 0);

    void* p = GlobalLock(h);
    ASSERT_NE(p, nullptr);
    EXPECT_NE(p, h);  // a moveable block's handle is not its address
    EXPECT_TRUE(all_zero(p, 94208));
    EXPECT_EQ(GlobalLock(h), p);
    EXPECT_EQ(platform_global_lock_count(h), 2);

    EXPECT_NE(GlobalUnlock(h), FALSE);  // still locked once
    EXPECT_EQ(GlobalUnlock(h), FALSE);  // now unlocked
    EXPECT_EQ(GlobalUnlock(h), FALSE);  // not locked: nothing to lower
    EXPECT_EQ(platform_global_lock_count(h), 0);
    EXPECT_EQ(GlobalFree(h), nullptr);
}

TEST_F(GlobalMemory, FixedBlockHandleIsItsAddress) {
    HGLOBAL h = GlobalAlloc(GPTR, 16);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalLock(h), h);
    EXPECT_TRUE(all_zero(h, 16));
    EXPECT_EQ(platform_global_lock_count(h), 0);
    EXPECT_EQ(GlobalUnlock(h), TRUE);
    EXPECT_EQ(GlobalFree(h), nullptr);
}

TEST_F(GlobalMemory, LockedBlockCanBeFreed) {
    // The programs' free routine unlocks first, but a block freed while locked
    // must go too.
    HGLOBAL h = GlobalAlloc(GHND, 32);
    ASSERT_NE(GlobalLock(h), nullptr);
    EXPECT_EQ(GlobalFree(h), nullptr);
}

TEST_F(GlobalMemory, StaleAndForeignHandlesAreRefused) {
    HGLOBAL h = GlobalAlloc(GHND, 8);
    ASSERT_EQ(GlobalFree(h), nullptr);
    EXPECT_EQ(GlobalFree(h), h);  // freed twice
    EXPECT_EQ(GlobalLock(h), nullptr);
    EXPECT_EQ(GlobalSize(h), 0u);
    EXPECT_EQ(GlobalReAlloc(h, 16, GMEM_MOVEABLE), nullptr);
    EXPECT_EQ(platform_global_lock_count(h), -1);

    int local = 0;
    EXPECT_EQ(GlobalLock(&local), nullptr);
    EXPECT_EQ(GlobalFree(nullptr), nullptr);
    EXPECT_EQ(GlobalLock(nullptr), nullptr);
}

TEST_F(GlobalMemory, ZeroSizedAndOversizedRequests) {
    HGLOBAL empty = GlobalAlloc(GHND, 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(GlobalSize(empty), 0u);
    EXPECT_NE(GlobalLock(empty), nullptr);
    GlobalUnlock(empty);
    GlobalFree(empty);

    EXPECT_EQ(GlobalAlloc(GHND, SIZE_T{0x80000000}), nullptr);
}

TEST_F(GlobalMemory, FailHookCountsDownCalls) {
    platform_fail_next_allocations(2);
    EXPECT_EQ(GlobalAlloc(GHND, 10), nullptr);
    EXPECT_EQ(GlobalAlloc(GMEM_FIXED, 10), nullptr);
    HGLOBAL h = GlobalAlloc(GHND, 10);
    EXPECT_NE(h, nullptr);
    GlobalFree(h);

    platform_fail_next_allocations(3);
    platform_fail_next_allocations(0);  // lifted before it fired
    h = GlobalAlloc(GHND, 10);
    EXPECT_NE(h, nullptr);
    GlobalFree(h);
}

TEST_F(GlobalMemory, ReAllocKeepsContentsAndHandleOfMoveableBlock) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 4);
    auto* p = static_cast<char*>(GlobalLock(h));
    std::memcpy(p, "abcd", 4);
    GlobalUnlock(h);

    EXPECT_EQ(GlobalReAlloc(h, 1 << 20, GMEM_ZEROINIT), h);
    EXPECT_EQ(GlobalSize(h), SIZE_T{1} << 20);
    p = static_cast<char*>(GlobalLock(h));
    EXPECT_EQ(std::memcmp(p, "abcd", 4), 0);
    EXPECT_TRUE(all_zero(p + 4, (1 << 20) - 4));

    // Shrinking stays in place, even while locked.
    EXPECT_EQ(GlobalReAlloc(h, 2, 0), h);
    EXPECT_EQ(GlobalSize(h), 2u);
    EXPECT_EQ(std::memcmp(p, "ab", 2), 0);
    GlobalUnlock(h);
    GlobalFree(h);
}

TEST_F(GlobalMemory, LockedMoveableBlockGrowsOnlyWhenAllowedToMove) {
    HGLOBAL h = GlobalAlloc(GHND, 8);
    GlobalLock(h);
    EXPECT_EQ(GlobalReAlloc(h, 1 << 16, 0), nullptr);
    EXPECT_EQ(GlobalSize(h), 8u);  // unchanged
    EXPECT_EQ(GlobalReAlloc(h, 1 << 16, GMEM_MOVEABLE), h);
    EXPECT_EQ(platform_global_lock_count(h), 1);  // the lock survives the move
    GlobalUnlock(h);
    GlobalFree(h);
}

TEST_F(GlobalMemory, FixedBlockMovesOnlyWithMoveableFlag) {
    HGLOBAL h = GlobalAlloc(GMEM_FIXED, 3);
    std::memcpy(h, "xyz", 3);
    EXPECT_EQ(GlobalReAlloc(h, 1 << 16, GMEM_ZEROINIT), nullptr);
    EXPECT_EQ(GlobalSize(h), 3u);

    HGLOBAL moved = GlobalReAlloc(h, 1 << 16, GMEM_MOVEABLE | GMEM_ZEROINIT);
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(GlobalLock(moved), moved);
    EXPECT_EQ(std::memcmp(moved, "xyz", 3), 0);
    EXPECT_TRUE(all_zero(static_cast<char*>(moved) + 3, (1 << 16) - 3));
    if (moved != h) {
        EXPECT_EQ(GlobalSize(h), 0u);  // the old address is no block any more
    }
    EXPECT_EQ(GlobalFree(moved), nullptr);
}

// A large block freed serves the next block of its size: cleared when asked
// for, counted as live only while held, and the failure hook still binds.
TEST_F(GlobalMemory, AFreedLargeBlockIsTakenAgainAsNew) {
    for (const SIZE_T size : {SIZE_T{64 * 1024 - 1}, SIZE_T{64 * 1024}, SIZE_T{1537024}}) {
        SCOPED_TRACE(size);
        HGLOBAL first = GlobalAlloc(GPTR, size);
        ASSERT_NE(first, nullptr);
        std::memset(first, 0xAB, size);
        const int live = platform_live_global_blocks();
        EXPECT_EQ(GlobalFree(first), nullptr);
        EXPECT_EQ(platform_live_global_blocks(), live - 1);
        platform_fail_next_allocations(1);
        EXPECT_EQ(GlobalAlloc(GPTR, size), nullptr);
        HGLOBAL again = GlobalAlloc(GPTR, size);
        ASSERT_NE(again, nullptr);
        if (size >= 64 * 1024) {
            EXPECT_EQ(again, first) << "the large block is kept";
        }
        EXPECT_TRUE(all_zero(again, size));
        GlobalFree(again);
    }
}
