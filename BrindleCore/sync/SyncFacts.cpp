#include "BrindleCore/sync/SyncFacts.h"

#include "BrindleCore/FileIO.h"
#include "BrindleCore/Limits.h"
#include "BrindleCore/Paths.h"
#include "BrindleCore/sync/JournalRead.h"
#include "BrindleCore/sync/SyncConfig.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <new>

namespace brindle {

namespace {
const ICloudFacts inBoth{true, DownloadingStatus::current, true, false, false};
const ICloudFacts waiting{true, DownloadingStatus::current, false, true, false};
const ICloudFacts notSynced{false, std::nullopt, std::nullopt, std::nullopt, false};

ICloudFacts onlyInCloud(std::optional<std::int64_t> size = std::nullopt, std::uint8_t suffix = 0)
{
    ICloudFacts facts{true, DownloadingStatus::notDownloaded, std::nullopt, std::nullopt, true};
    facts.size = size;
    facts.nameSuffix = suffix;
    return facts;
}

std::optional<std::int64_t> recordedSize(const JournalEntry* entry)
{
    return entry && entry->size >= 0 ? std::optional(entry->size) : std::nullopt;
}

std::string_view placeholderSuffix(SyncClient client)
{
    return client == SyncClient::ownCloud ? ".owncloud" : ".nextcloud";
}

std::atomic<std::uint64_t> nextId{1};
} // namespace

SyncFacts::SyncFacts(std::vector<LoadedSyncFolder> folders) : folders_(std::move(folders)), id_(nextId++)
{
    std::stable_sort(folders_.begin(), folders_.end(),
                     [](const auto& a, const auto& b) { return a.folder.root.size() > b.folder.root.size(); });
}

std::optional<std::pair<std::size_t, std::string_view>> SyncFacts::locate(std::string_view path) const
{
    for (std::size_t i = 0; i < folders_.size(); ++i) {
        const std::string& root = folders_[i].folder.root;
        if (path == root)
            return std::pair{i, std::string_view()};
        if (root == "/" && path.starts_with('/'))
            return std::pair{i, path.substr(1)};
        if (path.size() > root.size() && path.starts_with(root) && path[root.size()] == '/')
            return std::pair{i, path.substr(root.size() + 1)};
    }
    return std::nullopt;
}

ICloudFacts SyncFacts::factsOf(const LoadedSyncFolder& loaded, std::string_view directory, std::string_view name,
                               const struct stat& status, bool attributePlaceholder)
{
    const SyncJournal& journal = loaded.journal;
    const JournalEntry* entry = journal.find(directory, name);
    switch (loaded.folder.client) {
    case SyncClient::rclone:
        return entry ? waiting : onlyInCloud();
    case SyncClient::nextcloud:
    case SyncClient::ownCloud: {
        const std::string_view suffix = placeholderSuffix(loaded.folder.client);
        if (S_ISREG(status.st_mode) && name.size() > suffix.size() && name.ends_with(suffix)) {
            const std::string_view realName = name.substr(0, name.size() - suffix.size());
            const auto size =
                recordedSize(entry) ? recordedSize(entry) : recordedSize(journal.find(directory, realName));
            return onlyInCloud(size, static_cast<std::uint8_t>(suffix.size()));
        }
        if (attributePlaceholder || (entry && entry->placeholder))
            return onlyInCloud(recordedSize(entry));
        break;
    }
    case SyncClient::oneDrive:
        break;
    }
    if (entry && entry->notSynced)
        return notSynced;
    if (!entry || entry->uploading)
        return waiting;
    if (S_ISDIR(status.st_mode))
        return entry->directory ? inBoth : waiting;
    const bool sameSize = entry->size < 0 || entry->size == status.st_size;
    return !entry->directory && sameSize && entry->modified == status.st_mtim.tv_sec ? inBoth : waiting;
}

namespace SyncClients {

namespace {
std::optional<std::string> canonical(const std::string& path)
{
    std::error_code error;
    const auto resolved = std::filesystem::canonical(path, error);
    if (error || !std::filesystem::is_directory(resolved, error))
        return std::nullopt;
    return resolved.string();
}

// A Nextcloud or ownCloud journal in the folder's root, for a folder whose settings name none.
std::string findJournal(const std::string& root)
{
    std::error_code error;
    std::filesystem::directory_iterator it(root, error);
    for (std::size_t seen = 0; !error && it != std::filesystem::directory_iterator() && seen < 4096; ++seen) {
        const std::string name = it->path().filename().string();
        if ((name.starts_with(".sync_") || name.starts_with("._sync_")) && name.ends_with(".db"))
            return it->path().string();
        it.increment(error);
    }
    return {};
}

std::optional<SyncJournal> load(const SyncFolder& folder)
{
    switch (folder.client) {
    case SyncClient::nextcloud:
    case SyncClient::ownCloud: {
        const std::string journal = folder.journal.empty() ? findJournal(folder.root) : folder.journal;
        return journal.empty() ? std::nullopt : JournalRead::nextcloud(journal);
    }
    case SyncClient::oneDrive:
        return JournalRead::oneDrive(folder.journal);
    case SyncClient::rclone:
        return rcloneWaiting(folder.journal);
    }
    return std::nullopt;
}
} // namespace

SyncJournal rcloneWaiting(const std::string& metaFolder)
{
    namespace fs = std::filesystem;
    SyncJournal journal;
    std::error_code error;
    fs::recursive_directory_iterator it(metaFolder, fs::directory_options::skip_permission_denied, error);
    for (std::size_t seen = 0; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (++seen > limits::syncCacheEntries)
            break;
        if (it.depth() >= limits::syncTreeDepth)
            it.disable_recursion_pending();
        std::error_code statusError;
        if (!it->is_regular_file(statusError) || it->is_symlink(statusError))
            continue;
        const auto content = readRegularFile(it->path().string(), limits::syncSmallFileBytes);
        if (!content.content || !SyncConfig::rcloneDirty(*content.content))
            continue;
        const std::string relative = it->path().lexically_relative(metaFolder).string();
        if (!relative.empty() && relative.size() <= limits::syncPathBytes)
            journal.add(relative, JournalEntry{});
    }
    journal.seal();
    return journal;
}

SyncSetup setup(const std::vector<SyncFolder>& folders, const std::vector<std::string>& checkedPaths)
{
    SyncSetup result;
    try {
        std::vector<std::string> checked;
        for (const std::string& path : checkedPaths)
            if (auto resolved = canonical(path))
                checked.push_back(std::move(*resolved));
        std::vector<LoadedSyncFolder> loaded;
        std::optional<std::string> firstSetUp;
        for (const SyncFolder& folder : folders) {
            auto root = canonical(folder.root);
            if (!root)
                continue;
            result.clientSetUp = true;
            if (!firstSetUp)
                firstSetUp = std::string(clientName(folder.client));
            const bool met = std::any_of(checked.begin(), checked.end(), [&](const std::string& path) {
                return isSameOrInside(path, *root) || isSameOrInside(*root, path);
            });
            if (!met)
                continue;
            SyncFolder resolved = folder;
            resolved.root = std::move(*root);
            if (!result.client)
                result.client = std::string(clientName(folder.client));
            if (auto journal = load(resolved))
                loaded.push_back({std::move(resolved), std::move(*journal)});
            else
                result.unreadable.push_back(resolved.root);
        }
        if (!result.client)
            result.client = firstSetUp;
        if (!loaded.empty())
            result.facts = std::make_unique<SyncFacts>(std::move(loaded));
    } catch (const std::bad_alloc&) {
        result.facts.reset();
    }
    return result;
}

std::int64_t longFailingUploads(const SyncFacts& facts, const std::vector<std::string>& checkedPaths, Instant now)
{
    std::vector<std::string> checked;
    for (const std::string& path : checkedPaths)
        if (auto resolved = canonical(path))
            checked.push_back(std::move(*resolved));
    const std::int64_t nowSeconds = std::chrono::duration_cast<std::chrono::seconds>(now.time_since_epoch()).count();
    constexpr std::int64_t day = 24 * 60 * 60;
    std::int64_t count = 0;
    for (const LoadedSyncFolder& loaded : facts.folders()) {
        for (const FailingUpload& upload : loaded.journal.failingUploads()) {
            // A path that climbs out of the folder names some other file.
            const std::string_view relative = upload.path;
            if (relative == ".." || relative.starts_with("../") || relative.ends_with("/..") ||
                relative.find("/../") != std::string_view::npos)
                continue;
            const std::string path =
                loaded.folder.root == "/" ? "/" + upload.path : loaded.folder.root + "/" + upload.path;
            if (std::none_of(checked.begin(), checked.end(),
                             [&](const std::string& folder) { return isSameOrInside(path, folder); }))
                continue;
            struct stat status {};
            if (::lstat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
                continue;
            const std::int64_t since = upload.modified > 0 ? upload.modified : status.st_mtim.tv_sec;
            if (nowSeconds - since > day)
                ++count;
        }
    }
    return count;
}

SyncSetup forCheck(CheckRequest& request, const SyncLocations& where)
{
    std::vector<std::string> paths;
    for (const CheckFolder& folder : request.folders)
        paths.push_back(folder.path);
    SyncSetup sync = setup(configured(where), paths);
    request.failingUploads = sync.facts ? longFailingUploads(*sync.facts, paths, request.now) : 0;
    request.cloudFacts = sync.facts.get();
    request.iCloudDriveOn = sync.clientSetUp;
    request.cloudClient = sync.client;
    request.unreadableJournals = sync.unreadable;
    return sync;
}

} // namespace SyncClients

} // namespace brindle
