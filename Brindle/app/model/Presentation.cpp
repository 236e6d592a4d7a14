#include "Brindle/app/model/Presentation.h"

#include "BrindleCore/RemoteBackups.h"
#include "BrindleCore/Words.h"

#include <algorithm>

namespace brindle::presentation {

bool canCheckNow(bool checking, bool demo) { return !checking && !demo; }

std::string statusText(bool checking, std::int64_t progressDone, const std::optional<CheckResult>& result, Instant now,
                       const Calendar& calendar)
{
    if (checking)
        return "Reading " + Words::counted(progressDone, "file", "files");
    if (result)
        return "Checked " + Words::when(result->checkedAt, now, calendar, false) + ", in " +
               Words::duration(result->seconds);
    return {};
}

std::vector<SidebarGroup> sidebar(const SidebarFacts& facts)
{
    using Kind = Section::Kind;
    const std::optional<CheckResult>& result = facts.result;
    const FolderTally total = result ? result->total() : FolderTally{};
    const std::int64_t noSecond = total.noSecondCopyWithBackup();

    std::vector<SidebarGroup> groups;
    groups.push_back({"", {{"Overview", "", false, {Kind::overview}}}});
    groups.push_back({"All files",
                      {{"All folders", std::to_string(result ? result->folders.size() : 0), false, {Kind::allFolders}},
                       {"No second copy", Words::count(noSecond), noSecond > 0, {Kind::noSecondCopy}},
                       {"Changed this week", Words::count(total.changedThisWeek), false, {Kind::changedThisWeek}}}});

    SidebarGroup places{"Places", {}};
    if (result) {
        for (const FolderTally& folder : result->folders) {
            if (facts.cloud && folder.path == facts.cloud->path)
                continue;
            const std::int64_t without = folder.noSecondCopyWithBackup();
            places.rows.push_back({folder.name, Words::count(without < 1 ? folder.files : without), without > 0,
                                   Section::folder(folder.path)});
        }
    }
    if (facts.cloud) {
        const std::int64_t onlyCloud = facts.cloud->count(Place::onlyICloud);
        places.rows.push_back(
            {cloudClient(result).folder, Words::count(onlyCloud), onlyCloud >= 1, {Kind::iCloudDrive}});
    }
    const bool severalDrives = result && result->drives().size() >= 2;
    std::string driveValue = "None";
    if (facts.driveChosen) {
        const auto last = result ? result->lastBackup() : std::nullopt;
        const bool searchStopped = result && result->drive && result->drive->searchStopped.value_or(false);
        driveValue = last ? Words::when(*last, facts.now, facts.calendar, false)
                          : (searchStopped ? "Not found yet" : "No backup");
    }
    std::string driveLabel = severalDrives ? "Backup drives" : "Backup drive";
    // Backups sent over the network have no drive: the place shows the tool's record instead.
    const BackupSetup* remote = result && !result->drive && result->backupSetups
                                    ? RemoteBackups::principal(*result->backupSetups, result->checkedAt)
                                    : nullptr;
    if (remote) {
        driveLabel = "Backups";
        const auto cutOff = RemoteBackups::cutOff(*remote, result->checkedAt);
        driveValue = cutOff ? Words::when(*remote->lastBackup, facts.now, facts.calendar, false) : "Not seen";
    }
    places.rows.push_back({driveLabel, driveValue, false, {Kind::backupDrive}});
    places.rows.push_back({"Photos", "Check", false, {Kind::photos}});
    groups.push_back(std::move(places));

    groups.push_back({"Over time", {{"History", std::to_string(facts.historyEntries), false, {Kind::history}}}});
    return groups;
}

std::string answer(const std::optional<Report>& report, const Guide& guide)
{
    return report ? report->answer : guide.answer("noFolders").text(0);
}

std::string allFoldersTitle(std::size_t folders)
{
    return folders == 1 ? "1 folder" : "All " + Words::count(static_cast<std::int64_t>(folders)) + " folders";
}

double bandScale(const std::vector<FolderTally>& folders, bool byFiles)
{
    double largest = 0;
    for (const FolderTally& folder : folders)
        largest = std::max(largest, static_cast<double>(byFiles ? folder.files : folder.bytes));
    return largest > 0 ? largest : 1;
}

std::string bandSummary(const FolderTally& tally, const CloudClient& client)
{
    const std::int64_t onlyHere = tally.count(Place::onlyHere);
    std::vector<std::string> parts;
    const auto add = [&parts](std::int64_t count, const std::string& words) {
        if (count > 0)
            parts.push_back(Words::count(count) + words);
    };
    if (!tally.changedSinceBackup) {
        add(onlyHere, " only on this computer");
    } else {
        add(tally.changedOnlyHere(), " changed since the last backup");
        add(tally.unchangedOnlyHere(), " unchanged on this computer since the last backup");
    }
    add(tally.count(Place::both), naming(" on this computer and in iCloud", client));
    add(tally.count(Place::onlyICloud), naming(" only in iCloud", client));
    add(tally.count(Place::waiting), " waiting to upload");

    std::string joined;
    for (const std::string& part : parts)
        joined += (joined.empty() ? "" : ", ") + part;
    const std::string head =
        tally.name + ": " + Words::counted(tally.files, "file", "files") + ", " + Words::size(tally.bytes) + ".";
    return joined.empty() ? head : head + " " + joined + ".";
}

std::string filesAndSize(const FolderTally& tally)
{
    return Words::counted(tally.files, "file", "files") + " · " + Words::size(tally.bytes);
}

std::vector<LegendItem> legend(bool backupKnown, const Guide& guide, const CloudClient& client)
{
    const auto place = [&guide, &client](const char* key) {
        const auto found = guide.places.find(key);
        return found == guide.places.end() ? std::string() : naming(found->second, client);
    };
    return {{Segment::noSecondCopy, place(backupKnown ? "changedSinceBackup" : "onlyHere")},
            {Segment::onlyICloud, place("onlyICloud")},
            {Segment::twoCopies, place(backupKnown ? "secondCopyWithBackup" : "both")},
            {Segment::waiting, place("waiting")}};
}

std::optional<std::size_t> primaryFinding(const std::vector<Finding>& findings)
{
    for (std::size_t i = 0; i < findings.size(); ++i)
        if (findings[i].needsYou)
            return findings[i].button.empty() ? std::nullopt : std::optional(i);
    return std::nullopt;
}

bool choosesDark(LaunchArguments::Appearance forced, std::optional<bool> desktopPrefersDark, bool paletteDark)
{
    switch (forced) {
    case LaunchArguments::Appearance::dark:
        return true;
    case LaunchArguments::Appearance::light:
        return false;
    case LaunchArguments::Appearance::system:
        break;
    }
    return desktopPrefersDark.value_or(paletteDark);
}

} // namespace brindle::presentation
