// A check of what the person granted, or of folders given as they are, as the window and the
// command line both run it: the granted drives are read (DriveReader.h), the granted folders
// are found again from their tokens, the sync clients' records of the folders are read
// (sync/SyncFacts.h), and the core's check scans the folders that were found. `keepCheck` is
// what follows, the same for both.
//
// The plan holds only values, gathered where the settings live; `runGrantedCheck` may then
// run on any thread. What it learns that the settings should keep comes back with the
// outcome: grants whose tokens went stale and were made anew, and the drives' memory.
// `keepGrantedCheck` stores those, on the settings' thread.
#pragma once

#include "Brindle/app/model/DriveReader.h"
#include "BrindleCore/Check.h"
#include "BrindleCore/History.h"
#include "BrindleCore/photos/PhotoCatalogue.h"
#include "BrindleCore/sync/SyncFolder.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <utility>
#include <vector>

namespace brindle {

// How the backup tools of this computer are set up for the person, Déjà Dup's included.
std::vector<BackupSetup> backupSetups();

struct CheckPlan {
    std::vector<Grant> grants;
    std::vector<std::string> undecodableGrants; // named among the folders that could not be opened
    std::vector<CheckFolder> folders;           // checked as given, after the granted ones
    std::vector<Grant> drives;
    std::vector<MountedVolume> mounted;
    DriveMemory memory;
    std::vector<DriveState> extraDrives; // read by the caller, e.g. named on the command line
    Instant now;
    std::function<Instant()> clock = clockNow; // read once more, at the end; from the check's thread
    int workers = Check::workers;
    SyncLocations sync; // where the sync clients keep their settings; empty: look nowhere
    // Where the photo managers keep their settings; absent: look nowhere.
    std::optional<SetupPlaces> photos;
    // Reads the backup tools' settings; called on the check's thread.
    std::function<std::vector<BackupSetup>()> setups = backupSetups;
};

struct GrantedCheck {
    CheckOutcome outcome;
    std::vector<std::pair<Grant, Grant>> renewed; // a grant as planned → the same, made anew
    DriveMemory memory;
};

// The plan's folders and drives from the settings; mounted volumes as given.
CheckPlan planFromSettings(SettingsStore& store, std::vector<MountedVolume> mounted, Instant now);

GrantedCheck runGrantedCheck(const CheckPlan& plan, GrantTokens& tokens, const Volumes& volumes,
                             CheckObserver& observer, std::stop_token stop = {});

// Stores the start of the first check that found files waiting to upload, while some wait.
bool keepWaitingSince(SettingsStore& store, const CheckResult& result);

// Puts the renewed grants in the place of their old selves in `grants` (grants changed
// meanwhile are left alone) and stores them, and the drives' memory. Returns false when the
// settings could not be written.
bool keepGrantedCheck(SettingsStore& store, const GrantedCheck& check, std::vector<Grant>& grants,
                      const std::vector<Grant>& drives);

// Whether a check that found none of its folders is kept. The window keeps it, so that it
// shows what it found; the command line does not, as it would replace a good result.
enum class EmptyCheck { keep, refuse };

struct KeptCheck {
    bool kept = false;           // false only for a refused empty check: nothing was written
    bool settingsWritten = true; // the renewed grants, the drives' memory and the waiting date
    Recorded recorded;           // the result and its history line
};

// Keeps a finished check: with `store`, what `keepGrantedCheck` keeps and the waiting date;
// then the result in `lastCheckPath` and its line in `history` and `inMemory`.
KeptCheck keepCheck(SettingsStore* store, const GrantedCheck& check, std::vector<Grant>& grants,
                    const std::vector<Grant>& drives, const std::string& lastCheckPath, History& history,
                    std::vector<CheckSummary>& inMemory, Instant now, EmptyCheck empty);

} // namespace brindle
