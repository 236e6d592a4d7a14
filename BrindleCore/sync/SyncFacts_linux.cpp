// The Linux side of sync facts: a directory's path from its descriptor (/proc/self/fd), the
// placeholder attribute, the clients' settings files, and rclone mounts from the mount table.
#include "BrindleCore/sync/SyncFacts.h"

#include "BrindleCore/FileIO.h"
#include "BrindleCore/Limits.h"
#include "BrindleCore/Paths.h"
#include "BrindleCore/sync/SyncConfig.h"

#include <libmount/libmount.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>

namespace brindle {

namespace {
constexpr const char* placeholderAttribute = "user.nextcloud.hydrate_exec";

// The directory a thread last asked about, kept between calls.
struct LastDirectory {
    std::uint64_t owner = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::optional<std::size_t> folder;
    std::string relative;
};

std::optional<std::string> pathOfDescriptor(int fd)
{
    std::array<char, 40> link{};
    std::snprintf(link.data(), link.size(), "/proc/self/fd/%d", fd);
    std::string path(limits::syncPathBytes + 1, '\0');
    const ssize_t length = ::readlink(link.data(), path.data(), path.size());
    if (length <= 0 || static_cast<std::size_t>(length) > limits::syncPathBytes || path[0] != '/')
        return std::nullopt;
    path.resize(static_cast<std::size_t>(length));
    return path;
}

bool hasPlaceholderAttribute(int directoryFd, const char* name)
{
    std::array<char, 4200> path{};
    const int length = std::snprintf(path.data(), path.size(), "/proc/self/fd/%d/%s", directoryFd, name);
    if (length <= 0 || static_cast<std::size_t>(length) >= path.size())
        return false;
    return ::lgetxattr(path.data(), placeholderAttribute, nullptr, 0) >= 0;
}
} // namespace

SyncLocations SyncLocations::system()
{
    return {homeFolder(), xdgFolder("XDG_CONFIG_HOME", ".config"), xdgFolder("XDG_CACHE_HOME", ".cache"),
            "/proc/self/mountinfo"};
}

SyncLocations SyncLocations::under(const std::string& home)
{
    return {home, home + "/.config", home + "/.cache", "/proc/self/mountinfo"};
}

ICloudFacts SyncFacts::facts(int directoryFd, const char* name, const struct stat& status) const
{
    struct stat directory {};
    if (::fstat(directoryFd, &directory) != 0)
        return {};
    return factsIn(directoryFd, directory.st_dev, directory.st_ino, name, status);
}

ICloudFacts SyncFacts::factsIn(int directoryFd, std::uint64_t device, std::uint64_t inode, const char* name,
                               const struct stat& status) const
{
    thread_local LastDirectory last;
    if (last.owner != id_ || last.device != device || last.inode != inode) {
        last = LastDirectory{id_, device, inode, std::nullopt, {}};
        if (const auto path = pathOfDescriptor(directoryFd))
            if (const auto found = locate(*path)) {
                last.folder = found->first;
                last.relative = std::string(found->second);
            }
    }
    if (!last.folder)
        return {};
    const LoadedSyncFolder& folder = folders_[*last.folder];
    const bool attribute =
        folder.folder.xattrPlaceholders && S_ISREG(status.st_mode) && hasPlaceholderAttribute(directoryFd, name);
    return factsOf(folder, last.relative, name, status, attribute);
}

bool SyncFacts::folderIsUbiquitous(const std::string& path) const
{
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    return resolved && locate(resolved.get()).has_value();
}

namespace SyncClients {

namespace {
void addNextcloud(std::vector<SyncFolder>& folders, const std::string& file, SyncClient client)
{
    const ReadResult text = readRegularFile(file, limits::syncConfigBytes);
    if (!text.content)
        return;
    for (SyncFolder& folder : SyncConfig::nextcloudFolders(*text.content, client))
        folders.push_back(std::move(folder));
}

void addRcloneMounts(std::vector<SyncFolder>& folders, const SyncLocations& where)
{
    struct TableFree {
        void operator()(libmnt_table* table) const { mnt_unref_table(table); }
    };
    struct IterFree {
        void operator()(libmnt_iter* iter) const { mnt_free_iter(iter); }
    };
    const std::unique_ptr<libmnt_table, TableFree> table(mnt_new_table());
    const std::unique_ptr<libmnt_iter, IterFree> iter(mnt_new_iter(MNT_ITER_FORWARD));
    if (!table || !iter || mnt_table_parse_file(table.get(), where.mountInfo.c_str()) != 0)
        return;
    libmnt_fs* fs = nullptr;
    while (mnt_table_next_fs(table.get(), iter.get(), &fs) == 0) {
        const char* type = mnt_fs_get_fstype(fs);
        const char* source = mnt_fs_get_source(fs);
        const char* target = mnt_fs_get_target(fs);
        if (!type || !source || !target || std::string_view(type) != "fuse.rclone")
            continue;
        if (auto meta = SyncConfig::rcloneMetaFolder(source, where.cacheHome))
            folders.push_back({SyncClient::rclone, withoutTrailingSlashes(target), std::move(*meta), false});
    }
}
} // namespace

std::vector<SyncFolder> configured(const SyncLocations& where)
{
    std::vector<SyncFolder> folders;
    if (!where.configHome.empty()) {
        addNextcloud(folders, where.configHome + "/Nextcloud/nextcloud.cfg", SyncClient::nextcloud);
        addNextcloud(folders, where.configHome + "/ownCloud/owncloud.cfg", SyncClient::ownCloud);
        const std::string oneDrive = where.configHome + "/onedrive";
        if (const std::string items = oneDrive + "/items.sqlite3"; ::access(items.c_str(), F_OK) == 0) {
            const ReadResult config = readRegularFile(oneDrive + "/config", limits::syncConfigBytes);
            folders.push_back({SyncClient::oneDrive,
                               SyncConfig::oneDriveSyncDir(config.content.value_or(""), where.home), items, false});
        }
    }
    if (!where.mountInfo.empty())
        addRcloneMounts(folders, where);
    return folders;
}

} // namespace SyncClients

} // namespace brindle
