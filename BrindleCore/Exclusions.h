// Exclusions: what the tool of the newest backup leaves out inside one scanned folder, so
// that the scanner counts those files as having no second copy whatever their dates.
//
// Folders are held by identity (device and inode, read once when the check starts), so the
// walk compares numbers, never paths. Name patterns are shell patterns matched against one
// name (file or folder), as rsync matches a pattern without "/": they are compiled at
// construction into exact names and "*.<extension>" endings, with fnmatch left for the rest.
// Immutable after construction; safe to share between the scanner's threads.
#pragma once

#include "BrindleCore/TreeWalker.h"

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace brindle {

class Exclusions {
public:
    Exclusions() = default;
    // `folders`: absolute paths of folders left out (those that are not directories inside
    // `root` are ignored); `namePatterns`: patterns without "/".
    Exclusions(const std::string& root, const std::vector<std::string>& folders,
               const std::vector<std::string>& namePatterns);

    bool empty() const { return folders_.empty() && names_.empty() && endings_.empty() && patterns_.empty(); }
    // Whether the listed item is left out: a folder held here, or a name a pattern matches.
    bool excludes(std::string_view name, const struct stat& status) const;

private:
    struct IdentityHash {
        std::size_t operator()(const FileIdentity& id) const noexcept
        {
            return std::hash<ino_t>{}(id.inode) ^ id.device;
        }
    };
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const noexcept { return std::hash<std::string_view>{}(name); }
    };
    using Names = std::unordered_set<std::string, NameHash, std::equal_to<>>;
    std::unordered_set<FileIdentity, IdentityHash> folders_;
    Names names_;
    Names endings_; // ".iso" for "*.iso"
    std::vector<std::string> patterns_;
};

} // namespace brindle
