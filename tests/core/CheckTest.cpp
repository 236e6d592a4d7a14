// The core's check: folders opened once, problems as data, the observer's calls, and a stop
// that leaves a result marked as not to be kept.
#include "BrindleCore/Check.h"
#include "BrindleCore/Drive.h"
#include "tests/support/TestTree.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <mutex>
#include <tuple>

namespace brindle {
namespace {

using test::Node;
using test::TestTree;

class Recorder final : public CheckObserver {
public:
    void folderStarted(std::size_t index, const std::string& name) override
    {
        events.push_back("start " + std::to_string(index) + " " + name);
    }
    void filesSeen(std::int64_t files) override
    {
        const std::lock_guard guard(lock_);
        counts.push_back(files);
        if (stopAt && files >= *stopAt)
            stop.request_stop();
    }
    void folderFinished(std::size_t index, const FolderTally& tally) override
    {
        events.push_back("end " + std::to_string(index) + " " + std::to_string(tally.files));
    }

    std::vector<std::string> events;
    std::vector<std::int64_t> counts;
    std::optional<std::int64_t> stopAt;
    std::stop_source stop;

private:
    std::mutex lock_;
};

CheckRequest requestFor(const TestTree& tree, std::vector<CheckFolder> folders, int workers)
{
    CheckRequest request;
    request.folders = std::move(folders);
    request.now = Instant{tree.now()};
    request.workers = workers;
    request.clock = [] { return Instant{}; };
    return request;
}

class CheckWorkers : public ::testing::TestWithParam<int> {};
INSTANTIATE_TEST_SUITE_P(OneAndFour, CheckWorkers, ::testing::Values(1, 4));

TEST_P(CheckWorkers, ScansWhatOpensAndNamesWhatDoesNot)
{
    const TestTree tree{{{"A/x/1", Node::file(1)}, {"A/2", Node::file(1)}, {"B/y/z/3", Node::file(1)}}};
    Recorder recorder;
    const CheckOutcome outcome = Check::run(
        requestFor(tree, {{"A", tree.path("A")}, {"Gone", tree.path("gone")}, {"B", tree.path("B")}}, GetParam()),
        recorder);

    EXPECT_FALSE(outcome.stopped);
    ASSERT_EQ(outcome.result.folders.size(), 2u);
    EXPECT_EQ(outcome.result.folders[1].name, "B");
    EXPECT_EQ(outcome.result.unreadable, std::vector<std::string>{"Gone"});
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems[0].openError, ENOENT);
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"start 0 A", "end 0 2", "start 2 B", "end 2 1"}));
    EXPECT_TRUE(std::is_sorted(recorder.counts.begin(), recorder.counts.end()));
    EXPECT_EQ(recorder.counts.back(), 3) << "counts run on across folders";
}

TEST_P(CheckWorkers, AStopEndsTheCheckAndMarksItsResult)
{
    std::vector<std::pair<std::string, Node>> nodes;
    for (int i = 0; i < 5000; ++i)
        nodes.push_back({"A/d" + std::to_string(i % 500) + "/f" + std::to_string(i), Node::file(1)});
    nodes.push_back({"B/f", Node::file(1)});
    const TestTree tree(nodes);
    Recorder recorder;
    recorder.stopAt = 1;
    const CheckOutcome outcome =
        Check::run(requestFor(tree, {{"A", tree.path("A")}, {"B", tree.path("B")}}, GetParam()), recorder,
                   recorder.stop.get_token());
    EXPECT_TRUE(outcome.stopped);
    EXPECT_LT(outcome.result.total().files, 5001);
    EXPECT_EQ(std::count(recorder.events.begin(), recorder.events.end(), "start 1 B"), 0);
}

// A folder that the tool of the newest backup does not take has no backup date: each of its
// files only here counts as changed since the backup, and the result names it.
TEST(Check, FoldersTheBackupsLeaveOutCountAsChangedSinceTheBackup)
{
    const TestTree tree{{{"Documents/a", Node::file(1)}, {"Pictures/b", Node::file(1)}, {"Pictures/c", Node::file(1)}}};
    CheckRequest request =
        requestFor(tree, {{"Documents", tree.path("Documents")}, {"Pictures", tree.path("Pictures")}}, 1);
    // Begun after every file changed: only what the backups leave out counts as changed.
    const Instant backup = Instant{tree.now()} + std::chrono::hours{1};
    request.drives = {DriveState{{"Backup", "ext4"}, true, {Backup{backup, backup, {}, {}, "Back In Time"}}}};
    BackupSetup documentsOnly{"Back In Time", "/media/Backup"};
    documentsOnly.included = std::vector<std::string>{tree.path("Documents")};
    const std::vector<std::tuple<std::vector<BackupSetup>, std::int64_t, std::optional<std::vector<std::string>>>>
        cases{
            {{documentsOnly}, 2, std::vector<std::string>{"Pictures"}},
            {{BackupSetup{"Vorta", "/media/Backup/borg", {}, {}, std::vector<std::string>{}}},
             0,
             std::nullopt}, // not its backups
            {{}, 0, std::nullopt},
        };
    for (const auto& [setups, changed, leftOut] : cases) {
        request.setups = setups;
        Recorder recorder;
        const CheckResult result = Check::run(request, recorder).result;
        EXPECT_EQ(result.total().changedSinceBackup, changed);
        EXPECT_EQ(result.leftOut, leftOut);
        EXPECT_EQ(result.backupSetups, setups);
    }
}

