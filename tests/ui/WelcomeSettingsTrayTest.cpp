// The welcome sheet, the settings window, the tray item and the "-menubar" start, on fake
// services on the offscreen platform.
#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/OpenKeys.h"
#include "Brindle/app/model/StoredSettings.h"
#include "Brindle/app/ui/Commands.h"
#include "Brindle/app/ui/MainWindow.h"
#include "Brindle/app/ui/SettingsWindow.h"
#include "Brindle/app/ui/Shell.h"
#include "Brindle/app/ui/Switch.h"
#include "Brindle/app/ui/TrayItem.h"
#include "Brindle/app/ui/TrayPanel.h"
#include "Brindle/app/ui/WelcomeSheet.h"
#include "tests/support/QtMetaTypes.h"
#include "tests/support/TestTree.h"
#include "tests/support/fakes/FakeServices.h"

#include <QAction>
#include <QLabel>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>

using namespace brindle;

namespace {

QStringList buttonTexts(const QWidget& widget)
{
    QStringList texts;
    for (const QAbstractButton* button : widget.findChildren<QAbstractButton*>())
        if (button->isVisibleTo(&widget))
            texts << button->text();
    return texts;
}

void click(const QWidget& widget, const QString& text)
{
    for (QAbstractButton* button : widget.findChildren<QAbstractButton*>())
        if (button->text() == text && button->isVisibleTo(&widget))
            return button->click();
    QFAIL(qPrintable("no button " + text));
}

struct App {
    test::TestTree data{{{"Documents/a.txt", test::Node::file(10)}}};
    test::FakeServices fakes;
    AppModel model;

    explicit App(std::vector<std::string_view> arguments = {})
        : model(fakes.services(data.root(), data.root()), LaunchArguments::parse(arguments))
    {
    }
};

CheckResult withoutSecondCopy(std::int64_t files)
{
    FolderTally tally("Documents", "/d");
    tally.files = files;
    tally.counts.set(Place::onlyHere, files);
    return CheckResult({}, 1, {tally}, std::nullopt, {}, false);
}

} // namespace

class WelcomeSettingsTrayTest final : public QObject {
    Q_OBJECT
private slots:
    void theWelcomeSheetOpensOverTheWindowAndFollowsTheGrants()
    {
        App app;
        Commands commands(app.model, app.fakes.desktop, QStringLiteral("1.2"));
        MainWindow window(app.model, commands);
        window.show();
        QTRY_VERIFY(window.welcomeSheet());
        WelcomeSheet& sheet = *window.welcomeSheet();
        QVERIFY(sheet.isModal());
        QCOMPARE(buttonTexts(sheet), QStringList{"Choose Folders"});
        app.fakes.pickers.folderAnswers = {{QString::fromStdString(app.data.root() + "/Documents")}};
        click(sheet, "Choose Folders");
        QCOMPARE(buttonTexts(sheet), (QStringList{"Add More", "Continue"}));
        click(sheet, "Continue");
        QCOMPARE(sheet.step(), 2);
        QCOMPARE(buttonTexts(sheet), (QStringList{"Choose Drive", "Later"}));
    }

