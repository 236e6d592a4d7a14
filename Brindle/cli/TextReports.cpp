#include "Brindle/cli/TextReports.h"

#include "Brindle/cli/TallyTable.h"
#include "Brindle/cli/Terminal.h"
#include "BrindleCore/BackupTools.h"
#include "BrindleCore/Drive.h"
#include "BrindleCore/LeftOutItems.h"
#include "BrindleCore/Paths.h"
#include "BrindleCore/Translation.h"
#include "BrindleCore/Words.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace brindle::cli {

namespace {
std::string yesNo(const std::optional<bool>& value)
{
    if (!value)
        return translated("terminal: brindle drive", "unknown");
    return *value ? translated("terminal: brindle drive", "yes") : translated("terminal: brindle drive", "no");
}

std::string encryption(const DriveState& state)
{
    switch (BackupTools::privacy(state)) {
    case Privacy::driveEncrypted:
        return translated("terminal: brindle drive", "yes, the drive");
    case Privacy::backupsEncrypted:
        // TRANSLATORS: {tool} is a backup program's name, such as restic.
        return fill(translated("terminal: brindle drive", "yes, the backups (by {tool})"),
                    {{"tool", printable(std::string(BackupTools::of(state).name))}});
    case Privacy::exposed:
        return yesNo(false);
    case Privacy::unknown:
        break;
    }
    return yesNo(std::nullopt);
}

} // namespace

