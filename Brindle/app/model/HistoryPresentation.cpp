#include "Brindle/app/model/HistoryPresentation.h"

#include "BrindleCore/Words.h"

#include <algorithm>
#include <cctype>

namespace brindle::presentation {

namespace {
std::string capitalised(std::string text)
{
    if (!text.empty())
        text.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(text.front())));
    return text;
}
} // namespace

std::string historyEmptyTitle() { return "History starts with your next check."; }

std::string historyEmptyText()
{
    return "Each check keeps its numbers on this computer: how many files, how many have no second copy, and the "
           "date of the last backup. Never a file name.";
}

std::string historyHeadline(const std::vector<CheckSummary>& history, Instant now, const Calendar& calendar)
{
    if (history.empty())
        return {};
    const CheckSummary& first = history.front();
    if (history.size() == 1)
        return "One check so far, " + Words::when(first.at, now, calendar, false);
    const std::int64_t current = history.back().noSecondCopy;
    const std::int64_t then = first.noSecondCopy;
    const char* change = current == then ? "the same as" : current < then ? "down from" : "up from";
    return Words::count(current) + (current == 1 ? " file has" : " files have") + " no second copy now, " + change +
           " " + Words::count(then) + " " + Words::when(first.at, now, calendar, false);
}

std::string historyCaption(std::size_t entries)
{
    return Words::count(static_cast<std::int64_t>(entries)) + (entries == 1 ? " check" : " checks") +
           ", kept on this computer. Each band is drawn by number of files.";
}

std::string historyNumberNote() { return "The number is files with no second copy at that check."; }

std::vector<HistoryRow> historyRows(const std::vector<CheckSummary>& history, Instant now, const Calendar& calendar)
{
    std::vector<HistoryRow> rows;
    rows.reserve(history.size());
    for (auto entry = history.rbegin(); entry != history.rend(); ++entry)
        rows.push_back(
            {capitalised(Words::when(entry->at, now, calendar, false)), entry->tally(),
             Words::count(entry->noSecondCopy), entry->noSecondCopy >= 1,
             entry->lastBackup ? "Backup " + Words::when(*entry->lastBackup, now, calendar, true) : "No backup"});
    return rows;
}

double historyScale(const std::vector<CheckSummary>& history)
{
    std::int64_t most = 0;
    for (const CheckSummary& entry : history)
        most = std::max(most, entry.files);
    return most > 0 ? static_cast<double>(most) : 1;
}

} // namespace brindle::presentation
