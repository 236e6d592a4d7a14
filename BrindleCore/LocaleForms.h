// LocaleForms: numbers, days and lists in the forms of `formattingLocale()` (ICU, from the
// CLDR data of that locale): "1.204" and "7. Dezember" in German. Words uses them only while
// a translation is chosen; English keeps the program's own forms. Safe from any thread.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace brindle::LocaleForms {

// 1204 → "1.204" (grouped as the locale groups).
std::string integer(std::int64_t n);
// 1.234 with 2 decimals → "1,23".
std::string decimal(double value, int decimals);
// The day in an ICU date skeleton, as the locale orders it: "dMMMM" → "7. Dezember",
// "EEEE" → "Dienstag".
std::string date(std::chrono::sys_days day, const char* skeleton);
// "a, b und c".
std::string list(const std::vector<std::string>& items);

} // namespace brindle::LocaleForms
