// rdiff-backup: a mirror folder holding rdiff-backup-data/, where each finished run leaves
// session_statistics.<T>.data and current_mirror.<T>.data names the run the mirror reflects.
// Two current_mirror files mean the later run was interrupted: it does not count.
#include "BrindleCore/backups/Formats.h"
#include "BrindleCore/backups/Layouts.h"

#include <algorithm>
#include <charconv>

namespace brindle {

namespace {
constexpr const char* toolName = "rdiff-backup";

// The <T> of "<prefix><T>.data".
std::optional<Instant> timeInName(std::string_view name, std::string_view prefix)
{
    if (!name.starts_with(prefix) || !name.ends_with(".data"))
        return std::nullopt;
    return BackupFormats::rdiffTime(name.substr(prefix.size(), name.size() - prefix.size() - 5));
}

template <typename Number> std::optional<Number> numberIn(std::string_view text)
{
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end == text.data())
        return std::nullopt;
    return value;
}
} // namespace

std::optional<Instant> BackupFormats::rdiffTime(std::string_view text)
{
    // 2026-11-20T02:15:00+01:00 / 2026-11-20T02-15-00+01-00 / 2026-11-20T01:15:00Z
    if (text.size() != 20 && text.size() != 25)
        return std::nullopt;
    const char separator = text[13];
    if (text[4] != '-' || text[7] != '-' || text[10] != 'T' || (separator != ':' && separator != '-') ||
        text[16] != separator)
        return std::nullopt;
    const auto reading = civilTimeAt(text, {0, 5, 8, 11, 14, 17});
    if (!reading)
        return std::nullopt;
    if (text.size() == 20)
        return text[19] == 'Z' ? std::optional<Instant>(*reading) : std::nullopt;
    const auto offsetHours = digitsAt(text, 20, 2), offsetMinutes = digitsAt(text, 23, 2);
    if ((text[19] != '+' && text[19] != '-') || text[22] != separator || !offsetHours || !offsetMinutes ||
        *offsetHours > 23 || *offsetMinutes > 59)
        return std::nullopt;
    const auto offset = std::chrono::hours{*offsetHours} + std::chrono::minutes{*offsetMinutes};
    return Instant{text[19] == '+' ? *reading - offset : *reading + offset};
}

std::optional<Backup> BackupFormats::rdiffStatistics(std::string_view text)
{
    std::optional<double> start, end;
    std::optional<std::int64_t> newFiles, changedFiles, newBytes, changedBytes;
    for (std::size_t at = 0; at < text.size();) {
        auto lineEnd = text.find('\n', at);
        if (lineEnd == std::string_view::npos)
            lineEnd = text.size();
        const std::string_view line = text.substr(at, lineEnd - at);
        at = lineEnd + 1;
        const auto space = line.find(' ');
        if (space == std::string_view::npos)
            continue;
        const std::string_view key = line.substr(0, space), value = line.substr(space + 1);
        if (key == "StartTime")
            start = numberIn<double>(value);
        else if (key == "EndTime")
            end = numberIn<double>(value);
        else if (key == "NewFiles")
            newFiles = numberIn<std::int64_t>(value);
        else if (key == "ChangedFiles")
            changedFiles = numberIn<std::int64_t>(value);
        else if (key == "NewFileSize")
            newBytes = numberIn<std::int64_t>(value);
        else if (key == "ChangedSourceSize")
            changedBytes = numberIn<std::int64_t>(value);
    }
    const auto started = start ? unixTime(*start) : std::nullopt;
    if (!started)
        return std::nullopt;
    const auto ended = end ? unixTime(*end) : std::nullopt;
    Backup backup{ended && *ended >= *started ? *ended : *started, *started};
    // Counts beyond what a file system holds are not counts.
    constexpr std::int64_t limit = std::int64_t{1} << 60;
    const auto sum = [&](const auto& a, const auto& b) -> std::optional<std::int64_t> {
        if (!a || !b || *a < 0 || *b < 0 || *a > limit || *b > limit)
            return std::nullopt;
        return *a + *b;
    };
    backup.changedItems = sum(newFiles, changedFiles);
    backup.changedBytes = sum(newBytes, changedBytes);
    backup.tool = toolName;
    return backup;
}

std::optional<std::vector<Backup>> readRdiffBackup(const Folder& folder, const std::vector<FolderEntry>& sample,
                                                   const LayoutContext&)
{
    if (!hasEntry(sample, "rdiff-backup-data", FolderEntry::Type::directory))
        return std::nullopt;
    std::vector<Backup> found;
    const auto data = folder.child("rdiff-backup-data");
    if (!data)
        return found;
    std::vector<std::pair<Instant, std::string>> sessions;
    std::vector<Instant> mirrors;
    for (const FolderEntry& entry : data->list(maxLayoutEntries)) {
        if (!entry.isFile())
            continue;
        if (const auto mirror = timeInName(entry.name, "current_mirror."))
            mirrors.push_back(*mirror);
        else if (const auto session = timeInName(entry.name, "session_statistics."))
            sessions.emplace_back(*session, entry.name);
    }
    std::optional<Instant> interrupted;
    if (mirrors.size() >= 2)
        interrupted = *std::max_element(mirrors.begin(), mirrors.end());
    for (const auto& [time, name] : sessions) {
        if (interrupted && time >= *interrupted)
            continue;
        const auto text = data->read(name, limits::backupSmallFileBytes);
        if (auto backup = text ? BackupFormats::rdiffStatistics(*text) : std::nullopt)
            found.push_back(std::move(*backup));
    }
    return found;
}

} // namespace brindle
