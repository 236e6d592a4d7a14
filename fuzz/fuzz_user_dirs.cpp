// Arbitrary bytes read as an XDG user-dirs file: never a crash, and every folder found is an
// absolute path.
#include "BrindleCore/StandardFolders.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const auto& [key, path] : brindle::parseUserDirs(text, "/home/user"))
        if (path.empty() || path.front() != '/')
            std::abort();
    return 0;
}
