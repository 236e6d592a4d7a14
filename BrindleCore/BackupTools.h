// The backup tools whose backups Brindle reads, and what each needs of the drive it writes to.
//
// A fixed table; pure functions, safe from any thread. Which tool stands in when no backup on a
// drive names one is this system's choice (BackupTools_<platform>.cpp): on Linux the usual
// tools, worded "your backup tool".
#pragma once

#include "BrindleCore/DriveState.h"

#include <optional>
#include <string>
#include <string_view>

namespace brindle {

enum class FormatNeed {
    macFormat,  // APFS or Mac OS Extended (Time Machine)
    hardLinks,  // hard links and Unix permissions: tools that keep snapshots as hard-linked copies
    anyWritable // repositories of chunk files, which fit any writable file system (even FAT32's 4 GB limit)
};

struct BackupTool {
    std::string_view name;
    FormatNeed need;
    // What people should know about the dates Brindle shows for it, in English; empty when
    // nothing. `BackupTools::note` says it in the person's language.
    std::string_view note;
    // Its backups are encrypted whatever the drive (a restic repository always is), so an
    // unencrypted drive exposes nothing.
    bool alwaysEncrypted = false;
    // It can encrypt the backups it makes (asked for when its backups are set up).
    bool canEncrypt = false;
};

// Who keeps a drive's backups private, if anyone: the drive itself (its volume is encrypted),
// the tool (what the backups' files say, or a tool that always encrypts), nobody (the drive is
// known to be unencrypted and the backups are not known to be encrypted), or unknown.
enum class Privacy { driveEncrypted, backupsEncrypted, exposed, unknown };

namespace BackupTools {

// The tool of that name; nullopt for a name the table does not hold.
std::optional<BackupTool> named(std::string_view name);
// The tool whose backups are on the drive: that of its newest backup; Time Machine when the
// backups came from a manifest; the usual tools of this system when there are no backups.
BackupTool of(const DriveState& drive);
// The stand-in when no backup names a tool.
BackupTool usual();

// Who keeps the drive's backups private, judged by its newest backup. The one rule for every
// screen, the letter, the command line and the report.
Privacy privacy(const DriveState& drive);

// Whether a format description ("ext4", "MS-DOS (FAT32)") suits the need; an empty format
// (never read) always does.
bool suits(std::string_view format, FormatNeed need);
// What the need asks of a drive, as a phrase that follows "needs", in the person's language.
std::string needPhrase(FormatNeed need);
// The tool's note in the person's language; empty when it has none.
std::string note(const BackupTool& tool);

// Can the drive hold the backups of the tool whose backups are on it.
inline bool canHold(const DriveState& drive) { return suits(drive.facts.format, of(drive).need); }

} // namespace BackupTools

} // namespace brindle
