// Limits: the most of each kind of outside data the program reads. Anything larger is
// refused whole and read as absent data, never read in part. They stand together here so
// that they can be weighed against each other.
#pragma once

#include <cstddef>

namespace brindle::limits {

// JSON documents, unless a cap below says otherwise.
inline constexpr std::size_t jsonBytes = 64u << 20;
inline constexpr int jsonDepth = 64;

// The program's own files.
inline constexpr std::size_t lastCheckBytes = 64u << 20;
inline constexpr std::size_t historyLineBytes = 64u << 10;
inline constexpr std::size_t historyFileBytes = 256u << 20;
inline constexpr std::size_t guideBytes = 4u << 20;
inline constexpr std::size_t settingsBytes = 16u << 20;
inline constexpr std::size_t grantTokenBytes = 64u << 10;

// The system's files.
inline constexpr std::size_t userDirsBytes = 64u << 10;
inline constexpr std::size_t machineInfoBytes = 64u << 10;

// Sync clients' settings and records.
inline constexpr std::size_t syncConfigBytes = 1u << 20;
inline constexpr std::size_t syncSmallFileBytes = 64u << 10; // a cache entry's metadata
inline constexpr std::size_t syncFolders = 256;
inline constexpr std::size_t syncJournalBytes = std::size_t{2} << 30; // database and its log, each
inline constexpr std::size_t syncJournalRows = 8'000'000;
inline constexpr std::size_t syncPathBytes = 4096;
inline constexpr int syncTreeDepth = 256; // parent links followed, folders entered
inline constexpr std::size_t syncCacheEntries = 1'000'000;

// Backup tools' settings on this computer.
inline constexpr std::size_t toolSettingsBytes = 1u << 20; // config files, JSON settings and histories
inline constexpr std::size_t toolHistoryBytes = 16u << 20;
inline constexpr std::size_t toolDatabaseBytes = 64u << 20; // read whole into memory

// Backup drives.
inline constexpr std::size_t manifestBytes = 64u << 20;
inline constexpr std::size_t backupSmallFileBytes = 64u << 10; // info files, configs, statistics
inline constexpr std::size_t backupLogCompressedBytes = 8u << 20;
inline constexpr std::size_t backupLogBytes = 32u << 20; // once decompressed

} // namespace brindle::limits
