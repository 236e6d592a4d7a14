#include "BrindleCore/History.h"
#include "BrindleCore/Store.h"
#include "tests/support/TestTree.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace brindle {
namespace {

using namespace std::chrono;
using test::TestTree;

const Instant base{sys_days{2026y / November / 26} + 15h + 12min};

CheckSummary summary(int i, std::optional<Instant> lastBackup = std::nullopt)
{
    CheckSummary s;
    s.at = base + seconds{i};
    s.folders = 2;
    s.files = 100 + i;
    s.bytes = 1000;
    s.noSecondCopy = i;
    s.onlyHere = 3;
    s.lastBackup = lastBackup;
    return s;
}

std::string contentOf(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

TEST(CheckSummary, IsMadeFromTheTotalAndTheMainDrive)
{
    FolderTally a("A", "/a"), b("B", "/b");
    a.files = 10;
    a.bytes = 100;
    a.counts.add(Place::onlyHere, 6);
    a.counts.add(Place::onlyICloud, 4);
    a.changedSinceBackup = 2;
    b.files = 5;
    b.counts.add(Place::waiting, 5);
    CheckResult result(base, 1.0, {a, b}, DriveState{{"D", "APFS"}, true, {{base - hours{3}}, {base - hours{1}}}}, {},
                       false);
    result.otherDrives = std::vector<DriveState>{DriveState{{"E", "APFS"}, true, {{base}}}};
    const CheckSummary s(result);
    EXPECT_EQ(s.at, base);
    EXPECT_EQ(s.folders, 2);
    EXPECT_EQ(s.files, 15);
    EXPECT_EQ(s.bytes, 100);
    EXPECT_EQ(s.noSecondCopy, 2 + 4);
    EXPECT_EQ(s.onlyHere, 6);
    EXPECT_EQ(s.onlyICloud, 4);
    EXPECT_EQ(s.waiting, 5);
    EXPECT_EQ(s.lastBackup, base - hours{1}) << "the main drive's, not the other drives'";

    result.drive.reset();
    const std::string line = dumpJson(encode(CheckSummary(result)));
    EXPECT_EQ(line.find("lastBackup"), std::string::npos);
    EXPECT_EQ(line, R"({"at":"2026-11-26T15:12:00Z","folders":2,"files":15,"bytes":100,"noSecondCopy":6,)"
                    R"("onlyHere":6,"onlyICloud":4,"waiting":5})")
        << "noSecondCopy counts the changed files alone";
}

TEST(CheckSummary, TallyRebuildsTheBandsWithoutGoingNegative)
{
    CheckSummary s;
    s.files = 10;
    s.onlyHere = 4;
    s.onlyICloud = 3;
    s.waiting = 5;
    s.noSecondCopy = 7;
    FolderTally t = s.tally();
    EXPECT_EQ(t.count(Place::both), 0);
    EXPECT_TRUE(t.counts.contains(Place::both)) << "four entries, zeros included";
    EXPECT_FALSE(t.counts.contains(Place::unknown));
    EXPECT_FALSE(t.changedSinceBackup);
    EXPECT_EQ(t.bytes, 0);

    s.lastBackup = base;
    s.onlyHere = 5;
    s.waiting = 0;
    t = s.tally();
    EXPECT_EQ(t.changedSinceBackup, 4);
    EXPECT_EQ(t.noSecondCopyWithBackup(), 7);
    EXPECT_EQ(t.count(Place::both), 2);
}

TEST(JsonLines, AppendsReadsAndSkipsDamagedLines)
{
    const TestTree tree;
    History history = openHistory(tree.path("deep/folder/history.jsonl"));
    EXPECT_TRUE(history.all().empty());
    ASSERT_TRUE(history.append(summary(1)));
    const std::string first = contentOf(history.path());
    EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 1);
    EXPECT_EQ(first.back(), '\n');

    const std::string good2 = dumpJson(encode(summary(2, base)));
    std::string missingWaiting = good2;
    missingWaiting.replace(missingWaiting.find(",\"waiting\":0"), 12, "");
    std::string missingBackup = dumpJson(encode(summary(3)));
    std::string negative = good2;
    negative.replace(negative.find("\"files\":") + 8, 0, "-");
    const std::vector<std::string> damaged{
        "",
        "not json",
        "{\"at\":1}",
        std::string("{\"a\":1}\0\0", 9),
        "\xEF\xBB\xBF" + good2,
        "{" + std::string(10u << 20, ' ') + "}",
        missingWaiting,
        R"({"at":"2026-11-26T15:12:00Z","folders":"2"})",
        negative,
    };
    {
        std::ofstream file(history.path(), std::ios::app | std::ios::binary);
        for (const std::string& line : damaged)
            file << line << "\n";
        file << good2 << "\n" << missingBackup << "\n";
    }
    EXPECT_EQ(history.all(), (std::vector<CheckSummary>{summary(1), summary(2, base), summary(3)}));

    // A prune drops the damaged lines for good.
    ASSERT_TRUE(history.prune([](const CheckSummary& s) { return s.noSecondCopy != 2; }));
    EXPECT_EQ(history.all(), (std::vector<CheckSummary>{summary(1), summary(3)}));
    EXPECT_EQ(contentOf(history.path()), dumpJson(encode(summary(1))) + "\n" + dumpJson(encode(summary(3))) + "\n");
}

TEST(JsonLines, AnInterruptedLastLineDoesNotSwallowTheNextRecord)
{
    const TestTree tree;
    History history = openHistory(tree.path("history.jsonl"));
    std::ofstream(history.path(), std::ios::binary) << dumpJson(encode(summary(1))) << "\n{\"at\":\"2026-11-";
    ASSERT_TRUE(history.append(summary(2)));
    EXPECT_EQ(history.all(), (std::vector<CheckSummary>{summary(1), summary(2)}));
}

TEST(JsonLines, PruningNothingOrNoFileLeavesAnEmptyFile)
{
    const TestTree tree;
    History none = openHistory(tree.path("none.jsonl"));
    ASSERT_TRUE(none.prune([](const CheckSummary&) { return true; }));
    EXPECT_EQ(contentOf(none.path()), "");
    History some = openHistory(tree.path("some.jsonl"));
    some.append(summary(1));
    ASSERT_TRUE(some.prune([](const CheckSummary&) { return false; }));
    EXPECT_EQ(contentOf(some.path()), "");
    EXPECT_TRUE(some.all().empty());
}

TEST(JsonLines, AFifoInPlaceOfTheFileIsRefusedNotWaitedOn)
{
    const TestTree tree{{{"history.jsonl", test::Node::fifo()}}};
    History history = openHistory(tree.path("history.jsonl"));
    EXPECT_FALSE(history.append(summary(1)));
    EXPECT_TRUE(history.all().empty());
}

TEST(JsonLines, AnAppendCutShortByAFullDiskLeavesNoTornLine)
{
    const TestTree tree;
    History history = openHistory(tree.path("history.jsonl"));
    ASSERT_TRUE(history.append(summary(1)));
    const std::string before = contentOf(history.path());

    // In a child allowed to grow files only a little past their size: the append fails
    // part-way, as on a full disk.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{before.size() + 20, before.size() + 20};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::string error;
        const bool appended = history.append(summary(2), &error);
        ::_exit(appended ? 1 : error.find("File too large") != std::string::npos ? 0 : 2);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: a failed append was reported as written; 2: no reason given";
    EXPECT_EQ(contentOf(history.path()), before);
}

TEST(JsonLines, ReadingCreatesNothingAndALockHeldTooLongIsSaid)
{
    const TestTree tree;
    History history = openHistory(tree.path("data/Brindle/history.jsonl"), milliseconds{100});
    EXPECT_EQ(history.read(), std::vector<CheckSummary>{});
    EXPECT_FALSE(std::filesystem::exists(tree.path("data"))) << "reading made the folder or a lock file";

    ASSERT_TRUE(history.append(summary(1)));
    const std::string before = contentOf(history.path());
    // A hung process holding the lock: readers and writers give up after the wait.
    const int held = ::open((history.path() + ".lock").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    std::string error;
    EXPECT_FALSE(history.read(&error));
    EXPECT_NE(error.find("locked by another process"), std::string::npos) << error;
    EXPECT_FALSE(history.append(summary(2)));
    EXPECT_FALSE(history.prune([](const CheckSummary&) { return false; }));
    ::close(held);
    EXPECT_EQ(contentOf(history.path()), before);
    EXPECT_EQ(history.read(), std::vector<CheckSummary>{summary(1)});

    // A history that exists but cannot be read is said, and never pruned away.
    const TestTree other{{{"history.jsonl/inside", test::Node::file()}}};
    History folder = openHistory(other.path("history.jsonl"));
    EXPECT_FALSE(folder.read());
    EXPECT_FALSE(folder.prune([](const CheckSummary&) { return true; }));
    EXPECT_TRUE(std::filesystem::exists(other.path("history.jsonl/inside")));
}

TEST(JsonLines, TwoProcessesAppendingWhileAThirdPrunesLoseNothing)
{
    const TestTree tree;
    const std::string path = tree.path("history.jsonl");
    constexpr int perWriter = 300;
    const auto spawn = [&](auto work) {
        const pid_t child = ::fork();
        if (child == 0) {
            work();
            ::_exit(0);
        }
        return child;
    };
    std::vector<pid_t> children;
    for (const int writer : {0, 1})
        children.push_back(spawn([&] {
            History history = openHistory(path);
            for (int i = 0; i < perWriter; ++i)
                if (!history.append(summary(writer * 100'000 + i)))
                    ::_exit(1);
        }));
    children.push_back(spawn([&] {
        History history = openHistory(path);
        for (int i = 0; i < 100; ++i)
            history.prune([](const CheckSummary&) { return true; });
    }));
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::set<std::int64_t> seen;
    for (const CheckSummary& s : openHistory(path).all())
        seen.insert(s.noSecondCopy);
    EXPECT_EQ(seen.size(), 2u * perWriter);
}

TEST(RecordCheck, SavesAppendsAndPrunesPastTwoYears)
{
    const TestTree tree;
    const std::string lastCheck = tree.path("Brindle/last-check.json");
    History history = openHistory(tree.path("Brindle/history.jsonl"));
    FolderTally folder("Docs", "/docs");
    folder.files = 1;
    folder.counts.add(Place::onlyHere, 1);
    std::vector<CheckSummary> lines;

    // A check of no folders is kept, but leaves no history line.
    const CheckResult empty(base, 1.0, {}, std::nullopt, {}, false);
    Recorded recorded = recordCheck(empty, lastCheck, history, lines, base);
    EXPECT_TRUE(recorded.saved);
    EXPECT_FALSE(recorded.appended);
    EXPECT_TRUE(history.all().empty());
    EXPECT_EQ(Store::loadLast(lastCheck), empty);

    // Lines 731 and 729 days old: the next check removes the first.
    const auto old = [&](int days) {
        CheckSummary s = summary(0);
        s.at = base - std::chrono::days{days};
        return s;
    };
    for (const int days : {731, 729}) {
        history.append(old(days));
        lines.push_back(old(days));
    }
    const CheckResult result(base, 1.0, {folder}, std::nullopt, {}, false);
    recorded = recordCheck(result, lastCheck, history, lines, base);
    EXPECT_TRUE(recorded.saved && recorded.appended);
    EXPECT_EQ(recorded.previous, old(729));
    EXPECT_EQ(lines, (std::vector<CheckSummary>{old(729), CheckSummary(result)}));
    EXPECT_EQ(history.all(), lines);

    // A result that could not be kept leaves no history line either, and says why.
    const TestTree blocked{{{"Brindle", test::Node::file()}}};
    History none = openHistory(blocked.path("history.jsonl"));
    std::vector<CheckSummary> noLines;
    recorded = recordCheck(result, blocked.path("Brindle/last-check.json"), none, noLines, base);
    EXPECT_FALSE(recorded.saved || recorded.appended);
    EXPECT_NE(recorded.saveError.find("Not a directory"), std::string::npos) << recorded.saveError;
    EXPECT_FALSE(recorded.historyError.empty());
    EXPECT_TRUE(none.all().empty());
    EXPECT_TRUE(noLines.empty());
}

} // namespace
} // namespace brindle
