// Arbitrary bytes read as stored keep-watch settings: never a crash, and whatever decodes
// round-trips.
#include "BrindleCore/Watch.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto parsed = brindle::parseJson(std::string_view(reinterpret_cast<const char*>(data), size));
    if (parsed.is_discarded())
        return 0;
    const auto settings = brindle::decodeWatchSettings(parsed);
    if (settings &&
        brindle::decodeWatchSettings(brindle::parseJson(brindle::dumpJson(brindle::encode(*settings)))) != settings)
        std::abort();
    return 0;
}
