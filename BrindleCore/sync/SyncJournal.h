// SyncJournal: what a sync client recorded of the files below one sync folder, by path
// relative to the folder, loaded once and then only read.
//
// Compact: every path lives in one shared buffer, and an open-addressing table of row
// numbers finds a row by the path's hash, compared in full, so a lookup neither allocates
// nor joins strings: the directory and the name are hashed and compared piece by piece.
//
// Threads: built on one thread; once `seal` has run, any number of threads may look up at
// once. Nothing throws except std::bad_alloc, which the loaders catch.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

struct JournalEntry {
    std::int64_t modified = 0; // seconds since 1970, as the client recorded the file
    std::int64_t size = -1;    // bytes; below 0 when the client does not record sizes
    bool directory = false;
    bool placeholder = false; // the content is online only
    bool uploading = false;   // the client has an upload of it under way, or one that fails
    bool notSynced = false;   // the client records it but keeps no copy of it (a link, or an item it skips)
};

// An upload that has failed at least once and is still to do.
struct FailingUpload {
    std::string path;
    std::int64_t modified = 0; // seconds since 1970, the file's as the client recorded it; 0 when not recorded
};

class SyncJournal {
public:
    // The hash of "directory/name" (or of `name` alone when `directory` is empty).
    static std::uint64_t hashOf(std::string_view directory, std::string_view name);

    // Adds a row; a later row for the same path replaces nothing (the first one stays).
    void add(std::string_view path, const JournalEntry& entry);
    // Marks the row of `path`, if there is one, as uploading. Call before `seal`.
    void markUploading(std::string_view path);
    // Records an upload of `path` that has failed. Call before `seal`; `path` is also marked uploading.
    void addFailingUpload(std::string_view path, std::int64_t modified);
    // Builds the lookup table; `add` and `markUploading` before it, lookups after it.
    void seal();

    const JournalEntry* find(std::string_view directory, std::string_view name) const;
    const JournalEntry* find(std::string_view path) const { return find({}, path); }
    std::size_t size() const { return rows_.size(); }
    // In the order added.
    const std::vector<FailingUpload>& failingUploads() const { return failingUploads_; }

private:
    struct Row {
        std::uint64_t hash;
        std::uint32_t offset;
        std::uint32_t length;
        JournalEntry entry;
    };
    const Row* findRow(std::string_view directory, std::string_view name) const;
    void index();

    std::string paths_;
    std::vector<Row> rows_;
    std::vector<std::uint32_t> slots_; // row number + 1; 0 is an empty slot
    std::vector<std::string> pendingUploads_;
    std::vector<FailingUpload> failingUploads_;
};

} // namespace brindle
