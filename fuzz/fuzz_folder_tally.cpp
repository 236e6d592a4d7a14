// Arbitrary bytes decoded as a stored folder tally: never a crash, and whatever decodes
// encodes and decodes again to the same tally.
#include "BrindleCore/FolderTally.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto parsed = brindle::parseJson(text);
    if (parsed.is_discarded())
        return 0;
    const auto tally = brindle::decodeFolderTally(parsed);
    if (!tally)
        return 0;
    const auto again = brindle::decodeFolderTally(brindle::parseJson(brindle::dumpJson(brindle::encode(*tally))));
    // Names with invalid UTF-8 are replaced on writing; everything else must survive.
    if (!again || again->counts != tally->counts || again->files != tally->files)
        std::abort();
    (void)tally->segments(true);
    (void)tally->noSecondCopyWithBackup();
    return 0;
}
