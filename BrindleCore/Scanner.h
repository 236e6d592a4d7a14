// Scanner: walks one granted folder and returns its FolderTally.
//
// It reads only what lstat (and the cloud facts source) say about each item and never opens
// a file; symbolic links are counted as items and never followed; packages (directories
// presented as one document, recognised by their extension) count as one file whose size is
// the sum of the regular files inside; the photo, music and TV libraries are skipped whole;
// names beginning with "." are hidden and skipped with their contents.
//
// Threads: `scan` runs on the caller's thread and returns when the whole folder is walked
// (or a stop was requested). Top-level files are counted on that thread; then the top-level
// subfolders are walked by up to `workers` threads. A thread that runs out of work is handed
// a directory that another thread has yet to walk, at any depth, so one huge subfolder does
// not leave the other threads idle. Each directory is walked by exactly one thread into that
// thread's own tally; a thread takes the scan's one lock only to merge a finished piece.
// The tally is the same whatever the worker count. The observer's `filesSeen` is called as
// CheckObserver.h describes.
//
// Descriptors: the number of walking threads and the directories each keeps open are fitted
// to the process's descriptor limit at the start of each scan, so a scan never fails for
// want of descriptors it could have planned for.
//
// Errors: none are thrown. A folder that cannot be listed gives a tally with no files;
// entries that vanish while the folder is walked are passed over; a subfolder that is there
// but cannot be opened or read is passed over, counted in the tally's `unreadableFolders`,
// and the walk goes on.
#pragma once

#include "BrindleCore/CheckObserver.h"
#include "BrindleCore/Exclusions.h"
#include "BrindleCore/FolderTally.h"
#include "BrindleCore/ICloudFacts.h"
#include "BrindleCore/Instant.h"
#include "BrindleCore/TreeWalker.h"

#include <cstdint>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>

namespace brindle {

// How one scan reports and stops.
struct ScanContext {
    CheckObserver* observer = nullptr; // told of the files seen; not owned
    std::int64_t filesBefore = 0;      // files counted earlier in the same check
    std::stop_token stop;              // a stop ends the scan early, with a partial tally
};

class Scanner {
public:
    // The instant the check started: the reference for "changed this week".
    Instant now;
    // The start of the newest backup; changes after it are not in any backup.
    std::optional<Instant> lastBackup;
    // The most threads that walk at once; below 1 acts as 1.
    int workers = 4;
    // Where cloud facts come from; null means none (every file is then only here, or only in
    // the cloud when a facts source marks it dataless). Not owned; must outlive the scanner.
    const ICloudFactsSource* facts = nullptr;
    // What the tool of the newest backup leaves out inside the folder: those items, and
    // everything inside a folder left out (walked once, never handed to another thread),
    // count as changed since the backup whatever their dates. Null for none. Not owned.
    const Exclusions* exclusions = nullptr;

    Scanner(Instant now, std::optional<Instant> lastBackup, int workers, const ICloudFactsSource* facts = nullptr);

    // Scans the folder open as `folderFd`, which stays the caller's.
    FolderTally scan(int folderFd, std::string name, std::string path, const ScanContext& context = {}) const;
    // Opens `folderPath` and scans it; one that cannot be opened gives a tally with no files.
    FolderTally scan(const std::string& folderPath, const std::optional<std::string>& name = std::nullopt,
                     const ScanContext& context = {}) const;

    // The tally of everything below the directory at `directoryPath`, with empty name and
    // path, walked on the calling thread alone.
    FolderTally walk(const std::string& directoryPath) const;

    // The per-item step: adds one listed item (not a plain directory) to `tally`. A stop cuts
    // a package's size short.
    void count(const WalkEntry& item, FolderTally& tally, const std::stop_token& stop = {}) const;

    // The byte total of the regular files inside the package `name` of `directoryFd`, hidden
    // ones and nested packages included; 0 when it cannot be opened.
    static std::int64_t packageSize(int directoryFd, const char* name, const std::stop_token& stop = {});
    static std::int64_t packageSize(const std::string& packagePath);

    // Directories presented as one document or library, by lower-case extension.
    static bool isPackageExtension(std::string_view extension);
    // Libraries that are neither counted nor entered.
    static bool isSkippedPackageExtension(std::string_view extension);

private:
    class TallyVisitor;
};

} // namespace brindle
