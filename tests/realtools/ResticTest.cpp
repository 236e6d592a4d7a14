// restic 0.14 makes the repositories; Brindle's reading is compared with `restic snapshots`.
#include "BrindleCore/Check.h"
#include "BrindleCore/Json.h"
#include "tests/realtools/RealTools.h"

#include <fcntl.h>
#include <unistd.h>

namespace brindle::test {
namespace {

struct Restic : Workplace {
    Environment environment;

    explicit Restic(const std::string& repository)
        : environment{{"RESTIC_PASSWORD", "brindle"},
                      {"RESTIC_REPOSITORY", drive + "/" + repository},
                      {"RESTIC_CACHE_DIR", state}}
    {
    }
    int backUp() { return run({"restic", "backup", "--quiet", home}, environment).status; }
    std::size_t listed() { return parseJson(run({"restic", "snapshots", "--json"}, environment).output).size(); }
};

TEST(RealRestic, AKilledRunHidesNoLaterSnapshot)
{
    BRINDLE_REQUIRE_TOOL("restic");
    Restic restic("repo");
    ASSERT_EQ(run({"restic", "init"}, restic.environment).status, 0);
    for (const char* text : {"one", "two", "three"}) {
        writeFile(restic.home + "/Documents/a.txt", text);
        ASSERT_EQ(restic.backUp(), 0);
    }
    {
        // A backup of standard input that never ends, killed once it holds its lock.
        int input[2];
        ASSERT_EQ(::pipe2(input, O_CLOEXEC), 0);
        Started endless({"restic", "backup", "--stdin", "--stdin-filename", "big"}, restic.environment, input[0]);
        ::close(input[0]);
        EXPECT_TRUE(waitFor([&] { return !namesIn(restic.drive + "/repo/locks").empty(); }));
        endless.kill();
        ::close(input[1]);
    }
    ASSERT_FALSE(namesIn(restic.drive + "/repo/locks").empty()) << "the killed run's lock stays";
    writeFile(restic.home + "/Documents/b.txt", "four");
    ASSERT_EQ(restic.backUp(), 0);

    const auto read = restic.backups();
    EXPECT_EQ(read.size(), restic.listed());
    EXPECT_EQ(read.size(), 4u);
    for (const Backup& backup : read)
        EXPECT_EQ(backup.tool, "restic");
}

TEST(RealRestic, ARepositoryIsDejaDupsOnlyWhenDejaDupBacksUpThere)
{
    BRINDLE_REQUIRE_TOOL("restic");
    Restic restic("backups/restic"); // where Déjà Dup keeps one, but Déjà Dup did not make it
    ASSERT_EQ(run({"restic", "init"}, restic.environment).status, 0);
    ASSERT_EQ(restic.backUp(), 0);
    const auto tools = [&](std::optional<std::vector<BackupSetup>> setups) {
        CheckRequest request;
        request.drives = {*Drive::read(restic.drive, clockNow(), Calendar::utc()).state};
        request.now = clockNow();
        request.setups = std::move(setups);
        CheckObserver quiet;
        std::vector<std::optional<std::string>> named;
        const CheckOutcome outcome = Check::run(request, quiet);
        for (const Backup& backup : outcome.result.drive->backups)
            named.push_back(backup.tool);
        return named;
    };
    using Named = std::vector<std::optional<std::string>>;
    EXPECT_EQ(tools(std::nullopt), Named{"restic"});
    EXPECT_EQ(tools(std::vector<BackupSetup>{{"Déjà Dup", "/elsewhere"}}), Named{"restic"});
    EXPECT_EQ(tools(std::vector<BackupSetup>{{"Déjà Dup", restic.drive + "/backups"}}), Named{"Déjà Dup"});
}

} // namespace
} // namespace brindle::test
