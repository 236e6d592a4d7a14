// Reading a sync client's database without disturbing the client.
//
// The client keeps its database open, often under an exclusive lock, and writes to it while
// we read. So the database (and its write-ahead log, when there is one) is first copied into
// a private folder of our own (mode 0700, files 0600, created exclusively), the copy is opened
// read-only, and the folder is removed afterwards, whatever happened. The folder's name holds
// our process id, so a copy left behind by a killed process is removed by the next read. The
// original is only ever read. All rows are loaded at once into a SyncJournal; no query runs
// per file.
//
// Hostile files: a database with a view or a virtual table is refused, and reading one may
// cost work and memory only in proportion to its size (about twice the file, plus 1 MB).
//
// Errors: a database that is missing, larger than the caps of Limits.h, not SQLite, damaged,
// truncated, of an unknown layout, or over its budget gives std::nullopt; nothing throws. A row that makes no
// sense (no path, a path too long, a parent chain that loops) is left out.
//
// Threads: each call stands alone; calls may run on any threads at once.
#pragma once

#include "BrindleCore/sync/SyncJournal.h"

#include <optional>
#include <string>

namespace brindle::JournalRead {

// A Nextcloud or ownCloud sync journal: its "metadata" rows, and "uploadinfo" for uploads
// under way (an error count above 0 makes one a failing upload). Online-only placeholders
// keep the size of the file they stand for.
std::optional<SyncJournal> nextcloud(const std::string& databasePath);

// The OneDrive client's item database: the paths are built by following each item's parent
// up to a root and are relative to the sync folder; a folder shared from another drive lies
// where its shortcut lies, under the shortcut's name. Sizes are absent from older layouts.
std::optional<SyncJournal> oneDrive(const std::string& databasePath);

// Seconds since 1970 of an ISO 8601 UTC time with or without a fraction of a second.
std::optional<std::int64_t> isoSeconds(std::string_view text);

} // namespace brindle::JournalRead
