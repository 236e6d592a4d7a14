// Back In Time's config: "key=value" lines. "profiles=1:2" lists the profiles (profile 1 when
// absent); each profile N keeps "profileN.snapshots.path" (the folder that holds the
// backintime/ folder), its mode ("local", "ssh", "local_encfs", "ssh_encfs"), and the lists
// "profileN.snapshots.include.M.value" and "profileN.snapshots.exclude.M.value". Keys about
// passwords are never looked at.
//
// After a run that ends without an error, Back In Time writes the local time, "%Y%m%d %H%M",
// to ~/.local/share/backintime/anacron/<N>_<profile name, spaces as "_"> (tools.writeTimeStamp
// with BIT_TIME_FORMAT, config.anacronSpoolFile; profile 1 is named "Main profile" unless
// "profile1.name" says otherwise). For a profile that backs up over ssh, that is the only record
// of a completed backup on this computer.
#include "BrindleCore/BackupSetupRead.h"

#include <algorithm>
#include <charconv>
#include <map>

namespace brindle {

namespace {
constexpr std::size_t maxProfiles = 64;
constexpr std::size_t maxListItems = 4096;

std::vector<std::string> profileNumbers(const std::map<std::string, std::string, std::less<>>& keys)
{
    const auto listed = keys.find("profiles");
    if (listed == keys.end() || listed->second.empty())
        return {"1"};
    std::vector<std::string> numbers;
    std::string_view text = listed->second;
    while (!text.empty() && numbers.size() < maxProfiles) {
        const auto colon = text.find(':');
        const std::string_view number = text.substr(0, colon);
        unsigned value = 0;
        const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
        if (error == std::errc{} && end == number.data() + number.size())
            numbers.push_back(std::to_string(value));
        text = colon == std::string_view::npos ? std::string_view{} : text.substr(colon + 1);
    }
    return numbers;
}

std::vector<std::string> listOf(const std::map<std::string, std::string, std::less<>>& keys, const std::string& prefix,
                                const SetupPlaces& places, bool absolute)
{
    std::vector<std::string> items;
    for (auto it = keys.lower_bound(prefix); it != keys.end() && it->first.starts_with(prefix); ++it) {
        if (!it->first.ends_with(".value") || it->second.empty() || items.size() >= maxListItems)
            continue;
        const std::string_view middle =
            std::string_view(it->first).substr(prefix.size(), it->first.size() - prefix.size() - 6);
        if (middle.empty() || middle.find_first_not_of("0123456789") != std::string_view::npos)
            continue;
        const bool fromHome =
            it->second.starts_with('~') || it->second.starts_with("$HOME") || it->second.starts_with("${HOME}");
        items.push_back(absolute || fromHome ? places.absolute(it->second) : it->second);
    }
    return items;
}
// "20261207 2200" (or a bare "20261207"), local time.
std::optional<Instant> stampTime(std::string_view text, const Calendar& calendar)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.remove_suffix(1);
    if ((text.size() != 8 && text.size() != 13) || text.find_first_not_of("0123456789 ") != std::string_view::npos)
        return std::nullopt;
    std::string iso = std::string(text.substr(0, 4)) + "-" + std::string(text.substr(4, 2)) + "-" +
                      std::string(text.substr(6, 2)) + " ";
    iso += text.size() == 13 && text[8] == ' '
               ? std::string(text.substr(9, 2)) + ":" + std::string(text.substr(11, 2)) + ":00"
               : std::string("00:00:00");
    return SetupRead::timestamp(iso, calendar);
}
} // namespace

std::vector<BackupSetup> SetupRead::backInTime(std::string_view config, const SetupPlaces& places,
                                               const std::map<std::string, std::string>& stamps,
                                               const Calendar& calendar)
{
    std::map<std::string, std::string, std::less<>> keys;
    while (!config.empty()) {
        const auto newline = config.find('\n');
        std::string_view line = config.substr(0, newline);
        config = newline == std::string_view::npos ? std::string_view{} : config.substr(newline + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        const auto equals = line.find('=');
        if (equals == std::string_view::npos || equals == 0)
            continue;
        const std::string_view key = line.substr(0, equals);
        if (key == "profiles" || (key.starts_with("profile") && key.find("password") == std::string_view::npos))
            keys.emplace(std::string(key), std::string(line.substr(equals + 1)));
    }
    std::vector<BackupSetup> setups;
    for (const std::string& number : profileNumbers(keys)) {
        const std::string prefix = "profile" + number + ".snapshots.";
        const auto value = [&](const std::string& name) {
            const auto it = keys.find(prefix + name);
            return it == keys.end() ? std::string() : it->second;
        };
        const std::string mode = value("mode").empty() ? "local" : value("mode");
        BackupSetup setup{"Back In Time"};
        if (mode.starts_with("ssh")) {
            const std::string host = value("ssh.host");
            if (host.empty())
                continue;
            setup.target = "ssh://" + host + (value("ssh.path").starts_with('/') ? "" : "/") + value("ssh.path");
            const auto named = keys.find("profile" + number + ".name");
            std::string name = named != keys.end() ? named->second : number == "1" ? "Main profile" : "";
            std::replace(name.begin(), name.end(), ' ', '_');
            if (const auto stamp = stamps.find(number + "_" + name); stamp != stamps.end())
                setup.lastBackup = stampTime(stamp->second, calendar);
        } else {
            const std::string path = value("path");
            if (path.empty())
                continue;
            setup.target = places.absolute(path);
        }
        setup.included = listOf(keys, prefix + "include.", places, true);
        setup.excluded = listOf(keys, prefix + "exclude.", places, false);
        setups.push_back(std::move(setup));
    }
    return setups;
}

} // namespace brindle
