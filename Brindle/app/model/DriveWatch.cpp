#include "Brindle/app/model/DriveWatch.h"

#include "Brindle/app/model/StoredSettings.h"
#include "Brindle/app/services/SettingsKeys.h"
#include "BrindleCore/Paths.h"

#include <utility>

namespace brindle {

DriveWatch::DriveWatch(Services services, Grants& grants, CheckLoop& checks, bool demo, QObject* parent)
    : QObject(parent), services_(std::move(services)), grants_(grants), checks_(checks), demo_(demo)
{
    if (!demo_) {
        services_.mounts.start();
        const std::set<std::string> uuids = grants_.driveUUIDs();
        for (const QString& uuid : services_.mounts.mountMap())
            if (uuids.contains(uuid.toStdString()))
                noteSeen(uuid.toStdString());
        connect(&services_.mounts, &MountWatcher::mounted, this,
                [this](const QString&, const QString& uuid) { driveEvent(uuid); });
        connect(&services_.mounts, &MountWatcher::unmounted, this,
                [this](const QString&, const QString& uuid) { driveEvent(uuid); });
    }
    services_.settings.remove(settingKeys::driveCache);
    connect(&services_.timer, &RepeatingTimer::fired, this, [this] { refresh(); });
    services_.timer.start();
    connect(&refresher_, &DriveRefresher::finished, this, &DriveWatch::refreshed);
}

void DriveWatch::noteSeen(const std::string& uuid)
{
    Stored::Dates seen = Stored::dates(services_.settings, settingKeys::lastSeen);
    seen[uuid] = services_.clock();
    Stored::saveDates(services_.settings, settingKeys::lastSeen, seen);
}

std::optional<Instant> DriveWatch::lastSeen(const std::string& uuid) const
{
    const Stored::Dates seen = Stored::dates(services_.settings, settingKeys::lastSeen);
    const auto found = seen.find(uuid);
    return found == seen.end() ? std::nullopt : std::optional<Instant>(found->second);
}

void DriveWatch::driveEvent(const QString& uuid)
{
    if (uuid.isEmpty() || !grants_.driveUUIDs().contains(uuid.toStdString()))
        return;
    noteSeen(uuid.toStdString());
    checks_.start();
}

void DriveWatch::refresh(Then then)
{
    if (refresher_.running()) {
        // The reading under way may yet start a check: wait for what it leaves.
        if (then)
            then_ = [first = std::move(then_), then = std::move(then)](const std::optional<CheckResult>& result) {
                if (first)
                    first(result);
                then(result);
            };
        return;
    }
    if (demo_ || grants_.drives().empty()) {
        if (then)
            then(checks_.checking() ? std::nullopt : checks_.result());
        return;
    }
    if (!checks_.result() || checks_.checking()) {
        if (then)
            then(std::nullopt);
        return;
    }
    then_ = std::move(then);
    refresher_.start([drives = grants_.drives(), mounted = mountedVolumes(services_.mounts),
                      memory = DriveMemory{Stored::driveCaches(services_.settings),
                                           Stored::dates(services_.settings, settingKeys::lastSeen)},
                      &tokens = services_.tokens, &volumes = services_.volumes,
                      now = services_.clock()](std::stop_token) mutable {
        std::vector<DriveState> states = readDrives(drives, mounted, memory, tokens, volumes, now);
        return DriveRefresh{std::move(states), std::move(memory)};
    });
}

void DriveWatch::refreshed(const DriveRefresh& refresh)
{
    if (refresh.stopped)
        return;
    const Then then = std::exchange(then_, {});
    // A check that began meanwhile reads the drives itself, and later.
    if (!checks_.checking()) {
        Stored::saveDriveCaches(services_.settings, refresh.memory.caches);
        Stored::saveDates(services_.settings, settingKeys::lastSeen, refresh.memory.lastSeen);
        auto [drive, otherDrives] = CheckResult::ordered(refresh.states);
        const std::optional<Instant> newest = drive ? drive->lastBackup() : std::nullopt;
        if (!checks_.result() || newest != checks_.result()->lastBackup())
            checks_.start();
        else
            checks_.keepDrives(std::move(drive), std::move(otherDrives));
    }
    if (then)
        then(checks_.checking() ? std::nullopt : checks_.result());
}

std::optional<DriveSuggestion> DriveWatch::suggestedDrive() const
{
    const auto& result = checks_.result();
    if (!grants_.drives().empty() || !result || !result->backupSetups)
        return std::nullopt;
    const std::vector<MountedVolume> mounted = mountedVolumes(services_.mounts);
    for (const BackupSetup& setup : *result->backupSetups) {
        // Longer mount points first: a drive mounted inside another folder's mount is the one meant.
        for (auto it = mounted.rbegin(); it != mounted.rend(); ++it) {
            const MountedVolume& volume = *it;
            // The system's own disk is no backup drive.
            if (volume.path == "/")
                continue;
            const std::string name(lastPathComponent(volume.path));
            if (setup.volumeUuid && *setup.volumeUuid == volume.uuid)
                return DriveSuggestion{volume.path, name, setup.tool};
            if (setup.target && isSameOrInside(*setup.target, volume.path))
                return DriveSuggestion{*setup.target, name, setup.tool};
        }
    }
    return std::nullopt;
}

} // namespace brindle
