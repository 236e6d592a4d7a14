// The words of the place screens: the boundaries where a form changes.
#include "Brindle/app/model/PlaceTexts.h"
#include "Brindle/app/model/CloudScreen.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

using namespace std::chrono;

const Instant now{sys_days{2026y / December / 8} + 12h};

FolderTally tally(std::int64_t onlyHere, std::int64_t both)
{
    FolderTally folder("Documents", "/d");
    folder.counts.set(Place::onlyHere, onlyHere);
    folder.counts.set(Place::both, both);
    folder.files = onlyHere + both;
    return folder;
}

TEST(PlaceTexts, HeadingsChangeFormAtOneFileAndAtEveryFile)
{
    struct Case {
        FolderTally folder;
        std::string heading, headline, strip;
    };
    const std::vector<Case> cases{
        {tally(1, 0), "1 of 1 file has no second copy.", "None of these 1 files has a second copy.",
         "Documents: 1 files, none with a second copy"},
        {tally(1, 2), "1 of 3 files have no second copy.", "1 of these 3 files have no second copy.",
         "Documents: 3 files, 1 with no second copy"},
        {tally(0, 0), "There are no files to check.", "There are no files in Documents to check.",
         "Documents: no files to check"},
    };
    for (const Case& c : cases) {
        const std::optional<CheckResult> result = CheckResult(now, 1, {c.folder}, std::nullopt, {}, false);
        EXPECT_EQ(placeTexts::listHeading(result, placeTexts::Filter::all), c.heading);
        EXPECT_EQ(placeTexts::folderHeadline(c.folder), c.headline);
        EXPECT_EQ(placeTexts::stripLine(c.folder), c.strip);
    }
    EXPECT_EQ(placeTexts::listHeading(std::nullopt, placeTexts::Filter::all), "");
}

TEST(PlaceTexts, BackupSetUpNeedsAPreferencesFileOfMoreThan200Bytes)
{
    CheckResult result(now, 1, {tally(2, 0)}, std::nullopt, {}, false);
    result.timeMachine.fileSize = 200;
    EXPECT_EQ(placeTexts::listLine(result),
              "2 only on this computer, 0 only in iCloud. Your backup tool isn’t set up.");
    result.timeMachine.fileSize = 201;
    EXPECT_EQ(placeTexts::listLine(result), "2 only on this computer, 0 only in iCloud. Time Machine is set up.");
}

TEST(PlaceTexts, SetUpIsWhatTheToolsSettingsSay)
{
    CheckResult result(now, 1, {tally(2, 0)}, std::nullopt, {}, false);
    struct Row {
        std::optional<std::vector<BackupSetup>> setups;
        std::optional<std::string> backupTool; // a drive with one backup of this tool
        std::string title;
        std::string line;
    };
    const std::vector<Row> rows{
        {std::nullopt, std::nullopt, "Your backup tool isn’t set up on this computer.",
         "2 only on this computer, 0 only in iCloud. Your backup tool isn’t set up."},
        {std::vector{BackupSetup{"Déjà Dup", "/media/ada/Backup"}}, std::nullopt,
         "Déjà Dup is set up. Choose its drive to see the date of its last backup.",
         "2 only on this computer, 0 only in iCloud. Déjà Dup is set up."},
        {std::vector<BackupSetup>{}, "restic", "", "2 only on this computer, 0 only in iCloud."},
    };
    for (const Row& row : rows) {
        result.backupSetups = row.setups;
        result.drive.reset();
        if (row.backupTool)
            result.drive = DriveState{{"Backup", "ext4"}, true, {Backup{now - days{1}, {}, {}, {}, row.backupTool}}};
        if (!row.title.empty())
            EXPECT_EQ(placeTexts::noDriveTitle(result), row.title);
        EXPECT_EQ(placeTexts::listLine(result), row.line);
    }
}

