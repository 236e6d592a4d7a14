// Arbitrary bytes read as a history file: never a crash, and every line that decodes
// encodes to one compact line that decodes to the same summary.
#include "BrindleCore/History.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const brindle::History history = brindle::openHistory("/nonexistent/brindle-fuzz/history.jsonl");
    for (const brindle::CheckSummary& summary :
         history.decode(std::string_view(reinterpret_cast<const char*>(data), size))) {
        const std::string line = brindle::dumpJson(brindle::encode(summary));
        if (line.find('\n') != std::string::npos || brindle::decodeCheckSummary(brindle::parseJson(line)) != summary)
            std::abort();
        (void)summary.tally().noSecondCopyWithBackup();
    }
    return 0;
}
