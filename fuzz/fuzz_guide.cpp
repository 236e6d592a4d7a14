// Arbitrary bytes decoded as a guide: never a crash, and a guide that decodes fills every
// phrase it holds without trouble.
#include "BrindleCore/Guide.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto decoded = brindle::decodeGuideText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!decoded.guide)
        return 0;
    const brindle::PhraseValues values{{"n", "1"}, {"name", "{name}"}, {"when", "today at 09:05"}};
    for (const auto& [key, phrase] : decoded.guide->answers)
        (void)phrase.text(1, values);
    for (const auto& finding : decoded.guide->findings)
        (void)finding.title.text(-5, values);
    return 0;
}
