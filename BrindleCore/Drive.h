// Reading a backup drive and this computer's backup settings, without writing anything or
// opening a user file.
//
// Every failure is silent and gives nothing known: an absent value or an empty list. All
// functions are free of shared mutable state and may run on any thread.
#pragma once

#include "BrindleCore/Calendar.h"
#include "BrindleCore/DriveState.h"
#include "BrindleCore/FolderTally.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

namespace Drive {

inline constexpr std::string_view manifestName = "backup_manifest.plist";

// Where the system's tables are read from; tests point these at fixtures.
struct SystemTables {
    std::string mountInfo = "/proc/self/mountinfo";
    std::string devDisk = "/dev/disk"; // holds by-uuid/ and by-label/
    std::string sys = "/sys";
    // Ask libblkid for UUID and label when /dev/disk has no link for the device.
    bool probeDevices = true;
};

// The facts of the volume holding `path` (normally its mount point): name (label, else the
// mount point's last component), format as shown to people, capacities, encryption, its
// identity in `uuid` (volumeIdentity: the UUID, else derived from the mount) and removability.
// Absent when the path, its mount or its capacities cannot be read.
std::optional<DriveFacts> facts(const std::string& path, const SystemTables& tables = {});

// One line of the mount table.
struct Mount {
    std::string target; // the mount point
    std::string source; // "/dev/sdb1", "nas:/export", "//nas/share", "tmpfs"
    std::string type;   // the kernel's file-system type
    std::string root;   // the folder of the file system mounted there, "/" for all of it

    friend bool operator==(const Mount&, const Mount&) = default;
};

// Every mount that could hold a person's folder, in the order of the mount table: disks,
// network shares, FUSE and memory file systems; the kernel's own (proc, sysfs, cgroup…) left
// out. Empty when the table cannot be read. Nothing mounted is touched.
std::vector<Mount> mounts(const SystemTables& tables = {});

// Which volume a mount shows, the same across remounts and restarts: the UUID of its device
// where it has one, else text derived from the mount, "mount:<type>:<source>", followed by the
// folder mounted when that is not the whole file system, and by "@<mount point>" when the
// source names nothing ("tmpfs"). Reads the device links and the mount table, never the mount.
std::string volumeIdentity(const Mount& mount, const SystemTables& tables = {});
// Whether an identity is a volume's UUID, not one derived from its mount.
bool isVolumeUuid(std::string_view identity);

// Where the volume holding `path` is mounted; absent when the path or its mount cannot be read.
std::optional<std::string> mountPoint(const std::string& path, const SystemTables& tables = {});

// What reading the drive at a path found wrong. `notMounted`: the path is an ordinary folder
// of another volume (often an empty mount point whose drive is away) and holds no backups,
// so it is not taken for a drive. `factsUnreadable`: the drive was read, but its volume
// facts were not; the state then carries only a name.
enum class Problem { none, missing, notMounted, factsUnreadable };

struct Reading {
    std::optional<DriveState> state; // absent for `missing` and `notMounted`
    Problem problem = Problem::none;
    int error = 0; // the errno value, for `missing`
};

// The state of the drive mounted at (or holding backups at) `path`, connected, read at `now`.
// Backups are read as `backups` reads them, local times in `calendar`.
Reading read(const std::string& path, Instant now, const Calendar& calendar, const SystemTables& tables = {});

// The backups on the drive whose folder is `path`, oldest first. Those listed in the manifest
// at `path` when it lists any; else those of the backup tools whose layouts lie in `path` or up
// to two levels below it (Back In Time, Timeshift, Déjà Dup and duplicity, restic, borg,
// rsnapshot, rdiff-backup), each naming its tool. Backups that failed, did not finish or are
// being written (judged against `now`) are left out; local times in folder names are read in
// `calendar`. The search lists at most a few hundred entries of each folder it looks in and a
// few hundred folders, never follows a link and opens only directories and small named files.
// Empty when nothing is found or `path` cannot be read.
std::vector<Backup> backups(const std::string& path, Instant now, const Calendar& calendar);

// The same backups, and whether the search looked everywhere it would: `complete` is false
// when a folder held more entries, or the drive more folders, than it lists (the tools' known
// names are still looked up directly in every folder searched), so that "no backups" is never
// said of a drive that was not searched through.
struct BackupSearch {
    std::vector<Backup> backups;
    bool complete = true;
};
BackupSearch searchBackups(const std::string& path, Instant now, const Calendar& calendar);

// The backups in a manifest's bytes (an array in which each date starts a backup and an
// optional dictionary right after it gives its details), sorted oldest first, stably.
std::vector<Backup> parseManifest(std::string_view data);

// Which file system holds `path`: the same text for two paths exactly when they are on one
// file system, every btrfs subvolume of a disk included. Only comparable within one boot.
std::optional<std::string> fileSystemId(const std::string& path, const SystemTables& tables = {});
// Names of the folders on the file system that holds the drive (its `fileSystem`); absent
// when that is not known.
std::optional<std::vector<std::string>> foldersOnDisk(const DriveState& drive, const std::vector<FolderTally>& folders,
                                                      const SystemTables& tables = {});

// The format description people see for a kernel file-system type ("ext4" → "ext4",
// "hfsplus" → "Mac OS Extended (Journaled)"); "Unknown" for an empty type.
std::string formatDescription(std::string_view fileSystemType);

} // namespace Drive

namespace TimeMachine {

inline constexpr const char* settingsPath = "/Library/Preferences/com.apple.TimeMachine.plist";

// Size and modification date of the settings file (which is examined, never opened); both
// absent when it cannot be examined.
TimeMachineFacts facts(const std::string& path);

} // namespace TimeMachine

} // namespace brindle
