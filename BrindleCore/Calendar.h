// Calendar: the time zone in which calendar days and times of day are read.
//
// A value that logic takes as an argument, so tests can use any zone (a daylight-saving
// change in Europe/London, Pacific/Auckland) without touching process-wide state, and run in
// parallel. Zones come from the system's tz database through the date library; the English
// names of days and months are our own, so the process locale never matters.
#pragma once

#include "BrindleCore/Instant.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace date {
class time_zone;
}

namespace brindle {

struct LocalTime {
    std::chrono::sys_days day; // the local calendar day, as a day count
    int hour = 0;
    int minute = 0;
};

class Calendar {
public:
    // The user's zone: $TZ when it names a zone ("Asia/Tokyo", ":Asia/Tokyo") or a tz database
    // file ("/usr/share/zoneinfo/Asia/Tokyo"), else the system's (/etc/localtime), else UTC.
    static Calendar current();
    // A named zone ("Europe/London"); nullopt when the tz database does not know it.
    static std::optional<Calendar> named(std::string_view zone);
    static Calendar utc();

    LocalTime local(Instant instant) const;
    // The instant at which this zone's clocks show `reading` (a wall-clock date and time,
    // written as if it were UTC). When clocks turned back and the reading came twice, the
    // earlier; when clocks turned forward past it, the moment they turned.
    Instant instant(std::chrono::sys_seconds reading) const;
    std::string zoneName() const;

    friend bool operator==(const Calendar& a, const Calendar& b) { return a.zone_ == b.zone_; }

private:
    explicit Calendar(const date::time_zone* zone) : zone_(zone) {}
    const date::time_zone* zone_;
};

} // namespace brindle
