// CheckResult: the whole outcome of one check, and its stored form.
//
// A plain value, immutable once built and safe to read from any thread. Its JSON form (the
// last-result file) writes every instant as ISO 8601 UTC with whole seconds; decoding is
// all-or-nothing and never throws.
#pragma once

#include "BrindleCore/BackupSetup.h"
#include "BrindleCore/DriveState.h"
#include "BrindleCore/FolderTally.h"
#include "BrindleCore/photos/PhotoCatalogue.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace brindle {

struct CheckResult {
    Instant checkedAt;
    double seconds = 0;
    std::vector<FolderTally> folders;                   // one per folder that opened, in the order of the grants
    std::optional<DriveState> drive;                    // the drive with the newest backup
    std::optional<std::vector<DriveState>> otherDrives; // newest backup first; never empty
    std::optional<std::vector<std::string>> unreadable; // names of folders that did not open
    // Names of the folders on the same file system as the drive's backups, which guard them
    // against deleting a file but not against losing the disk; absent when not known.
    std::optional<std::vector<std::string>> onBackupDisk;
    TimeMachineFacts timeMachine;
    std::optional<bool> iCloudDriveOn; // here: whether a sync client keeps a folder
    // The sync client whose folder the check met ("Nextcloud"), or the one set up; absent
    // when there is none. Texts about the cloud name it.
    std::optional<std::string> cloudClient;
    // How the backup tools of this computer are set up; absent where none could be read.
    std::optional<std::vector<BackupSetup>> backupSetups;
    // Names of the folders that the tool of the newest backup does not take; their files only
    // here all count as changed since the backup. Absent when none, or when it cannot be told.
    std::optional<std::vector<std::string>> leftOut;
    // What that tool leaves out inside the folders it takes, whose files all count as changed
    // since the backup: folders inside them by absolute path, and name patterns
    // (LeftOutItems.h words them). Absent when none.
    std::optional<std::vector<std::string>> leftOutInside;
    // Paths of the sync folders whose client's record could not be read; their files count as
    // only here. Absent when none.
    std::optional<std::vector<std::string>> unreadableJournals;
    // How many files below the folders the sync client has failed to upload for more than a
    // day; they count as waiting. Absent when none.
    std::optional<std::int64_t> failingUploads;
    // Where the photo manager keeps its albums, tags and edits; absent when none was found.
    std::optional<PhotoCatalogue> photoCatalogue;

    CheckResult() = default;
    CheckResult(Instant checkedAt, double seconds, std::vector<FolderTally> folders, std::optional<DriveState> drive,
                TimeMachineFacts timeMachine, std::optional<bool> iCloudDriveOn);

    // Every folder merged, in order, into a tally named "All folders" with an empty path.
    FolderTally total() const;
    // The latest backup of the backup drive, when there is one.
    std::optional<Instant> lastBackup() const { return drive ? drive->lastBackup() : std::nullopt; }
    // Whether a backup is set up on this computer: a backup tool's settings were found, or the
    // Time Machine settings file says so. The one rule for every text that says "set up".
    bool backupSetUp() const;
    // The tool that is set up, by name: the set-up tool with the latest recorded backup, else
    // the first found, else Time Machine; absent when none is set up.
    std::optional<std::string> setUpTool() const;
    // `drive` first when present, then the other drives.
    std::vector<DriveState> drives() const;

    // Splits drives into the one with the newest backup and the rest, newest first. Stable:
    // drives with equal dates, and all drives without backups, keep their order. The rest is
    // absent (never empty) with fewer than two drives.
    static std::pair<std::optional<DriveState>, std::optional<std::vector<DriveState>>>
    ordered(std::vector<DriveState> drives);

    friend bool operator==(const CheckResult&, const CheckResult&) = default;
};

// Every tally merged, in order, into one named "All folders" with an empty path.
FolderTally sumOfFolders(const std::vector<FolderTally>& folders);

JsonOut encode(const CheckResult& result);
std::optional<CheckResult> decodeCheckResult(const JsonIn& value);
// The last-result file's text, and back; undecodable text gives std::nullopt.
std::string encodeCheckResultText(const CheckResult& result);
std::optional<CheckResult> decodeCheckResultText(std::string_view text);

} // namespace brindle
