// Arbitrary bytes as a Nextcloud or ownCloud sync journal, read as a check reads one (copied,
// then opened read-only): never a crash, and never more work or memory than the file's size
// allows (-timeout and -rss_limit_mb turn a bomb into a failure).
#include "fuzz/JournalFile.h"

#include "BrindleCore/sync/JournalRead.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto journal = brindle::JournalRead::nextcloud(brindle::fuzz::journalFile(data, size));
    // Every row, and every failing upload, is a path of the file's own bytes, or a column's
    // default set in its schema.
    if (journal && (journal->size() > size || journal->failingUploads().size() > size))
        std::abort();
    return 0;
}
