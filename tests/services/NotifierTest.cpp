// The notifier against a small notification service of the test's own, on the private session
// bus this test runs under (dbus-run-session).
#include "Brindle/app/services/Notifier.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

namespace brindle {

const QString busName = QStringLiteral("org.freedesktop.Notifications");
const QString objectPath = QStringLiteral("/org/freedesktop/Notifications");

class FakeNotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Call {
        uint replacesId;
        QString summary;
        QString body;
        QStringList actions;
        QString appName;
    };
    QList<Call> calls;
    uint nextId = 41;

    explicit FakeNotificationService(QDBusConnection bus) : bus_(bus) {}

    void emitSignal(const QString& name, const QVariantList& arguments)
    {
        QDBusMessage message = QDBusMessage::createSignal(objectPath, busName, name);
        message.setArguments(arguments);
        bus_.send(message);
    }

public slots:
    uint Notify(const QString& appName, uint replacesId, const QString& /*icon*/, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& /*hints*/, int /*timeout*/)
    {
        calls.append({replacesId, summary, body, actions, appName});
        return replacesId != 0 ? replacesId : ++nextId;
    }
    QString GetServerInformation(QString& vendor, QString& version, QString& specVersion)
    {
        vendor = QStringLiteral("test");
        version = QStringLiteral("1");
        specVersion = QStringLiteral("1.2");
        return QStringLiteral("fake");
    }

private:
    QDBusConnection bus_;
};

class NotifierTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("no session bus: run this test under dbus-run-session");
        // A notification daemon the bus could start would take the notes of the case without a
        // service, late, and hand them to the next case's fake.
        QVERIFY2(!QDBusConnection::sessionBus().interface()->activatableServiceNames().value().contains(busName),
                 "the bus would start an installed notification service");
    }

    void withoutAServiceNotesAreDroppedAtOnce()
    {
        QVERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(busName));
        const auto notifier = makeNotifier();
        QSignalSpy answered(notifier.get(), &Notifier::permissionAnswered);
        QElapsedTimer elapsed;
        elapsed.start();
        notifier->post(QStringLiteral("backupOld"), QStringLiteral("t"), QStringLiteral("b"));
        notifier->post(QStringLiteral("backupOld"), QStringLiteral("t"), QStringLiteral("b"));
        notifier->askPermission();
        QVERIFY(elapsed.elapsed() < 100);
        QTRY_COMPARE(answered.count(), 1);
        QCOMPARE(answered.at(0).at(0).toBool(), false);
    }

    void keepsOneNotificationPerIdentifierAndReportsClicks()
    {
        QDBusConnection serverBus =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("service"));
        FakeNotificationService service(serverBus);
        QVERIFY(serverBus.registerObject(objectPath, &service, QDBusConnection::ExportAllSlots));
        QVERIFY(serverBus.registerService(busName));

        const auto notifier = makeNotifier();
        QSignalSpy answered(notifier.get(), &Notifier::permissionAnswered);
        QSignalSpy activated(notifier.get(), &Notifier::activated);
        notifier->askPermission();
        QTRY_COMPARE(answered.count(), 1);
        QCOMPARE(answered.at(0).at(0).toBool(), true);

        // The second note of a kind is sent before the first is answered: it waits for the
        // first's id and replaces it, and of two held back only the newest goes.
        notifier->post(QStringLiteral("backupOld"), QStringLiteral("Old backup"), QStringLiteral("one"));
        notifier->post(QStringLiteral("backupOld"), QStringLiteral("Old backup"), QStringLiteral("two"));
        notifier->post(QStringLiteral("backupOld"), QStringLiteral("Old backup"), QStringLiteral("three"));
        notifier->post(QStringLiteral("driveAway"), QStringLiteral("Drive away"), QStringLiteral("away"));
        QTRY_COMPARE(service.calls.size(), 3);
        const auto& first = service.calls.at(0);
        QCOMPARE(first.replacesId, 0u);
        QCOMPARE(first.appName, QStringLiteral("Brindle"));
        QCOMPARE(first.summary, QStringLiteral("Old backup"));
        QCOMPARE(first.body, QStringLiteral("one"));
        QVERIFY(first.actions.size() == 2 && first.actions.at(0) == QStringLiteral("default"));
        QCOMPARE(service.calls.at(1).body, QStringLiteral("away"));
        QCOMPARE(service.calls.at(1).replacesId, 0u);
        QCOMPARE(service.calls.at(2).body, QStringLiteral("three"));
        QCOMPARE(service.calls.at(2).replacesId, 42u);

        service.emitSignal(QStringLiteral("ActionInvoked"), {43u, QStringLiteral("default")});
        service.emitSignal(QStringLiteral("ActionInvoked"), {99u, QStringLiteral("default")}); // not ours
        QTRY_COMPARE(activated.count(), 1);
        QCOMPARE(activated.at(0).at(0).toString(), QStringLiteral("driveAway"));

        // Once closed, the next note of that kind is a new one.
        service.emitSignal(QStringLiteral("NotificationClosed"), {42u, 2u});
        QTest::qWait(50);
        notifier->post(QStringLiteral("backupOld"), QStringLiteral("Old backup"), QStringLiteral("four"));
        QTRY_COMPARE(service.calls.size(), 4);
        QCOMPARE(service.calls.at(3).replacesId, 0u);

        serverBus.unregisterService(busName);
        QDBusConnection::disconnectFromBus(QStringLiteral("service"));
    }
};

} // namespace brindle

QTEST_GUILESS_MAIN(brindle::NotifierTest)
#include "NotifierTest.moc"
