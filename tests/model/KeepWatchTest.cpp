// Keep watch with the fake schedule, notifier and settings alone: what a tick asks for, and
// notes sent once.
#include "Brindle/app/model/KeepWatch.h"
#include "Brindle/app/model/StoredSettings.h"
#include "Brindle/app/services/SettingsKeys.h"
#include "tests/support/fakes/FakeNotifier.h"
#include "tests/support/fakes/FakeSettingsStore.h"
#include "tests/support/fakes/FakeTimer.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <utility>

namespace brindle {
namespace {

using namespace std::chrono;

struct Harness {
    test::FakeSettingsStore settings;
    test::FakeTimer schedule;
    test::FakeNotifier notifier;
    Instant now{sys_days{2026y / December / 8} + 12h};
    std::optional<Instant> lastCheck;

    std::unique_ptr<KeepWatch> watch(bool demo = false)
    {
        return std::make_unique<KeepWatch>(KeepWatch::Services{settings, schedule, notifier, [this] { return now; },
                                                               [] { return Calendar::utc(); },
                                                               [this] { return lastCheck; }},
                                           Guide::shared(), demo);
    }
};

TEST(KeepWatch, ATickAsksForACheckAWeekOnElseForTheDrives)
{
    Harness h;
    h.lastCheck = h.now - days{6};
    auto watch = h.watch();
    QSignalSpy check(watch.get(), &KeepWatch::checkWanted);
    QSignalSpy drives(watch.get(), &KeepWatch::drivesWanted);
    using Counts = std::pair<qsizetype, qsizetype>; // checks wanted, drive readings wanted
    const auto counts = [&] { return Counts{check.count(), drives.count()}; };
    watch->setWatch({.weekly = true});
    ASSERT_TRUE(h.schedule.active);
    h.schedule.fire();
    EXPECT_EQ(counts(), Counts(0, 1));
    h.now += days{1};
    h.schedule.fire();
    EXPECT_EQ(counts(), Counts(1, 1));
    watch->setWatch({.oldBackup = true});
    h.schedule.fire();
    EXPECT_EQ(counts(), Counts(1, 2)) << "not weekly: only the drives";
    EXPECT_EQ(h.watch()->watch(), (WatchSettings{.oldBackup = true})) << "the switches are stored";

    auto demo = h.watch(true);
    QSignalSpy demoCheck(demo.get(), &KeepWatch::checkWanted);
    demo->follow();
    EXPECT_FALSE(h.schedule.active);
    demo->tick();
    EXPECT_EQ(demoCheck.count(), 0);
}

TEST(KeepWatch, NotesAnOldBackupOnce)
{
    Harness h;
    auto watch = h.watch();
    watch->setWatch({.oldBackup = true});
    CheckResult result;
    result.checkedAt = h.now;
    result.drive = DriveState{{"Backup", "ext4"}, true, {Backup{h.now - days{30}}}};
    watch->sendNotes(result, std::nullopt);
    watch->sendNotes(result, std::nullopt);
    ASSERT_EQ(h.notifier.posted.size(), 1);
    EXPECT_EQ(h.notifier.posted[0].identifier, "backupOld");
    EXPECT_TRUE(Stored::dates(h.settings, settingKeys::notesSent).contains("backupOld"));
}

} // namespace
} // namespace brindle
