// The words of the place screens: the boundaries where a form changes.
#include "Brindle/app/model/PlaceTexts.h"
#include "Brindle/app/model/CloudScreen.h"
#include "Brindle/app/model/LetterPresentation.h"
#include "Brindle/app/model/Presentation.h"
#include "Brindle/app/model/RemoteBackupPlace.h"
#include "Brindle/app/model/TrayPresentation.h"

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
        {tally(1, 0), "1 of 1 file has no second copy.", "Its one file has no second copy.",
         "Documents: 1 file, none with a second copy"},
        {tally(0, 1), "0 of 1 file has no second copy.", "Its one file has a second copy.",
         "Documents: 1 file, 0 with no second copy"},
        {tally(1, 2), "1 of 3 files have no second copy.", "1 of these 3 files has no second copy.",
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
    EXPECT_EQ(placeTexts::listLine(result), "2 only on this computer. Your backup tool isn’t set up.");
    result.timeMachine.fileSize = 201;
    EXPECT_EQ(placeTexts::listLine(result), "2 only on this computer. Time Machine is set up.");
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
         "2 only on this computer. Your backup tool isn’t set up."},
        {std::vector{BackupSetup{"Déjà Dup", "/media/ada/Backup"}}, std::nullopt,
         "Déjà Dup is set up. Choose its drive to see the date of its last backup.",
         "2 only on this computer. Déjà Dup is set up."},
        {std::vector<BackupSetup>{}, "restic", "", "2 only on this computer."},
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

