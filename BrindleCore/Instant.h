// Instants and their two stored forms.
//
// An `Instant` is an absolute moment with microsecond resolution (enough for every date the
// file system or a backup manifest gives, and representable far beyond year 9999).
// Stored files use ISO 8601 text in UTC with whole seconds and "Z" ("2026-11-26T15:12:00Z");
// the application's own settings use seconds since 2001-01-01T00:00:00Z as a real number.
// Parsing is strict and never throws: anything but the exact form gives std::nullopt.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brindle {

using Instant = std::chrono::sys_time<std::chrono::microseconds>;
using Seconds = std::chrono::duration<double>;

inline constexpr std::int64_t secondsPerDay = 86'400;
inline constexpr std::int64_t secondsPerWeek = 604'800;

// Whole seconds from `earlier` to `later` as a real number (negative when `later` is earlier).
inline double secondsBetween(Instant earlier, Instant later)
{
    return std::chrono::duration_cast<Seconds>(later - earlier).count();
}

// The system clock now, to the microsecond. Logic takes instants as arguments; only the edges
// of the program (a command, the application's model) read the clock.
Instant clockNow();

// "YYYY-MM-DDTHH:MM:SSZ"; fractional seconds are dropped (towards the past).
std::string formatISO8601(Instant instant);
// Accepts exactly "YYYY-MM-DDTHH:MM:SSZ" with a valid calendar date and time of day.
std::optional<Instant> parseISO8601(std::string_view text);

// Seconds since 2001-01-01T00:00:00Z, the reference date of the settings form.
double secondsSinceReferenceDate(Instant instant);
// Gives std::nullopt for values that are not finite or lie beyond the representable range.
std::optional<Instant> instantFromReferenceSeconds(double seconds);

} // namespace brindle
