#include "BrindleCore/RemoteBackups.h"

#include "BrindleCore/DriveState.h"
#include "BrindleCore/Paths.h"
#include "BrindleCore/Translation.h"
#include "BrindleCore/Words.h"

#include <array>
#include <utility>

namespace brindle {

namespace {
bool isSchemeChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' || c == '-' ||
           c == '.';
}

// "user@host:22/path" → "host"; "[::1]:22" → "::1".
std::string_view hostOf(std::string_view authority)
{
    if (const auto at = authority.rfind('@', authority.find('/')); at != std::string_view::npos)
        authority.remove_prefix(at + 1);
    if (authority.starts_with('[')) {
        const auto close = authority.find(']');
        return close == std::string_view::npos ? std::string_view{} : authority.substr(1, close - 1);
    }
    return authority.substr(0, authority.find_first_of(":/"));
}

// Services people know by name rather than by their servers' names.
std::string serviceOf(std::string_view host)
{
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 4> services{{
        {"borgbase.com", "BorgBase"},
        {"rsync.net", "rsync.net"},
        {"your-storagebox.de", "Hetzner Storage Box"},
        {"hidrive.strato.com", "HiDrive"},
    }};
    for (const auto& [domain, name] : services)
        if (host == domain || host.ends_with("." + std::string(domain)))
            return std::string(name);
    return std::string(host);
}

std::string howReached(std::string_view scheme)
{
    if (scheme == "smb" || scheme == "cifs")
        return "SMB";
    if (scheme == "dav" || scheme == "davs" || scheme == "webdav" || scheme == "webdavs")
        return "WebDAV";
    if (scheme == "ftp" || scheme == "ftps" || scheme == "nfs")
        return std::string(scheme == "nfs" ? "NFS" : "FTP");
    return std::string(scheme);
}
} // namespace

bool RemoteBackups::isRemote(const BackupSetup& setup)
{
    return setup.target && !setup.target->empty() && !setup.target->starts_with('/');
}

std::optional<Instant> RemoteBackups::cutOff(const BackupSetup& setup, Instant now)
{
    if (!isRemote(setup) || !setup.lastBackup)
        return std::nullopt;
    // A start after the end is no start the tool could have recorded.
    const Instant moment =
        setup.lastStarted && *setup.lastStarted <= *setup.lastBackup ? *setup.lastStarted : *setup.lastBackup;
    if (isFutureDated(moment, now))
        return std::nullopt;
    return moment;
}

const BackupSetup* RemoteBackups::newestTaking(const std::vector<BackupSetup>& setups, const std::string& folder,
                                               Instant now)
{
    const BackupSetup* newest = nullptr;
    std::optional<Instant> newestCutOff;
    for (const BackupSetup& setup : setups) {
        const auto moment = cutOff(setup, now);
        if (moment && (!newestCutOff || *moment > *newestCutOff) && BackupSetups::covers(setup, folder)) {
            newest = &setup;
            newestCutOff = moment;
        }
    }
    return newest;
}

const BackupSetup* RemoteBackups::principal(const std::vector<BackupSetup>& setups, Instant now)
{
    const BackupSetup* chosen = nullptr;
    std::optional<Instant> chosenCutOff;
    for (const BackupSetup& setup : setups) {
        if (!isRemote(setup))
            continue;
        const auto moment = cutOff(setup, now);
        if (!chosen || (moment && (!chosenCutOff || *moment > *chosenCutOff))) {
            chosen = &setup;
            chosenCutOff = moment;
        }
    }
    return chosen;
}

std::vector<BackupSetup> RemoteBackups::onThisComputer(const std::vector<BackupSetup>& setups)
{
    std::vector<BackupSetup> local;
    for (const BackupSetup& setup : setups)
        if (!isRemote(setup))
            local.push_back(setup);
    return local;
}

std::string RemoteBackups::foldersTaken(const BackupSetup& setup, const std::vector<FolderTally>& folders)
{
    std::vector<std::string> names;
    for (const FolderTally& folder : folders)
        if (BackupSetups::covers(setup, withoutTrailingSlashes(folder.path)))
            names.push_back(Words::shownName(folder.name));
    if (names.empty() && setup.included)
        for (const std::string& path : *setup.included)
            if (names.size() < 4)
                names.push_back(Words::shownName(lastPathComponent(path)));
    return names.empty() ? translated("finding: what a backup sent over the network takes, unknown", "your files")
                         : Words::list(names);
}

std::string RemoteBackups::targetName(std::string_view target)
{
    std::size_t schemeEnd = 0;
    while (schemeEnd < target.size() && isSchemeChar(target[schemeEnd]))
        ++schemeEnd;
    const bool hasScheme = schemeEnd > 0 && schemeEnd < target.size() && target[schemeEnd] == ':';
    std::string_view scheme = hasScheme ? target.substr(0, schemeEnd) : std::string_view{};
    std::string_view rest = hasScheme ? target.substr(schemeEnd + 1) : target;
    std::string_view host;
    if (rest.starts_with("//")) {
        host = hostOf(rest.substr(2));
    } else if (scheme == "sftp") {
        host = hostOf(rest); // restic's "sftp:user@host:/path"
    } else if (hasScheme && rest.find('@') == std::string_view::npos && scheme.find('.') == std::string_view::npos &&
               !rest.empty() && rest.front() != '/' && rest.find(':') == std::string_view::npos) {
        return std::string(target); // a tool's own kind of place ("b2:bucket")
    } else if (target.find(':') != std::string_view::npos && target.find(':') < target.find('/')) {
        // scp's form, "user@host:path": reached over ssh.
        scheme = "ssh";
        host = hostOf(target);
    } else {
        return std::string(target); // a cloud named as its tool names it
    }
    if (host.empty())
        return std::string(target);
    return scheme.empty() ? serviceOf(host) : serviceOf(host) + " (" + howReached(scheme) + ")";
}

} // namespace brindle
