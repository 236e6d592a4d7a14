#include "Brindle/app/model/TrayPresentation.h"

#include "Brindle/app/model/RemoteBackupPlace.h"
#include "BrindleCore/StaleSpan.h"
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
        return "Brindle";
    return "Brindle, " + Words::count(noSecondCopy) + (noSecondCopy == 1 ? " file" : " files") + " with no second copy";
}

std::string trayBadge(std::int64_t noSecondCopy)
{
    if (noSecondCopy <= 0)
        return {};
    return noSecondCopy > 99 ? "99+" : Words::count(noSecondCopy);
}

std::string panelAnswer(const std::optional<Report>& report) { return report ? report->answer : "No check yet."; }

std::string panelBackupLine(const std::optional<CheckResult>& result, Instant now, const Calendar& calendar)
{
    if (const auto remote = remoteBackupLine(result, now, calendar))
        return *remote;
    if (!result || !result->drive)
        return "No backup drive chosen.";
    const std::string& name = result->drive->facts.name;
    const auto last = result->lastBackup();
    if (!last)
        return name + ": no backups read yet.";
    return "Last backup " + Words::when(*last, now, calendar, false) + ", to " + name + ".";
}

std::string panelWatchLine(bool weekly, const std::optional<CheckResult>& result, Instant now, const Calendar& calendar)
{
    if (!weekly)
        return "The weekly check is off";
    const Instant next = (result ? result->checkedAt : now) + Watch::staleSpan;
    return "Next check " + Words::when(next, now, calendar, false);
}

} // namespace brindle::presentation
