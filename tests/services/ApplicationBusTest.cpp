// One instance on a private session bus: the first claims the name, a second finds it taken
// and hands its launch arguments over.
#include "Brindle/app/services/ApplicationBus.h"

#include <QDBusPendingCallWatcher>
#include <QSignalSpy>
#include <QTest>

using namespace brindle;

class ApplicationBusTest final : public QObject {
    Q_OBJECT
private slots:
    void aSecondLaunchReachesTheFirst()
    {
        ApplicationBus first;
        QCOMPARE(first.claim(), ApplicationBus::Claim::owned);
        const QDBusConnection other = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "second");
        ApplicationBus second(other);
        QCOMPARE(second.claim(), ApplicationBus::Claim::ownedElsewhere);

        QSignalSpy activated(&first, &ApplicationBus::activated);
        QSignalSpy passed(&first, &ApplicationBus::argumentsPassed);
        QDBusPendingCallWatcher plain(ApplicationBus::pass(other, {}));
        QVERIFY(activated.wait(5000));
        QDBusPendingCallWatcher withArguments(ApplicationBus::pass(other, {"-select=history", "-night"}));
        QVERIFY(passed.wait(5000));
        QCOMPARE(passed.front().front().toStringList(), QStringList({"-select=history", "-night"}));
    }
};

QTEST_GUILESS_MAIN(ApplicationBusTest)
#include "ApplicationBusTest.moc"
