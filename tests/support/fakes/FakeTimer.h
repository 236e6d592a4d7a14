// A timer that fires only when the test calls `fire`, and only while started.
#pragma once

#include "Brindle/app/services/Timers.h"

namespace brindle::test {

class FakeTimer final : public RepeatingTimer {
    Q_OBJECT
public:
    bool active = false;
    int starts = 0;

    void start() override
    {
        if (!active)
            ++starts;
        active = true;
    }
    void stop() override { active = false; }
    bool isActive() const override { return active; }

    void fire()
    {
        if (active)
            emit fired();
    }
};

} // namespace brindle::test
