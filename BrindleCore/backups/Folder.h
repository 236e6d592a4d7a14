// Folder: one directory of a backup drive, opened without following links, listed with a cap,
// its small named files read through readRegularFile (regular files only, never a link).
//
// Used by the backup layout readers on one thread at a time. Nothing throws: a folder that
// cannot be opened or listed gives nothing.
#pragma once

#include "BrindleCore/Instant.h"

#include <sys/stat.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

struct FolderEntry {
    enum class Type { directory, file, other }; // links, devices, FIFOs and sockets are "other"
    std::string name;
    Type type = Type::other;

    bool isDirectory() const { return type == Type::directory; }
    bool isFile() const { return type == Type::file; }
};

class Folder {
public:
    // The directory at `path`; nullopt when it is not a directory or cannot be opened.
    static std::optional<Folder> open(const std::string& path);

    Folder(Folder&& other) noexcept;
    Folder& operator=(Folder&& other) noexcept;
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    ~Folder();

    const std::string& path() const { return path_; }
    std::string_view name() const;

    // The subdirectory `name`; nullopt when it is missing, a link or not a directory.
    std::optional<Folder> child(std::string_view name) const;
    // At most `max` entries, "." and ".." left out, in the order the system lists them.
    std::vector<FolderEntry> list(std::size_t max) const;
    // lstat of an entry.
    std::optional<struct stat> status(std::string_view name) const;
    std::optional<Instant> modified(std::string_view name) const;
    bool has(std::string_view name) const { return status(name).has_value(); }
    bool hasDirectory(std::string_view name) const;
    // The content of the regular file `name` (never through a link); nullopt when it is
    // missing, not a regular file, unreadable or larger than `maxBytes`.
    std::optional<std::string> read(std::string_view name, std::size_t maxBytes) const;
    // The first `bytes` bytes of the regular file `name` (fewer when it is shorter), never
    // through a link; nullopt when it is missing, not a regular file or unreadable.
    std::optional<std::string> readStart(std::string_view name, std::size_t bytes) const;

private:
    Folder(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    int fd_;
    std::string path_;
};

Instant modificationTime(const struct stat& status);

} // namespace brindle
