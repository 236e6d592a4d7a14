// Words: numbers, sizes, durations, moments and lists as the short British English phrases
// every sentence of the program is built from.
//
// The output never follows the process locale: digits are grouped with commas, "." is the
// decimal point, times are 24-hour and dates are day-then-month. Pure functions, safe from
// any thread.
#pragma once

#include "BrindleCore/Calendar.h"
#include "BrindleCore/Instant.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brindle::Words {

// 1234567 → "1,234,567"; -1234 → "-1,234".
std::string count(std::int64_t n);
// The count and its noun in the right number: "1 file", "0 files", "1,234 files".
std::string counted(std::int64_t n, std::string_view one, std::string_view other);
// Decimal units: "0 MB", "under 1 MB", "12 MB", "1.23 GB", "2.50 TB".
std::string size(std::int64_t bytes);
// As `size` below 1 GB; "12.3 GB" below 100 GB; "2500 GB" above (no TB form).
std::string roughSize(std::int64_t bytes);
// "under a second", "59 s", "2 min 5 s".
std::string duration(double seconds);
// A moment as people say it, counting calendar days in `calendar` from `date`'s day to
// `now`'s: "today at 09:05", "yesterday at 23:59", "tomorrow at 07:00"; two or more days
// back "12 days ago" when `relative`, else "on Tuesday" (within six days) or "on 3 March";
// future days "on Tuesday" or "on 3 March" whatever `relative` says; a day of another year
// than `now`'s names its year ("on 5 October 2025"). Times are 24-hour in `calendar`'s zone.
std::string when(Instant date, Instant now, const Calendar& calendar, bool relative);
// A moment with its time whatever the day: "today at 22:00", "yesterday at 22:00", "on 7
// December at 22:00", "on 7 December 2025 at 22:00".
std::string moment(Instant date, Instant now, const Calendar& calendar);
// The day of `date` in `calendar`: "3 March", or "31 December 2099" in another year than `now`'s.
std::string date(Instant date, Instant now, const Calendar& calendar);
// "a", "a and b", "a, b and c".
std::string list(const std::vector<std::string>& items);
// "Documents 1,234 · Desktop 5".
std::string folderList(const std::vector<std::pair<std::string, std::int64_t>>& pairs);
// A name from outside (a file system, a drive's label, a settings file) as it may be shown:
// without control characters (C0, DEL, C1) and without the formatting characters that turn
// the direction of text (U+061C, U+200E, U+200F, U+202A to U+202E, U+2066 to U+2069), which
// would reorder the sentence around it. Bytes that are not UTF-8 are kept as they are.
std::string shownName(std::string_view name);
// `text` about the cloud, naming the sync client instead: "iCloud Drive" and "iCloud" become
// `client` ("Only in iCloud" → "Only in Nextcloud"). "iCloud" itself leaves the text as it is.
std::string namingCloud(std::string text, std::string_view client);

} // namespace brindle::Words
