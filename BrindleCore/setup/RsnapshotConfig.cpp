// rsnapshot's configuration (/etc/rsnapshot.conf, or the file given to it with -c): lines of
// tab-separated fields (rsnapshot's parse_config_file splits on tabs), "#" starting a comment.
// snapshot_root names the target; each "backup <source> <destination>" a folder it takes (a
// local source only: "host:/path" and "rsync://" are another computer's); "exclude" gives
// rsync's patterns; "logfile" the log. A run ends its log with
// "[2026-12-08T13:21:00] /usr/bin/rsnapshot alpha: completed successfully" (or "completed, but
// with some warnings"; an "ERROR" line when it failed, nothing when it was killed), the time
// local. The newest such line is the last completed run.
#include "BrindleCore/BackupSetupRead.h"

#include "BrindleCore/Paths.h"

namespace brindle {

namespace {
constexpr std::size_t maxRules = 1000;

std::vector<std::string_view> fields(std::string_view line)
{
    std::vector<std::string_view> out;
    for (std::size_t start = 0; start <= line.size();) {
        auto end = line.find('\t', start);
        if (end == std::string_view::npos)
            end = line.size();
        if (end > start)
            out.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

template <typename Each> void eachLine(std::string_view text, Each&& each)
{
    for (std::size_t start = 0; start < text.size();) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        each(line);
        start = end + 1;
    }
}

// The value of the first line `key<TAB>value`.
std::optional<std::string> value(std::string_view config, std::string_view key)
{
    std::optional<std::string> found;
    eachLine(config, [&](std::string_view line) {
        if (const auto f = fields(line); !found && f.size() >= 2 && f[0] == key)
            found = std::string(f[1]);
    });
    return found;
}
} // namespace

std::optional<std::string> SetupRead::rsnapshotLogFile(std::string_view config)
{
    auto log = value(config, "logfile");
    if (log && !log->starts_with('/'))
        return std::nullopt;
    return log;
}

std::optional<BackupSetup> SetupRead::rsnapshot(std::string_view config, std::string_view log,
                                                const SetupPlaces& places, const Calendar& calendar)
{
    const auto root = value(config, "snapshot_root");
    if (!root || !root->starts_with('/'))
        return std::nullopt;
    BackupSetup setup{"rsnapshot", withoutTrailingSlashes(*root)};
    std::vector<std::string> included;
    eachLine(config, [&](std::string_view line) {
        const auto f = fields(line);
        if (f.size() < 2 || line.starts_with('#') || included.size() + setup.excluded.size() >= maxRules)
            return;
        if (f[0] == "backup" && f[1].starts_with('/'))
            included.push_back(places.absolute(f[1]));
        else if (f[0] == "exclude")
            setup.excluded.emplace_back(f[1]);
    });
    setup.included = std::move(included);
    eachLine(log, [&](std::string_view line) {
        const auto close = line.find("] ");
        if (!line.starts_with('[') || close == std::string_view::npos ||
            (!line.ends_with(": completed successfully") && !line.ends_with(": completed, but with some warnings")))
            return;
        if (const auto ended = timestamp(line.substr(1, close - 1), calendar))
            setup.lastBackup = ended;
    });
    return setup;
}

} // namespace brindle
