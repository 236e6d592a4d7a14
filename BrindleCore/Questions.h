// The two questions a person can ask without opening the window: "When was my last backup?"
// and "How many files have no second copy?", answered from the stored last result.
//
// Pure functions of the stored result (absent when there is none), the moment the question is
// asked and the calendar it is worded in.
#pragma once

#include "BrindleCore/Calendar.h"
#include "BrindleCore/CheckResult.h"

#include <cstdint>
#include <optional>
#include <string>

namespace brindle::Questions {

inline constexpr const char* lastBackupTitle = "When was my last backup?";
inline constexpr const char* noSecondCopyTitle = "How many files have no second copy?";

// The sentence, which is also the answer's value.
std::string lastBackup(const std::optional<CheckResult>& stored, Instant now, const Calendar& calendar);

struct Count {
    std::int64_t value = 0;
    std::string dialog;
};
Count noSecondCopy(const std::optional<CheckResult>& stored, Instant now, const Calendar& calendar);

} // namespace brindle::Questions
