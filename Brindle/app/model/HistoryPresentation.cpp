#include "Brindle/app/model/HistoryPresentation.h"

#include "BrindleCore/Translation.h"
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

std::string historyEmptyTitle() { return translated("history screen: title", "History starts with your next check."); }

std::string historyEmptyText()
{
    return translated("history screen: text",
                      "Each check keeps its numbers on this computer: how many files, how many have no second copy, "
                      "and the date of the last backup. Never a file name.");
}

std::string historyHeadline(const std::vector<CheckSummary>& history, Instant now, const Calendar& calendar)
{
    if (history.empty())
        return {};
    const CheckSummary& first = history.front();
    if (history.size() == 1)
        // TRANSLATORS: {when} is the check's date: "today at 09:05", "on 3 March".
        return fill(translated("history screen: headline", "One check so far, {when}"),
                    {{"when", Words::when(first.at, now, calendar, false)}});
    const std::int64_t current = history.back().noSecondCopy;
    const std::int64_t then = first.noSecondCopy;
    const std::string text =
        // TRANSLATORS: {n} files now; {then} files at the first check, {when} ("on 3 March").
        current == then ? translatedCounted("history screen: headline",
                                            "{n} file has no second copy now, the same as {then} {when}",
                                            "{n} files have no second copy now, the same as {then} {when}", current)
        : current < then
            ? translatedCounted("history screen: headline", "{n} file has no second copy now, down from {then} {when}",
                                "{n} files have no second copy now, down from {then} {when}", current)
            : translatedCounted("history screen: headline", "{n} file has no second copy now, up from {then} {when}",
                                "{n} files have no second copy now, up from {then} {when}", current);
    return fill(text, {{"n", Words::count(current)},
                       {"then", Words::count(then)},
                       {"when", Words::when(first.at, now, calendar, false)}});
}

std::string historyCaption(std::size_t entries)
{
    const auto n = static_cast<std::int64_t>(entries);
    return fill(translatedCounted("history screen: caption",
                                  "{n} check, kept on this computer. Each band is drawn by number of files.",
                                  "{n} checks, kept on this computer. Each band is drawn by number of files.", n),
                {{"n", Words::count(n)}});
}

std::string historyNumberNote()
{
    return translated("history screen: note", "The number is files with no second copy at that check.");
}

std::vector<HistoryRow> historyRows(const std::vector<CheckSummary>& history, Instant now, const Calendar& calendar)
{
    std::vector<HistoryRow> rows;
    rows.reserve(history.size());
    for (auto entry = history.rbegin(); entry != history.rend(); ++entry)
        rows.push_back({capitalised(Words::when(entry->at, now, calendar, false)), entry->tally(),
                        Words::count(entry->noSecondCopy), entry->noSecondCopy >= 1,
                        entry->lastBackup ? fill(translated("history screen: a check's backup", "Backup {when}"),
                                                 {{"when", Words::when(*entry->lastBackup, now, calendar, true)}})
                                          : translated("history screen: a check's backup", "No backup")});
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
