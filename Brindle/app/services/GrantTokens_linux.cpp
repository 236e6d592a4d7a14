// Grant tokens on Linux: libmount for the mount table (mount point and the mounted folder
// within the file system), the volume's UUID as Drive::facts reads it, and the
// /dev/disk/by-uuid link (else libblkid) to find where a UUID is mounted now.
#include "Brindle/app/services/GrantTokens.h"

#include "Brindle/app/services/GrantToken.h"
#include "BrindleCore/Descriptor.h"
#include "BrindleCore/Drive.h"

#include <blkid/blkid.h>
#include <fcntl.h>
#include <libmount/libmount.h>
#include <sys/stat.h>

#include <cstdlib>
#include <vector>

namespace brindle {

namespace {

struct Mount {
    std::string target; // the mount point
    std::string root;   // the folder of the file system mounted there ("/" for a whole volume)
    std::string source;
};

std::optional<std::string> realPath(const std::string& path)
{
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    if (!resolved)
        return std::nullopt;
    return std::string(resolved.get());
}

std::vector<Mount> mountTable(const std::string& mountInfo)
{
    struct TableFree {
        void operator()(libmnt_table* table) const { mnt_unref_table(table); }
    };
    const std::unique_ptr<libmnt_table, TableFree> table(mnt_new_table());
    std::vector<Mount> mounts;
    if (!table || mnt_table_parse_file(table.get(), mountInfo.c_str()) != 0)
        return mounts;
    const auto text = [](const char* value) { return std::string(value ? value : ""); };
    libmnt_iter* iterator = mnt_new_iter(MNT_ITER_FORWARD);
    libmnt_fs* fs = nullptr;
    while (iterator && mnt_table_next_fs(table.get(), iterator, &fs) == 0)
        mounts.push_back({text(mnt_fs_get_target(fs)), text(mnt_fs_get_root(fs)), text(mnt_fs_get_source(fs))});
    mnt_free_iter(iterator);
    return mounts;
}

bool isAtOrBelow(const std::string& path, const std::string& folder)
{
    return folder == "/" || path == folder || (path.starts_with(folder) && path[folder.size()] == '/');
}

// "/a" + "" → "/a"; "/" + "/b" → "/b"; "/a" + "/b" → "/a/b".
std::string joined(const std::string& folder, const std::string& rest)
{
    if (rest.empty())
        return folder;
    if (folder == "/")
        return rest;
    return folder + rest;
}

// The part of `path` below `folder`, with its leading "/", or "" for the folder itself.
std::string below(const std::string& path, const std::string& folder)
{
    return folder == "/" ? (path == "/" ? "" : path) : path.substr(folder.size());
}

// The device node holding the volume with this UUID, or absent when none is attached.
std::optional<std::string> deviceOfVolume(const std::string& uuid)
{
    if (auto device = realPath("/dev/disk/by-uuid/" + uuid))
        return device;
    std::unique_ptr<char, decltype(&std::free)> device(blkid_evaluate_tag("UUID", uuid.c_str(), nullptr), &std::free);
    if (!device)
        return std::nullopt;
    return realPath(device.get());
}

std::optional<struct stat> folderStatus(const std::string& path)
{
    struct stat status;
    if (::stat(path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode))
        return std::nullopt;
    return status;
}

bool opensForReading(const std::string& path)
{
    return Descriptor(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)).valid();
}

// Where a folder really lies: the path within its file system, and the mount showing it.
struct Location {
    std::string inVolume;
    std::optional<Mount> holder;
};

std::optional<Location> locate(const std::string& path, const std::string& mountInfo)
{
    const auto canonical = realPath(path);
    if (!canonical)
        return std::nullopt;
    // The last of the mounts holding the folder is the one that is visible.
    std::optional<Mount> holder;
    for (Mount& mount : mountTable(mountInfo))
        if (isAtOrBelow(*canonical, mount.target))
            if (!holder || mount.target.size() >= holder->target.size())
                holder = std::move(mount);
    if (!holder)
        return Location{*canonical, std::nullopt};
    return Location{joined(holder->root.empty() ? "/" : holder->root, below(*canonical, holder->target)),
                    std::move(holder)};
}

class LinuxGrantTokens final : public GrantTokens {
public:
    explicit LinuxGrantTokens(std::string mountInfo) : mountInfo_(std::move(mountInfo)) {}

    std::optional<std::string> create(const std::string& path) override
    {
        const auto status = folderStatus(path);
        const auto location = locate(path, mountInfo_);
        if (!status || !location)
            return std::nullopt;
        GrantToken token;
        token.path = path;
        token.device = status->st_dev;
        token.inode = status->st_ino;
        token.inVolume = location->inVolume;
        const auto& holder = location->holder;
        if (holder && holder->source.starts_with("/dev/"))
            if (const auto facts = Drive::facts(holder->target, Drive::SystemTables{.mountInfo = mountInfo_});
                facts && facts->uuid && Drive::isVolumeUuid(*facts->uuid))
                token.volume = facts->uuid;
        return encodeGrantTokenText(token);
    }

    std::optional<ResolvedGrant> resolve(std::string_view text) override
    {
        const auto token = decodeGrantTokenText(text);
        if (!token)
            return std::nullopt;
        // Device numbers of removable drives change from one attachment to the next; the
        // UUID says which volume it is. Where no UUID can be looked up (no udev links, and
        // devices this user may not probe), the folder's path and numbers must do.
        const auto device = token->volume ? deviceOfVolume(*token->volume) : std::nullopt;
        if (!device) {
            const auto status = folderStatus(token->path);
            if (!status)
                return std::nullopt;
            const bool same = status->st_ino == token->inode && status->st_dev == token->device;
            // Without its UUID, another folder at the path could lie on another volume.
            if (!same && token->volume)
                return std::nullopt;
            // A folder made anew in the same place is the grant's; a link at the path to an
            // ancestor or to another tree is not, and must not become the grant.
            if (!same && !inSamePlace(token->path, *token, status->st_dev == token->device))
                return std::nullopt;
            return ResolvedGrant{token->path, !same, opensForReading(token->path)};
        }
        std::vector<std::string> candidates;
        for (const Mount& mount : mountTable(mountInfo_)) {
            const std::string root = mount.root.empty() ? "/" : mount.root;
            if (!mount.source.starts_with("/dev/") || !isAtOrBelow(token->inVolume, root) ||
                realPath(mount.source) != device)
                continue;
            std::string candidate = joined(mount.target, below(token->inVolume, root));
            if (candidate == token->path)
                candidates.insert(candidates.begin(), std::move(candidate));
            else
                candidates.push_back(std::move(candidate));
        }
        for (const std::string& candidate : candidates) {
            const auto status = folderStatus(candidate);
            if (!status)
                continue;
            const auto location = locate(candidate, mountInfo_);
            const bool onVolume = location && location->holder && realPath(location->holder->source) == device;
            if (!onVolume || (status->st_ino != token->inode && location->inVolume != token->inVolume))
                continue;
            const bool same = status->st_ino == token->inode && candidate == token->path;
            return ResolvedGrant{candidate, !same, opensForReading(candidate)};
        }
        return std::nullopt;
    }

private:
    bool inSamePlace(const std::string& path, const GrantToken& token, bool sameDevice) const
    {
        const auto location = locate(path, mountInfo_);
        return sameDevice && location && location->inVolume == token.inVolume;
    }

    std::string mountInfo_;
};

} // namespace

std::unique_ptr<GrantTokens> makeGrantTokens(std::string mountInfo)
{
    return std::make_unique<LinuxGrantTokens>(std::move(mountInfo));
}

} // namespace brindle
