#include "Brindle/app/model/CloudClient.h"

#include "BrindleCore/Translation.h"
#include "BrindleCore/Words.h"

namespace brindle::presentation {

namespace {
using Kind = CloudClient::Kind;

CloudClient make(Kind kind, std::string name, std::string folder, std::vector<std::string> desktopIds,
                 std::string helpUrl)
{
    CloudClient client{kind, name, std::move(folder), std::move(desktopIds), std::move(helpUrl), {}, {}};
    if (!client.desktopIds.empty())
        // TRANSLATORS: {client} is a sync client's name: Nextcloud, OneDrive…
        client.settingsButton = fill(translated("cloud screen: button", "Open {client}"), {{"client", name}});
    if (!client.helpUrl.empty())
        client.helpButton = fill(translated("cloud screen: button", "About {client}"), {{"client", name}});
    return client;
}

bool toolKnown(const std::string& tool)
{
    return tool != translated("a backup tool not known by name", "your backup tool");
}
} // namespace

CloudClient cloudClient(const std::optional<std::string>& name)
{
    if (!name)
        // TRANSLATORS: the cloud without a sync client's name, where texts say “in iCloud”: “Only in the cloud”.
        return {Kind::none,
                translated("the cloud, in place of a sync client's name", "the cloud"),
                translated("sidebar: the sync folder's place", "Sync folder"),
                {},
                {},
                {},
                {}};
    if (*name == "iCloud") {
        CloudClient client{Kind::iCloud,
                           "iCloud",
                           "iCloud Drive",
                           {},
                           {},
                           translated("cloud screen: button", "Open iCloud Settings"),
                           translated("cloud screen: button", "About iCloud Drive")};
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
    return Words::namingCloud(std::move(text),
                              client.kind == Kind::none
                                  ? translated("the cloud, in place of a sync client's name", "the cloud")
                                  : client.name);
}

std::string cloudParagraph(const CloudClient& client, std::int64_t onlyCloud)
{
    if (onlyCloud < 1)
        return {};
    const PhraseValues values{{"client", client.name}};
    switch (client.kind) {
    case Kind::iCloud:
        return translatedCounted("cloud screen: paragraph",
                                 "iCloud keeps it online and removed it from this computer to save space. That’s "
                                 "“Optimise Mac Storage” doing its job. It also means iCloud holds the only copy.",
                                 "iCloud keeps them online and removed them from this computer to save space. That’s "
                                 "“Optimise Mac Storage” doing its job. It also means iCloud holds the only copy.",
                                 onlyCloud);
    case Kind::virtualFiles:
        return fill(translatedCounted("cloud screen: paragraph",
                                      "{client} keeps it online as a virtual file and downloads it only when it is "
                                      "opened. It also means {client} holds the only copy.",
                                      "{client} keeps them online as virtual files and downloads each only when it "
                                      "is opened. It also means {client} holds the only copy.",
                                      onlyCloud),
                    values);
    case Kind::mount:
        return translatedCounted("cloud screen: paragraph",
                                 "rclone’s mount shows it from the remote and fetches it only when it is opened. It "
                                 "also means the remote holds the only copy.",
                                 "rclone’s mount shows them from the remote and fetches each only when it is opened. "
                                 "It also means the remote holds the only copy.",
                                 onlyCloud);
    case Kind::fullCopy:
        return fill(translatedCounted("cloud screen: paragraph",
                                      "{client} keeps it online and not on this computer, so it holds the only copy.",
                                      "{client} keeps them online and not on this computer, so it holds the only copy.",
                                      onlyCloud),
                    values);
    case Kind::none:
        break;
    }
    return translatedCounted(
        "cloud screen: paragraph", "The cloud keeps it online and not on this computer, so it holds the only copy.",
        "The cloud keeps them online and not on this computer, so it holds the only copy.", onlyCloud);
}

std::vector<CloudWay> cloudWays(const CloudClient& client, std::int64_t onlyCloud, std::int64_t bytes,
                                const std::string& tool)
{
    const std::int64_t n = onlyCloud;
    const bool named = toolKnown(tool);
    const PhraseValues values{{"client", client.name}, {"tool", tool}, {"size", Words::size(bytes)}};
    switch (client.kind) {
    case Kind::iCloud:
        return {{translated("cloud screen: way", "Keep just one folder downloaded."),
                 translated("cloud screen: way",
                            "In the file manager, right-click a folder in iCloud Drive and choose Keep Downloaded.")},
                {translated("cloud screen: way", "Keep iCloud Drive on this computer."),
                 // TRANSLATORS: {tool} is a backup tool's name, {size} the space the files need.
                 fill(named ? translatedCounted("cloud screen: way",
                                                "Turn off “Optimise Mac Storage”, and the next {tool} backup includes "
                                                "it. You’ll need {size} free.",
                                                "Turn off “Optimise Mac Storage”, and the next {tool} backup includes "
                                                "them. You’ll need {size} free.",
                                                n)
                            : translatedCounted("cloud screen: way",
                                                "Turn off “Optimise Mac Storage”, and the next backup includes it. "
                                                "You’ll need {size} free.",
                                                "Turn off “Optimise Mac Storage”, and the next backup includes them. "
                                                "You’ll need {size} free.",
                                                n),
                      values)}};
    case Kind::virtualFiles:
        // TRANSLATORS: “Always available locally” and “Disable virtual file support” are the sync
        // client's own menu items: write them as it shows them.
        return {{translated("cloud screen: way", "Keep just one folder downloaded."),
                 fill(translated("cloud screen: way", "In the file manager, right-click a folder in {client} and "
                                                      "choose Always available locally."),
                      values)},
                {fill(translated("cloud screen: way", "Keep all of {client} on this computer."), values),
                 fill(named ? translatedCounted("cloud screen: way",
                                                "In {client}’s settings, choose Disable virtual file support in the "
                                                "folder’s menu, and the next {tool} backup includes it. You’ll need "
                                                "{size} free.",
                                                "In {client}’s settings, choose Disable virtual file support in the "
                                                "folder’s menu, and the next {tool} backup includes them. You’ll need "
                                                "{size} free.",
                                                n)
                            : translatedCounted("cloud screen: way",
                                                "In {client}’s settings, choose Disable virtual file support in the "
                                                "folder’s menu, and the next backup includes it. You’ll need {size} "
                                                "free.",
                                                "In {client}’s settings, choose Disable virtual file support in the "
                                                "folder’s menu, and the next backup includes them. You’ll need {size} "
                                                "free.",
                                                n),
                      values)}};
    case Kind::mount:
        return {{translated("cloud screen: way", "Copy the folder to this computer."),
                 fill(named ? translatedCounted("cloud screen: way",
                                                "rclone copy, or rclone sync, brings the remote’s files into a folder "
                                                "here, and the next {tool} backup includes it. You’ll need {size} "
                                                "free.",
                                                "rclone copy, or rclone sync, brings the remote’s files into a folder "
                                                "here, and the next {tool} backup includes them. You’ll need {size} "
                                                "free.",
                                                n)
                            : translatedCounted("cloud screen: way",
                                                "rclone copy, or rclone sync, brings the remote’s files into a folder "
                                                "here, and the next backup includes it. You’ll need {size} free.",
                                                "rclone copy, or rclone sync, brings the remote’s files into a folder "
                                                "here, and the next backup includes them. You’ll need {size} free.",
                                                n),
                      values)}};
    case Kind::fullCopy:
    case Kind::none:
        break;
    }
    return {};
}

} // namespace brindle::presentation
