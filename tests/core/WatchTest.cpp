// Keep-watch rules as tables across their boundaries, against a guide whose notes echo
// their values.
#include "BrindleCore/Watch.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

using namespace std::chrono;

const Calendar london = *Calendar::named("Europe/London");
// 14:00 in London (GMT in November).
const Instant afternoon{sys_days{2026y / November / 26} + 14h};

Guide echoGuide()
{
    Guide guide;
    const auto echo = [](const std::string& id) {
        return GuideNote{Phrase{Phrase::Counted{id + " one", id + " {n}"}},
                         Phrase{std::string("{drive}|{when}|{total}|{before}")}};
    };
    for (const char* id : {"backupOld", "driveAway", "moreWithout"})
        guide.notes[id] = echo(id);
    return guide;
}

TEST(Watch, CheckDueAfterAWeek)
{
    EXPECT_TRUE(Watch::checkDue(std::nullopt, afternoon));
    EXPECT_TRUE(Watch::checkDue(afternoon - seconds{604'800}, afternoon));
    EXPECT_FALSE(Watch::checkDue(afternoon - seconds{604'799}, afternoon));
    EXPECT_FALSE(Watch::checkDue(afternoon + hours{1}, afternoon));
}

TEST(Watch, GrewEnoughNeedsFiftyAndATenth)
{
    const std::vector<std::tuple<std::int64_t, std::int64_t, bool>> cases{{0, 50, true},
                                                                          {0, 49, false},
                                                                          {400, 450, true},
                                                                          {600, 650, false},
                                                                          {600, 660, true},
                                                                          {500, 400, false},
                                                                          {-100, -50, true},
                                                                          {1'000'000, 1'100'000, true},
                                                                          {1'000'000, 1'099'999, false}};
    for (const auto& [from, to, expected] : cases)
        EXPECT_EQ(Watch::grewEnough(from, to), expected) << from << " → " << to;
}

TEST(WatchSettings, JsonNeedsAllFourSwitches)
{
    const WatchSettings settings{true, false, true, false};
    EXPECT_TRUE(settings.anyNote());
    EXPECT_FALSE((WatchSettings{true, false, false, false}.anyNote()));
    EXPECT_TRUE((WatchSettings{true, false, false, false}.anything()));
    EXPECT_EQ(dumpJson(encode(settings)), R"({"weekly":true,"oldBackup":false,"driveAway":true,"moreWithout":false})");
    EXPECT_EQ(decodeWatchSettings(parseJson(dumpJson(encode(settings)))), settings);
    EXPECT_FALSE(decodeWatchSettings(parseJson(R"({"weekly":true,"oldBackup":false,"driveAway":true})")));
    EXPECT_FALSE(
        decodeWatchSettings(parseJson(R"({"weekly":1,"oldBackup":false,"driveAway":true,"moreWithout":false})")));
    EXPECT_EQ(watchNoteIDFromRaw("driveAway"), WatchNote::ID::driveAway);
    EXPECT_FALSE(watchNoteIDFromRaw("DriveAway"));
}

struct Situation {
    const char* what;
    Instant now = afternoon;
    std::optional<seconds> backupAgo;
    bool connected = true;
    std::optional<seconds> seenAgo;
    WatchSettings settings{false, true, true, true};
    SentNotes sent;
    std::optional<std::int64_t> previousCount; // the previous summary's count, same folders
    std::int64_t count = 0;                    // files with no second copy now
    std::vector<std::string> expected;         // "id: title / body"
};

std::vector<std::string> run(const Situation& s)
{
    FolderTally folder("Docs", "/docs");
    folder.files = s.count;
    folder.counts.add(Place::onlyHere, s.count);
    std::optional<DriveState> drive;
    if (s.backupAgo || s.seenAgo || !s.connected) {
        drive = DriveState{{"Backup", "APFS"}, s.connected, {}};
        if (s.backupAgo)
            drive->backups.push_back({s.now - *s.backupAgo});
        if (s.seenAgo)
            drive->lastSeen = s.now - *s.seenAgo;
    }
    const CheckResult result(s.now, 1.0, {folder}, drive, {}, false);
    std::optional<CheckSummary> previous;
    if (s.previousCount) {
        previous = CheckSummary(result);
        previous->at = s.now - days{7};
        previous->noSecondCopy = *s.previousCount;
    }
    std::vector<std::string> out;
    for (const WatchNote& note : Watch::notes(result, previous, s.settings, s.sent, echoGuide(), s.now, london)) {
        std::string text = std::string(rawValue(note.id)) + ": " + note.title + " / " + note.body;
        // Placeholders a note does not fill stay verbatim; leave them out of the comparison.
        for (auto open = text.find('{'); open != std::string::npos; open = text.find('{', open))
            text.erase(open, text.find('}', open) - open + 1);
        out.push_back(text);
    }
    return out;
}

TEST(Watch, NotesAcrossTheirBoundaries)
{
    const seconds week{604'800};
    const std::vector<Situation> cases{
        {"an old backup at 14:00",
         afternoon,
         days{10},
         true,
         {},
         {false, true, true, true},
         {},
         {},
         0,
         {"backupOld: backupOld 0 / Backup|10 days ago||"}},
        {"at 21:59",
         afternoon + 7h + 59min,
         days{10},
         true,
         {},
         {false, true, true, true},
         {},
         {},
         0,
         {"backupOld: backupOld 0 / Backup|10 days ago||"}},
        {"at 22:00", afternoon + 8h, days{10}, true, {}, {false, true, true, true}, {}, {}, 0, {}},
        {"at 07:59", afternoon - 6h - 1min, days{10}, true, {}, {false, true, true, true}, {}, {}, 0, {}},
        {"at 08:00",
         afternoon - 6h,
         days{10},
         true,
         {},
         {false, true, true, true},
         {},
         {},
         0,
         {"backupOld: backupOld 0 / Backup|10 days ago||"}},
        {"backup exactly a week old", afternoon, week, true, {}, {false, true, true, true}, {}, {}, 0, {}},
        {"backup a second more",
         afternoon,
         week + seconds{1},
         true,
         {},
         {false, true, true, true},
         {},
         {},
         0,
         {"backupOld: backupOld 0 / Backup|7 days ago||"}},
        {"any note 23 hours ago blocks all",
         afternoon,
         days{10},
         true,
         {},
         {false, true, true, true},
         {{"moreWithout", afternoon - 23h}},
         {},
         0,
         {}},
        {"a note in the future blocks all",
         afternoon,
         days{10},
         true,
         {},
         {false, true, true, true},
         {{"driveAway", afternoon + 1h}},
         {},
         0,
         {}},
        {"the same note 25 hours ago is quiet",
         afternoon,
         days{10},
         true,
         {},
         {false, true, true, true},
         {{"backupOld", afternoon - 25h}},
         {},
         0,
         {}},
        {"another note 25 hours ago is not",
         afternoon,
         days{10},
         true,
         {},
         {false, true, true, true},
         {{"moreWithout", afternoon - 25h}},
         {},
         0,
         {"backupOld: backupOld 0 / Backup|10 days ago||"}},
        {"the same note 6.5 days ago may come again",
         afternoon,
         days{10},
         true,
         {},
         {false, true, true, true},
         {{"backupOld", afternoon - seconds{561'600}}},
         {},
         0,
         {"backupOld: backupOld 0 / Backup|10 days ago||"}},
        {"away 8 days with driveAway off ends the chain",
         afternoon,
         days{30},
         false,
         days{8},
         {false, true, false, false},
         {},
         {},
         0,
         {}},
        {"away 8 days",
         afternoon,
         days{30},
         false,
         days{8},
         {false, true, true, true},
         {},
         {},
         0,
         {"driveAway: driveAway 0 / Backup|on 18 November||"}},
        {"away 3 days, backup 10 days old",
         afternoon,
         days{10},
         false,
         days{3},
         {false, true, true, true},
         {},
         {},
         0,
         {"backupOld: backupOld 0 / Backup|10 days ago||"}},
        {"old backup with the switch off", afternoon, days{10}, true, {}, {false, false, true, true}, {}, {}, 0, {}},
        {"growth alone",
         afternoon,
         hours{1},
         true,
         {},
         {false, true, true, true},
         {},
         400,
         450,
         {"moreWithout: moreWithout 50 / |on 19 November|450|400"}},
        {"growth too small", afternoon, hours{1}, true, {}, {false, true, true, true}, {}, 600, 650, {}},
        {"the drive note wins",
         afternoon,
         days{10},
         true,
         {},
         {false, true, true, true},
         {},
         400,
         1'450,
         {"backupOld: backupOld 0 / Backup|10 days ago||"}},
        {"growth with grouped counts",
         afternoon,
         hours{1},
         true,
         {},
         {false, false, false, true},
         {},
         1'000,
         2'345,
         {"moreWithout: moreWithout 1,345 / |on 19 November|2,345|1,000"}},
        {"no previous summary: drive notes only",
         afternoon,
         hours{1},
         true,
         {},
         {false, true, true, true},
         {},
         {},
         5'000,
         {}},
    };
    for (const Situation& s : cases)
        EXPECT_EQ(run(s), s.expected) << s.what;
}

TEST(Watch, GrowthNeedsTheSameFoldersAndTheSameKindOfBackupDate)
{
    FolderTally folder("Docs", "/docs");
    folder.files = 500;
    folder.counts.add(Place::onlyHere, 500);
    const CheckResult noDrive(afternoon, 1.0, {folder}, std::nullopt, {}, false);
    CheckSummary previous(noDrive);
    previous.noSecondCopy = 100;
    const WatchSettings growthOnly{false, false, false, true};
    const auto notes = [&](const CheckResult& result, const CheckSummary& before) {
        return Watch::notes(result, before, growthOnly, {}, echoGuide(), afternoon, london).size();
    };
    EXPECT_EQ(notes(noDrive, previous), 1u);
    CheckSummary otherFolders = previous;
    otherFolders.folders = 2;
    EXPECT_EQ(notes(noDrive, otherFolders), 0u);
    CheckSummary hadBackup = previous;
    hadBackup.lastBackup = afternoon - days{1};
    EXPECT_EQ(notes(noDrive, hadBackup), 0u);
    const CheckResult withBackup(afternoon, 1.0, {folder}, DriveState{{"B", "APFS"}, true, {{afternoon - days{1}}}}, {},
                                 false);
    EXPECT_EQ(notes(withBackup, hadBackup), 1u);
    EXPECT_EQ(notes(withBackup, previous), 0u);
}

} // namespace
} // namespace brindle
