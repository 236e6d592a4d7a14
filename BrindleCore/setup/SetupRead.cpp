#include "BrindleCore/BackupSetupRead.h"

#include "BrindleCore/Descriptor.h"
#include "BrindleCore/FileIO.h"
#include "BrindleCore/Limits.h"
#include "BrindleCore/Paths.h"
#include "BrindleCore/StandardFolders.h"
#include "BrindleCore/backups/Folder.h"
#include "BrindleCore/backups/Layouts.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include <cstdlib>

namespace brindle {

namespace {
constexpr std::size_t maxUnits = 4096; // the files of a unit folder looked at

std::string fileText(const std::string& path, std::size_t cap)
{
    return readRegularFile(path, cap).content.value_or(std::string());
}

// The last `cap` bytes of a regular file, from the start of a line; empty when it is not one.
std::string fileTail(const std::string& path, std::size_t cap)
{
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW));
    struct stat status;
    if (!file.valid() || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return {};
    const auto size = static_cast<std::size_t>(status.st_size);
    const std::size_t from = size > cap ? size - cap : 0;
    std::string text(size - from, '\0');
    const ssize_t got = ::pread(file.get(), text.data(), text.size(), static_cast<off_t>(from));
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    if (from > 0)
        text.erase(0, std::min(text.size(), text.find('\n') + 1));
    return text;
}

bool holdsAnything(const std::string& folder)
{
    const auto opened = Folder::open(folder);
    return opened && !opened->list(1).empty();
}

// The first of `paths` that reads.
std::string firstText(std::initializer_list<std::string> paths, std::size_t cap)
{
    for (const std::string& path : paths)
        if (auto content = readRegularFile(path, cap).content)
            return std::move(*content);
    return {};
}
} // namespace

SetupPlaces SetupPlaces::current()
{
    SetupPlaces places;
    places.home = homeFolder();
    places.configHome = xdgFolder("XDG_CONFIG_HOME", ".config");
    places.dataHome = xdgFolder("XDG_DATA_HOME", ".local/share");
    if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_name)
        places.userName = user->pw_name;
    places.userDirs =
        parseUserDirs(fileText(places.configHome + "/user-dirs.dirs", limits::userDirsBytes), places.home);
    return places;
}

std::string SetupPlaces::absolute(std::string_view path) const
{
    std::string result;
    for (const std::string_view prefix : {"${HOME}", "$HOME", "~"})
        if (path == prefix || path.starts_with(std::string(prefix) + "/")) {
            result = home + std::string(path.substr(prefix.size()));
            return withoutTrailingSlashes(std::move(result));
        }
    result = path.starts_with('/') ? std::string(path) : home + "/" + std::string(path);
    return withoutTrailingSlashes(std::move(result));
}

std::optional<Instant> SetupRead::timestamp(std::string_view text, const Calendar& calendar)
{
    if (text.size() < 19 || (text[10] != 'T' && text[10] != ' ') || text[4] != '-' || text[7] != '-' ||
        text[13] != ':' || text[16] != ':')
        return std::nullopt;
    const auto reading = civilTimeAt(text, {0, 5, 8, 11, 14, 17});
    if (!reading)
        return std::nullopt;
    std::string_view rest = text.substr(19);
    std::chrono::microseconds fraction{0};
    if (rest.starts_with('.')) {
        std::size_t digits = 1;
        std::int64_t scale = 100'000;
        while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') {
            fraction += std::chrono::microseconds{(rest[digits] - '0') * scale};
            scale /= 10;
            ++digits;
        }
        if (digits == 1 || digits > 31)
            return std::nullopt;
        rest.remove_prefix(digits);
    }
    if (rest.empty())
        return calendar.instant(*reading) + fraction;
    if (rest == "Z")
        return Instant{*reading} + fraction;
    // ±HH:MM or ±HHMM
    const bool colon = rest.size() == 6 && rest[3] == ':';
    if ((rest.size() != 5 && !colon) || (rest[0] != '+' && rest[0] != '-'))
        return std::nullopt;
    const auto hours = digitsAt(rest, 1, 2), minutes = digitsAt(rest, colon ? 4 : 3, 2);
    if (!hours || !minutes || *hours > 23 || *minutes > 59)
        return std::nullopt;
    const auto offset = std::chrono::hours{*hours} + std::chrono::minutes{*minutes};
    return Instant{rest[0] == '+' ? *reading - offset : *reading + offset} + fraction;
}

std::vector<BackupSetup> SetupRead::all(const SetupPlaces& places, const std::optional<DejaDupSettings>& dejaDup,
                                        const Calendar& calendar)
{
    std::vector<BackupSetup> found;
    if (dejaDup)
        if (auto setup = SetupRead::dejaDup(*dejaDup, places, calendar))
            found.push_back(std::move(*setup));
    std::map<std::string, std::string> stamps;
    if (const auto spool = Folder::open(places.dataHome + "/backintime/anacron"))
        for (const FolderEntry& entry : spool->list(maxUnits))
            if (entry.isFile())
                if (auto stamp = spool->read(entry.name, 64))
                    stamps.emplace(entry.name, std::move(*stamp));
    for (BackupSetup& setup : backInTime(fileText(places.configHome + "/backintime/config", limits::toolSettingsBytes),
                                         places, stamps, calendar))
        found.push_back(std::move(setup));
    if (auto setup = timeshift(fileText(places.timeshiftConfig, limits::toolSettingsBytes), places))
        found.push_back(std::move(*setup));
    const std::string rsnapshotConfig = fileText(places.rsnapshotConfig, limits::toolSettingsBytes);
    const auto rsnapshotLog = rsnapshotLogFile(rsnapshotConfig);
    // Installing rsnapshot brings a sample configuration: only one that has run counts.
    if (auto setup =
            rsnapshot(rsnapshotConfig, rsnapshotLog ? fileTail(*rsnapshotLog, 256u << 10) : "", places, calendar);
        setup && (setup->lastBackup || holdsAnything(*setup->target)))
        found.push_back(std::move(*setup));
    const std::string flatpaks = places.home + "/.var/app";
    const std::string vorta =
        firstText({places.dataHome + "/Vorta/settings.db", flatpaks + "/com.borgbase.Vorta/data/Vorta/settings.db"},
                  limits::toolDatabaseBytes);
    for (BackupSetup& setup : vortaDatabase(vorta, places, calendar))
        found.push_back(std::move(setup));
    for (const std::string& folder :
         {places.configHome + "/pika-backup", flatpaks + "/org.gnome.World.PikaBackup/config/pika-backup"}) {
        const std::string config = fileText(folder + "/backup.json", limits::toolSettingsBytes);
        if (config.empty())
            continue;
        for (BackupSetup& setup :
             pikaBackup(config, fileText(folder + "/history.json", limits::toolHistoryBytes), places, calendar))
            found.push_back(std::move(setup));
        break;
    }
    for (const std::string& path : {places.configHome + "/systemd/user", places.systemUnits}) {
        const auto folder = Folder::open(path);
        if (!folder)
            continue;
        std::vector<FolderEntry> entries = folder->list(maxUnits);
        std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
        for (const FolderEntry& entry : entries)
            if (entry.isFile() && entry.name.ends_with(".service"))
                if (const auto unit = folder->read(entry.name, limits::toolSettingsBytes))
                    if (auto setup = systemdUnit(*unit, places))
                        found.push_back(std::move(*setup));
    }
    return found;
}

} // namespace brindle
