// Arbitrary bytes as a systemd service file: never a crash; a setup found is restic's or
// borg's, goes to a repository that leaves the computer, carries no record of a run, and takes
// only absolute folders.
#include "BrindleCore/BackupSetupRead.h"
#include "BrindleCore/RemoteBackups.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace brindle;
    static const SetupPlaces places{"/home/ada", "/home/ada/.config", "/home/ada/.local/share"};
    const auto setup = SetupRead::systemdUnit(std::string_view(reinterpret_cast<const char*>(data), size), places);
    if (!setup)
        return 0;
    if ((setup->tool != "restic" && setup->tool != "borg") || !RemoteBackups::isRemote(*setup) || setup->lastBackup)
        std::abort();
    for (const std::string& folder : setup->included.value_or(std::vector<std::string>{}))
        if (folder.empty() || folder.front() != '/')
            std::abort();
    (void)RemoteBackups::targetName(*setup->target);
    return 0;
}
