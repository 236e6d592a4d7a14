#include "BrindleCore/BackupSetup.h"

#include <fnmatch.h>

#include <algorithm>
#include <array>

namespace brindle {

namespace {
const std::array<SetupTool, 6>& tools()
{
    static const std::array<SetupTool, 6> table{{
        {"Déjà Dup", "Déjà Dup", {"org.gnome.DejaDup.desktop", "deja-dup.desktop"}, "https://apps.gnome.org/DejaDup/"},
        {"Back In Time",
         "Back In Time",
         {"backintime-qt.desktop", "backintime-qt4.desktop", "backintime-gnome.desktop"},
         "https://backintime.readthedocs.io/"},
        {"Timeshift",
         "Timeshift",
         {"timeshift-gtk.desktop", "timeshift.desktop"},
         "https://github.com/linuxmint/timeshift"},
        {"rsnapshot", "rsnapshot", {}, "https://rsnapshot.org/"},
        {"Vorta", "borg", {"com.borgbase.Vorta.desktop", "vorta.desktop"}, "https://vorta.borgbase.com/"},
        {"Pika Backup", "borg", {"org.gnome.World.PikaBackup.desktop"}, "https://apps.gnome.org/PikaBackup/"},
    }};
    return table;
}

// A rule for a folder's contents ("/home/ada/**", "/home/ada/*") stands for the folder.
std::string_view folderRule(std::string_view rule)
{
    for (const std::string_view contents : {"/**", "/*"})
        if (rule.size() > contents.size() && rule.ends_with(contents))
            return rule.substr(0, rule.size() - contents.size());
    return rule;
}

// How deep into `folder` the rule reaches: the number of components of the longest prefix
// of `folder` that it matches (0 for "/"); -1 when it matches none.
int depthOf(std::string_view rule, const std::string& folder)
{
    rule = folderRule(rule);
    if (rule.empty())
        return -1;
    const std::string pattern(rule);
    if (rule.front() != '/') {
        if (rule.find('/') != std::string_view::npos)
            return -1; // relative to a root the rule does not name: cannot be told
        // A bare name names every folder of that name.
        int depth = 0;
        for (std::size_t at = 1; at < folder.size();) {
            const auto slash = std::min(folder.find('/', at), folder.size());
            ++depth;
            if (::fnmatch(pattern.c_str(), folder.substr(at, slash - at).c_str(), 0) == 0)
                return depth;
            at = slash + 1;
        }
        return -1;
    }
    int best = -1;
    if (::fnmatch(pattern.c_str(), "/", FNM_PATHNAME) == 0)
        best = 0;
    int depth = 0;
    for (std::size_t at = 1; at <= folder.size() && folder.size() > 1;) {
        const auto slash = std::min(folder.find('/', at), folder.size());
        ++depth;
        if (::fnmatch(pattern.c_str(), folder.substr(0, slash).c_str(), FNM_PATHNAME) == 0)
            best = depth;
        at = slash + 1;
    }
    return best;
}

int deepest(const std::vector<std::string>& rules, const std::string& folder)
{
    int best = -1;
    for (const std::string& rule : rules)
        best = std::max(best, depthOf(rule, folder));
    return best;
}
} // namespace

std::optional<SetupTool> BackupSetups::tool(std::string_view name)
{
    for (const SetupTool& tool : tools())
        if (tool.name == name)
            return tool;
    return std::nullopt;
}

std::vector<BackupSetup> BackupSetups::making(const std::vector<BackupSetup>& setups, std::string_view backupTool)
{
    std::vector<BackupSetup> making;
    for (const BackupSetup& setup : setups)
        if (const auto known = tool(setup.tool); known && known->backupsNamed == backupTool)
            making.push_back(setup);
    return making;
}

bool BackupSetups::covers(const BackupSetup& setup, const std::string& folder)
{
    if (!setup.included)
        return true;
    const int taken = deepest(*setup.included, folder);
    return taken >= 0 && taken >= deepest(setup.excluded, folder);
}

bool BackupSetups::coveredByAny(const std::vector<BackupSetup>& setups, const std::string& folder)
{
    return setups.empty() ||
           std::any_of(setups.begin(), setups.end(), [&](const BackupSetup& setup) { return covers(setup, folder); });
}

const BackupSetup* BackupSetups::principal(const std::vector<BackupSetup>& setups)
{
    const BackupSetup* chosen = nullptr;
    for (const BackupSetup& setup : setups)
        if (!chosen || (setup.lastBackup && (!chosen->lastBackup || *setup.lastBackup > *chosen->lastBackup)))
            chosen = &setup;
    return chosen;
}

std::string BackupSetups::destination(const BackupSetup& setup)
{
    if (setup.driveName)
        return *setup.driveName;
    return setup.target.value_or(std::string());
}

JsonOut encode(const BackupSetup& setup, DateForm dates)
{
    JsonOut json = JsonOut::object();
    json["tool"] = setup.tool;
    putOptional(json, "target", setup.target);
    putOptional(json, "volumeUuid", setup.volumeUuid);
    putOptional(json, "driveName", setup.driveName);
    putOptional(json, "included", setup.included);
    json["excluded"] = setup.excluded;
    putOptional(json, "lastBackup", setup.lastBackup, dates);
    putOptional(json, "lastStarted", setup.lastStarted, dates);
    putOptional(json, "scheduledEvery", setup.scheduledEvery);
    return json;
}

std::optional<BackupSetup> decodeBackupSetup(const JsonIn& value, DateForm dates)
{
    const auto decodeString = [](const JsonIn& item, DateForm) {
        return item.is_string() ? std::optional(item.get<std::string>()) : std::nullopt;
    };
    JsonReader in(value, dates);
    BackupSetup setup;
    setup.tool = in.string("tool");
    setup.target = in.optionalString("target");
    setup.volumeUuid = in.optionalString("volumeUuid");
    setup.driveName = in.optionalString("driveName");
    setup.included = in.optionalArray<std::string>("included", decodeString);
    setup.excluded = in.optionalArray<std::string>("excluded", decodeString).value_or(std::vector<std::string>{});
    setup.lastBackup = in.optionalInstant("lastBackup");
    setup.lastStarted = in.optionalInstant("lastStarted");
    setup.scheduledEvery = in.optionalInteger("scheduledEvery");
    return in.ok() ? std::optional(std::move(setup)) : std::nullopt;
}

} // namespace brindle
