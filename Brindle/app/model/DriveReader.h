// Reading the granted backup drives the way every check does: a connected drive is read
// fresh and remembered; a drive that is away is told from what was remembered of it.
//
// One state per drive grant that has a volume identity (Drive::volumeIdentity, kept as its
// `uuid`), in the order of the grants; a grant without one (made before every mount had an
// identity) takes that of the volume its folder is found on, and without it takes no part. A
// connected drive (a mounted volume of that identity whose facts can be read) is read from
// the folder its grant finds, or from the volume's mount point when the grant finds nothing;
// when it gives no backups, the remembered backups stand, so a manifest that cannot be read
// for a moment does not make the backups vanish. Reading a connected drive sets its
// last-seen date to `now` and replaces its remembered state.
//
// Touches the drives: call it off the main thread. Keeps no state; `tokens` and `volumes`
// must be safe to use from the calling thread.
#pragma once

#include "Brindle/app/model/Grant.h"
#include "Brindle/app/model/StoredSettings.h"
#include "Brindle/app/services/GrantTokens.h"
#include "BrindleCore/DriveState.h"

#include <optional>
#include <string>
#include <vector>

namespace brindle {

// What the system says of a mounted volume: a seam, so that tests need no real drives.
class Volumes {
public:
    virtual ~Volumes() = default;
    virtual std::optional<DriveFacts> facts(const std::string& path) const = 0;
    // `now` tells a backup being written from a finished one.
    virtual std::vector<Backup> backups(const std::string& path, Instant now) const = 0;
};

// The volumes of this computer, read with the core's drive readers.
const Volumes& systemVolumes();

struct MountedVolume {
    std::string path;
    std::string uuid; // the volume's identity: its UUID, else derived from the mount

    friend bool operator==(const MountedVolume&, const MountedVolume&) = default;
};

// Every mounted volume with its identity, read now from the mount table; the mounts
// themselves are not touched, so a share whose server is gone cannot hold this up.
std::vector<MountedVolume> mountedVolumes();

// What the settings remember of the drives.
struct DriveMemory {
    Stored::DriveCaches caches;
    Stored::Dates lastSeen;

    friend bool operator==(const DriveMemory&, const DriveMemory&) = default;
};

std::vector<DriveState> readDrives(const std::vector<Grant>& drives, const std::vector<MountedVolume>& mounted,
                                   DriveMemory& memory, GrantTokens& tokens, const Volumes& volumes, Instant now);

} // namespace brindle
