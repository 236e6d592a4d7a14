// Arbitrary bytes read as the last-result file: never a crash, and whatever decodes encodes
// and decodes again.
#include "BrindleCore/CheckResult.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto result = brindle::decodeCheckResultText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!result)
        return 0;
    const auto again = brindle::decodeCheckResultText(brindle::encodeCheckResultText(*result));
    if (!again || again->folders.size() != result->folders.size() || again->checkedAt != result->checkedAt)
        std::abort();
    (void)result->total();
    return 0;
}
