#include "BrindleCore/Guide.h"
#include "BrindleCore/ResourceBundle.h"

#include "tests/support/TestTree.h"
#include "tests/support/Threads.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

namespace brindle {
namespace {

const Phrase counted{Phrase::Counted{"{n} file in {where}", "{n} files in {where}"}};

TEST(Phrase, PicksItsFormByCountAndFillsPlaceholders)
{
    const std::vector<std::tuple<std::int64_t, PhraseValues, std::string>> cases{
        {1, {{"where", "Documents"}}, "1 file in Documents"},
        {0, {{"where", "Documents"}}, "0 files in Documents"},
        {-1, {{"where", "Documents"}}, "-1 files in Documents"},
        {1234567, {{"where", "Desktop"}}, "1,234,567 files in Desktop"},
        {2, {}, "2 files in {where}"},                         // unknown placeholders stay
        {2, {{"n", "two"}, {"where", "x"}}, "two files in x"}, // a given "n" wins
        {2, {{"Where", "x"}}, "2 files in {where}"},           // names are case-sensitive
    };
    for (const auto& [count, values, expected] : cases)
        EXPECT_EQ(counted.text(count, values), expected);
    const Phrase plain{std::string("No placeholders {here}")};
    EXPECT_EQ(plain.text(1), "No placeholders {here}");
    EXPECT_EQ(Phrase{std::string("{n} and {n}")}.text(1000), "1,000 and 1,000");
    EXPECT_EQ(Phrase{std::string("{a}")}.text(0, {{"a", "{a}{a}"}}), "{a}{a}") << "values are inserted as they are";
}

std::string guideText(const std::string& answers, const std::string& extra = "")
{
    return R"({"version":3,"line":"L","promise":"P","places":{"onlyHere":"Here"},"answers":)" + answers +
           R"(,"findings":[{"id":"a","title":"T1","line":"L1","button":"B","opens":"o","help":"H"},)"
           R"({"id":"a","title":"T2","line":"L2","button":"B","opens":"o","help":"H","future":1}],)"
           R"("opens":{"o":{"url":null},"p":{"url":"https://example.org","action":"x","tested":true}},)"
           R"("notes":{"n":{"title":{"one":"1","other":"many","few":"ignored"},"body":"B"}})" +
           extra + "}";
}

TEST(GuideDecoding, ReadsEveryPartAndIgnoresUnknownMembers)
{
    const auto decoded =
        decodeGuideText(guideText(R"({"k":"plain","c":{"one":"1","other":"o"}})", R"(,"later":[1,2])"));
    ASSERT_TRUE(decoded.guide) << decoded.error;
    const Guide& guide = *decoded.guide;
    EXPECT_EQ(guide.version, 3);
    EXPECT_EQ(guide.places.at("onlyHere"), "Here");
    EXPECT_EQ(guide.answer("c").text(1), "1");
    EXPECT_EQ(guide.finding("a").title.text(0), "T1") << "the first of two with one id";
    EXPECT_EQ(guide.opens.at("o"), Opens{});
    EXPECT_EQ(guide.opens.at("p"), (Opens{"https://example.org", "x", true}));
    EXPECT_EQ(guide.note("n").title.text(5), "many");
}

TEST(GuideDecoding, FailsWholeOnAnyFault)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {guideText(R"({"c":{"one":"1"}})"), "A counted phrase needs \"one\" and \"other\""},
        {guideText(R"({"c":{"other":"o"}})"), "A counted phrase needs \"one\" and \"other\""},
        {guideText(R"({"c":{"one":"1","other":2}})"), ""},
        {guideText(R"({"c":7})"), ""},
        {guideText(R"([])"), ""},
        {R"({"version":1})", ""},
        {guideText(R"({})").replace(1, 11, R"("version":"3")"), ""},
        {"[]", ""},
        {"", ""},
    };
    for (const auto& [text, error] : cases) {
        const auto decoded = decodeGuideText(text);
        EXPECT_FALSE(decoded.guide) << text;
        EXPECT_FALSE(decoded.error.empty()) << text;
        if (!error.empty()) {
            EXPECT_EQ(decoded.error, error) << text;
        }
    }
    EXPECT_EQ(decodeGuideText(guideText(R"({"c":{"one":"1"}})")).where, "answers.c");
}

