// Arbitrary bytes read by the backup layouts' readers of names and small files; the first
// byte chooses the reader. Never a crash or a hang, and what comes back is consistent.
#include "BrindleCore/backups/Formats.h"

#include <cstdint>
#include <cstdlib>

using namespace brindle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    static const Calendar london = Calendar::named("Europe/London").value_or(Calendar::utc());
    switch (data[0] % 8) {
    case 0:
        (void)BackupFormats::backInTimeName(text, london);
        break;
    case 1:
        if (const auto changes = BackupFormats::backInTimeChanges(text); changes && *changes < 0)
            std::abort();
        break;
    case 2:
        (void)BackupFormats::timeshiftName(text);
        (void)BackupFormats::timeshiftCreated(text);
        break;
    case 3:
        (void)BackupFormats::duplicityManifest(text);
        break;
    case 4:
        (void)BackupFormats::rdiffTime(text);
        break;
    case 5:
        if (const auto backup = BackupFormats::rdiffStatistics(text);
            backup && (!backup->started || backup->date < *backup->started))
            std::abort();
        break;
    case 6:
        (void)BackupFormats::borgReadme(text);
        (void)BackupFormats::borgConfig(text);
        (void)BackupFormats::borgSegmentEncrypted(text);
        break;
    case 7:
        (void)BackupFormats::rsnapshotIndex(text);
        break;
    }
    return 0;
}
