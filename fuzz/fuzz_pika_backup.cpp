// Arbitrary bytes as Pika Backup's backup.json and history.json (split at the first NUL):
// never a crash; every setup found names its tool, and every folder it takes is absolute; a
// recorded start is never without its end, and a remote record never vouches for more than
// its run's end.
#include "BrindleCore/BackupSetupRead.h"
#include "BrindleCore/RemoteBackups.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace brindle;
    static const SetupPlaces places{"/home/ada", "/home/ada/.config", "/home/ada/.local/share"};
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto split = bytes.find('\0');
    const std::string_view config = bytes.substr(0, split);
    const std::string_view history = split == std::string_view::npos ? std::string_view() : bytes.substr(split + 1);
    for (const BackupSetup& setup : SetupRead::pikaBackup(config, history, places, Calendar::utc())) {
        if (setup.tool != "Pika Backup")
            std::abort();
        for (const std::string& folder : setup.included.value_or(std::vector<std::string>{}))
            if (folder.empty() || folder.front() != '/')
                std::abort();
        if (setup.lastStarted && !setup.lastBackup)
            std::abort();
        const auto vouched = RemoteBackups::cutOff(setup, Instant::max());
        if (vouched && *vouched > *setup.lastBackup)
            std::abort();
    }
    return 0;
}
