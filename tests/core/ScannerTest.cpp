// The scanner against real trees built in a temporary folder. Every tree-walking test runs
// with 1 and with 4 workers and must give the same answer.
#include "BrindleCore/Scanner.h"
#include "tests/support/TestTree.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <mutex>

namespace brindle {
namespace {

using test::Node;
using test::TestTree;
using namespace std::chrono_literals;
using std::chrono::days;

// Facts looked up by file name, for trees whose names are unique.
class FactsByName final : public ICloudFactsSource {
public:
    std::map<std::string, ICloudFacts, std::less<>> byName;
    bool folderInCloud = false;
    ICloudFacts facts(int, const char* name, const struct stat&) const override
    {
        const auto it = byName.find(std::string_view(name));
        return it == byName.end() ? ICloudFacts{} : it->second;
    }
    bool folderIsUbiquitous(const std::string&) const override { return folderInCloud; }
};

const ICloudFacts uploaded{true, DownloadingStatus::current, true, false, false};
const ICloudFacts notDownloaded{true, DownloadingStatus::notDownloaded, std::nullopt, std::nullopt, false};
const ICloudFacts uploading{true, DownloadingStatus::current, false, true, false};
const ICloudFacts silent{true, DownloadingStatus::current, std::nullopt, std::nullopt, false};

// The invariants every scanned tally keeps.
void expectConsistent(const FolderTally& tally)
{
    std::int64_t counted = 0, sized = 0, kinds = 0;
    tally.counts.forEach([&](Place place, std::int64_t n) { counted += place == Place::unknown ? 0 : n; });
    tally.sizes.forEach([&](Place, std::int64_t n) { sized += n; });
    tally.kinds.forEach([&](Kind, std::int64_t n) { kinds += n; });
    EXPECT_EQ(counted, tally.files);
    EXPECT_EQ(sized, tally.bytes);
    EXPECT_EQ(kinds, tally.files);
    EXPECT_FALSE(tally.sizes.contains(Place::unknown));
    if (tally.changedSinceBackup) {
        EXPECT_LE(*tally.changedSinceBackup, tally.count(Place::onlyHere));
    }
}

// Records what the scan reports, and whether two reports ever overlapped.
class RecordingObserver final : public CheckObserver {
public:
    void filesSeen(std::int64_t files) override
    {
        if (inside_.fetch_add(1) != 0)
            overlapped = true;
        {
            const std::lock_guard guard(lock_);
            reports.push_back(files);
        }
        inside_.fetch_sub(1);
    }
    bool increasing() const { return std::is_sorted(reports.begin(), reports.end()); }

