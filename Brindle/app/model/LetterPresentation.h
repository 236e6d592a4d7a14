// The printed report's contents: every text of the one-page letter about a check, worked out
// from the result and its report, so that the letter only lays them out. Pure functions of
// their arguments ("now" and the calendar are passed in); safe from any thread.
#pragma once

#include "BrindleCore/Calendar.h"
#include "BrindleCore/CheckResult.h"
#include "BrindleCore/Guide.h"
#include "BrindleCore/Instant.h"
#include "BrindleCore/Report.h"

#include <cstddef>
#include <string>
#include <vector>

namespace brindle::presentation {

// The printed letter's title, as its PDF and the print queue name it.
std::string letterTitle();

// The folder grid: one row per folder, then "All folders". Every row has as many cells as the
// header, whose form depends on whether a backup date is known. More folders than a page holds
// legibly (over `letterFolderRows` + 2) give the `letterFolderRows` with the most files with no
// second copy, most first, then one row that adds up the rest ("and 4,990 more folders").
inline constexpr std::size_t letterFolderRows = 10;

struct LetterTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
    friend bool operator==(const LetterTable&, const LetterTable&) = default;
};

struct LetterFinding {
    std::string title;
    std::string line;
    friend bool operator==(const LetterFinding&, const LetterFinding&) = default;
};

struct Letter {
    std::string title;   // "Brindle report"
    std::string checked; // "Checked today at 09:05. Kitchen laptop."
    std::string answer;
    LetterTable table;
    std::string needsYouHeading;         // "What needs you"
    std::vector<LetterFinding> needsYou; // may be empty: the section is then left out
    std::string backupsHeading;          // "Backups"
    std::vector<std::string> backups;
    std::string promise;
    friend bool operator==(const Letter&, const Letter&) = default;
};

// `computerName` as the system gives it (see ComputerName.h).
Letter letter(const CheckResult& result, const Report& report, const Guide& guide, const std::string& computerName,
              Instant now, const Calendar& calendar);

// One drive: "Backups (ext4, encrypted, 120.00 GB free): last backup on 3 March, 14 backups."
// A fact that is not known leaves its clause out.
std::string letterDriveLine(const DriveState& drive, Instant now, const Calendar& calendar);

} // namespace brindle::presentation
