// Arbitrary bytes read as a backup manifest: never a crash or a hang, and the backups come
// back sorted oldest first.
#include "BrindleCore/Drive.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto backups = brindle::Drive::parseManifest(std::string_view(reinterpret_cast<const char*>(data), size));
    for (std::size_t i = 1; i < backups.size(); ++i)
        if (backups[i].date < backups[i - 1].date)
            std::abort();
    return 0;
}
