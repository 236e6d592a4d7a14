#include "BrindleCore/LeftOutItems.h"

#include "BrindleCore/Paths.h"
#include "BrindleCore/Translation.h"

#include <algorithm>

namespace brindle::LeftOutItems {

std::string folderOfRule(std::string rule)
{
    for (const std::string_view contents : {"/**", "/*"})
        if (rule.size() > contents.size() && rule.ends_with(contents))
            rule.resize(rule.size() - contents.size());
    return rule;
}

std::vector<std::string> worded(const std::vector<FolderTally>& folders, const std::vector<std::string>& rules,
                                const std::function<bool(const FolderTally&)>& taken)
{
    std::vector<std::string> items;
    const auto add = [&](std::string item) {
        if (std::find(items.begin(), items.end(), item) == items.end())
            items.push_back(std::move(item));
    };
    bool anyTaken = false;
    for (const FolderTally& folder : folders) {
        if (!taken(folder)) {
            add(folder.name);
            continue;
        }
        anyTaken = true;
        const std::string path = withoutTrailingSlashes(folder.path);
        for (const std::string& stated : rules) {
            const std::string rule = folderOfRule(stated);
            if (rule.size() > path.size() + 1 && rule.starts_with(path) && rule[path.size()] == '/')
                add(folder.name + rule.substr(path.size()));
        }
    }
    if (!anyTaken)
        return items;
    for (const std::string& rule : rules) {
        if (rule.empty() || rule.find('/') != std::string::npos)
            continue;
        const bool ending =
            rule.size() > 2 && rule.starts_with("*.") && rule.find_first_of("*?[\\", 1) == std::string::npos;
        // TRANSLATORS: {extension} is a file name's ending, such as .iso; {pattern} a name pattern.
        add(ending ? fill(translated("what a backup tool leaves out", "every {extension} file"),
                          {{"extension", rule.substr(1)}})
                   : fill(translated("what a backup tool leaves out", "every \u201c{pattern}\u201d"),
                          {{"pattern", rule}}));
    }
    return items;
}

} // namespace brindle::LeftOutItems
