// restic: a repository folder with config, keys/, snapshots/, data/ and index/. Each file in
// snapshots/ is one snapshot, written once when its backup ends and never changed, so its
// modification time is the backup's end. The snapshots are encrypted: nothing else is known.
// A lock never hides a snapshot: restic saves a snapshot file (through a temporary name and a
// rename) only once its backup is complete, and a killed run leaves its lock behind for good.
#include "BrindleCore/backups/Layouts.h"

#include <algorithm>

namespace brindle {

namespace {
bool snapshotName(std::string_view name)
{
    return name.size() == 64 && std::all_of(name.begin(), name.end(),
                                            [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}
} // namespace

std::optional<std::vector<Backup>> readRestic(const Folder& folder, const std::vector<FolderEntry>& sample,
                                              const LayoutContext&)
{
    using Type = FolderEntry::Type;
    if (!hasEntry(sample, "config", Type::file) || !hasEntry(sample, "keys", Type::directory) ||
        !hasEntry(sample, "snapshots", Type::directory) || !hasEntry(sample, "data", Type::directory) ||
        !hasEntry(sample, "index", Type::directory))
        return std::nullopt;
    std::vector<Backup> found;
    const auto snapshots = folder.child("snapshots");
    if (!snapshots)
        return found;
    for (const FolderEntry& entry : snapshots->list(maxLayoutEntries)) {
        if (!entry.isFile() || !snapshotName(entry.name))
            continue;
        const auto written = snapshots->modified(entry.name);
        if (!written)
            continue;
        Backup backup{*written};
        backup.tool = "restic";
        found.push_back(std::move(backup));
    }
    return found;
}

} // namespace brindle
