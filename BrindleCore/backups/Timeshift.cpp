// Timeshift: timeshift/snapshots/<YYYY-MM-DD_HH-MM-SS>/info.json (rsync mode) and
// timeshift-btrfs/snapshots/<…>/info.json (btrfs mode, on the disk it copies). info.json is
// written when a snapshot is complete; a "delete" file marks one being removed.
#include "BrindleCore/Json.h"
#include "BrindleCore/backups/Formats.h"
#include "BrindleCore/backups/Layouts.h"

#include <charconv>

namespace brindle {

bool BackupFormats::timeshiftName(std::string_view name)
{
    static constexpr std::string_view shape = "0000-00-00_00-00-00";
    if (name.size() != shape.size())
        return false;
    for (std::size_t i = 0; i < shape.size(); ++i)
        if (shape[i] == '0' ? (name[i] < '0' || name[i] > '9') : name[i] != shape[i])
            return false;
    return true;
}

std::optional<Instant> BackupFormats::timeshiftCreated(std::string_view json)
{
    const JsonIn info = parseJson(json, limits::backupSmallFileBytes, 8);
    if (!info.is_object())
        return std::nullopt;
    const auto created = info.find("created");
    if (created == info.end())
        return std::nullopt;
    if (created->is_number_integer() || created->is_number_unsigned())
        if (const auto seconds = jsonInteger(*created))
            return unixTime(static_cast<double>(*seconds));
    if (!created->is_string())
        return std::nullopt;
    const std::string& text = created->get_ref<const std::string&>();
    std::int64_t seconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return unixTime(static_cast<double>(seconds));
}

std::optional<std::vector<Backup>> readTimeshift(const Folder& folder, const std::vector<FolderEntry>&,
                                                 const LayoutContext&)
{
    if (folder.name() != "timeshift" && folder.name() != "timeshift-btrfs")
        return std::nullopt;
    std::vector<Backup> found;
    const auto snapshots = folder.child("snapshots");
    if (!snapshots)
        return found;
    for (const FolderEntry& entry : snapshots->list(maxLayoutEntries)) {
        if (!entry.isDirectory() || !BackupFormats::timeshiftName(entry.name))
            continue;
        const auto snapshot = snapshots->child(entry.name);
        if (!snapshot || snapshot->has("delete"))
            continue;
        const auto info = snapshot->read("info.json", limits::backupSmallFileBytes);
        if (const auto created = info ? BackupFormats::timeshiftCreated(*info) : std::nullopt) {
            Backup backup{*created, *created};
            backup.tool = "Timeshift";
            found.push_back(std::move(backup));
        }
    }
    return found;
}

} // namespace brindle
