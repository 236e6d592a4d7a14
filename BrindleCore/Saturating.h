// Sums of counts and sizes that stop at the largest (or smallest) 64-bit value instead of
// overflowing: a stored file may claim counts near the limit, and adding two of them must
// neither wrap round to a negative figure nor be undefined behaviour.
#pragma once

#include <cstdint>
#include <limits>

namespace brindle {

constexpr std::int64_t saturatingAdd(std::int64_t a, std::int64_t b)
{
    std::int64_t sum = 0;
    if (!__builtin_add_overflow(a, b, &sum))
        return sum;
    return b > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
}

constexpr std::int64_t saturatingSubtract(std::int64_t a, std::int64_t b)
{
    std::int64_t difference = 0;
    if (!__builtin_sub_overflow(a, b, &difference))
        return difference;
    return b < 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
}

} // namespace brindle
