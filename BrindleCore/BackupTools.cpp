#include "BrindleCore/BackupTools.h"

#include "BrindleCore/Translation.h"

#include <algorithm>
#include <array>

namespace brindle {

namespace {
constexpr std::array<BackupTool, 9> tools{{
    {"Time Machine", FormatNeed::macFormat, "", false, true},
    {"Back In Time", FormatNeed::hardLinks, ""},
    {"Timeshift", FormatNeed::hardLinks, ""},
    {"rsnapshot", FormatNeed::hardLinks, ""},
    {"Déjà Dup", FormatNeed::anyWritable, "", false, true},
    {"duplicity", FormatNeed::anyWritable, "", false, true},
    {"restic", FormatNeed::anyWritable, "", true, true},
    {"rdiff-backup", FormatNeed::anyWritable, ""},
    {"borg", FormatNeed::anyWritable,
     "A borg repository keeps its list of backups encrypted, so Brindle shows one date: the last write to the "
     "repository, which may also be a prune. When a run did not finish, its checkpoints cannot be told from a "
     "finished backup, so the date is that of the last write before that run began.",
     false, true},
}};

std::string lowered(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return lower;
}

bool mentionsAny(const std::string& text, std::initializer_list<std::string_view> words)
{
    return std::any_of(words.begin(), words.end(),
                       [&](std::string_view word) { return text.find(word) != std::string::npos; });
}
} // namespace

std::optional<BackupTool> BackupTools::named(std::string_view name)
{
    for (const BackupTool& tool : tools)
        if (tool.name == name)
            return tool;
    return std::nullopt;
}

BackupTool BackupTools::of(const DriveState& drive)
{
    const Backup* newest = nullptr;
    for (const Backup& backup : drive.backups)
        if (!newest || backup.date > newest->date)
            newest = &backup;
    if (!newest)
        return usual();
    if (!newest->tool)
        return *named("Time Machine");
    // A name the table does not know (written by a later version) needs what most tools need.
    return named(*newest->tool).value_or(BackupTool{*newest->tool, FormatNeed::anyWritable, ""});
}

Privacy BackupTools::privacy(const DriveState& drive)
{
    if (drive.facts.encrypted == true)
        return Privacy::driveEncrypted;
    const Backup* newest = nullptr;
    for (const Backup& backup : drive.backups)
        if (!newest || backup.date > newest->date)
            newest = &backup;
    // What the files say wins over what the tool usually does.
    if (newest && newest->encrypted)
        return *newest->encrypted ? Privacy::backupsEncrypted
                                  : (drive.facts.encrypted == false ? Privacy::exposed : Privacy::unknown);
    if (of(drive).alwaysEncrypted)
        return Privacy::backupsEncrypted;
    return drive.facts.encrypted == false ? Privacy::exposed : Privacy::unknown;
}

bool BackupTools::suits(std::string_view format, FormatNeed need)
{
    const std::string f = lowered(format);
    if (f.empty())
        return true;
    const bool mac = DriveFacts{{}, f}.canHoldTimeMachine();
    switch (need) {
    case FormatNeed::macFormat:
        return mac;
    case FormatNeed::hardLinks:
        return mac || mentionsAny(f, {"ext2", "ext3", "ext4", "btrfs", "xfs", "f2fs", "zfs"});
    case FormatNeed::anyWritable:
        return !mentionsAny(f, {"iso 9660", "iso9660", "squashfs", "udf"});
    }
    return false;
}

std::string BackupTools::needPhrase(FormatNeed need)
{
    switch (need) {
    case FormatNeed::macFormat:
        return translated("backup tool: what it needs of a drive, after „needs“", "APFS or Mac OS Extended");
    case FormatNeed::hardLinks:
        return translated("backup tool: what it needs of a drive, after „needs“",
                          "a file system with hard links and Unix permissions, such as ext4, Btrfs or XFS");
    case FormatNeed::anyWritable:
        return translated("backup tool: what it needs of a drive, after „needs“", "a file system it can write to");
    }
    return "";
}

std::string BackupTools::note(const BackupTool& tool)
{
    // The table's English, said again here so that the catalogue holds it.
    if (tool.name == "borg" && !tool.note.empty())
        return translated("backup tool: a note about the dates shown for its backups",
                          "A borg repository keeps its list of backups encrypted, so Brindle shows one date: the last "
                          "write to the repository, which may also be a prune. When a run did not finish, its "
                          "checkpoints cannot be told from a finished backup, so the date is that of the last write "
                          "before that run began.");
    return std::string(tool.note);
}

} // namespace brindle
