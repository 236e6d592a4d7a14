// What the file system says about one file's cloud copy, and where those facts come from.
//
// On this platform no file system reports cloud facts, so the default source gives every
// optional fact absent and `dataless` false: every file is then only here. The source is a
// seam: tests, and the readers of desktop sync clients (sync/SyncFacts.h), supply facts
// through it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct stat;

namespace brindle {

enum class DownloadingStatus { notDownloaded, downloaded, current };

struct ICloudFacts {
    std::optional<bool> isUbiquitous{};
    std::optional<DownloadingStatus> downloading{};
    std::optional<bool> isUploaded{};
    std::optional<bool> isUploading{};
    bool dataless = false;
    // For a placeholder that stands in for a file: the size of the file it stands for, and
    // how many characters its name carries beyond the real name (a suffix such as
    // ".nextcloud"). The scanner sizes and sorts the file by these.
    std::optional<std::int64_t> size{};
    std::uint8_t nameSuffix = 0;

    friend bool operator==(const ICloudFacts&, const ICloudFacts&) = default;
};

// Supplies cloud facts to the scanner. Called from the scanner's worker threads at the same
// time, so implementations must be safe to call concurrently; they must not follow links,
// open files for content, or throw.
class ICloudFactsSource {
public:
    virtual ~ICloudFactsSource() = default;
    // Facts of the entry `name` in the open directory `directoryFd`, whose lstat is `status`.
    virtual ICloudFacts facts(int directoryFd, const char* name, const struct stat& status) const = 0;
    // The same, from a caller that knows the directory's device and inode number (the scanner
    // does); a source that tells directories apart may override it to spare asking again.
    virtual ICloudFacts factsIn(int directoryFd, std::uint64_t device, std::uint64_t inode, const char* name,
                                const struct stat& status) const
    {
        (void)device;
        (void)inode;
        return facts(directoryFd, name, status);
    }
    // Whether the granted folder at `path` is itself a cloud item.
    virtual bool folderIsUbiquitous(const std::string& path) const = 0;
};

} // namespace brindle
