// The backup side of a check: the facts of one volume (DriveFacts), one backup listed on a
// backup drive (Backup), what the program knows of one chosen backup drive (DriveState) and
// the facts of the backup settings file of this computer (TimeMachineFacts).
//
// Plain values compared field by field. Each encodes to JSON with its field names as keys,
// leaving absent optionals out; instants take the document's date form (ISO 8601 in the
// last-result file, seconds since 2001 in the application's settings). Decoding never
// throws: a missing required key or a wrong type gives std::nullopt.
#pragma once

#include "BrindleCore/Instant.h"
#include "BrindleCore/Json.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brindle {

struct DriveFacts {
    std::string name;
    // As shown to people ("APFS", "ext4"); "Unknown" when the system gave none; empty when
    // the drive has never been read while connected.
    std::string format;
    std::optional<std::int64_t> totalBytes{};
    std::optional<std::int64_t> freeBytes{};
    std::optional<bool> encrypted{};
    std::optional<std::string> uuid{};
    std::optional<bool> removable{};

    // Whether the format can hold these backups: an empty format, or one that mentions
    // "apfs", "mac os extended" or "hfs" in any letter case.
    bool canHoldTimeMachine() const;

    friend bool operator==(const DriveFacts&, const DriveFacts&) = default;
};

struct Backup {
    Instant date;
    std::optional<Instant> started{};
    std::optional<std::int64_t> changedItems{};
    std::optional<std::int64_t> changedBytes{};
    // The tool that made it ("Back In Time", "restic"); absent for a backup listed in a
    // backup_manifest.plist.
    std::optional<std::string> tool{};
    // Whether the tool encrypted it, when its files say (a borg repository's objects, a
    // duplicity manifest's ".gpg"); absent when they do not.
    std::optional<bool> encrypted{};

    friend bool operator==(const Backup&, const Backup&) = default;
};

// How far a backup's date may lie after the moment a check began, for clocks that differ a little.
inline constexpr std::chrono::seconds clockSkewAllowance{3600};
// Whether `moment` lies beyond clockSkewAllowance after `now`; safe at the ends of time.
constexpr bool isFutureDated(Instant moment, Instant now)
{
    return now < Instant::max() - clockSkewAllowance && moment > now + clockSkewAllowance;
}

struct DriveState {
    DriveFacts facts;
    bool connected = false;
    std::vector<Backup> backups; // oldest first, as read from the drive
    std::optional<Instant> lastSeen{};
    // Which file system holds the drive's folder (Drive::fileSystemId), when it was read while
    // connected; compared only with identities read at the same time.
    std::optional<std::string> fileSystem{};
    // Set when the search for backups stopped at one of its limits before it had looked
    // everywhere (Drive::searchBackups): then no backups found is not "no backups".
    std::optional<bool> searchStopped{};

    // The latest backup date; does not rely on the list's order.
    std::optional<Instant> lastBackup() const;
    // When the latest backup began: its `started`, else its date. Of equal latest dates the
    // first in the list wins.
    std::optional<Instant> lastBackupStarted() const;
    // The latest backup dated no later than `now` plus clockSkewAllowance, of equal dates the
    // first in the list; null when there is none. One dated later was dated by a clock set wrong.
    const Backup* latestBy(Instant now) const;
    // The latest date of all, when it lies beyond clockSkewAllowance after `now`.
    std::optional<Instant> futureBackup(Instant now) const;
    // Not connected, and last seen more than a week before `now`.
    bool awayLong(Instant now) const;
    // The latest backup is more than a week before `now`.
    bool backupOld(Instant now) const;

    friend bool operator==(const DriveState&, const DriveState&) = default;
};

struct TimeMachineFacts {
    std::optional<std::int64_t> fileSize{};
    std::optional<Instant> modified{};

    // Set up when the settings file is known and larger than 200 bytes.
    std::optional<bool> isSetUp() const;

    friend bool operator==(const TimeMachineFacts&, const TimeMachineFacts&) = default;
};

JsonOut encode(const DriveFacts& facts, DateForm dates);
JsonOut encode(const Backup& backup, DateForm dates);
JsonOut encode(const DriveState& state, DateForm dates);
JsonOut encode(const TimeMachineFacts& facts, DateForm dates);

std::optional<DriveFacts> decodeDriveFacts(const JsonIn& value, DateForm dates);
std::optional<Backup> decodeBackup(const JsonIn& value, DateForm dates);
std::optional<DriveState> decodeDriveState(const JsonIn& value, DateForm dates);
std::optional<TimeMachineFacts> decodeTimeMachineFacts(const JsonIn& value, DateForm dates);

} // namespace brindle
