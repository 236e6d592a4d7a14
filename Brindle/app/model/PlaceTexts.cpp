#include "Brindle/app/model/PlaceTexts.h"

#include "Brindle/app/model/RemoteBackupPlace.h"
#include "Brindle/app/model/ScreenWords.h"
#include "BrindleCore/BackupTools.h"
#include "BrindleCore/RemoteBackups.h"
#include "BrindleCore/Words.h"

#include <algorithm>
#include <array>

namespace brindle::placeTexts {

namespace {
std::string count(std::int64_t n) { return Words::count(n); }

// A sentence's first letter in capitals ("your backup tool" begins a sentence).
std::string capitalised(std::string text)
{
    if (!text.empty() && text.front() >= 'a' && text.front() <= 'z')
        text.front() = static_cast<char>(text.front() - 'a' + 'A');
    return text;
}
} // namespace

std::vector<FolderTally> foldersShown(const std::optional<CheckResult>& result, Filter filter)
{
    std::vector<FolderTally> shown;
    if (!result)
        return shown;
    for (const FolderTally& folder : result->folders) {
        const bool wanted = filter == Filter::all ||
                            (filter == Filter::noSecondCopy && folder.noSecondCopyWithBackup() > 0) ||
                            (filter == Filter::changedThisWeek && folder.changedThisWeek > 0);
        if (wanted)
            shown.push_back(folder);
    }
    return shown;
}

std::string emptyListLine(const std::optional<CheckResult>& result, Filter filter)
{
    if (!result)
        return words::notCheckedYet;
    if (result->folders.empty())
        return "No folders were checked.";
    if (!foldersShown(result, filter).empty())
        return {};
    return filter == Filter::changedThisWeek ? "No folder has files that changed in the last 7 days."
                                             : "No folder has files without a second copy.";
}

std::string listHeading(const std::optional<CheckResult>& result, Filter filter)
{
    if (!result)
        return {};
    const FolderTally total = result->total();
    if (filter == Filter::changedThisWeek)
        return Words::counted(total.changedThisWeek, "file", "files") + " changed in the last 7 days.";
    if (total.files == 0)
        return "There are no files to check.";
    return count(total.noSecondCopyWithBackup()) + " of " + count(total.files) + " " +
           (total.files == 1 ? "file has" : "files have") + " no second copy.";
}

std::string listLine(const std::optional<CheckResult>& result)
{
    if (!result)
        return {};
    const FolderTally total = result->total();
    std::string line = total.changedSinceBackup ? count(total.changedOnlyHere()) + " changed since the last backup"
                                                : count(total.count(Place::onlyHere)) + " only on this computer";
    // Without a sync client nothing can be only in the cloud.
    if (const auto client = presentation::cloudClient(result); client.kind != presentation::CloudClient::Kind::none)
        line += ", " + presentation::naming(count(total.count(Place::onlyICloud)) + " only in iCloud", client);
    line += ".";
    if (const auto setUp = result->setUpTool())
        line += " " + *setUp + " is set up.";
    // Backups without any tool's settings found come from a tool run in a way Brindle cannot
    // read (from cron, say): it is set up all the same.
    else if (!result->lastBackup())
        line += " " + capitalised(backupTool(result)) + " isn’t set up.";
    return line;
}

std::string stripLine(const FolderTally& tally)
{
    if (tally.files == 0)
        return tally.name + ": no files to check";
    const std::int64_t without = tally.noSecondCopyWithBackup();
    const std::string files = Words::counted(tally.files, "file", "files");
    if (without == tally.files)
        return tally.name + ": " + files + ", none with a second copy";
    return tally.name + ": " + files + ", " + count(without) + " with no second copy";
}

std::string kindLine(const FolderTally& tally)
{
    struct Label {
        Kind kind;
        const char* one;
        const char* other;
    };
    constexpr std::array<Label, 6> labels{{{Kind::pictures, "picture", "pictures"},
                                           {Kind::videos, "video", "videos"},
                                           {Kind::documents, "document", "documents"},
                                           {Kind::audio, "audio file", "audio files"},
                                           {Kind::archives, "archive", "archives"},
                                           {Kind::other, "other file", "other files"}}};
    std::string line;
    for (const auto& [kind, one, other] : labels) {
        if (tally.kinds[kind] > 0)
            line += (line.empty() ? "" : ", ") + Words::counted(tally.kinds[kind], one, other);
    }
    return line + ". " + count(tally.changedThisWeek) + " changed in the last 7 days.";
}

std::string folderHeadline(const FolderTally& tally)
{
    if (tally.files <= 0)
        return "There are no files in " + tally.name + " to check.";
    const std::int64_t without = tally.noSecondCopyWithBackup();
    if (tally.files == 1)
        return without == 1 ? "Its one file has no second copy." : "Its one file has a second copy.";
    if (without == tally.files)
        return "None of these " + count(tally.files) + " files has a second copy.";
    return count(without) + " of these " + count(tally.files) + " files " + (without == 1 ? "has" : "have") +
           " no second copy.";
}

std::string folderChangedLine(const FolderTally& tally)
{
    return offersBackupSettings(tally) ? count(tally.changedOnlyHere()) + " changed since your last backup." : "";
}

bool offersBackupSettings(const FolderTally& tally) { return tally.changedSinceBackup.has_value(); }

std::string cloudTitle(const FolderTally& tally, const presentation::CloudClient& client)
{
    const std::int64_t onlyCloud = tally.count(Place::onlyICloud);
    if (onlyCloud < 1)
        return "Every file in " + (client.kind == presentation::CloudClient::Kind::none ? tally.name : client.folder) +
               " is on this computer too.";
    if (onlyCloud == 1)
        return "1 of these files isn’t on this computer, so a backup of this computer can’t include it.";
    return count(onlyCloud) +
           " of these files aren’t on this computer, so a backup of this computer can’t include them.";
}

std::string backupTool(const DriveState& drive) { return std::string(BackupTools::of(drive).name); }

std::string backupTool(const std::optional<CheckResult>& result)
{
    if (result && result->drive && !result->drive->backups.empty())
        return backupTool(*result->drive);
    if (const auto setUp = result ? result->setUpTool() : std::nullopt)
        return *setUp;
    return "your backup tool";
}

bool backupSetUp(const std::optional<CheckResult>& result) { return result && result->backupSetUp(); }

namespace {
// The set-up that backs up over the network, when no set-up backs up to a drive: it has no
// drive to choose.
const BackupSetup* onlyRemote(const std::optional<CheckResult>& result)
{
    if (!result || !result->backupSetups || presentation::localSetUpTool(*result))
        return nullptr;
    return RemoteBackups::principal(*result->backupSetups, result->checkedAt);
}
} // namespace

std::string noDriveTitle(const std::optional<CheckResult>& result)
{
    if (const auto local = result ? presentation::localSetUpTool(*result) : std::nullopt)
        return *local + " is set up. Choose its drive to see the date of its last backup.";
    if (const BackupSetup* remote = onlyRemote(result))
        return remote->tool + " backs up over the network.";
    return capitalised(backupTool(result)) + " isn’t set up on this computer.";
}

bool drivesAdvised(const std::optional<CheckResult>& result) { return onlyRemote(result) == nullptr; }

std::vector<DriveRow> driveRows(const DriveState& drive, Instant now, const Calendar& calendar)
{
    std::vector<DriveRow> rows;
    const auto last = drive.lastBackup();
    rows.push_back({"Last backup", last ? Words::when(*last, now, calendar, false) : "Not readable"});
    if (!drive.connected && drive.lastSeen)
        rows.push_back({"Last connected", Words::when(*drive.lastSeen, now, calendar, true)});
    if (drive.facts.freeBytes && drive.facts.totalBytes)
        rows.push_back(
            {"Space", Words::size(*drive.facts.freeBytes) + " free of " + Words::size(*drive.facts.totalBytes)});
    const BackupTool tool = BackupTools::of(drive);
    switch (BackupTools::privacy(drive)) {
    case Privacy::driveEncrypted:
        rows.push_back({"Encrypted", "The drive needs its password before anything on it can be read."});
        break;
    case Privacy::backupsEncrypted:
        rows.push_back({"Encrypted", std::string(tool.name) +
                                         " encrypts these backups: they need its password before anything in them "
                                         "can be read."});
        break;
    case Privacy::exposed:
        rows.push_back({"Not encrypted",
                        "Anyone with this drive can read your backup. " +
                            (tool.canEncrypt ? std::string(tool.name) + " can encrypt your next one."
                                             : "Encrypt the drive to keep it private."),
                        true});
        break;
    case Privacy::unknown:
        break;
    }
    return rows;
}

std::string useDriveTitle(const std::string& drive, const std::string& tool)
{
    return "Use " + drive + ", where " + tool + " backs up";
}

std::string backupsLine(const DriveState& drive, Instant now, const Calendar& calendar)
{
    const auto n = static_cast<std::int64_t>(drive.backups.size());
    if (n == 0)
        return drive.facts.format.empty() ? "Not read yet. Connect the drive and Brindle reads it."
                                          : "Brindle couldn’t read the list of backups on this drive.";
    std::string line = count(n) + (n == 1 ? " backup" : " backups") + " on this drive";
    if (n > 1) {
        const auto oldest = std::ranges::min_element(drive.backups, {}, &Backup::date);
        line += ", the first " + Words::when(oldest->date, now, calendar, false);
    }
    return line + ". Read from the drive itself.";
}

std::vector<SideBox> sideBoxes(const FolderTally& total, const std::string& tool,
                               const presentation::CloudClient& client)
{
    using presentation::naming;
    std::vector<SideBox> boxes;
    const std::int64_t changed = total.changedOnlyHere();
    if (changed == 1)
        boxes.push_back({true, "Changed since the last backup", "1 file",
                         naming("It’s not in iCloud either, so it has no second copy until the next backup.", client)});
    else if (changed > 0)
        boxes.push_back(
            {true, "Changed since the last backup", Words::counted(changed, "file", "files"),
             naming("They’re not in iCloud either, so they have no second copy until the next backup.", client)});
    else
        boxes.push_back({false, "On this computer, unchanged since the backup",
                         Words::counted(total.count(Place::onlyHere), "file", "files"),
                         "No file only on this computer has changed since the last backup."});
    if (const std::int64_t cloud = total.count(Place::onlyICloud); cloud > 0) {
        const bool one = cloud == 1;
        boxes.push_back(
            {true, one ? "A backup of this computer can’t include it" : "A backup of this computer can’t include them",
             naming(Words::counted(cloud, "file", "files") + " only in iCloud", client),
             Words::size(total.size(Place::onlyICloud)) +
                 naming(" in iCloud Drive and not on this computer, so ", client) + tool + " can’t back " +
                 (one ? "it" : "them") + " up."});
    }
    return boxes;
}

} // namespace brindle::placeTexts
