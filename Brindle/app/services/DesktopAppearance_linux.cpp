// The appearance on Linux: the desktop portal's Settings interface, namespace
// "org.freedesktop.appearance", key "color-scheme" (0 no preference, 1 dark, 2 light). Older
// portals wrap the value in one more variant; both forms are read. Calls are asynchronous, so
// a missing or hung portal never holds up the start.
#include "Brindle/app/services/DesktopAppearance.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace brindle {

namespace {

const QString portal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString path = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settings = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearance = QStringLiteral("org.freedesktop.appearance");
const QString colorScheme = QStringLiteral("color-scheme");

// The number inside however many variants wrap it; absent when there is none.
std::optional<uint> schemeNumber(QVariant value)
{
    for (int depth = 0;
         depth < 4 && value.canConvert<QDBusVariant>() && value.userType() == qMetaTypeId<QDBusVariant>(); ++depth)
        value = value.value<QDBusVariant>().variant();
    bool ok = false;
    const uint number = value.toUInt(&ok);
    return ok ? std::optional(number) : std::nullopt;
}

DesktopAppearance::Scheme scheme(uint number)
{
    switch (number) {
    case 1:
        return DesktopAppearance::Scheme::dark;
    case 2:
        return DesktopAppearance::Scheme::light;
    default:
        return DesktopAppearance::Scheme::noPreference;
    }
}

class PortalAppearance final : public DesktopAppearance {
    Q_OBJECT
public:
    void start() override
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected())
            return;
        // QtDBus connects bus signals only to slots named by signature; a slot that takes the
        // message reads the variant whatever depth of wrapping the portal sends.
        bus.connect(portal, path, settings, QStringLiteral("SettingChanged"), this, SLOT(settingChanged(QDBusMessage)));
        QDBusMessage read = QDBusMessage::createMethodCall(portal, path, settings, QStringLiteral("Read"));
        read << appearance << colorScheme;
        auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(read, 2000), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
            call->deleteLater();
            const QDBusMessage reply = call->reply();
            if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
                if (const auto number = schemeNumber(reply.arguments().front()))
                    emit schemeChanged(scheme(*number));
        });
    }

private slots:
    void settingChanged(const QDBusMessage& message)
    {
        const QList<QVariant> arguments = message.arguments();
        if (arguments.size() == 3 && arguments[0].toString() == appearance && arguments[1].toString() == colorScheme)
            if (const auto number = schemeNumber(arguments[2]))
                emit schemeChanged(scheme(*number));
    }
};

} // namespace

std::unique_ptr<DesktopAppearance> makeDesktopAppearance() { return std::make_unique<PortalAppearance>(); }

} // namespace brindle

#include "DesktopAppearance_linux.moc"