// A set-up that backs up over the network has no drive to choose: the drive screen, the tray
// panel and the letter name its target and the tool's record, and ask for a drive only for a
// set-up that backs up to one.
TEST(PlaceTexts, BackupsSentOverTheNetworkAreNeverADriveToChoose)
{
    const Calendar utc = Calendar::utc();
    BackupSetup pika{"Pika Backup", "ssh://k3x@k3x.repo.borgbase.com/./repo"};
    pika.lastBackup = now - days{3} + 10h; // 5 December, 22:00
    BackupSetup unrecorded = pika;
    unrecorded.lastBackup.reset();
    const std::string recorded = "Last backup on 5 December at 22:00, to BorgBase (ssh), as Pika Backup recorded.";
    const std::string unseen = "BorgBase (ssh): Brindle can’t see backups sent over the network.";
    struct Row {
        std::vector<BackupSetup> setups;
        std::string title;
        bool drivesAdvised;
        std::string lastBackupRow;
        std::string cardLine;
        std::vector<std::string> letter; // the first is the tray panel's line too
    };
    const std::vector<Row> rows{
        {{pika},
         "Pika Backup backs up over the network.",
         false,
         "on 5 December at 22:00",
         "As Pika Backup recorded it. Brindle can’t read that backup itself.",
         {recorded}},
        {{unrecorded},
         "Pika Backup backs up over the network.",
         false,
         "Not seen",
         "Brindle can’t see backups sent over the network, so it can’t tell which files they hold.",
         {unseen}},
        {{BackupSetup{"Déjà Dup", "/media/ada/Backup"}, pika},
         "Déjà Dup is set up. Choose its drive to see the date of its last backup.",
         true,
         "on 5 December at 22:00",
         "As Pika Backup recorded it. Brindle can’t read that backup itself.",
         {recorded, "Déjà Dup is set up; its drive wasn’t chosen in Brindle."}},
    };
    for (const Row& row : rows) {
        CheckResult result(now, 1, {tally(2, 0)}, std::nullopt, {}, false);
        result.backupSetups = row.setups;
        EXPECT_EQ(placeTexts::noDriveTitle(result), row.title);
        EXPECT_EQ(placeTexts::drivesAdvised(result), row.drivesAdvised);
        const auto card = presentation::remoteCard(result, now, utc);
        ASSERT_TRUE(card);
        EXPECT_EQ(card->target, "BorgBase (ssh)");
        EXPECT_EQ(card->rows,
                  (std::vector<placeTexts::DriveRow>{{"Last backup", row.lastBackupRow}, {"Tool", "Pika Backup"}}));
        EXPECT_EQ(card->line, row.cardLine);
        EXPECT_EQ(presentation::panelBackupLine(result, now, utc), row.letter.front());
        const Report report(result, Guide::shared(), std::nullopt, utc);
        EXPECT_EQ(presentation::letter(result, report, Guide::shared(), "", now, utc).backups, row.letter);
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
    const auto nextcloud = presentation::cloudClient(std::string("Nextcloud"));
    EXPECT_EQ(presentation::cloudScreen(std::nullopt, "Déjà Dup", nextcloud, true).kind, ScreenKind::notChosen);
    FolderTally cloud = tally(0, 0);
    EXPECT_EQ(presentation::cloudScreen(cloud, "Déjà Dup", nextcloud, true).kind, ScreenKind::empty);
    cloud = tally(0, 3);
    auto screen = presentation::cloudScreen(cloud, "Déjà Dup", nextcloud, true);
    ASSERT_EQ(screen.kind, ScreenKind::counted);
    ASSERT_EQ(screen.figures.size(), 3u);
    EXPECT_FALSE(screen.figures[0].accent);
    EXPECT_TRUE(screen.ways.empty());
    cloud.counts.set(Place::onlyICloud, 2);
    cloud.files += 2;
    screen = presentation::cloudScreen(cloud, "Déjà Dup", nextcloud, true);
    EXPECT_TRUE(screen.figures[0].accent);
    EXPECT_EQ(screen.figures[0].figure, "2");
    ASSERT_EQ(screen.ways.size(), 2u);
    EXPECT_NE(screen.ways[1].rest.find("the next Déjà Dup backup includes them"), std::string::npos);
}

// Each client as itself: its place, its own advice and buttons, and no iCloud word but in the
// demonstration.
TEST(PlaceTexts, EveryTextAboutTheCloudNamesItsClient)
{
    struct Case {
        std::optional<std::string> client;
        std::string place;     // the sidebar's
        std::string onlyLabel; // the legend's and the letter's
        std::size_t ways;
        std::string firstWay; // part of it
        std::string settings; // when installed
        std::string help;
    };
    const std::vector<Case> cases{
        {std::nullopt, "Sync folder", "Only in the cloud", 0, "", "", ""},
        {"iCloud", "iCloud Drive", "Only in iCloud", 2, "choose Keep Downloaded", "Open iCloud Settings",
         "About iCloud Drive"},
        {"Nextcloud", "Nextcloud", "Only in Nextcloud", 2, "Nextcloud and choose Always available locally",
         "Open Nextcloud", "About Nextcloud"},
        {"ownCloud", "ownCloud", "Only in ownCloud", 2, "ownCloud and choose Always available locally", "Open ownCloud",
         "About ownCloud"},
        {"OneDrive", "OneDrive", "Only in OneDrive", 0, "", "", "About OneDrive"},
        {"rclone", "rclone", "Only in rclone", 1, "rclone copy, or rclone sync", "", "About rclone"},
    };
    const Calendar utc = Calendar::utc();
    FolderTally cloud = tally(1, 2);
    cloud.counts.set(Place::onlyICloud, 3);
    cloud.files += 3;
    cloud.inICloud = true;
    cloud.changedSinceBackup = 1;
    for (const Case& c : cases) {
        std::optional<CheckResult> result = CheckResult(now, 1, {cloud}, std::nullopt, {}, true);
        result->cloudClient = c.client;
        const auto client = presentation::cloudClient(result);
        const auto screen = presentation::cloudScreen(cloud, "your backup tool", client, true);
        EXPECT_EQ(screen.figures[0].title, c.onlyLabel);
        EXPECT_EQ(screen.ways.size(), c.ways) << c.place;
        if (!screen.ways.empty())
            EXPECT_NE(screen.ways[0].rest.find(c.firstWay), std::string::npos) << screen.ways[0].rest;
        EXPECT_EQ(screen.settingsButton, c.settings);
        EXPECT_EQ(presentation::cloudScreen(cloud, "x", client, false).settingsButton, "") << "not installed";
        EXPECT_EQ(screen.helpButton, c.help);
        const auto sidebar = presentation::sidebar({result, cloud, false, 0, now, utc});
        EXPECT_EQ(sidebar[2].rows.front().label, c.place);
        const auto legend = presentation::legend(false, Guide::shared(), client);
        EXPECT_EQ(legend[1].label, c.onlyLabel);
        const auto letter = presentation::letter(*result, Report(*result, Guide::shared(), std::nullopt, utc),
                                                 Guide::shared(), "Kitchen", now, utc);
        EXPECT_EQ(letter.table.header[5], c.onlyLabel);

        std::string all = screen.title + screen.paragraph + screen.waysTitle + legend[2].label +
                          letter.table.header[4] + placeTexts::listLine(result) +
                          presentation::cloudScreen(std::nullopt, "x", client, true).title +
                          presentation::bandSummary(cloud, client);
        for (const auto& figure : screen.figures)
            all += figure.title;
        for (const auto& way : screen.ways)
            all += way.lead + way.rest;
        for (const auto& box : placeTexts::sideBoxes(cloud, "restic", client))
            all += box.title + box.figure + box.line;
        EXPECT_EQ(all.find("iCloud") != std::string::npos, c.client == "iCloud") << all;
        if (c.client && c.client != "iCloud")
            EXPECT_NE(all.find(*c.client), std::string::npos) << all;
    }
}

// A count of one takes the singular, in every sentence built around a count.
TEST(PlaceTexts, ACountOfOneIsSingular)
{
    const auto nextcloud = presentation::cloudClient(std::string("Nextcloud"));
    FolderTally one = tally(1, 0);
    one.bytes = 10;
    one.changedSinceBackup = 1;
    one.kinds.set(Kind::pictures, 1);
    FolderTally cloud = tally(0, 0);
    cloud.counts.set(Place::onlyICloud, 1);
    cloud.files = 1;
    const std::optional<CheckResult> result = CheckResult(now, 1, {one}, std::nullopt, {}, false);
    std::optional<CheckResult> changed = result;
    changed->folders[0].changedThisWeek = 1;
    FolderTally both = one;
    both.counts.merge(cloud.counts);
    both.sizes.set(Place::onlyICloud, 10);
    const auto boxes = placeTexts::sideBoxes(both, "restic", nextcloud);
    ASSERT_EQ(boxes.size(), 2u);
    const std::vector<std::pair<std::string, std::string>> cases{
        {boxes[0].figure, "1 file"},
        {boxes[0].line, "It’s not in Nextcloud either, so it has no second copy until the next backup."},
        {boxes[1].title, "A backup of this computer can’t include it"},
        {boxes[1].figure, "1 file only in Nextcloud"},
        {boxes[1].line, "under 1 MB in Nextcloud and not on this computer, so restic can’t back it up."},
        {placeTexts::cloudTitle(cloud, nextcloud),
         "1 of these files isn’t on this computer, so a backup of this computer can’t include it."},
        {presentation::cloudScreen(cloud, "restic", nextcloud, false).waysTitle, "Two ways to give it a second copy"},
        {placeTexts::kindLine(one), "1 picture. 0 changed in the last 7 days."},
        {placeTexts::listHeading(changed, placeTexts::Filter::changedThisWeek), "1 file changed in the last 7 days."},
        {presentation::statusText(true, 1, std::nullopt, now, Calendar::utc()), "Reading 1 file"},
        {presentation::bandSummary(one), "Documents: 1 file, under 1 MB. 1 changed since the last backup."},
        {presentation::filesAndSize(one), "1 file · under 1 MB"},
    };
    for (const auto& [shown, expected] : cases)
        EXPECT_EQ(shown, expected);
}

} // namespace
} // namespace brindle
