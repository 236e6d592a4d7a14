#include "BrindleCore/Drive.h"
#include "BrindleCore/Paths.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

namespace brindle {

Drive::Reading Drive::read(const std::string& path, Instant now, const Calendar& calendar, const SystemTables& tables)
{
    struct stat status;
    if (::stat(path.c_str(), &status) != 0)
        return {std::nullopt, Drive::Problem::missing, errno};
    BackupSearch search = searchBackups(path, now, calendar);
    std::vector<Backup>& found = search.backups;
    std::error_code error;
    const auto canonical = std::filesystem::canonical(path, error);
    const auto mountedAt = mountPoint(path, tables);
    if (found.empty() && search.complete && !error && mountedAt && *mountedAt != canonical.string())
        return {std::nullopt, Drive::Problem::notMounted, 0};
    auto facts = Drive::facts(path, tables);
    const Drive::Problem problem = facts ? Drive::Problem::none : Drive::Problem::factsUnreadable;
    if (!facts)
        facts = DriveFacts{std::string(lastPathComponent(path)), ""};
    DriveState state{std::move(*facts), true, std::move(found), now};
    state.fileSystem = fileSystemId(path, tables);
    if (!search.complete)
        state.searchStopped = true;
    return {std::move(state), problem, 0};
}

} // namespace brindle
