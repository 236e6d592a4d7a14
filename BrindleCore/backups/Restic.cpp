// restic: a repository folder with config, keys/, snapshots/, data/ and index/. Each file in
// snapshots/ is one snapshot, written once when its backup ends and never changed, so its
// modification time is the backup's end. The snapshots are encrypted: nothing else is known.
// Newer Déjà Dup keeps its backups as a restic repository in a folder named "restic".
#include "BrindleCore/backups/Layouts.h"

#include <algorithm>

namespace brindle {

namespace {
// A lock younger than this belongs to a restic that is running now.
constexpr auto freshLock = std::chrono::minutes{30};

bool snapshotName(std::string_view name)
{
    return name.size() == 64 &&
           std::all_of(name.begin(), name.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}
} // namespace

std::optional<std::vector<Backup>> readRestic(const Folder& folder, const std::vector<FolderEntry>& sample,
                                              const LayoutContext& context)
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
    // While a backup runs, the snapshot file it writes last may be incomplete: a snapshot
    // written after the oldest fresh lock does not count yet.
    std::optional<Instant> runningSince;
    if (const auto locks = folder.child("locks"))
        for (const FolderEntry& entry : locks->list(maxLayoutEntries))
            if (const auto modified = entry.isFile() ? locks->modified(entry.name) : std::nullopt)
                if (context.now - *modified < freshLock && (!runningSince || *modified < *runningSince))
                    runningSince = *modified;
    const std::string tool = folder.name() == "restic" ? "Déjà Dup" : "restic";
    for (const FolderEntry& entry : snapshots->list(maxLayoutEntries)) {
        if (!entry.isFile() || !snapshotName(entry.name))
            continue;
        const auto written = snapshots->modified(entry.name);
        if (!written || (runningSince && *written >= *runningSince))
            continue;
        Backup backup{*written};
        backup.tool = tool;
        found.push_back(std::move(backup));
    }
    return found;
}

} // namespace brindle
