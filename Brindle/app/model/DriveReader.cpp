#include "Brindle/app/model/DriveReader.h"

#include "BrindleCore/Drive.h"

#include <algorithm>

namespace brindle {

namespace {
class SystemVolumes final : public Volumes {
public:
    std::optional<DriveFacts> facts(const std::string& path) const override { return Drive::facts(path); }
    std::vector<Backup> backups(const std::string& path, Instant now) const override
    {
        return Drive::backups(path, now, Calendar::current());
    }
};
} // namespace

const Volumes& systemVolumes()
{
    static const SystemVolumes volumes;
    return volumes;
}

std::vector<MountedVolume> mountedVolumes()
{
    std::vector<MountedVolume> mounted;
    for (Drive::Mount& mount : Drive::mounts()) {
        std::string identity = Drive::volumeIdentity(mount);
        mounted.push_back({std::move(mount.target), std::move(identity)});
    }
    return mounted;
}

std::vector<DriveState> readDrives(const std::vector<Grant>& drives, const std::vector<MountedVolume>& mounted,
                                   DriveMemory& memory, GrantTokens& tokens, const Volumes& volumes, Instant now)
{
    std::vector<DriveState> states;
    for (const Grant& grant : drives) {
        // A grant made before every mount had an identity takes that of the volume its folder
        // is on now, while it is there.
        std::optional<std::string> identity = grant.uuid;
        if (!identity)
            if (const auto found = tokens.resolve(grant.bookmark))
                if (const auto facts = volumes.facts(found->path))
                    identity = facts->uuid;
        if (!identity)
            continue;
        const std::string& uuid = *identity;
        const auto cached = memory.caches.find(uuid);
        const auto seen = memory.lastSeen.find(uuid);
        const std::optional<Instant> lastSeen =
            seen == memory.lastSeen.end() ? std::nullopt : std::optional<Instant>(seen->second);
        const auto volume = std::find_if(mounted.begin(), mounted.end(),
                                         [&](const MountedVolume& candidate) { return candidate.uuid == uuid; });
        std::optional<DriveFacts> facts = volume == mounted.end() ? std::nullopt : volumes.facts(volume->path);
        if (facts) {
            const auto found = tokens.resolve(grant.bookmark);
            const std::string& path = found ? found->path : volume->path;
            std::vector<Backup> backups = volumes.backups(path, now);
            if (backups.empty() && cached != memory.caches.end())
                backups = cached->second.backups;
            DriveState state{std::move(*facts), true, std::move(backups), now};
            state.fileSystem = Drive::fileSystemId(path);
            memory.lastSeen[uuid] = now;
            memory.caches.insert_or_assign(uuid, state);
            states.push_back(std::move(state));
        } else if (cached != memory.caches.end()) {
            DriveState state = cached->second;
            state.connected = false;
            state.lastSeen = lastSeen;
            states.push_back(std::move(state));
        } else {
            states.push_back(DriveState{DriveFacts{grant.name, ""}, false, {}, lastSeen});
        }
    }
    return states;
}

} // namespace brindle
