#include "Brindle/app/services/ComputerName.h"

#include "BrindleCore/FileIO.h"
#include "BrindleCore/Limits.h"
#include "BrindleCore/Translation.h"

#include <unistd.h>

#include <array>

namespace brindle::ComputerName {

std::string read(const std::string& machineInfo)
{
    const ReadResult file = readRegularFile(machineInfo, limits::machineInfoBytes);
    if (file.content)
        if (auto pretty = prettyHostname(*file.content))
            return *pretty;
    std::array<char, 256> host{};
    if (gethostname(host.data(), host.size() - 1) == 0) {
        const std::string name = cleaned(host.data());
        if (!name.empty())
            return name;
    }
    return translated("letter: the computer when it has no name", "This computer");
}

} // namespace brindle::ComputerName
