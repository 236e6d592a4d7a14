// Granting a folder: making a token for it when the person picks it, and finding the folder
// again from the token later.
//
// `resolve` finds the folder at the token's path, or, when its volume is now mounted
// somewhere else, at the same place on that volume. The answer is stale when the folder
// found is not the one the token was made for (its inode changed: it was deleted and made
// again) or when it now lies at another path; the caller then makes a fresh token with
// `create` and keeps that instead. A folder that is not there, or a volume that is not
// mounted, resolves to nothing, and so does anything at the path that is neither the folder
// itself nor a folder made anew in its place: a symbolic link to an ancestor or to another
// tree is never taken, so a renewal cannot widen a grant. `granted` says whether the folder
// opens for reading.
// Where the volume's UUID cannot be looked up now, only the very folder at the token's
// path (same device and inode) is taken.
//
// Neither throws. Both read the mount table and examine the folder, so they touch the disk:
// call them where a slow drive may be waited for. Implementations keep no shared state and
// may be used from any thread. Qt-free.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace brindle {

struct ResolvedGrant {
    std::string path;
    bool stale = false;
    bool granted = false;

    friend bool operator==(const ResolvedGrant&, const ResolvedGrant&) = default;
};

class GrantTokens {
public:
    virtual ~GrantTokens() = default;

    // The token (GrantToken.h, as text) of the folder at `path`; absent when it is not a
    // folder that can be examined.
    virtual std::optional<std::string> create(const std::string& path) = 0;
    virtual std::optional<ResolvedGrant> resolve(std::string_view token) = 0;
};

// Tokens of folders on this computer; `mountInfo` is the mount table read.
std::unique_ptr<GrantTokens> makeGrantTokens(std::string mountInfo = "/proc/self/mountinfo");

} // namespace brindle
