#include "Brindle/app/model/LetterPresentation.h"

#include "Brindle/app/model/CloudClient.h"
#include "Brindle/app/model/RemoteBackupPlace.h"
#include "BrindleCore/BackupTools.h"
#include "BrindleCore/Words.h"

#include <algorithm>

namespace brindle::presentation {

namespace {
LetterTable folderTable(const CheckResult& result)
{
    const bool backupKnown = result.lastBackup().has_value();
    LetterTable table;
    table.header = {"Folder", "Files", "Size"};
    if (backupKnown)
        table.header.insert(table.header.end(), {"Changed since backup", "Unchanged"});
    else
        table.header.emplace_back("Only on this computer");
    const CloudClient client = cloudClient(result.cloudClient);
    table.header.insert(table.header.end(),
                        {naming("In iCloud too", client), naming("Only in iCloud", client), "Waiting"});

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
        const Phrase more{Phrase::Counted{"and 1 more folder", "and {n} more folders"}};
        table.rows.push_back(row(rest, more.text(static_cast<std::int64_t>(ranked.size() - letterFolderRows))));
    }
    table.rows.push_back(row(result.total(), "All folders"));
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
            lines.push_back(Words::shownName(*tool) + " is set up; its drive wasn\u2019t chosen in Brindle.");
        else if (lines.empty())
            lines.emplace_back("Your backup tool isn\u2019t set up on this computer.");
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
        clauses.emplace_back("encrypted");
        break;
    case Privacy::backupsEncrypted:
        clauses.emplace_back("backups encrypted");
        break;
    case Privacy::exposed:
        clauses.emplace_back("not encrypted");
        break;
    case Privacy::unknown:
        break;
    }
    if (facts.freeBytes)
        clauses.push_back(Words::size(*facts.freeBytes) + " free");
    std::string line = Words::shownName(facts.name);
    for (std::size_t i = 0; i < clauses.size(); ++i)
        line += (i == 0 ? " (" : ", ") + clauses[i];
    if (!clauses.empty())
        line += ")";
    const auto last = drive.lastBackup();
    const auto backups = static_cast<std::int64_t>(drive.backups.size());
    return line + ": " + (last ? "last backup " + Words::when(*last, now, calendar, false) : "no backups read") + ", " +
           Words::count(backups) + (backups == 1 ? " backup." : " backups.");
}

Letter letter(const CheckResult& result, const Report& report, const Guide& guide, const std::string& computerName,
              Instant now, const Calendar& calendar)
{
    Letter letter;
    letter.title = "Brindle report";
    letter.checked =
        "Checked " + Words::when(result.checkedAt, now, calendar, false) + ". " + Words::shownName(computerName) + ".";
    letter.answer = report.answer;
    letter.table = folderTable(result);
    letter.needsYouHeading = "What needs you";
    for (const Finding& finding : report.findings)
        if (finding.needsYou)
            letter.needsYou.push_back({finding.title, finding.line});
    letter.backupsHeading = "Backups";
    letter.backups = backupLines(result, now, calendar);
    letter.promise = guide.promise;
    return letter;
}

} // namespace brindle::presentation
