#include "BrindleCore/FolderTally.h"

#include <gtest/gtest.h>

#include <limits>

namespace brindle {
namespace {

using Bands = std::vector<std::pair<Segment, double>>;

FolderTally tallyWith(std::initializer_list<std::tuple<Place, std::int64_t, std::int64_t>> places,
                      std::optional<std::int64_t> changed = std::nullopt,
                      std::optional<std::int64_t> changedBytes = std::nullopt)
{
    FolderTally tally("Folder", "/home/a/Folder");
    for (const auto& [place, files, bytes] : places) {
        tally.counts.add(place, files);
        if (place != Place::unknown) {
            tally.files += files;
            tally.sizes.add(place, bytes);
            tally.bytes += bytes;
            tally.kinds.add(Kind::other, files);
        }
    }
    tally.changedSinceBackup = changed;
    tally.changedSinceBackupBytes = changedBytes;
    return tally;
}

TEST(FolderTally, FreshTallyHasNothing)
{
    const FolderTally tally("Documents", "/home/a/Documents");
    EXPECT_EQ(tally.id(), "/home/a/Documents");
    EXPECT_EQ(tally.noSecondCopy(), 0);
    EXPECT_EQ(tally.noSecondCopyWithBackup(), 0);
    EXPECT_TRUE(tally.segments(true).empty());
    EXPECT_TRUE(tally.segments(false).empty());
}

TEST(FolderTally, NoSecondCopyWithBackupIsCappedByTheFilesOnlyHere)
{
    const std::vector<std::pair<std::optional<std::int64_t>, std::int64_t>> cases{
        {std::nullopt, 12}, {3, 5}, {0, 2}, {10, 12}, {15, 12}};
    for (const auto& [changed, expected] : cases) {
        const FolderTally tally =
            tallyWith({{Place::onlyHere, 10, 0}, {Place::onlyICloud, 2, 0}, {Place::both, 7, 0}}, changed);
        EXPECT_EQ(tally.noSecondCopy(), 12);
        EXPECT_EQ(tally.noSecondCopyWithBackup(), expected) << changed.value_or(-1);
    }
}

TEST(FolderTally, Segments)
{
    struct Case {
        const char* what;
        FolderTally tally;
        Bands byFiles, byBytes;
    };
    const std::vector<Case> cases{
        {"no backup known",
         tallyWith(
             {{Place::onlyHere, 4, 400}, {Place::both, 2, 20}, {Place::onlyICloud, 1, 10}, {Place::waiting, 3, 0}}),
         {{Segment::noSecondCopy, 4}, {Segment::twoCopies, 2}, {Segment::onlyICloud, 1}, {Segment::waiting, 3}},
         {{Segment::noSecondCopy, 400}, {Segment::twoCopies, 20}, {Segment::onlyICloud, 10}}},
        {"nothing changed since the backup",
         tallyWith({{Place::onlyHere, 4, 400}, {Place::onlyICloud, 1, 10}}, 0, 0),
         {{Segment::unchangedSinceBackup, 4}, {Segment::onlyICloud, 1}},
         {{Segment::unchangedSinceBackup, 400}, {Segment::onlyICloud, 10}}},
        {"some changed",
         tallyWith({{Place::onlyHere, 4, 400}}, 1, 150),
         {{Segment::noSecondCopy, 1}, {Segment::unchangedSinceBackup, 3}},
         {{Segment::noSecondCopy, 150}, {Segment::unchangedSinceBackup, 250}}},
        {"changed count without bytes",
         tallyWith({{Place::onlyHere, 4, 400}}, 2, std::nullopt),
         {{Segment::noSecondCopy, 2}, {Segment::unchangedSinceBackup, 2}},
         {{Segment::unchangedSinceBackup, 400}}},
        {"changed beyond what is here",
         tallyWith({{Place::onlyHere, 4, 400}}, 9, 900),
         {{Segment::noSecondCopy, 4}},
         {{Segment::noSecondCopy, 400}}},
        {"only unknown files", tallyWith({{Place::unknown, 5, 0}}), {}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.tally.segments(true), c.byFiles) << c.what;
        EXPECT_EQ(c.tally.segments(false), c.byBytes) << c.what;
    }
    const FolderTally unknownOnly = tallyWith({{Place::unknown, 5, 0}});
    EXPECT_EQ(unknownOnly.files, 0);
    EXPECT_EQ(unknownOnly.count(Place::unknown), 5);
}

TEST(FolderTally, MergeAddsEverythingAndKeepsTheReceiversIdentity)
{
    FolderTally a = tallyWith({{Place::onlyHere, 2, 20}, {Place::unknown, 1, 0}});
    a.changedThisWeek = 1;
    FolderTally b = tallyWith({{Place::onlyHere, 3, 30}, {Place::both, 1, 5}}, 2, 7);
    b.name = "Other";
    b.path = "/elsewhere";
    b.inICloud = true;

    FolderTally merged = a;
    merged.merge(b);
    EXPECT_EQ(merged.name, "Folder");
    EXPECT_EQ(merged.path, "/home/a/Folder");
    EXPECT_EQ(merged.files, 6);
    EXPECT_EQ(merged.bytes, 55);
    EXPECT_EQ(merged.count(Place::onlyHere), 5);
    EXPECT_EQ(merged.count(Place::unknown), 1);
    EXPECT_EQ(merged.size(Place::both), 5);
    EXPECT_EQ(merged.kinds[Kind::other], 6);
    EXPECT_EQ(merged.changedThisWeek, 1);
    EXPECT_EQ(merged.changedSinceBackup, 2); // absent + present: present
    EXPECT_EQ(merged.changedSinceBackupBytes, 7);
    EXPECT_TRUE(merged.inICloud);

    FolderTally reversed = b;
    reversed.merge(a); // present + absent: unchanged
    EXPECT_EQ(reversed.changedSinceBackup, 2);
    reversed.name = merged.name;
    reversed.path = merged.path;
    EXPECT_EQ(reversed, merged) << "merging is commutative in every field but name and path";
}

TEST(FolderTally, SumsStopAtTheLargestCountInsteadOfOverflowing)
{
    constexpr std::int64_t most = std::numeric_limits<std::int64_t>::max();
    FolderTally a("Folder", "/f");
    a.files = a.bytes = a.changedThisWeek = most;
    a.counts.set(Place::onlyHere, most);
    a.counts.set(Place::onlyICloud, most);
    a.sizes.set(Place::onlyHere, most);
    a.kinds.set(Kind::other, most);
    a.changedSinceBackup = a.changedSinceBackupBytes = most;
    EXPECT_EQ(a.noSecondCopy(), most);
    EXPECT_EQ(a.noSecondCopyWithBackup(), most);
    FolderTally sum = a;
    sum.merge(a);
    EXPECT_EQ(sum.files, most);
    EXPECT_EQ(sum.bytes, most);
    EXPECT_EQ(sum.count(Place::onlyHere), most);
    EXPECT_EQ(sum.size(Place::onlyHere), most);
    EXPECT_EQ(sum.kinds[Kind::other], most);
    EXPECT_EQ(sum.changedThisWeek, most);
    EXPECT_EQ(sum.changedSinceBackup, most);
    EXPECT_EQ(sum.noSecondCopyWithBackup(), most);
}

TEST(FolderTally, EntriesOfZeroAreKeptAndCompared)
{
    FolderTally empty("F", "/f");
    FolderTally zeroSized = empty;
    zeroSized.sizes.add(Place::onlyHere, 0);
    EXPECT_NE(empty, zeroSized);
    EXPECT_EQ(zeroSized.size(Place::onlyHere), 0);
}

TEST(FolderTallyJson, RoundTripsWithAndWithoutTheOptionalCounts)
{
    for (const FolderTally& tally : {tallyWith({{Place::onlyHere, 4, 400}, {Place::unknown, 1, 0}}),
                                     tallyWith({{Place::onlyHere, 4, 400}}, 1, 9)}) {
        const std::string text = dumpJson(encode(tally));
        EXPECT_EQ(text.find("changedSinceBackup") != std::string::npos, tally.changedSinceBackup.has_value()) << text;
        EXPECT_EQ(decodeFolderTally(parseJson(text)), tally) << text;
    }
    const std::string text = dumpJson(encode(tallyWith({{Place::onlyHere, 4, 400}})));
    EXPECT_EQ(text, R"({"name":"Folder","path":"/home/a/Folder","files":4,"bytes":400,"counts":["onlyHere",4],)"
                    R"("sizes":["onlyHere",400],"kinds":["other",4],"changedThisWeek":0,"inICloud":false})");
}

TEST(FolderTallyJson, DecodingFailsOnAnyFaultAndToleratesOrderAndNulls)
{
    const std::string good = R"("name":"F","path":"/f","files":1,"bytes":2,"sizes":["onlyHere",2],)"
                             R"("kinds":["other",1],"changedThisWeek":0,"inICloud":false)";
    const std::vector<std::pair<std::string, bool>> cases{
        {R"({"counts":["onlyHere",1],)" + good + "}", true},
        {R"({"counts":["onlyHere",1,"onlyHere",3],)" + good + "}", true}, // the later value wins
        {R"({"counts":[],"changedSinceBackup":null,)" + good + "}", true},
        {R"({"counts":["onlyHere"],)" + good + "}", false},     // odd length
        {R"({"counts":["elsewhere",1],)" + good + "}", false},  // not a place
        {R"({"counts":[1,"onlyHere"],)" + good + "}", false},   // value first
        {R"({"counts":["onlyHere",1.5],)" + good + "}", false}, // not an integer
        {R"({"counts":{"onlyHere":1},)" + good + "}", false},   // keyed object
        {R"({"counts":["onlyHere",18446744073709551615],)" + good + "}", false},
        {R"({"counts":["onlyHere",9223372036854775807],)" + good + "}", true},
        {R"({"counts":["onlyHere",-1],)" + good + "}", false}, // negative counts and sizes
        {R"({"counts":["onlyHere",1],"changedSinceBackupBytes":-3,)" + good + "}", false},
        {R"({"counts":[],"files":-1,)" + good.substr(good.find("\"bytes\"")) + "}", false},
        {R"({"counts":["onlyHere",1],"changedSinceBackup":"3",)" + good + "}", false},
        {R"({)" + good + "}", false}, // no counts
        {R"([])", false},
    };
    for (const auto& [text, decodes] : cases) {
        const auto parsed = parseJson(text);
        ASSERT_FALSE(parsed.is_discarded()) << text;
        EXPECT_EQ(decodeFolderTally(parsed).has_value(), decodes) << text;
    }
    EXPECT_EQ(
        decodeFolderTally(parseJson(R"({"counts":["onlyHere",1,"onlyHere",3],)" + good + "}"))->count(Place::onlyHere),
        3);
}

} // namespace
} // namespace brindle
