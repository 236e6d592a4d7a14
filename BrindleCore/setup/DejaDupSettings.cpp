// Déjà Dup's lists name folders by path or by the person's special folders: "$HOME",
// "$DESKTOP", "$DOCUMENTS", "$DOWNLOAD", "$MUSIC", "$PICTURES", "$PUBLIC_SHARE",
// "$TEMPLATES", "$VIDEOS" and "$TRASH" at the start of a path, "$USER" anywhere; a relative
// path lies below the home folder. Déjà Dup sets "last-backup" (and "last-run") to the end of
// a backup only when it succeeded, in GLib's ISO 8601 form ("2026-12-07T22:00:00.123456Z"); it
// records no start.
#include "BrindleCore/BackupSetupRead.h"

#include <array>

namespace brindle {

namespace {
constexpr std::size_t maxListItems = 4096;

std::optional<std::string> specialFolder(std::string_view name, const SetupPlaces& places)
{
    if (name == "HOME")
        return places.home;
    if (name == "TRASH")
        return places.dataHome + "/Trash";
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 8> folders{{
        {"DESKTOP", "Desktop"},
        {"DOCUMENTS", "Documents"},
        {"DOWNLOAD", "Downloads"},
        {"MUSIC", "Music"},
        {"PICTURES", "Pictures"},
        {"PUBLIC_SHARE", "Public"},
        {"TEMPLATES", "Templates"},
        {"VIDEOS", "Videos"},
    }};
    for (const auto& [key, fallback] : folders)
        if (key == name) {
            const auto named = places.userDirs.find(std::string(key));
            return named != places.userDirs.end() ? named->second : places.home + "/" + std::string(fallback);
        }
    return std::nullopt;
}

std::optional<std::string> folderOf(std::string path, const SetupPlaces& places)
{
    for (std::size_t at = path.find("$USER"); at != std::string::npos;
         at = path.find("$USER", at + places.userName.size()))
        path.replace(at, 5, places.userName);
    if (path.starts_with('$')) {
        const auto slash = path.find('/');
        const auto special = specialFolder(std::string_view(path).substr(1, slash - 1), places);
        if (!special)
            return std::nullopt;
        path = *special + (slash == std::string::npos ? "" : path.substr(slash));
    }
    return path.empty() ? std::nullopt : std::optional(places.absolute(path));
}

std::vector<std::string> foldersOf(const std::vector<std::string>& list, const SetupPlaces& places)
{
    std::vector<std::string> folders;
    for (const std::string& item : list)
        if (folders.size() < maxListItems)
            if (auto folder = folderOf(item, places))
                folders.push_back(std::move(*folder));
    return folders;
}

// Where the "remote" backend and the clouds put the backups; nullopt for a backend that backs
// up to this computer or a drive.
std::optional<std::string> remoteTarget(const DejaDupSettings& settings)
{
    if (settings.backend == "remote") {
        if (settings.remoteUri.empty())
            return std::nullopt;
        std::string uri = settings.remoteUri;
        // "$HOSTNAME" and the like are filled in by Déjà Dup at run time: the server is enough.
        if (!settings.remoteFolder.empty() && settings.remoteFolder.find('$') == std::string::npos)
            uri += (uri.ends_with('/') || settings.remoteFolder.starts_with('/') ? "" : "/") + settings.remoteFolder;
        return uri;
    }
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 7> clouds{{
        {"google", "Google Drive"},
        {"gdrive", "Google Drive"},
        {"microsoft", "OneDrive"},
        {"gcs", "Google Cloud Storage"},
        {"s3", "Amazon S3"},
        {"openstack", "OpenStack Swift"},
        {"rackspace", "Rackspace Cloud Files"},
    }};
    for (const auto& [backend, name] : clouds)
        if (settings.backend == backend)
            return std::string(name);
    return std::nullopt;
}
} // namespace

std::optional<BackupSetup> SetupRead::dejaDup(const DejaDupSettings& settings, const SetupPlaces& places,
                                              const Calendar& calendar)
{
    const bool drive = settings.backend == "drive" && !settings.driveUuid.empty();
    const auto remote = remoteTarget(settings);
    if (settings.lastBackup.empty() && !drive && !remote)
        return std::nullopt;
    BackupSetup setup{"Déjà Dup"};
    if (remote) {
        setup.target = remote;
    } else if (drive) {
        setup.volumeUuid = settings.driveUuid;
        if (!settings.driveName.empty())
            setup.driveName = settings.driveName;
    } else if (settings.backend == "local" && !settings.localFolder.empty() &&
               settings.localFolder.find('$') == std::string::npos)
        setup.target = places.absolute(settings.localFolder);
    setup.included = foldersOf(settings.includeList, places);
    setup.excluded = foldersOf(settings.excludeList, places);
    setup.lastBackup = timestamp(settings.lastBackup, calendar);
    return setup;
}

} // namespace brindle
