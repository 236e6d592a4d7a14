// rclone mounts a local folder through FUSE (`rclone mount --vfs-cache-mode writes`), and
// restic backs up onto the mount. Brindle's reading of the mount (its format, its identity
// across an unmount and a remount) and of the backups is compared with the mount table and
// `restic snapshots`.
#include "BrindleCore/Json.h"
#include "tests/realtools/RealTools.h"

#include <algorithm>

namespace brindle::test {
namespace {

struct RcloneMount : Workplace {
    std::string remote = state + "/remote";
    Environment restic{{"RESTIC_PASSWORD", "brindle"},
                       {"RESTIC_REPOSITORY", drive + "/repo"},
                       {"RESTIC_CACHE_DIR", state + "/restic-cache"},
                       {"RCLONE_CONFIG", state + "/rclone.conf"}};
    bool mounted = false;

    RcloneMount() { tree.add("state/remote", Node::directory()); }
    ~RcloneMount() { unmount(); }
    RcloneMount(const RcloneMount&) = delete;
    RcloneMount& operator=(const RcloneMount&) = delete;

    // rclone's complaint, empty once the mount shows in the mount table.
    std::string mount()
    {
        const Finished started = run({"rclone", "mount", ":local:" + remote, drive, "--vfs-cache-mode", "writes",
                                      "--cache-dir", state + "/rclone-cache", "--daemon"},
                                     restic);
        mounted = started.status == 0 && waitFor([&] { return mountHere().has_value(); });
        return mounted ? std::string() : "rclone mount ended with status " + std::to_string(started.status);
    }
    // Whether it unmounted; a busy mount is detached lazily all the same, so that the
    // temporary tree is never removed through it.
    bool unmount()
    {
        if (!mounted)
            return true;
        run({"fusermount3", "-u", drive});
        const bool gone = waitFor([&] { return !mountHere(); }, std::chrono::seconds{10});
        if (!gone)
            run({"fusermount3", "-u", "-z", drive});
        mounted = false;
        return gone;
    }
    std::optional<Drive::Mount> mountHere() const
    {
        const auto all = Drive::mounts();
        const auto found =
            std::find_if(all.begin(), all.end(), [&](const Drive::Mount& entry) { return entry.target == drive; });
        return found == all.end() ? std::nullopt : std::optional(*found);
    }
    std::vector<Instant> listed() const
    {
        std::vector<Instant> times;
        const JsonIn snapshots = parseJson(run({"restic", "snapshots", "--json"}, restic).output);
        if (snapshots.is_array())
            for (const JsonIn& snapshot : snapshots)
                if (const auto time = parseISO8601(snapshot.value("time", std::string()).substr(0, 19) + "Z"))
                    times.push_back(*time);
        return times;
    }
};

TEST(RealRclone, AResticRepositoryOnAnRcloneMount)
{
    for (const char* tool : {"rclone", "fusermount3", "restic"})
        BRINDLE_REQUIRE_TOOL(tool);
    RcloneMount rclone;
    if (!exists("/dev/fuse"))
        GTEST_SKIP() << "FUSE cannot mount here: there is no /dev/fuse";
    if (const std::string failed = rclone.mount(); !failed.empty())
        GTEST_SKIP() << "FUSE cannot mount here: " << failed;

    ASSERT_EQ(run({"restic", "init"}, rclone.restic).status, 0);
    for (const char* text : {"one", "two"}) {
        writeFile(rclone.home + "/Documents/a.txt", text);
        ASSERT_EQ(run({"restic", "backup", "--quiet", rclone.home}, rclone.restic).status, 0);
    }
    const auto facts = Drive::facts(rclone.drive);
    ASSERT_TRUE(facts);
    EXPECT_EQ(rclone.mountHere()->type, "fuse.rclone");
    EXPECT_EQ(facts->format, "fuse.rclone");
    ASSERT_TRUE(facts->uuid);
    EXPECT_EQ(*facts->uuid, Drive::volumeIdentity(*rclone.mountHere()));

    const auto compare = [&] {
        const auto read = rclone.backups();
        const auto listed = rclone.listed();
        ASSERT_EQ(read.size(), listed.size());
        EXPECT_EQ(read.size(), 2u);
        for (std::size_t i = 0; i < read.size(); ++i) {
            EXPECT_EQ(read[i].tool, "restic");
            // restic's time is the start, Brindle's date the end of a backup of three files.
            EXPECT_LT(std::chrono::abs(read[i].date - listed[i]), std::chrono::seconds{5});
        }
    };
    compare();

    // Another mount of the same remote is the same drive, and holds the same backups.
    ASSERT_TRUE(rclone.unmount()) << "fusermount3 -u did not unmount";
    EXPECT_TRUE(rclone.backups().empty());
    ASSERT_EQ(rclone.mount(), "");
    const auto again = Drive::facts(rclone.drive);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->uuid, facts->uuid);
    compare();
}

} // namespace
} // namespace brindle::test
