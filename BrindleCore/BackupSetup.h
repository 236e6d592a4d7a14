// BackupSetup: how a backup tool of this computer is set up for the person: which tool,
// where it backs up to, which folders it takes and leaves out, and the last backup it
// recorded. The Linux counterpart of the Time Machine settings file's facts.
//
// Plain values, compared field by field, encoded to JSON with their field names as keys
// (absent optionals left out) and decoded without throwing. `BackupCoverage` answers, by
// path text alone (nothing is looked up on disk), whether a folder lies inside what a tool
// takes: the deepest matching rule wins, a rule that takes a folder winning a tie. Pure
// functions; any thread.
#pragma once

#include "BrindleCore/Instant.h"
#include "BrindleCore/Json.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

struct BackupSetup {
    std::string tool; // "Back In Time", "Timeshift", "Déjà Dup", "Vorta", "Pika Backup"
    // Where the backups go: a folder (absolute) or a location the tool names (ssh://…).
    std::optional<std::string> target{};
    // The drive the backups go to, by volume UUID, when the tool names it.
    std::optional<std::string> volumeUuid{};
    // The drive's name as the tool shows it, when it keeps one.
    std::optional<std::string> driveName{};
    // Absolute paths, or shell patterns of absolute paths, that the tool takes; absent when
    // the tool does not say, which leaves every folder counted as taken.
    std::optional<std::vector<std::string>> included{};
    // Absolute paths or shell patterns that it leaves out; a pattern without "/" names any
    // folder of that name.
    std::vector<std::string> excluded{};
    // The end of the last run the tool recorded as completed, and its start where recorded.
    std::optional<Instant> lastBackup{};
    std::optional<Instant> lastStarted{};
    // How often the tool's schedule promises a backup, in seconds; absent when it is not
    // scheduled or Brindle cannot tell.
    std::optional<std::int64_t> scheduledEvery{};

    friend bool operator==(const BackupSetup&, const BackupSetup&) = default;
};

// What is known of a tool besides its settings: how to open it, where its help is, and the
// name its backups carry on a drive (Backup::tool).
struct SetupTool {
    std::string_view name;
    std::string_view backupsNamed;
    std::vector<std::string_view> desktopIds; // most likely first
    std::string_view helpUrl;
};

namespace BackupSetups {

// The tool of that name; nullopt for one Brindle does not read.
std::optional<SetupTool> tool(std::string_view name);

// The setups whose backups carry the name `backupTool` (a drive's newest backup's tool).
std::vector<BackupSetup> making(const std::vector<BackupSetup>& setups, std::string_view backupTool);

// Whether `folder` (absolute, no trailing slash) lies inside what `setup` takes: a folder
// inside an included path and not inside a deeper excluded one. Always true when the setup
// does not say what it includes.
bool covers(const BackupSetup& setup, const std::string& folder);
// Covered by any of `setups`; true when there are none.
bool coveredByAny(const std::vector<BackupSetup>& setups, const std::string& folder);

// The setup to name when one must be named: the one with the latest recorded backup, else
// the first. Null when there is none.
const BackupSetup* principal(const std::vector<BackupSetup>& setups);
// Where it backs up to, for people: the drive's name, else the target folder; empty when
// neither is known.
std::string destination(const BackupSetup& setup);

} // namespace BackupSetups

JsonOut encode(const BackupSetup& setup, DateForm dates);
std::optional<BackupSetup> decodeBackupSetup(const JsonIn& value, DateForm dates);

} // namespace brindle
