#include "BrindleCore/CheckSummary.h"

#include "BrindleCore/Saturating.h"

#include <algorithm>

namespace brindle {

CheckSummary::CheckSummary(const CheckResult& result)
{
    const FolderTally total = result.total();
    at = result.checkedAt;
    folders = static_cast<std::int64_t>(result.folders.size());
    files = total.files;
    bytes = total.bytes;
    noSecondCopy = total.noSecondCopyWithBackup();
    onlyHere = total.count(Place::onlyHere);
    onlyICloud = total.count(Place::onlyICloud);
    waiting = total.count(Place::waiting);
    lastBackup = result.lastBackup();
}

FolderTally CheckSummary::tally() const
{
    FolderTally tally("", "");
    tally.files = files;
    tally.counts.set(Place::onlyHere, onlyHere);
    tally.counts.set(Place::onlyICloud, onlyICloud);
    tally.counts.set(Place::waiting, waiting);
    const std::int64_t elsewhere = saturatingAdd(saturatingAdd(onlyHere, onlyICloud), waiting);
    tally.counts.set(Place::both, std::max<std::int64_t>(saturatingSubtract(files, elsewhere), 0));
    if (lastBackup)
        tally.changedSinceBackup = std::max<std::int64_t>(saturatingSubtract(noSecondCopy, onlyICloud), 0);
    return tally;
}

JsonOut encode(const CheckSummary& summary, DateForm dates)
{
    JsonOut json = JsonOut::object();
    json["at"] = encodeInstant(summary.at, dates);
    json["folders"] = summary.folders;
    json["files"] = summary.files;
    json["bytes"] = summary.bytes;
    json["noSecondCopy"] = summary.noSecondCopy;
    json["onlyHere"] = summary.onlyHere;
    json["onlyICloud"] = summary.onlyICloud;
    json["waiting"] = summary.waiting;
    putOptional(json, "lastBackup", summary.lastBackup, dates);
    return json;
}

std::optional<CheckSummary> decodeCheckSummary(const JsonIn& value, DateForm dates)
{
    JsonReader in(value, dates);
    CheckSummary summary;
    summary.at = in.instant("at");
    summary.folders = in.count("folders");
    summary.files = in.count("files");
    summary.bytes = in.count("bytes");
    summary.noSecondCopy = in.count("noSecondCopy");
    summary.onlyHere = in.count("onlyHere");
    summary.onlyICloud = in.count("onlyICloud");
    summary.waiting = in.count("waiting");
    summary.lastBackup = in.optionalInstant("lastBackup");
    return in.ok() ? std::optional(summary) : std::nullopt;
}

} // namespace brindle
