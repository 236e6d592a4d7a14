#include "Brindle/app/services/Timers.h"

#include <QTimer>

namespace brindle {

namespace {

class DriveTimer final : public RepeatingTimer {
public:
    explicit DriveTimer(std::chrono::milliseconds interval)
    {
        timer_.setInterval(interval);
        connect(&timer_, &QTimer::timeout, this, &RepeatingTimer::fired);
    }
    void start() override
    {
        if (!timer_.isActive())
            timer_.start();
    }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};

class KeepWatchSchedule final : public RepeatingTimer {
public:
    KeepWatchSchedule(WallClock clock, std::chrono::seconds interval, std::chrono::milliseconds wake)
        : clock_(std::move(clock)), interval_(interval)
    {
        wake_.setInterval(wake);
        connect(&wake_, &QTimer::timeout, this, &KeepWatchSchedule::woke);
    }
    void start() override
    {
        if (wake_.isActive())
            return;
        lastRun_ = clock_();
        wake_.start();
    }
    void stop() override { wake_.stop(); }
    bool isActive() const override { return wake_.isActive(); }

private:
    void woke()
    {
        const Instant now = clock_();
        if (now < lastRun_)
            lastRun_ = now;
        if (now - lastRun_ < interval_)
            return;
        lastRun_ = now;
        emit fired();
    }

    WallClock clock_;
    std::chrono::seconds interval_;
    QTimer wake_;
    Instant lastRun_{};
};

} // namespace

std::unique_ptr<RepeatingTimer> makeDriveTimer(std::chrono::milliseconds interval)
{
    return std::make_unique<DriveTimer>(interval);
}

std::unique_ptr<RepeatingTimer> makeKeepWatchSchedule(WallClock clock, std::chrono::seconds interval,
                                                      std::chrono::milliseconds wake)
{
    return std::make_unique<KeepWatchSchedule>(std::move(clock), interval, wake);
}

} // namespace brindle
