#include "Brindle/cli/TextReports.h"

#include "Brindle/cli/TallyTable.h"
#include "Brindle/cli/Terminal.h"
#include "BrindleCore/Words.h"

namespace brindle::cli {

namespace {
std::string yesNo(const std::optional<bool>& value)
{
    return value ? (*value ? "yes" : "no") : "unknown";
}

std::string optionalDate(const std::optional<Instant>& value) { return value ? formatISO8601(*value) : "\u2013"; }

std::string optionalNumber(const std::optional<std::int64_t>& value)
{
    return value ? Words::count(*value) : "\u2013";
}
} // namespace

std::string driveReport(const DriveState& state)
{
    const DriveFacts& facts = state.facts;
    std::string text = "Drive \u201c" + printable(facts.name) + "\u201d\n";
    text += "  Format:      " + (facts.format.empty() ? std::string("not read") : printable(facts.format)) + "\n";
    if (facts.totalBytes)
        text += "  Capacity:    " + Words::size(*facts.totalBytes) + ", " + Words::size(facts.freeBytes.value_or(0)) +
                " free\n";
    text += "  Encrypted:   " + yesNo(facts.encrypted) + "\n";
    text += "  Removable:   " + yesNo(facts.removable) + "\n";
    text += "  UUID:        " + (facts.uuid ? printable(*facts.uuid) : std::string("unknown")) + "\n";
    text += "  Can hold Time Machine backups: " + std::string(facts.canHoldTimeMachine() ? "yes" : "no") + "\n";
    if (state.backups.empty())
        return text + "\nNo backups read: there is no readable backup_manifest.plist at the top of this drive.\n";

    text += "\nBackups, newest last:\n";
    const std::vector<std::string> headings{"Date", "Started", "Changed items", "Changed bytes"};
    std::vector<std::vector<std::string>> rows{headings};
    for (const Backup& backup : state.backups)
        rows.push_back({formatISO8601(backup.date), optionalDate(backup.started), optionalNumber(backup.changedItems),
                        backup.changedBytes ? Words::size(*backup.changedBytes) : "\u2013"});
    std::vector<std::size_t> widths(headings.size(), 0);
    for (const auto& row : rows)
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], displayWidth(row[c]));
    for (const auto& row : rows) {
        text += "  " + fitLeft(row[0], widths[0]) + "  " + fitLeft(row[1], widths[1]);
        for (std::size_t c = 2; c < row.size(); ++c)
            text += "  " + padRight(row[c], widths[c]);
        text += "\n";
    }
    return text;
}

std::string checkSummary(const CheckResult& result)
{
    std::string text = tallyTable(result.folders, result.total());
    if (!result.drive) {
        text += "\nNo backup drive was given (brindle check --drive PATH).\n";
        return text;
    }
    const auto last = result.drive->lastBackup();
    text += "\nBackup drive \u201c" + printable(result.drive->facts.name) + "\u201d: " +
            (last ? "newest backup " + formatISO8601(*last) : std::string("no backups read")) + "\n";
    if (result.otherDrives)
        for (const DriveState& other : *result.otherDrives) {
            const auto otherLast = other.lastBackup();
            text += "Also \u201c" + printable(other.facts.name) + "\u201d: " +
                    (otherLast ? "newest backup " + formatISO8601(*otherLast) : std::string("no backups read")) + "\n";
        }
    return text;
}

} // namespace brindle::cli
