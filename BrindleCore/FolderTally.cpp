#include "BrindleCore/FolderTally.h"

#include "BrindleCore/Saturating.h"

#include <algorithm>

namespace brindle {

std::int64_t FolderTally::noSecondCopy() const
{
    return saturatingAdd(count(Place::onlyHere), count(Place::onlyICloud));
}

std::int64_t FolderTally::noSecondCopyWithBackup() const
{
    if (!changedSinceBackup)
        return noSecondCopy();
    return saturatingAdd(std::min(count(Place::onlyHere), *changedSinceBackup), count(Place::onlyICloud));
}

std::int64_t FolderTally::changedOnlyHere() const
{
    return std::clamp<std::int64_t>(changedSinceBackup.value_or(0), 0, count(Place::onlyHere));
}

std::int64_t FolderTally::unchangedOnlyHere() const { return count(Place::onlyHere) - changedOnlyHere(); }

void FolderTally::merge(const FolderTally& other)
{
    files = saturatingAdd(files, other.files);
    bytes = saturatingAdd(bytes, other.bytes);
    counts.merge(other.counts);
    sizes.merge(other.sizes);
    kinds.merge(other.kinds);
    changedThisWeek = saturatingAdd(changedThisWeek, other.changedThisWeek);
    if (other.changedSinceBackup)
        changedSinceBackup = saturatingAdd(changedSinceBackup.value_or(0), *other.changedSinceBackup);
    if (other.changedSinceBackupBytes)
        changedSinceBackupBytes = saturatingAdd(changedSinceBackupBytes.value_or(0), *other.changedSinceBackupBytes);
    inICloud = inICloud || other.inICloud;
    unreadableFolders = saturatingAdd(unreadableFolders, other.unreadableFolders);
}

std::vector<std::pair<Segment, double>> FolderTally::segments(bool byFiles) const
{
    const auto value = [&](Place place) { return static_cast<double>(byFiles ? count(place) : size(place)); };
    std::vector<std::pair<Segment, double>> bands;
    if (!changedSinceBackup) {
        bands.emplace_back(Segment::noSecondCopy, value(Place::onlyHere));
    } else {
        const double changed =
            byFiles ? static_cast<double>(std::min(count(Place::onlyHere), *changedSinceBackup))
                    : static_cast<double>(std::min(size(Place::onlyHere), changedSinceBackupBytes.value_or(0)));
        bands.emplace_back(Segment::noSecondCopy, changed);
        bands.emplace_back(Segment::unchangedSinceBackup, std::max(value(Place::onlyHere) - changed, 0.0));
    }
    bands.emplace_back(Segment::twoCopies, value(Place::both));
    bands.emplace_back(Segment::onlyICloud, value(Place::onlyICloud));
    bands.emplace_back(Segment::waiting, value(Place::waiting));
    std::erase_if(bands, [](const auto& band) { return !(band.second > 0); });
    return bands;
}

namespace {
// An enumeration-keyed map is stored as an array alternating raw value and number.
template <typename E> JsonOut encodeCounts(const EnumCounts<E>& counts)
{
    JsonOut array = JsonOut::array();
    counts.forEach([&](E key, std::int64_t value) {
        array.push_back(rawValue(key));
        array.push_back(value);
    });
    return array;
}

template <typename E> std::optional<EnumCounts<E>> decodeCounts(const JsonIn* value)
{
    if (!value || !value->is_array() || value->size() % 2 != 0)
        return std::nullopt;
    EnumCounts<E> counts;
    for (std::size_t i = 0; i < value->size(); i += 2) {
        const JsonIn& key = (*value)[i];
        if (!key.is_string())
            return std::nullopt;
        const auto parsedKey = fromRaw<E>(key.get_ref<const std::string&>());
        const auto number = jsonCount((*value)[i + 1]);
        if (!parsedKey || !number)
            return std::nullopt;
        counts.set(*parsedKey, *number);
    }
    return counts;
}
} // namespace

JsonOut encode(const FolderTally& tally)
{
    JsonOut json = JsonOut::object();
    json["name"] = tally.name;
    json["path"] = tally.path;
    json["files"] = tally.files;
    json["bytes"] = tally.bytes;
    json["counts"] = encodeCounts(tally.counts);
    json["sizes"] = encodeCounts(tally.sizes);
    json["kinds"] = encodeCounts(tally.kinds);
    json["changedThisWeek"] = tally.changedThisWeek;
    putOptional(json, "changedSinceBackup", tally.changedSinceBackup);
    putOptional(json, "changedSinceBackupBytes", tally.changedSinceBackupBytes);
    json["inICloud"] = tally.inICloud;
    if (tally.unreadableFolders != 0)
        json["unreadableFolders"] = tally.unreadableFolders;
    return json;
}

std::optional<FolderTally> decodeFolderTally(const JsonIn& value, DateForm dates)
{
    JsonReader in(value, dates);
    FolderTally tally(in.string("name"), in.string("path"));
    tally.files = in.count("files");
    tally.bytes = in.count("bytes");
    const auto counts = decodeCounts<Place>(in.require("counts"));
    const auto sizes = decodeCounts<Place>(in.require("sizes"));
    const auto kinds = decodeCounts<Kind>(in.require("kinds"));
    tally.changedThisWeek = in.count("changedThisWeek");
    tally.changedSinceBackup = in.optionalCount("changedSinceBackup");
    tally.changedSinceBackupBytes = in.optionalCount("changedSinceBackupBytes");
    tally.inICloud = in.boolean("inICloud");
    tally.unreadableFolders = in.optionalCount("unreadableFolders").value_or(0);
    if (!in.ok() || !counts || !sizes || !kinds)
        return std::nullopt;
    tally.counts = *counts;
    tally.sizes = *sizes;
    tally.kinds = *kinds;
    return tally;
}

} // namespace brindle
