// SyncFacts: cloud facts from the records that desktop sync clients keep, for the scanner.
//
// Each sync folder comes with what its client recorded (a SyncJournal). A file below a sync
// folder is
// - in both places when the client's row for it holds its modification time and size (the
//   OneDrive client records no size in older versions: then the time alone decides);
// - waiting when there is no row, the row differs, or an upload of it is under way or fails;
// - only here when the client records it as a link or an item it skips, which it never uploads;
// - only in the cloud when it is an online-only placeholder: a Nextcloud "name.nextcloud"
//   (ownCloud "name.owncloud") file, whose real name drops the suffix and whose size is the
//   recorded one; a file the journal records as online only; or, where the folder uses them,
//   a file carrying the attribute "user.nextcloud.hydrate_exec".
// Below an rclone mount every file is only in the cloud, except those its cache holds with
// changes not yet uploaded, which are waiting. A file outside every sync folder gets no
// facts, and so stays only here.
//
// Threads: built once, then `facts` may be called from any number of threads at once; each
// thread keeps its own memory of the directory it last asked about. Nothing throws.
#pragma once

#include "BrindleCore/Check.h"
#include "BrindleCore/ICloudFacts.h"
#include "BrindleCore/sync/SyncFolder.h"
#include "BrindleCore/sync/SyncJournal.h"

#include <sys/stat.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

struct LoadedSyncFolder {
    SyncFolder folder; // its root as the kernel names it (links resolved)
    SyncJournal journal;
};

class SyncFacts final : public ICloudFactsSource {
public:
    explicit SyncFacts(std::vector<LoadedSyncFolder> folders);

    ICloudFacts facts(int directoryFd, const char* name, const struct stat& status) const override;
    ICloudFacts factsIn(int directoryFd, std::uint64_t device, std::uint64_t inode, const char* name,
                        const struct stat& status) const override;
    bool folderIsUbiquitous(const std::string& path) const override;

    // The facts of the entry `name` of the directory `directory` (relative to the root of
    // `folder`; empty for the root itself), whose lstat is `status`. `attributePlaceholder`
    // says whether the file carries the placeholder attribute.
    static ICloudFacts factsOf(const LoadedSyncFolder& folder, std::string_view directory, std::string_view name,
                               const struct stat& status, bool attributePlaceholder);

    const std::vector<LoadedSyncFolder>& folders() const { return folders_; }

private:
    // Which folder holds the directory at `path`, and the directory's path below its root.
    std::optional<std::pair<std::size_t, std::string_view>> locate(std::string_view path) const;

    std::vector<LoadedSyncFolder> folders_; // longest root first
    std::uint64_t id_;
};

// What a check learns of the sync clients on this computer.
struct SyncSetup {
    std::unique_ptr<SyncFacts> facts;  // null when no sync folder meets the checked folders
    std::optional<std::string> client; // named after the first sync folder the check meets,
                                       // else the first one set up
    bool clientSetUp = false;          // some client keeps a folder that exists
    // Roots of the sync folders met whose record could not be read (or was not there).
    std::vector<std::string> unreadable;
};

namespace SyncClients {

// Every sync folder that the clients' own settings name, and every rclone mount, in that
// order: Nextcloud, ownCloud, OneDrive, rclone. Folders may not exist.
std::vector<SyncFolder> configured(const SyncLocations& where);

// Loads the records of the sync folders that lie in, or hold, one of `checkedPaths`.
// Folders that do not exist are left out; so is one whose record cannot be read: its files
// then count as only here, and its root is named in `unreadable`.
SyncSetup setup(const std::vector<SyncFolder>& folders, const std::vector<std::string>& checkedPaths);

// `configured` and `setup` together, for the folders of a check; its facts go into the request.
SyncSetup forCheck(CheckRequest& request, const SyncLocations& where);

// How many files below `checkedPaths` the clients have failed to upload for more than a day
// before `now`: failing uploads of files that still exist, dated by the modification time
// the client recorded for the upload, or else by the file's own.
std::int64_t longFailingUploads(const SyncFacts& facts, const std::vector<std::string>& checkedPaths, Instant now);

// The dirty entries of an rclone cache's metadata folder, as a journal of waiting files.
SyncJournal rcloneWaiting(const std::string& metaFolder);

} // namespace SyncClients

} // namespace brindle
