// Back In Time: backintime/<host>/<user>/<profile>/<YYYYMMDD-HHMMSS[-NNN]>/, each snapshot
// holding backup/ and, when it ended with errors, a "failed" marker. A snapshot being taken is
// new_snapshot/, whose name is not a snapshot name.
#include "BrindleCore/backups/Formats.h"
#include "BrindleCore/backups/Layouts.h"

#include <bzlib.h>

#include <algorithm>
#include <array>
#include <functional>

namespace brindle {

namespace {
constexpr const char* toolName = "Back In Time";
// Entries looked at in the backintime folder and in each host and user folder.
constexpr std::size_t maxProfileEntries = 64;
// Host, user and profile folders opened in all.
constexpr std::size_t maxFolders = 256;
// Logs are decompressed for the newest snapshots of each profile only: decompressing costs far
// more than everything else read here, and the newest backups are the ones people look at.
constexpr std::size_t maxLogsPerProfile = 8;
// rsync's log lines compress about 10 to 40 times; past 256 KB, text that expands more
// than this is a bomb.
constexpr std::size_t bombCheckBytes = 256u << 10;
constexpr std::size_t maxLogRatio = 200;

void readProfile(const Folder& profile, const LayoutContext& context, std::vector<Backup>& found)
{
    std::vector<std::pair<Instant, std::string>> snapshots;
    for (const FolderEntry& entry : profile.list(maxLayoutEntries)) {
        if (!entry.isDirectory())
            continue;
        const auto started = BackupFormats::backInTimeName(entry.name, context.calendar);
        if (!started)
            continue;
        const auto snapshot = profile.child(entry.name);
        if (snapshot && snapshot->hasDirectory("backup") && !snapshot->has("failed"))
            snapshots.emplace_back(*started, entry.name);
    }
    const auto newest = snapshots.begin() + static_cast<std::ptrdiff_t>(std::min(snapshots.size(), maxLogsPerProfile));
    std::partial_sort(snapshots.begin(), newest, snapshots.end(), std::greater<>());
    for (auto it = snapshots.begin(); it != snapshots.end(); ++it) {
        Backup backup{it->first, it->first};
        backup.tool = toolName;
        if (it < newest && !(context.budget && context.budget->spent()))
            if (const auto snapshot = profile.child(it->second))
                if (const auto log = snapshot->read("takesnapshot.log.bz2", limits::backupLogCompressedBytes))
                    backup.changedItems = BackupFormats::backInTimeChanges(*log, context.budget);
        found.push_back(std::move(backup));
    }
}
} // namespace

std::optional<Instant> BackupFormats::backInTimeName(std::string_view name, const Calendar& calendar)
{
    if (name.size() != 15 && !(name.size() == 19 && name[15] == '-' && digitsAt(name, 16, 3)))
        return std::nullopt;
    if (name[8] != '-')
        return std::nullopt;
    const auto reading = civilTimeAt(name, {0, 4, 6, 9, 11, 13});
    if (!reading)
        return std::nullopt;
    return calendar.instant(*reading);
}

std::optional<std::int64_t> BackupFormats::backInTimeChanges(std::string_view compressed, DecompressionBudget* budget)
{
    if (budget && budget->spent())
        return std::nullopt;
    bz_stream stream{};
    if (BZ2_bzDecompressInit(&stream, 0, 0) != BZ_OK)
        return std::nullopt;
    stream.next_in = const_cast<char*>(compressed.data());
    const std::size_t input = std::min<std::size_t>(compressed.size(), limits::backupLogCompressedBytes);
    stream.avail_in = static_cast<unsigned>(input);
    std::array<char, 64 * 1024> buffer;
    std::int64_t changes = 0;
    std::size_t total = 0;
    // Where the current line stands: at its start, after "[", after "[C", or elsewhere.
    int matched = 0;
    int status = BZ_OK;
    while (status == BZ_OK) {
        stream.next_out = buffer.data();
        stream.avail_out = static_cast<unsigned>(buffer.size());
        status = BZ2_bzDecompress(&stream);
        if (status != BZ_OK && status != BZ_STREAM_END)
            break;
        const std::size_t produced = buffer.size() - stream.avail_out;
        total += produced;
        const std::size_t consumed = input - stream.avail_in;
        if (budget) {
            budget->bytesLeft -= std::min(budget->bytesLeft, produced);
            if (budget->spent()) {
                status = BZ_MEM_ERROR;
                break;
            }
        }
        if (total > limits::backupLogBytes ||
            (total > bombCheckBytes && total / std::max<std::size_t>(consumed, 1) > maxLogRatio)) {
            status = BZ_MEM_ERROR;
            break;
        }
        for (std::size_t i = 0; i < produced; ++i) {
            const char c = buffer[i];
            if (c == '\n')
                matched = 0;
            else if (matched == 0)
                matched = c == '[' ? 1 : -1;
            else if (matched == 1)
                matched = c == 'C' ? 2 : -1;
            else if (matched == 2) {
                if (c == ']')
                    ++changes;
                matched = -1;
            }
        }
        if (status == BZ_OK && produced == 0 && stream.avail_in == 0)
            status = BZ_UNEXPECTED_EOF; // the input ended inside the stream
    }
    BZ2_bzDecompressEnd(&stream);
    if (status != BZ_STREAM_END)
        return std::nullopt;
    return changes;
}

std::optional<std::vector<Backup>> readBackInTime(const Folder& folder, const std::vector<FolderEntry>&,
                                                  const LayoutContext& context)
{
    if (folder.name() != "backintime")
        return std::nullopt;
    std::vector<Backup> found;
    std::size_t foldersLeft = maxFolders;
    const auto subfolders = [&](const Folder& parent, auto&& each) {
        for (const FolderEntry& entry : parent.list(maxProfileEntries))
            if (entry.isDirectory() && !entry.name.starts_with('.') && foldersLeft > 0)
                if (auto child = parent.child(entry.name)) {
                    --foldersLeft;
                    each(*child);
                }
    };
    subfolders(folder, [&](const Folder& host) {
        subfolders(host, [&](const Folder& user) {
            subfolders(user, [&](const Folder& profile) { readProfile(profile, context, found); });
        });
    });
    return found;
}

} // namespace brindle
