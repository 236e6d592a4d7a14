#include "BrindleCore/Calendar.h"

#include <date/tz.h>

#include <cstdlib>

namespace brindle {

std::optional<Calendar> Calendar::named(std::string_view zone)
{
    // The date library reports an unknown zone by throwing; keep that inside.
    try {
        return Calendar(date::locate_zone(zone));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

Calendar Calendar::utc()
{
    static const Calendar zone = named("Etc/UTC").value_or(named("UTC").value());
    return zone;
}

Calendar Calendar::current()
{
    if (const char* tz = std::getenv("TZ"); tz && *tz) {
        std::string_view name(tz);
        if (name.front() == ':')
            name.remove_prefix(1);
        if (auto zone = named(name))
            return *zone;
    }
    try {
        return Calendar(date::current_zone());
    } catch (const std::exception&) {
        return utc();
    }
}

LocalTime Calendar::local(Instant instant) const
{
    const auto local = zone_->to_local(std::chrono::floor<std::chrono::seconds>(instant));
    const auto day = std::chrono::floor<std::chrono::days>(local);
    const std::chrono::hh_mm_ss time(local - day);
    return {std::chrono::sys_days{day.time_since_epoch()}, static_cast<int>(time.hours().count()),
            static_cast<int>(time.minutes().count())};
}

std::string Calendar::zoneName() const { return std::string(zone_->name()); }

} // namespace brindle
