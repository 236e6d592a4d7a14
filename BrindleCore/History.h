// The check history file and what follows a finished check: the result is kept as the last
// result, and a check that covered folders leaves one summary line, pruned to two years.
//
// `recordCheck` is called on the caller's one thread of control (the window's main thread,
// or the command line); the history file itself is safe against another process appending
// at the same time (see JsonLines).
#pragma once

#include "BrindleCore/CheckSummary.h"
#include "BrindleCore/JsonLines.h"

#include <optional>
#include <string>
#include <vector>

namespace brindle {

using History = JsonLines<CheckSummary>;

History openHistory(const std::string& path, std::chrono::milliseconds lockWait = LineFile::defaultLockWait);

struct Recorded {
    bool saved = false;                   // the last result was written
    bool appended = false;                // a history line was written
    std::optional<CheckSummary> previous; // the newest line from before this check
    std::string saveError;                // why the result was not saved, when it was not
    std::string historyError;             // why no history line was written, when one was due
};

// Saves `result` to `lastCheckPath`; then, when it was saved and has folders, appends its
// summary to `history` and to `inMemory` and, when the oldest line in memory is more than 730
// days before `now`, prunes the file to the lines younger than that and reloads `inMemory`.
// A result that could not be saved leaves no history line, so the two never disagree.
Recorded recordCheck(const CheckResult& result, const std::string& lastCheckPath, History& history,
                     std::vector<CheckSummary>& inMemory, Instant now);

} // namespace brindle
