#include "Brindle/cli/TallyTable.h"

#include "Brindle/cli/Terminal.h"
#include "BrindleCore/Translation.h"
#include "BrindleCore/Words.h"

#include <algorithm>
#include <array>
#include <functional>

namespace brindle::cli {

namespace {
struct Column {
    std::string heading;
    std::function<std::string(const FolderTally&)> cell;
};

} // namespace

std::string tallyTable(const std::vector<FolderTally>& folders, const FolderTally& total)
{
    const auto place = [](Place p) { return [p](const FolderTally& t) { return Words::count(t.count(p)); }; };
    const std::array<Column, 10> columns{{
        {translated("terminal: folder table, column", "Files"),
         [](const FolderTally& t) { return Words::count(t.files); }},
        {translated("terminal: folder table, column", "Size"),
         [](const FolderTally& t) { return Words::size(t.bytes); }},
        {translated("terminal: folder table, column", "Only here"), place(Place::onlyHere)},
        {translated("terminal: folder table, column", "Both"), place(Place::both)},
        {translated("terminal: folder table, column", "Only cloud"), place(Place::onlyICloud)},
        {translated("terminal: folder table, column", "Waiting"), place(Place::waiting)},
        {translated("terminal: folder table, column", "Unknown"), place(Place::unknown)},
        {translated("terminal: folder table, column", "This week"),
         [](const FolderTally& t) { return Words::count(t.changedThisWeek); }},
        {translated("terminal: folder table, column", "Since backup"),
         [](const FolderTally& t) { return orDash(t.changedSinceBackup, Words::count); }},
        {translated("terminal: folder table, column", "No 2nd copy"),
         [](const FolderTally& t) { return Words::count(t.noSecondCopyWithBackup()); }},
    }};
    constexpr std::size_t usedColumns = columns.size();

    std::vector<const FolderTally*> rows;
    for (const FolderTally& folder : folders)
        rows.push_back(&folder);
    rows.push_back(&total);

    constexpr std::size_t maxNameWidth = 28;
    const std::string folderHeading = translated("terminal: folder table, column", "Folder");
    const std::string totalName = translated("terminal: folder table, the row of every folder", "All folders");
    const auto nameOf = [&](std::size_t r) { return r + 1 == rows.size() ? totalName : printable(rows[r]->name); };
    std::size_t nameWidth = displayWidth(folderHeading);
    for (std::size_t r = 0; r < rows.size(); ++r)
        nameWidth = std::max(nameWidth, std::min(maxNameWidth, displayWidth(nameOf(r))));

    std::vector<std::vector<std::string>> cells(rows.size());
    std::array<std::size_t, usedColumns> widths{};
    for (std::size_t c = 0; c < usedColumns; ++c)
        widths[c] = displayWidth(columns[c].heading);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < usedColumns; ++c) {
            cells[r].push_back(columns[c].cell(*rows[r]));
            widths[c] = std::max(widths[c], displayWidth(cells[r].back()));
        }

    const auto line = [&](std::string_view name, const auto& cellOf) {
        std::string text = fitLeft(name, nameWidth);
        for (std::size_t c = 0; c < usedColumns; ++c)
            text += "  " + padRight(cellOf(c), widths[c]);
        return text + "\n";
    };
    std::string table = line(folderHeading, [&](std::size_t c) { return columns[c].heading; });
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (r + 1 == rows.size())
            table += std::string(displayWidth(table.substr(0, table.find('\n'))), '-') + "\n";
        table += line(nameOf(r), [&](std::size_t c) { return cells[r][c]; });
    }
    return table;
}

} // namespace brindle::cli
