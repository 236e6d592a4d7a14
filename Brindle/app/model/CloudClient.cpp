#include "Brindle/app/model/CloudClient.h"

#include "BrindleCore/Words.h"

namespace brindle::presentation {

namespace {
using Kind = CloudClient::Kind;

CloudClient make(Kind kind, std::string name, std::string folder, std::vector<std::string> desktopIds,
                 std::string helpUrl)
{
    CloudClient client{kind, name, std::move(folder), std::move(desktopIds), std::move(helpUrl), {}, {}};
    if (!client.desktopIds.empty())
        client.settingsButton = "Open " + name;
    if (!client.helpUrl.empty())
        client.helpButton = "About " + name;
    return client;
}

// "…, and the next Déjà Dup backup includes them. You’ll need 5.64 GB free."
std::string nextBackupIncludes(bool one, std::int64_t bytes, const std::string& tool)
{
    return ", and the next " + (tool == "your backup tool" ? std::string("backup") : tool + " backup") + " includes " +
           (one ? "it" : "them") + ". You’ll need " + Words::size(bytes) + " free.";
}
} // namespace

CloudClient cloudClient(const std::optional<std::string>& name)
{
    if (!name)
        return {Kind::none, "the cloud", "Sync folder", {}, {}, {}, {}};
    if (*name == "iCloud") {
        CloudClient client{Kind::iCloud,        "iCloud", "iCloud Drive", {}, {}, "Open iCloud Settings",
                           "About iCloud Drive"};
        return client;
    }
    // The desktop ids are those the clients' packages install; the Debian packages of the
    // OneDrive client and of rclone install none.
    if (*name == "Nextcloud")
        return make(Kind::virtualFiles, *name, *name,
                    {"com.nextcloud.desktopclient.nextcloud.desktop", "nextcloud.desktop"},
                    "https://docs.nextcloud.com/desktop/latest/");
    if (*name == "ownCloud")
        return make(Kind::virtualFiles, *name, *name, {"owncloud.desktop"}, "https://doc.owncloud.com/desktop/");
    if (*name == "OneDrive")
        return make(Kind::fullCopy, *name, *name, {},
                    "https://github.com/abraunegg/onedrive/blob/master/docs/USAGE.md");
    if (*name == "rclone")
        return make(Kind::mount, *name, *name, {}, "https://rclone.org/commands/rclone_mount/");
    // A client this version does not know: its name, and nothing to open.
    return make(Kind::fullCopy, *name, *name, {}, {});
}

CloudClient cloudClient(const std::optional<CheckResult>& result)
{
    return cloudClient(result ? result->cloudClient : std::nullopt);
}

std::string naming(std::string text, const CloudClient& client)
{
    return Words::namingCloud(std::move(text), client.kind == Kind::none ? "the cloud" : client.name);
}

std::string cloudParagraph(const CloudClient& client, std::int64_t onlyCloud)
{
    if (onlyCloud < 1)
        return {};
    const bool one = onlyCloud == 1;
    switch (client.kind) {
    case Kind::iCloud:
        return std::string(one ? "iCloud keeps it online and removed it"
                               : "iCloud keeps them online and removed them") +
               " from this computer to save space. That’s “Optimise Mac Storage” doing its job. It also means iCloud "
               "holds the only copy.";
    case Kind::virtualFiles:
        return client.name +
               (one ? " keeps it online as a virtual file and downloads it"
                    : " keeps them online as virtual files and downloads each") +
               " only when it is opened. It also means " + client.name + " holds the only copy.";
    case Kind::mount:
        return std::string(one ? "rclone’s mount shows it from the remote and fetches it"
                               : "rclone’s mount shows them from the remote and fetches each") +
               " only when it is opened. It also means the remote holds the only copy.";
    case Kind::fullCopy:
    case Kind::none:
        break;
    }
    const std::string holder = client.kind == Kind::none ? "The cloud" : client.name;
    return holder +
           (one ? " keeps it online and not on this computer" : " keeps them online and not on this computer") +
           ", so it holds the only copy.";
}

std::vector<CloudWay> cloudWays(const CloudClient& client, std::int64_t onlyCloud, std::int64_t bytes,
                                const std::string& tool)
{
    const bool one = onlyCloud == 1;
    switch (client.kind) {
    case Kind::iCloud:
        return {{"Keep just one folder downloaded.",
                 "In the file manager, right-click a folder in iCloud Drive and choose Keep Downloaded."},
                {"Keep iCloud Drive on this computer.",
                 "Turn off “Optimise Mac Storage”" + nextBackupIncludes(one, bytes, tool)}};
    case Kind::virtualFiles:
        return {{"Keep just one folder downloaded.", "In the file manager, right-click a folder in " + client.name +
                                                         " and choose Always available locally."},
                {"Keep all of " + client.name + " on this computer.",
                 "In " + client.name + "’s settings, choose Disable virtual file support in the folder’s menu" +
                     nextBackupIncludes(one, bytes, tool)}};
    case Kind::mount:
        return {{"Copy the folder to this computer.",
                 "rclone copy, or rclone sync, brings the remote’s files into a folder here" +
                     nextBackupIncludes(one, bytes, tool)}};
    case Kind::fullCopy:
    case Kind::none:
        break;
    }
    return {};
}

} // namespace brindle::presentation