    std::vector<std::int64_t> reports;
    std::atomic<bool> overlapped{false};

private:
    std::mutex lock_;
    std::atomic<int> inside_{0};
};

class ScannerWorkers : public ::testing::TestWithParam<int> {
protected:
    Scanner scanner(const TestTree& tree, std::optional<Instant> lastBackup = std::nullopt,
                    const ICloudFactsSource* facts = nullptr) const
    {
        return Scanner(Instant{tree.now()}, lastBackup, GetParam(), facts);
    }
};

INSTANTIATE_TEST_SUITE_P(OneAndFour, ScannerWorkers, ::testing::Values(1, 4),
                         [](const auto& param) { return "workers" + std::to_string(param.param); });

TEST_P(ScannerWorkers, CountsAMixedTreeByPlaceKindAndChange)
{
    const TestTree tree{{
        {"top.txt", Node::file(10).modifiedAgo(days(1))},
        {"Photos/a.JPG", Node::file(1000).modifiedAgo(days(30))},
        {"Photos/2024/b.heic", Node::file(2000).modifiedAgo(days(30))},
        {"Photos/2024/deep/er/c.png", Node::file(3000).modifiedAgo(days(8))},
        {"Music/song.flac", Node::file(400)},
        {"Music/backup.tar.gz", Node::file(50)},
        {"Docs/Report.pages/Index.xml", Node::file(70)},
        {"Docs/Report.pages/.hidden", Node::file(5)},
        {"Docs/Report.pages/Data/image.png", Node::file(25)},
        {"Docs/notes", Node::file(1).modifiedIn(days(3))},
        {"Docs/.secret.txt", Node::file(999)},
        {".config/settings.json", Node::file(999)},
        {"Cloud/synced.pdf", Node::file(300)},
        {"Cloud/away.mov", Node::file(600)},
        {"Cloud/sending.key", Node::file(40)},
        {"Cloud/mystery.zip", Node::file(7)},
        {"Empty", Node::directory()},
    }};
    FactsByName facts;
    facts.byName = {
        {"synced.pdf", uploaded}, {"away.mov", notDownloaded}, {"sending.key", uploading}, {"mystery.zip", silent}};

    RecordingObserver observer;
    const FolderTally tally = scanner(tree, std::nullopt, &facts)
                                  .scan(tree.root(), "Home", {.observer = &observer, .filesBefore = 100, .stop = {}});

    EXPECT_EQ(tally.name, "Home");
    EXPECT_EQ(tally.path, tree.root());
    EXPECT_EQ(tally.files, 11);
    EXPECT_EQ(tally.bytes, 10 + 1000 + 2000 + 3000 + 400 + 50 + 100 + 1 + 300 + 600 + 40);
    EXPECT_EQ(tally.count(Place::onlyHere), 8);
    EXPECT_EQ(tally.count(Place::both), 1);
    EXPECT_EQ(tally.count(Place::onlyICloud), 1);
    EXPECT_EQ(tally.count(Place::waiting), 1);
    EXPECT_EQ(tally.count(Place::unknown), 1);
    EXPECT_EQ(tally.size(Place::onlyICloud), 600);
    EXPECT_EQ(tally.kinds[Kind::pictures], 3);
    EXPECT_EQ(tally.kinds[Kind::audio], 1);
    EXPECT_EQ(tally.kinds[Kind::archives], 1);
    EXPECT_EQ(tally.kinds[Kind::documents], 4); // top.txt, Report.pages, synced.pdf, sending.key
    EXPECT_EQ(tally.kinds[Kind::videos], 1);
    EXPECT_EQ(tally.kinds[Kind::other], 1);
    // Files made now count as changed this week, as does the one dated in the future; the
    // package's own date is its directory's.
    EXPECT_EQ(tally.changedThisWeek, 11 - 3);
    EXPECT_FALSE(tally.changedSinceBackup);
    EXPECT_FALSE(tally.changedSinceBackupBytes);
    EXPECT_FALSE(tally.inICloud);
    expectConsistent(tally);

    // Counts follow the files seen earlier in the check, never go down, and end at the total.
    ASSERT_FALSE(observer.reports.empty());
    EXPECT_TRUE(observer.increasing());
    EXPECT_FALSE(observer.overlapped);
    EXPECT_EQ(observer.reports.back(), 100 + tally.files);
}

TEST_P(ScannerWorkers, EmptyAndUnlistableFoldersGiveNoFilesAndOneReport)
{
    const TestTree tree{{{"empty", Node::directory()}}};
    for (const std::string& path : {tree.path("empty"), tree.path("missing")}) {
        RecordingObserver observer;
        const FolderTally tally =
            scanner(tree).scan(path, std::nullopt, {.observer = &observer, .filesBefore = 0, .stop = {}});
        EXPECT_EQ(tally, FolderTally(path.substr(path.rfind('/') + 1), path)) << path;
        EXPECT_EQ(observer.reports, std::vector<std::int64_t>{0}) << path;
    }
}

TEST_P(ScannerWorkers, TopLevelFilesOnlyReportOnce)
{
    const TestTree tree{{{"a.txt", Node::file(1)}, {"b.txt", Node::file(2)}}};
    RecordingObserver observer;
    const FolderTally tally =
        scanner(tree).scan(tree.root(), std::nullopt, {.observer = &observer, .filesBefore = 0, .stop = {}});
    EXPECT_EQ(tally.files, 2);
    EXPECT_EQ(observer.reports, std::vector<std::int64_t>{2});
}

TEST_P(ScannerWorkers, MediaLibrariesContributeNothingAnywhere)
{
    const TestTree tree{{
        {"Photos Library.photoslibrary/database/photos.db", Node::file(500)},
        {"Pictures/Old.PhotoLibrary/a.jpg", Node::file(500)},
        {"Pictures/Music.musiclibrary/a.mp3", Node::file(500)},
        {"Pictures/kept.jpg", Node::file(5)},
    }};
    const FolderTally tally = scanner(tree).scan(tree.root());
    EXPECT_EQ(tally.files, 1);
    EXPECT_EQ(tally.bytes, 5);
}

TEST_P(ScannerWorkers, PackagesAreOneFileSizedByTheirRegularFiles)
{
    const TestTree tree{{
        {"Song.logicx/Alternatives/000/Project", Node::file(300)},
        {"Song.logicx/.hidden", Node::file(7)},
        {"Song.logicx/Nested.bundle/inner.txt", Node::file(3)},
        {"Song.logicx/link", Node::symlink("/etc/passwd")},
        {"Work/Letter.RTFD/TXT.rtf", Node::file(20)},
    }};
    const FolderTally tally = scanner(tree).scan(tree.root());
    EXPECT_EQ(tally.files, 2);
    EXPECT_EQ(tally.bytes, 310 + 20);
    EXPECT_EQ(tally.kinds[Kind::audio], 1);
    EXPECT_EQ(tally.kinds[Kind::other], 1); // rtfd is a package but not a known kind
    EXPECT_EQ(Scanner::packageSize(tree.path("Song.logicx")), 310);
    const FolderTally work = scanner(tree).walk(tree.path("Work"));
    EXPECT_EQ(work.files, 1);
    EXPECT_EQ(work.name, "");
    EXPECT_EQ(work.path, "");
    EXPECT_EQ(Scanner::packageSize(tree.path("no such package")), 0);
}

TEST_P(ScannerWorkers, ChangedThisWeekIsInclusiveAtExactlySevenDays)
{
    const TestTree tree{{
        {"edge/exactly", Node::file().modifiedAgo(std::chrono::seconds(secondsPerWeek))},
        {"edge/second-before", Node::file().modifiedAgo(std::chrono::seconds(secondsPerWeek + 1))},
        {"edge/future", Node::file().modifiedIn(1h)},
        {"at-top-exactly", Node::file().modifiedAgo(std::chrono::seconds(secondsPerWeek))},
    }};
    EXPECT_EQ(scanner(tree).scan(tree.root()).changedThisWeek, 3);
}

TEST_P(ScannerWorkers, ChangedSinceBackupUsesTheLaterOfModificationAndStatusChange)
{
    // Every file here had its status changed when the tree was made, after a backup an hour
    // ago, even when its modification date is older: a file moved in after the backup.
    const TestTree tree{{
        {"old-but-moved-in.txt", Node::file(10).modifiedAgo(days(100))},
        {"sub/new.txt", Node::file(20)},
        {"sub/in-cloud.txt", Node::file(40)},
        {"sub/only-cloud.txt", Node::file(80)},
    }};
    FactsByName facts;
    facts.byName = {{"in-cloud.txt", uploaded}, {"only-cloud.txt", notDownloaded}};

    const FolderTally before = scanner(tree, Instant{tree.now() - 1h}, &facts).scan(tree.root());
    EXPECT_EQ(before.changedSinceBackup, 2);
    EXPECT_EQ(before.changedSinceBackupBytes, 30);
    EXPECT_EQ(before.noSecondCopyWithBackup(), 3);
    expectConsistent(before);

    // A backup that began after everything changed: nothing is newer, but the figures exist.
    const FolderTally after = scanner(tree, Instant{tree.now() + 1h}, &facts).scan(tree.root());
    EXPECT_EQ(after.changedSinceBackup, 0);
    EXPECT_EQ(after.changedSinceBackupBytes, 0);
    EXPECT_EQ(after.noSecondCopyWithBackup(), 1);
}

TEST_P(ScannerWorkers, DatalessFilesAreOnlyInTheCloudAndTheirStatusChangeIsIgnored)
{
    const TestTree tree{{{"sub/placeholder.txt", Node::file(9).modifiedAgo(days(100))}}};
    FactsByName facts;
    facts.byName = {{"placeholder.txt", ICloudFacts{std::nullopt, std::nullopt, std::nullopt, std::nullopt, true}}};
    facts.folderInCloud = true;
    const FolderTally tally = scanner(tree, Instant{tree.now() - 1h}, &facts).scan(tree.root());
    EXPECT_EQ(tally.count(Place::onlyICloud), 1);
    EXPECT_EQ(tally.changedSinceBackup, 0);
    EXPECT_TRUE(tally.inICloud);
}

TEST_P(ScannerWorkers, LinksAndLoopsAreCountedButNeverFollowedAndSpecialFilesAreNotFiles)
{
    const TestTree tree{{
        {"dir/file.txt", Node::file(100)},
        {"dir/up", Node::symlink("..")},
        {"dir/self", Node::symlink("self")},
        {"to-dir", Node::symlink("dir")},
        {"dangling", Node::symlink("nowhere")},
        {"pipe", Node::fifo()},
        {"dir/pipe", Node::fifo()},
    }};
    // A socket, and a device node where this user may make one.
    const std::string socketPath = tree.path("dir/socket");
    const int listening = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::copy(socketPath.begin(), socketPath.end(), address.sun_path);
    ASSERT_EQ(::bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::mknod(tree.path("null").c_str(), S_IFCHR | 0600, ::makedev(1, 3));
    const FolderTally tally = scanner(tree).scan(tree.root());
    ::close(listening);
    EXPECT_EQ(tally.files, 5);
    EXPECT_EQ(tally.bytes, 100 + 2 + 4 + 3 + 7);
    expectConsistent(tally);
}

TEST_P(ScannerWorkers, EntriesThatVanishDuringTheWalkArePassedOver)
{
    // The first file examined removes its siblings, which are then listed but gone.
    const TestTree tree{{
        {"sub/a", Node::file(1)},
        {"sub/b", Node::file(1)},
        {"sub/c", Node::file(1)},
        {"sub/d", Node::file(1)},
    }};
    class Vandal final : public ICloudFactsSource {
    public:
        explicit Vandal(std::string folder) : folder_(std::move(folder)) {}
        ICloudFacts facts(int, const char* name, const struct stat&) const override
        {
            std::call_once(once_, [&] {
                for (const char* sibling : {"a", "b", "c", "d"})
                    if (std::string_view(sibling) != name)
                        ::unlink((folder_ + "/" + sibling).c_str());
            });
            return {};
        }
        bool folderIsUbiquitous(const std::string&) const override { return false; }

    private:
        std::string folder_;
        mutable std::once_flag once_;
    } vandal(tree.path("sub"));
    const FolderTally tally = scanner(tree, std::nullopt, &vandal).scan(tree.root());
    EXPECT_EQ(tally.files, 1);
}

TEST_P(ScannerWorkers, NamesThatAreNotUtf8AreCounted)
{
    const TestTree tree{{
        {"bad\xff\xfe name.jpg", Node::file(1)},
        {"line\nbreak/inside\n.txt", Node::file(2)},
        {"\xc3\x28.pdf", Node::file(3)},
    }};
    const FolderTally tally = scanner(tree).scan(tree.root(), "na\xffme");
    EXPECT_EQ(tally.files, 3);
    EXPECT_EQ(tally.kinds[Kind::pictures], 1);
    EXPECT_EQ(tally.kinds[Kind::documents], 2);
    // The stored form stays valid JSON and reads back.
    const auto parsed = parseJson(dumpJson(encode(tally)));
    ASSERT_FALSE(parsed.is_discarded());
    const auto decoded = decodeFolderTally(parsed);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->files, 3);
    EXPECT_EQ(decoded->name, "na\xEF\xBF\xBDme");
}

TEST_P(ScannerWorkers, WalksTreesDeeperThanPathMax)
{
    const TestTree tree;
    // 40 levels of 150-character names: about 6,000 bytes of path, beyond PATH_MAX (4,096).
    const std::string component(150, 'd');
    int fd = ::open(tree.root().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::mkdirat(fd, "top", 0755), 0);
    int level = ::openat(fd, "top", O_RDONLY | O_DIRECTORY);
    ::close(fd);
    for (int depth = 0; depth < 40; ++depth) {
        ASSERT_EQ(::mkdirat(level, component.c_str(), 0755), 0);
        const int next = ::openat(level, component.c_str(), O_RDONLY | O_DIRECTORY);
        const int file = ::openat(level, "file.txt", O_WRONLY | O_CREAT, 0644);
        ::close(file);
        ::close(level);
        level = next;
        ASSERT_GE(level, 0);
    }
    ::close(::openat(level, "deepest.txt", O_WRONLY | O_CREAT, 0644));
    ::close(level);

    EXPECT_EQ(scanner(tree).scan(tree.root()).files, 41);
}

TEST_P(ScannerWorkers, CountsADirectoryOfAHundredThousandEntries)
{
    const TestTree tree{{{"wide", Node::directory()}}};
    const int fd = ::open(tree.path("wide").c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    constexpr int entries = 100'000;
    for (int i = 0; i < entries; ++i) {
        const std::string name = "file-" + std::to_string(i) + (i % 2 ? ".jpg" : ".txt");
        const int file = ::openat(fd, name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        ASSERT_GE(file, 0);
        ::close(file);
    }
    ::close(fd);
    const FolderTally tally = scanner(tree).scan(tree.root());
    EXPECT_EQ(tally.files, entries);
    EXPECT_EQ(tally.kinds[Kind::pictures], entries / 2);
}

// Lopsided (nearly everything in one top-level subfolder), deep and wide trees give the same
// tally at every worker count, however the work was shared out.
TEST(Scanner, GivesTheSameTallyWhateverTheWorkerCountAndShape)
{
    const auto file = [](int i) { return Node::file(i).modifiedAgo(days(i % 10)); };
    const auto name = [](int i) { return "f" + std::to_string(i) + (i % 4 ? ".png" : ".doc"); };
    std::vector<std::pair<std::string, std::vector<std::pair<std::string, Node>>>> shapes(3);
    shapes[0].first = "lopsided";
    for (int i = 0; i < 1900; ++i)
        shapes[0].second.push_back(
            {"big/d" + std::to_string(i % 37) + "/e" + std::to_string(i % 5) + "/" + name(i), file(i)});
    for (int i = 0; i < 100; ++i)
        shapes[0].second.push_back({"small" + std::to_string(i % 4) + "/" + name(i), file(i)});
    shapes[1].first = "deep";
    std::string path = "deep";
    for (int depth = 0; depth < 200; ++depth) {
        path += "/d";
        shapes[1].second.push_back({path + "/" + name(depth), file(depth)});
        shapes[1].second.push_back({path + "x/" + name(depth + 1), file(depth)});
    }
    shapes[2].first = "wide";
    for (int i = 0; i < 600; ++i)
        shapes[2].second.push_back({"t" + std::to_string(i % 150) + "/" + name(i), file(i)});

    for (const auto& [shape, nodes] : shapes) {
        const TestTree tree(nodes);
        const Instant backup{tree.now() - days(2)};
        const FolderTally expected = Scanner(Instant{tree.now()}, backup, 1).scan(tree.root());
        EXPECT_EQ(expected.files, static_cast<std::int64_t>(nodes.size())) << shape;
        expectConsistent(expected);
        for (const int workers : {2, 4, 16})
            EXPECT_EQ(Scanner(Instant{tree.now()}, backup, workers).scan(tree.root()), expected)
                << shape << " at " << workers;
    }
}

// Directories moved, made and removed while the tree is walked: no crash, and a file that
// stays where it is is counted once.
TEST(Scanner, ATreeChangingUnderTheWalkCountsWhatStaysPutOnce)
{
    std::vector<std::pair<std::string, Node>> nodes;
    for (int i = 0; i < 400; ++i)
        nodes.push_back({"big/d" + std::to_string(i % 40) + "/f" + std::to_string(i), Node::file(1)});
    nodes.push_back({"big/stay/keeper.txt", Node::file(1)});
    const TestTree tree(nodes);
    class Mover final : public ICloudFactsSource {
    public:
        explicit Mover(const TestTree& tree) : tree_(tree) {}
        ICloudFacts facts(int, const char* name, const struct stat&) const override
        {
            if (std::string_view(name) == "keeper.txt")
                keeperSeen.fetch_add(1);
            const int n = calls_.fetch_add(1);
            if (n % 10 == 0 && n < 400) {
                const std::string from = tree_.path("big/d" + std::to_string(n / 10));
                ::rename(from.c_str(), (from + "-moved").c_str());
                ::mkdir(tree_.path("big/new" + std::to_string(n)).c_str(), 0755);
                test::removeTree(tree_.path("big/d" + std::to_string(39 - n / 10) + "-moved"));
            }
            return {};
        }
        bool folderIsUbiquitous(const std::string&) const override { return false; }
        mutable std::atomic<int> keeperSeen{0};

    private:
        const TestTree& tree_;
        mutable std::atomic<int> calls_{0};
    };
    for (const int workers : {1, 4}) {
        Mover mover(tree);
        const FolderTally tally = Scanner(Instant{tree.now()}, std::nullopt, workers, &mover).scan(tree.root());
        EXPECT_EQ(mover.keeperSeen.load(), 1) << workers;
        EXPECT_LE(tally.files, 401) << workers;
        expectConsistent(tally);
    }
}

// A stop ends the walk early, from any thread, with whatever was counted by then.
TEST(Scanner, StopsWhenAsked)
{
    std::vector<std::pair<std::string, Node>> nodes;
    for (int i = 0; i < 3000; ++i)
        nodes.push_back({"big/d" + std::to_string(i % 300) + "/f" + std::to_string(i), Node::file(1)});
    const TestTree tree(nodes);
    class StopAfter final : public ICloudFactsSource {
    public:
        std::stop_source stop;
        ICloudFacts facts(int, const char*, const struct stat&) const override
        {
            if (seen_.fetch_add(1) == 100)
                stop.request_stop();
            return {};
        }
        bool folderIsUbiquitous(const std::string&) const override { return false; }

    private:
        mutable std::atomic<int> seen_{0};
    };
    for (const int workers : {1, 4}) {
        StopAfter source;
        const FolderTally tally = Scanner(Instant{tree.now()}, std::nullopt, workers, &source)
                                      .scan(tree.root(), std::nullopt, {.stop = source.stop.get_token()});
        EXPECT_LT(tally.files, 3000 / 2) << workers;
    }
}

// With few descriptors to spare and many workers, nothing is left out for want of one.
TEST(Scanner, KeepsWithinTheDescriptorLimitAtAnyWorkerCount)
{
    std::vector<std::pair<std::string, Node>> nodes;
    std::string path = "top";
    for (int depth = 0; depth < 60; ++depth) {
        path += "/d";
        for (int side = 0; side < 3; ++side)
            nodes.push_back({path + std::to_string(side) + "/f", Node::file(1)});
    }
    const TestTree tree(nodes);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit few{64, 64};
        if (::setrlimit(RLIMIT_NOFILE, &few) != 0)
            ::_exit(100);
        const FolderTally tally = Scanner(Instant{tree.now()}, std::nullopt, 64).scan(tree.root());
        ::_exit(tally.files == 180 && tally.unreadableFolders == 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "100: could not lower the limit; 1: files left out";
}

// Privilege tests: CI runs as root, and root reads any folder whatever its mode, so the walk
// runs in a child process as "nobody".
TEST_P(ScannerWorkers, PassesOverSubfoldersItMayNotReadAndCountsTheRest)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to switch to another user";
    const TestTree tree{{
        {"open/a.txt", Node::file(1)},
        {"open/locked/b.txt", Node::file(2)},
        {"locked-top/c.txt", Node::file(4)},
        {"open/deeper/d.txt", Node::file(8)},
    }};
    ASSERT_EQ(::chmod(tree.path("open/locked").c_str(), 0000), 0);
    ASSERT_EQ(::chmod(tree.path("locked-top").c_str(), 0000), 0);
    const Scanner scan = scanner(tree);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setresgid(65534, 65534, 65534) != 0 || ::setresuid(65534, 65534, 65534) != 0)
            ::_exit(100);
        const FolderTally tally = scan.scan(tree.root());
        ::_exit(tally.files == 2 && tally.bytes == 9 && tally.unreadableFolders == 2 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "100: could not drop privileges; 1: wrong tally";
}

TEST_P(ScannerWorkers, NeverEntersADirectoryInsideItself)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to bind-mount";
    const TestTree tree{{{"a/file.txt", Node::file(1)}, {"a/b/loop", Node::directory()}, {"top", Node::directory()}}};
    const std::string mountA = "mount --bind " + tree.root() + " " + tree.path("a/b/loop") + " 2>/dev/null";
    const std::string mountTop = "mount --bind " + tree.root() + " " + tree.path("top") + " 2>/dev/null";
    if (std::system(mountA.c_str()) != 0)
        GTEST_SKIP() << "bind mounts are not allowed here";
    const int top = std::system(mountTop.c_str());
    const FolderTally tally = scanner(tree).scan(tree.root());
    (void)std::system(("umount " + tree.path("a/b/loop")).c_str());
    if (top == 0)
        (void)std::system(("umount " + tree.path("top")).c_str());
    EXPECT_EQ(tally.files, 1);
}

} // namespace
} // namespace brindle
