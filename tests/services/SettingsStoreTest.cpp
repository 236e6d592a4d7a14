#include "Brindle/app/services/SettingsStore.h"
#include "Brindle/app/services/WindowSettings.h"

#include "BrindleCore/FileIO.h"
#include "tests/support/TestTree.h"

#include <QElapsedTimer>
#include <QTest>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>

namespace brindle {
namespace {

using test::Node;
using test::TestTree;

std::string contentOf(const std::string& path) { return readRegularFile(path, 1 << 20).content.value_or("<none>"); }

Instant fixedNow() { return *parseISO8601("2026-12-08T05:37:00Z"); }

} // namespace

class SettingsStoreTest : public QObject {
    Q_OBJECT
private slots:
    void writesReadableJsonAndKeepsWhatItDoesNotKnow()
    {
        const TestTree tree{{{"Brindle", Node::directory()}}};
        const std::string path = tree.path("Brindle/settings.json");
        QVERIFY(writeFileAtomically(path, R"({"future":{"a":1},"menuBar":false})"));
        const auto store = makeSettingsFile(path, fixedNow);
        QVERIFY(store->value("menuBar") == std::optional<JsonIn>(false));
        QVERIFY(!store->value("grants"));

        QVERIFY(store->setValue("menuBar", true));
        QVERIFY(store->setValue("waitingSince", "2026-12-01T10:00:00Z"));
        QVERIFY(store->remove("driveCache"));
        const auto written = Settings::parse(contentOf(path));
        QVERIFY(written);
        QVERIFY(*written ==
                JsonIn::parse(R"({"future":{"a":1},"menuBar":true,"waitingSince":"2026-12-01T10:00:00Z"})"));
        QVERIFY(contentOf(path).find("\n  \"menuBar\": true") != std::string::npos);

        // A change that changes nothing makes no file where there was none.
        const auto fresh = makeSettingsFile(tree.path("Fresh/settings.json"), fixedNow);
        QVERIFY(fresh->remove("driveCache"));
        QVERIFY(!std::filesystem::exists(tree.path("Fresh")));
    }

    // The command line and the window both write the file: neither may lose the other's keys.
    void keepsChangesMadeByAnotherWriter()
    {
        const TestTree tree;
        const std::string path = tree.path("config/Brindle/settings.json");
        const auto window = makeSettingsFile(path, fixedNow);
        const auto commandLine = makeSettingsFile(path, fixedNow);
        QVERIFY(window->setValue("grants", JsonIn::array()));
        QVERIFY(commandLine->setValue("lastSeen", {{"UUID-1", "2026-12-08T05:00:00Z"}}));
        QVERIFY(window->value("lastSeen") == std::optional<JsonIn>(commandLine->value("lastSeen")));
        QVERIFY(window->setValue("menuBar", true));
        const auto written = Settings::parse(contentOf(path));
        QVERIFY(written && written->contains("grants") && written->contains("lastSeen") &&
                written->contains("menuBar"));
    }

    void movesAnUnreadableFileAsideBeforeTheFirstWrite_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not JSON") << QByteArray("{\"grants\": [");
        QTest::newRow("not an object") << QByteArray("[1, 2]");
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("too deep") << QByteArray(std::string(200, '[').c_str()).prepend("{\"a\":");
        QTest::newRow("NUL padded") << QByteArray("{}\0\0", 4);
    }
    void movesAnUnreadableFileAsideBeforeTheFirstWrite()
    {
        QFETCH(QByteArray, content);
        const TestTree tree{{{"Brindle", Node::directory()}}};
        const std::string path = tree.path("Brindle/settings.json");
        const std::string original = content.toStdString();
        QVERIFY(writeFileAtomically(path, original));
        const auto store = makeSettingsFile(path, fixedNow);
        QVERIFY(!store->value("menuBar"));
        QCOMPARE(contentOf(path), original); // reading alone changes nothing

        QVERIFY(store->setValue("menuBar", true));
        QCOMPARE(contentOf(path + ".unreadable-20261208T053700Z"), original);
        QVERIFY(Settings::parse(contentOf(path)) == std::optional<JsonIn>(JsonIn{{"menuBar", true}}));

        // A second bad file in the same second does not replace the first copy.
        QVERIFY(writeFileAtomically(path, "garbage"));
        QVERIFY(store->setValue("menuBar", false));
        QCOMPARE(contentOf(path + ".unreadable-20261208T053700Z"), original);
        QCOMPARE(contentOf(path + ".unreadable-20261208T053700Z-2"), std::string("garbage"));
    }

    // Another process holding the lock delays a write for a bounded time, never for ever: the
    // command line waits, once, then names the held file; the window does not wait at all and
    // writes once the lock is free.
    void aHeldLockDelaysAWriteOnlyBriefly()
    {
        const TestTree tree{{{"Brindle", Node::directory()}}};
        const std::string path = tree.path("Brindle/settings.json");
        const int held = ::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        QVERIFY(held >= 0 && ::flock(held, LOCK_EX) == 0);
        const auto commandLine = makeSettingsFile(path, fixedNow, std::chrono::milliseconds{300});
        const auto window = makeWindowSettings(path);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!commandLine->setValue("menuBar", true));
        QVERIFY(!commandLine->setValue("grants", JsonIn::array()));
        QVERIFY(timer.elapsed() >= 300 && timer.elapsed() < 1000); // one wait for the run of changes
        QVERIFY(commandLine->lastError().find("settings.json.lock is locked by another process") != std::string::npos);
        QVERIFY(commandLine->value("menuBar") == std::optional<JsonIn>(true) && commandLine->hasPending());
        timer.restart();
        QVERIFY(!window->setValue("waitingSince", "2026-12-01T10:00:00Z"));
        QVERIFY(timer.elapsed() < 100);
        QVERIFY(!std::filesystem::exists(path));

        ::close(held);
        // The abandoned wait may take and drop the lock an instant after it is freed.
        QTRY_VERIFY_WITH_TIMEOUT(commandLine->writePending(), 3000);
        QTRY_VERIFY_WITH_TIMEOUT(!window->hasPending(), 3000);
        const auto written = Settings::parse(contentOf(path));
        QVERIFY(written && written->contains("menuBar") && written->contains("grants") &&
                written->contains("waitingSince"));
    }

    void reportsAFailedWriteAndKeepsTheValueForThisRun()
    {
        const TestTree tree{{{"not-a-folder", Node::file(3)}}};
        const auto store = makeSettingsFile(tree.path("not-a-folder/Brindle/settings.json"), fixedNow);
        QVERIFY(!store->setValue("menuBar", true));
        QVERIFY(!store->lastError().empty());
        QVERIFY(store->value("menuBar") == std::optional<JsonIn>(true));
    }
};

} // namespace brindle

QTEST_GUILESS_MAIN(brindle::SettingsStoreTest)
#include "SettingsStoreTest.moc"
