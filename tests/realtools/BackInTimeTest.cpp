// Back In Time 1.3 makes the snapshots, its clock in Berlin; Brindle's reading is compared with
// `backintime snapshots-list`, one "SnapshotID:" line per snapshot.
#include "tests/realtools/RealTools.h"

#include <unistd.h>

#include <sstream>

namespace brindle::test {
namespace {

struct BackInTime : Workplace {
    std::string config = state + "/config";
    // Its launcher runs "python3" from PATH, which must be the system's.
    Environment environment{{"PATH", "/usr/bin:/bin"}, {"HOME", state}, {"TZ", "Europe/Berlin"}};

    BackInTime()
    {
        writeFile(config, "config.version=6\nprofiles.version=1\n"
                          "profile1.snapshots.path=" +
                              drive +
                              "\n"
                              "profile1.snapshots.include.1.type=0\nprofile1.snapshots.include.1.value=" +
                              home +
                              "\n"
                              "profile1.snapshots.include.size=1\n"
                              "profile1.snapshots.exclude.1.value=*.iso\nprofile1.snapshots.exclude.size=1\n"
                              // Slow enough to be killed while it copies the large file.
                              "profile1.snapshots.bwlimit.enabled=true\nprofile1.snapshots.bwlimit.value=200\n"
                              "profile1.snapshots.no_on_battery=false\nprofile1.schedule.mode=0\n");
        // Back In Time waits for its profile folder rather than make it: the target drive may be away.
        char host[256] = {};
        ::gethostname(host, sizeof host - 1);
        const std::string user = std::getenv("USER") ? std::getenv("USER") : "root";
        run({"mkdir", "-p", drive + "/backintime/" + host + "/" + user + "/1"});
    }
    std::vector<std::string> command(const char* action) const { return {"backintime", "--config", config, action}; }
    std::size_t listed() const
    {
        std::istringstream lines(run(command("snapshots-list"), environment).output);
        std::size_t snapshots = 0;
        for (std::string line; std::getline(lines, line);)
            snapshots += line.starts_with("SnapshotID:");
        return snapshots;
    }
    std::vector<Backup> readInBerlin() const
    {
        return Drive::backups(drive, clockNow(), *Calendar::named("Europe/Berlin"));
    }
};

TEST(RealBackInTime, AKilledRunIsNoBackup)
{
    BRINDLE_REQUIRE_TOOL("backintime");
    BackInTime backInTime;
    ASSERT_EQ(run(backInTime.command("backup"), backInTime.environment).status, 0);
    // Snapshot names carry whole seconds.
    const Instant first = clockNow();
    waitFor([&] { return clockNow() - first > std::chrono::seconds{1}; });
    writeFile(backInTime.home + "/Documents/a.txt", "changed");
    const Instant beforeSecond = std::chrono::floor<std::chrono::seconds>(clockNow());
    ASSERT_EQ(run(backInTime.command("backup"), backInTime.environment).status, 0);
    const Instant afterSecond = clockNow();

    writeFile(backInTime.home + "/Documents/large.bin", std::string(4 << 20, 'x'));
    {
        Started third(backInTime.command("backup"), backInTime.environment);
        EXPECT_TRUE(waitFor([&] {
            for (const std::string& host : namesIn(backInTime.drive + "/backintime"))
                for (const std::string& user : namesIn(backInTime.drive + "/backintime/" + host))
                    if (exists(backInTime.drive + "/backintime/" + host + "/" + user + "/1/new_snapshot/backup"))
                        return true;
            return false;
        }));
        third.kill();
    }
    const auto read = backInTime.readInBerlin();
    EXPECT_EQ(read.size(), backInTime.listed());
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read.back().tool, "Back In Time");
    EXPECT_GE(read.back().date, beforeSecond) << "the local time in its name is Berlin's";
    EXPECT_LE(read.back().date, afterSecond);
}

} // namespace
} // namespace brindle::test
