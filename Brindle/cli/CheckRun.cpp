#include "Brindle/cli/CheckRun.h"

#include "Brindle/cli/Terminal.h"
#include "BrindleCore/Drive.h"
#include "BrindleCore/FileIO.h"
#include "BrindleCore/Scanner.h"

#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace brindle::cli {

Instant clockNow()
{
    return std::chrono::time_point_cast<std::chrono::microseconds>(std::chrono::system_clock::now());
}

std::optional<DriveState> readDrive(const std::string& path, Instant now)
{
    struct stat status;
    if (::stat(path.c_str(), &status) != 0) {
        std::fprintf(stderr, "brindle: cannot read the drive at \u201c%s\u201d: %s\n", printable(path).c_str(),
                     std::strerror(errno));
        return std::nullopt;
    }
    auto facts = Drive::facts(path);
    if (!facts) {
        std::fprintf(stderr, "brindle: the volume facts of \u201c%s\u201d could not be read\n",
                     printable(path).c_str());
        facts = DriveFacts{std::string(lastPathComponent(path)), ""};
    }
    return DriveState{std::move(*facts), true, Drive::backups(path), now};
}

CheckRun performCheck(const CheckRequest& request)
{
    const Instant start = clockNow();
    CheckRun run;
    std::vector<DriveState> drives;
    for (const std::string& path : request.drivePaths) {
        if (auto state = readDrive(path, start))
            drives.push_back(std::move(*state));
        else
            run.complete = false;
    }
    auto [drive, otherDrives] = CheckResult::ordered(std::move(drives));
    const std::optional<Instant> cutOff = drive ? drive->lastBackupStarted() : std::nullopt;

    const Scanner scanner(start, cutOff, request.workers);
    ScanOutcome scanned = scanFolders(scanner, request.folders);
    const double seconds = secondsBetween(start, clockNow());

    // No file system here reports cloud items, so the cloud drive is never on.
    run.result = CheckResult(start, seconds, std::move(scanned.folders), std::move(drive),
                             TimeMachine::facts(TimeMachine::settingsPath), false);
    run.result.otherDrives = std::move(otherDrives);
    if (!scanned.unreadable.empty()) {
        run.result.unreadable = std::move(scanned.unreadable);
        run.complete = false;
    }
    return run;
}

} // namespace brindle::cli
