#include "Brindle/app/model/PlaceTexts.h"

#include "Brindle/app/model/RemoteBackupPlace.h"
#include "Brindle/app/model/ScreenWords.h"
#include "BrindleCore/BackupTools.h"
#include "BrindleCore/RemoteBackups.h"
#include "BrindleCore/Translation.h"
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
        return words::notCheckedYet();
    if (result->folders.empty())
        return translated("folder list: in place of the list", "No folders were checked.");
    if (!foldersShown(result, filter).empty())
        return {};
    return filter == Filter::changedThisWeek
               ? translated("folder list: in place of the list", "No folder has files that changed in the last 7 days.")
               : translated("folder list: in place of the list", "No folder has files without a second copy.");
}

std::string listHeading(const std::optional<CheckResult>& result, Filter filter)
{
    if (!result)
        return {};
    const FolderTally total = result->total();
    if (filter == Filter::changedThisWeek)
        return fill(translatedCounted("folder list: heading", "{n} file changed in the last 7 days.",
                                      "{n} files changed in the last 7 days.", total.changedThisWeek),
                    {{"n", count(total.changedThisWeek)}});
    if (total.files == 0)
        return translated("folder list: heading", "There are no files to check.");
    // TRANSLATORS: {without} of the {n} files checked have no second copy.
    return fill(translatedCounted("folder list: heading", "{without} of {n} file has no second copy.",
                                  "{without} of {n} files have no second copy.", total.files),
                {{"without", count(total.noSecondCopyWithBackup())}, {"n", count(total.files)}});
}

std::string listLine(const std::optional<CheckResult>& result)
{
    if (!result)
        return {};
    const FolderTally total = result->total();
    const PhraseValues values{
        {"n", count(total.changedSinceBackup ? total.changedOnlyHere() : total.count(Place::onlyHere))},
        {"cloud", count(total.count(Place::onlyICloud))}};
    std::string line;
    // Without a sync client nothing can be only in the cloud.
    if (const auto client = presentation::cloudClient(result); client.kind != presentation::CloudClient::Kind::none)
        // TRANSLATORS: “iCloud” is replaced by the sync client's name (Nextcloud…): keep it as it is.
        line = presentation::naming(
            total.changedSinceBackup
                ? translated("folder list: line", "{n} changed since the last backup, {cloud} only in iCloud.")
                : translated("folder list: line", "{n} only on this computer, {cloud} only in iCloud."),
            client);
    else
        line = total.changedSinceBackup ? translated("folder list: line", "{n} changed since the last backup.")
                                        : translated("folder list: line", "{n} only on this computer.");
    line = fill(std::move(line), values);
    if (const auto setUp = result->setUpTool())
        line += " " + fill(translated("folder list: line", "{tool} is set up."), {{"tool", *setUp}});
    // Backups without any tool's settings found come from a tool run in a way Brindle cannot
    // read (from cron, say): it is set up all the same.
    else if (!result->lastBackup())
        line += " " + fill(translated("folder list: line", "{tool} isn’t set up."),
                           {{"tool", capitalised(backupTool(result))}});
    return line;
}

std::string stripLine(const FolderTally& tally)
{
    if (tally.files == 0)
        // TRANSLATORS: {folder} is a folder's name.
        return fill(translated("overview: folder strip", "{folder}: no files to check"), {{"folder", tally.name}});
    const std::int64_t without = tally.noSecondCopyWithBackup();
    const PhraseValues values{{"folder", tally.name}, {"n", count(tally.files)}, {"without", count(without)}};
    if (without == tally.files)
        return fill(translatedCounted("overview: folder strip", "{folder}: {n} file, none with a second copy",
                                      "{folder}: {n} files, none with a second copy", tally.files),
                    values);
    return fill(translatedCounted("overview: folder strip", "{folder}: {n} file, {without} with no second copy",
                                  "{folder}: {n} files, {without} with no second copy", tally.files),
                values);
}

namespace {
// "3 pictures": the count of one kind of file.
std::string kindCount(Kind kind, std::int64_t n)
{
    switch (kind) {
    case Kind::pictures:
        return Words::counted(n, "picture", "pictures");
    case Kind::videos:
        return Words::counted(n, "video", "videos");
    case Kind::documents:
        return Words::counted(n, "document", "documents");
    case Kind::audio:
        return Words::counted(n, "audio file", "audio files");
    case Kind::archives:
        return Words::counted(n, "archive", "archives");
    case Kind::other:
        break;
    }
    return Words::counted(n, "other file", "other files");
}
} // namespace

