#include "BrindleCore/Questions.h"

#include "BrindleCore/Translation.h"
#include "BrindleCore/Words.h"

namespace brindle {

std::string Questions::lastBackup(const std::optional<CheckResult>& stored, Instant now, const Calendar& calendar)
{
    if (!stored || !stored->drive)
        return translated("answer to a question about the last backup", "No backup drive is chosen in Brindle.");
    const DriveState& drive = *stored->drive;
    const auto last = drive.lastBackup();
    if (!last)
        return fill(
            translated("answer to a question about the last backup", "Brindle couldn\u2019t read a backup on {drive}."),
            {{"drive", drive.facts.name}});
    // TRANSLATORS: {when} is a moment such as „yesterday at 14:05“ or „on 3 March“; {drive} is the drive's name.
    return fill(translated("answer to a question about the last backup", "Your last backup was {when}, to {drive}."),
                {{"when", Words::when(*last, now, calendar, false)}, {"drive", drive.facts.name}});
}

Questions::Count Questions::noSecondCopy(const std::optional<CheckResult>& stored, Instant now,
                                         const Calendar& calendar)
{
    if (!stored)
        return {0, translated("answer to a question about the last check",
                              "Brindle hasn\u2019t checked yet. Open it and choose your folders.")};
    const std::int64_t n = stored->total().noSecondCopyWithBackup();
    const std::string text = translatedCounted(
        "answer to a question about the last check",
        // TRANSLATORS: {when} is a moment such as „yesterday at 14:05“ or „on 3 March“.
        "{n} file has no second copy, at the check {when}.", "{n} files have no second copy, at the check {when}.", n);
    return {n, fill(text, {{"n", Words::count(n)}, {"when", Words::when(stored->checkedAt, now, calendar, false)}})};
}

} // namespace brindle
