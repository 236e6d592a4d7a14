// The backup layouts Brindle recognises, one reader each, and what they share.
//
// A reader looks at one folder of the search (with a first sample of its entries) and, when the
// folder is the root of its layout, gives the complete backups the layout holds there (possibly
// none); nullopt when the folder is not its layout. Readers open only directories and the small
// files their layout names, never follow a link, and cap every listing.
#pragma once

#include "BrindleCore/Calendar.h"
#include "BrindleCore/DriveState.h"
#include "BrindleCore/backups/Folder.h"
#include "BrindleCore/backups/Formats.h"

#include <array>
#include <optional>
#include <vector>

namespace brindle {

struct LayoutContext {
    Instant now;
    const Calendar& calendar;
    DecompressionBudget* budget = nullptr; // shared by every reader of one search; none when null
};

// The most entries a reader lists in one folder of its layout (snapshots, manifests).
inline constexpr std::size_t maxLayoutEntries = 100'000;

using LayoutReader = std::optional<std::vector<Backup>> (*)(const Folder& folder,
                                                            const std::vector<FolderEntry>& sample,
                                                            const LayoutContext& context);

std::optional<std::vector<Backup>> readBackInTime(const Folder&, const std::vector<FolderEntry>&, const LayoutContext&);
std::optional<std::vector<Backup>> readTimeshift(const Folder&, const std::vector<FolderEntry>&, const LayoutContext&);
std::optional<std::vector<Backup>> readDuplicity(const Folder&, const std::vector<FolderEntry>&, const LayoutContext&);
std::optional<std::vector<Backup>> readRestic(const Folder&, const std::vector<FolderEntry>&, const LayoutContext&);
std::optional<std::vector<Backup>> readBorg(const Folder&, const std::vector<FolderEntry>&, const LayoutContext&);
std::optional<std::vector<Backup>> readRsnapshot(const Folder&, const std::vector<FolderEntry>&, const LayoutContext&);
std::optional<std::vector<Backup>> readRdiffBackup(const Folder&, const std::vector<FolderEntry>&,
                                                   const LayoutContext&);

bool hasEntry(const std::vector<FolderEntry>& entries, std::string_view name, FolderEntry::Type type);

// A whole-seconds or fractional Unix time within years 1970 to 9999; nullopt otherwise.
std::optional<Instant> unixTime(double seconds);
// A valid UTC (or wall-clock) date and time; nullopt for a 31 February or a 25th hour.
std::optional<std::chrono::sys_seconds> civilTime(int year, int month, int day, int hour, int minute, int second);
// Exactly `width` decimal digits at `at` in `text`.
std::optional<int> digitsAt(std::string_view text, std::size_t at, std::size_t width);
// The civil time whose year (four digits), month, day, hour, minute and second (two each)
// stand at the offsets `at` in `text`; nullopt when any is not digits or the time cannot be.
std::optional<std::chrono::sys_seconds> civilTimeAt(std::string_view text, const std::array<std::size_t, 6>& at);

} // namespace brindle