TEST(PlaceTexts, ABackupLineNamesTheFirstOnlyOfSeveral)
{
    const Calendar utc = Calendar::utc();
    DriveState drive;
    drive.facts.format = "ext4";
    EXPECT_EQ(placeTexts::backupsLine(drive, now, utc), "Brindle couldn’t read the list of backups on this drive.");
    drive.facts.format.clear();
    EXPECT_EQ(placeTexts::backupsLine(drive, now, utc), "Not read yet. Connect the drive and Brindle reads it.");
    drive.backups = {Backup{now - days{30}, {}, {}, {}, "restic"}};
    EXPECT_EQ(placeTexts::backupsLine(drive, now, utc), "1 backup on this drive. Read from the drive itself.");
    drive.backups.push_back(Backup{now - days{1}});
    EXPECT_EQ(placeTexts::backupsLine(drive, now, utc),
              "2 backups on this drive, the first on 8 November. Read from the drive itself.");
    // The newest backup names the tool.
    EXPECT_EQ(placeTexts::backupTool(drive), "Time Machine");
    drive.facts.encrypted = false;
    EXPECT_EQ(placeTexts::driveRows(drive, now, utc).back().label, "Not encrypted");
    for (const placeTexts::DriveRow& row : placeTexts::driveRows(drive, now, utc))
        EXPECT_EQ(row.warning, row.label == "Not encrypted") << row.label;
}

TEST(PlaceTexts, TheDriveCardTellsWhoKeepsTheBackupsPrivate)
{
    const Calendar utc = Calendar::utc();
    struct Row {
        const char* tool;
        std::optional<bool> backupEncrypted;
        std::string label;
        std::string value;
    };
    const std::vector<Row> rows{
        {"restic", std::nullopt, "Encrypted",
         "restic encrypts these backups: they need its password before anything in them can be read."},
        {"borg", true, "Encrypted",
         "borg encrypts these backups: they need its password before anything in them can be read."},
        {"borg", false, "Not encrypted",
         "Anyone with this drive can read your backup. borg can encrypt your next one."},
        {"rsnapshot", std::nullopt, "Not encrypted",
         "Anyone with this drive can read your backup. Encrypt the drive to keep it private."},
    };
    for (const Row& row : rows) {
        DriveState drive{{"Backup", "ext4"}, true, {Backup{now - days{1}, {}, {}, {}, row.tool, row.backupEncrypted}}};
        drive.facts.encrypted = false;
        const placeTexts::DriveRow last = placeTexts::driveRows(drive, now, utc).back();
        EXPECT_EQ(last.label, row.label) << row.tool;
        EXPECT_EQ(last.value, row.value) << row.tool;
    }
}

TEST(PlaceTexts, TheCloudScreenCountsAndOffersWaysOnlyForFilesOnlyInTheCloud)
{
    using ScreenKind = presentation::CloudScreen::Kind;
    EXPECT_EQ(presentation::cloudScreen(std::nullopt, "Déjà Dup").kind, ScreenKind::notChosen);
    FolderTally cloud = tally(0, 0);
    EXPECT_EQ(presentation::cloudScreen(cloud, "Déjà Dup").kind, ScreenKind::empty);
    cloud = tally(0, 3);
    auto screen = presentation::cloudScreen(cloud, "Déjà Dup");
    ASSERT_EQ(screen.kind, ScreenKind::counted);
    ASSERT_EQ(screen.figures.size(), 3u);
    EXPECT_FALSE(screen.figures[0].accent);
    EXPECT_TRUE(screen.ways.empty());
    cloud.counts.set(Place::onlyICloud, 2);
    cloud.files += 2;
    screen = presentation::cloudScreen(cloud, "Déjà Dup");
    EXPECT_TRUE(screen.figures[0].accent);
    EXPECT_EQ(screen.figures[0].figure, "2");
    ASSERT_EQ(screen.ways.size(), 2u);
    EXPECT_EQ(screen.ways[1].rest, placeTexts::cloudKeepAll(cloud, "Déjà Dup"));
}

} // namespace
} // namespace brindle
