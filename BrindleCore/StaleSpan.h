// The one span the week rules share: a backup, or a drive's absence, counts as old after it,
// and the weekly check is due after it.
#pragma once

#include "BrindleCore/Instant.h"

#include <chrono>

namespace brindle::Watch {

inline constexpr int staleDays = 7;
inline constexpr std::chrono::seconds staleSpan{staleDays * secondsPerDay};

} // namespace brindle::Watch
