// On Linux the usual backup tools (Back In Time, Timeshift, rsnapshot) keep hard-linked
// snapshots, so a drive without a tool of its own yet must suit them.
#include "BrindleCore/BackupTools.h"

namespace brindle {

BackupTool BackupTools::usual() { return {"your backup tool", FormatNeed::hardLinks, ""}; }

} // namespace brindle
