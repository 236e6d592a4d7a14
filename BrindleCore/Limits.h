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

// Backup drives.
inline constexpr std::size_t manifestBytes = 64u << 20;
inline constexpr std::size_t backupSmallFileBytes = 64u << 10; // info files, configs, statistics
inline constexpr std::size_t backupLogCompressedBytes = 8u << 20;
inline constexpr std::size_t backupLogBytes = 32u << 20; // once decompressed

} // namespace brindle::limits
