// Arbitrary bytes read as the settings file: never a crash; what reads as settings is written
// back in a form that reads as the same object.
#include "Brindle/app/services/SettingsStore.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto settings = brindle::Settings::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!settings)
        return 0;
    const auto again = brindle::Settings::parse(brindle::Settings::format(*settings));
    // Invalid UTF-8 in strings is replaced when written, so only the shape must survive.
    if (!again || again->size() != settings->size())
        std::abort();
    return 0;
}
