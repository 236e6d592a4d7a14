// Arbitrary bytes as Vorta's settings database: never a crash; every setup found names its
// tool, and every folder it takes is absolute.
#include "BrindleCore/BackupSetupRead.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace brindle;
    static const SetupPlaces places{"/home/ada", "/home/ada/.config", "/home/ada/.local/share"};
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const BackupSetup& setup : SetupRead::vortaDatabase(bytes, places, Calendar::utc())) {
        if (setup.tool != "Vorta")
            std::abort();
        for (const std::string& folder : setup.included.value_or(std::vector<std::string>{}))
            if (folder.empty() || folder.front() != '/')
                std::abort();
    }
    return 0;
}
