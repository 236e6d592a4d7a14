#include "BrindleCore/DriveState.h"

#include "BrindleCore/StaleSpan.h"

#include <algorithm>

namespace brindle {

bool DriveFacts::canHoldTimeMachine() const
{
    std::string lower = format;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return lower.empty() || lower.find("apfs") != std::string::npos ||
           lower.find("mac os extended") != std::string::npos || lower.find("hfs") != std::string::npos;
}

std::optional<Instant> DriveState::lastBackup() const
{
    std::optional<Instant> latest;
    for (const Backup& backup : backups)
        if (!latest || backup.date > *latest)
            latest = backup.date;
    return latest;
}

std::optional<Instant> DriveState::lastBackupStarted() const
{
    const Backup* latest = nullptr;
    for (const Backup& backup : backups)
        if (!latest || backup.date > latest->date)
            latest = &backup;
    if (!latest)
        return std::nullopt;
    return latest->started.value_or(latest->date);
}

const Backup* DriveState::latestBy(Instant now) const
{
    const Backup* latest = nullptr;
    for (const Backup& backup : backups)
        if (!isFutureDated(backup.date, now) && (!latest || backup.date > latest->date))
            latest = &backup;
    return latest;
}

std::optional<Instant> DriveState::futureBackup(Instant now) const
{
    const auto last = lastBackup();
    return last && isFutureDated(*last, now) ? last : std::nullopt;
}

bool DriveState::awayLong(Instant now) const { return !connected && lastSeen && now - *lastSeen > Watch::staleSpan; }

bool DriveState::backupOld(Instant now) const
{
    const auto last = lastBackup();
    return last && now - *last > Watch::staleSpan;
}

std::optional<bool> TimeMachineFacts::isSetUp() const
{
    if (!fileSize)
        return std::nullopt;
    return *fileSize > 200;
}

JsonOut encode(const DriveFacts& facts, DateForm)
{
    JsonOut json = JsonOut::object();
    json["name"] = facts.name;
    json["format"] = facts.format;
    putOptional(json, "totalBytes", facts.totalBytes);
    putOptional(json, "freeBytes", facts.freeBytes);
    putOptional(json, "encrypted", facts.encrypted);
    putOptional(json, "uuid", facts.uuid);
    putOptional(json, "removable", facts.removable);
    return json;
}

JsonOut encode(const Backup& backup, DateForm dates)
{
    JsonOut json = JsonOut::object();
    json["date"] = encodeInstant(backup.date, dates);
    putOptional(json, "started", backup.started, dates);
    putOptional(json, "changedItems", backup.changedItems);
    putOptional(json, "changedBytes", backup.changedBytes);
    putOptional(json, "tool", backup.tool);
    putOptional(json, "encrypted", backup.encrypted);
    return json;
}

JsonOut encode(const DriveState& state, DateForm dates)
{
    JsonOut json = JsonOut::object();
    json["facts"] = encode(state.facts, dates);
    json["connected"] = state.connected;
    JsonOut backups = JsonOut::array();
    for (const Backup& backup : state.backups)
        backups.push_back(encode(backup, dates));
    json["backups"] = std::move(backups);
    putOptional(json, "lastSeen", state.lastSeen, dates);
    putOptional(json, "fileSystem", state.fileSystem);
    putOptional(json, "searchStopped", state.searchStopped);
    return json;
}

JsonOut encode(const TimeMachineFacts& facts, DateForm dates)
{
    JsonOut json = JsonOut::object();
    putOptional(json, "fileSize", facts.fileSize);
    putOptional(json, "modified", facts.modified, dates);
    return json;
}

std::optional<DriveFacts> decodeDriveFacts(const JsonIn& value, DateForm dates)
{
    JsonReader in(value, dates);
    DriveFacts facts{in.string("name"),
                     in.string("format"),
                     in.optionalCount("totalBytes"),
                     in.optionalCount("freeBytes"),
                     in.optionalBoolean("encrypted"),
                     in.optionalString("uuid"),
                     in.optionalBoolean("removable")};
    return in.ok() ? std::optional(std::move(facts)) : std::nullopt;
}

std::optional<Backup> decodeBackup(const JsonIn& value, DateForm dates)
{
    JsonReader in(value, dates);
    Backup backup{in.instant("date"),
                  in.optionalInstant("started"),
                  in.optionalCount("changedItems"),
                  in.optionalCount("changedBytes"),
                  in.optionalString("tool"),
                  in.optionalBoolean("encrypted")};
    return in.ok() ? std::optional(backup) : std::nullopt;
}

std::optional<DriveState> decodeDriveState(const JsonIn& value, DateForm dates)
{
    JsonReader in(value, dates);
    DriveState state;
    state.facts = in.record<DriveFacts>("facts", decodeDriveFacts);
    state.connected = in.boolean("connected");
    state.backups = in.array<Backup>("backups", decodeBackup);
    state.lastSeen = in.optionalInstant("lastSeen");
    state.fileSystem = in.optionalString("fileSystem");
    state.searchStopped = in.optionalBoolean("searchStopped");
    return in.ok() ? std::optional(std::move(state)) : std::nullopt;
}

std::optional<TimeMachineFacts> decodeTimeMachineFacts(const JsonIn& value, DateForm dates)
{
    JsonReader in(value, dates);
    TimeMachineFacts facts{in.optionalCount("fileSize"), in.optionalInstant("modified")};
    return in.ok() ? std::optional(facts) : std::nullopt;
}

} // namespace brindle