std::string kindLine(const FolderTally& tally)
{
    constexpr std::array<Kind, 6> kinds{Kind::pictures, Kind::videos,   Kind::documents,
                                        Kind::audio,    Kind::archives, Kind::other};
    std::string line;
    for (const Kind kind : kinds) {
        if (tally.kinds[kind] > 0)
            line += (line.empty() ? "" : ", ") + kindCount(kind, tally.kinds[kind]);
    }
    // TRANSLATORS: {kinds} lists the kinds of file: "3 pictures, 2 documents".
    return fill(translatedCounted("folder screen: kinds of file", "{kinds}. {n} changed in the last 7 days.",
                                  "{kinds}. {n} changed in the last 7 days.", tally.changedThisWeek),
                {{"kinds", line}, {"n", count(tally.changedThisWeek)}});
}

std::string folderHeadline(const FolderTally& tally)
{
    if (tally.files <= 0)
        return fill(translated("folder screen: title", "There are no files in {folder} to check."),
                    {{"folder", tally.name}});
    const std::int64_t without = tally.noSecondCopyWithBackup();
    if (tally.files == 1)
        return without == 1 ? translated("folder screen: title", "Its one file has no second copy.")
                            : translated("folder screen: title", "Its one file has a second copy.");
    const PhraseValues values{{"n", count(tally.files)}, {"without", count(without)}};
    if (without == tally.files)
        return fill(translatedCounted("folder screen: title", "None of these {n} files has a second copy.",
                                      "None of these {n} files has a second copy.", tally.files),
                    values);
    // TRANSLATORS: {without} of the folder's {n} files have no second copy.
    return fill(translatedCounted("folder screen: title", "{without} of these {n} files has no second copy.",
                                  "{without} of these {n} files have no second copy.", without),
                values);
}

std::string folderChangedLine(const FolderTally& tally)
{
    if (!offersBackupSettings(tally))
        return "";
    return fill(translatedCounted("folder screen: line", "{n} changed since your last backup.",
                                  "{n} changed since your last backup.", tally.changedOnlyHere()),
                {{"n", count(tally.changedOnlyHere())}});
}

bool offersBackupSettings(const FolderTally& tally) { return tally.changedSinceBackup.has_value(); }

std::string cloudTitle(const FolderTally& tally, const presentation::CloudClient& client)
{
    const std::int64_t onlyCloud = tally.count(Place::onlyICloud);
    if (onlyCloud < 1)
        // TRANSLATORS: {folder} is the sync client's folder or a folder's name.
        return fill(translated("cloud screen: title", "Every file in {folder} is on this computer too."),
                    {{"folder", client.kind == presentation::CloudClient::Kind::none ? tally.name : client.folder}});
    return fill(translatedCounted(
                    "cloud screen: title",
                    "{n} of these files isn’t on this computer, so a backup of this computer can’t include it.",
                    "{n} of these files aren’t on this computer, so a backup of this computer can’t include them.",
                    onlyCloud),
                {{"n", count(onlyCloud)}});
}

std::string backupTool(const DriveState& drive) { return std::string(BackupTools::of(drive).name); }

std::string backupTool(const std::optional<CheckResult>& result)
{
    if (result && result->drive && !result->drive->backups.empty())
        return backupTool(*result->drive);
    if (const auto setUp = result ? result->setUpTool() : std::nullopt)
        return *setUp;
    return translated("a backup tool not known by name", "your backup tool");
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
        return fill(
            translated("drive screen: title", "{tool} is set up. Choose its drive to see the date of its last backup."),
            {{"tool", *local}});
    if (const BackupSetup* remote = onlyRemote(result))
        return fill(translated("drive screen: title", "{tool} backs up over the network."), {{"tool", remote->tool}});
    return fill(translated("drive screen: title", "{tool} isn’t set up on this computer."),
                {{"tool", capitalised(backupTool(result))}});
}

std::string noDriveText()
{
    return translated("drive screen: text", "Choose the drive once, in the panel your desktop shows. Brindle then "
                                            "reads the dates of its backups straight from the drive.");
}

bool drivesAdvised(const std::optional<CheckResult>& result) { return onlyRemote(result) == nullptr; }

