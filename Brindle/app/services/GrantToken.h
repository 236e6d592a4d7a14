// The token that lets a granted folder be found again: where it was, on which volume, and
// which folder it was (device and inode), so that a folder replaced by another of the same
// name, or a volume mounted somewhere else, is noticed.
//
// Its stored form is a small, readable JSON object with a version:
//   {"version":1,"path":"/media/ada/Backup/Docs","volume":"5E2C-…","inVolume":"/Docs",
//    "device":2049,"inode":1234}
// "volume" is left out for a folder on a volume without a UUID (tmpfs, network shares).
// "inVolume" is the path from the root of the volume's file system (which, for a bind mount
// or a subvolume, need not be the mount point's own folder).
//
// Decoding never throws and caps size and depth; anything else gives std::nullopt. A version
// other than 1 does not decode. Plain values, safe on any thread. Qt-free.
#pragma once

#include "BrindleCore/Json.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brindle {

struct GrantToken {
    static constexpr int currentVersion = 1;

    std::string path;
    std::optional<std::string> volume{};
    std::string inVolume;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    friend bool operator==(const GrantToken&, const GrantToken&) = default;
};

JsonOut encode(const GrantToken& token);
std::optional<GrantToken> decodeGrantToken(const JsonIn& value);

// The compact JSON text of a token, and back.
std::string encodeGrantTokenText(const GrantToken& token);
std::optional<GrantToken> decodeGrantTokenText(std::string_view text);

} // namespace brindle
