#include "BrindleCore/Classify.h"

#include "tests/support/Threads.h"

#include <gtest/gtest.h>

#include <vector>

namespace brindle {
namespace {

constexpr auto notDownloaded = DownloadingStatus::notDownloaded;
constexpr auto downloaded = DownloadingStatus::downloaded;
constexpr auto current = DownloadingStatus::current;
constexpr std::nullopt_t none = std::nullopt;

struct PlaceCase {
    ICloudFacts facts;
    Place expected;
};

class PlaceDecision : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(PlaceDecision, FirstMatchingRuleDecides) { EXPECT_EQ(Classify::place(GetParam().facts), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Rules, PlaceDecision,
                         ::testing::Values(
                             // Not reported as a cloud item: the dataless flag alone decides.
                             PlaceCase{{none, none, none, none, false}, Place::onlyHere},
                             PlaceCase{{none, none, none, none, true}, Place::onlyICloud},
                             PlaceCase{{none, notDownloaded, true, none, false}, Place::onlyHere},
                             // Reported as not a cloud item: only here, whatever else is said.
                             PlaceCase{{false, notDownloaded, true, true, true}, Place::onlyHere},
                             // Content not here: the download status wins over "uploaded".
                             PlaceCase{{true, notDownloaded, true, none, false}, Place::onlyICloud},
                             PlaceCase{{true, current, true, none, true}, Place::onlyICloud},
                             // Content here: the upload state decides.
                             PlaceCase{{true, current, true, true, false}, Place::both},
                             PlaceCase{{true, none, true, none, false}, Place::both},
                             PlaceCase{{true, downloaded, false, false, false}, Place::waiting},
                             PlaceCase{{true, current, none, true, false}, Place::waiting},
                             PlaceCase{{true, current, false, none, false}, Place::waiting},
                             PlaceCase{{true, current, none, false, false}, Place::unknown},
                             PlaceCase{{true, current, none, none, false}, Place::unknown}));

TEST(KindOf, UsesTheLastExtensionWhateverItsCase)
{
    const std::vector<std::pair<const char*, Kind>> cases{
        {"Photo.JPG", Kind::pictures},   {"Notes.MD", Kind::documents},
        {"README", Kind::other},         {"backup.tar.gz", Kind::archives},
        {"Film.MOV", Kind::videos},      {"clip.mpg", Kind::other},
        {"Song.logicx", Kind::audio},    {"/Users/a/Talk.Key", Kind::documents},
        {"trailing.", Kind::other},      {".profile", Kind::other},
        {"dir.jpg/inside", Kind::other}, {"x.verylongextension", Kind::other},
        {"scan.TIFF", Kind::pictures},   {"noise.flac", Kind::audio},
    };
    for (const auto& [name, kind] : cases)
        EXPECT_EQ(Classify::kindOf(name), kind) << name;
}

TEST(KindOf, TableHoldsSixtyTwoLowerCaseExtensions)
{
    const auto& table = Classify::byExtension();
    EXPECT_EQ(table.size(), 62u);
    for (const auto& [extension, kind] : table) {
        EXPECT_EQ(Classify::kindOf("f." + extension), kind);
        for (const char c : extension)
            EXPECT_FALSE(c >= 'A' && c <= 'Z') << extension;
    }
}

TEST(KindOf, FirstUseFromManyThreadsBuildsOneTable)
{
    EXPECT_EQ(test::addressesFromThreads(8, [] { return &Classify::byExtension(); }).size(), 1u);
}

} // namespace
} // namespace brindle
