// The report builder as a table of results → answer and findings, against a guide whose
// texts echo their key and every placeholder (so the exact filling shows), and against the
// shipped guide.
#include "BrindleCore/Report.h"
#include "BrindleCore/Demo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace brindle {
namespace {

using namespace std::chrono;

const Instant checkedAt{sys_days{2026y / November / 26} + 15h + 12min};
const Calendar utc = Calendar::utc();

Guide echoGuide()
{
    const auto echo = [](const std::string& key) {
        const std::string fields = "({n}|{name}|{folders}|{size}|{when}|{drive}|{format})";
        return Phrase{Phrase::Counted{key + ":one" + fields, key + fields}};
    };
    Guide guide;
    for (const char* key : {"noFolders", "noFiles", "noBackup", "notInICloud", "iCloudAfterBackup", "iCloudClause",
                            "onlyWaiting", "allTwoCopies", "cantTellAll", "changedSince", "nothingChanged"})
        guide.answers[key] = echo(key);
    for (const char* id : {"cantOpen",        "cantReadAll",     "driveNotChosen",
                           "noBackup",        "onlyHere",        "cantHoldTimeMachine",
                           "driveAway",       "backupOld",       "changedSinceBackup",
                           "onlyICloud",      "notEncrypted",    "waitingLong",
                           "cantTell",        "photos",          "sameDisk",
                           "leftOut",         "futureBackup",    "journalUnreadable",
                           "noBackupOnDrive", "searchStopped",   "remoteBackup",
                           "remoteUnseen",    "remoteBackupOld", "uploadsFailing",
                           "leftOutInside"})
        guide.findings.push_back(
            {id, echo(id), Phrase{std::string("line of ") + id}, "Button", "opens-" + std::string(id), ""});
    return guide;
}

FolderTally folder(const std::string& name, std::initializer_list<std::pair<Place, std::int64_t>> places,
                   std::optional<std::int64_t> changed = std::nullopt)
{
    FolderTally tally(name, "/home/ada/" + name);
    for (const auto& [place, files] : places) {
        tally.counts.add(place, files);
        if (place != Place::unknown) {
            tally.files += files;
            tally.sizes.add(place, files * 1'000'000);
            tally.bytes += files * 1'000'000;
        }
    }
    tally.changedSinceBackup = changed;
    return tally;
}

DriveState drive(std::optional<seconds> backupAgo, bool connected = true, std::optional<seconds> seenAgo = std::nullopt,
                 std::string format = "APFS", std::optional<bool> encrypted = true,
                 std::optional<std::string> tool = std::nullopt)
{
    DriveState state{{"Backup", std::move(format), {}, {}, encrypted, {}, {}}, connected, {}, {}};
    if (backupAgo)
        state.backups.push_back({checkedAt - *backupAgo, {}, {}, {}, tool});
    if (seenAgo)
        state.lastSeen = checkedAt - *seenAgo;
    return state;
}

CheckResult result(std::vector<FolderTally> folders, std::optional<DriveState> mainDrive = std::nullopt,
                   TimeMachineFacts timeMachine = {})
{
    return CheckResult(checkedAt, 1.0, std::move(folders), std::move(mainDrive), timeMachine, false);
}

// The echo text without the placeholders the report left unfilled, which stay verbatim.
std::string filled(std::string text)
{
    for (auto open = text.find('{'); open != std::string::npos; open = text.find('{', open))
        text.erase(open, text.find('}', open) - open + 1);
    return text;
}

std::vector<std::string> ids(const Report& report)
{
    std::vector<std::string> out;
    for (const Finding& finding : report.findings)
        out.push_back(finding.id + (finding.needsYou ? "!" : ""));
    return out;
}

struct Case {
    const char* what;
    CheckResult result;
    std::string answer;
    std::vector<std::string> findings; // "!" marks the ones that need the person
    std::optional<Instant> waitingSince = std::nullopt;
};

TEST(Report, AnswersAndFindingsInOrder)
{
    const TimeMachineFacts setUp{201, std::nullopt};
    const TimeMachineFacts notSetUp{200, checkedAt};
    const seconds week{secondsPerWeek};
    std::vector<Case> cases{
        {"nothing chosen", result({}), "noFolders(0||||||)", {}},
        {"nothing chosen, Time Machine set up",
         result({}, std::nullopt, setUp),
         "noFolders(0||||||)",
         {"driveNotChosen"}},
        {"only empty folders",
         result({folder("Desktop", {}), folder("Documents", {})}),
         "noFiles(2|Desktop|2||||)",
         {"noBackup!", "photos"}},
        {"one empty folder", result({folder("Desktop", {})}), "noFiles:one(1|Desktop|1||||)", {"noBackup!", "photos"}},
        {"no backup at all",
         result({folder("Docs", {{Place::onlyHere, 3}, {Place::onlyICloud, 2}})}),
         "noBackup(3|||3 MB|||) iCloudClause(2||||||)",
         {"noBackup!", "onlyHere!", "onlyICloud!", "photos"}},
        {"Time Machine set up, no drive chosen",
         result({folder("Docs", {{Place::onlyHere, 1}})}, std::nullopt, setUp),
         "notInICloud:one(1|||1 MB|||)",
         {"driveNotChosen", "onlyHere!", "photos"}},
        {"only in the cloud",
         result({folder("Cloud", {{Place::onlyICloud, 4}, {Place::both, 1}})}),
         "iCloudAfterBackup(4||||||)",
         {"noBackup!", "onlyICloud!", "photos"}},
        {"only waiting",
         result({folder("Cloud", {{Place::waiting, 2}, {Place::both, 1}})}),
         "onlyWaiting(2||||||)",
         {"noBackup!", "photos"}},
        {"two copies everywhere",
         result({folder("Cloud", {{Place::both, 5}}), folder("More", {{Place::both, 1}})}),
         "allTwoCopies(2|Cloud|2||||)",
         {"noBackup!", "photos"}},
        {"changed since a recent backup",
         result({folder("Docs", {{Place::onlyHere, 9}, {Place::onlyICloud, 1}}, 4)}, drive(hours{3})),
         "changedSince(4||||today at 12:12||) iCloudAfterBackup:one(1||||||)",
         {"changedSinceBackup!", "onlyICloud!", "photos"}},
        {"nothing changed, backup 8 days old",
         result({folder("Docs", {{Place::onlyHere, 9}}, 0)}, drive(days{8})),
         "nothingChanged(0||||on 18 November||)",
         {"backupOld!", "photos"}},
        {"backup exactly a week old",
         result({folder("Docs", {{Place::onlyHere, 9}}, 0)}, drive(week)),
         "nothingChanged(0||||on 19 November||)",
         {"photos"}},
        {"backup a second over a week",
         result({folder("Docs", {{Place::onlyHere, 9}}, 0)}, drive(week + seconds{1})),
         "nothingChanged(0||||on 19 November||)",
         {"backupOld!", "photos"}},
        {"away ten days, backup twelve days old",
         result({folder("Docs", {{Place::onlyHere, 1}}, 0)}, drive(days{12}, false, days{10})),
         "nothingChanged(0||||on 14 November||)",
         {"driveAway!", "photos"}},
        {"away exactly a week: the old backup speaks instead",
         result({folder("Docs", {{Place::onlyHere, 1}}, 0)}, drive(days{12}, false, week)),
         "nothingChanged(0||||on 14 November||)",
         {"backupOld!", "photos"}},
        {"drive that cannot hold backups, unencrypted",
         result({folder("Docs", {{Place::onlyHere, 1}}, 0)}, drive(hours{1}, true, {}, "ExFAT", false)),
         "nothingChanged(0||||today at 14:12||)",
         {"cantHoldTimeMachine!", "photos"}},
        {"unencrypted drive that can hold backups",
         result({folder("Docs", {{Place::onlyHere, 1}}, 0)}, drive(hours{1}, true, {}, "APFS", false)),
         "nothingChanged(0||||today at 14:12||)",
         {"notEncrypted!", "photos"}},
        {"encryption unknown",
         result({folder("Docs", {{Place::onlyHere, 1}}, 0)}, drive(hours{1}, true, {}, "", std::nullopt)),
         "nothingChanged(0||||today at 14:12||)",
         {"photos"}},
        {"drive without backups",
         result({folder("Docs", {{Place::onlyHere, 2}})}, drive(std::nullopt)),
         "noBackup(2|||2 MB|||)",
         {"noBackupOnDrive!", "photos"}},
        {"drive without backups, Time Machine set up",
         result({folder("Docs", {{Place::onlyHere, 2}})}, drive(std::nullopt), setUp),
         "notInICloud(2|||2 MB|||)",
         {"photos"}},
        {"unknown places",
         result({folder("Cloud", {{Place::both, 1}, {Place::unknown, 3}})}, std::nullopt, notSetUp),
         "allTwoCopies:one(1|Cloud|1||||)",
         {"noBackup!", "cantTell", "photos"}},
        {"waiting exactly a day",
         result({folder("Cloud", {{Place::waiting, 2}})}),
         "onlyWaiting(2||||||)",
         {"noBackup!", "photos"},
         checkedAt - days{1}},
        {"waiting a second over a day",
         result({folder("Cloud", {{Place::waiting, 2}})}),
         "onlyWaiting(2||||||)",
         {"noBackup!", "waitingLong!", "photos"},
         checkedAt - days{1} - seconds{1}},
    };
    for (const auto& [what, format, tool, findings] :
         std::vector<std::tuple<const char*, const char*, const char*, std::vector<std::string>>>{
             {"Back In Time on ext4", "ext4", "Back In Time", {"notEncrypted!", "photos"}},
             {"Back In Time on FAT32", "MS-DOS (FAT32)", "Back In Time", {"cantHoldTimeMachine!", "photos"}},
             {"restic on FAT32, encrypted by restic itself", "MS-DOS (FAT32)", "restic", {"photos"}},
         })
        cases.push_back(
            {what, result({folder("Docs", {{Place::onlyHere, 1}}, 0)}, drive(hours{1}, true, {}, format, false, tool)),
             "nothingChanged(0||||today at 14:12||)", findings});
    cases.push_back({"ext4 drive without backups yet",
                     result({folder("Docs", {{Place::onlyHere, 2}})}, drive(std::nullopt, true, {}, "ext4", false)),
                     "noBackup(2|||2 MB|||)",
                     {"noBackupOnDrive!", "notEncrypted!", "photos"}});
    CheckResult crowded = result({folder("Docs", {{Place::onlyHere, 2}})}, drive(std::nullopt));
    crowded.drive->searchStopped = true;
    cases.push_back({"a search stopped at its limits before it found a backup",
                     crowded,
                     "notInICloud(2|||2 MB|||)",
                     {"searchStopped!", "photos"}});
    CheckResult sameDisk =
        result({folder("Docs", {{Place::onlyHere, 1}}, 0)}, drive(hours{1}, true, {}, "Btrfs", true, "Timeshift"));
    sameDisk.onBackupDisk = std::vector<std::string>{"Docs"};
    cases.push_back(
        {"backups on the folders' disk", sameDisk, "nothingChanged(0||||today at 14:12||)", {"sameDisk!", "photos"}});
    CheckResult sameDiskNoBackup =
        result({folder("Docs", {{Place::onlyHere, 1}})}, drive(std::nullopt, true, {}, "Btrfs"));
    sameDiskNoBackup.onBackupDisk = std::vector<std::string>{"Docs"};
    cases.push_back({"no backups on the folders' disk",
                     sameDiskNoBackup,
                     "noBackup:one(1|||1 MB|||)",
                     {"noBackupOnDrive!", "photos"}});
    CheckResult toolSetUp = result({folder("Docs", {{Place::onlyHere, 1}})});
    toolSetUp.backupSetups = std::vector<BackupSetup>{{"Timeshift"}};
    cases.push_back({"a backup tool set up, no drive chosen",
                     toolSetUp,
                     "notInICloud:one(1|||1 MB|||)",
                     {"driveNotChosen", "onlyHere!", "photos"}});
    CheckResult leftOut =
        result({folder("Docs", {{Place::onlyHere, 2}}, 2)}, drive(hours{1}, true, {}, "ext4", true, "Timeshift"));
    leftOut.leftOut = std::vector<std::string>{"Docs"};
    cases.push_back({"a folder the backups leave out",
                     leftOut,
                     "changedSince(2||||today at 14:12||)",
                     {"changedSinceBackup!", "leftOut!", "photos"}});
    // A clock set wrong: the backup dated in the future is said, and is no last backup.
    cases.push_back({"a backup dated in the future",
                     result({folder("Docs", {{Place::onlyHere, 9}}, 9)}, drive(-hours{2})),
                     "noBackup(9|||9 MB|||)",
                     {"futureBackup!", "photos"}});
    CheckResult olderAndFuture = result({folder("Docs", {{Place::onlyHere, 9}}, 0)}, drive(days{8}));
    olderAndFuture.drive->backups.push_back({checkedAt + days{3650}});
    cases.push_back({"a future backup after an old one",
                     olderAndFuture,
                     "nothingChanged(0||||on 18 November||)",
                     {"futureBackup!", "backupOld!", "photos"}});
    cases.push_back({"a backup dated within the clocks' allowance",
                     result({folder("Docs", {{Place::onlyHere, 9}}, 0)}, drive(-minutes{30})),
                     "nothingChanged(0||||today at 15:42||)",
                     {"photos"}});
    CheckResult journals = result({folder("Docs", {{Place::onlyHere, 1}})});
    journals.unreadableJournals = std::vector<std::string>{"/home/ada/Nextcloud"};
    cases.push_back({"a sync journal that could not be read",
                     journals,
                     "noBackup:one(1|||1 MB|||)",
                     {"journalUnreadable!", "noBackup!", "onlyHere!", "photos"}});
    CheckResult failing = result({folder("Docs", {{Place::onlyHere, 1}})});
    failing.failingUploads = 2;
    cases.push_back({"uploads that have failed for a day",
                     failing,
                     "noBackup:one(1|||1 MB|||)",
                     {"uploadsFailing!", "noBackup!", "onlyHere!", "photos"}});
    CheckResult unreadable = result({folder("Docs", {{Place::onlyHere, 1}})});
    unreadable.unreadable = std::vector<std::string>{"Music", "Films"};
    cases.push_back({"folders that did not open",
                     unreadable,
                     "noBackup:one(1|||1 MB|||)",
                     {"cantOpen!", "noBackup!", "onlyHere!", "photos"}});
    unreadable.folders[0].unreadableFolders = 2;
    cases.push_back({"and a folder read in part",
                     unreadable,
                     "noBackup:one(1|||1 MB|||)",
                     {"cantOpen!", "cantReadAll!", "noBackup!", "onlyHere!", "photos"}});
    // Backups sent over the network: the tool's record stands in for a drive, and no drive is
    // asked for.
    const auto sentAway = [](CheckResult r, std::optional<seconds> recordAgo, bool andADrive = false) {
        BackupSetup pika{"Pika Backup", "ssh://u@u.repo.borgbase.com/./repo"};
        if (recordAgo)
            pika.lastBackup = pika.lastStarted = checkedAt - *recordAgo;
        r.backupSetups = std::vector<BackupSetup>{pika};
        if (andADrive)
            r.backupSetups->push_back({"Back In Time", "/media/ada/Disk"});
        return r;
    };
    cases.push_back({"a remote record",
                     sentAway(result({folder("Docs", {{Place::onlyHere, 9}}, 2)}), hours{3}),
                     "changedSince(2||||today at 12:12||)",
                     {"remoteBackup", "changedSinceBackup!", "photos"}});
    cases.push_back({"a remote record a fortnight old",
                     sentAway(result({folder("Docs", {{Place::onlyHere, 9}}, 0)}), days{14}),
                     "nothingChanged(0||||on 12 November||)",
                     {"remoteBackup", "remoteBackupOld!", "photos"}});
    CheckResult daily = sentAway(result({folder("Docs", {{Place::onlyHere, 9}}, 0)}), hours{50});
    daily.backupSetups->front().scheduledEvery = 24 * 3600;
    cases.push_back({"a remote record older than its daily schedule and a day",
                     daily,
                     "nothingChanged(0||||on Tuesday||)",
                     {"remoteBackup", "remoteBackupOld!", "photos"}});
    daily.backupSetups->front().lastBackup = daily.backupSetups->front().lastStarted = checkedAt - hours{47};
    cases.push_back({"a remote record within its daily schedule and a day",
                     daily,
                     "nothingChanged(0||||on Tuesday||)",
                     {"remoteBackup", "photos"}});
    cases.push_back({"a remote set-up without a record",
                     sentAway(result({folder("Docs", {{Place::onlyHere, 9}})}), std::nullopt),
                     "notInICloud(9|||9 MB|||)",
                     {"remoteUnseen", "onlyHere!", "photos"}});
    cases.push_back({"a remote record and a drive not chosen",
                     sentAway(result({folder("Docs", {{Place::onlyHere, 9}}, 0)}), hours{3}, true),
                     "nothingChanged(0||||today at 12:12||)",
                     {"remoteBackup", "driveNotChosen", "photos"}});
    cases.push_back({"a drive's backup older than the remote record",
                     sentAway(result({folder("Docs", {{Place::onlyHere, 9}}, 0)}, drive(days{8})), hours{3}),
                     "nothingChanged(0||||today at 12:12||)",
                     {"remoteBackup", "photos"}});

    const Guide guide = echoGuide();
    for (const Case& c : cases) {
        const Report report(c.result, guide, c.waitingSince, utc);
        EXPECT_EQ(filled(report.answer), c.answer) << c.what;
        EXPECT_EQ(ids(report), c.findings) << c.what;
    }
}

TEST(Report, FindingsCarryTheirFilledTextsAndButtons)
{
    CheckResult r = result({folder("A", {{Place::onlyHere, 5}}), folder("B", {}), folder("C", {{Place::onlyHere, 9}}),
                            folder("D", {{Place::onlyHere, 5}, {Place::onlyICloud, 1234}})});
    r.unreadable = std::vector<std::string>{"Music", "Films", "Books"};
    const Report report(r, echoGuide(), std::nullopt, utc);
    ASSERT_GE(report.findings.size(), 3u);
    EXPECT_EQ(filled(report.findings[0].title), "cantOpen(3||Music, Films and Books||||)");
    EXPECT_EQ(report.findings[0].button, "Button");
    EXPECT_EQ(report.findings[0].opens, "opens-cantOpen");
    EXPECT_EQ(report.findings[2].id, "onlyHere");
    EXPECT_EQ(filled(report.findings[2].title), "onlyHere(19||C 9 \u00B7 A 5 \u00B7 D 5||||)");
    EXPECT_EQ(report.findings[2].line, "line of onlyHere");
    EXPECT_EQ(filled(report.findings[3].title), "onlyICloud(1,234|||1.23 GB|||)");

    const Report old(result({folder("Docs", {{Place::onlyHere, 1}}, 0)}, drive(days{8}, false, days{9})), echoGuide(),
                     std::nullopt, utc);
    EXPECT_EQ(filled(old.findings[0].title), "driveAway(0||||9 days ago||)");
    const Report noDrive(result({}, std::nullopt, {300, checkedAt - days{3}}), echoGuide(), std::nullopt, utc);
    EXPECT_EQ(filled(noDrive.findings[0].title), "driveNotChosen(0||||on Monday|its backup drive|)");
    CheckResult dejaDup = result({}, std::nullopt, {});
    dejaDup.backupSetups = std::vector<BackupSetup>{{"Back In Time", "/media/ada/Disk"},
                                                    {"Déjà Dup", {}, "9F3C", "Backup", {}, {}, checkedAt - days{2}}};
    EXPECT_EQ(filled(Report(dejaDup, echoGuide(), std::nullopt, utc).findings[0].title),
              "driveNotChosen(0||||on Tuesday|Backup|)");
    const Report format(result({folder("Docs", {{Place::onlyHere, 1}}, 0)}, drive(hours{1}, true, {}, "ExFAT")),
                        echoGuide(), std::nullopt, utc);
    EXPECT_EQ(filled(format.findings[0].title), "cantHoldTimeMachine(0|||||Backup|ExFAT)");
}

TEST(Report, ReadsWellWithTheShippedGuide)
{
    const Report report(result({folder("Docs", {{Place::onlyHere, 3}, {Place::onlyICloud, 2}})}), Guide::shared(),
                        std::nullopt, utc);
    EXPECT_EQ(report.answer, "3 files (3 MB) have no second copy: they live only on this computer, and nothing backs "
                             "them up. 2 more live only in iCloud.");
    EXPECT_EQ(report.findings[1].title, "3 files live only on this computer");
    EXPECT_EQ(report.findings[1].line, "They are in Docs 3. If this computer were lost or broken, they would be gone.");

    const Report fat(result({folder("Docs", {{Place::onlyHere, 1}}, 0)},
                            drive(hours{1}, true, {}, "MS-DOS (FAT32)", false, "Back In Time")),
                     Guide::shared(), std::nullopt, utc);
    EXPECT_EQ(fat.findings[0].title, "Backup can\u2019t hold backups from Back In Time");
    EXPECT_EQ(fat.findings[0].line,
              "It is formatted as MS-DOS (FAT32), and Back In Time needs a file system with hard links "
              "and Unix permissions, such as ext4, Btrfs or XFS. Reformatting erases the drive, so "
              "copy anything you need from it first.");
    const Report plain(result({folder("Docs", {{Place::onlyHere, 1}})}, drive(std::nullopt, true, {}, "ext4", false)),
                       Guide::shared(), std::nullopt, utc);
    EXPECT_EQ(plain.findings[1].line,
              "Anyone who picks it up can read the backups your backup tool keeps there. Encrypt "
              "the drive, or choose a backup tool that encrypts, to keep them private.");
    CheckResult both = result({folder("Docs", {{Place::onlyHere, 1}}, 0), folder("Music", {})},
                              drive(hours{1}, true, {}, "Btrfs", true, "Timeshift"));
    both.onBackupDisk = std::vector<std::string>{"Docs", "Music"};
    const Report sameDisk(both, Guide::shared(), std::nullopt, utc);
    EXPECT_EQ(sameDisk.findings[0].title, "Your backups are on the same disk as your files");
    EXPECT_EQ(sameDisk.findings[0].line,
              "The backups of Docs and Music that Timeshift keeps are on the disk they copy. They "
              "help if you delete a file, but not if the disk fails or the computer is lost. Keep "
              "a backup on another drive as well.");

    CheckResult wrongClock = result({folder("Docs", {{Place::onlyHere, 9}}, 0)}, drive(days{400}));
    wrongClock.drive->backups.push_back({Instant{sys_days{2099y / December / 31} + 23h + 59min}});
    const Report future(wrongClock, Guide::shared(), std::nullopt, utc);
    EXPECT_EQ(future.answer, "Nothing has changed since your last backup, on 22 October 2025: every file on this "
                             "computer has a second copy.");
    EXPECT_EQ(future.findings[0].line,
              "The newest backup on Backup is dated 31 December 2099, in the future: check the "
              "clock. Until the dates make sense, Brindle doesn’t count that backup as a "
              "second copy of anything.");

    const Report backedUp(result({folder("Docs", {{Place::onlyHere, 9}}, 1)}, drive(days{1})), Guide::shared(),
                          std::nullopt, utc);
    EXPECT_EQ(backedUp.answer,
              "1 file has changed since your last backup, yesterday at 15:12, so it has no second copy yet.");
}

// The photo finding tells the catalogue found and where it lies, and nothing false without one.
// The finding names what the tool leaves out inside a folder it takes, with the tool, in the
// words the command line's set-up line uses.
TEST(Report, NamesWhatTheToolLeavesOutInsideAFolder)
{
    struct LeftOutCase {
        std::optional<std::vector<std::string>> wholly, inside;
        std::string title;
    };
    const std::vector<LeftOutCase> cases{
        {std::vector<std::string>{"Pictures"}, std::nullopt, "Your backups leave out Pictures"},
        {std::nullopt, std::vector<std::string>{"/home/ada/Docs/Cache"}, "Back In Time leaves out Docs/Cache"},
        {std::nullopt, std::vector<std::string>{"*.iso", "*~"},
         "Back In Time leaves out every .iso file and every \u201c*~\u201d"},
        {std::vector<std::string>{"Pictures"}, std::vector<std::string>{"/home/ada/Docs/Cache", "*.iso"},
         "Back In Time leaves out Docs/Cache, Pictures and every .iso file"},
        // Not inside a checked folder: nothing to name.
        {std::nullopt, std::vector<std::string>{"/home/ada/Music/Cache"}, ""},
    };
    for (const LeftOutCase& test : cases) {
        CheckResult checked = result({folder("Docs", {{Place::onlyHere, 2}}, 2), folder("Pictures", {})},
                                     drive(hours{1}, true, {}, "ext4", true, "Back In Time"));
        checked.leftOut = test.wholly;
        checked.leftOutInside = test.inside;
        const Report report(checked, Guide::shared(), std::nullopt, utc);
        const auto found = std::find_if(report.findings.begin(), report.findings.end(),
                                        [](const Finding& finding) { return finding.id.starts_with("leftOut"); });
        EXPECT_EQ(found == report.findings.end() ? "" : found->title, test.title);
    }
    CheckResult inside =
        result({folder("Docs", {{Place::onlyHere, 2}}, 2)}, drive(hours{1}, true, {}, "ext4", true, "Back In Time"));
    inside.leftOutInside = std::vector<std::string>{"/home/ada/Docs/Cache/**"};
    EXPECT_EQ(Report(inside, Guide::shared(), std::nullopt, utc).findings[1].line,
              "Back In Time doesn\u2019t copy these, so every such file that lives only on this computer has no "
              "second copy, however recently it changed. Change what Back In Time leaves out to back them up.");
}

TEST(Report, PhotosFindingTellsWhereTheCatalogueLives)
{
    struct Row {
        const char* what;
        std::optional<PhotoCatalogue> catalogue;
        std::string id;
        std::string line;
    };
    const std::vector<Row> rows{
        {"none found", std::nullopt, "photos",
         "Brindle counts the pictures in the folders you chose, wherever they lie. It found no photo manager’s "
         "catalogue of albums and tags. If you use one, make sure your backup takes its catalogue too."},
        {"outside every folder", PhotoCatalogue{"Shotwell", "/home/ada/.local/share/shotwell/data/photo.db"},
         "photoCatalogue",
         "Brindle counts your photos where they lie in your folders. Shotwell keeps its catalogue of albums, tags "
         "and edits in /home/ada/.local/share/shotwell/data, which isn’t counted in any folder you chose, so your "
         "albums and edits have no second copy through them. Make sure your backup takes the catalogue too."},
        {"on a server", PhotoCatalogue{"digiKam", ""}, "photoCatalogue",
         "Brindle counts your photos where they lie in your folders. digiKam keeps its catalogue of albums, tags "
         "and edits on a database server, which isn’t counted in any folder you chose, so your albums and edits "
         "have no second copy through them. Make sure your backup takes the catalogue too."},
        {"inside a folder", PhotoCatalogue{"digiKam", "/home/ada/Pictures/digikam4.db", "Pictures"},
         "photoCatalogueKept",
         "Brindle counts your photos where they lie in your folders. digiKam keeps its catalogue of albums, tags "
         "and edits in /home/ada/Pictures, inside Pictures, so Brindle counts it with your other files."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CheckResult checked = result({folder("Pictures", {{Place::onlyHere, 3}})});
        checked.photoCatalogue = row.catalogue;
        checked.cloudClient = "Nextcloud";
        const Report report(checked, Guide::shared(), std::nullopt, utc);
        EXPECT_EQ(report.findings.back().id, row.id);
        EXPECT_EQ(report.findings.back().line, row.line);
        EXPECT_EQ(report.findings.back().opens, "photosGuide");
    }
}

// Pika Backup to BorgBase, its last run recorded as completed: the answer takes the run's start
// as the cut-off, and the finding says whose word it is.
TEST(Report, ABackupSentOverTheNetworkIsTheToolsWord)
{
    const Instant checked{sys_days{2026y / December / 10} + 9h};
    BackupSetup pika{"Pika Backup", "ssh://k3x@k3x.repo.borgbase.com/./repo"};
    pika.included = std::vector<std::string>{"/home/ada/Documents"};
    pika.lastStarted = Instant{sys_days{2026y / December / 7} + 21h + 40min};
    pika.lastBackup = Instant{sys_days{2026y / December / 7} + 22h};
    FolderTally documents = folder("Documents", {{Place::onlyHere, 3}}, 1);
    CheckResult r(checked, 1.0, {documents}, std::nullopt, {}, false);
    r.backupSetups = std::vector<BackupSetup>{pika};
    const Report report(r, Guide::shared(), std::nullopt, utc);
    EXPECT_EQ(report.answer, "1 file has changed since your last backup, on Monday, so it has no second copy yet.");
    ASSERT_FALSE(report.findings.empty());
    EXPECT_EQ(report.findings[0].title, "Pika Backup backs up over the network");
    EXPECT_EQ(report.findings[0].line,
              "Pika Backup backs up Documents to BorgBase (ssh); its last backup, on 7 December at 22:00, "
              "finished as Pika Backup recorded. Brindle can’t read that backup itself.");

    r.backupSetups->front().lastBackup.reset();
    const Report unseen(r, Guide::shared(), std::nullopt, utc);
    EXPECT_EQ(unseen.findings[0].line, "Pika Backup backs up to BorgBase (ssh), and Brindle can’t see backups "
                                       "sent over the network, so it can’t tell which files they hold.");
}

TEST(Report, TheDemonstrationsReadWell)
{
    const Report plain(Demo::noBackup(), Guide::shared(), std::nullopt, Calendar::utc());
    EXPECT_EQ(plain.answer, "2,469 files (12.2 GB) have no second copy: they live only on this computer, and nothing "
                            "backs them up. 731 more live only in iCloud.");
    const Report backedUp(Demo::withDrive(), Guide::shared(), std::nullopt, Calendar::utc());
    EXPECT_EQ(backedUp.answer, "12 files have changed since your last backup, today at 09:58, so they have no second "
                               "copy yet. 731 files live only in iCloud, where a backup of this computer can\u2019t "
                               "reach them.");
}

} // namespace
} // namespace brindle
