#include "BrindleCore/Check.h"

#include "BrindleCore/BackupTools.h"
#include "BrindleCore/Descriptor.h"
#include "BrindleCore/Drive.h"
#include "BrindleCore/LeftOutItems.h"
#include "BrindleCore/Paths.h"
#include "BrindleCore/RemoteBackups.h"
#include "BrindleCore/Scanner.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <memory>

namespace brindle {

namespace {
// Backups in restic's or duplicity's form are Déjà Dup's when Déjà Dup backs up to the drive
// that holds them: the drive it names by UUID, or the file system of its target folder.
void nameDejaDupBackups(DriveState& drive, const std::vector<BackupSetup>& setups)
{
    const bool pointsHere = std::any_of(setups.begin(), setups.end(), [&](const BackupSetup& setup) {
        if (setup.tool != "Déjà Dup")
            return false;
        if (setup.volumeUuid && drive.facts.uuid && *setup.volumeUuid == *drive.facts.uuid)
            return true;
        return setup.target && drive.fileSystem && drive.connected &&
               Drive::fileSystemId(*setup.target) == drive.fileSystem;
    });
    if (pointsHere)
        for (Backup& backup : drive.backups)
            if (backup.tool == "restic" || backup.tool == "duplicity")
                backup.tool = "Déjà Dup";
}

// Of the set-ups whose tool made the backups, those that back up to this drive: by the UUID
// they name, else by the file system of their target folder. One that backs up over the
// network is no drive's; one that says neither, or whose target cannot be found, may be this
// drive's and stays.
std::vector<BackupSetup> toThisDrive(std::vector<BackupSetup> making, const DriveState& drive)
{
    std::erase_if(making, [&](const BackupSetup& setup) {
        if (RemoteBackups::isRemote(setup))
            return true;
        if (setup.volumeUuid && drive.facts.uuid)
            return *setup.volumeUuid != *drive.facts.uuid;
        if (setup.target && setup.target->starts_with('/') && drive.fileSystem && drive.connected) {
            const auto target = Drive::fileSystemId(*setup.target);
            return target && *target != *drive.fileSystem;
        }
        return false;
    });
    return making;
}

// rsnapshot's log names the last run that completed: a snapshot dated after it (beyond the
// moments between a run's final touch and its log line) is of a run that did not finish, which
// the snapshots alone cannot always tell (with link_dest, .0 is built in place).
void keepCompletedRsnapshotRuns(DriveState& drive, const std::vector<BackupSetup>& setups)
{
    std::optional<Instant> completed;
    for (const BackupSetup& setup : toThisDrive(BackupSetups::making(setups, "rsnapshot"), drive))
        if (setup.lastBackup && (!completed || *setup.lastBackup > *completed))
            completed = setup.lastBackup;
    if (completed)
        std::erase_if(drive.backups, [&](const Backup& backup) {
            return backup.tool == "rsnapshot" && backup.date > *completed + std::chrono::minutes{1};
        });
}

// The rules that every set-up making the backups leaves out: what one of them takes is
// backed up.
std::vector<std::string> leftOutByAll(const std::vector<BackupSetup>& making)
{
    std::vector<std::string> rules;
    if (making.empty())
        return rules;
    for (const std::string& stated : making.front().excluded) {
        std::string rule = LeftOutItems::folderOfRule(stated);
        const bool everywhere = std::all_of(making.begin() + 1, making.end(), [&](const BackupSetup& setup) {
            return std::find(setup.excluded.begin(), setup.excluded.end(), rule) != setup.excluded.end();
        });
        if (everywhere)
            rules.push_back(std::move(rule));
    }
    return rules;
}

// Leaves out of `folder` (at `path`) what `rules` name inside it: name patterns, and folders
// by their paths (a path pattern is not applied, so it is not named either).
void leaveOutInside(CheckFolder& folder, const std::string& path, const std::vector<std::string>& rules)
{
    folder.leftOutInside.clear();
    std::vector<std::string> inside, names;
    for (const std::string& rule : rules) {
        if (rule.find('/') == std::string::npos)
            names.push_back(rule);
        else if (rule.size() > path.size() + 1 && rule.starts_with(path) && rule[path.size()] == '/' &&
                 rule.find_first_of("*?[\\") == std::string::npos)
            inside.push_back(rule);
        else
            continue;
        folder.leftOutInside.push_back(rule);
    }
    auto exclusions = std::make_shared<const Exclusions>(path, inside, names);
    folder.exclusions = exclusions->empty() ? nullptr : std::move(exclusions);
}
// A remote set-up's record counts for a folder it takes where it is newer than the drive's
// backup or the drive's tools leave the folder out. When records count and no drive's backup
// does, what no record takes has no backup Brindle knows of: it is left out.
void takeRemoteRecords(std::vector<CheckFolder>& folders, const std::vector<BackupSetup>& setups,
                       std::optional<Instant> driveCutOff, Instant now)
{
    bool any = false;
    for (CheckFolder& folder : folders) {
        const std::string path = withoutTrailingSlashes(folder.path);
        const BackupSetup* remote = RemoteBackups::newestTaking(setups, path, now);
        if (!remote)
            continue;
        const Instant moment = *RemoteBackups::cutOff(*remote, now);
        if (driveCutOff && !folder.leftOut && *driveCutOff >= moment)
            continue;
        folder.cutOff = moment;
        folder.leftOut = false;
        leaveOutInside(folder, path, leftOutByAll({*remote}));
        any = true;
    }
    if (any && !driveCutOff)
        for (CheckFolder& folder : folders)
            if (!folder.cutOff) {
                folder.cutOff = Instant::min();
                folder.leftOut = true;
            }
}
} // namespace

ScannedFolders Check::scanFolders(const Scanner& scanner, const std::vector<CheckFolder>& folders,
                                  CheckObserver& observer, std::stop_token stop)
{
    ScannedFolders scanned;
    std::int64_t filesBefore = 0;
    for (std::size_t index = 0; index < folders.size() && !stop.stop_requested(); ++index) {
        const CheckFolder& folder = folders[index];
        // The granted folder itself may be reached through a link; nothing below it is.
        const Descriptor opened(::open(folder.path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK));
        if (!opened.valid()) {
            scanned.problems.push_back({folder.name, folder.path, errno, 0});
            scanned.unreadable.push_back(folder.name);
            continue;
        }
        observer.folderStarted(index, folder.name);
        Scanner folderScanner = scanner;
        if (folder.cutOff)
            folderScanner.lastBackup = folder.cutOff;
        if (folder.leftOut && folderScanner.lastBackup)
            folderScanner.lastBackup = Instant::min();
        folderScanner.exclusions = folder.exclusions.get();
        FolderTally tally = folderScanner.scan(opened.get(), folder.name, folder.path, {&observer, filesBefore, stop});
        if (tally.unreadableFolders > 0)
            scanned.problems.push_back({folder.name, folder.path, 0, tally.unreadableFolders});
        filesBefore += tally.files;
        observer.folderFinished(index, tally);
        scanned.tallies.push_back(std::move(tally));
    }
    scanned.stopped = stop.stop_requested();
    return scanned;
}

CheckOutcome Check::run(const CheckRequest& request, CheckObserver& observer, std::stop_token stop)
{
    auto [drive, otherDrives] = CheckResult::ordered(request.drives);
    if (drive && request.setups) {
        nameDejaDupBackups(*drive, *request.setups);
        keepCompletedRsnapshotRuns(*drive, *request.setups);
    }
    // A backup dated in the future covers no change; when every backup is, none covers any.
    std::optional<Instant> cutOff;
    if (drive && !drive->backups.empty()) {
        const Backup* latest = drive->latestBy(request.now);
        cutOff = latest ? latest->started.value_or(latest->date) : Instant::min();
    }
    const Scanner scanner(request.now, cutOff, request.workers, request.cloudFacts);
    std::vector<CheckFolder> folders = request.folders;
    if (drive && request.setups && !drive->backups.empty()) {
        const auto making = toThisDrive(BackupSetups::making(*request.setups, BackupTools::of(*drive).name), *drive);
        const auto rules = leftOutByAll(making);
        for (CheckFolder& folder : folders) {
            const std::string path = withoutTrailingSlashes(folder.path);
            folder.leftOut = !BackupSetups::coveredByAny(making, path);
            if (!folder.leftOut && !rules.empty())
                leaveOutInside(folder, path, rules);
        }
    }
    if (request.setups)
        takeRemoteRecords(folders, *request.setups, cutOff, request.now);
    ScannedFolders scanned = scanFolders(scanner, folders, observer, stop);

    CheckOutcome outcome;
    const double seconds = secondsBetween(request.now, request.clock());
    outcome.result = CheckResult(request.now, seconds, std::move(scanned.tallies), std::move(drive),
                                 request.timeMachine, request.iCloudDriveOn);
    outcome.result.otherDrives = std::move(otherDrives);
    outcome.result.cloudClient = request.cloudClient;
    outcome.result.backupSetups = request.setups;
    if (!request.unreadableJournals.empty())
        outcome.result.unreadableJournals = request.unreadableJournals;
    if (request.failingUploads > 0)
        outcome.result.failingUploads = request.failingUploads;
    if (request.photoCatalogue) {
        std::vector<std::pair<std::string, std::string>> opened;
        for (const FolderTally& tally : outcome.result.folders)
            opened.emplace_back(tally.name, tally.path);
        outcome.result.photoCatalogue = PhotoCatalogues::placed(*request.photoCatalogue, opened);
    }
    // Only folders that opened are told: the others are named as unreadable.
    std::vector<std::string> leftOut, leftOutInside;
    for (const FolderTally& tally : outcome.result.folders)
        for (const CheckFolder& folder : folders) {
            if (folder.path != tally.path)
                continue;
            if (folder.leftOut)
                leftOut.push_back(tally.name);
            for (const std::string& rule : folder.leftOutInside)
                if (std::find(leftOutInside.begin(), leftOutInside.end(), rule) == leftOutInside.end())
                    leftOutInside.push_back(rule);
            break;
        }
    if (!leftOut.empty())
        outcome.result.leftOut = std::move(leftOut);
    if (!leftOutInside.empty())
        outcome.result.leftOutInside = std::move(leftOutInside);
    // A remembered drive's file system is stale: it is compared only while connected.
    if (outcome.result.drive && outcome.result.drive->connected)
        outcome.result.onBackupDisk = Drive::foldersOnDisk(*outcome.result.drive, outcome.result.folders);
    std::vector<std::string> unreadable = request.unreadable;
    unreadable.insert(unreadable.end(), scanned.unreadable.begin(), scanned.unreadable.end());
    if (!unreadable.empty())
        outcome.result.unreadable = std::move(unreadable);
    outcome.problems = std::move(scanned.problems);
    outcome.stopped = scanned.stopped;
    return outcome;
}

} // namespace brindle
