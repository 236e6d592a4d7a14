#include "BrindleCore/Json.h"

#include <limits>

namespace brindle {

namespace {
// Nesting depth of the brackets outside strings; stops counting once past `limit`.
bool nestingWithin(std::string_view text, int limit)
{
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > limit)
                return false;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return true;
}
} // namespace

JsonIn parseJson(std::string_view text, std::size_t maxBytes, int maxDepth)
{
    // The parser takes a NUL byte for the end of input, so a NUL-padded (torn) file would
    // otherwise read as whole; JSON text never holds a raw NUL.
    if (text.size() > maxBytes || text.find('\0') != std::string_view::npos || !nestingWithin(text, maxDepth))
        return JsonIn(JsonIn::value_t::discarded);
    return JsonIn::parse(text.begin(), text.end(), nullptr, /*allow_exceptions=*/false);
}

std::string dumpJson(const JsonOut& value) { return value.dump(-1, ' ', false, JsonOut::error_handler_t::replace); }

JsonOut encodeInstant(Instant instant, DateForm form)
{
    if (form == DateForm::iso8601)
        return formatISO8601(instant);
    return secondsSinceReferenceDate(instant);
}

std::optional<Instant> decodeInstant(const JsonIn& value, DateForm form)
{
    if (form == DateForm::iso8601)
        return value.is_string() ? parseISO8601(value.get_ref<const std::string&>()) : std::nullopt;
    return value.is_number() ? instantFromReferenceSeconds(value.get<double>()) : std::nullopt;
}

std::optional<std::int64_t> jsonInteger(const JsonIn& value)
{
    if (value.is_number_unsigned()) {
        const auto u = value.get<std::uint64_t>();
        if (u > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
            return std::nullopt;
        return static_cast<std::int64_t>(u);
    }
    if (value.is_number_integer())
        return value.get<std::int64_t>();
    return std::nullopt;
}

std::optional<std::int64_t> jsonCount(const JsonIn& value)
{
    const auto number = jsonInteger(value);
    return number && *number >= 0 ? number : std::nullopt;
}

JsonReader::JsonReader(const JsonIn& object, DateForm dates) : object_(object), dates_(dates), ok_(object.is_object())
{
}

const JsonIn* JsonReader::find(std::string_view key) const
{
    if (!object_.is_object())
        return nullptr;
    const auto it = object_.find(key);
    if (it == object_.end() || it->is_null())
        return nullptr;
    return &*it;
}

const JsonIn* JsonReader::require(std::string_view key)
{
    const JsonIn* value = find(key);
    if (!value)
        ok_ = false;
    return value;
}

std::optional<std::int64_t> JsonReader::optionalNumber(std::string_view key,
                                                       std::optional<std::int64_t> (*read)(const JsonIn&))
{
    const JsonIn* value = find(key);
    if (!value)
        return std::nullopt;
    auto number = read(*value);
    if (!number)
        ok_ = false;
    return number;
}

std::optional<std::int64_t> JsonReader::optionalInteger(std::string_view key)
{
    return optionalNumber(key, jsonInteger);
}

std::int64_t JsonReader::integer(std::string_view key) { return require(key) ? optionalInteger(key).value_or(0) : 0; }

std::optional<std::int64_t> JsonReader::optionalCount(std::string_view key) { return optionalNumber(key, jsonCount); }

std::int64_t JsonReader::count(std::string_view key) { return require(key) ? optionalCount(key).value_or(0) : 0; }

double JsonReader::number(std::string_view key)
{
    const JsonIn* value = require(key);
    if (!value)
        return 0;
    if (!value->is_number()) {
        ok_ = false;
        return 0;
    }
    return value->get<double>();
}

std::optional<bool> JsonReader::optionalBoolean(std::string_view key)
{
    const JsonIn* value = find(key);
    if (!value)
        return std::nullopt;
    if (!value->is_boolean()) {
        ok_ = false;
        return std::nullopt;
    }
    return value->get<bool>();
}

bool JsonReader::boolean(std::string_view key) { return require(key) ? optionalBoolean(key).value_or(false) : false; }

std::optional<std::string> JsonReader::optionalString(std::string_view key)
{
    const JsonIn* value = find(key);
    if (!value)
        return std::nullopt;
    if (!value->is_string()) {
        ok_ = false;
        return std::nullopt;
    }
    return value->get<std::string>();
}

std::string JsonReader::string(std::string_view key)
{
    return require(key) ? optionalString(key).value_or(std::string{}) : std::string{};
}

std::optional<Instant> JsonReader::optionalInstant(std::string_view key)
{
    const JsonIn* value = find(key);
    if (!value)
        return std::nullopt;
    auto instant = decodeInstant(*value, dates_);
    if (!instant)
        ok_ = false;
    return instant;
}

Instant JsonReader::instant(std::string_view key)
{
    return require(key) ? optionalInstant(key).value_or(Instant{}) : Instant{};
}

} // namespace brindle
