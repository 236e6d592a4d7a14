// Arbitrary bytes as Back In Time's config: never a crash, and every path it gives back is
// absolute.
#include "BrindleCore/BackupSetupRead.h"

#include <cstdint>
#include <cstdlib>

using namespace brindle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const SetupPlaces places{"/home/ada", "/home/ada/.config", "/home/ada/.local/share"};
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const BackupSetup& setup : SetupRead::backInTime(text, places)) {
        if (!setup.target || setup.target->empty() || !setup.included)
            std::abort();
        for (const std::string& path : *setup.included)
            if (!path.starts_with('/'))
                std::abort();
        (void)BackupSetups::covers(setup, "/home/ada/Documents");
    }
    return 0;
}
