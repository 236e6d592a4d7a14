#include "BrindleCore/sync/SyncJournal.h"

#include <bit>
#include <limits>

namespace brindle {

namespace {
constexpr std::uint64_t fnvOffset = 14695981039346656037ull;
constexpr std::uint64_t fnvPrime = 1099511628211ull;

std::uint64_t hashMore(std::uint64_t hash, std::string_view text)
{
    for (const char c : text)
        hash = (hash ^ static_cast<unsigned char>(c)) * fnvPrime;
    return hash;
}

// Whether `stored` is "directory/name" (or `name` with an empty directory).
bool samePath(std::string_view stored, std::string_view directory, std::string_view name)
{
    if (directory.empty())
        return stored == name;
    return stored.size() == directory.size() + 1 + name.size() && stored.starts_with(directory) &&
           stored[directory.size()] == '/' && stored.ends_with(name);
}
} // namespace

std::uint64_t SyncJournal::hashOf(std::string_view directory, std::string_view name)
{
    if (directory.empty())
        return hashMore(fnvOffset, name);
    return hashMore(hashMore(hashMore(fnvOffset, directory), "/"), name);
}

void SyncJournal::add(std::string_view path, const JournalEntry& entry)
{
    // Offsets are 32-bit; the loaders cap the journal far below this.
    if (paths_.size() + path.size() > std::numeric_limits<std::uint32_t>::max())
        return;
    rows_.push_back(
        {hashOf({}, path), static_cast<std::uint32_t>(paths_.size()), static_cast<std::uint32_t>(path.size()), entry});
    paths_.append(path);
}

void SyncJournal::markUploading(std::string_view path) { pendingUploads_.emplace_back(path); }

void SyncJournal::addFailingUpload(std::string_view path, std::int64_t modified)
{
    markUploading(path);
    failingUploads_.push_back({std::string(path), modified});
}

void SyncJournal::seal()
{
    index();
    for (const std::string& path : pendingUploads_)
        if (const Row* row = findRow({}, path))
            rows_[static_cast<std::size_t>(row - rows_.data())].entry.uploading = true;
    pendingUploads_.clear();
    pendingUploads_.shrink_to_fit();
}

void SyncJournal::index()
{
    slots_.assign(std::bit_ceil(rows_.size() * 2 + 2), 0);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const Row& row = rows_[i];
        const std::string_view path(paths_.data() + row.offset, row.length);
        std::size_t slot = row.hash & mask;
        bool duplicate = false;
        while (slots_[slot] != 0) {
            const Row& other = rows_[slots_[slot] - 1];
            if (other.hash == row.hash && std::string_view(paths_.data() + other.offset, other.length) == path) {
                duplicate = true;
                break;
            }
            slot = (slot + 1) & mask;
        }
        if (!duplicate)
            slots_[slot] = static_cast<std::uint32_t>(i + 1);
    }
}

const SyncJournal::Row* SyncJournal::findRow(std::string_view directory, std::string_view name) const
{
    if (slots_.empty())
        return nullptr;
    const std::uint64_t hash = hashOf(directory, name);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash & mask; slots_[slot] != 0; slot = (slot + 1) & mask) {
        const Row& row = rows_[slots_[slot] - 1];
        if (row.hash == hash && samePath(std::string_view(paths_.data() + row.offset, row.length), directory, name))
            return &row;
    }
    return nullptr;
}

const JournalEntry* SyncJournal::find(std::string_view directory, std::string_view name) const
{
    const Row* row = findRow(directory, name);
    return row ? &row->entry : nullptr;
}

} // namespace brindle
