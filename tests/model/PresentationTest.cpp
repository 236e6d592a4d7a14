// What the window shows, worked out from the model's values: the sidebar's rows, the status
// line, the band's spoken summary and the choice of appearance.
#include "Brindle/app/model/Presentation.h"
#include "Brindle/app/model/PhotosPresentation.h"
#include "Brindle/app/model/WelcomePresentation.h"

#include "BrindleCore/Demo.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

using namespace std::chrono;
using presentation::SidebarRow;

const Instant now{sys_days{2026y / December / 8} + 12h};

const SidebarRow& row(const std::vector<presentation::SidebarGroup>& groups, const std::string& label)
{
    for (const auto& group : groups)
        for (const auto& row : group.rows)
            if (row.label == label)
                return row;
    throw std::runtime_error("no row " + label);
}

TEST(Presentation, SidebarRowsFollowTheResultAndTheDrives)
{
    const Calendar utc = Calendar::utc();
    const std::optional<CheckResult> none;
    const auto empty = presentation::sidebar({none, std::nullopt, false, 0, now, utc});
    EXPECT_EQ(row(empty, "All folders").value, "0");
    EXPECT_EQ(row(empty, "No second copy").value, "0");
    EXPECT_FALSE(row(empty, "No second copy").needs);
    EXPECT_EQ(row(empty, "Backup drive").value, "None");
    EXPECT_EQ(row(empty, "History").value, "0");

    std::optional<CheckResult> result = Demo::withDrive();
    result->checkedAt = now;
    const auto demo = presentation::sidebar({result, std::nullopt, true, 3, now, utc});
    EXPECT_EQ(row(demo, "All folders").value, std::to_string(result->folders.size()));
    EXPECT_TRUE(row(demo, "No second copy").needs);
    EXPECT_NE(row(demo, "Backup drive").value, "None");
    EXPECT_EQ(row(demo, "History").value, "3");

    result->drive->backups.clear();
    EXPECT_EQ(row(presentation::sidebar({result, std::nullopt, true, 0, now, utc}), "Backup drive").value, "No backup");
    result->otherDrives = std::vector<DriveState>{*result->drive};
    EXPECT_EQ(row(presentation::sidebar({result, std::nullopt, true, 0, now, utc}), "Backup drives").value,
              "No backup");

    // A set-up that backs up over the network, and no drive: the place is its backups.
    result->drive.reset();
    result->otherDrives.reset();
    BackupSetup pika{"Pika Backup", "ssh://u@u.repo.borgbase.com/./repo"};
    result->backupSetups = std::vector<BackupSetup>{pika};
    EXPECT_EQ(row(presentation::sidebar({result, std::nullopt, false, 0, now, utc}), "Backups").value, "Not seen");
    result->backupSetups->front().lastBackup = now - 2h;
    EXPECT_EQ(row(presentation::sidebar({result, std::nullopt, false, 0, now, utc}), "Backups").value,
              "today at 10:00");
}

TEST(Presentation, StatusLineAndHeadings)
{
    CheckResult result(now - 90min, 125, {}, std::nullopt, {}, false);
    const Calendar utc = Calendar::utc();
    EXPECT_EQ(presentation::statusText(false, 0, std::nullopt, now, utc), "");
    EXPECT_EQ(presentation::statusText(true, 1234, result, now, utc), "Reading 1,234 files");
    EXPECT_EQ(presentation::statusText(false, 0, result, now, utc), "Checked today at 10:30, in 2 min 5 s");
    EXPECT_EQ(presentation::allFoldersTitle(1), "1 folder");
    EXPECT_EQ(presentation::allFoldersTitle(1200), "All 1,200 folders");
}

TEST(Presentation, BandSummaryNeverCountsBelowZero)
{
    FolderTally tally("Documents", "/d");
    tally.files = 10;
    tally.bytes = 2'000'000;
    tally.counts.set(Place::onlyHere, 4);
    tally.counts.set(Place::waiting, 6);
    EXPECT_EQ(presentation::bandSummary(tally),
              "Documents: 10 files, 2 MB. 4 only on this computer, 6 waiting to upload.");
    tally.changedSinceBackup = 9; // more than are only here
    EXPECT_EQ(presentation::bandSummary(tally),
              "Documents: 10 files, 2 MB. 4 changed since the last backup, 6 waiting to upload.");
}

TEST(Presentation, ForcedAppearanceWinsThenTheDesktopThenThePalette)
{
    using A = LaunchArguments::Appearance;
    EXPECT_TRUE(presentation::choosesDark(A::dark, false, false));
    EXPECT_FALSE(presentation::choosesDark(A::light, true, true));
    EXPECT_TRUE(presentation::choosesDark(A::system, true, false));
    EXPECT_FALSE(presentation::choosesDark(A::system, false, true));
    EXPECT_TRUE(presentation::choosesDark(A::system, std::nullopt, true));
}

} // namespace
} // namespace brindle

namespace brindle {
namespace {

// The Photos screen tells what the report found about the catalogue, its guide holds no advice
// for another system, and its button opens the manager found, else Pictures.
TEST(Presentation, PhotosPlaceSpeaksOfTheCatalogueFound)
{
    std::optional<CheckResult> result = Demo::withDrive();
    result->photoCatalogue = PhotoCatalogue{"digiKam", "/home/ada/Pictures/digikam4.db", "Pictures"};
    const std::optional<Report> report = Report(*result, Guide::shared(), std::nullopt, Calendar::utc());
    const auto found = presentation::photosPlace(result, report);
    EXPECT_EQ(found.text, report->findings.back().line);
    EXPECT_NE(found.text.find("inside Pictures"), std::string::npos) << found.text;
    EXPECT_EQ(found.openLabel, "Open digiKam");

    const auto none = presentation::photosPlace(std::nullopt, std::nullopt);
    EXPECT_EQ(none.openLabel, "Open Pictures");
    const auto welcome = presentation::welcomeStep(3, std::nullopt);
    for (const auto& shown : {found, none, presentation::PhotosPlace{welcome.title, welcome.text, {}, {}}}) {
        std::string all = shown.title + shown.text;
        for (const std::string& step : shown.steps)
            all += step;
        for (const char* elsewhere : {"iCloud", "Mac", "Optimise", "Photos ›", "look inside photo libraries"})
            EXPECT_EQ(all.find(elsewhere), std::string::npos) << elsewhere;
    }
}

} // namespace
} // namespace brindle
