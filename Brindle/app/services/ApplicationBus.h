// ApplicationBus: this program's one instance on the session bus. The running instance owns
// the name `app.brindle.Brindle` and answers org.freedesktop.Application at
// `/app/brindle/Brindle`, which is also how the desktop starts it (D-Bus activation). A second
// launch finds the name taken and hands its launch arguments to the first instead.
//
// Signals are emitted on the main thread, from the event loop, when a call arrives:
// `activated` for Activate and Open, `argumentsPassed` for the "launch" action (the launch
// arguments of a later start), `quitRequested` for the "quit" action.
#pragma once

#include <QDBusConnection>
#include <QDBusPendingCall>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

namespace brindle {

inline const QString applicationId = QStringLiteral("app.brindle.Brindle");
inline const QString applicationPath = QStringLiteral("/app/brindle/Brindle");

class ApplicationBus final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    enum class Claim { owned, ownedElsewhere, noBus };

    explicit ApplicationBus(QDBusConnection bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);
    ~ApplicationBus() override;

    // Takes the name and starts answering; `ownedElsewhere` when another instance has it.
    Claim claim();

    // Asks the instance that owns the name to show itself with `arguments` (launch
    // arguments, possibly none). The call is asynchronous; wait on it for the answer.
    static QDBusPendingCall pass(QDBusConnection bus, const QStringList& arguments);

public slots:
    // org.freedesktop.Application.
    void Activate(const QVariantMap& platformData);
    void Open(const QStringList& uris, const QVariantMap& platformData);
    void ActivateAction(const QString& name, const QVariantList& parameter, const QVariantMap& platformData);

signals:
    void activated();
    void argumentsPassed(const QStringList& arguments);
    void quitRequested();

private:
    QDBusConnection bus_;
    bool owned_ = false;
};

} // namespace brindle
