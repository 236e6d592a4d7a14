// Arbitrary bytes as Back In Time's config and, after the first NUL, the stamp of profile 1's
// last run: never a crash, every path it gives back is absolute, and a stamp is read only for
// a profile that backs up over ssh.
#include "BrindleCore/BackupSetupRead.h"

#include <cstdint>
#include <cstdlib>

using namespace brindle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const SetupPlaces places{"/home/ada", "/home/ada/.config", "/home/ada/.local/share"};
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto split = bytes.find('\0');
    const std::string_view text = bytes.substr(0, split);
    std::map<std::string, std::string> stamps;
    if (split != std::string_view::npos)
        stamps.emplace("1_Main_profile", std::string(bytes.substr(split + 1)));
    for (const BackupSetup& setup : SetupRead::backInTime(text, places, stamps, Calendar::utc())) {
        if (setup.lastBackup && !setup.target->starts_with("ssh://"))
            std::abort();
        if (!setup.target || setup.target->empty() || !setup.included)
            std::abort();
        for (const std::string& path : *setup.included)
            if (!path.starts_with('/'))
                std::abort();
        (void)BackupSetups::covers(setup, "/home/ada/Documents");
    }
    return 0;
}
