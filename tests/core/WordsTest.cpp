#include "BrindleCore/Words.h"

#include <gtest/gtest.h>

#include "tests/support/TestTree.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace brindle {
namespace {

template <typename In> using Table = std::vector<std::pair<In, const char*>>;

TEST(Words, CountGroupsWithCommas)
{
    const Table<std::int64_t> cases{{0, "0"},
                                    {999, "999"},
                                    {1000, "1,000"},
                                    {1234, "1,234"},
                                    {1234567, "1,234,567"},
                                    {-1234, "-1,234"},
                                    {-999, "-999"},
                                    {std::numeric_limits<std::int64_t>::min(), "-9,223,372,036,854,775,808"}};
    for (const auto& [n, text] : cases)
        EXPECT_EQ(Words::count(n), text) << n;
}

TEST(Words, SizeUsesDecimalUnitsAtTheIntegerThresholds)
{
    const Table<std::int64_t> cases{
        {0, "0 MB"},
        {-7, "0 MB"},
        {1, "under 1 MB"},
        {999'999, "under 1 MB"},
        {1'000'000, "1 MB"},
        {12'400'000, "12 MB"},
        {999'999'999, "1000 MB"},
        {1'000'000'000, "1.00 GB"},
        {1'234'567'890, "1.23 GB"},
        {999'999'999'999, "1000.00 GB"},
        {1'000'000'000'000, "1.00 TB"},
        {2'500'000'000'000, "2.50 TB"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(Words::size(bytes), text) << bytes;
}

TEST(Words, RoughSizeHasNoTerabytes)
{
    const Table<std::int64_t> cases{
        {-5, "0 MB"},
        {999'999'999, "1000 MB"},
        {1'000'000'000, "1.0 GB"},
        {12'345'678'901, "12.3 GB"},
        {99'999'999'999, "100.0 GB"},
        {100'000'000'000, "100 GB"},
        {2'500'000'000'000, "2500 GB"},
        {5'000'000'000'000, "5000 GB"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(Words::roughSize(bytes), text) << bytes;
}

TEST(Words, SizesIgnoreTheProcessLocale)
{
    // A German locale, whose decimal point is a comma, built for this test alone.
    const test::TestTree tree;
    const std::string build = "localedef -i de_DE -f UTF-8 " + tree.path("de_DE.UTF-8") + " >/dev/null 2>&1";
    if (std::system(build.c_str()) != 0)
        GTEST_SKIP() << "localedef or the de_DE locale source is not installed";
    ::setenv("LOCPATH", tree.root().c_str(), 1);
    ASSERT_TRUE(std::setlocale(LC_ALL, "de_DE.UTF-8"));
    char printed[16];
    std::snprintf(printed, sizeof printed, "%.2f", 1.5);
    ASSERT_STREQ(printed, "1,50") << "the locale is in force";
    EXPECT_EQ(Words::size(1'234'567'890), "1.23 GB");
    EXPECT_EQ(Words::roughSize(12'345'678'901), "12.3 GB");
    EXPECT_EQ(Words::count(1'234'567), "1,234,567");
    std::setlocale(LC_ALL, "C");
}

TEST(Words, Duration)
{
    const Table<double> cases{{-3, "under a second"},
                              {0, "under a second"},
                              {0.99, "under a second"},
                              {1, "1 s"},
                              {59.49, "59 s"},
                              {59.5, "1 min 0 s"},
                              {125, "2 min 5 s"},
                              {3600, "60 min 0 s"},
                              {std::numeric_limits<double>::quiet_NaN(), "under a second"}};
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(Words::duration(seconds), text) << seconds;
}

TEST(Words, ShownNamesLoseControlsAndDirectionTurns)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {"caf\u00e9 \u05d0\u05d1 \u0627", "caf\u00e9 \u05d0\u05d1 \u0627"}, // right-to-left letters themselves stay
        {"a\tb\x1b[2J\x7f", "ab[2J"},
        {"C1\u0085\u009B\u0080|\u00A0", "C1|\u00A0"},
        {"\u061C\u200E\u200F\u202A\u202B\u202C\u202D\u202Ename\u2066\u2067\u2068\u2069", "name"},
        {"\u2029\u2065\u206A\u202F\u200D", "\u2029\u2065\u206A\u202F\u200D"}, // neighbours stay
        {"bad\xff\xc2", "bad\xff\xc2"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(Words::shownName(in), out) << in;
}

TEST(Words, Lists)
{
    EXPECT_EQ(Words::list({}), "");
    EXPECT_EQ(Words::list({"a"}), "a");
    EXPECT_EQ(Words::list({"a", "b"}), "a and b");
    EXPECT_EQ(Words::list({"Desktop", "Documents", "Pictures"}), "Desktop, Documents and Pictures");
    EXPECT_EQ(Words::folderList({}), "");
    EXPECT_EQ(Words::folderList({{"Documents", 1234}, {"Desktop", 5}}), "Documents 1,234 \u00B7 Desktop 5");
}

} // namespace
} // namespace brindle
