// Scans a list of folders one after another with one Scanner, showing a live count on a
// terminal, and reports on stderr the folders that could not be opened.
#pragma once

#include "BrindleCore/FolderTally.h"
#include "BrindleCore/Scanner.h"

#include <optional>
#include <string>
#include <vector>

namespace brindle::cli {

struct FolderToScan {
    std::string path;
    std::optional<std::string> name; // the last path component when absent
};

struct ScanOutcome {
    std::vector<FolderTally> folders;    // of the folders that opened, in the given order
    std::vector<std::string> unreadable; // names of the folders that did not
};

ScanOutcome scanFolders(const Scanner& scanner, const std::vector<FolderToScan>& folders);

} // namespace brindle::cli
