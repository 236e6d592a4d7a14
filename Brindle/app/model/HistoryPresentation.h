// The history screen's texts and rows, worked out from the kept summaries (oldest first, as
// the history file holds them), so the screen only draws them. Pure functions of their
// arguments ("now" and the calendar are passed in); safe from any thread.
#pragma once

#include "BrindleCore/Calendar.h"
#include "BrindleCore/CheckSummary.h"
#include "BrindleCore/Instant.h"

#include <cstdint>
#include <string>
#include <vector>

namespace brindle::presentation {

// Shown while there is no entry.
std::string historyEmptyTitle();
std::string historyEmptyText();

// "One check so far, on 3 March" for one entry; for more, the newest count against the
// oldest: "12 files have no second copy now, down from 40 on 3 March". Empty without entries.
std::string historyHeadline(const std::vector<CheckSummary>& history, Instant now, const Calendar& calendar);
// "12 checks, kept on this computer. Each band is drawn by number of files."
std::string historyCaption(std::size_t entries);
// The note under the column of numbers.
std::string historyNumberNote();

struct HistoryRow {
    std::string date;    // "Today at 09:05", "On 3 March"
    FolderTally tally;   // the entry's band, drawn by number of files
    std::string count;   // files with no second copy
    bool accent = false; // the count is drawn in the accent colour (else muted)
    std::string backup;  // "Backup 3 days ago", "No backup"
    friend bool operator==(const HistoryRow&, const HistoryRow&) = default;
};

// One row per entry, newest first.
std::vector<HistoryRow> historyRows(const std::vector<CheckSummary>& history, Instant now, const Calendar& calendar);
// The width every band is measured against: the most files of any entry, or 1.
double historyScale(const std::vector<CheckSummary>& history);

} // namespace brindle::presentation
