// One check from the command line: reads the given backup drives, scans the folders with
// the newest backup's start as the cut-off, and assembles the CheckResult.
#pragma once

#include "Brindle/cli/ScanFolders.h"
#include "BrindleCore/CheckResult.h"

#include <string>
#include <vector>

namespace brindle::cli {

struct CheckRequest {
    std::vector<FolderToScan> folders;
    std::vector<std::string> drivePaths;
    int workers = 4;
};

struct CheckRun {
    CheckResult result;
    bool complete = true; // false when a folder or drive could not be read
};

// The state of the drive mounted at (or holding) `path`, read now; nullopt when `path` does
// not exist. Problems are described on stderr.
std::optional<DriveState> readDrive(const std::string& path, Instant now);

CheckRun performCheck(const CheckRequest& request);

Instant clockNow();

} // namespace brindle::cli
