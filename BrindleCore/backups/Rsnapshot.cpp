// rsnapshot: a snapshot root of <interval>.<N>/ folders (alpha.0, daily.3), each one's
// modification time set when its backup ended. .sync/ (sync_first) and _delete.<pid>/
// (lazy deletes) are not snapshots. A root is recognised by a newest snapshot, <interval>.0.
//
// A run first rotates (<interval>.N to .N+1), then copies .0 to .1 with `cp -al` (which gives
// .1 the modification time of .0 once it has finished), then rsyncs into .0, and last touches
// .0 (rsnapshot's rotate_lowest_snapshots and the end of handle_interval). Within one interval
// a lower number is therefore strictly newer, and what breaks that order is a run that did not
// finish: a .1 newer than .0 is a copy being made; a .0 as old as .1 was never touched, so
// its rsync did not end. Neither counts.
#include "BrindleCore/backups/Formats.h"
#include "BrindleCore/backups/Layouts.h"

#include <algorithm>
#include <charconv>
#include <tuple>

namespace brindle {

std::optional<unsigned> BackupFormats::rsnapshotIndex(std::string_view name)
{
    const auto dot = name.find('.');
    if (dot == 0 || dot == std::string_view::npos || dot > 32 || name.size() - dot - 1 > 4 || dot + 1 == name.size())
        return std::nullopt;
    if (!std::all_of(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(dot),
                     [](char c) { return c >= 'a' && c <= 'z'; }))
        return std::nullopt;
    unsigned index = 0;
    const auto [end, error] = std::from_chars(name.data() + dot + 1, name.data() + name.size(), index);
    if (error != std::errc{} || end != name.data() + name.size())
        return std::nullopt;
    return index;
}

std::optional<std::vector<Backup>> readRsnapshot(const Folder& folder, const std::vector<FolderEntry>& sample,
                                                 const LayoutContext&)
{
    const bool looksLikeOne = std::any_of(sample.begin(), sample.end(), [](const FolderEntry& entry) {
        return entry.isDirectory() && BackupFormats::rsnapshotIndex(entry.name);
    });
    if (!looksLikeOne)
        return std::nullopt;
    struct Snapshot {
        std::string interval;
        unsigned index;
        Instant ended;
    };
    std::vector<Snapshot> snapshots;
    bool newest = false; // an <interval>.0, which every snapshot root has
    for (const FolderEntry& entry : folder.list(maxLayoutEntries)) {
        const auto index = entry.isDirectory() ? BackupFormats::rsnapshotIndex(entry.name) : std::nullopt;
        if (!index)
            continue;
        newest = newest || *index == 0;
        if (const auto ended = folder.modified(entry.name))
            snapshots.push_back({entry.name.substr(0, entry.name.find('.')), *index, *ended});
    }
    if (!newest)
        return std::nullopt;
    std::sort(snapshots.begin(), snapshots.end(), [](const Snapshot& a, const Snapshot& b) {
        return std::tie(a.interval, a.index) < std::tie(b.interval, b.index);
    });
    std::vector<Backup> found;
    std::optional<Instant> lowerKept; // the newest kept of the interval so far
    for (std::size_t i = 0; i < snapshots.size(); ++i) {
        const Snapshot& snapshot = snapshots[i];
        if (i == 0 || snapshots[i - 1].interval != snapshot.interval)
            lowerKept.reset();
        const Snapshot* next = i + 1 < snapshots.size() ? &snapshots[i + 1] : nullptr;
        if (snapshot.index == 0 && next && next->interval == snapshot.interval && next->index == 1 &&
            next->ended == snapshot.ended)
            continue; // never touched
        if (lowerKept && snapshot.ended >= *lowerKept)
            continue; // newer than a lower number
        lowerKept = snapshot.ended;
        Backup backup{snapshot.ended};
        backup.tool = "rsnapshot";
        found.push_back(std::move(backup));
    }
    std::sort(found.begin(), found.end(), [](const Backup& a, const Backup& b) { return a.date < b.date; });
    return found;
}

} // namespace brindle
