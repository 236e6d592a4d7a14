// borg: a repository folder with a README that says so and a config with [repository]. Its
// list of archives is encrypted, so one backup stands for it all: the last committed write to
// the repository (a backup, or a prune), the modification time of the highest index.N.
//
// A commit may also be a checkpoint of a run that did not finish (borg create commits one every
// --checkpoint-interval), and only the encrypted manifest tells which. What the repository
// shows of an interrupted run (borg's repository.py and locking.py):
// - its exclusive lock left over: lock.exclusive/ and lock.roster stay when the run is killed
//   (until another borg finds the process gone and breaks the lock);
// - segment files numbered above N in data/<n>/: written after the last commit and never
//   committed (borg removes them only when it next writes).
// Then the newest commit cannot be trusted, and the date is the last write before that run
// began: the newest segment older than its lock, or than the nonce file (rewritten once at the
// start of every session that encrypts) when the lock was broken since.
#include "BrindleCore/backups/Formats.h"
#include "BrindleCore/backups/Layouts.h"

#include <algorithm>
#include <charconv>

namespace brindle {

namespace {
std::optional<std::uint64_t> number(std::string_view text)
{
    std::uint64_t n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return n;
}

// The numbered entries of a folder of the given type, highest first.
std::vector<std::pair<std::uint64_t, std::string>> numbered(const Folder& folder, FolderEntry::Type type)
{
    std::vector<std::pair<std::uint64_t, std::string>> found;
    for (FolderEntry& entry : folder.list(maxLayoutEntries))
        if (entry.type == type)
            if (const auto n = number(entry.name))
                found.emplace_back(*n, std::move(entry.name));
    std::sort(found.begin(), found.end(), std::greater<>());
    return found;
}

struct Segments {
    const Folder& data;

    // The highest segment number in the repository.
    std::optional<std::uint64_t> highest() const
    {
        for (const auto& [n, name] : numbered(data, FolderEntry::Type::directory))
            if (const auto folder = data.child(name))
                if (const auto files = numbered(*folder, FolderEntry::Type::file); !files.empty())
                    return files.front().first;
        return std::nullopt;
    }

    // The modification time of the highest segment up to `last` written before `before`.
    std::optional<Instant> lastWrittenBefore(std::uint64_t last, Instant before) const
    {
        for (const auto& [n, name] : numbered(data, FolderEntry::Type::directory)) {
            const auto folder = data.child(name);
            if (!folder)
                continue;
            for (const auto& [segment, file] : numbered(*folder, FolderEntry::Type::file))
                if (segment <= last)
                    if (const auto written = folder->modified(file); written && *written < before)
                        return written;
        }
        return std::nullopt;
    }

    // Whether the repository's objects are encrypted, from the newest segments that begin
    // with a stored object (one holding only a commit says nothing).
    std::optional<bool> encrypted() const
    {
        int looked = 0;
        for (const auto& [n, name] : numbered(data, FolderEntry::Type::directory)) {
            const auto folder = data.child(name);
            if (!folder)
                continue;
            for (const auto& [segment, file] : numbered(*folder, FolderEntry::Type::file)) {
                if (++looked > 8)
                    return std::nullopt;
                if (const auto head = folder->readStart(file, BackupFormats::borgSegmentHeadBytes))
                    if (const auto answer = BackupFormats::borgSegmentEncrypted(*head))
                        return answer;
            }
        }
        return std::nullopt;
    }
};
} // namespace

bool BackupFormats::borgReadme(std::string_view text) { return text.starts_with("This is a Borg Backup repository."); }

std::optional<bool> BackupFormats::borgSegmentEncrypted(std::string_view head)
{
    // borg's repository.py: TAG_PUT (0) is followed by the id and the data; TAG_PUT2 (3) by
    // the id, an 8-byte hash of the data, and the data. The data's first byte is the key
    // type (key.py): 0x00 keyfile, 0x01 passphrase, 0x03 repokey, 0x04 and 0x05 their
    // BLAKE2b forms, all encrypted; 0x02 none, 0x06 and 0x07 authenticated only, not encrypted.
    constexpr std::size_t header = 8 + 4 + 4 + 1 + 32;
    if (!head.starts_with("BORG_SEG") || head.size() <= header)
        return std::nullopt;
    const auto tag = static_cast<unsigned char>(head[16]);
    const std::size_t at = tag == 0 ? header : tag == 3 ? header + 8 : head.size();
    if (at >= head.size())
        return std::nullopt;
    switch (static_cast<unsigned char>(head[at])) {
    case 0x00:
    case 0x01:
    case 0x03:
    case 0x04:
    case 0x05:
        return true;
    case 0x02:
    case 0x06:
    case 0x07:
        return false;
    default:
        return std::nullopt;
    }
}

bool BackupFormats::borgConfig(std::string_view text)
{
    for (std::size_t start = 0; start < text.size();) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        if (line == "[repository]")
            return true;
        start = end + 1;
    }
    return false;
}

std::optional<std::vector<Backup>> readBorg(const Folder& folder, const std::vector<FolderEntry>& sample,
                                            const LayoutContext&)
{
    using Type = FolderEntry::Type;
    if (!hasEntry(sample, "README", Type::file) || !hasEntry(sample, "config", Type::file))
        return std::nullopt;
    const auto readme = folder.read("README", limits::backupSmallFileBytes);
    const auto config = folder.read("config", limits::backupSmallFileBytes);
    if (!readme || !config || !BackupFormats::borgReadme(*readme) || !BackupFormats::borgConfig(*config))
        return std::nullopt;
    std::optional<std::uint64_t> commit;
    for (const FolderEntry& entry : folder.list(maxLayoutEntries))
        if (entry.isFile() && entry.name.starts_with("index."))
            if (const auto n = number(std::string_view(entry.name).substr(6)); n && (!commit || *n > *commit))
                commit = n;
    std::vector<Backup> found;
    auto written = commit ? folder.modified("index." + std::to_string(*commit)) : std::nullopt;
    if (!written)
        return found;
    const auto data = folder.child("data");
    if (!data)
        return found;
    const Segments segments{*data};
    const auto lock = folder.hasDirectory("lock.exclusive") ? folder.modified("lock.exclusive") : std::nullopt;
    const auto highest = segments.highest();
    if (lock || (highest && *highest > *commit)) {
        const auto began = lock ? lock : folder.modified("nonce");
        written = began ? segments.lastWrittenBefore(*commit, *began) : std::nullopt;
        if (!written)
            return found;
    }
    Backup backup{*written};
    backup.tool = "borg";
    backup.encrypted = segments.encrypted();
    found.push_back(std::move(backup));
    return found;
}

} // namespace brindle
