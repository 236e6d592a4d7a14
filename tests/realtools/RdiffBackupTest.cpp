// rdiff-backup 2.2 makes the backups; Brindle's reading is compared with `rdiff-backup list
// increments`: its increments and the current mirror, one backup each.
#include "tests/realtools/RealTools.h"

#include <sstream>

namespace brindle::test {
namespace {

TEST(RealRdiffBackup, AKilledRunIsNoBackup)
{
    BRINDLE_REQUIRE_TOOL("rdiff-backup");
    Workplace place;
    const std::string mirror = place.drive + "/mirror";
    const auto backUp = [&] { return run({"rdiff-backup", "backup", place.home, mirror}).status; };
    const auto listed = [&] {
        std::istringstream lines(run({"rdiff-backup", "list", "increments", mirror}).output);
        std::size_t backups = 0;
        for (std::string line; std::getline(lines, line);)
            backups += line.starts_with("    increments.") || line.starts_with("Current mirror:");
        return backups;
    };
    ASSERT_EQ(backUp(), 0);
    // Session names carry whole seconds; the next run must start in another one.
    const Instant first = clockNow();
    waitFor([&] { return clockNow() - first > std::chrono::seconds{1}; });
    writeFile(place.home + "/Documents/a.txt", "changed");
    ASSERT_EQ(backUp(), 0);
    const std::size_t finished = listed();
    EXPECT_EQ(finished, 2u);

    // A third run, killed once its current_mirror marker stands beside the last one's.
    writeFile(place.home + "/Documents/large.bin", std::string(200 << 20, '\0'));
    const std::string data = mirror + "/rdiff-backup-data";
    const auto markers = [&] {
        std::size_t count = 0;
        for (const std::string& name : namesIn(data))
            count += name.starts_with("current_mirror.");
        return count;
    };
    {
        Started third({"rdiff-backup", "backup", place.home, mirror});
        EXPECT_TRUE(waitFor([&] { return markers() >= 2; }));
        third.kill();
    }
    const auto read = place.backups();
    EXPECT_EQ(read.size(), finished);
    ASSERT_FALSE(read.empty());
    EXPECT_EQ(read.back().tool, "rdiff-backup");
}

} // namespace
} // namespace brindle::test
