// Arbitrary bytes read as a machine-info file: never a crash, and a name found is never empty,
// never longer than the cap, and holds no control character.
#include "Brindle/app/services/ComputerName.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto name = brindle::ComputerName::prettyHostname(text)) {
        if (name->empty() || name->size() > brindle::ComputerName::longestName)
            std::abort();
        for (const char c : *name)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
                std::abort();
    }
    return 0;
}
