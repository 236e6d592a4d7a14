// Arbitrary bytes as a Back In Time takesnapshot.log.bz2, read as a drive read reads it, with
// a decompression budget. Never a crash, a hang or a bomb's cost: the budget is never
// overdrawn, and what comes back is consistent.
#include "BrindleCore/backups/Formats.h"

#include <cstdint>
#include <cstdlib>

using namespace brindle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view compressed(reinterpret_cast<const char*>(data), size);
    DecompressionBudget budget;
    budget.bytesLeft = 4u << 20;
    const auto changes = BackupFormats::backInTimeChanges(compressed, &budget);
    if (changes && *changes < 0)
        std::abort();
    // Without a budget only the log's own caps hold; with one, a log that spends it all reads as nothing.
    if (changes && budget.bytesLeft == 0)
        std::abort();
    return 0;
}
