#include "BrindleCore/Watch.h"

#include "BrindleCore/StaleSpan.h"
#include "BrindleCore/Words.h"

namespace brindle {

namespace {
constexpr std::array<std::string_view, 3> noteNames{"backupOld", "driveAway", "moreWithout"};
constexpr auto quiet = std::chrono::seconds{static_cast<std::int64_t>(Watch::quietDays * secondsPerDay)};
constexpr auto oneDay = std::chrono::seconds{secondsPerDay};

WatchNote makeNote(const Guide& guide, WatchNote::ID id, std::int64_t count, const PhraseValues& values)
{
    const GuideNote& note = guide.note(std::string(rawValue(id)));
    return {id, note.title.text(count, values), note.body.text(count, values)};
}
} // namespace

std::string_view rawValue(WatchNote::ID id) { return noteNames[static_cast<std::size_t>(id)]; }

std::optional<WatchNote::ID> watchNoteIDFromRaw(std::string_view text)
{
    for (const WatchNote::ID id : WatchNote::allIDs)
        if (rawValue(id) == text)
            return id;
    return std::nullopt;
}

JsonOut encode(const WatchSettings& settings)
{
    JsonOut json = JsonOut::object();
    json["weekly"] = settings.weekly;
    json["oldBackup"] = settings.oldBackup;
    json["driveAway"] = settings.driveAway;
    json["moreWithout"] = settings.moreWithout;
    return json;
}

std::optional<WatchSettings> decodeWatchSettings(const JsonIn& value)
{
    JsonReader in(value, DateForm::referenceSeconds);
    const WatchSettings settings{in.boolean("weekly"), in.boolean("oldBackup"), in.boolean("driveAway"),
                                 in.boolean("moreWithout")};
    return in.ok() ? std::optional(settings) : std::nullopt;
}

bool Watch::checkDue(std::optional<Instant> lastCheck, Instant now)
{
    return !lastCheck || now - *lastCheck >= staleSpan;
}

bool Watch::grewEnough(std::int64_t from, std::int64_t to)
{
    const std::int64_t growth = to - from;
    return growth >= 50 && static_cast<double>(from) * 0.1 <= static_cast<double>(growth);
}

std::vector<WatchNote> Watch::notes(const CheckResult& result, const std::optional<CheckSummary>& previous,
                                    const WatchSettings& settings, const SentNotes& sent, const Guide& guide,
                                    Instant now, const Calendar& calendar)
{
    const int hour = calendar.local(now).hour;
    if (hour < nightEnds || hour >= nightStarts)
        return {};
    // Sent less than a day ago, or dated in the future: nothing at all.
    for (const auto& [id, when] : sent)
        if (now - when < oneDay)
            return {};
    const auto isQuiet = [&](WatchNote::ID id) {
        const auto it = sent.find(std::string(rawValue(id)));
        return it != sent.end() && now - it->second < quiet;
    };
    const auto when = [&](Instant moment, bool relative) { return Words::when(moment, now, calendar, relative); };

    std::vector<WatchNote> candidates;
    const std::optional<DriveState>& drive = result.drive;
    if (drive) {
        if (drive->awayLong(now)) {
            if (settings.driveAway && !isQuiet(WatchNote::ID::driveAway))
                candidates.push_back(makeNote(guide, WatchNote::ID::driveAway, 0,
                                              {{"drive", drive->facts.name}, {"when", when(*drive->lastSeen, false)}}));
        } else if (settings.oldBackup && drive->backupOld(now)) {
            if (!isQuiet(WatchNote::ID::backupOld))
                candidates.push_back(
                    makeNote(guide, WatchNote::ID::backupOld, 0,
                             {{"drive", drive->facts.name}, {"when", when(*drive->lastBackup(), true)}}));
        }
    }
    const std::optional<Instant> lastBackup = result.lastBackup();
    if (settings.moreWithout && previous && previous->folders == static_cast<std::int64_t>(result.folders.size()) &&
        previous->lastBackup.has_value() == lastBackup.has_value()) {
        const std::int64_t nowCount = result.total().noSecondCopyWithBackup();
        const std::int64_t before = previous->noSecondCopy;
        if (grewEnough(before, nowCount) && !isQuiet(WatchNote::ID::moreWithout))
            candidates.push_back(makeNote(guide, WatchNote::ID::moreWithout, nowCount - before,
                                          {{"total", Words::count(nowCount)},
                                           {"before", Words::count(before)},
                                           {"when", when(previous->at, false)}}));
    }
    if (candidates.size() > 1)
        candidates.resize(1);
    return candidates;
}

} // namespace brindle
