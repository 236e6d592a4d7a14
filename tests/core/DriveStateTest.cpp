#include "BrindleCore/DriveState.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

using namespace std::chrono;
const Instant day0{sys_days{2026y / November / 1}};

TEST(DriveFacts, CanHoldTimeMachineByFormatText)
{
    const std::vector<std::pair<const char*, bool>> cases{
        {"", true},
        {"APFS", true},
        {"apfs (case-sensitive)", true},
        {"Mac OS Extended (Journaled)", true},
        {"MAC OS EXTENDED", true},
        {"hfsplus", true},
        {"Unknown", false},
        {"ext4", false},
        {"ExFAT", false},
        {"MS-DOS (FAT32)", false},
        {"NTFS", false},
        {"my apfsish drive", true},
    };
    for (const auto& [format, expected] : cases)
        EXPECT_EQ((DriveFacts{"Backup", format, {}, {}, {}, {}, {}}.canHoldTimeMachine()), expected) << format;
}

TEST(TimeMachineFacts, IsSetUpAboveTwoHundredBytes)
{
    EXPECT_EQ(TimeMachineFacts{}.isSetUp(), std::nullopt);
    EXPECT_EQ((TimeMachineFacts{0, {}}.isSetUp()), false);
    EXPECT_EQ((TimeMachineFacts{200, {}}.isSetUp()), false);
    EXPECT_EQ((TimeMachineFacts{201, {}}.isSetUp()), true);
}

TEST(DriveState, LastBackupDoesNotTrustTheListOrder)
{
    DriveState state{{"Backup", "APFS"}, true, {}, {}};
    EXPECT_FALSE(state.lastBackup());
    EXPECT_FALSE(state.lastBackupStarted());

    state.backups = {{day0 + days{2}, day0 + days{2} - hours{1}, {}, {}},
                     {day0 + days{5}, {}, {}, {}},
                     {day0 + days{3}, day0 + days{3} - hours{1}, {}, {}}};
    EXPECT_EQ(state.lastBackup(), day0 + days{5});
    // The newest has no start time: its date, never an older backup's start.
    EXPECT_EQ(state.lastBackupStarted(), day0 + days{5});

    state.backups = {{day0, day0 - hours{2}, {}, {}}, {day0, day0 - hours{1}, {}, {}}};
    EXPECT_EQ(state.lastBackupStarted(), day0 - hours{2}) << "of equal dates the first wins";
}

TEST(DriveJson, RecordsRoundTripInBothDateForms)
{
    const DriveState full{{"Backup", "APFS", 2'000'000'000'000, 1'460'000'000'000, true, "DEMO", true},
                          false,
                          {{day0, day0 - minutes{3}, 812, 1'201'760'000}, {day0 + days{1}, {}, {}, {}}},
                          day0 + days{2}};
    const DriveState bare{{"Backup", ""}, false, {}, {}};
    const TimeMachineFacts facts{18'808, day0};
    for (const DateForm form : {DateForm::iso8601, DateForm::referenceSeconds}) {
        for (const DriveState& state : {full, bare})
            EXPECT_EQ(decodeDriveState(parseJson(dumpJson(encode(state, form))), form), state);
        EXPECT_EQ(decodeTimeMachineFacts(parseJson(dumpJson(encode(facts, form))), form), facts);
        EXPECT_EQ(decodeTimeMachineFacts(parseJson(dumpJson(encode(TimeMachineFacts{}, form))), form),
                  TimeMachineFacts{});
    }
    EXPECT_EQ(
        dumpJson(encode(full.backups[0], DateForm::iso8601)),
        R"({"date":"2026-11-01T00:00:00Z","started":"2026-10-31T23:57:00Z","changedItems":812,"changedBytes":1201760000})");
    EXPECT_EQ(dumpJson(encode(full.backups[0], DateForm::referenceSeconds)).substr(0, 21), R"({"date":815184000.0,")");
    EXPECT_EQ(dumpJson(encode(bare, DateForm::iso8601)),
              R"({"facts":{"name":"Backup","format":""},"connected":false,"backups":[]})");
}

TEST(DriveJson, DecodingNeedsTheRequiredKeysAndTypes)
{
    const std::vector<std::pair<const char*, bool>> facts{
        {R"({"name":"B","format":"APFS"})", true},
        {R"({"name":"B","format":"APFS","uuid":null,"removable":null})", true},
        {R"({"name":"B"})", false},
        {R"({"format":"APFS"})", false},
        {R"({"name":"B","format":"APFS","totalBytes":"big"})", false},
        {R"({"name":"B","format":"APFS","encrypted":1})", false},
        {R"({"name":"B","format":"APFS","freeBytes":-1})", false},
    };
    for (const auto& [text, decodes] : facts)
        EXPECT_EQ(decodeDriveFacts(parseJson(text), DateForm::iso8601).has_value(), decodes) << text;

    const std::vector<std::pair<const char*, bool>> states{
        {R"({"facts":{"name":"B","format":""},"connected":true,"backups":[]})", true},
        {R"({"facts":{"name":"B","format":""},"connected":true})", false},
        {R"({"facts":{"name":"B","format":""},"backups":[]})", false},
        {R"({"facts":{"name":"B","format":""},"connected":true,"backups":[{"date":"2026-11-01T00:00:00.5Z"}]})", false},
        {R"({"facts":{"name":"B","format":""},"connected":true,"backups":[{"date":815184000}]})", false},
        {R"({"facts":{"name":"B","format":""},"connected":true,"backups":[],"lastSeen":"yesterday"})", false},
        {R"({"facts":{"name":"B","format":""},"connected":true,"backups":[{"date":"2026-11-01T00:00:00Z","changedItems":-5}]})",
         false},
    };
    for (const auto& [text, decodes] : states)
        EXPECT_EQ(decodeDriveState(parseJson(text), DateForm::iso8601).has_value(), decodes) << text;
    EXPECT_TRUE(decodeDriveState(
        parseJson(R"({"facts":{"name":"B","format":""},"connected":true,"backups":[{"date":815184000}]})"),
        DateForm::referenceSeconds));
}

} // namespace
} // namespace brindle