std::string driveReport(const DriveState& state)
{
    const DriveFacts& facts = state.facts;
    std::string text =
        fill(translated("terminal: brindle drive", "Drive \u201c{name}\u201d"), {{"name", printable(facts.name)}}) +
        "\n";
    // The labels line up after the longest of them.
    const std::array<std::string, 5> labels{
        translated("terminal: brindle drive", "Format:"), translated("terminal: brindle drive", "Capacity:"),
        translated("terminal: brindle drive", "Encrypted:"), translated("terminal: brindle drive", "Removable:"),
        translated("terminal: brindle drive", "UUID:")};
    std::size_t labelWidth = 13;
    for (const std::string& label : labels)
        labelWidth = std::max(labelWidth, displayWidth(label) + 1);
    const auto fact = [&](std::size_t label, const std::string& value) {
        return "  " + fitLeft(labels[label], labelWidth) + value + "\n";
    };
    text += fact(0, facts.format.empty() ? translated("terminal: brindle drive", "not read") : printable(facts.format));
    if (facts.totalBytes)
        text += fact(
            1, fill(translated("terminal: brindle drive", "{size}, {free} free"),
                    {{"size", Words::size(*facts.totalBytes)}, {"free", Words::size(facts.freeBytes.value_or(0))}}));
    text += fact(2, encryption(state));
    text += fact(3, yesNo(facts.removable));
    if (facts.uuid && !Drive::isVolumeUuid(*facts.uuid))
        text += fact(4, fill(translated("terminal: brindle drive", "none; known by its mount, {mount}"),
                             {{"mount", printable(*facts.uuid)}}));
    else
        text += fact(4, facts.uuid ? printable(*facts.uuid) : yesNo(std::nullopt));
    const BackupTool tool = BackupTools::of(state);
    const std::string toolName = printable(std::string(tool.name));
    std::string canHold = translated("terminal: brindle drive", "Can hold backups: yes ({tool})");
    if (!BackupTools::canHold(state))
        // TRANSLATORS: {tool} is a backup program's name; {need} says what it needs of a drive.
        canHold = translated("terminal: brindle drive", "Can hold backups: no: {tool} needs {need}");
    text += "  " + fill(canHold, {{"tool", toolName}, {"need", BackupTools::needPhrase(tool.need)}}) + "\n";
    if (state.backups.empty() && state.searchStopped.value_or(false))
        return text + "\n" +
               translated("terminal: brindle drive",
                          "No backups found so far: the search stopped at its limit of folders and entries "
                          "before it had looked everywhere. Give the folder that holds the backups.") +
               "\n";
    if (state.backups.empty())
        return text + "\n" +
               translated("terminal: brindle drive",
                          "No backups found: no readable backup_manifest.plist at the top of this folder, "
                          "and no backups of a tool Brindle knows in it or up to two levels below.") +
               "\n";

    text += "\n" + translated("terminal: brindle drive", "Backups, newest last:") + "\n";
    const std::vector<std::string> headings{translated("terminal: brindle drive, column", "Date"),
                                            translated("terminal: brindle drive, column", "Started"),
                                            translated("terminal: brindle drive, column", "Tool"),
                                            translated("terminal: brindle drive, column", "Changed items"),
                                            translated("terminal: brindle drive, column", "Changed bytes")};
    std::vector<std::vector<std::string>> rows{headings};
    std::vector<std::string> notes;
    for (const Backup& backup : state.backups) {
        const std::string name = backup.tool ? printable(*backup.tool) : std::string("Time Machine");
        rows.push_back({formatISO8601(backup.date), orDash(backup.started, formatISO8601), name,
                        orDash(backup.changedItems, Words::count), orDash(backup.changedBytes, Words::size)});
        if (const auto known = backup.tool ? BackupTools::named(*backup.tool) : std::nullopt)
            if (const std::string note = BackupTools::note(*known);
                !note.empty() && std::find(notes.begin(), notes.end(), note) == notes.end())
                notes.push_back(note);
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
        return "\n" +
               translated("terminal: brindle check, backup tools", "No backup tool is set up on this computer.") + "\n";
    std::string text = "\n";
    for (const BackupSetup& setup : *result.backupSetups) {
        // The line is the tool, then what is known of it, each part said on its own.
        text += fill(translated("terminal: brindle check, backup tools", "Backup tool {tool}"),
                     {{"tool", printable(setup.tool)}});
        const std::string destination = BackupSetups::destination(setup);
        if (!destination.empty())
            text +=
                fill(translated("terminal: brindle check, backup tools", ", backing up to \u201c{destination}\u201d"),
                     {{"destination", printable(destination)}});
        else if (setup.volumeUuid)
            text += fill(translated("terminal: brindle check, backup tools", ", backing up to the drive {uuid}"),
                         {{"uuid", printable(*setup.volumeUuid)}});
        if (setup.lastBackup)
            text += fill(translated("terminal: brindle check, backup tools", ", last backup {date}"),
                         {{"date", formatISO8601(*setup.lastBackup)}});
        const auto leftOut = LeftOutItems::worded(result.folders, setup.excluded, [&](const FolderTally& folder) {
            return BackupSetups::covers(setup, withoutTrailingSlashes(folder.path));
        });
        text += leftOut.empty() ? std::string()
                                : fill(translated("terminal: brindle check, backup tools", "; leaves out {list}"),
                                       {{"list", printable(Words::list(leftOut))}});
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
    const auto describe = [](const DriveState& drive, bool first) {
        const auto last = drive.lastBackup();
        std::string sentence;
        if (first && last)
            sentence = translated("terminal: brindle check, backup drives",
                                  // TRANSLATORS: {tool} is a backup program's name, such as Timeshift.
                                  "Backup drive \u201c{name}\u201d, newest backup {date} by {tool}");
        else if (first)
            sentence = translated("terminal: brindle check, backup drives",
                                  "Backup drive \u201c{name}\u201d, no backups read");
        else if (last)
            sentence = translated("terminal: brindle check, backup drives",
                                  // TRANSLATORS: {tool} is a backup program's name, such as Timeshift.
                                  "Also \u201c{name}\u201d, newest backup {date} by {tool}");
        else
            sentence = translated("terminal: brindle check, backup drives", "Also \u201c{name}\u201d, no backups read");
        return fill(sentence, {{"name", printable(drive.facts.name)},
                               {"date", last ? formatISO8601(*last) : std::string()},
                               {"tool", printable(std::string(BackupTools::of(drive).name))}}) +
               "\n";
    };
    text += "\n" + describe(*result.drive, true);
    if (result.otherDrives)
        for (const DriveState& other : *result.otherDrives)
            text += describe(other, false);
    return text;
}

} // namespace brindle::cli
