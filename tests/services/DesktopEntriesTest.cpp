// Desktop entries: the autostart entry that opens Brindle at login, and the photo manager's.
#include "Brindle/app/services/LoginItem.h"
#include "Brindle/app/services/PhotoManager.h"

#include "BrindleCore/FileIO.h"
#include "tests/support/TestTree.h"

#include <QFile>
#include <QTest>

namespace brindle {
namespace {
using test::Node;
using test::TestTree;

QString qPath(const std::string& path) { return QString::fromStdString(path); }

void writeEntry(const TestTree& tree, const std::string& relative, const std::string& keys)
{
    tree.add(relative.substr(0, relative.rfind('/')), Node::directory());
    QVERIFY(writeFileAtomically(tree.path(relative),
                                "[Desktop Entry]\nType=Application\n" + keys + "\n[Desktop Action x]\nExec=wrong\n"));
}
} // namespace

class DesktopEntriesTest : public QObject {
    Q_OBJECT
private slots:
    void loginItemIsTheAutostartEntry()
    {
        const TestTree tree;
        const QString entry = qPath(tree.path("config/autostart/app.brindle.Brindle.desktop"));
        const auto item = makeLoginItem(QStringLiteral("/opt/Brindle App/bin/brindle"), entry);
        QVERIFY(!item->isEnabled());
        QCOMPARE(item->setEnabled(true), std::optional<QString>());
        QVERIFY(item->isEnabled());
        QFile file(entry);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY(text.contains(QStringLiteral("\nExec=\"/opt/Brindle App/bin/brindle\"\n")));

        // Turned off in the desktop's own settings.
        QVERIFY(writeFileAtomically(entry.toStdString(), text.toStdString() + "Hidden=true\n"));
        QVERIFY(!item->isEnabled());
        QCOMPARE(item->setEnabled(true), std::optional<QString>());
        QVERIFY(item->isEnabled());

        QCOMPARE(item->setEnabled(false), std::optional<QString>());
        QVERIFY(!QFile::exists(entry));
        QCOMPARE(item->setEnabled(false), std::optional<QString>());
    }

    void aRefusedChangeSaysWhy()
    {
        const TestTree tree{{{"config", Node::file(1)}}};
        const auto item = makeLoginItem(QStringLiteral("/usr/bin/brindle"),
                                        qPath(tree.path("config/autostart/app.brindle.Brindle.desktop")));
        const auto message = item->setEnabled(true);
        QVERIFY(message && message->startsWith(QStringLiteral("The system didn’t accept that: ")));
        QVERIFY(!item->isEnabled());
    }

    void execValuesSurviveQuotingBothWays_data()
    {
        QTest::addColumn<QString>("program");
        QTest::newRow("plain") << "/usr/bin/brindle";
        QTest::newRow("space") << "/opt/My Apps/brindle";
        QTest::newRow("shell characters") << "/opt/a\"b`c$d\\e/brindle";
        QTest::newRow("percent") << "/opt/100%/brindle";
    }
    void execValuesSurviveQuotingBothWays()
    {
        QFETCH(QString, program);
        // What a desktop does with the value: undo the string escapes, then the quoting.
        QString value = desktopExecValue(program);
        value.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
        QCOMPARE(execCommand(value), QStringList{program});
    }

    void execCommandsLoseTheirFieldCodes_data()
    {
        QTest::addColumn<QString>("exec");
        QTest::addColumn<QStringList>("command");
        QTest::newRow("file code") << "shotwell %U" << QStringList{"shotwell"};
        QTest::newRow("flatpak") << "/usr/bin/flatpak run --branch=stable org.gnome.Shotwell @@u %U @@"
                                 << QStringList{"/usr/bin/flatpak",   "run", "--branch=stable",
                                                "org.gnome.Shotwell", "@@u", "@@"};
        QTest::newRow("quoted") << "\"/opt/photo app/run\" --x %f" << QStringList{"/opt/photo app/run", "--x"};
        QTest::newRow("unclosed quote") << "\"/opt/run" << QStringList{};
    }
    void execCommandsLoseTheirFieldCodes()
    {
        QFETCH(QString, exec);
        QFETCH(QStringList, command);
        QCOMPARE(execCommand(exec), command);
    }

    void findsTheFirstUsablePhotoManager()
    {
        const TestTree tree;
        writeEntry(tree, "home/applications/org.gnome.Shotwell.desktop", "Exec=shotwell %U\nHidden=true");
        writeEntry(tree, "usr/applications/org.gnome.Shotwell.desktop", "Exec=shotwell %U");
        writeEntry(tree, "usr/applications/digikam.desktop",
                   "Exec=digikam -qwindowtitle %c\nTryExec=no-such-program-here");
        writeEntry(tree, "usr/applications/org.gnome.gThumb.desktop", "NoDisplay=false\nExec=gthumb %U");
        const QStringList folders{qPath(tree.path("home")), qPath(tree.path("usr"))};
        // Shotwell is hidden by the person's own entry; digiKam is not installed.
        const auto found = findPhotoManager(folders);
        QVERIFY(found);
        QCOMPARE(found->desktopId, QStringLiteral("org.gnome.gThumb.desktop"));
        QCOMPARE(found->command, QStringList{QStringLiteral("gthumb")});
        QVERIFY(!findPhotoManager({qPath(tree.path("home"))}));
    }
};

} // namespace brindle

QTEST_GUILESS_MAIN(brindle::DesktopEntriesTest)
#include "DesktopEntriesTest.moc"
