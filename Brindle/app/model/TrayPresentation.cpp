#include "Brindle/app/model/TrayPresentation.h"

#include "Brindle/app/model/RemoteBackupPlace.h"
#include "BrindleCore/StaleSpan.h"
#include "BrindleCore/Translation.h"
#include "BrindleCore/Words.h"

#include <chrono>

namespace brindle::presentation {

std::int64_t trayCount(const std::optional<CheckResult>& result)
{
    return result ? result->total().noSecondCopyWithBackup() : 0;
}

std::string trayLabel(std::int64_t noSecondCopy)
{
    if (noSecondCopy <= 0)
        return translated("the program's name", "Brindle");
    return fill(translatedCounted("tray: tooltip", "Brindle, {n} file with no second copy",
                                  "Brindle, {n} files with no second copy", noSecondCopy),
                {{"n", Words::count(noSecondCopy)}});
}

std::string trayBadge(std::int64_t noSecondCopy)
{
    if (noSecondCopy <= 0)
        return {};
    return noSecondCopy > 99 ? "99+" : Words::count(noSecondCopy);
}

std::string panelAnswer(const std::optional<Report>& report)
{
    return report ? report->answer : translated("tray panel: answer", "No check yet.");
}

std::string panelBackupLine(const std::optional<CheckResult>& result, Instant now, const Calendar& calendar)
{
    if (const auto remote = remoteBackupLine(result, now, calendar))
        return *remote;
    if (!result || !result->drive)
        return translated("tray panel: backup line", "No backup drive chosen.");
    const std::string& name = result->drive->facts.name;
    const auto last = result->lastBackup();
    if (!last)
        // TRANSLATORS: {drive} is the backup drive's name.
        return fill(translated("tray panel: backup line", "{drive}: no backups read yet."), {{"drive", name}});
    // TRANSLATORS: {when} is the last backup's date: "today at 09:05"; {drive} the drive's name.
    return fill(translated("tray panel: backup line", "Last backup {when}, to {drive}."),
                {{"when", Words::when(*last, now, calendar, false)}, {"drive", name}});
}

std::string panelWatchLine(bool weekly, const std::optional<CheckResult>& result, Instant now, const Calendar& calendar)
{
    if (!weekly)
        return translated("tray panel: watch line", "The weekly check is off");
    const Instant next = (result ? result->checkedAt : now) + Watch::staleSpan;
    // TRANSLATORS: {when} is the next check's date: "tomorrow at 09:05", "on 3 March".
    return fill(translated("tray panel: watch line", "Next check {when}"),
                {{"when", Words::when(next, now, calendar, false)}});
}

} // namespace brindle::presentation
