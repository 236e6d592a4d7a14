// duplicity 0.8 makes the backups; Brindle's reading is compared with `duplicity
// collection-status`, whose chain lists one "Full" or "Incremental" line per finished backup.
#include "tests/realtools/RealTools.h"

#include <regex>
#include <sstream>

namespace brindle::test {
namespace {

struct Duplicity : Workplace {
    std::string target = "file://" + drive + "/duplicity";
    Environment environment{{"HOME", state}, {"TMPDIR", state}}; // a killed run leaves its temporary folder

    std::vector<std::string> command(const std::string& action = {}) const
    {
        std::vector<std::string> argv{"duplicity"};
        if (!action.empty())
            argv.push_back(action);
        for (const char* option : {"--no-encryption", "--volsize", "1", "--archive-dir"})
            argv.emplace_back(option);
        argv.push_back(state);
        return argv;
    }
    int backUp() const
    {
        auto argv = command();
        argv.insert(argv.end(), {home, target});
        return run(argv, environment).status;
    }
    std::size_t listed() const
    {
        // A fresh archive folder, so that the listing is of what the drive holds alone.
        const std::string fresh = state + "/listing";
        std::istringstream lines(
            run({"duplicity", "collection-status", "--archive-dir", fresh, target}, environment).output);
        std::size_t backups = 0;
        for (std::string line; std::getline(lines, line);)
            backups += std::regex_search(line, std::regex(R"(^\s+(Full|Incremental)\s)"));
        return backups;
    }
};

TEST(RealDuplicity, AKilledRunIsNoBackup)
{
    BRINDLE_REQUIRE_TOOL("duplicity");
    Duplicity duplicity;
    ASSERT_EQ(duplicity.backUp(), 0);
    // Manifest names carry whole seconds; the next run must start in another one.
    const Instant first = clockNow();
    waitFor([&] { return clockNow() - first > std::chrono::seconds{1}; });
    writeFile(duplicity.home + "/Documents/a.txt", "changed");
    ASSERT_EQ(duplicity.backUp(), 0);

    // A run of several volumes, killed once its first volume is on the drive.
    std::string random(24 << 20, '\0');
    std::uint64_t state = 88172645463325252ull;
    for (char& c : random) {
        state ^= state << 13, state ^= state >> 7, state ^= state << 17;
        c = static_cast<char>(state);
    }
    writeFile(duplicity.home + "/Documents/large.bin", random);
    const auto before = namesIn(duplicity.drive + "/duplicity");
    {
        auto argv = duplicity.command();
        argv.insert(argv.end(), {duplicity.home, duplicity.target});
        Started third(argv, duplicity.environment);
        EXPECT_TRUE(waitFor([&] {
            for (const std::string& name : namesIn(duplicity.drive + "/duplicity"))
                if (name.find(".vol1.") != std::string::npos &&
                    std::find(before.begin(), before.end(), name) == before.end())
                    return true;
            return false;
        }));
        third.kill();
    }
    const auto read = duplicity.backups();
    EXPECT_EQ(read.size(), duplicity.listed());
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read.back().tool, "duplicity");
    EXPECT_EQ(read.back().encrypted, false) << "--no-encryption writes plain manifests";
}

} // namespace
} // namespace brindle::test
