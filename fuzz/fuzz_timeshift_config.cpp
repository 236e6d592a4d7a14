// Arbitrary bytes as Timeshift's timeshift.json: never a crash, and a setup always names its
// drive. (Whether it covers a folder is the filters' to say: "- *" leaves out everything.)
#include "BrindleCore/BackupSetupRead.h"

#include <cstdint>
#include <cstdlib>

using namespace brindle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const SetupPlaces places{"/home/ada", "/home/ada/.config", "/home/ada/.local/share"};
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto setup = SetupRead::timeshift(text, places)) {
        if (!setup->volumeUuid || setup->volumeUuid->empty())
            std::abort();
        (void)BackupSetups::covers(*setup, "/etc");
        (void)BackupSetups::covers(*setup, "/home/ada/Documents");
    }
    return 0;
}
