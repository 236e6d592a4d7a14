// The desktop's appearance from a portal on a private session bus: the first answer, in both
// the wrapped and the plain form portals give, and a switch while running.
#include "Brindle/app/services/DesktopAppearance.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QSignalSpy>
#include <QTest>

using namespace brindle;

// The part of the desktop portal that answers for settings.
class FakePortal final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")
public:
    uint scheme = 1;
    bool wrapped = true;

public slots:
    QDBusVariant Read(const QString& group, const QString& key)
    {
        if (group != "org.freedesktop.appearance" || key != "color-scheme")
            return QDBusVariant(QVariant());
        const QVariant value = QVariant::fromValue(scheme);
        return wrapped ? QDBusVariant(QVariant::fromValue(QDBusVariant(value))) : QDBusVariant(value);
    }
};

class DesktopAppearanceTest final : public QObject {
    Q_OBJECT
private slots:
    void followsThePortal()
    {
        using Scheme = DesktopAppearance::Scheme;
        qRegisterMetaType<Scheme>();
        FakePortal portal;
        // The portal is another program: it has a connection of its own.
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "portal");
        QVERIFY(bus.registerObject("/org/freedesktop/portal/desktop", &portal, QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService("org.freedesktop.portal.Desktop"));

        for (const bool wrapped : {true, false}) {
            portal.wrapped = wrapped;
            const auto appearance = makeDesktopAppearance();
            QSignalSpy changed(appearance.get(), &DesktopAppearance::schemeChanged);
            appearance->start();
            QVERIFY(changed.wait(5000));
            QCOMPARE(changed.takeFirst().front().value<Scheme>(), Scheme::dark);
            if (!wrapped)
                continue;
            QDBusMessage signal = QDBusMessage::createSignal("/org/freedesktop/portal/desktop",
                                                             "org.freedesktop.portal.Settings", "SettingChanged");
            signal << QString("org.freedesktop.appearance") << QString("color-scheme")
                   << QVariant::fromValue(QDBusVariant(QVariant::fromValue(2u)));
            QVERIFY(bus.send(signal));
            QVERIFY(changed.wait(5000));
            QCOMPARE(changed.takeFirst().front().value<Scheme>(), Scheme::light);
        }
    }
};

QTEST_GUILESS_MAIN(DesktopAppearanceTest)
#include "DesktopAppearanceTest.moc"
