// CloudClient: the sync client that keeps the cloud folder, as the window speaks of it: its
// name and its folder's, its own ways of keeping files on this computer, and how to open it
// and its help. Every text about the cloud goes through it, so that a Nextcloud folder is
// never called iCloud. Pure; safe from any thread.
//
// The client comes from the check result's `cloudClient` ("Nextcloud"); the demonstration's
// is "iCloud". Without one, the texts speak of "the cloud" and offer nothing to open.
#pragma once

#include "BrindleCore/CheckResult.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brindle::presentation {

// A way to give the files only in the cloud a second copy: a bold lead and the rest.
struct CloudWay {
    std::string lead;
    std::string rest;
    friend bool operator==(const CloudWay&, const CloudWay&) = default;
};

struct CloudClient {
    enum class Kind {
        none,         // no client known
        iCloud,       // the demonstration
        virtualFiles, // Nextcloud, ownCloud: online-only files the file manager can pin
        mount,        // rclone: a mount whose files are fetched when opened
        fullCopy,     // OneDrive: every file is downloaded; none is online only
    };
    Kind kind = Kind::none;
    std::string name;   // "Nextcloud", "iCloud", "the cloud"
    std::string folder; // the sidebar's place: "Nextcloud", "iCloud Drive", "Sync folder"
    // Applications to open for its settings, most likely first; empty when it has none.
    std::vector<std::string> desktopIds;
    // Its own help; empty for iCloud, whose help the guide holds, and without a client.
    std::string helpUrl;
    // The buttons' labels: "Open Nextcloud", "About Nextcloud"; empty when there is none.
    std::string settingsButton;
    std::string helpButton;
    friend bool operator==(const CloudClient&, const CloudClient&) = default;
};

CloudClient cloudClient(const std::optional<std::string>& name);
CloudClient cloudClient(const std::optional<CheckResult>& result);

// `text` about the cloud naming the client: "Only in iCloud" → "Only in Nextcloud", or
// "Only in the cloud" without a client.
std::string naming(std::string text, const CloudClient& client);

// What the client does with the files only in the cloud (empty when it keeps none online),
// and its ways of keeping them here too: `tool` names the backup tool ("your backup tool" when
// none is known), `bytes` is their size.
std::string cloudParagraph(const CloudClient& client, std::int64_t onlyCloud);
std::vector<CloudWay> cloudWays(const CloudClient& client, std::int64_t onlyCloud, std::int64_t bytes,
                                const std::string& tool);

} // namespace brindle::presentation
