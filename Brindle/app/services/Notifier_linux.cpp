// Notifications on Linux: org.freedesktop.Notifications on the session bus. The id the service
// gave the last notification of an identifier goes back as `replaces_id`; every call is
// asynchronous, so a missing or hung service never holds up the caller.
#include "Brindle/app/services/Notifier.h"

#include "BrindleCore/Translation.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QHash>
#include <QTimer>

#include <optional>

namespace brindle {

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");

struct Note {
    QString title;
    QString body;
};

class DBusNotifier final : public Notifier {
    Q_OBJECT
public:
    DBusNotifier() : bus_(QDBusConnection::sessionBus())
    {
        // QtDBus connects bus signals only to slots named by signature.
        bus_.connect(service, path, interface, QStringLiteral("ActionInvoked"), this,
                     SLOT(actionInvoked(uint, QString)));
        bus_.connect(service, path, interface, QStringLiteral("NotificationClosed"), this,
                     SLOT(notificationClosed(uint, uint)));
    }

    void post(const QString& identifier, const QString& title, const QString& body) override
    {
        if (!bus_.isConnected())
            return;
        // Until the service has answered with the id of the previous one, a new note of the
        // same identifier would appear beside it: hold the newest back instead.
        if (waiting_.contains(identifier)) {
            waiting_[identifier] = Note{title, body};
            return;
        }
        send(identifier, Note{title, body});
    }

    void askPermission() override
    {
        if (!bus_.isConnected()) {
            QTimer::singleShot(0, this, [this] { emit permissionAnswered(false); });
            return;
        }
        const auto call = bus_.asyncCall(
            QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("GetServerInformation")));
        auto* watcher = new QDBusPendingCallWatcher(call, this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* finished) {
            finished->deleteLater();
            emit permissionAnswered(!finished->isError());
        });
    }

private slots:
    void actionInvoked(uint id, const QString& /*action*/)
    {
        // Only the default action is offered; any action of ours means "open".
        const QString identifier = ids_.key(id);
        if (!identifier.isEmpty())
            emit activated(identifier);
    }

    void notificationClosed(uint id, uint /*reason*/)
    {
        const QString identifier = ids_.key(id);
        if (!identifier.isEmpty())
            ids_.remove(identifier);
    }

private:
    void send(const QString& identifier, const Note& note)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Notify"));
        const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("app.brindle.Brindle")}};
        message << QStringLiteral("Brindle") << ids_.value(identifier, 0u) << QStringLiteral("app.brindle.Brindle")
                << note.title << note.body
                << QStringList{QStringLiteral("default"),
                               QString::fromStdString(translated("notification: action", "Open Brindle"))}
                << hints << -1;
        waiting_.insert(identifier, std::nullopt);
        auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(message), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this,
                [this, identifier](QDBusPendingCallWatcher* finished) {
                    finished->deleteLater();
                    const QDBusPendingReply<uint> reply = *finished;
                    if (reply.isValid())
                        ids_.insert(identifier, reply.value());
                    const std::optional<Note> next = waiting_.take(identifier);
                    if (next)
                        send(identifier, *next);
                });
    }

    QDBusConnection bus_;
    QHash<QString, uint> ids_;
    // Identifiers with a call under way → the newest note held back behind it.
    QHash<QString, std::optional<Note>> waiting_;
};

} // namespace

std::unique_ptr<Notifier> makeNotifier() { return std::make_unique<DBusNotifier>(); }

} // namespace brindle

#include "Notifier_linux.moc"