    void closingTheSheetAtAnyStepClearsTheFlag_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("button"); // empty: the sheet is closed
        QTest::addColumn<bool>("photos");
        QTest::newRow("closed at the folders") << 1 << QString() << false;
        QTest::newRow("closed at the drive") << 2 << QString() << false;
        QTest::newRow("show me how") << 3 << "Show Me How" << true;
        QTest::newRow("later") << 3 << "Later" << false;
    }

    void closingTheSheetAtAnyStepClearsTheFlag()
    {
        QFETCH(int, step);
        QFETCH(QString, button);
        QFETCH(bool, photos);
        App app;
        QVERIFY(app.model.view().showWelcome());
        WelcomeSheet sheet(app.model);
        sheet.setStep(step);
        sheet.show();
        if (button.isEmpty())
            sheet.close();
        else
            click(sheet, button);
        QVERIFY(!app.model.view().showWelcome());
        QVERIFY(!sheet.isVisible());
        QCOMPARE(app.model.view().showPhotos(), photos);
    }

    void eachSwitchTakesEffectAtOnce_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<WatchSettings>("watch");
        QTest::addColumn<bool>("tray");
        QTest::newRow("weekly") << "Check every week" << WatchSettings{.weekly = true} << false;
        QTest::newRow("old backup") << "Note when the last backup is more than a week old"
                                    << WatchSettings{.oldBackup = true} << false;
        QTest::newRow("drive away") << "Note when the drive hasn’t been connected for a week"
                                    << WatchSettings{.driveAway = true} << false;
        QTest::newRow("more without") << "Note when the count with no second copy grows"
                                      << WatchSettings{.moreWithout = true} << false;
        QTest::newRow("tray") << "Show in the system tray" << WatchSettings{} << true;
    }

    void eachSwitchTakesEffectAtOnce()
    {
        QFETCH(QString, label);
        QFETCH(WatchSettings, watch);
        QFETCH(bool, tray);
        App app;
        SettingsWindow settings(app.model, true);
        Switch* control = settings.switchFor(label);
        QVERIFY(control && !control->isChecked());
        control->click();
        QCOMPARE(app.model.keepWatch().watch(), watch);
        QCOMPARE(app.model.view().showInMenuBar(), tray);
        QCOMPARE(Stored::watch(app.fakes.settings).value_or(WatchSettings{}), watch);
        QCOMPARE(Stored::flag(app.fakes.settings, "menuBar"), tray);
        QCOMPARE(app.fakes.keepWatch.active, !tray);
        control->click();
        QVERIFY(!app.fakes.keepWatch.active);
        QCOMPARE(app.model.keepWatch().watch(), WatchSettings{});
        // The model's changes show in the switch.
        app.model.keepWatch().setWatch(watch);
        app.model.view().setShowInMenuBar(tray);
        QVERIFY(control->isChecked());
    }

    void openAtLoginShowsTheSystemsStateAndItsRefusal()
    {
        App app;
        app.fakes.login.enabled = true;
        SettingsWindow settings(app.model, false);
        const auto lines = settings.findChildren<QLabel*>();
        QVERIFY(std::ranges::any_of(
            lines, [](const QLabel* line) { return line->text().startsWith("This desktop shows no tray items"); }));
        settings.show();
        Switch* login = settings.switchFor("Open at login");
        QVERIFY(login->isChecked());
        app.fakes.login.failure = QStringLiteral("The system didn’t accept that: no room");
        login->click();
        QVERIFY(login->isChecked());
        QCOMPARE(settings.loginError(), *app.fakes.login.failure);
        app.fakes.login.failure.reset();
        login->click();
        QVERIFY(!login->isChecked() && !app.fakes.login.enabled);
        QCOMPARE(settings.loginError(), QString());
        // Shown again, it asks the system afresh.
        settings.hide();
        app.fakes.login.enabled = true;
        settings.show();
        QVERIFY(login->isChecked());
    }

    void theTraySaysTheCountInWordsAndOnItsIcon_data()
    {
        QTest::addColumn<qint64>("files");
        QTest::addColumn<QString>("tooltip");
        QTest::addColumn<QString>("badge");
        QTest::newRow("none") << qint64(0) << "Brindle"
                              << "";
        QTest::newRow("one") << qint64(1) << "Brindle, 1 file with no second copy"
                             << "1";
        QTest::newRow("many") << qint64(2500) << "Brindle, 2,500 files with no second copy"
                              << "99+";
    }

    void theTraySaysTheCountInWordsAndOnItsIcon()
    {
        QFETCH(qint64, files);
        QFETCH(QString, tooltip);
        QFETCH(QString, badge);
        App app;
        Commands commands(app.model, app.fakes.desktop, QStringLiteral("1.2"));
        TrayItem tray(app.model, commands);
        app.model.checks().load(withoutSecondCopy(files));
        QCOMPARE(tray.icon().toolTip(), tooltip);
        QCOMPARE(tray.badge(), badge);
        QVERIFY(!tray.icon().icon().isNull());
    }

    void theTrayIsShownWhileSwitchedOnAndNeverInTheDemonstration()
    {
        for (const bool demo : {false, true}) {
            App app(demo ? std::vector<std::string_view>{"-demo"} : std::vector<std::string_view>{});
            Commands commands(app.model, app.fakes.desktop, QStringLiteral("1.2"));
            TrayItem tray(app.model, commands);
            QVERIFY(!tray.icon().isVisible());
            app.model.view().setShowInMenuBar(true);
            QCOMPARE(tray.icon().isVisible(), !demo);
        }
    }

    void menubarOpensThePanelAloneAndTheMainWindowOnRequest()
    {
        App app({"-menubar", "-demoDrive"});
        int quits = 0;
        Shell shell(app.model, app.fakes.desktop, {.version = "1.2", .quit = [&quits] { ++quits; }});
        shell.start();
        QVERIFY(shell.panelWindow() && shell.panelWindow()->isVisible());
        QVERIFY(!shell.mainWindow());
        const QStringList texts = shell.panelWindow()->texts();
        QVERIFY(texts.contains("Check Again") && texts.contains("Open Brindle"));
        QVERIFY(texts.contains("The weekly check is off"));
        shell.commands().showMainWindow()->trigger();
        QVERIFY(shell.mainWindow() && shell.mainWindow()->isVisible());
        shell.mainWindow()->close();
        QCOMPARE(quits, 0); // the panel window is still open
        shell.commands().settings()->trigger();
        QVERIFY(shell.settingsWindow()->isVisible());
        shell.panelWindow()->close();
        shell.settingsWindow()->close();
        QCOMPARE(quits, 1);
        app.model.actions().open(openKeys::settings);
        QVERIFY(shell.settingsWindow()->isVisible());
    }

    // Windows refuse to close and hide instead; an explicit Quit must still end the program,
    // with every window open and something watched.
    void anExplicitQuitEndsTheApplication()
    {
        App app({"-menubar", "-demoDrive"});
        app.model.keepWatch().setWatch(WatchSettings{.weekly = true});
        Shell shell(app.model, app.fakes.desktop, {.version = "1.2"}); // the application's own quit
        shell.start();
        shell.commands().showMainWindow()->trigger();
        shell.commands().settings()->trigger();
        QTimer giveUp;
        giveUp.setSingleShot(true);
        connect(&giveUp, &QTimer::timeout, &giveUp, [] { QCoreApplication::exit(1); });
        giveUp.start(5000);
        QTimer::singleShot(0, &shell, [&shell] { shell.commands().quit()->trigger(); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!shell.mainWindow()->isVisible() && !shell.panelWindow()->isVisible());
    }
};

QTEST_MAIN(WelcomeSettingsTrayTest)
#include "WelcomeSettingsTrayTest.moc"