using GuideDeathTest = ::testing::Test;

TEST_F(GuideDeathTest, AMissingOrUndecodableResourceStopsTheProgram)
{
    const test::TestTree tree{{{"empty.bundle", test::Node::directory()}}};
    EXPECT_DEATH((void)Guide::load(std::nullopt), "unable to find bundle named Brindle_BrindleCore");
    EXPECT_DEATH((void)Guide::load(tree.path("empty.bundle")), "Guide.json is missing or doesn't decode");
    std::ofstream(tree.path("empty.bundle/Guide.json")) << guideText(R"({"c":{"one":"1"}})");
    EXPECT_DEATH((void)Guide::load(tree.path("empty.bundle")), "Guide.json is missing or doesn't decode");
    std::ofstream(tree.path("empty.bundle/Guide.json")) << guideText(R"({"c":{"one":"1","other":"2"}})");
    EXPECT_EQ(Guide::load(tree.path("empty.bundle")).answer("c").text(2), "2");
}

TEST_F(GuideDeathTest, MissingKeysStopTheProgramNamingThem)
{
    const Guide guide = *decodeGuideText(guideText("{}")).guide;
    EXPECT_DEATH((void)guide.answer("noFolders"), "No answer noFolders in Guide.json");
    EXPECT_DEATH((void)guide.finding("photos"), "No finding photos in Guide.json");
    EXPECT_DEATH((void)guide.note("backupOld"), "No note backupOld in Guide.json");
}

// ---- The shipped guide.

const std::vector<std::pair<std::string, std::set<std::string>>> answerKeys{
    {"noFolders", {}},
    {"noFiles", {"name", "folders"}},
    {"noBackup", {"size"}},
    {"notInICloud", {"size"}},
    {"iCloudAfterBackup", {}},
    {"iCloudClause", {}},
    {"onlyWaiting", {}},
    {"allTwoCopies", {"name", "folders"}},
    {"cantTellAll", {}},
    {"changedSince", {"when"}},
    {"nothingChanged", {"when"}},
};
const std::vector<std::pair<std::string, std::set<std::string>>> findingKeys{
    {"cantOpen", {"folders"}},
    {"cantReadAll", {"folders"}},
    {"driveNotChosen", {"when", "tool", "drive"}},
    {"noBackup", {}},
    {"noBackupOnDrive", {"drive"}},
    {"searchStopped", {"drive"}},
    {"onlyHere", {"folders"}},
    {"cantHoldTimeMachine", {"drive", "format", "tool", "needs"}},
    {"driveAway", {"when"}},
    {"backupOld", {"when"}},
    {"changedSinceBackup", {}},
    {"onlyICloud", {"size"}},
    {"notEncrypted", {"tool"}},
    {"waitingLong", {"when"}},
    {"cantTell", {}},
    {"photos", {}},
    {"photoCatalogue", {"manager", "where"}},
    {"photoCatalogueKept", {"manager", "where", "folder"}},
    {"sameDisk", {"folders", "tool"}},
    {"leftOut", {"folders", "tool"}},
    {"leftOutInside", {"folders", "tool"}},
    {"futureBackup", {"drive", "date"}},
    {"journalUnreadable", {"client", "folders"}},
    {"uploadsFailing", {"client"}},
    {"remoteBackup", {"tool", "folders", "target", "when"}},
    {"remoteUnseen", {"tool", "target"}},
    {"remoteBackupOld", {"tool", "target", "when"}},
};
const std::vector<std::pair<std::string, std::set<std::string>>> noteKeys{
    {"driveAway", {"drive", "when"}}, {"backupOld", {"drive", "when"}}, {"moreWithout", {"total", "before", "when"}}};

