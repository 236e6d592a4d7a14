// Keep-watch rules: whether a weekly check is due, and which single note, if any, a check
// warrants: never at night, at most one a day, the same note at most about once a week.
//
// Pure functions of their arguments, safe on any thread. The memory of what was sent lives
// with the caller (`sent`), as do the settings and the previous history line.
#pragma once

#include "BrindleCore/Calendar.h"
#include "BrindleCore/CheckResult.h"
#include "BrindleCore/CheckSummary.h"
#include "BrindleCore/Guide.h"

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

struct WatchSettings {
    bool weekly = false;
    bool oldBackup = false;
    bool driveAway = false;
    bool moreWithout = false;

    bool anyNote() const { return oldBackup || driveAway || moreWithout; }
    bool anything() const { return anyNote() || weekly; }

    friend bool operator==(const WatchSettings&, const WatchSettings&) = default;
};

JsonOut encode(const WatchSettings& settings);
// All four keys are required; anything else fails the decode.
std::optional<WatchSettings> decodeWatchSettings(const JsonIn& value);

struct WatchNote {
    enum class ID { backupOld, driveAway, moreWithout };
    static constexpr std::array<ID, 3> allIDs{ID::backupOld, ID::driveAway, ID::moreWithout};

    ID id;
    std::string title;
    std::string body;

    friend bool operator==(const WatchNote&, const WatchNote&) = default;
};

std::string_view rawValue(WatchNote::ID id);
std::optional<WatchNote::ID> watchNoteIDFromRaw(std::string_view text);

// When each note was last sent, by the raw value of its id.
using SentNotes = std::map<std::string, Instant>;

namespace Watch {

inline constexpr double quietDays = 6.5;
inline constexpr int nightStarts = 22;
inline constexpr int nightEnds = 8;

// Due when there was no check yet, or the last was a week or more ago.
bool checkDue(std::optional<Instant> lastCheck, Instant now);
// At least 50 more, and at least a tenth more than before.
bool grewEnough(std::int64_t from, std::int64_t to);

// At most one note: a drive note before a growth note. The hour of `now` is read in
// `calendar`, and the notes' moments are worded in it too.
std::vector<WatchNote> notes(const CheckResult& result, const std::optional<CheckSummary>& previous,
                             const WatchSettings& settings, const SentNotes& sent, const Guide& guide, Instant now,
                             const Calendar& calendar);

} // namespace Watch

} // namespace brindle
