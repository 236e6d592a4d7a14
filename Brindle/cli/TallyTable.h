// The readable table of folder tallies that `brindle scan` and `brindle check` print: one row
// per folder and a last row for all folders together.
#pragma once

#include "BrindleCore/FolderTally.h"

#include <string>
#include <vector>

namespace brindle::cli {

// `total` is the sum of `folders`; its row is "All folders" in the person's language, whatever its
// name. Every row ends with "\n".
std::string tallyTable(const std::vector<FolderTally>& folders, const FolderTally& total);

} // namespace brindle::cli
