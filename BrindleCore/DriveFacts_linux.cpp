// Volume facts on Linux: libmount for the mount table, statvfs for capacities, the links in
// /dev/disk for UUID and label (libblkid where udev made none), dm-crypt for encryption and
// sysfs for removability.
#include "BrindleCore/Drive.h"
#include "BrindleCore/FileIO.h"
#include "BrindleCore/Words.h"

#include <blkid/blkid.h>
#include <libmount/libmount.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>

#include <array>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace brindle {

namespace {
namespace fs = std::filesystem;

struct MountEntry : Drive::Mount {
    dev_t device = 0; // as the mount table gives it (for btrfs, that of the subvolume)
};

std::string text(const char* value) { return value ? value : ""; }

MountEntry entryOf(libmnt_fs* fs)
{
    MountEntry entry;
    entry.target = text(mnt_fs_get_target(fs));
    entry.source = text(mnt_fs_get_source(fs));
    entry.type = text(mnt_fs_get_fstype(fs));
    entry.root = text(mnt_fs_get_root(fs));
    entry.device = mnt_fs_get_devno(fs);
    return entry;
}

std::optional<std::string> realPath(const std::string& path)
{
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    if (!resolved)
        return std::nullopt;
    return std::string(resolved.get());
}

std::optional<MountEntry> mountHolding(const std::string& canonicalPath, const std::string& mountInfo)
{
    struct TableFree {
        void operator()(libmnt_table* table) const { mnt_unref_table(table); }
    };
    const std::unique_ptr<libmnt_table, TableFree> table(mnt_new_table());
    if (!table || mnt_table_parse_file(table.get(), mountInfo.c_str()) != 0)
        return std::nullopt;
    // Backwards, so that of two mounts on one folder the later (the visible one) wins.
    libmnt_fs* fs = mnt_table_find_mountpoint(table.get(), canonicalPath.c_str(), MNT_ITER_BACKWARD);
    if (!fs)
        return std::nullopt;
    return entryOf(fs);
}

// The kernel name of a device source ("/dev/mapper/luks-1" → "dm-0"); empty when the source
// is not a device node (tmpfs, a network share, an overlay).
std::string deviceName(const std::string& source)
{
    if (!source.starts_with("/dev/"))
        return {};
    const std::string resolved = realPath(source).value_or(source);
    return resolved.substr(resolved.rfind('/') + 1);
}

// The name of the link in `folder` (by-uuid, by-label) that points at `device`. udev writes
// special characters in these names as \xHH escapes.
std::optional<std::string> linkNameFor(const std::string& folder, const std::string& device)
{
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code linkError;
        const fs::path target = fs::read_symlink(it->path(), linkError);
        if (linkError || target.filename() != device)
            continue;
        const std::string name = it->path().filename().string();
        std::string decoded;
        for (std::size_t i = 0; i < name.size(); ++i) {
            if (name.compare(i, 2, "\\x") == 0 && i + 3 < name.size() &&
                std::isxdigit(static_cast<unsigned char>(name[i + 2])) &&
                std::isxdigit(static_cast<unsigned char>(name[i + 3]))) {
                decoded.push_back(static_cast<char>(std::stoi(name.substr(i + 2, 2), nullptr, 16)));
                i += 3;
            } else {
                decoded.push_back(name[i]);
            }
        }
        return decoded;
    }
    return std::nullopt;
}

// A device's tag ("UUID", "LABEL") from libblkid's cache, probing the device where this user
// may read it; for systems without udev's /dev/disk links.
std::optional<std::string> probedTag(const std::string& source, const char* tag)
{
    const std::string device = realPath(source).value_or(source);
    std::unique_ptr<char, decltype(&std::free)> value(blkid_get_tag_value(nullptr, tag, device.c_str()), &std::free);
    if (!value || !*value)
        return std::nullopt;
    return std::string(value.get());
}

std::optional<std::string> firstLine(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    if (!in || !std::getline(in, line))
        return std::nullopt;
    return line;
}

