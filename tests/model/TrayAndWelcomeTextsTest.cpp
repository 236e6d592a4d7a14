// The tray panel's lines and the welcome sheet's drive step, worked out from the model's values.
#include "Brindle/app/model/TrayPresentation.h"
#include "Brindle/app/model/WelcomePresentation.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

using namespace std::chrono;

const Instant now{sys_days{2026y / December / 8} + 12h}; // a Tuesday

CheckResult checkedAt(Instant at, std::optional<DriveState> drive = std::nullopt)
{
    return CheckResult(at, 1, {}, std::move(drive), {}, false);
}

DriveState backupDrive(std::optional<Instant> lastBackup)
{
    DriveState drive{{"Backup", "ext4"}, true, {}, {}};
    if (lastBackup)
        drive.backups.push_back({*lastBackup});
    return drive;
}

TEST(TrayTexts, BackupLineInItsThreeForms)
{
    const Calendar utc = Calendar::utc();
    const struct {
        std::optional<CheckResult> result;
        const char* line;
    } cases[] = {
        {std::nullopt, "No backup drive chosen."},
        {checkedAt(now), "No backup drive chosen."},
        {checkedAt(now, backupDrive(std::nullopt)), "Backup: no backups read yet."},
        {checkedAt(now, backupDrive(now - 18h)), "Last backup yesterday at 18:00, to Backup."},
    };
    for (const auto& each : cases)
        EXPECT_EQ(presentation::panelBackupLine(each.result, now, utc), each.line);
}

TEST(TrayTexts, WatchLineNamesTheNextCheckOnlyWhileTheWeeklyCheckIsOn)
{
    const Calendar utc = Calendar::utc();
    const struct {
        bool weekly;
        std::optional<CheckResult> result;
        const char* line;
    } cases[] = {
        {false, checkedAt(now - 1h), "The weekly check is off"},
        {false, std::nullopt, "The weekly check is off"},
        {true, checkedAt(now - 1h), "Next check on 15 December"},
        {true, checkedAt(now - days{6} - 1h), "Next check tomorrow at 11:00"},
        {true, std::nullopt, "Next check on 15 December"},
    };
    for (const auto& each : cases)
        EXPECT_EQ(presentation::panelWatchLine(each.weekly, each.result, now, utc), each.line);
}

TEST(TrayTexts, AnswerAndBadge)
{
    EXPECT_EQ(presentation::panelAnswer(std::nullopt), "No check yet.");
    EXPECT_EQ(presentation::trayBadge(99), "99");
    EXPECT_EQ(presentation::trayBadge(100), "99+");
}

TEST(WelcomeTexts, TheDriveStepSaysGivingUpIsLikelyOnlyWithoutABackupSetUp)
{
    CheckResult setUp = checkedAt(now);
    setUp.timeMachine = {4'000, now};
    CheckResult toolSetUp = checkedAt(now);
    toolSetUp.backupSetups = {BackupSetup{"Back In Time"}};
    const struct {
        std::optional<CheckResult> result;
        bool likely;
    } cases[] = {{std::nullopt, false}, {setUp, false}, {toolSetUp, false}, {checkedAt(now), true}};
    for (const auto& each : cases) {
        const auto step = presentation::welcomeStep(2, each.result);
        ASSERT_EQ(step.choices.size(), 3u);
        EXPECT_EQ(step.choices.back().note.starts_with("This computer has no backup set up, so this is likely."),
                  each.likely);
        EXPECT_TRUE(step.choices.back().note.ends_with("Brindle will say what that means."));
    }
    EXPECT_EQ(presentation::welcomeStep(9, std::nullopt).header, "Step 3 of 3");
}

TEST(WelcomeTexts, AStepsChoiceIsPrimaryUntilItIsMade)
{
    using Action = presentation::WelcomeButton::Action;
    const std::vector<std::tuple<int, bool, bool, std::vector<presentation::WelcomeButton>>> cases{
        {1, false, false, {{"Choose Folders", true, Action::chooseFolders}}},
        {1, true, false, {{"Add More", false, Action::chooseFolders}, {"Continue", true, Action::next}}},
        {2, true, false, {{"Choose Drive", true, Action::chooseDrive}, {"Later", false, Action::next}}},
        {2, true, true, {{"Choose Drive", false, Action::chooseDrive}, {"Continue", true, Action::next}}},
        {3, true, true, {{"Show Me How", true, Action::showPhotos}, {"Later", false, Action::close}}}};
    for (const auto& [step, anyFolder, anyDrive, expected] : cases)
        EXPECT_EQ(presentation::welcomeButtons(step, anyFolder, anyDrive), expected) << step << anyFolder << anyDrive;
}

} // namespace
} // namespace brindle
