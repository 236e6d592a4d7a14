// Words::when counts calendar days in the calendar it is given; these tables run in zones
// either side of the world and across a daylight-saving change, whatever the machine's zone.
#include "BrindleCore/Words.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

using namespace std::chrono;

// An instant given as local wall-clock time in `zone`.
Instant at(const Calendar& calendar, sys_days day, hours h, minutes m)
{
    // Search the few candidate UTC instants around the wall time for the one that matches.
    for (int offset = -14 * 60; offset <= 14 * 60; offset += 15) {
        const Instant candidate{day + h + m - minutes{offset}};
        const LocalTime local = calendar.local(candidate);
        if (local.day == day && local.hour == h.count() && local.minute == m.count())
            return candidate;
    }
    ADD_FAILURE() << "no such local time";
    return {};
}

struct WhenCase {
    sys_days day;
    hours h;
    minutes m;
    bool relative;
    const char* expected;
};

void expectAll(const Calendar& calendar, Instant now, const std::vector<WhenCase>& cases)
{
    for (const WhenCase& c : cases)
        EXPECT_EQ(Words::when(at(calendar, c.day, c.h, c.m), now, calendar, c.relative), c.expected)
            << calendar.zoneName() << " " << c.expected;
}

TEST(WordsWhen, CountsCalendarDaysNotSpansOf24Hours)
{
    const Calendar london = *Calendar::named("Europe/London");
    const sys_days today = 2026y / March / 12; // a Thursday
    const Instant now = at(london, today, 0h, 1min);
    expectAll(london, now,
              {
                  {today, 0h, 0min, false, "today at 00:00"},
                  {today - days{1}, 23h, 59min, false, "yesterday at 23:59"},
                  {today - days{1}, 23h, 59min, true, "yesterday at 23:59"},
                  {today + days{1}, 7h, 5min, true, "tomorrow at 07:05"},
                  {today - days{2}, 9h, 5min, false, "on Tuesday"},
                  {today - days{2}, 9h, 5min, true, "2 days ago"},
                  {today - days{6}, 12h, 0min, false, "on Friday"},
                  {today - days{7}, 12h, 0min, false, "on 5 March"},
                  {today - days{7}, 12h, 0min, true, "7 days ago"},
                  {today - days{71}, 12h, 0min, false, "on 31 December 2025"},
                  {today - days{400}, 12h, 0min, false, "on 5 February 2025"},
                  {today + days{294}, 12h, 0min, false, "on 31 December"},
                  {today + days{295}, 12h, 0min, false, "on 1 January 2027"},
                  {today + days{2}, 12h, 0min, true, "on Saturday"},
                  {today + days{6}, 12h, 0min, false, "on Wednesday"},
                  {today + days{7}, 12h, 0min, true, "on 19 March"},
              });
}

TEST(WordsWhen, AcrossTheSpringDaylightSavingChange)
{
    // Clocks in London went forward at 01:00 GMT on 29 March 2026: that day had 23 hours.
    const Calendar london = *Calendar::named("Europe/London");
    const sys_days monday = 2026y / March / 30;
    const Instant now = at(london, monday, 0h, 30min);
    expectAll(london, now,
              {
                  {monday - days{1}, 0h, 30min, false, "yesterday at 00:30"},
                  {monday - days{1}, 23h, 45min, false, "yesterday at 23:45"},
                  {monday - days{2}, 23h, 45min, true, "2 days ago"},
                  {monday - days{8}, 12h, 0min, false, "on 22 March"},
              });
    // 23 hours before 00:30 on the Monday is 00:30 on the Sunday, a calendar day earlier.
    EXPECT_EQ(Words::when(now - hours{23}, now, london, false), "yesterday at 00:30");
}

TEST(WordsWhen, TheSameInstantReadsDifferentlyAcrossTheWorld)
{
    const Instant now{sys_days{2026y / November / 26} + 15h + 12min}; // 15:12 UTC
    const Instant earlier = now - hours{14};                          // 01:12 UTC
    const Calendar auckland = *Calendar::named("Pacific/Auckland");   // UTC+13 in November
    const Calendar london = *Calendar::named("Europe/London");
    // In Auckland it is already the 27th: 04:12, and the earlier moment was the day before.
    EXPECT_EQ(Words::when(earlier, now, auckland, false), "yesterday at 14:12");
    EXPECT_EQ(Words::when(now, now, auckland, false), "today at 04:12");
    EXPECT_EQ(Words::when(earlier, now, london, false), "today at 01:12");
    EXPECT_EQ(Words::when(earlier - hours{2}, now, london, false), "yesterday at 23:12");
}

TEST(WordsWhen, NowAgainstItselfIsTodayInAnyZone)
{
    const Instant now{sys_days{2026y / November / 26} + 15h + 12min};
    for (const char* zone : {"Etc/UTC", "America/Los_Angeles", "Asia/Kolkata", "Pacific/Chatham"})
        EXPECT_EQ(Words::when(now, now, *Calendar::named(zone), true).substr(0, 9), "today at ") << zone;
    EXPECT_FALSE(Calendar::named("Mars/Olympus_Mons"));
}

TEST(Calendar, TheZoneComesFromTZByNameOrFileElseFromTheSystem)
{
    ::unsetenv("TZ");
    const Calendar system = Calendar::current();
    const std::vector<std::pair<const char*, std::string>> cases{
        {"Asia/Tokyo", "Asia/Tokyo"},
        {":Asia/Tokyo", "Asia/Tokyo"},
        {"/usr/share/zoneinfo/Asia/Tokyo", "Asia/Tokyo"},
        {":/usr/share/zoneinfo/posix/Asia/Tokyo", "Asia/Tokyo"},
        {"EST5EDT,M3.2.0,M11.1.0", system.zoneName()},
        {"/nowhere/zoneinfo/Mars/Olympus_Mons", system.zoneName()},
        {"not a zone", system.zoneName()},
    };
    for (const auto& [tz, zone] : cases) {
        ::setenv("TZ", tz, 1);
        EXPECT_EQ(Calendar::current().zoneName(), zone) << tz;
    }
    ::unsetenv("TZ");
}

} // namespace
} // namespace brindle
