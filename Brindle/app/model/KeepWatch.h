// KeepWatch: the keep-watch switches and what they do between checks: the weekly check, and
// the notes about an old backup, a drive away too long and more files with no second copy.
//
// On every tick of the schedule a weekly watch that finds the last check a week old asks for a
// check (`checkWanted`); otherwise it asks for the drives to be read again (`drivesWanted`),
// after which the owner hands the result to `sendNotes`, unless a check runs or the reading
// starts one: the notes are then decided on that check's result, when it is kept, never on
// the result it is about to replace. A note is posted at most once per kind and period, as
// the settings remember. A demonstration keeps no schedule and sends no note.
//
// Threads: lives on the main thread; every member is called there and every signal is emitted
// there. Errors: a failed write of the settings is not reported (the next write tries again).
#pragma once

#include "Brindle/app/services/Notifier.h"
#include "Brindle/app/services/SettingsStore.h"
#include "Brindle/app/services/Timers.h"
#include "BrindleCore/Calendar.h"
#include "BrindleCore/CheckResult.h"
#include "BrindleCore/Guide.h"
#include "BrindleCore/History.h"
#include "BrindleCore/Watch.h"

#include <QObject>

#include <functional>
#include <optional>

namespace brindle {

class KeepWatch final : public QObject {
    Q_OBJECT
public:
    struct Services {
        SettingsStore& settings;
        RepeatingTimer& schedule;
        Notifier& notifier;
        std::function<Instant()> clock;
        std::function<Calendar()> calendar;
        // When the last check ran; absent before the first.
        std::function<std::optional<Instant>()> lastCheck;
    };

    // Starts with the switches as stored; the schedule waits for `follow`.
    KeepWatch(Services services, const Guide& guide, bool demo, QObject* parent = nullptr);

    const WatchSettings& watch() const { return watch_; }
    // Stored at once; the schedule starts or stops; turning on the first notifying switch
    // asks for permission to notify.
    void setWatch(const WatchSettings& watch);
    // Starts the schedule when something is watched, else stops it.
    void follow();
    void tick();
    // Posts the notes that `result` calls for, compared with the check before it.
    void sendNotes(const CheckResult& result, const std::optional<CheckSummary>& previous);

signals:
    void watchChanged();
    void checkWanted();
    void drivesWanted();
    // The person clicked a note.
    void noteOpened();

private:
    Services services_;
    const Guide& guide_;
    bool demo_;
    WatchSettings watch_;
};

} // namespace brindle