// Fills every form of a phrase with sample values for exactly `names` and checks that nothing
// is left unfilled.
void expectFillable(const Phrase& phrase, const std::set<std::string>& names, const std::string& where)
{
    PhraseValues values;
    for (const std::string& name : names)
        values[name] = "<" + name + ">";
    for (const std::int64_t count : {0, 1, 2, 1234}) {
        const std::string text = phrase.text(count, values);
        EXPECT_EQ(text.find('{'), std::string::npos) << where << ": " << text;
        EXPECT_FALSE(text.empty()) << where;
        EXPECT_EQ(text.find('\''), std::string::npos) << where << " uses a straight apostrophe: " << text;
    }
}

TEST(ShippedGuide, HoldsEveryKeyAndEveryPhraseFills)
{
    const Guide& guide = Guide::shared();
    EXPECT_FALSE(guide.line.empty());
    EXPECT_FALSE(guide.promise.empty());
    for (const char* place :
         {"onlyHere", "both", "onlyICloud", "waiting", "changedSinceBackup", "secondCopyWithBackup"})
        EXPECT_FALSE(guide.places.at(place).empty()) << place;
    for (const auto& [key, names] : answerKeys)
        expectFillable(guide.answer(key), names, "answers." + key);
    for (const auto& [id, names] : findingKeys) {
        const GuideFinding& finding = guide.finding(id);
        expectFillable(finding.title, names, id + ".title");
        expectFillable(finding.line, names, id + ".line");
        EXPECT_FALSE(finding.button.empty()) << id;
        EXPECT_FALSE(finding.help.empty()) << id;
        static const std::set<std::string> handledByTheApp{"chooseDrive", "photosGuide", "finder", "settings",
                                                           "backupDiskFormats"};
        // The sync client found answers these: its settings and its own help.
        static const std::set<std::string> theClients{"iCloudHelp", "iCloudSettings"};
        if (!handledByTheApp.contains(finding.opens)) {
            ASSERT_TRUE(guide.opens.contains(finding.opens)) << id << " opens " << finding.opens;
            const auto& url = guide.opens.at(finding.opens).url;
            ASSERT_TRUE(url || theClients.contains(finding.opens)) << finding.opens;
            if (url) {
                EXPECT_TRUE(url->starts_with("https://") || url->starts_with("appstream:")) << *url;
            }
        }
    }
    for (const auto& [key, opens] : guide.opens)
        EXPECT_EQ(opens.url.value_or("").find("apple.com"), std::string::npos) << key;
    for (const auto& [id, names] : noteKeys) {
        expectFillable(guide.note(id).title, names, id + ".title");
        expectFillable(guide.note(id).body, names, id + ".body");
    }
    EXPECT_TRUE(guide.opens.at("timeMachineSettings").url);
    EXPECT_TRUE(guide.opens.contains("iCloudSettings"));
}

TEST(ShippedGuide, LoadsOnceWhicheverThreadComesFirst)
{
    EXPECT_EQ(test::addressesFromThreads(6, [] { return &Guide::shared(); }).size(), 1u);
}

} // namespace
} // namespace brindle

namespace brindle {
namespace {

TEST(ResourceBundle, InstalledResourcesComeFirstThenTheBuildTreeThenTheExecutablesFolder)
{
    const auto candidates = resourceBundleCandidates();
    ASSERT_EQ(candidates.size(), 4u);
    EXPECT_TRUE(candidates[0].ends_with("/../share/brindle/Brindle_BrindleCore.bundle")) << candidates[0];
    EXPECT_TRUE(candidates[1].ends_with("/../../share/brindle/Brindle_BrindleCore.bundle")) << candidates[1];
    EXPECT_TRUE(candidates[3].ends_with("/tests/Brindle_BrindleCore.bundle")) << candidates[3];
    EXPECT_EQ(findResourceBundle(), candidates[2]) << "tests find the build tree's copy from any folder";
}

} // namespace
} // namespace brindle
