// LeftOutItems: what a backup tool leaves out of the checked folders, in the words that the
// window's findings, the letter and the command line all use: a folder it does not take by
// its name ("Pictures"), a folder inside one it takes by that name and the rest of its path
// ("Documents/Cache"), a name pattern as "every .iso file" or "every “*~”".
//
// Pure functions of their arguments (nothing is looked up on disk); any thread.
#pragma once

#include "BrindleCore/FolderTally.h"

#include <functional>
#include <string>
#include <vector>

namespace brindle::LeftOutItems {

// `rules`: absolute folder paths (a trailing "/*" or "/**" is the folder's contents, the
// same thing here) and name patterns without "/"; other rules are not named. Folders come in
// the order of `folders`, each left out by its name or followed by the rules inside it; then
// the name patterns, in the rules' order, named only when some folder is taken.
std::vector<std::string> worded(const std::vector<FolderTally>& folders, const std::vector<std::string>& rules,
                                const std::function<bool(const FolderTally&)>& taken);

// A rule as the check applies it: without a trailing "/*" or "/**".
std::string folderOfRule(std::string rule);

} // namespace brindle::LeftOutItems
