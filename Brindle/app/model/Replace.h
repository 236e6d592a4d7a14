// Puts a value in a field and says whether it was a change, so that change signals come only
// on real ones.
#pragma once

#include <utility>

namespace brindle {

template <typename T> bool replace(T& field, T value)
{
    if (field == value)
        return false;
    field = std::move(value);
    return true;
}

} // namespace brindle
