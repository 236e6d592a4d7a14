// Pika Backup's backup.json: an array of backups, each with an "id", a "repo" ({"type":
// "Local", "path", "mount_path", "volume_uuid", …} or {"type": "Remote", "uri"}), "include"
// (paths below the home folder, "" for all of it, or absolute) and "exclude" (objects such as
// {"PathPrefix": path} or {"Fnmatch": pattern}). history.json maps each backup's id to its
// runs; "last_completed" holds the last run that finished, with its "end" time; "running"
// ({"start"}) a run under way, which is no backup until it completes.
#include "BrindleCore/BackupSetupRead.h"

#include "BrindleCore/Json.h"

namespace brindle {

namespace {
constexpr std::size_t maxBackups = 256;
constexpr std::size_t maxListItems = 4096;

std::optional<std::string> stringAt(const JsonIn& object, const char* key)
{
    const auto it = object.find(key);
    if (it == object.end() || !it->is_string() || it->get_ref<const std::string&>().empty())
        return std::nullopt;
    return it->get<std::string>();
}

// A path of the settings: below the home folder unless absolute ("" is the home folder).
std::string homePath(const std::string& path, const SetupPlaces& places)
{
    return path.empty() ? places.absolute("~") : places.absolute(path.starts_with('/') ? path : "~/" + path);
}

std::vector<std::string> excludes(const JsonIn& list, const SetupPlaces& places)
{
    std::vector<std::string> rules;
    if (!list.is_array())
        return rules;
    for (const JsonIn& item : list) {
        if (rules.size() >= maxListItems)
            break;
        if (item.is_string()) {
            rules.push_back(homePath(item.get<std::string>(), places));
            continue;
        }
        if (!item.is_object())
            continue;
        if (const auto prefix = stringAt(item, "PathPrefix"))
            rules.push_back(homePath(*prefix, places));
        else if (const auto pattern = stringAt(item, "Fnmatch"))
            rules.push_back(*pattern);
        // Exact paths and regular expressions leave out single items, not folders.
    }
    return rules;
}

// The run that "last_completed" records: Pika Backup sets it only for a run whose outcome is
// {"Completed": {"stats": …}} (older versions: "result": {"Ok": …}); anything else there is
// taken for no record. The stats' "archive" holds borg's "duration" in seconds, which, taken
// from the end, gives the start of the archive.
void lastCompleted(const JsonIn& history, const std::string& id, const Calendar& calendar, BackupSetup& setup)
{
    const auto entry = history.is_object() ? history.find(id) : history.end();
    if (entry == history.end() || !entry->is_object())
        return;
    const auto completed = entry->find("last_completed");
    if (completed == entry->end() || !completed->is_object())
        return;
    const JsonIn* stats = nullptr;
    if (const auto outcome = completed->find("outcome"); outcome != completed->end()) {
        const auto done = outcome->is_object() ? outcome->find("Completed") : outcome->end();
        if (done == outcome->end() || !done->is_object())
            return;
        if (const auto found = done->find("stats"); found != done->end())
            stats = &*found;
    } else if (const auto result = completed->find("result"); result != completed->end()) {
        const auto ok = result->is_object() ? result->find("Ok") : result->end();
        if (ok == result->end())
            return;
        stats = &*ok;
    }
    const auto end = stringAt(*completed, "end");
    setup.lastBackup = end ? SetupRead::timestamp(*end, calendar) : std::nullopt;
    if (!setup.lastBackup || !stats || !stats->is_object())
        return;
    const auto archive = stats->find("archive");
    if (archive == stats->end() || !archive->is_object())
        return;
    const auto duration = archive->find("duration");
    // A week is longer than any run that finished; beyond it the number is no duration.
    if (duration != archive->end() && duration->is_number() && duration->get<double>() >= 0 &&
        duration->get<double>() <= 7 * 24 * 3600.0)
        setup.lastStarted = *setup.lastBackup - std::chrono::duration_cast<Instant::duration>(
                                                    std::chrono::duration<double>(duration->get<double>()));
}
// "schedule": {"enabled": true, "frequency": "Hourly" | {"Daily": …} | {"Weekly": …} |
// {"Monthly": …}} (pika-backup src/config/schedule.rs).
std::optional<std::int64_t> scheduledEvery(const JsonIn& backup)
{
    const auto schedule = backup.find("schedule");
    if (schedule == backup.end() || !schedule->is_object())
        return std::nullopt;
    const auto enabled = schedule->find("enabled");
    const auto frequency = schedule->find("frequency");
    if (enabled == schedule->end() || !enabled->is_boolean() || !enabled->get<bool>() || frequency == schedule->end())
        return std::nullopt;
    constexpr std::int64_t hour = 3600, day = 24 * hour;
    for (const auto& [name, seconds] : std::initializer_list<std::pair<const char*, std::int64_t>>{
             {"Hourly", hour}, {"Daily", day}, {"Weekly", 7 * day}, {"Monthly", 31 * day}})
        if ((frequency->is_string() && frequency->get_ref<const std::string&>() == name) ||
            (frequency->is_object() && frequency->contains(name)))
            return seconds;
    return std::nullopt;
}
} // namespace

std::vector<BackupSetup> SetupRead::pikaBackup(std::string_view config, std::string_view historyText,
                                               const SetupPlaces& places, const Calendar& calendar)
{
    std::vector<BackupSetup> setups;
    const JsonIn backups = parseJson(config, limits::toolSettingsBytes, 16);
    if (!backups.is_array())
        return setups;
    const JsonIn history = parseJson(historyText, limits::toolHistoryBytes, 16);
    for (const JsonIn& backup : backups) {
        if (setups.size() >= maxBackups)
            break;
        if (!backup.is_object())
            continue;
        const auto repo = backup.find("repo");
        if (repo == backup.end() || !repo->is_object())
            continue;
        BackupSetup setup{"Pika Backup"};
        const auto type = stringAt(*repo, "type");
        if (type == "Local") {
            const auto path = stringAt(*repo, "path");
            if (!path)
                continue;
            const std::string mount = stringAt(*repo, "mount_path").value_or("/");
            setup.target = places.absolute(path->starts_with('/') ? *path : mount + "/" + *path);
            setup.volumeUuid = stringAt(*repo, "volume_uuid");
            if (!setup.volumeUuid)
                setup.volumeUuid = stringAt(*repo, "volume_uuid_identifier");
            setup.driveName = stringAt(*repo, "mount_name");
        } else if (type == "Remote") {
            setup.target = stringAt(*repo, "uri");
            if (!setup.target)
                continue;
        } else {
            continue;
        }
        std::vector<std::string> included;
        if (const auto include = backup.find("include"); include != backup.end() && include->is_array())
            for (const JsonIn& path : *include)
                if (path.is_string() && included.size() < maxListItems)
                    included.push_back(homePath(path.get<std::string>(), places));
        setup.included = std::move(included);
        if (const auto exclude = backup.find("exclude"); exclude != backup.end())
            setup.excluded = excludes(*exclude, places);
        setup.scheduledEvery = scheduledEvery(backup);
        if (const auto id = stringAt(backup, "id"))
            lastCompleted(history, *id, calendar, setup);
        setups.push_back(std::move(setup));
    }
    return setups;
}

} // namespace brindle
