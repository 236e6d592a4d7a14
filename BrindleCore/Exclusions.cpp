#include "BrindleCore/Exclusions.h"

#include <fnmatch.h>

namespace brindle {

namespace {
bool hasWildcard(std::string_view text) { return text.find_first_of("*?[\\") != std::string_view::npos; }
} // namespace

Exclusions::Exclusions(const std::string& root, const std::vector<std::string>& folders,
                       const std::vector<std::string>& namePatterns)
{
    for (const std::string& folder : folders) {
        struct stat status;
        if (folder.size() > root.size() + 1 && folder.starts_with(root) && folder[root.size()] == '/' &&
            !hasWildcard(folder) && ::lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
            folders_.insert(identityOf(status));
    }
    for (const std::string& pattern : namePatterns) {
        if (pattern.empty() || pattern.find('/') != std::string::npos)
            continue;
        if (!hasWildcard(pattern))
            names_.insert(pattern);
        else if (pattern.size() > 2 && pattern[0] == '*' && pattern[1] == '.' && !hasWildcard(pattern.substr(1)))
            endings_.insert(pattern.substr(1));
        else
            patterns_.push_back(pattern);
    }
}

bool Exclusions::excludes(std::string_view name, const struct stat& status) const
{
    if (S_ISDIR(status.st_mode) && !folders_.empty() && folders_.contains(identityOf(status)))
        return true;
    if (!names_.empty() && names_.contains(name))
        return true;
    if (!endings_.empty())
        if (const auto dot = name.rfind('.');
            dot != std::string_view::npos && dot > 0 && endings_.contains(name.substr(dot)))
            return true;
    for (const std::string& pattern : patterns_)
        if (::fnmatch(pattern.c_str(), std::string(name).c_str(), FNM_PERIOD) == 0)
            return true;
    return false;
}

} // namespace brindle