// A clock set wrong dates a backup in the future; such a backup covers no change at all.
TEST(Check, ABackupDatedInTheFutureCoversNoChange)
{
    const TestTree tree{{{"Docs/a", Node::file(1)}, {"Docs/b", Node::file(1).modifiedAgo(std::chrono::days{30})}}};
    CheckRequest request = requestFor(tree, {{"Docs", tree.path("Docs")}}, 1);
    const Instant now = request.now;
    const Instant in2099{std::chrono::sys_days{std::chrono::year{2099} / 12 / 31} + std::chrono::hours{23}};
    const auto backup = [](Instant date) { return Backup{date, {}, {}, {}, "Back In Time"}; };
    const std::vector<std::pair<std::vector<Backup>, std::int64_t>> cases{
        {{backup(in2099)}, 2},
        {{backup(now + std::chrono::hours{2})}, 2},
        {{backup(now + std::chrono::minutes{30})}, 0}, // within the allowance for clocks that differ
        {{backup(now + std::chrono::minutes{30}), backup(in2099)}, 0},
    };
    for (const auto& [backups, changed] : cases) {
        request.drives = {DriveState{{"Backup", "ext4"}, true, backups}};
        Recorder recorder;
        EXPECT_EQ(Check::run(request, recorder).result.total().changedSinceBackup, changed) << backups.size();
    }
}

} // namespace
} // namespace brindle

namespace brindle {
namespace {

// Every file here changed before the backup began, so only what the tool leaves out inside
// the folder counts as changed: the folder Cache (walked once, by one worker) and *.iso.
TEST_P(CheckWorkers, WhatTheToolLeavesOutInsideAFolderHasNoSecondCopy)
{
    const TestTree tree{{{"Documents/a.txt", Node::file(1)},
                         {"Documents/Cache/b.tmp", Node::file(1)},
                         {"Documents/Cache/deep/c.tmp", Node::file(1)},
                         {"Documents/disc.iso", Node::file(1)},
                         {"Documents/Work/report.iso.txt", Node::file(1)},
                         {"Documents/Work/other.iso", Node::file(1)}}};
    CheckRequest request = requestFor(tree, {{"Documents", tree.path("Documents")}}, GetParam());
    const Instant backup = Instant{tree.now()} + std::chrono::hours{1};
    request.drives = {DriveState{{"Backup", "ext4"}, true, {Backup{backup, backup, {}, {}, "Back In Time"}}}};
    BackupSetup profile{"Back In Time", "/media/Backup"};
    profile.included = std::vector<std::string>{tree.path("Documents")};
    profile.excluded = {tree.path("Documents/Cache"), "*.iso"};
    BackupSetup otherProfile = profile;
    otherProfile.excluded = {"*.iso"};
    using Rules = std::optional<std::vector<std::string>>;
    const std::vector<std::tuple<std::vector<BackupSetup>, std::int64_t, Rules>> cases{
        {{profile}, 4, std::vector<std::string>{tree.path("Documents/Cache"), "*.iso"}},
        {{profile, otherProfile}, 2, std::vector<std::string>{"*.iso"}}, // what the other profile takes is backed up
        {{}, 0, std::nullopt},
    };
    for (const auto& [setups, changed, leftOutInside] : cases) {
        request.setups = setups;
        Recorder recorder;
        const CheckResult result = Check::run(request, recorder).result;
        EXPECT_EQ(result.total().files, 6);
        EXPECT_EQ(result.total().changedSinceBackup, changed) << setups.size() << " set-ups";
        EXPECT_EQ(result.leftOutInside, leftOutInside) << setups.size() << " set-ups";
    }
}

} // namespace
} // namespace brindle

