// Plain-text reports for the terminal: what was read from a backup drive, and a check's
// result. Every line ends with "\n"; names are made printable.
#pragma once

#include "BrindleCore/CheckResult.h"

#include <string>

namespace brindle::cli {

std::string driveReport(const DriveState& state);
std::string checkSummary(const CheckResult& result);

} // namespace brindle::cli
