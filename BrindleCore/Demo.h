// Demo: fixed demonstration data, the same on every machine and every day: six folder
// tallies, a check without backups, a check with a backup drive and fourteen backups, and
// twelve weeks of history. Nothing is scanned, read or written to make them.
#pragma once

#include "BrindleCore/CheckResult.h"
#include "BrindleCore/CheckSummary.h"

#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace brindle::Demo {

// 2026-11-26T15:12:00Z.
Instant now();
const std::vector<FolderTally>& folders();

// One tally: path "~/" + name; each listed place gives its counts and sizes (a place listed
// twice keeps its last values) while files and bytes add them all.
FolderTally folder(const std::string& name, const std::vector<std::tuple<Place, std::int64_t, std::int64_t>>& places,
                   const std::map<Kind, std::int64_t>& kinds, std::int64_t changedThisWeek, bool inICloud);

CheckResult noBackup();
CheckResult withDrive();

// Which demonstration is shown, as the launch arguments and the commands choose it.
enum class Choice { none, noBackup, withDrive };
// The chosen demonstration's result; absent for `none`.
std::optional<CheckResult> result(Choice choice);
// Fourteen backups a day apart, oldest first, the newest exactly at `end`.
std::vector<Backup> backups(Instant end);
// Twelve weekly summaries, oldest first, the newest at `now()`.
std::vector<CheckSummary> history();

} // namespace brindle::Demo
