// Reading how the backup tools of this computer are set up for the person, from the tools'
// own settings, without running a tool and without reading a secret (no password, no key,
// no password table is ever opened).
//
// Each reader of text takes the whole text and gives nothing for anything it cannot read;
// none throws. Files are read only when they are regular files within the caps of Limits.h:
// a FIFO, a device, a link to either or a huge file in a settings file's place is taken for
// no settings at all. Paths in the settings may begin with "~" or "$HOME"; they are given
// back absolute. Pure apart from the file reads; any thread.
//
// Déjà Dup keeps its settings in GSettings, which this library does not link: the caller
// reads them (DejaDupSettings.h in the application) and hands them in as values.
#pragma once

#include "BrindleCore/BackupSetup.h"
#include "BrindleCore/Calendar.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

// Where the person's settings are; tests point these at fixtures.
struct SetupPlaces {
    std::string home;
    std::string configHome; // $XDG_CONFIG_HOME
    std::string dataHome;   // $XDG_DATA_HOME
    std::string timeshiftConfig = "/etc/timeshift/timeshift.json";
    std::string rsnapshotConfig = "/etc/rsnapshot.conf";
    std::string systemUnits = "/etc/systemd/system";
    std::string userName{};
    std::map<std::string, std::string> userDirs{}; // "DOCUMENTS" → path, as user-dirs.dirs names them

    // From the environment and the user's own folders.
    static SetupPlaces current();

    // `path` absolute: "~", "$HOME" and "${HOME}" at its start become the home folder, and a
    // relative path is taken below the home folder. Trailing slashes go.
    std::string absolute(std::string_view path) const;
};

// Déjà Dup's keys as GSettings gives them (schema org.gnome.DejaDup and its children
// .Local and .Drive); empty strings where a key is empty.
struct DejaDupSettings {
    std::string backend;     // "auto", "local", "drive", "remote", …
    std::string localFolder; // .Local folder
    std::string driveUuid;   // .Drive uuid
    std::string driveName;   // .Drive name
    std::vector<std::string> includeList;
    std::vector<std::string> excludeList;
    std::string lastBackup;     // ISO 8601
    std::string remoteUri{};    // .Remote uri
    std::string remoteFolder{}; // .Remote folder

    friend bool operator==(const DejaDupSettings&, const DejaDupSettings&) = default;
};

namespace SetupRead {

// Back In Time's ~/.config/backintime/config: one setup per profile with a snapshot folder.
// For a profile that backs up over ssh, `stamps` (the files of ~/.local/share/backintime/
// anacron by name) give the last run that finished without an error.
std::vector<BackupSetup> backInTime(std::string_view config, const SetupPlaces& places,
                                    const std::map<std::string, std::string>& stamps = {},
                                    const Calendar& calendar = Calendar::utc());
// Timeshift's timeshift.json, when it names a backup device. Timeshift copies the system and
// leaves home folders out unless its settings take them in.
std::optional<BackupSetup> timeshift(std::string_view json, const SetupPlaces& places);
// Pika Backup's backup.json and history.json: one setup per configured backup.
std::vector<BackupSetup> pikaBackup(std::string_view config, std::string_view history, const SetupPlaces& places,
                                    const Calendar& calendar);
// Vorta's settings.db (SQLite), read from a copy in memory: one setup per profile with a
// repository. Only the repository, folder and archive tables are asked.
std::vector<BackupSetup> vortaDatabase(std::string_view database, const SetupPlaces& places, const Calendar& calendar);
// rsnapshot's configuration and the end of its log (rsnapshotLogFile names it): the snapshot
// root, the local folders it backs up, its exclude patterns, and the last completed run.
std::optional<BackupSetup> rsnapshot(std::string_view config, std::string_view log, const SetupPlaces& places,
                                     const Calendar& calendar);
std::optional<std::string> rsnapshotLogFile(std::string_view config);
// A systemd service (.service file) that runs restic's "backup" or borg's "create" itself, to
// a repository that leaves the computer; it keeps no record of its runs.
std::optional<BackupSetup> systemdUnit(std::string_view unit, const SetupPlaces& places);
// Déjà Dup, when it has backed up or has a drive or a server chosen.
std::optional<BackupSetup> dejaDup(const DejaDupSettings& settings, const SetupPlaces& places,
                                   const Calendar& calendar);

// Every tool's setups found in `places`, Déjà Dup's from `dejaDup` when given: Déjà Dup,
// Back In Time, Timeshift, rsnapshot, Vorta, Pika Backup, then services that run restic or
// borg (the person's own, then the system's), in that order.
std::vector<BackupSetup> all(const SetupPlaces& places, const std::optional<DejaDupSettings>& dejaDup,
                             const Calendar& calendar);

// "2026-11-20T02:15:00Z", "2026-11-20T02:15:00.123+01:00", "2026-11-20 02:15:00.5": a date
// and time with optional fraction and zone; without a zone, a wall-clock time in `calendar`.
std::optional<Instant> timestamp(std::string_view text, const Calendar& calendar);

} // namespace SetupRead

} // namespace brindle
