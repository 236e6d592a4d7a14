// Arbitrary bytes read as a grant token: never a crash, and whatever decodes round-trips.
#include "Brindle/app/services/GrantToken.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto token = brindle::decodeGrantTokenText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (token && brindle::decodeGrantTokenText(brindle::encodeGrantTokenText(*token)) != token)
        std::abort();
    return 0;
}
