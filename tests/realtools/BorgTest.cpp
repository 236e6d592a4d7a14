// borg 1.2 makes the repositories; Brindle's reading is compared with `borg list`.
#include "BrindleCore/Json.h"
#include "tests/realtools/RealTools.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brindle::test {
namespace {

struct Borg : Workplace {
    std::string repository = drive + "/borg";
    Environment environment{{"BORG_PASSPHRASE", "brindle"}, {"BORG_REPO", repository}, {"BORG_BASE_DIR", state}};

    int create(const std::string& archive) { return run({"borg", "create", "::" + archive, home}, environment).status; }
    std::vector<std::string> listed()
    {
        std::vector<std::string> names;
        const JsonIn listing = parseJson(run({"borg", "list", "--json"}, environment).output);
        for (const auto& archive : listing["archives"])
            names.push_back(archive["name"].get<std::string>());
        return names;
    }
};

// Writes to a FIFO that borg reads (create --read-special) until `done` holds.
bool feedUntil(int fifo, const std::function<bool()>& done)
{
    const std::string block(256 << 10, 'x');
    return waitFor([&] { return done() || ::write(fifo, block.data(), block.size()) < 0; }) && done();
}

TEST(RealBorg, AKilledRunIsNotTheNewestBackup)
{
    BRINDLE_REQUIRE_TOOL("borg");
    ::signal(SIGPIPE, SIG_IGN);
    Borg borg;
    ASSERT_EQ(run({"borg", "init", "--encryption", "repokey", borg.repository}, borg.environment).status, 0);
    ASSERT_EQ(borg.create("a1"), 0);
    writeFile(borg.home + "/Documents/a.txt", "changed");
    const Instant beforeA2 = clockNow();
    ASSERT_EQ(borg.create("a2"), 0);
    const Instant afterA2 = clockNow();

    // a3 reads a FIFO that this test feeds until a checkpoint is committed (a new index.N) and
    // more has been written after it (a segment above N); then it is killed.
    ASSERT_EQ(::mkfifo((borg.home + "/Documents/stream").c_str(), 0600), 0);
    const auto committed = highestNumbered(borg.repository, "index.");
    ASSERT_TRUE(committed);
    {
        Started a3({"borg", "create", "--read-special", "--checkpoint-interval", "1", "::a3", borg.home},
                   borg.environment);
        int fifo = -1;
        ASSERT_TRUE(waitFor(
            [&] { return (fifo = ::open((borg.home + "/Documents/stream").c_str(), O_WRONLY | O_NONBLOCK)) >= 0; }));
        ::fcntl(fifo, F_SETFL, 0);
        std::optional<unsigned long> checkpoint;
        EXPECT_TRUE(feedUntil(fifo, [&] {
            checkpoint = highestNumbered(borg.repository, "index.");
            return checkpoint > committed;
        }));
        EXPECT_TRUE(feedUntil(fifo, [&] { return highestNumbered(borg.repository + "/data/0") > checkpoint; }));
        a3.kill();
        ::close(fifo);
    }
    ASSERT_TRUE(exists(borg.repository + "/lock.exclusive")) << "the killed run's lock stays";
    const auto expectA2 = [&](const char* when) {
        const auto read = borg.backups();
        ASSERT_EQ(read.size(), 1u) << when;
        EXPECT_EQ(read[0].tool, "borg");
        EXPECT_GT(read[0].date, beforeA2) << when;
        EXPECT_LT(read[0].date, afterA2) << when << ": the checkpoint's date overstates the backup";
    };
    expectA2("with the lock left over");
    // Listing breaks the stale lock and shows no checkpoint; the uncommitted segment stays.
    EXPECT_EQ(borg.listed(), (std::vector<std::string>{"a1", "a2"}));
    ASSERT_FALSE(exists(borg.repository + "/lock.exclusive"));
    expectA2("after the lock was broken");

    // The next finished run dates the repository again.
    ::unlink((borg.home + "/Documents/stream").c_str());
    ASSERT_EQ(borg.create("a4"), 0);
    EXPECT_GT(borg.backups().at(0).date, afterA2);
}

TEST(RealBorg, TheRepositoryTellsWhetherItIsEncrypted)
{
    BRINDLE_REQUIRE_TOOL("borg");
    // keyfile keeps its key outside the repository and none keeps none: the config alike in
    // both; authenticated keeps a key in the config yet encrypts nothing.
    const std::vector<std::pair<std::string, bool>> modes{
        {"none", false}, {"authenticated", false}, {"repokey", true}, {"keyfile", true}};
    for (const auto& [mode, encrypted] : modes) {
        Borg borg;
        ASSERT_EQ(run({"borg", "init", "--encryption", mode, borg.repository}, borg.environment).status, 0) << mode;
        ASSERT_EQ(borg.create("a1"), 0) << mode;
        const auto read = borg.backups();
        ASSERT_EQ(read.size(), 1u) << mode;
        EXPECT_EQ(read[0].encrypted, encrypted) << mode;
    }
}

} // namespace
} // namespace brindle::test
