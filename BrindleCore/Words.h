// Words: numbers, sizes, durations, moments and lists as the short British English phrases
// every sentence of the program is built from.
//
// The output never follows the process locale: digits are grouped with commas, "." is the
// decimal point, times are 24-hour and dates are day-then-month. Pure functions, safe from
// any thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brindle::Words {

// 1234567 → "1,234,567"; -1234 → "-1,234".
std::string count(std::int64_t n);
// Decimal units: "0 MB", "under 1 MB", "12 MB", "1.23 GB", "2.50 TB".
std::string size(std::int64_t bytes);
// As `size` below 1 GB; "12.3 GB" below 100 GB; "2500 GB" above (no TB form).
std::string roughSize(std::int64_t bytes);
// "under a second", "59 s", "2 min 5 s".
std::string duration(double seconds);
// "a", "a and b", "a, b and c".
std::string list(const std::vector<std::string>& items);
// "Documents 1,234 · Desktop 5".
std::string folderList(const std::vector<std::pair<std::string, std::int64_t>>& pairs);

} // namespace brindle::Words
