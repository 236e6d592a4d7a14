// The history screen's texts and the printed letter's contents, worked out from the model's
// values.
#include "Brindle/app/model/HistoryPresentation.h"
#include "Brindle/app/model/LetterPresentation.h"
#include "BrindleCore/Demo.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

using namespace std::chrono;

const Instant now{sys_days{2026y / December / 8} + 12h};

CheckSummary entry(Instant at, std::int64_t noSecondCopy, std::optional<Instant> lastBackup = std::nullopt)
{
    CheckSummary summary;
    summary.at = at;
    summary.files = 100;
    summary.onlyHere = noSecondCopy;
    summary.noSecondCopy = noSecondCopy;
    summary.lastBackup = lastBackup;
    return summary;
}

TEST(HistoryScreen, HeadlineComparesTheNewestCountWithTheOldest)
{
    const Calendar utc = Calendar::utc();
    const Instant first = now - days(20);
    struct Case {
        std::vector<CheckSummary> history;
        std::string headline;
    };
    const std::vector<Case> cases{
        {{}, ""},
        {{entry(now - 2h, 7)}, "One check so far, today at 10:00"},
        {{entry(first, 7), entry(now, 7)}, "7 files have no second copy now, the same as 7 on 18 November"},
        {{entry(first, 1'200), entry(now - days(3), 9), entry(now, 1)},
         "1 file has no second copy now, down from 1,200 on 18 November"},
        {{entry(first, 0), entry(now, 3)}, "3 files have no second copy now, up from 0 on 18 November"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(presentation::historyHeadline(c.history, now, utc), c.headline);
    EXPECT_EQ(presentation::historyCaption(1),
              "1 check, kept on this computer. Each band is drawn by number of files.");
    EXPECT_EQ(presentation::historyCaption(730).substr(0, 11), "730 checks,");
}

TEST(HistoryScreen, RowsNewestFirstSharingOneScale)
{
    const std::vector<CheckSummary> history{entry(now - days(9), 0, now - days(12)), entry(now - 1h, 4)};
    const auto rows = presentation::historyRows(history, now, Calendar::utc());
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].date, "Today at 11:00");
    EXPECT_EQ(rows[0].count, "4");
    EXPECT_TRUE(rows[0].accent);
    EXPECT_EQ(rows[0].backup, "No backup");
    EXPECT_EQ(rows[1].date, "On 29 November");
    EXPECT_FALSE(rows[1].accent); // nothing without a second copy: muted
    EXPECT_EQ(rows[1].backup, "Backup 12 days ago");
    auto bigger = history;
    bigger[0].files = 250;
    EXPECT_EQ(presentation::historyScale(bigger), 250);
    EXPECT_EQ(presentation::historyScale({}), 1);
}

TEST(Letter, DriveLinesLeaveOutWhatIsNotKnown)
{
    const Calendar utc = Calendar::utc();
    DriveState drive;
    drive.facts.name = "Backups";
    drive.backups = {Backup{.date = now - days(10)}};
    struct Case {
        std::string format;
        std::optional<bool> encrypted;
        std::optional<std::int64_t> free;
        std::string line;
    };
    const std::vector<Case> cases{
        {"ext4", std::nullopt, std::nullopt, "Backups (ext4): last backup on 28 November, 1 backup."},
        {"ext4", false, 12'000'000'000,
         "Backups (ext4, not encrypted, 12.00 GB free): last backup on 28 November, 1 backup."},
        {"", true, std::nullopt, "Backups (encrypted): last backup on 28 November, 1 backup."},
        {"", std::nullopt, std::nullopt, "Backups: last backup on 28 November, 1 backup."},
    };
    for (const Case& c : cases) {
        drive.facts.format = c.format;
        drive.facts.encrypted = c.encrypted;
        drive.facts.freeBytes = c.free;
        EXPECT_EQ(presentation::letterDriveLine(drive, now, utc), c.line);
    }
    drive.facts.encrypted = false;
    drive.backups[0].tool = "restic";
    EXPECT_EQ(presentation::letterDriveLine(drive, now, utc),
              "Backups (backups encrypted): last backup on 28 November, 1 backup.");
    drive.facts.encrypted.reset();
    drive.backups.clear();
    EXPECT_EQ(presentation::letterDriveLine(drive, now, utc), "Backups: no backups read, 0 backups.");
}

TEST(Letter, TheTableHeaderFollowsTheBackupDateAndOnlyWhatNeedsYouIsListed)
{
    const Calendar utc = Calendar::utc();
    for (const CheckResult& result : {Demo::noBackup(), Demo::withDrive()}) {
        const Report report(result, Guide::shared(), std::nullopt, utc);
        const auto letter = presentation::letter(result, report, Guide::shared(), "Kitchen", now, utc);
        const bool backup = result.lastBackup().has_value();
        EXPECT_EQ(letter.table.header.size(), backup ? 8u : 7u);
        EXPECT_EQ(letter.table.header[3], backup ? "Changed since backup" : "Only on this computer");
        ASSERT_EQ(letter.table.rows.size(), result.folders.size() + 1);
        for (const auto& row : letter.table.rows)
            EXPECT_EQ(row.size(), letter.table.header.size());
        EXPECT_EQ(letter.table.rows.back().front(), "All folders");
        EXPECT_EQ(letter.needsYou.size(), static_cast<std::size_t>(std::ranges::count_if(
                                              report.findings, [](const Finding& f) { return f.needsYou; })));
        EXPECT_TRUE(letter.checked.ends_with(". Kitchen."));
        EXPECT_EQ(letter.backups.size(), result.drives().size() + (backup ? 0 : 1));
    }
    // Names from outside cannot turn the line around or hide a control in it.
    CheckResult named = Demo::withDrive();
    named.folders.front().name = "Docs\u202Etxt.exe";
    named.drive->facts.name = "Disk\u2066\u0085";
    const Report namedReport(named, Guide::shared(), std::nullopt, utc);
    const auto namedLetter = presentation::letter(named, namedReport, Guide::shared(), "Kitchen\u202E", now, utc);
    EXPECT_TRUE(namedLetter.checked.ends_with(". Kitchen.")) << namedLetter.checked;
    EXPECT_EQ(namedLetter.table.rows.front().front(), "Docstxt.exe");
    EXPECT_TRUE(namedLetter.backups.front().starts_with("Disk (")) << namedLetter.backups.front();
    CheckResult noDrive = Demo::noBackup();
    for (const auto& [size, line] :
         {std::pair{200, "Your backup tool isn\u2019t set up on this computer."},
          std::pair{201, "Time Machine is set up; its drive wasn\u2019t chosen in Brindle."}}) {
        noDrive.timeMachine.fileSize = size;
        const Report report(noDrive, Guide::shared(), std::nullopt, utc);
        EXPECT_EQ(presentation::letter(noDrive, report, Guide::shared(), "", now, utc).backups,
                  std::vector<std::string>{line});
    }
    noDrive.timeMachine.fileSize.reset();
    noDrive.backupSetups = {BackupSetup{"Déjà Dup"}};
    const Report report(noDrive, Guide::shared(), std::nullopt, utc);
    EXPECT_EQ(presentation::letter(noDrive, report, Guide::shared(), "", now, utc).backups,
              std::vector<std::string>{"Déjà Dup is set up; its drive wasn\u2019t chosen in Brindle."});
}

// Five thousand folders would shrink the letter past reading: it names the ten with the most
// files with no second copy and adds up the rest.
TEST(Letter, ManyFoldersListTheWorstAndCountTheRest)
{
    const Calendar utc = Calendar::utc();
    CheckResult result = Demo::noBackup();
    result.folders.clear();
    for (int i = 0; i < 5000; ++i) {
        FolderTally folder("F" + std::to_string(i), "/f/" + std::to_string(i));
        folder.files = (i * 37) % 1000;
        folder.counts.set(Place::onlyHere, folder.files);
        result.folders.push_back(std::move(folder));
    }
    const Report report(result, Guide::shared(), std::nullopt, utc);
    const auto table = presentation::letter(result, report, Guide::shared(), "", now, utc).table;
    ASSERT_EQ(table.rows.size(), presentation::letterFolderRows + 2);
    EXPECT_EQ(table.rows[0][0], "F27"); // 999 files with no second copy, the first of them
    EXPECT_EQ(table.rows[0][3], "999");
    EXPECT_EQ(table.rows[4][3], "999");
    EXPECT_EQ(table.rows[5][3], "998");
    EXPECT_EQ(table.rows[10][0], "and 4,990 more folders");
    EXPECT_EQ(table.rows[11][0], "All folders");
    const auto number = [](std::string text) {
        std::erase(text, ',');
        return std::stoll(text);
    };
    std::int64_t listed = 0;
    for (std::size_t i = 0; i <= 10; ++i)
        listed += number(table.rows[i][1]);
    EXPECT_EQ(listed, result.total().files);
}

} // namespace
} // namespace brindle
