// Reading backup manifests, built here with libplist in both encodings, and a few committed
// fixture files.
#include "BrindleCore/Drive.h"
#include "BrindleCore/PropertyList.h"
#include "tests/support/Plist.h"
#include "tests/support/TestTree.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace brindle {
namespace {

using namespace std::chrono;
using test::Encoding;
using test::P;

const Instant A{sys_days{2026y / November / 20} + 2h};
const Instant B{sys_days{2026y / November / 21} + 3h};
const Instant C{sys_days{2026y / November / 22} + 4h};

Backup only(Instant date) { return {date, std::nullopt, std::nullopt, std::nullopt}; }

P details(Instant started, std::uint64_t count, std::uint64_t bytes)
{
    return P::dict(
        {{"startDate", P::date(started)},
         {"stats",
          P::dict({{"changed", P::dict({{"count", P::integer(count)}, {"logicalSize", P::integer(bytes)}})}})}});
}

class Manifest : public ::testing::TestWithParam<Encoding> {
protected:
    std::vector<Backup> parse(P root) const { return Drive::parseManifest(test::serialise(root, GetParam())); }
};

INSTANTIATE_TEST_SUITE_P(Encodings, Manifest, ::testing::Values(Encoding::xml, Encoding::binary),
                         [](const auto& param) { return param.param == Encoding::xml ? "xml" : "binary"; });

TEST_P(Manifest, DatesAloneGiveBackupsOldestFirst)
{
    EXPECT_EQ(parse(P::array({P::date(C), P::date(A), P::date(B)})), (std::vector<Backup>{only(A), only(B), only(C)}));
}

TEST_P(Manifest, ADictionaryAfterADateHoldsItsDetails)
{
    EXPECT_EQ(parse(P::array({P::date(A), details(A - 5min, 12, 3456), P::date(B)})),
              (std::vector<Backup>{{A, A - 5min, 12, 3456}, only(B)}));
}

TEST_P(Manifest, StrayElementsAreSkipped)
{
    // A leading dictionary, a second dictionary after the details, a number between a date and
    // its dictionary, and a text.
    EXPECT_EQ(parse(P::array({details(A, 1, 1), P::date(A), details(A - 1min, 2, 2), details(A, 3, 3), P::date(B),
                              P::integer(7), details(B, 4, 4), P::text("x"), P::date(C)})),
              (std::vector<Backup>{{A, A - 1min, 2, 2}, only(B), only(C)}));
}

TEST_P(Manifest, PartialDetailsLeaveTheirFieldsAbsent)
{
    const auto backups = parse(P::array({
        P::date(A),
        P::dict({{"startDate", P::date(A - 1min)}, {"stats", P::dict({})}}),
        P::date(B),
        P::dict({{"stats", P::dict({{"changed", P::dict({{"count", P::integer(5)}})}})}}),
        P::date(C),
        P::dict({{"startDate", P::text("soon")}, {"stats", P::text("many")}}),
    }));
    EXPECT_EQ(backups, (std::vector<Backup>{{A, A - 1min, {}, {}}, {B, {}, 5, {}}, only(C)}));
}

TEST_P(Manifest, NumbersAreTruncatedTowardZeroAndNegativesRefused)
{
    const auto backups = parse(P::array(
        {P::date(A),
         P::dict(
             {{"stats", P::dict({{"changed", P::dict({{"count", P::real(12.9)}, {"logicalSize", P::real(-3.7)}})}})}}),
         P::date(B), P::dict({{"stats", P::dict({{"changed", P::dict({{"count", P::real(1e300)}})}})}})}));
    ASSERT_EQ(backups.size(), 2u);
    EXPECT_EQ(backups[0].changedItems, 12);
    EXPECT_EQ(backups[0].changedBytes, std::nullopt) << "a negative size is none";
    EXPECT_EQ(backups[1].changedItems, std::nullopt) << "out of range is not a number we can hold";
}

TEST_P(Manifest, EqualDatesKeepTheirManifestOrder)
{
    EXPECT_EQ(parse(P::array({P::date(B), details(B, 1, 1), P::date(A), P::date(B), details(B, 2, 2)})),
              (std::vector<Backup>{only(A), {B, B, 1, 1}, {B, B, 2, 2}}));
}

TEST_P(Manifest, AnythingButAnArrayAtTheTopIsNoBackups)
{
    EXPECT_TRUE(parse(P::dict({{"date", P::date(A)}})).empty());
    EXPECT_TRUE(parse(P::date(A)).empty());
    EXPECT_TRUE(parse(P::array({})).empty());
}

TEST_P(Manifest, DamagedBytesAreNoBackups)
{
    const std::string good = test::serialise(P::array({P::date(A), details(A, 1, 1), P::date(B)}), GetParam());
    for (std::size_t cut : {std::size_t{0}, std::size_t{1}, good.size() / 2, good.size() - 10})
        EXPECT_TRUE(Drive::parseManifest(good.substr(0, cut)).empty()) << "cut at " << cut;
    std::string garbled = good;
    for (std::size_t i = 8; i < garbled.size(); i += 7)
        garbled[i] = static_cast<char>(garbled[i] ^ 0x5A);
    (void)Drive::parseManifest(garbled); // must simply not crash
}

// A binary property list in which object i is an array of two references to object i + 1,
// ending in a date: 2^levels nodes once every shared reference is copied.
std::string sharedReferences(int levels)
{
    std::string data = "bplist00";
    std::vector<std::uint32_t> offsets;
    for (int i = 0; i < levels; ++i) {
        offsets.push_back(static_cast<std::uint32_t>(data.size()));
        data += {static_cast<char>(0xA2), 0, static_cast<char>(i + 1), 0, static_cast<char>(i + 1)};
    }
    offsets.push_back(static_cast<std::uint32_t>(data.size()));
    data += {0x33, 0, 0, 0, 0, 0, 0, 0, 0};
    const auto table = static_cast<std::uint64_t>(data.size());
    for (const std::uint32_t offset : offsets)
        data += {0, 0, static_cast<char>(offset >> 8), static_cast<char>(offset & 0xFF)};
    std::string trailer(32, '\0');
    trailer[6] = 4; // offset size
    trailer[7] = 2; // reference size
    trailer[15] = static_cast<char>(offsets.size());
    trailer[30] = static_cast<char>(table >> 8);
    trailer[31] = static_cast<char>(table & 0xFF);
    return data + trailer;
}

TEST(ManifestGuards, CountsSharedReferencesAndRefusesExponentialExpansion)
{
    const auto modest = readPropertyList(sharedReferences(10));
    ASSERT_TRUE(modest) << "sharing itself is allowed";
    EXPECT_EQ(modest->items.size(), 2u);
    EXPECT_FALSE(readPropertyList(sharedReferences(40)));
    EXPECT_TRUE(Drive::parseManifest(sharedReferences(40)).empty());
}

TEST(ManifestGuards, RefusesDeepNestingAndOversizedInput)
{
    std::string deep = "<?xml version=\"1.0\"?><plist version=\"1.0\">";
    for (int i = 0; i < 100; ++i)
        deep += "<array>";
    for (int i = 0; i < 100; ++i)
        deep += "</array>";
    deep += "</plist>";
    EXPECT_FALSE(readPropertyList(deep));
    EXPECT_TRUE(readPropertyList(deep, PlistLimits{.maxBytes = 1u << 20, .maxDepth = 128, .maxNodes = 1000}));

    const std::string small = test::serialise(P::array({P::date(A)}), Encoding::xml);
    EXPECT_FALSE(readPropertyList(small, PlistLimits{.maxBytes = small.size() - 1}));
}

TEST(ManifestFiles, CommittedFixturesInBothEncodings)
{
    for (const char* name : {"manifest.xml.plist", "manifest.binary.plist"}) {
        std::ifstream file(std::string(BRINDLE_TEST_DATA) + "/" + name, std::ios::binary);
        ASSERT_TRUE(file) << name;
        std::stringstream bytes;
        bytes << file.rdbuf();
        const auto backups = Drive::parseManifest(bytes.str());
        ASSERT_EQ(backups.size(), 3u) << name;
        EXPECT_EQ(backups[0].date, (Instant{sys_days{2026y / November / 24} + 22h + 10min}));
        EXPECT_EQ(backups[0].changedItems, 48203);
        EXPECT_EQ(backups[0].changedBytes, 18'317'140'000);
        EXPECT_EQ(backups[2].started, std::nullopt);
    }
}

TEST(ManifestFiles, AKeyHoldingANulIsRefusedNotFatal)
{
    // libplist aborts the process on such a key, so the file never reaches it.
    std::ifstream file(std::string(BRINDLE_TEST_DATA) + "/manifest.nul-key.binary.plist", std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    ASSERT_FALSE(bytes.str().empty());
    EXPECT_TRUE(Drive::parseManifest(bytes.str()).empty());
    EXPECT_TRUE(Drive::parseManifest("<plist><array><dict><key>a&#0;b</key><integer>1</integer></dict></array></plist>")
                    .empty());
}

std::vector<Backup> backupsAt(const std::string& path) { return Drive::backups(path, A, Calendar::utc()); }

TEST(DriveBackups, ReadsTheManifestAtTheRootOnly)
{
    const test::TestTree tree{
        {{"nested/backup_manifest.plist", test::Node::file(10)}, {"fifo/backup_manifest.plist", test::Node::fifo()}}};
    EXPECT_TRUE(backupsAt(tree.root()).empty());
    EXPECT_TRUE(backupsAt(tree.path("fifo")).empty()) << "a FIFO is refused, not waited on";
    EXPECT_TRUE(backupsAt(tree.path("missing")).empty());
    {
        std::ofstream(tree.path("backup_manifest.plist"), std::ios::binary)
            << test::serialise(P::array({P::date(B), P::date(A)}), Encoding::binary);
    }
    EXPECT_EQ(backupsAt(tree.root()), (std::vector<Backup>{only(A), only(B)}));
}

TEST(TimeMachineSettings, OnlySizeAndDateAreRead)
{
    const test::TestTree tree{{{"settings.plist", test::Node::file(18808).modifiedAgo(hours(5))}}};
    const TimeMachineFacts facts = TimeMachine::facts(tree.path("settings.plist"));
    EXPECT_EQ(facts.fileSize, 18808);
    EXPECT_EQ(facts.modified, Instant{tree.now() - hours(5)});
    EXPECT_EQ(TimeMachine::facts(tree.path("missing")), TimeMachineFacts{});
    EXPECT_EQ(TimeMachine::settingsPath, std::string("/Library/Preferences/com.apple.TimeMachine.plist"));
}

} // namespace
} // namespace brindle