// A device-mapper device is encrypted when it, or a device below it, is a dm-crypt mapping.
bool isEncrypted(const std::string& sys, const std::string& device, int depth = 0)
{
    if (depth > 8)
        return false;
    const fs::path block = fs::path(sys) / "block" / device;
    if (firstLine(block / "dm" / "uuid").value_or("").starts_with("CRYPT-"))
        return true;
    std::error_code error;
    for (fs::directory_iterator it(block / "slaves", error), end; !error && it != end; it.increment(error))
        if (isEncrypted(sys, it->path().filename().string(), depth + 1))
            return true;
    return false;
}

// Removable when the device (or, for a partition, its disk) says so, or when it hangs off a
// USB bus; for a mapping, when a device below it is. Absent when sysfs does not know it.
std::optional<bool> isRemovable(const std::string& sys, const std::string& device, int depth = 0)
{
    std::error_code error;
    const fs::path node = fs::canonical(fs::path(sys) / "class" / "block" / device, error);
    if (error || depth > 8)
        return std::nullopt;
    if (node.string().find("/usb") != std::string::npos)
        return true;
    const fs::path disk = fs::exists(node / "partition", error) ? node.parent_path() : node;
    if (firstLine(disk / "removable") == "1")
        return true;
    for (fs::directory_iterator it(node / "slaves", error), end; !error && it != end; it.increment(error))
        if (isRemovable(sys, it->path().filename().string(), depth + 1) == true)
            return true;
    return false;
}

} // namespace

std::string Drive::formatDescription(std::string_view type)
{
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 17> names{{
        {"apfs", "APFS"},
        {"hfsplus", "Mac OS Extended (Journaled)"},
        {"hfs", "Mac OS Extended"},
        {"ext2", "ext2"},
        {"ext3", "ext3"},
        {"ext4", "ext4"},
        {"vfat", "MS-DOS (FAT32)"},
        {"msdos", "MS-DOS (FAT)"},
        {"exfat", "ExFAT"},
        {"ntfs", "NTFS"},
        {"ntfs3", "NTFS"},
        {"btrfs", "Btrfs"},
        {"xfs", "XFS"},
        {"zfs", "ZFS"},
        {"f2fs", "F2FS"},
        {"tmpfs", "Memory (tmpfs)"},
        {"iso9660", "ISO 9660"},
    }};
    if (type.empty())
        return "Unknown";
    for (const auto& [kernel, shown] : names)
        if (kernel == type)
            return std::string(shown);
    return std::string(type);
}

std::vector<Drive::Mount> Drive::mounts(const SystemTables& tables)
{
    struct TableFree {
        void operator()(libmnt_table* table) const { mnt_unref_table(table); }
    };
    struct IterFree {
        void operator()(libmnt_iter* iter) const { mnt_free_iter(iter); }
    };
    std::vector<Mount> found;
    const std::unique_ptr<libmnt_table, TableFree> table(mnt_new_table());
    const std::unique_ptr<libmnt_iter, IterFree> iter(mnt_new_iter(MNT_ITER_FORWARD));
    if (!table || !iter || mnt_table_parse_file(table.get(), tables.mountInfo.c_str()) != 0)
        return found;
    libmnt_fs* fs = nullptr;
    while (mnt_table_next_fs(table.get(), iter.get(), &fs) == 0) {
        Mount mount = entryOf(fs);
        // libmount counts memory and overlay file systems as pseudo ones, yet people keep
        // folders on them.
        const bool kernelOnly = mnt_fstype_is_pseudofs(mount.type.c_str()) == 1 && mount.type != "tmpfs" &&
                                mount.type != "ramfs" && mount.type != "overlay";
        if (!mount.target.empty() && !kernelOnly)
            found.push_back(std::move(mount));
    }
    return found;
}

namespace {
// The UUID of the device a mount shows; absent for a source that is no device, or a device
// without one.
std::optional<std::string> deviceUuid(const Drive::Mount& mount, const Drive::SystemTables& tables)
{
    const std::string device = deviceName(mount.source);
    if (device.empty())
        return std::nullopt;
    auto uuid = linkNameFor(tables.devDisk + "/by-uuid", device);
    if (!uuid && tables.probeDevices)
        uuid = probedTag(mount.source, "UUID");
    if (uuid && uuid->empty())
        uuid.reset();
    return uuid;
}
} // namespace

