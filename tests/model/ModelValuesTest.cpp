// The model's plain values: grants as the settings keep them, and the launch arguments.
#include "Brindle/app/model/Grant.h"
#include "Brindle/app/model/LaunchArguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brindle {
namespace {

TEST(Grant, RoundTripsAndRefusesWhatDoesNotDecode)
{
    const std::vector<Grant> grants{{"Documents", "/home/ada/Documents", "token-1"},
                                    {"Backup", "/media/ada/Backup", "token-2", "0F3C-11AA"}};
    EXPECT_EQ(decodeGrants(parseJson(dumpJson(encode(grants)))), grants);
    EXPECT_EQ(dumpJson(encode(grants[0])), R"({"name":"Documents","path":"/home/ada/Documents","bookmark":"token-1"})");
    // A token that is a JSON object is kept as one, not as escaped text.
    const Grant objectToken{"Docs", "/d", R"({"inode":7,"path":"/d"})"};
    EXPECT_EQ(dumpJson(encode(objectToken)), R"({"name":"Docs","path":"/d","bookmark":{"inode":7,"path":"/d"}})");
    EXPECT_EQ(decodeGrant(parseJson(dumpJson(encode(objectToken)))), objectToken);
    for (const char* bad : {R"({"name":"A","path":"/a"})", R"({"name":"A","path":"/a","bookmark":"t","uuid":7})",
                            R"([{"name":"A","path":"/a","bookmark":"t"},{"name":1}])", R"("grants")", "{}"}) {
        const JsonIn value = parseJson(bad);
        EXPECT_FALSE(value.is_array() ? decodeGrants(value).has_value() : decodeGrant(value).has_value()) << bad;
    }
}

TEST(Grant, ABadGrantInAListIsNamedAndTheOthersKept)
{
    const auto decoded = decodeEachGrant(
        parseJson(R"([{"name":"A","path":"/a","bookmark":"t"},{"name":"B","path":"/b","bookmark":"t","uuid":5},)"
                  R"({"path":"/c","bookmark":7},{"name":1},"x",{"name":"D","path":"/d","bookmark":"u"}])"));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->grants, (std::vector<Grant>{{"A", "/a", "t"}, {"D", "/d", "u"}}));
    EXPECT_EQ(decoded->undecodable, (std::vector<std::string>{"B", "/c", "grant 4", "grant 5"}));
    EXPECT_FALSE(decodeEachGrant(parseJson(R"({"grants":[]})")));
}

TEST(LaunchArguments, MatchWholeArgumentsAndTakeTheFirstSelection)
{
    using Kind = Section::Kind;
    struct Case {
        std::vector<std::string_view> words;
        LaunchArguments expected;
    };
    const std::vector<Case> cases{
        {{}, {}},
        {{"-demo"}, {.demo = LaunchArguments::Demo::noBackup}},
        {{"-demo", "-demoDrive"}, {.demo = LaunchArguments::Demo::withDrive}},
        {{"-demonstrate", "--demo", "-menubar", "-welcome", "-watchNow"},
         {.menuBarWindow = true, .welcome = true, .watchNow = true}},
        {{"-select=folder=Pictures/Trips", "-select=history"}, {.selection = Section::folder("~/Pictures/Trips")}},
        {{"-select=nosecond"}, {.selection = Section{Kind::noSecondCopy}}},
        {{"-select=drive"}, {.selection = Section{Kind::backupDrive}}},
        {{"-select=bogus", "-select=week"}, {}},
        {{"-day"}, {.appearance = LaunchArguments::Appearance::light}},
        {{"-day", "-night"}, {.appearance = LaunchArguments::Appearance::dark}},
    };
    for (const Case& c : cases) {
        std::string words;
        for (const std::string_view word : c.words)
            words += std::string(word) + " ";
        EXPECT_EQ(LaunchArguments::parse(c.words), c.expected) << words;
    }
    EXPECT_TRUE(LaunchArguments::isLaunchArgument("-select=all"));
    EXPECT_FALSE(LaunchArguments::isLaunchArgument("check"));
}

} // namespace
} // namespace brindle
