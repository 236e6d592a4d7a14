#include "BrindleCore/Questions.h"

#include "BrindleCore/Words.h"

namespace brindle {

std::string Questions::lastBackup(const std::optional<CheckResult>& stored, Instant now, const Calendar& calendar)
{
    if (!stored || !stored->drive)
        return "No backup drive is chosen in Brindle.";
    const DriveState& drive = *stored->drive;
    const auto last = drive.lastBackup();
    if (!last)
        return "Brindle couldn\u2019t read a backup on " + drive.facts.name + ".";
    return "Your last backup was " + Words::when(*last, now, calendar, false) + ", to " + drive.facts.name + ".";
}

Questions::Count Questions::noSecondCopy(const std::optional<CheckResult>& stored, Instant now,
                                         const Calendar& calendar)
{
    if (!stored)
        return {0, "Brindle hasn\u2019t checked yet. Open it and choose your folders."};
    const std::int64_t n = stored->total().noSecondCopyWithBackup();
    return {n, Words::count(n) + (n == 1 ? " file has" : " files have") + " no second copy, at the check " +
                   Words::when(stored->checkedAt, now, calendar, false) + "."};
}

} // namespace brindle