bool Drive::isVolumeUuid(std::string_view identity) { return !identity.starts_with("mount:"); }

std::string Drive::volumeIdentity(const Mount& mount, const SystemTables& tables)
{
    if (auto uuid = deviceUuid(mount, tables); uuid && isVolumeUuid(*uuid))
        return std::move(*uuid);
    std::string identity = "mount:" + mount.type + ":" + mount.source;
    if (!mount.root.empty() && mount.root != "/")
        identity += mount.root;
    // "server:/export", "//server/share", "/dev/sdb1" and "user@host:path" name their place;
    // "tmpfs" or "none" do not, and only the mount point tells two such mounts apart.
    if (mount.source.find_first_of("/:") == std::string::npos)
        identity += "@" + mount.target;
    return identity;
}

namespace {
std::optional<MountEntry> mountOf(const std::string& path, const Drive::SystemTables& tables)
{
    const auto canonical = realPath(path);
    return canonical ? mountHolding(*canonical, tables.mountInfo) : std::nullopt;
}
} // namespace

std::optional<std::string> Drive::mountPoint(const std::string& path, const SystemTables& tables)
{
    const auto mount = mountOf(path, tables);
    return mount ? std::optional(mount->target) : std::nullopt;
}

std::optional<DriveFacts> Drive::facts(const std::string& path, const SystemTables& tables)
{
    const auto mount = mountOf(path, tables);
    if (!mount)
        return std::nullopt;
    struct statvfs capacity;
    if (::statvfs(mount->target.c_str(), &capacity) != 0)
        return std::nullopt;

    DriveFacts facts;
    const std::string device = deviceName(mount->source);
    auto label = device.empty() ? std::nullopt : linkNameFor(tables.devDisk + "/by-label", device);
    if (!device.empty() && !label && tables.probeDevices)
        label = probedTag(mount->source, "LABEL");
    facts.name = Words::shownName(label && !label->empty() ? *label : std::string(lastPathComponent(mount->target)));
    // A FUSE mount's type names the driver, not the format (fuseblk serves NTFS and exFAT
    // alike; fusefat FAT): libblkid reads what the device holds.
    std::string type = mount->type;
    if ((type == "fuseblk" || type.starts_with("fuse.")) && !device.empty() && tables.probeDevices)
        if (auto probed = probedTag(mount->source, "TYPE"))
            type = std::move(*probed);
    facts.format = formatDescription(type);
    const auto blocks = static_cast<std::int64_t>(capacity.f_frsize);
    facts.totalBytes = static_cast<std::int64_t>(capacity.f_blocks) * blocks;
    facts.freeBytes = static_cast<std::int64_t>(capacity.f_bavail) * blocks;
    facts.uuid = volumeIdentity(*mount, tables);
    if (!device.empty()) {
        facts.encrypted = isEncrypted(tables.sys, device);
        facts.removable = isRemovable(tables.sys, device);
    }
    return facts;
}

std::optional<std::string> Drive::fileSystemId(const std::string& path, const SystemTables& tables)
{
    const auto mount = mountOf(path, tables);
    if (!mount)
        return std::nullopt;
    // The device, not the mount: every btrfs subvolume of one disk has its own device number.
    if (const std::string device = deviceName(mount->source); !device.empty())
        return "device " + device;
    return "mount " + std::to_string(major(mount->device)) + ":" + std::to_string(minor(mount->device));
}

std::optional<std::vector<std::string>>
Drive::foldersOnDisk(const DriveState& drive, const std::vector<FolderTally>& folders, const SystemTables& tables)
{
    if (!drive.fileSystem)
        return std::nullopt;
    std::vector<std::string> names;
    for (const FolderTally& folder : folders)
        if (fileSystemId(folder.path, tables) == drive.fileSystem)
            names.push_back(folder.name);
    return names;
}

} // namespace brindle
