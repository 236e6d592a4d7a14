// Waiting a bounded time for an advisory lock (flock(2)) that another process holds.
//
// `lockWithin` waits in the kernel for `operation` (LOCK_SH or LOCK_EX) on `fd`, for at most
// `wait`, and returns true when the lock is held; false when the wait ran out or the call
// failed. The calling thread blocks for up to `wait`: never call it with a long wait on a
// thread that must stay responsive. It may be called from any thread; it starts one helper
// thread per call, which outlives an abandoned wait until the kernel answers. That helper then
// takes the lock and drops it at once, so a try just after the other process frees the lock
// may still find it held: callers that only try must try again later.
#pragma once

#include <chrono>

namespace brindle {

bool lockWithin(int fd, int operation, std::chrono::milliseconds wait);

} // namespace brindle
