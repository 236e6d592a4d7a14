#include "BrindleCore/Demo.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

using namespace std::chrono;

TEST(Demo, FoldersAndTotals)
{
    EXPECT_EQ(formatISO8601(Demo::now()), "2026-11-26T15:12:00Z");
    ASSERT_EQ(Demo::folders().size(), 6u);
    for (const FolderTally& folder : Demo::folders()) {
        EXPECT_EQ(folder.path, "~/" + folder.name);
        std::int64_t kinds = 0;
        folder.kinds.forEach([&](Kind, std::int64_t n) { kinds += n; });
        EXPECT_EQ(kinds, folder.files) << folder.name;
    }
    const FolderTally total = Demo::noBackup().total();
    EXPECT_EQ(total.files, 3'357);
    EXPECT_EQ(total.bytes, 18'402'000'000);
    EXPECT_EQ(total.count(Place::onlyHere), 2'469);
    EXPECT_EQ(total.count(Place::onlyICloud), 731);
    EXPECT_EQ(total.count(Place::both), 154);
    EXPECT_EQ(total.count(Place::waiting), 3);
    EXPECT_EQ(total.noSecondCopyWithBackup(), 3'200);
    EXPECT_EQ(Demo::noBackup().timeMachine.isSetUp(), false);

    const CheckResult withDrive = Demo::withDrive();
    const FolderTally backedUp = withDrive.total();
    EXPECT_EQ(backedUp.changedSinceBackup, 12);
    EXPECT_EQ(backedUp.changedSinceBackupBytes, 28'800'000);
    EXPECT_EQ(backedUp.noSecondCopyWithBackup(), 743);
    EXPECT_EQ(withDrive.drive->lastBackup(), Demo::now() - seconds{18'840});
    EXPECT_EQ(withDrive.timeMachine.isSetUp(), true);
}

TEST(Demo, FourteenBackupsEndingExactlyAtTheEnd)
{
    const Instant end = Demo::now() - seconds{18'840};
    const auto backups = Demo::backups(end);
    ASSERT_EQ(backups.size(), 14u);
    for (std::size_t i = 1; i < backups.size(); ++i)
        EXPECT_LT(backups[i - 1].date, backups[i].date);
    EXPECT_EQ(backups.back().date, end);
    EXPECT_EQ(backups.front().changedItems, 48'203);
    EXPECT_EQ(backups.front().changedBytes, 18'317'140'000);
    EXPECT_EQ(backups.front().started, backups.front().date - seconds{2'460});
    EXPECT_EQ(backups.back().changedItems, 812);
    EXPECT_EQ(backups.back().started, end - milliseconds{241'800}); // 812 × 0.15 + 120 seconds
}

TEST(Demo, TwelveWeeksOfHistory)
{
    const auto history = Demo::history();
    ASSERT_EQ(history.size(), 12u);
    EXPECT_EQ(history.back().at, Demo::now());
    for (std::size_t i = 0; i < 11; ++i) {
        EXPECT_EQ(history[i + 1].at - history[i].at, days{7});
        EXPECT_EQ(history[i].noSecondCopy, 2'600 + 60 * static_cast<std::int64_t>(i));
        EXPECT_FALSE(history[i].lastBackup);
    }
    EXPECT_EQ(history.back().noSecondCopy, 743);
    EXPECT_TRUE(history.back().lastBackup);
}

} // namespace
} // namespace brindle
