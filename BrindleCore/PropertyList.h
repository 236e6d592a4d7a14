// Reading property lists (XML and binary) into a small tree of our own. The one place that
// talks to libplist.
//
// Outside data is checked before libplist sees it: larger than `maxBytes`, nested deeper than
// `maxDepth`, or (binary) expanding to more than `maxNodes` nodes through shared references
// (a "billion laughs" file) is refused, as is a binary file whose offsets do not hold
// together, or an XML file that does not end with its closing tag (a truncated file). Refused
// or undecodable data gives std::nullopt; nothing throws.
#pragma once

#include "BrindleCore/Instant.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

struct PlistNode {
    enum class Type { array, dictionary, date, integer, real, other };
    Type type = Type::other;
    Instant date{};
    std::int64_t integer = 0; // two's complement of libplist's unsigned value
    double real = 0;
    std::vector<PlistNode> items;  // array elements, or dictionary values
    std::vector<std::string> keys; // dictionary keys, one per value in `items`

    // The dictionary entry under `key`, or nullptr.
    const PlistNode* find(std::string_view key) const;
    // An integer as it is, or a real truncated toward zero; nullopt for other types and for
    // reals outside the 64-bit range.
    std::optional<std::int64_t> number() const;
};

struct PlistLimits {
    std::size_t maxBytes = 64u << 20;
    int maxDepth = 64;
    std::size_t maxNodes = 2'000'000;
};

std::optional<PlistNode> readPropertyList(std::string_view data, const PlistLimits& limits = {});

} // namespace brindle
