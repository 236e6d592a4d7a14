#include "BrindleCore/Drive.h"
#include "BrindleCore/PropertyList.h"

#include <sys/stat.h>

#include <algorithm>

namespace brindle {

std::vector<Backup> Drive::parseManifest(std::string_view data)
{
    const auto root = readPropertyList(data, PlistLimits{.maxBytes = limits::manifestBytes});
    if (!root || root->type != PlistNode::Type::array)
        return {};
    std::vector<Backup> backups;
    const auto& items = root->items;
    for (std::size_t i = 0; i < items.size();) {
        if (items[i].type != PlistNode::Type::date) {
            ++i;
            continue;
        }
        Backup backup{items[i].date, std::nullopt, std::nullopt, std::nullopt};
        if (i + 1 < items.size() && items[i + 1].type == PlistNode::Type::dictionary) {
            const PlistNode& details = items[i + 1];
            if (const PlistNode* start = details.find("startDate"); start && start->type == PlistNode::Type::date)
                backup.started = start->date;
            const PlistNode* stats = details.find("stats");
            const PlistNode* changed =
                stats && stats->type == PlistNode::Type::dictionary ? stats->find("changed") : nullptr;
            if (changed && changed->type == PlistNode::Type::dictionary) {
                // A negative count or size is no count at all.
                const auto amount = [](const PlistNode* node) {
                    const auto number = node ? node->number() : std::nullopt;
                    return number && *number >= 0 ? number : std::nullopt;
                };
                backup.changedItems = amount(changed->find("count"));
                backup.changedBytes = amount(changed->find("logicalSize"));
            }
            i += 2;
        } else {
            i += 1;
        }
        backups.push_back(backup);
    }
    std::stable_sort(backups.begin(), backups.end(), [](const Backup& a, const Backup& b) { return a.date < b.date; });
    return backups;
}

TimeMachineFacts TimeMachine::facts(const std::string& path)
{
    struct stat status;
    if (::stat(path.c_str(), &status) != 0)
        return {};
    const Instant modified{std::chrono::seconds{status.st_mtim.tv_sec} +
                           std::chrono::microseconds{status.st_mtim.tv_nsec / 1000}};
    return {static_cast<std::int64_t>(status.st_size), modified};
}

} // namespace brindle
