// Notifications: one on screen per identifier ("backupOld", "driveAway", "moreWithout"); a
// newer one of the same identifier replaces the older.
//
// Posting never blocks and reports nothing: with no notification service, notes are dropped
// quietly. Clicking a notification emits `activated` with its identifier. `askPermission`
// emits `permissionAnswered` once, later, from the event loop: true when a notification
// service answers (there is no permission to grant on this system).
//
// Lives on the main thread; signals are emitted from its event loop.
#pragma once

#include <QObject>
#include <QString>

#include <memory>

namespace brindle {

class Notifier : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void post(const QString& identifier, const QString& title, const QString& body) = 0;
    virtual void askPermission() = 0;

signals:
    void activated(const QString& identifier);
    void permissionAnswered(bool granted);
};

// Notifications through the desktop's notification service on the session bus.
std::unique_ptr<Notifier> makeNotifier();

} // namespace brindle
