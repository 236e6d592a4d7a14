// Arbitrary bytes read as each sync client's settings and as a photo manager's: never a crash;
// every folder found is an absolute path without a trailing slash, and a cache folder never
// climbs out of the cache.
#include "BrindleCore/photos/PhotoCatalogue.h"
#include "BrindleCore/sync/SyncConfig.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace brindle;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto absolute = [](const std::string& path) {
        return !path.empty() && path.front() == '/' && (path.size() == 1 || path.back() != '/');
    };
    for (const SyncFolder& folder : SyncConfig::nextcloudFolders(text, SyncClient::nextcloud))
        if (!absolute(folder.root) || (!folder.journal.empty() && folder.journal.front() != '/'))
            std::abort();
    if (!absolute(SyncConfig::oneDriveSyncDir(text, "/home/user")))
        std::abort();
    if (const auto meta = SyncConfig::rcloneMetaFolder(text.substr(0, 4096), "/cache"))
        if (!meta->starts_with("/cache/rclone/vfsMeta/") || meta->find("/../") != std::string::npos ||
            meta->ends_with("/.."))
            std::abort();
    SetupPlaces places;
    places.home = "/home/user";
    if (const auto database = PhotoCatalogues::digikamDatabase(text, places))
        if (!database->empty() && !absolute(*database))
            std::abort();
    (void)SyncConfig::rcloneDirty(text);
    (void)SyncConfig::qtSettingValue(text.substr(0, 4096));
    return 0;
}
