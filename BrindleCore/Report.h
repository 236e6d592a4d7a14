// Report: what the program says about one check: a one-line answer and the findings, in a
// fixed order, each with a button and whether it asks the person to act.
//
// Built by a pure function of the result, the guide, the moment files began waiting to
// upload, and the calendar in which moments are worded. Every age is measured from the
// result's `checkedAt`, never from the clock; comparisons of time are strict. Where the
// result names a sync client, the texts about the cloud name it instead of iCloud.
#pragma once

#include "BrindleCore/Calendar.h"
#include "BrindleCore/CheckResult.h"
#include "BrindleCore/Guide.h"

#include <optional>
#include <string>
#include <vector>

namespace brindle {

struct Finding {
    std::string id;
    std::string title;
    std::string line;
    std::string button;
    std::string opens;
    bool needsYou = false;
    friend bool operator==(const Finding&, const Finding&) = default;
};

struct Report {
    std::string answer;
    std::vector<Finding> findings;

    Report() = default;
    Report(const CheckResult& result, const Guide& guide, std::optional<Instant> waitingSince,
           const Calendar& calendar);

    friend bool operator==(const Report&, const Report&) = default;
};

} // namespace brindle
