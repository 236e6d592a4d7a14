// The texts of the tray item and its panel, worked out from the model's values so that the
// widgets only draw them. Pure functions of their arguments ("now" and the calendar are passed
// in); safe from any thread.
#pragma once

#include "BrindleCore/Calendar.h"
#include "BrindleCore/CheckResult.h"
#include "BrindleCore/Instant.h"
#include "BrindleCore/Report.h"

#include <cstdint>
#include <optional>
#include <string>

namespace brindle::presentation {

// The files with no second copy that the tray item counts: the total's, 0 without a result.
std::int64_t trayCount(const std::optional<CheckResult>& result);

// The item spoken: "Brindle, 1 file with no second copy", "Brindle, 2,500 files with no second
// copy", or "Brindle" for 0.
std::string trayLabel(std::int64_t noSecondCopy);

// The count drawn on the icon: empty for 0 (the bare icon), "99+" above 99, which is all a
// tray icon has room for.
std::string trayBadge(std::int64_t noSecondCopy);

// The panel's answer: the report's, or "No check yet." without one.
std::string panelAnswer(const std::optional<Report>& report);

// "No backup drive chosen." without a result or a drive; "Backup: no backups read yet." for a
// drive with none; else "Last backup yesterday at 18:00, to Backup.". Without a drive, a set-up
// that backs up over the network says its record instead (remoteBackupLine).
std::string panelBackupLine(const std::optional<CheckResult>& result, Instant now, const Calendar& calendar);

// "The weekly check is off", or "Next check on Tuesday": a week after the last check (after
// now without one).
std::string panelWatchLine(bool weekly, const std::optional<CheckResult>& result, Instant now,
                           const Calendar& calendar);

} // namespace brindle::presentation
