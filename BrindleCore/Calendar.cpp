#include "BrindleCore/Calendar.h"

#include <date/tz.h>

#include <cstdlib>
#include <limits.h>
#include <memory>

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

namespace {
// The zone a tz database file names by its place under a "zoneinfo" folder
// ("/usr/share/zoneinfo/Asia/Tokyo", "/usr/share/zoneinfo/posix/Asia/Tokyo"), with links
// (such as /etc/localtime) followed when the path itself says nothing.
std::optional<Calendar> zoneOfFile(const std::string& path)
{
    const auto byName = [](std::string_view file) -> std::optional<Calendar> {
        const auto at = file.rfind("/zoneinfo/");
        if (at == std::string_view::npos)
            return std::nullopt;
        std::string_view name = file.substr(at + 10);
        if (auto zone = Calendar::named(name))
            return zone;
        if (name.starts_with("posix/"))
            return Calendar::named(name.substr(6));
        return std::nullopt;
    };
    if (auto zone = byName(path))
        return zone;
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    return resolved ? byName(resolved.get()) : std::nullopt;
}
} // namespace

Calendar Calendar::current()
{
    // $TZ as a zone name or a tz file's path; anything else (a POSIX rule such as
    // "EST5EDT,M3.2.0,M11.1.0", a typing mistake) leaves the system's zone in charge.
    if (const char* tz = std::getenv("TZ"); tz && *tz) {
        std::string_view name(tz);
        if (name.front() == ':')
            name.remove_prefix(1);
        if (auto zone = name.starts_with('/') ? zoneOfFile(std::string(name)) : named(name))
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

Instant Calendar::instant(std::chrono::sys_seconds reading) const
{
    const date::local_seconds local{reading.time_since_epoch()};
    return zone_->to_sys(local, date::choose::earliest);
}

std::string Calendar::zoneName() const { return std::string(zone_->name()); }

} // namespace brindle
