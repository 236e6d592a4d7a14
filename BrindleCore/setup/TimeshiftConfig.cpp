// Timeshift's timeshift.json: "backup_device_uuid" names the drive; "exclude" holds rsync
// filter rules, where "+ <pattern>" takes something in and any other rule leaves it out.
// Timeshift copies the system from "/" and leaves out the home folders, and the mounts and
// runtime folders, unless a rule takes them in; in btrfs mode the home subvolume is copied
// when "include_btrfs_home_for_backup" says so.
#include "BrindleCore/BackupSetupRead.h"

#include "BrindleCore/Json.h"

namespace brindle {

namespace {
constexpr std::size_t maxRules = 4096;

bool isTrue(const JsonIn& json, const char* key)
{
    const auto it = json.find(key);
    return it != json.end() &&
           ((it->is_string() && it->get_ref<const std::string&>() == "true") || (it->is_boolean() && it->get<bool>()));
}
} // namespace

std::optional<BackupSetup> SetupRead::timeshift(std::string_view settings, const SetupPlaces&)
{
    const JsonIn json = parseJson(settings, limits::toolSettingsBytes, 8);
    if (!json.is_object())
        return std::nullopt;
    const auto device = json.find("backup_device_uuid");
    if (device == json.end() || !device->is_string() || device->get_ref<const std::string&>().empty())
        return std::nullopt;
    BackupSetup setup{"Timeshift"};
    setup.volumeUuid = device->get<std::string>();
    std::vector<std::string> included{"/"};
    std::vector<std::string> excluded{"/dev", "/proc", "/sys", "/run", "/tmp", "/media", "/mnt", "/lost+found"};
    if (!(isTrue(json, "btrfs_mode") && isTrue(json, "include_btrfs_home_for_backup")))
        excluded.insert(excluded.end(), {"/home", "/root"});
    for (const char* key : {"include", "exclude"}) {
        const auto rules = json.find(key);
        if (rules == json.end() || !rules->is_array())
            continue;
        std::size_t taken = 0;
        for (const JsonIn& rule : *rules) {
            if (!rule.is_string() || ++taken > maxRules)
                continue;
            std::string_view text = rule.get_ref<const std::string&>();
            const bool takesIn = text.starts_with("+ ") || std::string_view(key) == "include";
            if (text.starts_with("+ ") || text.starts_with("- "))
                text.remove_prefix(2);
            if (text.empty())
                continue;
            (takesIn ? included : excluded).emplace_back(text);
        }
    }
    setup.included = std::move(included);
    setup.excluded = std::move(excluded);
    return setup;
}

} // namespace brindle
