// The test binary's own operator new: it can fail the n-th allocation from
// now, or every allocation that would take the bytes held through it over a
// limit (a memory limit that works under the sanitizers), and it keeps the
// peak of the bytes held.
#pragma once

#include <cstddef>

namespace allocation_hook {

// The allocation `after` allocations from now throws std::bad_alloc (0: the
// next one); -1 lifts it.
void fail_after(long after);
// Allocations that would hold more than `bytes` at once throw; 0 lifts it.
void limit_live_bytes(size_t bytes);
// Both lifted; the failure and peak records cleared.
void reset();
// True once a failure was given since the last reset.
bool failed();
// The most bytes held at once since the last reset.
size_t peak_live_bytes();

}  // namespace allocation_hook
