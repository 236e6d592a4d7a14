#include "BrindleCore/Store.h"
#include "BrindleCore/FileIO.h"
#include "tests/support/TestTree.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace brindle {
namespace {

using namespace std::chrono;
using test::TestTree;

std::string contentOf(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

CheckResult sample(int files)
{
    FolderTally folder("Documents", "/home/ada/Documents");
    folder.files = files;
    folder.counts.add(Place::onlyHere, files);
    return CheckResult(Instant{sys_days{2026y / November / 26} + 15h + 12min}, 2.0, {folder}, std::nullopt, {}, false);
}

TEST(Store, LivesInTheUsersDataFolder)
{
    ::setenv("XDG_DATA_HOME", "/data/ada", 1);
    EXPECT_EQ(Store::folder(), "/data/ada/Brindle");
    EXPECT_EQ(Store::lastCheckURL(), "/data/ada/Brindle/last-check.json");
    EXPECT_EQ(Store::historyURL(), "/data/ada/Brindle/history.jsonl");
    ::setenv("XDG_DATA_HOME", "relative/is/ignored", 1);
    ::setenv("HOME", "/home/ada", 1);
    EXPECT_EQ(Store::folder(), "/home/ada/.local/share/Brindle");
    EXPECT_EQ(Store::historyDays, 730);
}

TEST(Store, SavesIntoNewFoldersAndLoadsBack)
{
    const TestTree tree;
    const std::string path = tree.path("a/b/Brindle/last-check.json");
    EXPECT_FALSE(Store::loadLast(path));
    ASSERT_TRUE(Store::saveLast(sample(3), path));
    EXPECT_EQ(Store::loadLast(path), sample(3));
    ASSERT_TRUE(Store::saveLast(sample(4), path));
    EXPECT_EQ(Store::loadLast(path), sample(4));
    EXPECT_EQ(namesIn(tree.path("a/b/Brindle")), std::vector<std::string>{"last-check.json"}) << "no temporary left";
}

TEST(Store, DamagedFilesLoadAsAbsentAndAreLeftAlone)
{
    const TestTree tree;
    const std::string path = tree.path("last-check.json");
    const std::string good = encodeCheckResultText(sample(3));
    const std::vector<std::string> damaged{
        "",
        good.substr(0, good.size() / 2),
        good + std::string(16, '\0'),
        "{}",
        "not json at all",
        R"({"checkedAt":"2026-11-26T15:12:00Z","seconds":1,"folders":[]})",
        "\xEF\xBB\xBF" + good.substr(1),
    };
    EXPECT_FALSE(Store::readLast(path).damaged()) << "a missing file is no damage: never checked";
    for (const std::string& content : damaged) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
        EXPECT_FALSE(Store::loadLast(path)) << content;
        EXPECT_TRUE(Store::readLast(path).damaged()) << content;
        EXPECT_EQ(contentOf(path), content) << "the file is not touched";
    }
    std::filesystem::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_FALSE(Store::loadLast(path)) << "a FIFO in its place is refused, not waited on";
    EXPECT_TRUE(Store::readLast(path).damaged());
}

TEST(Store, ASaveRemovesTheTemporariesOfEndedProcessesOnly)
{
    const pid_t ended = ::fork();
    if (ended == 0)
        ::_exit(0);
    ASSERT_EQ(::waitpid(ended, nullptr, 0), ended);
    const std::string gone = std::to_string(ended), running = std::to_string(::getppid());
    const TestTree tree{{
        {"last-check.json.tmp-" + gone + "-123", test::Node::file()},
        {"last-check.json.tmp-" + running + "-4", test::Node::file()}, // may be saving right now
        {"last-check.json.tmp-" + gone + "-x", test::Node::file()},    // not our pattern
        {"other.json.tmp-" + gone + "-1", test::Node::file()},         // another file's
    }};
    ASSERT_TRUE(Store::saveLast(sample(1), tree.path("last-check.json")));
    std::vector<std::string> kept{"last-check.json", "last-check.json.tmp-" + gone + "-x",
                                  "last-check.json.tmp-" + running + "-4", "other.json.tmp-" + gone + "-1"};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(namesIn(tree.root()), kept);
}

TEST(Store, AFullDiskKeepsThePreviousFileAndLeavesNoTemporary)
{
    const TestTree tree;
    const std::string path = tree.path("last-check.json");
    ASSERT_TRUE(Store::saveLast(sample(3), path));
    const std::string before = contentOf(path);

    // In a child limited to writing 64 bytes per file: the write fails part-way, as on a
    // full disk, and the parent checks what is left.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64, 64};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::string error;
        const bool saved = Store::saveLast(sample(123456), path, &error);
        ::_exit(saved ? 1 : error.find("cannot write") != std::string::npos ? 0 : 2);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: a failed write was reported as saved; 2: wrong reason";
    EXPECT_EQ(contentOf(path), before);
    EXPECT_EQ(Store::loadLast(path), sample(3));
    EXPECT_EQ(namesIn(tree.root()), std::vector<std::string>{"last-check.json"});
}

TEST(Store, AFolderThatCannotBeMadeIsAFailure)
{
    const TestTree tree{{{"file", test::Node::file()}}};
    std::string error;
    EXPECT_FALSE(Store::saveLast(sample(1), tree.path("file/Brindle/last-check.json"), &error));
    EXPECT_FALSE(error.empty());
}
} // namespace
} // namespace brindle
