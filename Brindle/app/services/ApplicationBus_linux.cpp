#include "Brindle/app/services/ApplicationBus.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>

namespace brindle {

namespace {
const QString applicationInterface = QStringLiteral("org.freedesktop.Application");
const QString launchAction = QStringLiteral("launch");
const QString quitAction = QStringLiteral("quit");
constexpr int passTimeoutMs = 5000;
} // namespace

ApplicationBus::ApplicationBus(QDBusConnection bus, QObject* parent) : QObject(parent), bus_(std::move(bus)) {}

ApplicationBus::~ApplicationBus()
{
    if (owned_) {
        bus_.unregisterObject(applicationPath);
        bus_.unregisterService(applicationId);
    }
}

ApplicationBus::Claim ApplicationBus::claim()
{
    if (!bus_.isConnected())
        return Claim::noBus;
    // The object first, so that a caller who sees the name can already reach it.
    if (!bus_.registerObject(applicationPath, this, QDBusConnection::ExportAllSlots))
        return Claim::noBus;
    if (!bus_.registerService(applicationId)) {
        bus_.unregisterObject(applicationPath);
        const bool taken = bus_.interface() && bus_.interface()->isServiceRegistered(applicationId);
        return taken ? Claim::ownedElsewhere : Claim::noBus;
    }
    owned_ = true;
    return Claim::owned;
}

QDBusPendingCall ApplicationBus::pass(QDBusConnection bus, const QStringList& arguments)
{
    QDBusMessage call;
    if (arguments.isEmpty()) {
        call = QDBusMessage::createMethodCall(applicationId, applicationPath, applicationInterface,
                                              QStringLiteral("Activate"));
        call << QVariantMap();
    } else {
        call = QDBusMessage::createMethodCall(applicationId, applicationPath, applicationInterface,
                                              QStringLiteral("ActivateAction"));
        call << launchAction << QVariantList{QVariant::fromValue(QDBusVariant(arguments))} << QVariantMap();
    }
    return bus.asyncCall(call, passTimeoutMs);
}

void ApplicationBus::Activate(const QVariantMap&) { emit activated(); }

void ApplicationBus::Open(const QStringList&, const QVariantMap&) { emit activated(); }

void ApplicationBus::ActivateAction(const QString& name, const QVariantList& parameter, const QVariantMap&)
{
    if (name == quitAction) {
        emit quitRequested();
        return;
    }
    if (name != launchAction)
        return;
    QStringList arguments;
    if (!parameter.isEmpty()) {
        QVariant value = parameter.front();
        if (value.userType() == qMetaTypeId<QDBusVariant>())
            value = value.value<QDBusVariant>().variant();
        arguments = value.toStringList();
    }
    emit argumentsPassed(arguments);
}

} // namespace brindle
