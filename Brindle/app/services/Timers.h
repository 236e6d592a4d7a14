// The two clocks of the application: the drive timer, which fires every ten minutes, and the
// keep-watch schedule, which fires about every four hours of wall-clock time.
//
// The keep-watch schedule wakes every few minutes and compares the wall clock with its last
// run, because the monotonic clock that timers use stops while the computer sleeps: after a
// night's sleep the work is due at once, not four hours of waking time later. Its first run
// comes one interval after `start`. A wall clock set back before the last run restarts the
// interval from then, so a wrong clock cannot silence it for good.
//
// Both live on the main thread and emit `fired` from its event loop. `start` on a running
// timer leaves it as it is; `stop` on a stopped one does nothing.
#pragma once

#include "BrindleCore/Instant.h"

#include <QObject>

#include <chrono>
#include <functional>
#include <memory>

namespace brindle {

class RepeatingTimer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

signals:
    void fired();
};

using WallClock = std::function<Instant()>;

inline constexpr std::chrono::seconds driveTimerInterval{600};
inline constexpr std::chrono::seconds keepWatchInterval{14'400};
inline constexpr std::chrono::seconds keepWatchWake{300};

std::unique_ptr<RepeatingTimer> makeDriveTimer(std::chrono::milliseconds interval = driveTimerInterval);
std::unique_ptr<RepeatingTimer> makeKeepWatchSchedule(WallClock clock = clockNow,
                                                      std::chrono::seconds interval = keepWatchInterval,
                                                      std::chrono::milliseconds wake = keepWatchWake);

} // namespace brindle
