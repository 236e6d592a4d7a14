// CheckSummary: one line of the history, numbers and dates only, never a name or a path.
//
// Derived from a CheckResult; turned back into a count-only FolderTally for drawing one
// coverage band per past check. JSON with ISO 8601 dates to the whole second; decoding never
// throws and fails on a missing or mistyped required key.
#pragma once

#include "BrindleCore/CheckResult.h"

#include <cstdint>
#include <optional>

namespace brindle {

struct CheckSummary {
    Instant at;
    std::int64_t folders = 0;
    std::int64_t files = 0;
    std::int64_t bytes = 0;
    std::int64_t noSecondCopy = 0;
    std::int64_t onlyHere = 0;
    std::int64_t onlyICloud = 0;
    std::int64_t waiting = 0;
    std::optional<Instant> lastBackup{};

    CheckSummary() = default;
    explicit CheckSummary(const CheckResult& result);

    Instant id() const { return at; }

    // A tally with the four place counts (both = what is left, never below zero) and, when a
    // backup was known, the changed count that gives back `noSecondCopy`.
    FolderTally tally() const;

    friend bool operator==(const CheckSummary&, const CheckSummary&) = default;
};

JsonOut encode(const CheckSummary& summary, DateForm dates = DateForm::iso8601);
std::optional<CheckSummary> decodeCheckSummary(const JsonIn& value, DateForm dates = DateForm::iso8601);

} // namespace brindle