std::vector<DriveRow> driveRows(const DriveState& drive, Instant now, const Calendar& calendar)
{
    std::vector<DriveRow> rows;
    const auto last = drive.lastBackup();
    rows.push_back({translated("drive screen: row", "Last backup"),
                    last ? Words::when(*last, now, calendar, false)
                         : translated("drive screen: the last backup's date", "Not readable")});
    if (!drive.connected && drive.lastSeen)
        rows.push_back(
            {translated("drive screen: row", "Last connected"), Words::when(*drive.lastSeen, now, calendar, true)});
    if (drive.facts.freeBytes && drive.facts.totalBytes)
        rows.push_back(
            {translated("drive screen: row", "Space"),
             fill(translated("drive screen: free space", "{free} free of {total}"),
                  {{"free", Words::size(*drive.facts.freeBytes)}, {"total", Words::size(*drive.facts.totalBytes)}})});
    const BackupTool tool = BackupTools::of(drive);
    const PhraseValues named{{"tool", std::string(tool.name)}};
    switch (BackupTools::privacy(drive)) {
    case Privacy::driveEncrypted:
        rows.push_back({translated("drive screen: row", "Encrypted"),
                        translated("drive screen: encryption",
                                   "The drive needs its password before anything on it can be read.")});
        break;
    case Privacy::backupsEncrypted:
        rows.push_back({translated("drive screen: row", "Encrypted"),
                        fill(translated("drive screen: encryption",
                                        "{tool} encrypts these backups: they need its password before anything in "
                                        "them can be read."),
                             named)});
        break;
    case Privacy::exposed:
        rows.push_back({translated("drive screen: row", "Not encrypted"),
                        tool.canEncrypt ? fill(translated("drive screen: encryption",
                                                          "Anyone with this drive can read your backup. {tool} can "
                                                          "encrypt your next one."),
                                               named)
                                        : translated("drive screen: encryption",
                                                     "Anyone with this drive can read your backup. Encrypt the drive "
                                                     "to keep it private."),
                        true});
        break;
    case Privacy::unknown:
        break;
    }
    return rows;
}

std::string useDriveTitle(const std::string& drive, const std::string& tool)
{
    // TRANSLATORS: {drive} is a drive's name, {tool} a backup tool's.
    return fill(translated("drive screen: title", "Use {drive}, where {tool} backs up"),
                {{"drive", drive}, {"tool", tool}});
}

std::string backupsLine(const DriveState& drive, Instant now, const Calendar& calendar)
{
    const auto n = static_cast<std::int64_t>(drive.backups.size());
    if (n == 0)
        return drive.facts.format.empty()
                   ? translated("drive screen: backups", "Not read yet. Connect the drive and Brindle reads it.")
                   : translated("drive screen: backups", "Brindle couldn’t read the list of backups on this drive.");
    if (n == 1)
        return translated("drive screen: backups", "1 backup on this drive. Read from the drive itself.");
    const auto oldest = std::ranges::min_element(drive.backups, {}, &Backup::date);
    // TRANSLATORS: {when} is the first backup's date: "on 3 March", "yesterday".
    return fill(translatedCounted("drive screen: backups",
                                  "{n} backup on this drive, the first {when}. Read from the drive itself.",
                                  "{n} backups on this drive, the first {when}. Read from the drive itself.", n),
                {{"n", count(n)}, {"when", Words::when(oldest->date, now, calendar, false)}});
}

std::vector<SideBox> sideBoxes(const FolderTally& total, const std::string& tool,
                               const presentation::CloudClient& client)
{
    using presentation::naming;
    std::vector<SideBox> boxes;
    const std::int64_t changed = total.changedOnlyHere();
    // TRANSLATORS: “iCloud” is replaced by the sync client's name (Nextcloud…): keep it as it is.
    if (changed == 1)
        boxes.push_back(
            {true, translated("overview: box title", "Changed since the last backup"),
             Words::counted(1, "file", "files"),
             naming(translated("overview: box text",
                               "It’s not in iCloud either, so it has no second copy until the next backup."),
                    client)});
    else if (changed > 0)
        boxes.push_back({true, translated("overview: box title", "Changed since the last backup"),
                         Words::counted(changed, "file", "files"),
                         naming(translated("overview: box text", "They’re not in iCloud either, so they have no second "
                                                                 "copy until the next backup."),
                                client)});
    else
        boxes.push_back(
            {false, translated("overview: box title", "On this computer, unchanged since the backup"),
             Words::counted(total.count(Place::onlyHere), "file", "files"),
             translated("overview: box text", "No file only on this computer has changed since the last backup.")});
    if (const std::int64_t cloud = total.count(Place::onlyICloud); cloud > 0) {
        const PhraseValues values{
            {"n", count(cloud)}, {"size", Words::size(total.size(Place::onlyICloud))}, {"tool", tool}};
        // TRANSLATORS: “iCloud Drive” and “iCloud” are replaced by the sync client's name: keep them as they are.
        boxes.push_back(
            {true,
             translatedCounted("overview: box title", "A backup of this computer can’t include it",
                               "A backup of this computer can’t include them", cloud),
             fill(naming(translatedCounted("overview: box count", "{n} file only in iCloud", "{n} files only in iCloud",
                                           cloud),
                         client),
                  values),
             fill(naming(translatedCounted(
                             "overview: box text",
                             "{size} in iCloud Drive and not on this computer, so {tool} can’t back it up.",
                             "{size} in iCloud Drive and not on this computer, so {tool} can’t back them up.", cloud),
                         client),
                  values)});
    }
    return boxes;
}

} // namespace brindle::placeTexts
