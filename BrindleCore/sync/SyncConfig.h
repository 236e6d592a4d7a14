// Readers of the sync clients' own configuration text. Pure functions of the text: nothing
// is opened here. Bad or unexpected text gives nothing (or the defaults), never an error,
// and nothing throws; text above the caps in Limits.h is not read at all.
#pragma once

#include "BrindleCore/sync/SyncFolder.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brindle::SyncConfig {

// The sync folders of a Nextcloud or ownCloud client's settings file (nextcloud.cfg,
// owncloud.cfg): every account's "Folders", "Multifolders" and "FoldersWithPlaceholders"
// entries that name a local path, in the file's order. A journal path that is relative is
// taken below the local path; an entry without one leaves `journal` empty.
std::vector<SyncFolder> nextcloudFolders(std::string_view text, SyncClient client);

// The value of a setting line of a Qt settings file, unquoted and unescaped: "\\x00e9" and
// the like become UTF-8, "\\\\" a backslash; a quoted value loses its quotes.
std::string qtSettingValue(std::string_view raw);

// The OneDrive client's sync folder from its config file ("sync_dir"), "~" expanded with
// `home`; "~/OneDrive" when the file names none.
std::string oneDriveSyncDir(std::string_view text, const std::string& home);

// The metadata folder of rclone's file cache for a mount of `source` ("remote:some/path").
std::optional<std::string> rcloneMetaFolder(std::string_view source, const std::string& cacheHome);

// Whether an rclone cache metadata file says its file has changes not yet uploaded.
bool rcloneDirty(std::string_view json);

} // namespace brindle::SyncConfig
