#include "BrindleCore/Guide.h"
#include "BrindleCore/Paths.h"
#include "BrindleCore/ResourceBundle.h"

namespace brindle {

std::vector<std::string> resourceBundleCandidates()
{
    const std::string folder = executableFolder();
    std::vector<std::string> candidates;
    if (!folder.empty()) {
        candidates.push_back(folder + "/" + BRINDLE_BUNDLE_FROM_EXECUTABLE);
        candidates.push_back(folder + "/" + BRINDLE_BUNDLE_FROM_LIBEXEC);
    }
    candidates.push_back(BRINDLE_BUILD_BUNDLE_DIR);
    if (!folder.empty())
        candidates.push_back(folder + "/" + guideBundleName);
    return candidates;
}

std::optional<std::string> findResourceBundle()
{
    for (const std::string& candidate : resourceBundleCandidates())
        if (isDirectory(candidate))
            return candidate;
    return std::nullopt;
}

} // namespace brindle
