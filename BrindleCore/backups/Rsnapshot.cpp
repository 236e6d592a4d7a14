// rsnapshot: a snapshot root of <interval>.<N>/ folders (alpha.0, daily.3), each one's
// modification time set when its backup ended. .sync/ (sync_first) and _delete.<pid>/
// (lazy deletes) are not snapshots. A root is recognised by a newest snapshot, <interval>.0.
#include "BrindleCore/backups/Formats.h"
#include "BrindleCore/backups/Layouts.h"

#include <algorithm>
#include <charconv>

namespace brindle {

std::optional<unsigned> BackupFormats::rsnapshotIndex(std::string_view name)
{
    const auto dot = name.find('.');
    if (dot == 0 || dot == std::string_view::npos || dot > 32 || name.size() - dot - 1 > 4 || dot + 1 == name.size())
        return std::nullopt;
    if (!std::all_of(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(dot), [](char c) { return c >= 'a' && c <= 'z'; }))
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
    std::vector<Backup> found;
    bool newest = false; // an <interval>.0, which every snapshot root has
    for (const FolderEntry& entry : folder.list(maxLayoutEntries)) {
        const auto index = entry.isDirectory() ? BackupFormats::rsnapshotIndex(entry.name) : std::nullopt;
        if (!index)
            continue;
        newest = newest || *index == 0;
        if (const auto ended = folder.modified(entry.name)) {
            Backup backup{*ended};
            backup.tool = "rsnapshot";
            found.push_back(std::move(backup));
        }
    }
    if (!newest)
        return std::nullopt;
    return found;
}

} // namespace brindle