namespace brindle {
namespace {

TEST(Check, ASetUpThatBacksUpToAnotherDriveCoversNothingOnThisOne)
{
    const TestTree tree{{{"Documents/a", Node::file(1)}, {"Pictures/b", Node::file(1)}, {"drive", Node::directory()}}};
    CheckRequest request =
        requestFor(tree, {{"Documents", tree.path("Documents")}, {"Pictures", tree.path("Pictures")}}, 1);
    const Instant backup = Instant{tree.now()} + std::chrono::hours{1};
    DriveState drive{{"Backup", "ext4"}, true, {Backup{backup, backup, {}, {}, "Back In Time"}}};
    drive.fileSystem = Drive::fileSystemId(tree.path("drive"));
    request.drives = {drive};
    BackupSetup here{"Back In Time", tree.path("drive")}, elsewhere{"Back In Time", "/proc/self"},
        overSsh{"Back In Time", "ssh://nas/srv/backintime"};
    here.included = std::vector<std::string>{tree.path("Documents")};
    elsewhere.included = overSsh.included = std::vector<std::string>{tree.path("Pictures")};
    request.setups = {{here, elsewhere, overSsh}};
    Recorder recorder;
    EXPECT_EQ(Check::run(request, recorder).result.leftOut, std::vector<std::string>{"Pictures"});
}

} // namespace
} // namespace brindle

namespace brindle {
namespace {

TEST(Check, AnRsnapshotRunItsLogDoesNotCallCompletedIsNoBackup)
{
    const TestTree tree{{{"Documents/a", Node::file(1)}, {"drive", Node::directory()}}};
    CheckRequest request = requestFor(tree, {{"Documents", tree.path("Documents")}}, 1);
    const Instant now{tree.now()}, completed = now - std::chrono::hours{2}, unfinished = now - std::chrono::minutes{10};
    DriveState drive{{"Backup", "ext4"}, true, {}};
    drive.backups = {Backup{completed, {}, {}, {}, "rsnapshot"}, Backup{unfinished, {}, {}, {}, "rsnapshot"}};
    drive.fileSystem = Drive::fileSystemId(tree.path("drive"));
    request.drives = {drive};
    BackupSetup setup{"rsnapshot", tree.path("drive/snapshots")};
    setup.lastBackup = completed;
    for (const auto& [setups, newest] :
         std::vector<std::pair<std::vector<BackupSetup>, Instant>>{{{}, unfinished}, {{setup}, completed}}) {
        request.setups = setups;
        Recorder recorder;
        EXPECT_EQ(Check::run(request, recorder).result.drive->lastBackup(), newest) << setups.size();
    }
}

// A set-up that backs up over the network stands in for a drive with its tool's record, folder
// by folder: the newer of the record and the drive's backup counts, and what the record does
// not take still needs the drive.
TEST(Check, ARemoteRecordCountsForTheFoldersItTakesWhereItIsNewer)
{
    using std::chrono::minutes;
    // Every file changed as the tree was made: a cut-off before that leaves each changed, one
    // after it (within the clocks' allowance) none.
    const TestTree tree{
        {{"Documents/a", Node::file(1)}, {"Documents/b", Node::file(1)}, {"Pictures/c", Node::file(1)}}};
    const Instant now{tree.now()};
    BackupSetup pika{"Pika Backup", "ssh://u@u.repo.borgbase.com/./repo"};
    pika.included = std::vector<std::string>{tree.path("Documents")};
    const auto recorded = [&](int minutesOn) {
        BackupSetup setup = pika;
        setup.lastStarted = now + minutes(minutesOn);
        setup.lastBackup = *setup.lastStarted + minutes(5);
        return setup;
    };
    const auto driveBackedUp = [&](int minutesOn) {
        const Instant at = now + minutes(minutesOn);
        return DriveState{{"Backup", "ext4"}, true, {Backup{at, at, {}, {}, "Back In Time"}}};
    };
    struct Case {
        const char* what;
        std::vector<BackupSetup> setups;
        std::vector<DriveState> drives;
        std::int64_t changed;
        std::optional<std::vector<std::string>> leftOut;
    };
    const std::vector<Case> cases{
        {"record only: what it does not take is left out",
         {recorded(30)},
         {},
         0 + 1,
         std::vector<std::string>{"Pictures"}},
        {"record newer than the drive, which takes Pictures",
         {recorded(40)},
         {driveBackedUp(-120)},
         0 + 1,
         std::nullopt},
        {"drive newer than the record", {recorded(-120)}, {driveBackedUp(40)}, 0 + 0, std::nullopt},
        {"record older than every change", {recorded(-120)}, {}, 2 + 1, std::vector<std::string>{"Pictures"}},
        {"a run that never completed", {pika}, {}, 0, std::nullopt},
        {"a record dated in the future", {recorded(48 * 60)}, {}, 0, std::nullopt},
    };
    for (const Case& test : cases) {
        CheckRequest request =
            requestFor(tree, {{"Documents", tree.path("Documents")}, {"Pictures", tree.path("Pictures")}}, 1);
        request.setups = test.setups;
        request.drives = test.drives;
        Recorder recorder;
        const CheckResult result = Check::run(request, recorder).result;
        EXPECT_EQ(result.total().changedSinceBackup.value_or(0), test.changed) << test.what;
        EXPECT_EQ(result.leftOut, test.leftOut) << test.what;
    }
}

} // namespace
} // namespace brindle
