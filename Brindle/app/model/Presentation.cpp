#include "Brindle/app/model/Presentation.h"

#include "BrindleCore/RemoteBackups.h"
#include "BrindleCore/Translation.h"
#include "BrindleCore/Words.h"

#include <algorithm>

namespace brindle::presentation {

bool canCheckNow(bool checking, bool demo) { return !checking && !demo; }

std::string statusText(bool checking, std::int64_t progressDone, const std::optional<CheckResult>& result, Instant now,
                       const Calendar& calendar)
{
    if (checking)
        return fill(translatedCounted("status line", "Reading {n} file", "Reading {n} files", progressDone),
                    {{"n", Words::count(progressDone)}});
    if (result)
        // TRANSLATORS: {when} is the check's date ("today at 09:05"), {duration} how long it took.
        return fill(translated("status line", "Checked {when}, in {duration}"),
                    {{"when", Words::when(result->checkedAt, now, calendar, false)},
                     {"duration", Words::duration(result->seconds)}});
    return {};
}

std::vector<SidebarGroup> sidebar(const SidebarFacts& facts)
{
    using Kind = Section::Kind;
    const std::optional<CheckResult>& result = facts.result;
    const FolderTally total = result ? result->total() : FolderTally{};
    const std::int64_t noSecond = total.noSecondCopyWithBackup();

    std::vector<SidebarGroup> groups;
    groups.push_back({"", {{translated("sidebar: place", "Overview"), "", false, {Kind::overview}}}});
    groups.push_back(
        {translated("sidebar: group", "All files"),
         {{translated("sidebar: place", "All folders"),
           std::to_string(result ? result->folders.size() : 0),
           false,
           {Kind::allFolders}},
          {translated("sidebar: place", "No second copy"), Words::count(noSecond), noSecond > 0, {Kind::noSecondCopy}},
          {translated("sidebar: place", "Changed this week"),
           Words::count(total.changedThisWeek),
           false,
           {Kind::changedThisWeek}}}});

    SidebarGroup places{translated("sidebar: group", "Places"), {}};
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
    std::string driveValue = translated("sidebar: the drive place's value", "None");
    if (facts.driveChosen) {
        const auto last = result ? result->lastBackup() : std::nullopt;
        const bool searchStopped = result && result->drive && result->drive->searchStopped.value_or(false);
        driveValue = last ? Words::when(*last, facts.now, facts.calendar, false)
                          : (searchStopped ? translated("sidebar: the drive place's value", "Not found yet")
                                           : translated("sidebar: the drive place's value", "No backup"));
    }
    std::string driveLabel =
        severalDrives ? translated("sidebar: place", "Backup drives") : translated("sidebar: place", "Backup drive");
    // Backups sent over the network have no drive: the place shows the tool's record instead.
    const BackupSetup* remote = result && !result->drive && result->backupSetups
                                    ? RemoteBackups::principal(*result->backupSetups, result->checkedAt)
                                    : nullptr;
    if (remote) {
        driveLabel = translated("sidebar: place", "Backups");
        const auto cutOff = RemoteBackups::cutOff(*remote, result->checkedAt);
        driveValue = cutOff ? Words::when(*remote->lastBackup, facts.now, facts.calendar, false)
                            : translated("sidebar: the drive place's value", "Not seen");
    }
    places.rows.push_back({driveLabel, driveValue, false, {Kind::backupDrive}});
    places.rows.push_back({translated("sidebar: place", "Photos"),
                           translated("sidebar: the photos place's value", "Check"),
                           false,
                           {Kind::photos}});
    groups.push_back(std::move(places));

    groups.push_back(
        {translated("sidebar: group", "Over time"),
         {{translated("sidebar: place", "History"), std::to_string(facts.historyEntries), false, {Kind::history}}}});
    return groups;
}

std::string answer(const std::optional<Report>& report, const Guide& guide)
{
    return report ? report->answer : guide.answer("noFolders").text(0);
}

std::string allFoldersTitle(std::size_t folders)
{
    const auto n = static_cast<std::int64_t>(folders);
    if (n == 1)
        return translated("all folders screen: title", "1 folder");
    return fill(translatedCounted("all folders screen: title", "All {n} folders", "All {n} folders", n),
                {{"n", Words::count(n)}});
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
    // Each part is "{n} …", translated as a whole.
    const auto add = [&parts](std::int64_t count, const std::string& words) {
        if (count > 0)
            parts.push_back(fill(words, {{"n", Words::count(count)}}));
    };
    if (!tally.changedSinceBackup) {
        add(onlyHere, translated("overview: folder band, read out", "{n} only on this computer"));
    } else {
        add(tally.changedOnlyHere(),
            translated("overview: folder band, read out", "{n} changed since the last backup"));
        add(tally.unchangedOnlyHere(),
            translated("overview: folder band, read out", "{n} unchanged on this computer since the last backup"));
    }
    // TRANSLATORS: “iCloud” is replaced by the sync client's name (Nextcloud…): keep it as it is.
    add(tally.count(Place::both),
        naming(translated("overview: folder band, read out", "{n} on this computer and in iCloud"), client));
    add(tally.count(Place::onlyICloud),
        naming(translated("overview: folder band, read out", "{n} only in iCloud"), client));
    add(tally.count(Place::waiting), translated("overview: folder band, read out", "{n} waiting to upload"));

    std::string joined;
    for (const std::string& part : parts)
        joined += (joined.empty() ? "" : ", ") + part;
    // TRANSLATORS: {folder} is a folder's name, {size} the size of its files.
    const std::string head =
        fill(translatedCounted("overview: folder band, read out", "{folder}: {n} file, {size}.",
                               "{folder}: {n} files, {size}.", tally.files),
             {{"folder", tally.name}, {"n", Words::count(tally.files)}, {"size", Words::size(tally.bytes)}});
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
