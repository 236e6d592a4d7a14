#include "Brindle/cli/TallyTable.h"

#include "Brindle/cli/Terminal.h"
#include "BrindleCore/Words.h"

#include <algorithm>
#include <array>
#include <functional>

namespace brindle::cli {

namespace {
struct Column {
    const char* heading;
    std::function<std::string(const FolderTally&)> cell;
};

} // namespace

std::string tallyTable(const std::vector<FolderTally>& folders, const FolderTally& total)
{
    const auto place = [](Place p) { return [p](const FolderTally& t) { return Words::count(t.count(p)); }; };
    const std::array<Column, 10> columns{{
        {"Files", [](const FolderTally& t) { return Words::count(t.files); }},
        {"Size", [](const FolderTally& t) { return Words::size(t.bytes); }},
        {"Only here", place(Place::onlyHere)},
        {"Both", place(Place::both)},
        {"Only cloud", place(Place::onlyICloud)},
        {"Waiting", place(Place::waiting)},
        {"Unknown", place(Place::unknown)},
        {"This week", [](const FolderTally& t) { return Words::count(t.changedThisWeek); }},
        {"Since backup", [](const FolderTally& t) { return orDash(t.changedSinceBackup, Words::count); }},
        {"No 2nd copy", [](const FolderTally& t) { return Words::count(t.noSecondCopyWithBackup()); }},
    }};
    constexpr std::size_t usedColumns = columns.size();

    std::vector<const FolderTally*> rows;
    for (const FolderTally& folder : folders)
        rows.push_back(&folder);
    rows.push_back(&total);

    constexpr std::size_t maxNameWidth = 28;
    std::size_t nameWidth = std::string_view("Folder").size();
    for (const FolderTally* row : rows)
        nameWidth = std::max(nameWidth, std::min(maxNameWidth, displayWidth(printable(row->name))));

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
    std::string table = line("Folder", [&](std::size_t c) { return std::string(columns[c].heading); });
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (r + 1 == rows.size())
            table += std::string(displayWidth(table.substr(0, table.find('\n'))), '-') + "\n";
        table += line(printable(rows[r]->name), [&](std::size_t c) { return cells[r][c]; });
    }
    return table;
}

} // namespace brindle::cli
