// Scanner: walks one granted folder and returns its FolderTally.
//
// It reads only what lstat (and the cloud facts source) say about each item and never opens
// a file; symbolic links are counted as items and never followed; packages (directories
// presented as one document, recognised by their extension) count as one file whose size is
// the sum of the regular files inside; the photo, music and TV libraries are skipped whole;
// names beginning with "." are hidden and skipped with their contents.
//
// Threads: `scan` runs on the caller's thread and returns when the whole folder is walked.
// Top-level files are counted on that thread; then the top-level subfolders are walked by up
// to `workers` threads, one subfolder per task. Each task walks into its own tally, then
// takes the scan's one lock, merges, adds to the running total, reads it and releases the
// lock, and only then reports progress. So `progress` may be called from any thread, two
// calls may overlap, and a smaller total may arrive after a larger one. `filesSeen`, when
// given, is a live counter that workers add to in batches as they go (relaxed atomics), for
// a display that wants to move while one huge subfolder is being walked.
//
// Errors: none are reported. A folder that cannot be listed gives a tally with no files;
// entries that vanish or cannot be examined are passed over; subdirectories that cannot be
// listed are passed over and the walk continues.
#pragma once

#include "BrindleCore/FolderTally.h"
#include "BrindleCore/ICloudFacts.h"
#include "BrindleCore/Instant.h"
#include "BrindleCore/TreeWalker.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace brindle {

class Scanner {
public:
    // The instant the check started: the reference for "changed this week".
    Instant now;
    // The start of the newest backup; changes after it are not in any backup.
    std::optional<Instant> lastBackup;
    // The most top-level subfolders walked at once; below 1 acts as 1.
    int workers = 4;
    // Where cloud facts come from; null means none (every file is then only here, or only in
    // the cloud when a facts source marks it dataless). Not owned; must outlive the scanner.
    const ICloudFactsSource* facts = nullptr;

    using Progress = std::function<void(std::int64_t filesSoFar)>;

    Scanner(Instant now, std::optional<Instant> lastBackup, int workers, const ICloudFactsSource* facts = nullptr);

    FolderTally scan(const std::string& folderPath, const std::optional<std::string>& name = std::nullopt,
                     const Progress& progress = {}, std::atomic<std::int64_t>* filesSeen = nullptr) const;

    // The tally of everything below the directory at `directoryPath`, with empty name and path.
    FolderTally walk(const std::string& directoryPath) const;

    // The per-item step: adds one listed item (not a plain directory) to `tally`.
    void count(const WalkEntry& item, FolderTally& tally) const;

    // The byte total of the regular files inside the package `name` of `directoryFd`, hidden
    // ones and nested packages included; 0 when it cannot be opened.
    static std::int64_t packageSize(int directoryFd, const char* name);
    static std::int64_t packageSize(const std::string& packagePath);

    // Directories presented as one document or library, by lower-case extension.
    static bool isPackageExtension(std::string_view extension);
    // Libraries that are neither counted nor entered.
    static bool isSkippedPackageExtension(std::string_view extension);

private:
    class TallyVisitor;
    FolderTally walkBelow(int directoryFd, std::atomic<std::int64_t>* filesSeen, FileIdentity scanRoot) const;
};

} // namespace brindle
