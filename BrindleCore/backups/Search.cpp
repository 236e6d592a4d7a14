// Drive::backups: the manifest when there is one, else a bounded search for the layouts of the
// backup tools in the chosen folder and up to two levels below it.
#include "BrindleCore/Drive.h"
#include "BrindleCore/FileIO.h"
#include "BrindleCore/backups/Layouts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <sys/stat.h>

namespace brindle {

namespace {
constexpr int maxDepth = 2;
// A few hundred entries of each folder searched, and a few hundred folders in all.
constexpr std::size_t maxSearchEntries = 256;
constexpr std::size_t maxSearchFolders = 256;

constexpr std::array<LayoutReader, 7> readers{readBackInTime,  readTimeshift, readRestic,   readBorg,
                                              readRdiffBackup, readRsnapshot, readDuplicity};

// The names the readers recognise a layout by, looked up directly in every folder searched, so
// that a folder of many entries cannot hide them behind its first few hundred.
constexpr std::array<std::string_view, 24> knownNames{
    "backintime", "timeshift", "timeshift-btrfs", "restic",    "rdiff-backup-data", "README",  "config",  "keys",
    "snapshots",  "data",      "index",           "locks",     "alpha.0",           "beta.0",  "gamma.0", "delta.0",
    "hourly.0",   "daily.0",   "weekly.0",        "monthly.0", "yearly.0",          "Backups", "backups", "Backup"};

FolderEntry::Type typeOf(const struct stat& status)
{
    if (S_ISDIR(status.st_mode))
        return FolderEntry::Type::directory;
    return S_ISREG(status.st_mode) ? FolderEntry::Type::file : FolderEntry::Type::other;
}

// The known names the folder holds, then the first of its other entries; `capped` when the
// folder has more entries than were listed.
std::vector<FolderEntry> searchEntries(const Folder& folder, bool& capped)
{
    std::vector<FolderEntry> listed = folder.list(maxSearchEntries + 1);
    capped = listed.size() > maxSearchEntries;
    if (!capped)
        return listed;
    listed.pop_back();
    std::vector<FolderEntry> entries;
    for (std::string_view name : knownNames)
        if (const auto status = folder.status(name))
            entries.push_back({std::string(name), typeOf(*status)});
    for (FolderEntry& entry : listed)
        if (std::find(knownNames.begin(), knownNames.end(), entry.name) == knownNames.end())
            entries.push_back(std::move(entry));
    return entries;
}

struct Search {
    const LayoutContext& context;
    std::vector<Backup> found;
    std::size_t foldersLeft = maxSearchFolders;
    bool complete = true;

    void visit(const Folder& folder, int depth)
    {
        if (foldersLeft == 0) {
            complete = false;
            return;
        }
        --foldersLeft;
        bool capped = false;
        const std::vector<FolderEntry> entries = searchEntries(folder, capped);
        for (LayoutReader reader : readers) {
            if (auto backups = reader(folder, entries, context)) {
                found.insert(found.end(), backups->begin(), backups->end());
                return;
            }
        }
        complete = complete && !capped;
        if (depth == maxDepth)
            return;
        for (const FolderEntry& entry : entries)
            if (entry.isDirectory() && !entry.name.starts_with('.'))
                if (auto child = folder.child(entry.name))
                    visit(*child, depth + 1);
    }
};
} // namespace

bool hasEntry(const std::vector<FolderEntry>& entries, std::string_view name, FolderEntry::Type type)
{
    return std::any_of(entries.begin(), entries.end(),
                       [&](const FolderEntry& entry) { return entry.type == type && entry.name == name; });
}

std::optional<Instant> unixTime(double seconds)
{
    // 253402300799 is 9999-12-31T23:59:59Z.
    if (!std::isfinite(seconds) || seconds < 0 || seconds > 253'402'300'799.0)
        return std::nullopt;
    return Instant{std::chrono::microseconds{static_cast<std::int64_t>(seconds * 1e6)}};
}

std::optional<std::chrono::sys_seconds> civilTime(int year, int month, int day, int hour, int minute, int second)
{
    using namespace std::chrono;
    const year_month_day date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                              std::chrono::day{static_cast<unsigned>(day)}};
    if (year < 1970 || !date.ok() || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 60)
        return std::nullopt;
    return sys_days{date} + hours{hour} + minutes{minute} + seconds{std::min(second, 59)};
}

std::optional<std::chrono::sys_seconds> civilTimeAt(std::string_view text, const std::array<std::size_t, 6>& at)
{
    const auto year = digitsAt(text, at[0], 4), month = digitsAt(text, at[1], 2), day = digitsAt(text, at[2], 2);
    const auto hour = digitsAt(text, at[3], 2), minute = digitsAt(text, at[4], 2), second = digitsAt(text, at[5], 2);
    if (!year || !month || !day || !hour || !minute || !second)
        return std::nullopt;
    return civilTime(*year, *month, *day, *hour, *minute, *second);
}

std::optional<int> digitsAt(std::string_view text, std::size_t at, std::size_t width)
{
    if (at > text.size() || text.size() - at < width || width > 9)
        return std::nullopt;
    int value = 0;
    for (std::size_t i = at; i < at + width; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

Drive::BackupSearch Drive::searchBackups(const std::string& path, Instant now, const Calendar& calendar)
{
    const auto manifest = readRegularFile(path + "/" + std::string(manifestName), limits::manifestBytes);
    if (manifest.content)
        if (auto listed = parseManifest(*manifest.content); !listed.empty())
            return {std::move(listed), true};
    const auto root = Folder::open(path);
    if (!root)
        return {};
    DecompressionBudget budget;
    const LayoutContext context{now, calendar, &budget};
    Search search{context, {}};
    search.visit(*root, 0);
    std::stable_sort(search.found.begin(), search.found.end(),
                     [](const Backup& a, const Backup& b) { return a.date < b.date; });
    return {std::move(search.found), search.complete};
}

std::vector<Backup> Drive::backups(const std::string& path, Instant now, const Calendar& calendar)
{
    return searchBackups(path, now, calendar).backups;
}

} // namespace brindle
