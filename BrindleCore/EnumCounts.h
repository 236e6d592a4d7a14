// A small map from an enumeration to a signed 64-bit count, held as a fixed array.
//
// It remembers which entries exist: an entry is created the first time something is added
// to it, even when the amount is zero, and two maps are equal only when the same entries
// exist with the same values. A missing entry reads as zero. Adding never allocates, so the
// scanner can fill one per file without touching the heap, and saturates at the 64-bit limits.
#pragma once

#include "BrindleCore/Place.h"
#include "BrindleCore/Saturating.h"

#include <array>
#include <cstdint>

namespace brindle {

template <typename E> class EnumCounts {
public:
    static constexpr std::size_t size = caseCount<E>;

    std::int64_t operator[](E key) const { return values_[index(key)]; }
    bool contains(E key) const { return (present_ >> index(key)) & 1u; }
    bool empty() const { return present_ == 0; }

    void add(E key, std::int64_t amount)
    {
        values_[index(key)] = saturatingAdd(values_[index(key)], amount);
        present_ |= 1u << index(key);
    }
    // Sets an entry, creating it; used when decoding, where a repeated key keeps the later value.
    void set(E key, std::int64_t value)
    {
        values_[index(key)] = value;
        present_ |= 1u << index(key);
    }
    void merge(const EnumCounts& other)
    {
        for (std::size_t i = 0; i < size; ++i)
            if ((other.present_ >> i) & 1u)
                add(static_cast<E>(i), other.values_[i]);
    }

    // Calls f(key, value) for every existing entry, in declaration order.
    template <typename F> void forEach(F&& f) const
    {
        for (std::size_t i = 0; i < size; ++i)
            if ((present_ >> i) & 1u)
                f(static_cast<E>(i), values_[i]);
    }

    friend bool operator==(const EnumCounts& a, const EnumCounts& b)
    {
        if (a.present_ != b.present_)
            return false;
        for (std::size_t i = 0; i < size; ++i)
            if (((a.present_ >> i) & 1u) && a.values_[i] != b.values_[i])
                return false;
        return true;
    }

private:
    static constexpr std::size_t index(E key) { return static_cast<std::size_t>(key); }

    std::array<std::int64_t, size> values_{};
    std::uint32_t present_ = 0;
};

} // namespace brindle
