#include "BrindleCore/Instant.h"

#include <cmath>
#include <cstdio>

namespace brindle {

Instant clockNow() { return std::chrono::time_point_cast<std::chrono::microseconds>(std::chrono::system_clock::now()); }

namespace {
using namespace std::chrono;

constexpr Instant referenceDate{sys_days{year{2001} / January / 1}};

bool digits(std::string_view text, std::size_t from, std::size_t count, int& value)
{
    value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}
} // namespace

std::string formatISO8601(Instant instant)
{
    const auto secondsSinceEpoch = floor<seconds>(instant);
    const auto day = floor<days>(secondsSinceEpoch);
    const year_month_day date{day};
    const hh_mm_ss time{secondsSinceEpoch - day};
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
    return buffer;
}

std::optional<Instant> parseISO8601(std::string_view text)
{
    // 0123456789012345678 9
    // YYYY-MM-DDTHH:MM:SSZ
    if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
        text[16] != ':' || text[19] != 'Z')
        return std::nullopt;
    int y, mo, d, h, mi, s;
    if (!digits(text, 0, 4, y) || !digits(text, 5, 2, mo) || !digits(text, 8, 2, d) || !digits(text, 11, 2, h) ||
        !digits(text, 14, 2, mi) || !digits(text, 17, 2, s))
        return std::nullopt;
    const year_month_day date{year{y}, month{static_cast<unsigned>(mo)}, day{static_cast<unsigned>(d)}};
    if (!date.ok() || h > 23 || mi > 59 || s > 59)
        return std::nullopt;
    return Instant{sys_days{date}} + hours{h} + minutes{mi} + seconds{s};
}

double secondsSinceReferenceDate(Instant instant) { return secondsBetween(referenceDate, instant); }

std::optional<Instant> instantFromReferenceSeconds(double value)
{
    // About ±290,000 years either side of 2001 fit in microseconds; refuse anything beyond a
    // generous ±100,000 years rather than overflow.
    constexpr double limit = 100'000.0 * 366 * secondsPerDay;
    if (!std::isfinite(value) || std::fabs(value) > limit)
        return std::nullopt;
    return referenceDate + microseconds{static_cast<std::int64_t>(std::llround(value * 1e6))};
}

} // namespace brindle
