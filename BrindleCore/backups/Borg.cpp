// borg: a repository folder with a README that says so and a config with [repository]. Its
// list of archives is encrypted, so one backup stands for it all: the modification time of the
// highest index.N, the last committed write to the repository (a backup, or a prune).
#include "BrindleCore/backups/Formats.h"
#include "BrindleCore/backups/Layouts.h"

#include <charconv>

namespace brindle {

bool BackupFormats::borgReadme(std::string_view text)
{
    return text.starts_with("This is a Borg Backup repository.");
}

bool BackupFormats::borgConfig(std::string_view text)
{
    for (std::size_t start = 0; start < text.size();) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        if (line == "[repository]")
            return true;
        start = end + 1;
    }
    return false;
}

std::optional<std::vector<Backup>> readBorg(const Folder& folder, const std::vector<FolderEntry>& sample,
                                            const LayoutContext&)
{
    using Type = FolderEntry::Type;
    if (!hasEntry(sample, "README", Type::file) || !hasEntry(sample, "config", Type::file))
        return std::nullopt;
    const auto readme = folder.read("README", limits::backupSmallFileBytes);
    const auto config = folder.read("config", limits::backupSmallFileBytes);
    if (!readme || !config || !BackupFormats::borgReadme(*readme) || !BackupFormats::borgConfig(*config))
        return std::nullopt;
    std::optional<std::uint64_t> highest;
    for (const FolderEntry& entry : folder.list(maxLayoutEntries)) {
        if (!entry.isFile() || !entry.name.starts_with("index."))
            continue;
        const std::string_view number = std::string_view(entry.name).substr(6);
        std::uint64_t n = 0;
        const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), n);
        if (error == std::errc{} && end == number.data() + number.size() && !number.empty() && (!highest || n > *highest))
            highest = n;
    }
    std::vector<Backup> found;
    if (const auto written = highest ? folder.modified("index." + std::to_string(*highest)) : std::nullopt) {
        Backup backup{*written};
        backup.tool = "borg";
        found.push_back(std::move(backup));
    }
    return found;
}

} // namespace brindle
