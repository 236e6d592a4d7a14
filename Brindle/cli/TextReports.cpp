#include "Brindle/cli/TextReports.h"

#include "Brindle/cli/TallyTable.h"
#include "Brindle/cli/Terminal.h"
#include "BrindleCore/BackupTools.h"
#include "BrindleCore/Drive.h"
#include "BrindleCore/LeftOutItems.h"
#include "BrindleCore/Paths.h"
#include "BrindleCore/Words.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace brindle::cli {

namespace {
std::string yesNo(const std::optional<bool>& value) { return value ? (*value ? "yes" : "no") : "unknown"; }

std::string encryption(const DriveState& state)
{
    switch (BackupTools::privacy(state)) {
    case Privacy::driveEncrypted:
        return "yes, the drive";
    case Privacy::backupsEncrypted:
        return "yes, the backups (by " + printable(std::string(BackupTools::of(state).name)) + ")";
    case Privacy::exposed:
        return "no";
    case Privacy::unknown:
        break;
    }
    return "unknown";
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
    text += "  Encrypted:   " + encryption(state) + "\n";
    text += "  Removable:   " + yesNo(facts.removable) + "\n";
    if (facts.uuid && !Drive::isVolumeUuid(*facts.uuid))
        text += "  UUID:        none; known by its mount, " + printable(*facts.uuid) + "\n";
    else
        text += "  UUID:        " + (facts.uuid ? printable(*facts.uuid) : std::string("unknown")) + "\n";
    const BackupTool tool = BackupTools::of(state);
    text += "  Can hold backups: " +
            (BackupTools::canHold(state) ? "yes (" + printable(std::string(tool.name)) + ")"
                                         : "no: " + printable(std::string(tool.name)) + " needs " +
                                               std::string(BackupTools::needPhrase(tool.need))) +
            "\n";
    if (state.backups.empty() && state.searchStopped.value_or(false))
        return text + "\nNo backups found so far: the search stopped at its limit of folders and entries before it had "
                      "looked everywhere. Give the folder that holds the backups.\n";
    if (state.backups.empty())
        return text + "\nNo backups found: no readable backup_manifest.plist at the top of this folder, and no backups "
                      "of a tool Brindle knows in it or up to two levels below.\n";

    text += "\nBackups, newest last:\n";
    const std::vector<std::string> headings{"Date", "Started", "Tool", "Changed items", "Changed bytes"};
    std::vector<std::vector<std::string>> rows{headings};
    std::vector<std::string> notes;
    for (const Backup& backup : state.backups) {
        const std::string name = backup.tool ? printable(*backup.tool) : std::string("Time Machine");
        rows.push_back({formatISO8601(backup.date), orDash(backup.started, formatISO8601), name,
                        orDash(backup.changedItems, Words::count), orDash(backup.changedBytes, Words::size)});
        if (const auto known = backup.tool ? BackupTools::named(*backup.tool) : std::nullopt)
            if (!known->note.empty() && std::find(notes.begin(), notes.end(), known->note) == notes.end())
                notes.emplace_back(known->note);
    }
    std::vector<std::size_t> widths(headings.size(), 0);
    for (const auto& row : rows)
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], displayWidth(row[c]));
    for (const auto& row : rows) {
        text +=
            "  " + fitLeft(row[0], widths[0]) + "  " + fitLeft(row[1], widths[1]) + "  " + fitLeft(row[2], widths[2]);
        for (std::size_t c = 3; c < row.size(); ++c)
            text += "  " + padRight(row[c], widths[c]);
        text += "\n";
    }
    for (const std::string& note : notes)
        text += "\n" + note + "\n";
    return text;
}

TextStyle TextStyle::forStdout()
{
    TextStyle style;
    if (!isTerminal(stdout))
        return style;
    const char* noColor = std::getenv("NO_COLOR");
    style.color = !(noColor && *noColor);
    winsize size{};
    if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col >= 40)
        style.width = std::min<std::size_t>(size.ws_col, 100);
    return style;
}

std::string wrapped(const std::string& text, std::size_t width, const std::string& indent)
{
    // The caller prints the first line after `indent.size()` columns of its own.
    std::string out;
    std::size_t column = indent.size();
    bool lineEmpty = true;
    for (std::size_t start = 0; start <= text.size();) {
        auto space = text.find(' ', start);
        if (space == std::string::npos)
            space = text.size();
        const std::string_view word(text.data() + start, space - start);
        const std::size_t wordWidth = displayWidth(word);
        if (!lineEmpty && column + 1 + wordWidth > width) {
            out += "\n" + indent;
            column = indent.size();
            lineEmpty = true;
        }
        if (!lineEmpty) {
            out += ' ';
            ++column;
        }
        out += word;
        column += wordWidth;
        lineEmpty = false;
        start = space + 1;
    }
    return out;
}

std::string setupLines(const CheckResult& result)
{
    if (!result.backupSetups)
        return {};
    if (result.backupSetups->empty())
        return "\nNo backup tool is set up on this computer.\n";
    std::string text = "\n";
    for (const BackupSetup& setup : *result.backupSetups) {
        text += "Backup tool " + printable(setup.tool);
        const std::string destination = BackupSetups::destination(setup);
        if (!destination.empty())
            text += ", backing up to \u201c" + printable(destination) + "\u201d";
        else if (setup.volumeUuid)
            text += ", backing up to the drive " + printable(*setup.volumeUuid);
        if (setup.lastBackup)
            text += ", last backup " + formatISO8601(*setup.lastBackup);
        const auto leftOut = LeftOutItems::worded(result.folders, setup.excluded, [&](const FolderTally& folder) {
            return BackupSetups::covers(setup, withoutTrailingSlashes(folder.path));
        });
        text += leftOut.empty() ? std::string() : "; leaves out " + printable(Words::list(leftOut));
        text += "\n";
    }
    return text;
}

std::string checkLetter(const CheckResult& result, const Report& report, const TextStyle& style)
{
    const auto paint = [&](const char* code, const std::string& text) {
        return style.color ? std::string("\x1b[") + code + "m" + text + "\x1b[0m" : text;
    };
    std::string text = paint("1", wrapped(printable(report.answer), style.width, "")) + "\n";
    for (const Finding& finding : report.findings) {
        const std::string mark = finding.needsYou ? paint("1;33", "!") : paint("2", "i");
        text += "\n" + mark + " " + paint("1", wrapped(printable(finding.title), style.width, "  ")) + "\n";
        text += "  " + wrapped(printable(finding.line), style.width, "  ") + "\n";
        if (!finding.button.empty())
            text += "  " + paint("36", "\u2192 " + printable(finding.button)) + "\n";
    }
    text += "\n" + tallyTable(result.folders, result.total());
    text += setupLines(result);
    if (!result.drive)
        return text;
    const auto describe = [](const DriveState& drive) {
        const auto last = drive.lastBackup();
        return "\u201c" + printable(drive.facts.name) + "\u201d, " +
               (last ? "newest backup " + formatISO8601(*last) + " by " +
                           printable(std::string(BackupTools::of(drive).name))
                     : std::string("no backups read"));
    };
    text += "\nBackup drive " + describe(*result.drive) + "\n";
    if (result.otherDrives)
        for (const DriveState& other : *result.otherDrives)
            text += "Also " + describe(other) + "\n";
    return text;
}

} // namespace brindle::cli
