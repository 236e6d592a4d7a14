// Check: one whole check, as the window and the command line both run it.
//
// `Check::run` scans the folders one after another with one Scanner whose cut-off is the
// start of the newest backup on the drives it is given that is not dated in the future (a
// backup dated after the check began, beyond clockSkewAllowance, covers no change), and
// assembles the CheckResult: the drive with the newest backup, the other drives, the
// folders' tallies in the given order, the names of the folders that did not open. Each
// folder is opened exactly once.
//
// A set-up that backs up over the network (RemoteBackups.h) stands in for a drive with its
// tool's record: for each folder it takes, the newer of the record and the drive's backup
// counts. Where records count and no drive's backup does, the folders no record takes are
// left out. Nothing is printed and nothing is written: what went wrong
// comes back in `problems`, and keeping the result is the caller's business.
//
// A stop requested through the stop token ends the scan within a directory's worth of work;
// the outcome is then marked `stopped` and its result must not be kept.
//
// Threads: `run` does its work on the calling thread and the scanner's threads, and calls
// the observer as CheckObserver.h says. It touches no shared state, so checks may run on any
// thread; the request holds only values.
#pragma once

#include "BrindleCore/CheckObserver.h"
#include "BrindleCore/CheckResult.h"
#include "BrindleCore/Exclusions.h"
#include "BrindleCore/ICloudFacts.h"
#include "BrindleCore/Instant.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace brindle {

struct CheckFolder {
    std::string name;
    std::string path;
    // The backups leave it out: with a backup date known, every file only here counts as
    // changed since the backup.
    bool leftOut = false;
    // What the backups leave out inside it (set by Check::run); null for nothing. The rules
    // behind it, as the tool states them: folders inside it, and name patterns.
    std::shared_ptr<const Exclusions> exclusions{};
    std::vector<std::string> leftOutInside{};
    // Where not the drive's backup counts for it: the cut-off of the backup that does (set by
    // Check::run from a remote set-up's record).
    std::optional<Instant> cutOff{};
};

struct CheckRequest {
    std::vector<CheckFolder> folders;
    std::vector<std::string> unreadable; // folders known beforehand not to open, by name
    std::vector<DriveState> drives;      // already read; the one with the newest backup counts
    Instant now;                         // the start of the check
    int workers = 4;
    TimeMachineFacts timeMachine;
    // The backup tools' settings; a folder that the tools making the newest backup do not
    // take, and no remote set-up's record takes, is left out (CheckFolder::leftOut) and named
    // in the result.
    std::optional<std::vector<BackupSetup>> setups;
    std::optional<bool> iCloudDriveOn;             // whether a sync client is set up
    std::optional<std::string> cloudClient;        // its name, for the texts
    const ICloudFactsSource* cloudFacts = nullptr; // not owned
    std::vector<std::string> unreadableJournals;   // CheckResult::unreadableJournals
    std::int64_t failingUploads = 0;               // CheckResult::failingUploads
    // The photo manager's catalogue; the result tells which folder that opened holds it.
    std::optional<PhotoCatalogue> photoCatalogue;
    std::function<Instant()> clock = clockNow; // read once more, at the end
};

// A folder that did not open (`openError`, an errno value), or that opened but holds
// subfolders that could not be read.
struct FolderProblem {
    std::string name;
    std::string path;
    int openError = 0;
    std::int64_t unreadableSubfolders = 0;
};

struct CheckOutcome {
    CheckResult result;
    std::vector<FolderProblem> problems; // in the order of the folders
    bool stopped = false;
};

// The folders of a check, scanned: the tallies of those that opened and the names of those
// that did not, each in the given order.
struct ScannedFolders {
    std::vector<FolderTally> tallies;
    std::vector<std::string> unreadable;
    std::vector<FolderProblem> problems;
    bool stopped = false;
};

class Scanner;

namespace Check {

inline constexpr int workers = 4;

CheckOutcome run(const CheckRequest& request, CheckObserver& observer, std::stop_token stop = {});

// The scanning step of `run`, for a caller with a scanner of its own.
ScannedFolders scanFolders(const Scanner& scanner, const std::vector<CheckFolder>& folders, CheckObserver& observer,
                           std::stop_token stop = {});

} // namespace Check

} // namespace brindle
