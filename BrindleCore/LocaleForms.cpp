#include "BrindleCore/LocaleForms.h"

#include "BrindleCore/Translation.h"

#include <unicode/dtptngen.h>
#include <unicode/listformatter.h>
#include <unicode/numberformatter.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <map>
#include <memory>
#include <mutex>
#include <optional>

namespace brindle::LocaleForms {

namespace {
icu::Locale locale() { return icu::Locale(formattingLocale().c_str()); }

// The locale's pattern for a skeleton, made once: the generator loads much of the locale's data,
// and a history of many days asks for the same two or three patterns again and again. The
// locale is chosen once, before any of them.
std::optional<icu::UnicodeString> patternOf(const char* skeleton)
{
    static std::mutex guard;
    static std::map<std::string, icu::UnicodeString> made;
    const std::lock_guard lock(guard);
    if (const auto found = made.find(skeleton); found != made.end())
        return found->second;
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::DateTimePatternGenerator> patterns(
        icu::DateTimePatternGenerator::createInstance(locale(), status));
    if (U_FAILURE(status))
        return std::nullopt;
    const icu::UnicodeString pattern = patterns->getBestPattern(icu::UnicodeString(skeleton), status);
    if (U_FAILURE(status))
        return std::nullopt;
    return made.emplace(skeleton, pattern).first->second;
}

std::string utf8(const icu::UnicodeString& text)
{
    std::string out;
    text.toUTF8String(out);
    return out;
}
} // namespace

std::string integer(std::int64_t n)
{
    UErrorCode status = U_ZERO_ERROR;
    const auto text = icu::number::NumberFormatter::withLocale(locale()).formatInt(n, status).toString(status);
    return U_SUCCESS(status) ? utf8(text) : std::to_string(n);
}

std::string decimal(double value, int decimals)
{
    UErrorCode status = U_ZERO_ERROR;
    const auto text = icu::number::NumberFormatter::withLocale(locale())
                          .precision(icu::number::Precision::fixedFraction(decimals))
                          .formatDouble(value, status)
                          .toString(status);
    return U_SUCCESS(status) ? utf8(text) : std::to_string(value);
}

std::string date(std::chrono::sys_days day, const char* skeleton)
{
    const std::optional<icu::UnicodeString> pattern = patternOf(skeleton);
    if (!pattern)
        return {};
    UErrorCode status = U_ZERO_ERROR;
    icu::SimpleDateFormat format(*pattern, locale(), status);
    if (U_FAILURE(status))
        return {};
    // The day is already the calendar's own: read at noon in UTC, it is that day everywhere.
    format.adoptTimeZone(icu::TimeZone::createTimeZone("UTC"));
    const auto noon = std::chrono::sys_time<std::chrono::milliseconds>(day) + std::chrono::hours(12);
    icu::UnicodeString text;
    format.format(static_cast<UDate>(noon.time_since_epoch().count()), text);
    return utf8(text);
}

std::string list(const std::vector<std::string>& items)
{
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::ListFormatter> format(icu::ListFormatter::createInstance(locale(), status));
    std::vector<icu::UnicodeString> parts;
    for (const std::string& item : items)
        parts.push_back(icu::UnicodeString::fromUTF8(item));
    icu::UnicodeString text;
    if (U_SUCCESS(status))
        format->format(parts.data(), static_cast<int32_t>(parts.size()), text, status);
    if (U_FAILURE(status))
        return {};
    return utf8(text);
}

} // namespace brindle::LocaleForms
