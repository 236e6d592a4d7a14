#include "Brindle/app/model/LetterPresentation.h"

#include "Brindle/app/model/CloudClient.h"
#include "Brindle/app/model/RemoteBackupPlace.h"
#include "BrindleCore/BackupTools.h"
#include "BrindleCore/Translation.h"
#include "BrindleCore/Words.h"

#include <algorithm>

namespace brindle::presentation {

namespace {
LetterTable folderTable(const CheckResult& result)
{
    const bool backupKnown = result.lastBackup().has_value();
    LetterTable table;
    table.header = {translated("letter: column", "Folder"), translated("letter: column", "Files"),
                    translated("letter: column", "Size")};
    if (backupKnown)
        table.header.insert(table.header.end(), {translated("letter: column", "Changed since backup"),
                                                 translated("letter: column", "Unchanged")});
    else
        table.header.push_back(translated("letter: column", "Only on this computer"));
    const CloudClient client = cloudClient(result.cloudClient);
    // TRANSLATORS: “iCloud” is replaced by the sync client's name (Nextcloud…): keep it as it is.
    table.header.insert(table.header.end(), {naming(translated("letter: column", "In iCloud too"), client),
                                             naming(translated("letter: column", "Only in iCloud"), client),
                                             translated("letter: column", "Waiting")});

    const auto row = [backupKnown](const FolderTally& tally, const std::string& name) {
        std::vector<std::string> cells{name, Words::count(tally.files), Words::size(tally.bytes)};
        if (backupKnown) {
            cells.push_back(Words::count(tally.changedOnlyHere()));
            cells.push_back(Words::count(tally.unchangedOnlyHere()));
        } else {
            cells.push_back(Words::count(tally.count(Place::onlyHere)));
        }
        for (const Place place : {Place::both, Place::onlyICloud, Place::waiting})
            cells.push_back(Words::count(tally.count(place)));
        return cells;
    };
    if (result.folders.size() <= letterFolderRows + 2) {
        for (const FolderTally& folder : result.folders)
            table.rows.push_back(row(folder, Words::shownName(folder.name)));
    } else {
        // Too many to read on one page: the folders with the most files with no second copy
        // (the first of equals), and the rest added up in one row.
        std::vector<const FolderTally*> ranked;
        for (const FolderTally& folder : result.folders)
            ranked.push_back(&folder);
        const auto most = [backupKnown](const FolderTally* a, const FolderTally* b) {
            return backupKnown ? a->noSecondCopyWithBackup() > b->noSecondCopyWithBackup()
                               : a->noSecondCopy() > b->noSecondCopy();
        };
        std::stable_sort(ranked.begin(), ranked.end(), most);
        FolderTally rest;
        for (std::size_t i = 0; i < ranked.size(); ++i) {
            if (i < letterFolderRows)
                table.rows.push_back(row(*ranked[i], Words::shownName(ranked[i]->name)));
            else
                rest.merge(*ranked[i]);
        }
        const auto more = static_cast<std::int64_t>(ranked.size() - letterFolderRows);
        table.rows.push_back(row(rest, fill(translatedCounted("letter: the row of the other folders",
                                                              "and {n} more folder", "and {n} more folders", more),
                                            {{"n", Words::count(more)}})));
    }
    table.rows.push_back(row(result.total(), translated("letter: the total row", "All folders")));
    return table;
}

std::vector<std::string> backupLines(const CheckResult& result, Instant now, const Calendar& calendar)
{
    const std::vector<DriveState> drives = result.drives();
    if (drives.empty()) {
        // A set-up that backs up over the network has no drive to choose; one that backs up to
        // a drive still wants its drive.
        std::vector<std::string> lines;
        if (const auto remote = presentation::remoteBackupLine(result, now, calendar))
            lines.push_back(*remote);
        if (const auto tool = presentation::localSetUpTool(result))
            lines.push_back(fill(translated("letter: backups", "{tool} is set up; its drive wasn’t chosen in Brindle."),
                                 {{"tool", Words::shownName(*tool)}}));
        else if (lines.empty())
            lines.push_back(translated("letter: backups", "Your backup tool isn’t set up on this computer."));
        return lines;
    }
    std::vector<std::string> lines;
    for (const DriveState& drive : drives)
        lines.push_back(letterDriveLine(drive, now, calendar));
    return lines;
}
} // namespace

std::string letterDriveLine(const DriveState& drive, Instant now, const Calendar& calendar)
{
    const DriveFacts& facts = drive.facts;
    std::vector<std::string> clauses;
    if (!facts.format.empty())
        clauses.push_back(facts.format);
    switch (BackupTools::privacy(drive)) {
    case Privacy::driveEncrypted:
        clauses.push_back(translated("letter: a drive's detail", "encrypted"));
        break;
    case Privacy::backupsEncrypted:
        clauses.push_back(translated("letter: a drive's detail", "backups encrypted"));
        break;
    case Privacy::exposed:
        clauses.push_back(translated("letter: a drive's detail", "not encrypted"));
        break;
    case Privacy::unknown:
        break;
    }
    if (facts.freeBytes)
        clauses.push_back(
            fill(translated("letter: a drive's detail", "{size} free"), {{"size", Words::size(*facts.freeBytes)}}));
    std::string details;
    for (const std::string& clause : clauses)
        details += (details.empty() ? "" : ", ") + clause;
    const std::string name = Words::shownName(facts.name);
    // TRANSLATORS: {drive} is a drive's name, {details} its file system, encryption and free space.
    const std::string shown = details.empty() ? name
                                              : fill(translated("letter: a drive", "{drive} ({details})"),
                                                     {{"drive", name}, {"details", details}});
    const auto last = drive.lastBackup();
    const auto backups = static_cast<std::int64_t>(drive.backups.size());
    const PhraseValues values{{"drive", shown}, {"n", Words::count(backups)}};
    if (!last)
        return fill(translatedCounted("letter: a drive", "{drive}: no backups read, {n} backup.",
                                      "{drive}: no backups read, {n} backups.", backups),
                    values);
    // TRANSLATORS: {when} is the last backup's date: "today at 09:05", "on 3 March".
    return fill(translatedCounted("letter: a drive", "{drive}: last backup {when}, {n} backup.",
                                  "{drive}: last backup {when}, {n} backups.", backups),
                {{"drive", shown}, {"n", Words::count(backups)}, {"when", Words::when(*last, now, calendar, false)}});
}

std::string letterTitle() { return translated("letter: title", "Brindle report"); }

Letter letter(const CheckResult& result, const Report& report, const Guide& guide, const std::string& computerName,
              Instant now, const Calendar& calendar)
{
    Letter letter;
    letter.title = letterTitle();
    // TRANSLATORS: {when} is the check's date, {computer} this computer's name.
    letter.checked = fill(
        translated("letter: under the title", "Checked {when}. {computer}."),
        {{"when", Words::when(result.checkedAt, now, calendar, false)}, {"computer", Words::shownName(computerName)}});
    letter.answer = report.answer;
    letter.table = folderTable(result);
    letter.needsYouHeading = translated("letter: heading", "What needs you");
    for (const Finding& finding : report.findings)
        if (finding.needsYou)
            letter.needsYou.push_back({finding.title, finding.line});
    letter.backupsHeading = translated("letter: heading", "Backups");
    letter.backups = backupLines(result, now, calendar);
    letter.promise = guide.promise;
    return letter;
}

} // namespace brindle::presentation
