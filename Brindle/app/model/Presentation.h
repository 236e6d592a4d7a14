// Presentation: the texts and figures the window shows, worked out from the model's values, so
// that the widgets only draw them. Pure functions of their arguments ("now" and the calendar
// are passed in); safe from any thread.
#pragma once

#include "Brindle/app/model/CloudClient.h"
#include "Brindle/app/model/LaunchArguments.h"
#include "Brindle/app/model/Section.h"
#include "BrindleCore/Calendar.h"
#include "BrindleCore/CheckResult.h"
#include "BrindleCore/Guide.h"
#include "BrindleCore/Instant.h"
#include "BrindleCore/Place.h"
#include "BrindleCore/Report.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brindle::presentation {

// The toolbar's line: "Reading 1,234 files" while checking, else "Checked today at 09:05, in
// 2 min 5 s" for a result, else nothing.
std::string statusText(bool checking, std::int64_t progressDone, const std::optional<CheckResult>& result, Instant now,
                       const Calendar& calendar);
// Whether a check can be started now: not during one, and never in a demonstration.
bool canCheckNow(bool checking, bool demo);

struct SidebarRow {
    std::string label;
    std::string value;
    bool needs = false; // drawn in the accent colour
    Section section;
    friend bool operator==(const SidebarRow&, const SidebarRow&) = default;
};

struct SidebarGroup {
    std::string title; // empty for the lone first row
    std::vector<SidebarRow> rows;
    friend bool operator==(const SidebarGroup&, const SidebarGroup&) = default;
};

struct SidebarFacts {
    const std::optional<CheckResult>& result;
    std::optional<FolderTally> cloud; // the cloud drive's tally, when the result holds one
    bool driveChosen = false;
    std::size_t historyEntries = 0;
    Instant now;
    const Calendar& calendar;
};

// "Overview", then "All files", "Places" and "Over time" with their rows.
std::vector<SidebarGroup> sidebar(const SidebarFacts& facts);

// The overview's answer: the report's, or the no-folders answer before there is one.
std::string answer(const std::optional<Report>& report, const Guide& guide);

// The bold first band's heading: "All 3 folders", or "1 folder".
std::string allFoldersTitle(std::size_t folders);

// The largest value among the folders, the width every band is measured against; 1 without
// folders, or when all are empty.
double bandScale(const std::vector<FolderTally>& folders, bool byFiles);

// A band spoken: "Documents: 1,234 files, 12 MB. 5 only on this computer, 1,229 on this
// computer and in Nextcloud." Without a client, "in the cloud".
std::string bandSummary(const FolderTally& tally, const CloudClient& client = {});
// "1,234 files · 12 MB".
std::string filesAndSize(const FolderTally& tally);

struct LegendItem {
    Segment segment; // whose colour the swatch takes
    std::string label;
    friend bool operator==(const LegendItem&, const LegendItem&) = default;
};
std::vector<LegendItem> legend(bool backupKnown, const Guide& guide, const CloudClient& client);

// The index of the finding whose button is the primary one: the first that needs the person
// and has a button.
std::optional<std::size_t> primaryFinding(const std::vector<Finding>& findings);

// Whether the window is drawn dark: a forced appearance wins, then the desktop's stated
// preference, then the lightness of the platform's own palette.
bool choosesDark(LaunchArguments::Appearance forced, std::optional<bool> desktopPrefersDark, bool paletteDark);

} // namespace brindle::presentation
