// The command line's side of a check: reading the drives it was given and naming on stderr
// what could not be read. The check itself is the core's (BrindleCore/Check.h).
#pragma once

#include "BrindleCore/Check.h"

#include <optional>
#include <string>
#include <vector>

namespace brindle::cli {

// The state of the drive mounted at (or holding backups at) `path`, read at `now`; nullopt,
// after a message, when there is no drive there. A drive whose volume facts could not be
// read is kept, with a message.
std::optional<DriveState> readDrive(const std::string& path, Instant now);

// Names every problem on stderr; false when there was any.
bool reportProblems(const std::vector<FolderProblem>& problems);

} // namespace brindle::cli
