#include "BrindleCore/FileLock.h"

#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace brindle {

// Polling would starve behind processes already queued in the kernel, so the blocking call runs
// on a helper thread. When the wait runs out the helper is left behind with its own
// descriptor and closes it (releasing anything it gets) once the call returns.
bool lockWithin(int fd, int operation, std::chrono::milliseconds wait)
{
    struct Waiter {
        std::mutex mutex;
        std::condition_variable done;
        int fd = -1;
        bool finished = false, locked = false, abandoned = false;
    };
    const auto waiter = std::make_shared<Waiter>();
    waiter->fd = ::dup(fd); // the same open file, so the lock is shared with `fd`
    if (waiter->fd < 0)
        return false;
    try {
        std::thread([waiter, operation] {
            int result = 0;
            while ((result = ::flock(waiter->fd, operation)) != 0 && errno == EINTR) {}
            const std::lock_guard guard(waiter->mutex);
            waiter->finished = true;
            waiter->locked = result == 0;
            if (waiter->abandoned) {
                if (waiter->locked)
                    ::flock(waiter->fd, LOCK_UN);
                ::close(waiter->fd);
            }
            waiter->done.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        ::close(waiter->fd);
        return false;
    }
    std::unique_lock guard(waiter->mutex);
    if (!waiter->done.wait_for(guard, wait, [&] { return waiter->finished; })) {
        waiter->abandoned = true;
        return false;
    }
    ::close(waiter->fd);
    return waiter->locked;
}

} // namespace brindle
