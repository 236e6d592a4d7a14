#include "Brindle/app/model/KeepWatch.h"

#include "Brindle/app/model/StoredSettings.h"
#include "Brindle/app/services/SettingsKeys.h"

namespace brindle {

KeepWatch::KeepWatch(Services services, const Guide& guide, bool demo, QObject* parent)
    : QObject(parent), services_(std::move(services)), guide_(guide), demo_(demo),
      watch_(Stored::watch(services_.settings).value_or(WatchSettings{}))
{
    connect(&services_.schedule, &RepeatingTimer::fired, this, &KeepWatch::tick);
    connect(&services_.notifier, &Notifier::activated, this, &KeepWatch::noteOpened);
}

void KeepWatch::setWatch(const WatchSettings& watch)
{
    if (watch == watch_)
        return;
    const bool notifiedBefore = watch_.anyNote();
    watch_ = watch;
    emit watchChanged();
    Stored::saveWatch(services_.settings, watch_);
    follow();
    if (watch_.anyNote() && !notifiedBefore)
        services_.notifier.askPermission();
}

void KeepWatch::follow()
{
    if (watch_.anything() && !demo_)
        services_.schedule.start();
    else
        services_.schedule.stop();
}

void KeepWatch::tick()
{
    if (demo_)
        return;
    if (watch_.weekly && Watch::checkDue(services_.lastCheck(), services_.clock()))
        emit checkWanted();
    else
        emit drivesWanted();
}

void KeepWatch::sendNotes(const CheckResult& result, const std::optional<CheckSummary>& previous)
{
    if (!watch_.anyNote() || demo_)
        return;
    Stored::Dates sent = Stored::dates(services_.settings, settingKeys::notesSent);
    const Instant now = services_.clock();
    const SentNotes sentNotes(sent.begin(), sent.end());
    const std::vector<WatchNote> notes =
        Watch::notes(result, previous, watch_, sentNotes, guide_, now, services_.calendar());
    if (notes.empty())
        return;
    for (const WatchNote& note : notes) {
        const std::string identifier(rawValue(note.id));
        services_.notifier.post(QString::fromStdString(identifier), QString::fromStdString(note.title),
                                QString::fromStdString(note.body));
        sent[identifier] = now;
    }
    Stored::saveDates(services_.settings, settingKeys::notesSent, sent);
}

} // namespace brindle
