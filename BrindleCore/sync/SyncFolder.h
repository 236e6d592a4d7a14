// SyncFolder: one folder that a desktop sync client keeps in step with the cloud, as its
// own configuration names it, and where to look for those configurations.
#pragma once

#include <string>
#include <string_view>

namespace brindle {

enum class SyncClient { nextcloud, ownCloud, oneDrive, rclone };

// The name people know the client by: "Nextcloud", "ownCloud", "OneDrive", "rclone".
std::string_view clientName(SyncClient client);

struct SyncFolder {
    SyncClient client = SyncClient::nextcloud;
    std::string root;               // the local folder, absolute, without a trailing slash
    std::string journal;            // the client's database; for rclone, its cache's metadata folder
    bool xattrPlaceholders = false; // online-only files carry an extended attribute
    friend bool operator==(const SyncFolder&, const SyncFolder&) = default;
};

// Where the clients keep their settings, and the mount table.
struct SyncLocations {
    std::string home;
    std::string configHome; // normally ~/.config
    std::string cacheHome;  // normally ~/.cache
    std::string mountInfo;  // the mount table, for rclone mounts

    // Empty locations: nothing is looked for.

    // The person's own, from the environment (XDG_CONFIG_HOME, XDG_CACHE_HOME).
    static SyncLocations system();
    // Those of the home folder `home`, ignoring the environment.
    static SyncLocations under(const std::string& home);
};

} // namespace brindle
