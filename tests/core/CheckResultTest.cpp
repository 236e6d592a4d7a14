#include "BrindleCore/CheckResult.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

using namespace std::chrono;
const Instant now{sys_days{2026y / November / 26} + 15h + 12min};

DriveState driveWithBackupAt(const char* name, std::optional<int> day)
{
    DriveState state{{name, "APFS"}, true, {}, {}};
    if (day)
        state.backups.push_back({now - days{10 - *day}, {}, {}, {}});
    return state;
}

std::vector<std::string> names(const std::optional<DriveState>& first,
                               const std::optional<std::vector<DriveState>>& rest)
{
    std::vector<std::string> out;
    if (first)
        out.push_back(first->facts.name);
    if (rest)
        for (const DriveState& state : *rest)
            out.push_back(state.facts.name);
    return out;
}

TEST(CheckResult, OrderedPutsTheNewestBackupFirstAndKeepsTiesInOrder)
{
    struct Case {
        std::vector<DriveState> given;
        std::vector<std::string> expected;
        bool hasOthers;
    };
    const std::vector<Case> cases{
        {{}, {}, false},
        {{driveWithBackupAt("one", 1)}, {"one"}, false},
        {{driveWithBackupAt("two", 2), driveWithBackupAt("three", 3), driveWithBackupAt("one", 1)},
         {"three", "two", "one"},
         true},
        {{driveWithBackupAt("a", std::nullopt), driveWithBackupAt("b", std::nullopt)}, {"a", "b"}, true},
        {{driveWithBackupAt("none", std::nullopt), driveWithBackupAt("old", 1), driveWithBackupAt("tie1", 5),
          driveWithBackupAt("tie2", 5)},
         {"tie1", "tie2", "old", "none"},
         true},
    };
    for (const Case& c : cases) {
        const auto [first, rest] = CheckResult::ordered(c.given);
        EXPECT_EQ(names(first, rest), c.expected);
        EXPECT_EQ(rest.has_value(), c.hasOthers);
    }
}

TEST(CheckResult, DrivesAndTotal)
{
    CheckResult result(now, 1.5, {}, std::nullopt, {}, true);
    result.otherDrives = std::vector<DriveState>{driveWithBackupAt("other", 1)};
    EXPECT_EQ(result.drives().size(), 1u);
    EXPECT_EQ(result.total(), FolderTally("All folders", ""));

    FolderTally a("A", "/a"), b("B", "/b");
    a.files = 2;
    a.counts.add(Place::onlyHere, 2);
    b.files = 3;
    b.counts.add(Place::onlyHere, 3);
    result.folders = {a, b};
    EXPECT_EQ(result.total().files, 5);
    EXPECT_FALSE(result.total().changedSinceBackup) << "absent in every folder stays absent";
    result.folders[1].changedSinceBackup = 1;
    EXPECT_EQ(result.total().changedSinceBackup, 1);
    EXPECT_EQ(result.total().name, "All folders");
    EXPECT_EQ(result.total().path, "");
}

TEST(CheckResultJson, RoundTripsWithDatesCutToWholeSeconds)
{
    FolderTally folder("Documents", "/home/ada/Documents");
    folder.files = 1;
    folder.counts.add(Place::onlyHere, 1);
    CheckResult result(now + milliseconds{750}, 6.25, {folder}, driveWithBackupAt("Backup", 3),
                       {18'808, now - hours{5}}, true);
    result.otherDrives = std::vector<DriveState>{driveWithBackupAt("Old", 1)};
    result.unreadable = std::vector<std::string>{"Music"};
    result.unreadableJournals = std::vector<std::string>{"/home/ada/Nextcloud"};
    result.failingUploads = 2;

    const auto decoded = decodeCheckResultText(encodeCheckResultText(result));
    ASSERT_TRUE(decoded);
    CheckResult expected = result;
    expected.checkedAt = now;
    EXPECT_EQ(*decoded, expected);
}

TEST(CheckResultJson, AbsentOptionalsAreLeftOut)
{
    const CheckResult result(now, 0.5, {}, std::nullopt, {}, std::nullopt);
    EXPECT_EQ(encodeCheckResultText(result),
              R"({"checkedAt":"2026-11-26T15:12:00Z","seconds":0.5,"folders":[],"timeMachine":{}})");
}

TEST(CheckResultJson, AnyFaultMakesTheWholeFileUndecodable)
{
    const std::string good = R"("seconds":1,"folders":[],"timeMachine":{})";
    const std::vector<std::pair<std::string, bool>> cases{
        {R"({"checkedAt":"2026-11-26T15:12:00Z",)" + good + "}", true},
        {R"({"checkedAt":"2026-11-26T15:12:00Z","drive":null,"iCloudDriveOn":null,)" + good + "}", true},
        {R"({"checkedAt":"2026-11-26T15:12:00.250Z",)" + good + "}", false},
        {R"({"checkedAt":"2026-11-26T16:12:00+01:00",)" + good + "}", false},
        {R"({"checkedAt":"2026-11-26T15:12:00Z","unreadable":[1],)" + good + "}", false},
        {R"({"checkedAt":"2026-11-26T15:12:00Z","otherDrives":{},)" + good + "}", false},
        {R"({"checkedAt":"2026-11-26T15:12:00Z","seconds":1,"folders":[]})", false},
        {R"({"checkedAt":"2026-11-26T15:12:00Z","seconds":"1","folders":[],"timeMachine":{}})", false},
        {R"({})", false},
        {"not json", false},
        {"", false},
    };
    for (const auto& [text, decodes] : cases)
        EXPECT_EQ(decodeCheckResultText(text).has_value(), decodes) << text;
}

} // namespace
} // namespace brindle
