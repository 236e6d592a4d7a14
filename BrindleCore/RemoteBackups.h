// RemoteBackups: set-ups whose backups leave this computer (ssh, sftp, a cloud, a network
// share named by its address), which Brindle cannot open. For those, the tool's own record of
// its last completed run stands in for the list of backups on a drive.
//
// Pure functions of the set-ups; any thread. A record dated after `now` plus the drives'
// clock-skew allowance is taken as no record, as a drive's backup dated so far ahead is.
#pragma once

#include "BrindleCore/BackupSetup.h"
#include "BrindleCore/FolderTally.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brindle::RemoteBackups {

// Whether the set-up backs up somewhere that is not a folder of this computer: a target named
// by an address ("ssh://…", "sftp:…", "host:path") or a cloud ("Google Drive").
bool isRemote(const BackupSetup& setup);

// What the tool's record vouches for: the start of its last completed run where it recorded
// one, else that run's end. Nullopt when the set-up is not remote or recorded no completed run.
std::optional<Instant> cutOff(const BackupSetup& setup, Instant now);

// Of the remote set-ups with a record that take `folder`, the one whose record is newest;
// null when none does.
const BackupSetup* newestTaking(const std::vector<BackupSetup>& setups, const std::string& folder, Instant now);

// The remote set-up to name: the one with the newest record, else the first remote one; null
// when no set-up is remote.
const BackupSetup* principal(const std::vector<BackupSetup>& setups, Instant now);

// The set-ups that back up to this computer or a drive.
std::vector<BackupSetup> onThisComputer(const std::vector<BackupSetup>& setups);

// The checked folders `setup` takes, for people ("Documents and Music"); when it takes none
// of them, the last names of the folders it lists, else "your files".
std::string foldersTaken(const BackupSetup& setup, const std::vector<FolderTally>& folders);

// The target as people know it: "BorgBase (ssh)", "nas.local (sftp)", "Google Drive"; the
// host of an address, a known service by its name, and how it is reached.
std::string targetName(std::string_view target);

} // namespace brindle::RemoteBackups
