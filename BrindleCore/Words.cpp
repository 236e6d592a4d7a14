#include "BrindleCore/Words.h"

#include "BrindleCore/LocaleForms.h"
#include "BrindleCore/Translation.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace brindle::Words {

namespace {
// The C library's fixed-point form ("%.2f"), but with "." whatever the process locale:
// to_chars formats exactly as printf does in the "C" locale and never reads LC_NUMERIC.
std::string fixed(double value, int decimals, std::string_view unit)
{
    if (!formattingLocale().empty())
        return LocaleForms::decimal(value, decimals) + "\u00A0" + std::string(unit);
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr;
    std::string text(buffer, end);
    text += ' ';
    text += unit;
    return text;
}
} // namespace

std::string count(std::int64_t n)
{
    if (!formattingLocale().empty())
        return LocaleForms::integer(n);
    const bool negative = n < 0;
    // Work with the magnitude as unsigned so that the most negative value is safe.
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
    std::string reversed;
    int digits = 0;
    do {
        if (digits > 0 && digits % 3 == 0)
            reversed.push_back(',');
        reversed.push_back(static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
        ++digits;
    } while (magnitude > 0);
    if (negative)
        reversed.push_back('-');
    return {reversed.rbegin(), reversed.rend()};
}

std::string size(std::int64_t bytes)
{
    if (bytes < 1)
        return translated("a size of nothing", "0 MB");
    if (bytes < 1'000'000)
        return translated("a size below one megabyte", "under 1 MB");
    if (bytes <= 999'999'999)
        return fixed(static_cast<double>(bytes) / 1e6, 0, "MB");
    if (bytes <= 999'999'999'999)
        return fixed(static_cast<double>(bytes) / 1e9, 2, "GB");
    return fixed(static_cast<double>(bytes) / 1e12, 2, "TB");
}

std::string roughSize(std::int64_t bytes)
{
    if (bytes <= 999'999'999)
        return size(bytes);
    if (bytes < 100'000'000'000)
        return fixed(static_cast<double>(bytes) / 1e9, 1, "GB");
    return fixed(static_cast<double>(bytes) / 1e9, 0, "GB");
}

std::string duration(double seconds)
{
    if (!(seconds >= 1.0))
        return translated("how long something took", "under a second");
    const double clamped = std::min(seconds, 9.0e15);
    const auto s = static_cast<long long>(std::round(clamped));
    if (s <= 59)
        return fill(translated("how long something took, in seconds", "{seconds} s"), {{"seconds", std::to_string(s)}});
    return fill(translated("how long something took, in minutes and seconds", "{minutes} min {seconds} s"),
                {{"minutes", std::to_string(s / 60)}, {"seconds", std::to_string(s % 60)}});
}

namespace {
constexpr std::array<const char*, 12> months{"January", "February", "March",     "April",   "May",      "June",
                                             "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<const char*, 7> weekdays{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                              "Thursday", "Friday", "Saturday"};

std::string dayAndMonth(std::chrono::sys_days day, std::chrono::sys_days today)
{
    const std::chrono::year_month_day ymd(day);
    const bool sameYear = ymd.year() == std::chrono::year_month_day(today).year();
    if (!formattingLocale().empty())
        return LocaleForms::date(day, sameYear ? "dMMMM" : "dMMMMy");
    std::string text =
        std::to_string(static_cast<unsigned>(ymd.day())) + " " + months[static_cast<unsigned>(ymd.month()) - 1];
    if (!sameYear)
        text += " " + std::to_string(static_cast<int>(ymd.year()));
    return text;
}

std::string weekday(std::chrono::sys_days day)
{
    if (!formattingLocale().empty())
        return LocaleForms::date(day, "EEEE");
    return weekdays[std::chrono::weekday(day).c_encoding()];
}

std::string clock(const LocalTime& then)
{
    char time[8];
    std::snprintf(time, sizeof time, "%02d:%02d", then.hour, then.minute);
    return time;
}
} // namespace

std::string date(Instant date, Instant now, const Calendar& calendar)
{
    return dayAndMonth(calendar.local(date).day, calendar.local(now).day);
}

std::string when(Instant date, Instant now, const Calendar& calendar, bool relative)
{
    const LocalTime then = calendar.local(date);
    const std::chrono::sys_days today = calendar.local(now).day;
    const auto days = (today - then.day).count();
    const PhraseValues time{{"time", clock(then)}};
    if (days == 0)
        return fill(translated("a moment of today", "today at {time}"), time);
    if (days == 1)
        return fill(translated("a moment of yesterday", "yesterday at {time}"), time);
    if (days == -1)
        return fill(translated("a moment of tomorrow", "tomorrow at {time}"), time);
    if (days >= 2 && relative)
        return fill(translatedCounted("a day two or more days ago", "{n} day ago", "{n} days ago", days),
                    {{"n", count(days)}});
    if (days >= -6 && days <= 6)
        return fill(translated("a day within a week, by its name", "on {weekday}"), {{"weekday", weekday(then.day)}});
    return fill(translated("a day by its date", "on {date}"), {{"date", dayAndMonth(then.day, today)}});
}

std::string moment(Instant date, Instant now, const Calendar& calendar)
{
    const LocalTime then = calendar.local(date);
    const auto days = (calendar.local(now).day - then.day).count();
    if (days >= -1 && days <= 1)
        return when(date, now, calendar, false);
    return fill(translated("a moment by its date and time", "on {date} at {time}"),
                {{"date", dayAndMonth(then.day, calendar.local(now).day)}, {"time", clock(then)}});
}

std::string list(const std::vector<std::string>& items)
{
    if (items.empty())
        return {};
    if (!formattingLocale().empty())
        return LocaleForms::list(items);
    std::string text = items.front();
    for (std::size_t i = 1; i < items.size(); ++i)
        text += (i + 1 == items.size() ? " and " : ", ") + items[i];
    return text;
}

std::string folderList(const std::vector<std::pair<std::string, std::int64_t>>& pairs)
{
    std::string text;
    for (const auto& [name, n] : pairs) {
        if (!text.empty())
            text += " \u00B7 ";
        text += name + " " + count(n);
    }
    return text;
}

std::string shownName(std::string_view name)
{
    std::string out;
    out.reserve(name.size());
    const auto byte = [&](std::size_t i) { return i < name.size() ? static_cast<unsigned char>(name[i]) : 0u; };
    for (std::size_t i = 0; i < name.size();) {
        const unsigned lead = byte(i);
        if (lead < 0x20 || lead == 0x7F) { // C0 and DEL
            ++i;
            continue;
        }
        if (lead == 0xC2 && byte(i + 1) >= 0x80 && byte(i + 1) <= 0x9F) { // C1
            i += 2;
            continue;
        }
        const unsigned second = byte(i + 1);
        const unsigned third = byte(i + 2);
        const bool directional = (lead == 0xD8 && second == 0x9C) || // U+061C
                                 (lead == 0xE2 && second == 0x80 &&
                                  (third == 0x8E || third == 0x8F ||                                 // U+200E, U+200F
                                   (third >= 0xAA && third <= 0xAE))) ||                             // U+202A..E
                                 (lead == 0xE2 && second == 0x81 && third >= 0xA6 && third <= 0xA9); // U+2066..9
        if (directional) {
            i += lead == 0xD8 ? 2 : 3;
            continue;
        }
        out += name[i++];
    }
    return out;
}

std::string counted(std::int64_t n, std::string_view one, std::string_view other)
{
    return count(n) + " " + translatedCounted("", std::string(one).c_str(), std::string(other).c_str(), n);
}

std::string namingCloud(std::string text, std::string_view client)
{
    if (client == "iCloud")
        return text;
    for (const std::string_view name : {std::string_view("iCloud Drive"), std::string_view("iCloud")})
        for (auto at = text.find(name); at != std::string::npos; at = text.find(name, at + client.size()))
            text.replace(at, name.size(), client);
    return text;
}

} // namespace brindle::Words
