#include "BrindleCore/sync/SyncConfig.h"

#include "BrindleCore/Json.h"
#include "BrindleCore/Limits.h"
#include "BrindleCore/Paths.h"
#include "BrindleCore/Trimmed.h"

#include <algorithm>
#include <array>
#include <map>
#include <tuple>

namespace brindle {

std::string_view clientName(SyncClient client)
{
    switch (client) {
    case SyncClient::nextcloud:
        return "Nextcloud";
    case SyncClient::ownCloud:
        return "ownCloud";
    case SyncClient::oneDrive:
        return "OneDrive";
    case SyncClient::rclone:
        return "rclone";
    }
    return "Nextcloud";
}

namespace SyncConfig {

namespace {
int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void appendUtf8(std::string& out, std::uint32_t code)
{
    if (code == 0 || (code >= 0xD800 && code <= 0xDFFF))
        code = 0xFFFD; // no NUL inside a path, no lone surrogate
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The lines of `text`, each without its line end.
template <typename Visit> void eachLine(std::string_view text, Visit visit)
{
    while (!text.empty()) {
        const auto end = text.find('\n');
        visit(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
}

bool isFolderGroup(std::string_view group)
{
    return group == "Folders" || group == "Multifolders" || group == "FoldersWithPlaceholders";
}

// The parts of a key split at backslashes; at most `N`, else none.
template <std::size_t N> std::optional<std::array<std::string_view, N>> keyParts(std::string_view key)
{
    std::array<std::string_view, N> parts{};
    for (std::size_t i = 0; i < N; ++i) {
        const auto slash = key.find('\\');
        if ((slash == std::string_view::npos) != (i + 1 == N))
            return std::nullopt;
        parts[i] = key.substr(0, slash);
        if (slash != std::string_view::npos)
            key.remove_prefix(slash + 1);
    }
    return parts;
}

std::string folderPath(std::string path)
{
    path = withoutTrailingSlashes(std::move(path));
    return path.starts_with('/') ? path : std::string();
}
} // namespace

std::string qtSettingValue(std::string_view raw)
{
    raw = trimmed(raw);
    std::string out;
    bool quoted = false;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (c != '\\' || i + 1 == raw.size()) {
            out += c;
            continue;
        }
        const char next = raw[++i];
        switch (next) {
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case 'r':
            out += '\r';
            break;
        case 'x': {
            std::uint32_t code = 0;
            std::size_t digits = 0;
            while (digits < 4 && i + 1 < raw.size() && hexDigit(raw[i + 1]) >= 0) {
                code = code * 16 + static_cast<std::uint32_t>(hexDigit(raw[++i]));
                ++digits;
            }
            if (digits == 0)
                out += 'x';
            else
                appendUtf8(out, code);
            break;
        }
        default:
            out += next;
            break; // "\\", "\"", and anything unknown stand for themselves
        }
    }
    return out;
}

std::vector<SyncFolder> nextcloudFolders(std::string_view text, SyncClient client)
{
    struct Entry {
        std::string localPath;
        std::string journalPath;
        std::string mode;
    };
    std::vector<SyncFolder> folders;
    if (text.size() > limits::syncConfigBytes)
        return folders;
    using Key = std::tuple<std::string, std::string, std::string>;
    std::map<Key, std::size_t> index;
    std::vector<Entry> entries;
    bool inAccounts = false;
    eachLine(text, [&](std::string_view line) {
        line = trimmed(line);
        if (line.starts_with('[')) {
            inAccounts = line == "[Accounts]";
            return;
        }
        const auto equals = line.find('=');
        if (!inAccounts || equals == std::string_view::npos || line.starts_with(';') || line.starts_with('#'))
            return;
        const auto parts = keyParts<4>(trimmed(line.substr(0, equals)));
        if (!parts || !isFolderGroup((*parts)[1]))
            return;
        const std::string_view field = (*parts)[3];
        if (field != "localPath" && field != "journalPath" && field != "virtualFilesMode")
            return;
        const Key key{std::string((*parts)[0]), std::string((*parts)[1]), std::string((*parts)[2])};
        auto [at, added] = index.try_emplace(key, entries.size());
        if (added) {
            if (entries.size() >= limits::syncFolders) {
                index.erase(at);
                return;
            }
            entries.emplace_back();
        }
        Entry& entry = entries[at->second];
        std::string value = qtSettingValue(line.substr(equals + 1));
        if (field == "localPath")
            entry.localPath = std::move(value);
        else if (field == "journalPath")
            entry.journalPath = std::move(value);
        else
            entry.mode = std::move(value);
    });
    for (Entry& entry : entries) {
        std::string root = folderPath(std::move(entry.localPath));
        if (root.empty())
            continue;
        std::string journal = std::move(entry.journalPath);
        if (!journal.empty() && !journal.starts_with('/'))
            journal = root + "/" + journal;
        folders.push_back({client, std::move(root), std::move(journal), entry.mode == "xattr"});
    }
    return folders;
}

std::string oneDriveSyncDir(std::string_view text, const std::string& home)
{
    std::string value = "~/OneDrive";
    if (text.size() <= limits::syncConfigBytes)
        eachLine(text, [&](std::string_view line) {
            line = trimmed(line);
            const auto equals = line.find('=');
            if (line.starts_with('#') || equals == std::string_view::npos ||
                trimmed(line.substr(0, equals)) != "sync_dir")
                return;
            std::string_view raw = trimmed(line.substr(equals + 1));
            if (raw.size() >= 2 && raw.front() == '"' && raw.back() == '"')
                raw = raw.substr(1, raw.size() - 2);
            if (!raw.empty())
                value = std::string(raw);
        });
    if (value == "~" || value.starts_with("~/"))
        value = home + value.substr(1);
    else if (!value.starts_with('/'))
        value = home + "/" + value;
    return withoutTrailingSlashes(std::move(value));
}

std::optional<std::string> rcloneMetaFolder(std::string_view source, const std::string& cacheHome)
{
    const auto colon = source.find(':');
    if (colon == 0 || colon == std::string_view::npos || cacheHome.empty())
        return std::nullopt;
    const std::string_view remote = source.substr(0, colon);
    std::string_view root = source.substr(colon + 1);
    while (root.starts_with('/'))
        root.remove_prefix(1);
    while (root.ends_with('/'))
        root.remove_suffix(1);
    std::string folder = cacheHome + "/rclone/vfsMeta/" + std::string(remote);
    if (!root.empty())
        folder += "/" + std::string(root);
    // The cache lies below the cache folder; a name that climbs out of it names nothing.
    for (std::string_view rest = std::string_view(folder).substr(cacheHome.size()); !rest.empty();) {
        const auto slash = rest.find('/', 1);
        const std::string_view part = rest.substr(1, slash == std::string_view::npos ? rest.npos : slash - 1);
        if (part == ".." || part == ".")
            return std::nullopt;
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash);
    }
    return folder;
}

bool rcloneDirty(std::string_view json)
{
    const JsonIn value = parseJson(json, limits::syncSmallFileBytes, 8);
    if (!value.is_object())
        return false;
    const auto dirty = value.find("Dirty");
    return dirty != value.end() && dirty->is_boolean() && dirty->get<bool>();
}

} // namespace SyncConfig
} // namespace brindle
