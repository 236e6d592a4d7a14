#include "BrindleCore/Instant.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

using namespace std::chrono;

TEST(Instant, FormatsWholeSecondsInUtc)
{
    const Instant instant = Instant{sys_days{2026y / November / 26} + 15h + 12min} + microseconds{999'999};
    EXPECT_EQ(formatISO8601(instant), "2026-11-26T15:12:00Z");
    EXPECT_EQ(formatISO8601(Instant{sys_days{1969y / December / 31} + 23h + 59min + 59s} + milliseconds{500}),
              "1969-12-31T23:59:59Z");
}

TEST(Instant, ParsesOnlyTheExactForm)
{
    EXPECT_EQ(parseISO8601("2026-11-26T15:12:00Z"), Instant{sys_days{2026y / November / 26} + 15h + 12min});
    EXPECT_EQ(parseISO8601("2024-02-29T00:00:00Z"), Instant{sys_days{2024y / February / 29}});
    for (const char* bad :
         {"2026-11-26T15:12:00.5Z", "2026-11-26T15:12:00+00:00", "2026-11-26 15:12:00Z", "2026-11-26T15:12:00",
          "2023-02-29T00:00:00Z", "2026-13-01T00:00:00Z", "2026-11-26T24:00:00Z", "2026-11-26T15:60:00Z",
          "2026-11-26T15:12:60Z", "+026-11-26T15:12:00Z", "2026-11-26t15:12:00z", "", "2026-11-26T15:12:00ZZ"})
        EXPECT_FALSE(parseISO8601(bad)) << bad;
}

TEST(Instant, ReferenceSecondsCountFrom2001)
{
    const Instant reference{sys_days{2001y / January / 1}};
    EXPECT_EQ(secondsSinceReferenceDate(reference), 0.0);
    EXPECT_EQ(instantFromReferenceSeconds(86'400.5), reference + days{1} + milliseconds{500});
    EXPECT_EQ(instantFromReferenceSeconds(-1.0), reference - seconds{1});
    EXPECT_FALSE(instantFromReferenceSeconds(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(instantFromReferenceSeconds(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(instantFromReferenceSeconds(1e300));
}

} // namespace
} // namespace brindle
