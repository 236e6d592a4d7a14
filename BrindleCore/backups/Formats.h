// The small pieces of outside data the backup layout readers take apart: folder and file
// names, and the few short files they open. Each reader of bytes or names from a drive is a
// pure function that gives nothing (nullopt, false) for anything but its exact form, never
// throws, and bounds the work it does; safe from any thread.
#pragma once

#include "BrindleCore/Calendar.h"
#include "BrindleCore/DriveState.h"
#include "BrindleCore/Limits.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>

namespace brindle {

// What decompressing logs may still cost in one reading of a drive: a drive of many small
// compressed logs (each one a bomb) must not make every read take minutes.
struct DecompressionBudget {
    std::size_t bytesLeft = 256u << 20;
    std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::now() + std::chrono::seconds{1};

    bool spent() const { return bytesLeft == 0 || std::chrono::steady_clock::now() > deadline; }
};

namespace BackupFormats {

// Back In Time: "20261120-021500" or "20261120-021500-123", the local start time in
// `calendar`'s zone (a time that came twice gives the earlier instant).
std::optional<Instant> backInTimeName(std::string_view name, const Calendar& calendar);
// Back In Time: the "[C]" lines (one changed item each) of a takesnapshot.log.bz2; nullopt when
// it does not decompress, its text exceeds limits::backupLogBytes, it expands far beyond what
// text logs do (a bomb), or `budget` (charged with what it decompresses) runs out.
std::optional<std::int64_t> backInTimeChanges(std::string_view compressed, DecompressionBudget* budget = nullptr);

// Timeshift: "2026-11-20_02-15-00", a snapshot folder's name.
bool timeshiftName(std::string_view name);
// Timeshift: the "created" member of info.json, Unix seconds written as text (or a number).
std::optional<Instant> timeshiftCreated(std::string_view json);

// duplicity: the time of a manifest, full or incremental, long or short (base-36) form, with or
// without ".gpg"/".gz"/".g"/".z"; for an incremental, the time of that run (the later one).
struct DuplicityManifest {
    Instant time;
    bool partial = false;   // ".part" or ".p": the run did not finish
    bool encrypted = false; // ".gpg" or ".g": GnuPG encrypted it
};
std::optional<DuplicityManifest> duplicityManifest(std::string_view name);

// rdiff-backup: "2026-11-20T02:15:00+01:00", "…Z", or with "-" for ":" (compatible form).
std::optional<Instant> rdiffTime(std::string_view text);
// rdiff-backup: a session_statistics file; `date` from EndTime (StartTime when it is missing),
// `started` from StartTime, changed items NewFiles + ChangedFiles, changed bytes NewFileSize +
// ChangedSourceSize. nullopt without a StartTime.
std::optional<Backup> rdiffStatistics(std::string_view text);

// borg: a README that starts as borg writes it, and a config holding "[repository]".
bool borgReadme(std::string_view text);
bool borgConfig(std::string_view text);
// borg: whether the objects of a repository are encrypted, from the first bytes of one of its
// segment files ("BORG_SEG", then entries of crc32, size, tag and a 32-byte id; a stored
// object's data begins with the type of the key that wrote it). nullopt when the bytes do not
// begin with a stored object or name a key type borg 1 does not write.
std::optional<bool> borgSegmentEncrypted(std::string_view head);
// How many bytes of a segment borgSegmentEncrypted needs.
inline constexpr std::size_t borgSegmentHeadBytes = 58;

// rsnapshot: "<interval>.<N>" ("alpha.0", "daily.3"), the interval in lower-case letters.
std::optional<unsigned> rsnapshotIndex(std::string_view name);

} // namespace BackupFormats

} // namespace brindle
