// rsnapshot 1.4 makes the snapshots; its own account is its log, one "completed successfully"
// line per finished run.
#include "BrindleCore/BackupSetupRead.h"
#include "BrindleCore/FileIO.h"
#include "tests/realtools/RealTools.h"

#include <fstream>
#include <sstream>

namespace brindle::test {
namespace {

struct Rsnapshot : Workplace {
    std::string config = state + "/rsnapshot.conf";
    std::string root = drive + "/snapshots";

    Rsnapshot()
    {
        // Fields are separated by tabs, as rsnapshot requires. The bandwidth limit keeps the
        // last run's large file copying while the test kills it.
        writeFile(config, "config_version\t1.2\n"
                          "snapshot_root\t" +
                              root +
                              "/\n"
                              "cmd_cp\t/bin/cp\ncmd_rm\t/bin/rm\ncmd_rsync\t/usr/bin/rsync\n"
                              "rsync_long_args\t--delete --numeric-ids --relative --delete-excluded --bwlimit=100\n"
                              "logfile\t" +
                              state +
                              "/rsnapshot.log\n"
                              "lockfile\t" +
                              state +
                              "/rsnapshot.pid\n"
                              "retain\talpha\t6\n"
                              "exclude\t*.iso\n"
                              "backup\t" +
                              home + "/\tlocalhost/\n");
    }
    std::vector<std::string> command() const { return {"rsnapshot", "-c", config, "alpha"}; }
    int completedRuns() const
    {
        std::ifstream log(state + "/rsnapshot.log");
        int completed = 0;
        for (std::string line; std::getline(log, line);)
            completed += line.find("alpha: completed successfully") != std::string::npos;
        return completed;
    }
};

TEST(RealRsnapshot, AnInterruptedRunIsNoBackup)
{
    BRINDLE_REQUIRE_TOOL("rsnapshot");
    BRINDLE_REQUIRE_TOOL("rsync");
    Rsnapshot rsnapshot;
    for (const char* text : {"one", "two", "three"}) {
        writeFile(rsnapshot.home + "/Documents/a.txt", text);
        ASSERT_EQ(run(rsnapshot.command()).status, 0);
        // rsnapshot touches a finished snapshot in whole seconds; two runs in one second look
        // like a run that was never touched.
        const auto touched = *modified(rsnapshot.root + "/alpha.0");
        waitFor([&] { return clockNow() - touched > std::chrono::seconds{1}; });
    }
    const auto lastFinished = modified(rsnapshot.root + "/alpha.0");
    ASSERT_TRUE(lastFinished);
    writeFile(rsnapshot.home + "/Documents/large.bin", std::string(1 << 20, 'x'));
    {
        // Killed once rotation is done and `cp -al alpha.0 alpha.1` has begun.
        Started fourth(rsnapshot.command());
        EXPECT_TRUE(waitFor([&] {
            return exists(rsnapshot.root + "/alpha.3") && exists(rsnapshot.root + "/alpha.2") &&
                   exists(rsnapshot.root + "/alpha.1");
        }));
        fourth.kill();
    }
    const auto read = rsnapshot.backups();
    EXPECT_EQ(static_cast<int>(read.size()), rsnapshot.completedRuns());
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read.back().date, *lastFinished);
    EXPECT_EQ(read.back().tool, "rsnapshot");

    // Its configuration as a backup set-up: the last completed run comes from the log.
    const auto setup = SetupRead::rsnapshot(*readRegularFile(rsnapshot.config, 1 << 20).content,
                                            *readRegularFile(rsnapshot.state + "/rsnapshot.log", 1 << 20).content,
                                            SetupPlaces{rsnapshot.home, {}, {}}, Calendar::current());
    ASSERT_TRUE(setup);
    EXPECT_EQ(setup->target, rsnapshot.root);
    EXPECT_EQ(setup->included, std::vector<std::string>{rsnapshot.home});
    EXPECT_EQ(setup->excluded, std::vector<std::string>{"*.iso"});
    ASSERT_TRUE(setup->lastBackup);
    EXPECT_LE(std::chrono::abs(*setup->lastBackup - *lastFinished), std::chrono::seconds{1});
}

} // namespace
} // namespace brindle::test
