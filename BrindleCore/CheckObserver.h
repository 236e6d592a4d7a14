// CheckObserver: what a running check tells whoever started it. Every call does nothing
// unless overridden, so an observer overrides only what it shows.
//
// Threads and order:
// - `folderStarted` and `folderFinished` are called on the thread that runs the check, once
//   each for every folder that opened, in the order of the folders.
// - `filesSeen` is called from any of the scan's threads, never two calls at once. Its count
//   (files counted so far in the whole check) never goes down within a check. It comes about
//   ten times a second while files are being counted, also while one huge subfolder is
//   walked, and when each folder is finished, with the exact count by then (unless that
//   count was already the last one given).
// Calls must return quickly: the walk waits for them.
#pragma once

#include "BrindleCore/FolderTally.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace brindle {

class CheckObserver {
public:
    virtual ~CheckObserver() = default;
    virtual void folderStarted(std::size_t index, const std::string& name)
    {
        (void)index;
        (void)name;
    }
    virtual void filesSeen(std::int64_t files) { (void)files; }
    virtual void folderFinished(std::size_t index, const FolderTally& tally)
    {
        (void)index;
        (void)tally;
    }
};

} // namespace brindle
