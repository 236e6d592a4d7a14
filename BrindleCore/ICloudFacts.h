// What the file system says about one file's cloud copy, and where those facts come from.
//
// On this platform no file system reports cloud facts, so the default source gives every
// optional fact absent and `dataless` false: every file is then only here. The source is a
// seam: tests (and, later, readers of desktop sync clients) supply facts through it.
#pragma once

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
    // Whether the granted folder at `path` is itself a cloud item.
    virtual bool folderIsUbiquitous(const std::string& path) const = 0;
};

} // namespace brindle
