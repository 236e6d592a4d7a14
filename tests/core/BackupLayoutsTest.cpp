// The backups each tool leaves on a drive, from fixture trees built by hand: one realistic
// tree per tool with the variants that must not count, read from the drive's root. restic,
// borg and rsnapshot make their own in tests/realtools.
#include "BrindleCore/BackupTools.h"
#include "BrindleCore/Drive.h"
#include "BrindleCore/backups/Formats.h"
#include "tests/support/TestTree.h"

#include <bzlib.h>
#include <gtest/gtest.h>

namespace brindle {
namespace {

using namespace std::chrono;
using test::Node;
using test::TestTree;

const Calendar london = *Calendar::named("Europe/London");
// 2026-11-20T02:15:00Z and the days after it.
const sys_seconds nov20{sys_days{2026y / November / 20} + 2h + 15min};

Backup backup(Instant date, std::optional<Instant> started, const char* tool, std::optional<std::int64_t> items = {},
              std::optional<std::int64_t> bytes = {})
{
    return {date, started, items, bytes, tool};
}

Backup encrypted(Backup made, bool encrypted)
{
    made.encrypted = encrypted;
    return made;
}

std::string unixText(sys_seconds time) { return std::to_string(time.time_since_epoch().count()); }

std::string base36(sys_seconds time)
{
    auto n = time.time_since_epoch().count();
    std::string digits;
    do {
        const auto d = static_cast<int>(n % 36);
        digits.insert(digits.begin(), static_cast<char>(d < 10 ? '0' + d : 'a' + d - 10));
        n /= 36;
    } while (n > 0);
    return digits;
}

std::string bzip2(const std::string& text)
{
    std::string out(text.size() + 1024, '\0');
    auto size = static_cast<unsigned>(out.size());
    EXPECT_EQ(BZ2_bzBuffToBuffCompress(out.data(), &size, const_cast<char*>(text.data()),
                                       static_cast<unsigned>(text.size()), 9, 0, 0),
              BZ_OK);
    out.resize(size);
    return out;
}

std::string info(sys_seconds created)
{
    return R"({"sys-uuid":"8f2c","created":")" + unixText(created) + R"(","tags":"D","comments":"","type":"rsync"})";
}

struct Layout {
    const char* tool;
    std::vector<std::pair<std::string, Node>> nodes;
    std::vector<Backup> expected; // oldest first
};

// Every layout, placed one or two levels below the drive's root.
std::vector<Layout> layouts()
{
    const std::string bit = "backintime/host/ada/1/";
    const std::string ts = "disk/timeshift/snapshots/";
    const std::string dup = "backups/deja/";
    const std::string rdiff = "mirror/rdiff-backup-data/";
    const sys_seconds dstTwice{sys_days{2026y / October / 25} + 30min}; // 01:30 BST, before clocks go back
    const sys_seconds dstSkipped{sys_days{2026y / March / 29} + 1h};    // 01:30 never happened: 02:00 BST
    return {
        {"Back In Time",
         {{bit + "20261120-021500-123/backup/home", Node::directory()},
          {bit + "20261120-021500-123/info", Node::text("snapshot_version=3\nsnapshot_date=20261120-021500\n")},
          {bit + "20261120-021500-123/takesnapshot.log.bz2",
           Node::text(bzip2("[I] Take snapshot\n[C] cf+++++++++ /home/ada/a\n[C] cd+++++++++ /home/ada/b/\n"
                            "[E] Error: rsync: x\n [C] not at the start\n[C] >f.st...... /home/ada/c\n"))},
          {bit + "20261025-013000/backup", Node::directory()},
          {bit + "20260329-013000/backup", Node::directory()},
          {bit + "20261121-021500/backup", Node::directory()},
          {bit + "20261121-021500/failed", Node::file()},
          {bit + "new_snapshot/backup", Node::directory()},
          {bit + "20261122-021500/info", Node::file(10)},
          {bit + "2026112-021500/backup", Node::directory()},
          {bit + "last_snapshot", Node::symlink("20261120-021500-123")}},
         {backup(dstSkipped, dstSkipped, "Back In Time"), backup(dstTwice, dstTwice, "Back In Time"),
          backup(nov20, nov20, "Back In Time", 3)}},
        // Timeshift cannot run in a container. The layout follows its source (linuxmint/timeshift,
        // src/Core/Snapshot.vala): write_control_file writes info.json with "created" as Unix
        // seconds in a string, and "type" "rsync" or "btrfs"; read_control_file takes the files
        // below "localhost" (rsync) or "@" (btrfs); rsync_log_file is "rsync-log" and
        // exclude_file_for_backup "exclude.list" beside it; mark_for_deletion writes "delete".
        {"Timeshift",
         {{ts + "2026-11-20_02-15-00/info.json", Node::text(info(nov20))},
          {ts + "2026-11-20_02-15-00/localhost/etc", Node::directory()},
          {ts + "2026-11-20_02-15-00/exclude.list", Node::text("/dev/*\n/proc/*\n/home/*/**\n")},
          {ts + "2026-11-20_02-15-00/rsync-log", Node::text(">f+++++++++ etc/hostname\n")},
          {ts + "2026-11-21_02-15-00/info.json", Node::text(info(nov20 + days{1}))},
          {ts + "2026-11-21_02-15-00/delete", Node::file()},
          {ts + "2026-11-22_02-15-00/localhost", Node::directory()},
          {ts + "2026-11-23_02-15-00/info.json", Node::text(R"({"created": "17951)")},
          {ts + "2026-11-24_02-15-0/info.json", Node::text(info(nov20 + days{4}))},
          {ts + ".sync/info.json", Node::text(info(nov20 + days{5}))},
          {"disk/timeshift-btrfs/snapshots/2026-11-19_02-15-00/info.json", Node::text(info(nov20 - days{1}))}},
         {backup(nov20 - days{1}, nov20 - days{1}, "Timeshift"), backup(nov20, nov20, "Timeshift")}},
        {"duplicity",
         {{dup + "duplicity-full.20261120T021500Z.manifest.gpg", Node::file(100)},
          {dup + "duplicity-full.20261120T021500Z.vol1.difftar.gpg", Node::file(100)},
          {dup + "duplicity-inc.20261120T021500Z.to.20261121T021500Z.manifest.gpg", Node::file(100)},
          {dup + "duplicity-inc.20261121T021500Z.to.20261122T021500Z.manifest.part", Node::file(100)},
          {dup + "df." + base36(nov20 + days{3}) + ".m.g", Node::file(100)},
          {dup + "di." + base36(nov20 + days{3}) + "." + base36(nov20 + days{4}) + ".m.p", Node::file(100)},
          {dup + "duplicity-full.2026112T021500Z.manifest", Node::file(100)},
          {"backups/plain/duplicity-full.20261126T021500Z.manifest", Node::file(100)}},
         {encrypted(backup(nov20, nov20, "duplicity"), true),
          encrypted(backup(nov20 + days{1}, nov20 + days{1}, "duplicity"), true),
          encrypted(backup(nov20 + days{3}, nov20 + days{3}, "duplicity"), true),
          encrypted(backup(nov20 + days{6}, nov20 + days{6}, "duplicity"), false)}},
        {"rdiff-backup",
         {{"mirror/home/ada", Node::directory()},
          {rdiff + "session_statistics.2026-11-20T03:15:00+01:00.data",
           Node::text("StartTime " + unixText(nov20) + ".00 (Fri Nov 20 03:15:00 2026)\nEndTime " +
                      unixText(nov20 + 90s) +
                      ".50 (Fri Nov 20 03:16:30 2026)\nElapsedTime 90.50\nSourceFiles 120\n"
                      "NewFiles 3\nNewFileSize 100\nDeletedFiles 1\nChangedFiles 4\nChangedSourceSize 23\n")},
          {rdiff + "current_mirror.2026-11-20T03:15:00+01:00.data", Node::text("PID 123\n")},
          {rdiff + "session_statistics.2026-11-21T03-15-00+01-00.data",
           Node::text("StartTime " + unixText(nov20 + days{1}) + ".00\n")},
          {rdiff + "current_mirror.2026-11-21T03-15-00+01-00.data", Node::text("PID 124\n")}},
         {backup(nov20 + 90s + 500ms, nov20, "rdiff-backup", 7, 123)}},
    };
}

TEST(BackupLayouts, EachToolsBackupsWithoutTheUnfinishedOnes)
{
    for (const Layout& layout : layouts()) {
        const TestTree tree(layout.nodes);
        EXPECT_EQ(Drive::backups(tree.root(), tree.now(), london), layout.expected) << layout.tool;
    }
}

TEST(BackupLayouts, TheSearchIsBoundedAndFollowsNoLink)
{
    const TestTree outside{{{"timeshift/snapshots/2026-11-20_02-15-00/info.json", Node::text(info(nov20))}}};
    const TestTree tree{{
        {"a/b/timeshift/snapshots/2026-11-20_02-15-00/info.json", Node::text(info(nov20))},
        {"link", Node::symlink(outside.root())},
        {"timeshift", Node::symlink(outside.path("timeshift"))},
        {"ts/timeshift/snapshots/2026-11-21_02-15-00",
         Node::symlink(outside.path("timeshift/snapshots/2026-11-20_02-15-00"))},
        {"ts/timeshift/snapshots/2026-11-22_02-15-00/info.json",
         Node::symlink(outside.path("timeshift/snapshots/2026-11-20_02-15-00/info.json"))},
    }};
    EXPECT_EQ(Drive::backups(tree.root(), tree.now(), london), std::vector<Backup>{});
    EXPECT_EQ(Drive::backups(tree.path("a"), tree.now(), london).size(), 1u) << "two levels below the chosen folder";
}

TEST(BackupLayouts, AFolderOfManyEntriesHidesNoBackups)
{
    std::vector<std::pair<std::string, Node>> nodes;
    for (int i = 0; i < 300; ++i)
        nodes.push_back({"folder " + std::to_string(i) + "/photo.jpg", Node::file()});
    const TestTree crowded(nodes);
    const auto nothing = Drive::searchBackups(crowded.root(), crowded.now(), london);
    EXPECT_TRUE(nothing.backups.empty());
    EXPECT_FALSE(nothing.complete) << "a search that listed 256 of 300 entries did not look everywhere";

    nodes.push_back({"timeshift/snapshots/2026-11-20_02-15-00/info.json", Node::text(info(nov20))});
    const TestTree tree(nodes);
    const auto found = Drive::searchBackups(tree.root(), tree.now(), london);
    EXPECT_EQ(found.backups, (std::vector<Backup>{backup(nov20, nov20, "Timeshift")}))
        << "known names are looked up first";
    EXPECT_FALSE(found.complete);
    const TestTree few{{{"zz/backintime/host/ada/1/20261121-021500/backup", Node::directory()}}};
    EXPECT_TRUE(Drive::searchBackups(few.root(), few.now(), london).complete);
}

TEST(BackupLayouts, CompressedLogBombsCostLittle)
{
    const std::string bomb = bzip2("[C] " + std::string(8u << 20, 'a') + "\n");
    DecompressionBudget budget;
    const std::size_t before = budget.bytesLeft;
    EXPECT_EQ(BackupFormats::backInTimeChanges(bomb, &budget), std::nullopt);
    EXPECT_LT(before - budget.bytesLeft, 2u << 20) << "stopped once the ratio showed a bomb";

    const std::string log = bzip2("[C] >f+++++++++ /home/ada/a\n[C] >f.st...... /home/ada/b\n");
    EXPECT_EQ(BackupFormats::backInTimeChanges(log, &budget), 2);
    budget.bytesLeft = 0;
    EXPECT_EQ(BackupFormats::backInTimeChanges(log, &budget), std::nullopt) << "nothing once the budget is spent";
    budget = DecompressionBudget{};
    budget.deadline = std::chrono::steady_clock::now() - 1s;
    EXPECT_EQ(BackupFormats::backInTimeChanges(log, &budget), std::nullopt) << "nothing once the time is spent";
}

TEST(BackupLayouts, OldFilesWithoutToolsStillRead)
{
    const auto decoded = decodeBackup(parseJson(R"({"date":"2026-11-20T02:15:00Z"})"), DateForm::iso8601);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->tool, std::nullopt);
    EXPECT_EQ(dumpJson(encode(*decoded, DateForm::iso8601)), R"({"date":"2026-11-20T02:15:00Z"})");
    EXPECT_EQ(dumpJson(encode(backup(nov20, {}, "restic"), DateForm::iso8601)),
              R"({"date":"2026-11-20T02:15:00Z","tool":"restic"})");
}

TEST(BackupTools, WhichDrivesCanHoldTheBackupsFoundOnThem)
{
    struct Row {
        const char* format;
        std::optional<std::string> tool; // "-" for a drive with no backups; nullopt for a manifest's
        bool canHold;
        const char* named;
    };
    const std::vector<Row> rows{
        {"ext4", "Back In Time", true, "Back In Time"},
        {"Btrfs", "Timeshift", true, "Timeshift"},
        {"XFS", "rsnapshot", true, "rsnapshot"},
        {"MS-DOS (FAT32)", "Back In Time", false, "Back In Time"},
        {"NTFS", "Timeshift", false, "Timeshift"},
        {"MS-DOS (FAT32)", "restic", true, "restic"},
        {"ExFAT", "borg", true, "borg"},
        {"Unknown", "Déjà Dup", true, "Déjà Dup"},
        {"ISO 9660", "rdiff-backup", false, "rdiff-backup"},
        {"ext4", "-", true, "your backup tool"},
        {"ExFAT", "-", false, "your backup tool"},
        {"Unknown", "-", false, "your backup tool"},
        {"XFS", std::nullopt, false, "Time Machine"},
        {"APFS", std::nullopt, true, "Time Machine"},
        {"", "Back In Time", true, "Back In Time"},
    };
    for (const Row& row : rows) {
        DriveState drive{{"Backup", row.format}, true, {}};
        if (row.tool != "-")
            drive.backups.push_back({nov20, {}, {}, {}, row.tool});
        EXPECT_EQ(BackupTools::canHold(drive), row.canHold) << row.format << " " << row.named;
        EXPECT_EQ(BackupTools::of(drive).name, row.named) << row.format;
    }
}

TEST(BackupTools, WhoKeepsTheBackupsPrivate)
{
    struct Row {
        std::optional<bool> driveEncrypted;
        std::optional<std::string> tool; // "-" for a drive with no backups
        std::optional<bool> backupEncrypted;
        Privacy privacy;
    };
    const std::vector<Row> rows{
        {true, "rsnapshot", std::nullopt, Privacy::driveEncrypted},
        {false, "rsnapshot", std::nullopt, Privacy::exposed},
        {false, "restic", std::nullopt, Privacy::backupsEncrypted},
        {std::nullopt, "restic", std::nullopt, Privacy::backupsEncrypted},
        {false, "borg", true, Privacy::backupsEncrypted},
        {false, "borg", false, Privacy::exposed},
        {false, "borg", std::nullopt, Privacy::exposed},
        {std::nullopt, "duplicity", true, Privacy::backupsEncrypted},
        {std::nullopt, "duplicity", false, Privacy::unknown},
        {false, "-", std::nullopt, Privacy::exposed},
        {std::nullopt, "-", std::nullopt, Privacy::unknown},
    };
    for (const Row& row : rows) {
        DriveState drive{{"Backup", "ext4"}, true, {}};
        drive.facts.encrypted = row.driveEncrypted;
        if (row.tool != "-") {
            drive.backups.push_back(backup(nov20, {}, row.tool->c_str()));
            drive.backups.back().encrypted = row.backupEncrypted;
        }
        EXPECT_EQ(BackupTools::privacy(drive), row.privacy) << *row.tool;
    }
}

TEST(BackupFormats, ABorgSegmentNamesTheKeyThatWroteIt)
{
    const auto segment = [](char tag, char type) {
        std::string head = "BORG_SEG" + std::string(8, '\x01') + tag + std::string(32, '\0');
        if (tag == 3)
            head += std::string(8, '\x02');
        return head + type + "rest";
    };
    EXPECT_EQ(BackupFormats::borgSegmentEncrypted(segment(0, 0x03)), true);
    EXPECT_EQ(BackupFormats::borgSegmentEncrypted(segment(3, 0x05)), true);
    EXPECT_EQ(BackupFormats::borgSegmentEncrypted(segment(0, 0x02)), false);
    EXPECT_EQ(BackupFormats::borgSegmentEncrypted(segment(3, 0x07)), false);
    EXPECT_EQ(BackupFormats::borgSegmentEncrypted(segment(2, 0x03)), std::nullopt); // a commit holds no object
    EXPECT_EQ(BackupFormats::borgSegmentEncrypted(segment(0, 0x42)), std::nullopt);
    EXPECT_EQ(BackupFormats::borgSegmentEncrypted(segment(0, 0x03).substr(0, 49)), std::nullopt);
    EXPECT_EQ(BackupFormats::borgSegmentEncrypted("HELLOSEG" + segment(0, 0x03).substr(8)), std::nullopt);
}

} // namespace
} // namespace brindle
