#include "BrindleCore/History.h"

#include "BrindleCore/Store.h"
#include "BrindleCore/Translation.h"

namespace brindle {

History openHistory(const std::string& path, std::chrono::milliseconds lockWait)
{
    return History(
        path, [](const CheckSummary& summary) { return encode(summary); },
        [](const JsonIn& value) { return decodeCheckSummary(value); }, lockWait);
}

Recorded recordCheck(const CheckResult& result, const std::string& lastCheckPath, History& history,
                     std::vector<CheckSummary>& inMemory, Instant now)
{
    Recorded recorded;
    recorded.saved = Store::saveLast(result, lastCheckPath, &recorded.saveError);
    if (result.folders.empty())
        return recorded;
    if (!inMemory.empty())
        recorded.previous = inMemory.back();
    if (!recorded.saved) {
        recorded.historyError = translated("file error", "no line is added for a result that was not saved");
        return recorded;
    }
    const CheckSummary summary(result);
    recorded.appended = history.append(summary, &recorded.historyError);
    inMemory.push_back(summary);

    const auto keepFor = std::chrono::seconds{std::int64_t{Store::historyDays} * secondsPerDay};
    if (inMemory.size() > 1 && now - inMemory.front().at > keepFor) {
        history.prune([&](const CheckSummary& line) { return now - line.at < keepFor; });
        inMemory = history.all();
    }
    return recorded;
}

} // namespace brindle
