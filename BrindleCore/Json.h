// JSON plumbing shared by every stored record.
//
// Records encode to `JsonOut` (keys kept in the order written, for readable files) and decode
// from `JsonIn`. Decoding never throws: `JsonReader` checks each member's type before taking
// it and remembers the first failure, so a record's decoder reads every member and then asks
// `ok()`. Outside text is parsed with `parseJson`, which caps size and nesting depth first and
// gives a discarded value for anything that is not JSON. `dumpJson` never throws either:
// invalid UTF-8 in names is replaced by U+FFFD rather than failing the whole document.
#pragma once

#include "BrindleCore/Instant.h"
#include "BrindleCore/Limits.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

using JsonOut = nlohmann::ordered_json;
using JsonIn = nlohmann::json;

// Which of the two stored forms instants take in a document (see Instant.h).
enum class DateForm { iso8601, referenceSeconds };

// Parses `text`; a text larger than `maxBytes`, nested deeper than `maxDepth` or not JSON
// gives a value for which is_discarded() is true.
JsonIn parseJson(std::string_view text, std::size_t maxBytes = limits::jsonBytes, int maxDepth = limits::jsonDepth);

// Compact JSON, with invalid UTF-8 replaced.
std::string dumpJson(const JsonOut& value);

JsonOut encodeInstant(Instant instant, DateForm form);
std::optional<Instant> decodeInstant(const JsonIn& value, DateForm form);

// Writes `key` only when `value` is present: absent optionals are left out, never null.
template <typename T> void putOptional(JsonOut& json, const char* key, const std::optional<T>& value)
{
    if (value)
        json[key] = *value;
}
inline void putOptional(JsonOut& json, const char* key, const std::optional<Instant>& value, DateForm dates)
{
    if (value)
        json[key] = encodeInstant(*value, dates);
}

// Reads the members of one JSON object, remembering the first failure.
class JsonReader {
public:
    JsonReader(const JsonIn& object, DateForm dates);

    bool ok() const { return ok_; }
    void fail() { ok_ = false; }

    // The member, or nullptr when it is missing or null.
    const JsonIn* find(std::string_view key) const;
    // The member; a missing or null one fails the reader and gives nullptr.
    const JsonIn* require(std::string_view key);

    std::int64_t integer(std::string_view key);
    std::optional<std::int64_t> optionalInteger(std::string_view key);
    // A count or size: a whole number from 0 to 2^63 - 1; a negative one fails the reader.
    std::int64_t count(std::string_view key);
    std::optional<std::int64_t> optionalCount(std::string_view key);
    double number(std::string_view key);
    bool boolean(std::string_view key);
    std::optional<bool> optionalBoolean(std::string_view key);
    std::string string(std::string_view key);
    std::optional<std::string> optionalString(std::string_view key);
    Instant instant(std::string_view key);
    std::optional<Instant> optionalInstant(std::string_view key);

    // Decodes a member with `decode(const JsonIn&, DateForm) -> std::optional<T>`.
    template <typename T, typename Decode> std::optional<T> optionalRecord(std::string_view key, Decode decode)
    {
        const JsonIn* value = find(key);
        if (!value)
            return std::nullopt;
        auto record = decode(*value, dates_);
        if (!record)
            fail();
        return record;
    }
    template <typename T, typename Decode> T record(std::string_view key, Decode decode)
    {
        if (!require(key))
            return T{};
        auto record = optionalRecord<T>(key, decode);
        return record ? std::move(*record) : T{};
    }
    // Decode an array member element by element. A missing member gives nullopt from
    // `optionalArray` and fails the reader in `array`; an element that does not decode fails it.
    template <typename T, typename Decode>
    std::optional<std::vector<T>> optionalArray(std::string_view key, Decode decode)
    {
        const JsonIn* value = find(key);
        if (!value)
            return std::nullopt;
        if (!value->is_array()) {
            fail();
            return std::nullopt;
        }
        std::vector<T> items;
        items.reserve(value->size());
        for (const JsonIn& element : *value) {
            auto item = decode(element, dates_);
            if (!item) {
                fail();
                return std::nullopt;
            }
            items.push_back(std::move(*item));
        }
        return items;
    }
    template <typename T, typename Decode> std::vector<T> array(std::string_view key, Decode decode)
    {
        if (!require(key))
            return {};
        auto items = optionalArray<T>(key, decode);
        return items ? std::move(*items) : std::vector<T>{};
    }

private:
    std::optional<std::int64_t> optionalNumber(std::string_view key,
                                               std::optional<std::int64_t> (*read)(const JsonIn&));
    const JsonIn& object_;
    DateForm dates_;
    bool ok_;
};

// A JSON integer that fits in 64 signed bits.
std::optional<std::int64_t> jsonInteger(const JsonIn& value);
// A JSON integer from 0 to 2^63 - 1: a count or a size.
std::optional<std::int64_t> jsonCount(const JsonIn& value);

} // namespace brindle
