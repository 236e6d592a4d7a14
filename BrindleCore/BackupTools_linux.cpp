// On Linux the usual backup tools (Back In Time, Timeshift, rsnapshot) keep hard-linked
// snapshots, so a drive without a tool of its own yet must suit them.
#include "BrindleCore/BackupTools.h"

#include "BrindleCore/Translation.h"

namespace brindle {

BackupTool BackupTools::usual()
{
    // The name outlives every tool taken from here; the language is chosen before the first call.
    static const std::string name = translated("backup tool: the name when none is known", "your backup tool");
    return {name, FormatNeed::hardLinks, ""};
}

} // namespace brindle
