#include "Brindle/app/services/Timers.h"

#include <QSignalSpy>
#include <QTest>

namespace brindle {

using namespace std::chrono_literals;

class TimersTest : public QObject {
    Q_OBJECT
private slots:
    // The wall clock moves as it does across sleep and clock changes; the schedule wakes
    // every few milliseconds here and must fire once per four hours of wall-clock time.
    void keepWatchFollowsTheWallClock()
    {
        Instant now = *parseISO8601("2026-12-08T08:00:00Z");
        const auto schedule = makeKeepWatchSchedule([&now] { return now; }, 4h, 2ms);
        QSignalSpy fired(schedule.get(), &RepeatingTimer::fired);
        schedule->start();
        const struct Step {
            const char* what;
            std::chrono::seconds advance;
            int firedSoFar;
        } steps[] = {
            {"just started", 0s, 0},
            {"almost four hours", 4h - 1s, 0},
            {"four hours", 1s, 1},
            {"an hour later", 1h, 1},
            {"nine hours of sleep at once: one run, not two", 9h, 2},
            {"clock set back a day: the interval starts again", -24h, 2},
            {"four hours after that", 4h, 3},
        };
        for (const Step& step : steps) {
            now += step.advance;
            QTest::qWait(40);
            QVERIFY2(fired.count() == step.firedSoFar, step.what);
        }
        schedule->stop();
        now += 8h;
        QTest::qWait(40);
        QCOMPARE(fired.count(), 3);
        QVERIFY(!schedule->isActive());
    }
};

} // namespace brindle

QTEST_GUILESS_MAIN(brindle::TimersTest)
#include "TimersTest.moc"
