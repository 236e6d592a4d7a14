#include "BrindleCore/Report.h"

#include "BrindleCore/BackupTools.h"
#include "BrindleCore/LeftOutItems.h"
#include "BrindleCore/Paths.h"
#include "BrindleCore/RemoteBackups.h"
#include "BrindleCore/Translation.h"
#include "BrindleCore/Words.h"

#include <algorithm>

namespace brindle {

namespace {
constexpr auto day = std::chrono::seconds{secondsPerDay};

Finding makeFinding(const Guide& guide, const std::string& id, std::int64_t count, const PhraseValues& values,
                    bool needsYou)
{
    const GuideFinding& source = guide.finding(id);
    // Names from outside must not reorder or break the sentence they are set in.
    PhraseValues shown = values;
    for (auto& [key, value] : shown)
        value = Words::shownName(value);
    return {id, source.title.text(count, shown), source.line.text(count, shown), source.button, source.opens, needsYou};
}

// "Documents 1,234 · Desktop 5": folders with files only here, most first, ties in order.
std::string onlyHereFolders(const std::vector<FolderTally>& folders)
{
    std::vector<std::pair<std::string, std::int64_t>> pairs;
    for (const FolderTally& folder : folders)
        if (folder.count(Place::onlyHere) > 0)
            pairs.emplace_back(Words::shownName(folder.name), folder.count(Place::onlyHere));
    std::stable_sort(pairs.begin(), pairs.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    return Words::folderList(pairs);
}
} // namespace

Report::Report(const CheckResult& result, const Guide& guide, std::optional<Instant> waitingSince,
               const Calendar& calendar)
{
    const FolderTally total = result.total();
    const std::int64_t onlyHere = total.count(Place::onlyHere);
    const std::int64_t both = total.count(Place::both);
    const std::int64_t onlyICloud = total.count(Place::onlyICloud);
    const std::int64_t waiting = total.count(Place::waiting);
    const std::int64_t unknown = total.count(Place::unknown);
    // A backup dated in the future was dated by a wrong clock: it is no last backup.
    const Backup* latest = result.drive ? result.drive->latestBy(result.checkedAt) : nullptr;
    // A tool's record of a backup sent over the network stands in for the drive's where newer.
    const std::vector<BackupSetup> noSetups;
    const std::vector<BackupSetup>& setups = result.backupSetups ? *result.backupSetups : noSetups;
    const BackupSetup* remote = RemoteBackups::principal(setups, result.checkedAt);
    const std::optional<Instant> remoteCutOff =
        remote ? RemoteBackups::cutOff(*remote, result.checkedAt) : std::nullopt;
    const std::optional<Instant> lastBackup =
        latest && !(remoteCutOff && *remoteCutOff > latest->date) ? std::optional(latest->date) : remoteCutOff;
    // The drive to name is a set-up's that backs up here; one that backs up over the network has
    // no drive to choose, but is set up all the same.
    const std::vector<BackupSetup> localSetups = RemoteBackups::onThisComputer(setups);
    const BackupSetup* setup = BackupSetups::principal(localSetups);
    const bool tmSetUp = result.backupSetUp();
    const bool searchStopped = result.drive && result.drive->searchStopped.value_or(false);
    const std::int64_t changed = total.changedSinceBackup.value_or(0);
    const Instant now = result.checkedAt;
    const auto when = [&](Instant moment, bool relative) { return Words::when(moment, now, calendar, relative); };
    const auto folderCount = static_cast<std::int64_t>(result.folders.size());
    const PhraseValues folderValues{
        {"name", result.folders.empty() ? std::string() : Words::shownName(result.folders.front().name)},
        {"folders", Words::count(folderCount)}};
    const auto fill = [&](const char* key, std::int64_t count, const PhraseValues& values = {}) {
        return guide.answer(key).text(count, values);
    };

    // The answer, first rule that applies, with the cloud clause where it belongs.
    std::string clause;
    if (onlyICloud >= 1)
        clause = " " + fill(lastBackup ? "iCloudAfterBackup" : "iCloudClause", onlyICloud);
    const PhraseValues sizeValues{{"size", Words::roughSize(total.size(Place::onlyHere))}};
    if (result.folders.empty())
        answer = fill("noFolders", 0);
    else if (total.files == 0)
        answer = fill("noFiles", folderCount, folderValues);
    else if (!lastBackup && onlyHere >= 1)
        answer = fill(tmSetUp || searchStopped ? "notInICloud" : "noBackup", onlyHere, sizeValues) + clause;
    else if (!lastBackup && onlyICloud >= 1)
        answer = fill("iCloudAfterBackup", onlyICloud);
    else if (!lastBackup && waiting >= 1)
        answer = fill("onlyWaiting", waiting);
    else if (!lastBackup && both >= 1)
        answer = fill("allTwoCopies", folderCount, folderValues);
    else if (!lastBackup)
        answer = fill("cantTellAll", unknown);
    else if (changed >= 1)
        answer = fill("changedSince", changed, {{"when", when(*lastBackup, false)}}) + clause;
    else
        answer = fill("nothingChanged", 0, {{"when", when(*lastBackup, false)}}) + clause;

    // The findings, in this order.
    if (result.unreadable && !result.unreadable->empty())
        findings.push_back(makeFinding(guide, "cantOpen", static_cast<std::int64_t>(result.unreadable->size()),
                                       {{"folders", Words::list(*result.unreadable)}}, true));
    std::vector<std::string> partlyRead;
    for (const FolderTally& folder : result.folders)
        if (folder.unreadableFolders > 0)
            partlyRead.push_back(folder.name);
    if (!partlyRead.empty())
        findings.push_back(makeFinding(guide, "cantReadAll", static_cast<std::int64_t>(partlyRead.size()),
                                       {{"folders", Words::list(partlyRead)}}, true));
    if (result.unreadableJournals && !result.unreadableJournals->empty()) {
        std::vector<std::string> names;
        for (const std::string& path : *result.unreadableJournals)
            names.emplace_back(lastPathComponent(path));
        findings.push_back(
            makeFinding(guide, "journalUnreadable", static_cast<std::int64_t>(names.size()),
                        {{"folders", Words::list(names)}, {"client", result.cloudClient.value_or("iCloud")}}, true));
    }
    if (result.failingUploads && *result.failingUploads > 0)
        findings.push_back(makeFinding(guide, "uploadsFailing", *result.failingUploads,
                                       {{"client", result.cloudClient.value_or("iCloud")}}, true));
    // What the backups leave out: whole folders alone, or with what is left out inside the
    // folders taken, named with the tool.
    const auto leftOutFinding = [&](const std::string& tool) -> std::optional<Finding> {
        const std::vector<std::string> wholly = result.leftOut.value_or(std::vector<std::string>{});
        const auto items = LeftOutItems::worded(
            result.folders, result.leftOutInside.value_or(std::vector<std::string>{}), [&](const FolderTally& folder) {
                return std::find(wholly.begin(), wholly.end(), folder.name) == wholly.end();
            });
        if (items.empty())
            return std::nullopt;
        const bool inside = items.size() > wholly.size();
        const PhraseValues values{{"folders", Words::list(inside ? items : wholly)}, {"tool", tool}};
        return makeFinding(guide, inside ? "leftOutInside" : "leftOut",
                           static_cast<std::int64_t>(inside ? items.size() : wholly.size()), values, true);
    };
    // Whose word the backup sent over the network is; said beside a drive's backups too.
    const auto remoteRecord = [&] {
        return makeFinding(guide, "remoteBackup", 0,
                           {{"tool", remote->tool},
                            {"folders", RemoteBackups::foldersTaken(*remote, result.folders)},
                            {"target", RemoteBackups::targetName(*remote->target)},
                            {"when", Words::moment(*remote->lastBackup, now, calendar)}},
                           false);
    };
    if (!result.drive) {
        bool applied = false;
        if (remote) {
            const std::string target = RemoteBackups::targetName(*remote->target);
            if (remoteCutOff) {
                findings.push_back(remoteRecord());
                // A schedule's promise, with a day's grace for a computer that was off; a week
                // where the schedule is not known.
                const auto promised = remote->scheduledEvery ? std::chrono::seconds{*remote->scheduledEvery} + day
                                                             : std::chrono::seconds{secondsPerWeek};
                if (now - *remoteCutOff > promised)
                    findings.push_back(makeFinding(
                        guide, "remoteBackupOld", 0,
                        {{"tool", remote->tool}, {"target", target}, {"when", when(*remote->lastBackup, true)}}, true));
                if (total.changedSinceBackup && *total.changedSinceBackup >= 1)
                    findings.push_back(makeFinding(guide, "changedSinceBackup", changed, {}, true));
                if (auto finding = leftOutFinding(remote->tool))
                    findings.push_back(std::move(*finding));
            } else {
                findings.push_back(
                    makeFinding(guide, "remoteUnseen", 0, {{"tool", remote->tool}, {"target", target}}, false));
            }
            applied = !remoteCutOff;
        }
        if (setup || (!remote && tmSetUp)) {
            const std::optional<Instant> moment = setup ? setup->lastBackup : result.timeMachine.modified;
            const std::string changedAt =
                moment ? when(*moment, false) : translated("finding: when a backup tool last ran, unknown", "recently");
            const std::string destination = setup ? BackupSetups::destination(*setup) : std::string();
            findings.push_back(makeFinding(
                guide, "driveNotChosen", 0,
                {{"when", changedAt},
                 {"tool", setup ? setup->tool : std::string("Time Machine")},
                 {"drive", destination.empty()
                               ? translated("finding: where a backup tool backs up, unknown", "its backup drive")
                               : destination}},
                false));
            applied = true;
        } else if (!remote && !result.folders.empty()) {
            findings.push_back(makeFinding(guide, "noBackup", 0, {}, true));
            applied = true;
        }
        if (applied && onlyHere >= 1 && !remoteCutOff)
            findings.push_back(
                makeFinding(guide, "onlyHere", onlyHere, {{"folders", onlyHereFolders(result.folders)}}, true));
    } else {
        const DriveState& drive = *result.drive;
        const BackupTool tool = BackupTools::of(drive);
        const bool canHold = BackupTools::canHold(drive);
        if (remoteCutOff)
            findings.push_back(remoteRecord());
        if (!canHold)
            findings.push_back(makeFinding(guide, "cantHoldTimeMachine", 0,
                                           {{"drive", drive.facts.name},
                                            {"format", drive.facts.format},
                                            {"tool", std::string(tool.name)},
                                            {"needs", std::string(BackupTools::needPhrase(tool.need))}},
                                           true));
        const std::optional<Instant> future = drive.futureBackup(now);
        if (future)
            findings.push_back(makeFinding(guide, "futureBackup", 0,
                                           {{"drive", drive.facts.name}, {"date", Words::date(*future, now, calendar)}},
                                           true));
        if (drive.awayLong(now))
            findings.push_back(makeFinding(guide, "driveAway", 0, {{"when", when(*drive.lastSeen, true)}}, true));
        else if (lastBackup && now - *lastBackup > std::chrono::seconds{secondsPerWeek})
            findings.push_back(makeFinding(guide, "backupOld", 0, {{"when", when(*lastBackup, true)}}, true));
        if (lastBackup && total.changedSinceBackup && *total.changedSinceBackup >= 1)
            findings.push_back(makeFinding(guide, "changedSinceBackup", changed, {}, true));
        {
            const auto makers = result.backupSetups ? BackupSetups::making(*result.backupSetups, tool.name)
                                                    : std::vector<BackupSetup>{};
            if (auto finding = leftOutFinding(makers.empty() ? std::string(tool.name) : makers.front().tool))
                findings.push_back(std::move(*finding));
        }
        // A drive is chosen, so "no backup drive is chosen" would be false; a search cut short
        // by its limits found nothing yet, which is not "no backups".
        const PhraseValues driveName{{"drive", Words::shownName(drive.facts.name)}};
        if (!lastBackup && !future && !result.folders.empty()) {
            if (searchStopped)
                findings.push_back(makeFinding(guide, "searchStopped", 0, driveName, true));
            else if (!tmSetUp && canHold)
                findings.push_back(makeFinding(guide, "noBackupOnDrive", 0, driveName, true));
        }
        if (lastBackup && result.onBackupDisk && !result.onBackupDisk->empty())
            findings.push_back(
                makeFinding(guide, "sameDisk", static_cast<std::int64_t>(result.onBackupDisk->size()),
                            {{"folders", Words::list(*result.onBackupDisk)}, {"tool", std::string(tool.name)}}, true));
    }
    if (onlyICloud >= 1)
        findings.push_back(
            makeFinding(guide, "onlyICloud", onlyICloud, {{"size", Words::size(total.size(Place::onlyICloud))}}, true));
    if (result.drive && BackupTools::privacy(*result.drive) == Privacy::exposed && BackupTools::canHold(*result.drive))
        findings.push_back(
            makeFinding(guide, "notEncrypted", 0, {{"tool", std::string(BackupTools::of(*result.drive).name)}}, true));
    if (waiting >= 1 && waitingSince && now - *waitingSince > day)
        findings.push_back(makeFinding(guide, "waitingLong", waiting, {{"when", when(*waitingSince, false)}}, true));
    if (unknown > 0)
        findings.push_back(makeFinding(guide, "cantTell", unknown, {}, false));
    if (!result.folders.empty()) {
        if (const auto& catalogue = result.photoCatalogue) {
            const std::string where =
                catalogue->path.empty()
                    ? translated("finding: where a photo manager keeps its catalogue", "on a database server")
                    // TRANSLATORS: {folder} is the path of the folder that holds the catalogue.
                    : brindle::fill(translated("finding: where a photo manager keeps its catalogue", "in {folder}"),
                                    {{"folder", parentFolder(catalogue->path)}});
            PhraseValues values{{"manager", catalogue->manager}, {"where", where}};
            if (catalogue->inFolder)
                values["folder"] = *catalogue->inFolder;
            findings.push_back(
                makeFinding(guide, catalogue->inFolder ? "photoCatalogueKept" : "photoCatalogue", 0, values, false));
        } else {
            findings.push_back(makeFinding(guide, "photos", 0, {}, false));
        }
    }

    if (result.cloudClient) {
        answer = Words::namingCloud(std::move(answer), *result.cloudClient);
        for (Finding& finding : findings) {
            // The photo manager's own cloud is not the sync client's ("Nextcloud Photos").
            if (finding.id == "photos")
                continue;
            for (std::string* text : {&finding.title, &finding.line, &finding.button})
                *text = Words::namingCloud(std::move(*text), *result.cloudClient);
        }
    }
}

} // namespace brindle
