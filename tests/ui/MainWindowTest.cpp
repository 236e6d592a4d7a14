// The main window on fake services, on the offscreen platform: what the overview and the
// sidebar show, which commands are on, and whether closing the window quits.
#include "Brindle/app/ui/MainWindow.h"
#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/FolderTableModel.h"
#include "Brindle/app/model/HistoryListModel.h"
#include "Brindle/app/model/PlaceTexts.h"
#include "Brindle/app/model/SidebarModel.h"
#include "Brindle/app/ui/AllFoldersView.h"
#include "Brindle/app/ui/Buttons.h"
#include "Brindle/app/ui/Commands.h"
#include "Brindle/app/ui/HistoryView.h"
#include "Brindle/app/ui/PhotosGuideSheet.h"
#include "Brindle/app/ui/SegmentedControl.h"
#include "Brindle/app/ui/SettingsWindow.h"
#include "Brindle/app/ui/Shell.h"
#include "Brindle/app/ui/Sidebar.h"
#include "Brindle/app/ui/Switch.h"
#include "Brindle/app/ui/Theme.h"
#include "Brindle/app/ui/ThemeStyle.h"
#include "Brindle/app/ui/WelcomeSheet.h"
#include "BrindleCore/Demo.h"
#include "BrindleCore/Json.h"
#include "tests/support/QtMetaTypes.h"
#include "tests/support/TestTree.h"
#include "tests/support/fakes/FakeServices.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QPrinter>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <cmath>
#include <malloc.h>

using namespace brindle;

namespace {

QStringList labels(const QWidget* widget)
{
    QStringList texts;
    for (const QLabel* label : widget->findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

QString sidebarValue(Sidebar& sidebar, const QString& label)
{
    const QAbstractItemModel& rows = sidebar.rows();
    for (int group = 0; group < rows.rowCount(); ++group) {
        const QModelIndex header = rows.index(group, 0);
        if (header.data().toString() == label)
            return header.data(SidebarModel::ValueRole).toString();
        for (int row = 0; row < rows.rowCount(header); ++row)
            if (rows.index(row, 0, header).data().toString() == label)
                return rows.index(row, 0, header).data(SidebarModel::ValueRole).toString();
    }
    return QStringLiteral("(no row)");
}

// A data folder whose history file holds `entries` daily checks, the newest at the fakes' now.
std::vector<std::pair<std::string, test::Node>> dailyHistory(int entries, Instant newest)
{
    std::string lines;
    for (int day = entries - 1; day >= 0; --day) {
        CheckSummary summary;
        summary.at = newest - std::chrono::days(day);
        summary.files = 1'000 + day;
        summary.onlyHere = day % 40;
        summary.noSecondCopy = day % 40;
        lines += dumpJson(encode(summary)) + "\n";
    }
    return {{"history.jsonl", test::Node::text(lines)}};
}

// The controls a person acts on: buttons, switches, lists, tables and pickers, showing.
QList<QWidget*> controlsOf(QWidget& window)
{
    QList<QWidget*> controls;
    for (QWidget* widget : window.findChildren<QWidget*>())
        if (widget->isVisibleTo(&window) && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus) &&
            (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QAbstractItemView*>(widget) ||
             qobject_cast<SegmentedControl*>(widget)))
            controls << widget;
    return controls;
}

// The widgets that Tab lands on, once round the window's focus chain.
QSet<QWidget*> reachedByTab(QWidget& window)
{
    QSet<QWidget*> reached;
    for (int press = 0; press < 200; ++press) {
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : &window, Qt::Key_Tab);
        if (QApplication::focusWidget())
            reached.insert(QApplication::focusWidget());
    }
    return reached;
}

QString described(const QList<QWidget*>& widgets)
{
    QStringList names;
    for (const QWidget* widget : widgets) {
        const auto* button = qobject_cast<const QAbstractButton*>(widget);
        names << QString::fromLatin1(widget->metaObject()->className()) + " " +
                     (button ? button->text() : widget->accessibleName());
    }
    return names.join(", ");
}

// Bytes the process holds from the allocator, where image data lives.
long long allocatedBytes() { return static_cast<long long>(::mallinfo2().uordblks); }

struct Window {
    test::TestTree data;
    test::FakeServices fakes;
    AppModel model;
    Commands commands;
    MainWindow window;

    explicit Window(std::vector<std::string_view> arguments = {},
                    const std::vector<std::pair<std::string, test::Node>>& files = {})
        : data(files), model(fakes.services(data.root(), data.root()), LaunchArguments::parse(arguments)),
          commands(model, fakes.desktop, QStringLiteral("1.2")), window(model, commands)
    {
    }
};

} // namespace

class MainWindowTest final : public QObject {
    Q_OBJECT
private slots:
    void withoutAResultOffersToChooseFolders()
    {
        Window w;
        QCOMPARE(w.window.statusText(), QString());
        QCOMPARE(sidebarValue(*w.window.sidebar(), "All folders"), "0");
        QCOMPARE(sidebarValue(*w.window.sidebar(), "Backup drive"), "None");
        const auto buttons = w.window.placeScreen()->findChildren<PrimaryButton*>();
        QCOMPARE(buttons.size(), 1);
        QCOMPARE(buttons.front()->text(), "Choose Folders");
        buttons.front()->click();
        QCOMPARE(w.fakes.pickers.startedIn.size(), 1);
        QVERIFY(!w.commands.printReport()->isEnabled());
        QVERIFY(w.commands.checkAgain()->isEnabled());
    }

    void theKeyboardWalksTheSidebarPastItsHeaders()
    {
        Window w({"-demoDrive"});
        Sidebar& sidebar = *w.window.sidebar();
        sidebar.setFocus();
        QTest::keyClick(&sidebar, Qt::Key_Down);
        QCOMPARE(w.model.view().selection(), Section{Section::Kind::allFolders});
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(&sidebar, Qt::Key_Down);
        QCOMPARE(w.model.view().selection()->kind, Section::Kind::folder);
        QTest::keyClick(&sidebar, Qt::Key_Up);
        QCOMPARE(w.model.view().selection(), Section{Section::Kind::changedThisWeek});
    }

    void oneFolderIsOneFolder()
    {
        Window w;
        CheckResult result = Demo::noBackup();
        result.folders.resize(1);
        w.model.checks().load(result);
        QVERIFY(labels(w.window.placeScreen()).contains("1 folder"));
        QVERIFY(w.commands.printReport()->isEnabled());
    }

    void theFirstFindingThatNeedsYouLeadsAndEveryButtonOpensItsFinding()
    {
        Window w({"-demoDrive"});
        QVERIFY(!w.commands.checkAgain()->isEnabled());
        QVERIFY(w.window.statusText().startsWith("Checked "));
        const auto& findings = w.model.checks().report()->findings;
        const auto primary = w.window.placeScreen()->findChildren<PrimaryButton*>();
        const auto needing = std::ranges::find_if(findings, [](const Finding& f) { return f.needsYou; });
        QCOMPARE(primary.size(), needing != findings.end() && !needing->button.empty() ? 1 : 0);
        const auto buttons = w.window.placeScreen()->findChildren<StyledButton*>();
        const auto withButtons = std::ranges::count_if(findings, [](const Finding& f) { return !f.button.empty(); });
        QCOMPARE(buttons.size(), withButtons);
        if (!primary.isEmpty()) {
            QCOMPARE(primary.front()->text(), QString::fromStdString(needing->button));
            QSignalSpy settings(&w.model.view(), &ViewState::settingsWindowRequested);
            primary.front()->click();
            QVERIFY(!w.fakes.desktop.opened.isEmpty() || settings.count() == 1 || !w.fakes.pickers.startedIn.isEmpty());
        }
    }

    // WCAG AA for body text: a contrast of at least 4.5:1, light and dark.
    void everyTextColourReadsOnEveryGroundInBothAppearances()
    {
        using T::Colour;
        const auto luminance = [](const QColor& colour) {
            const auto linear = [](float c) {
                return c <= 0.03928f ? c / 12.92f : std::pow((c + 0.055f) / 1.055f, 2.4f);
            };
            return 0.2126f * linear(colour.redF()) + 0.7152f * linear(colour.greenF()) +
                   0.0722f * linear(colour.blueF());
        };
        const std::vector<std::pair<Colour, Colour>> pairs{
            {Colour::text, Colour::ground},    {Colour::text, Colour::card},   {Colour::text, Colour::head},
            {Colour::text2, Colour::ground},   {Colour::text2, Colour::card},  {Colour::text2, Colour::head},
            {Colour::muted, Colour::ground},   {Colour::muted, Colour::card},  {Colour::muted, Colour::head},
            {Colour::accent, Colour::ground},  {Colour::accent, Colour::card}, {Colour::accent, Colour::head},
            {Colour::onAccent, Colour::accent}};
        for (const bool dark : {false, true})
            for (const auto& [text, ground] : pairs) {
                const float a = luminance(T::colour(text, dark)), b = luminance(T::colour(ground, dark));
                const float contrast = (std::max(a, b) + 0.05f) / (std::min(a, b) + 0.05f);
                QVERIFY2(contrast >= 4.5f, qPrintable(QStringLiteral("%1 on %2, %3: %4:1")
                                                          .arg(int(text))
                                                          .arg(int(ground))
                                                          .arg(dark ? "dark" : "light")
                                                          .arg(double(contrast))));
            }
    }

    void theFolderListSortsWithTheTotalLastAndShowsTheChosenFolder()
    {
        Window w({"-demoDrive"});
        w.model.view().setSelection(Section{Section::Kind::allFolders});
        auto* table = w.window.placeScreen()->findChild<QTableView*>();
        QVERIFY(table);
        const QAbstractItemModel& rows = *table->model();
        const int last = rows.rowCount() - 1;
        for (const Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
            table->sortByColumn(FolderTableModel::files, order);
            QVERIFY(rows.index(last, 0).data(FolderTableModel::TotalRole).toBool());
            const qlonglong first =
                rows.index(0, FolderTableModel::files).data(FolderTableModel::SortRole).toLongLong();
            const qlonglong next = rows.index(1, FolderTableModel::files).data(FolderTableModel::SortRole).toLongLong();
            QVERIFY(order == Qt::AscendingOrder ? first <= next : first >= next);
        }
        table->selectRow(0);
        const auto buttons = w.window.placeScreen()->findChildren<StyledButton*>();
        const auto reveal =
            std::ranges::find_if(buttons, [](auto* button) { return button->text() == "Show in Files"; });
        QVERIFY(reveal != buttons.end());
        (*reveal)->click();
        // The demonstration's folders are named "~/…"; the file manager is given the full path.
        const QString path = rows.index(0, 0).data(FolderTableModel::PathRole).toString();
        QVERIFY(path.startsWith("~/"));
        QCOMPARE(w.fakes.desktop.revealed, QStringList{QString::fromStdString(w.data.root()) + path.mid(1)});
    }

    // A list built on an older result follows each new one, and a table taller than the old
    // one shows every row down to the total.
    void theFolderListFollowsTheResultAndShowsEveryRow()
    {
        Window w;
        CheckResult result = Demo::noBackup();
        result.folders.resize(1);
        w.model.checks().load(result);
        w.model.view().setSelection(Section{Section::Kind::noSecondCopy});
        w.window.resize(MainWindow::initialFrame);
        w.window.show();
        auto* view = qobject_cast<AllFoldersView*>(w.window.placeScreen());
        QVERIFY(view);
        view->table()->selectRow(0);
        result = Demo::noBackup();
        while (result.folders.size() < 30) {
            FolderTally more = result.folders[result.folders.size() % 4];
            more.path += QString::number(result.folders.size()).toStdString();
            result.folders.push_back(more);
        }
        w.model.checks().load(result);
        using placeTexts::Filter;
        const int rows = static_cast<int>(placeTexts::foldersShown(result, Filter::noSecondCopy).size()) + 1;
        QVERIFY(rows > 20);
        QTableView* table = view->table();
        QCOMPARE(table->model()->rowCount(), rows);
        QVERIFY(labels(view).contains(QString::fromStdString(placeTexts::listHeading(result, Filter::noSecondCopy))));
        QVERIFY(labels(view).contains(QString::fromStdString(placeTexts::listLine(result))));
        const QModelIndex total = table->model()->index(rows - 1, 0);
        QVERIFY(total.data(FolderTableModel::TotalRole).toBool());
        QTRY_VERIFY(table->viewport()->rect().contains(table->visualRect(total)));
        QCOMPARE(table->currentIndex().data(FolderTableModel::PathRole).toString(), "~/Desktop");
    }

    void aFilterThatLeavesNoFolderSaysWhy_data()
    {
        QTest::addColumn<int>("list"); // a Section::Kind
        QTest::addColumn<bool>("withFolder");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("line");
        using K = Section::Kind;
        QTest::newRow("no second copy") << int(K::noSecondCopy) << true << 1
                                        << "No folder has files without a second copy.";
        QTest::newRow("changed this week")
            << int(K::changedThisWeek) << true << 1 << "No folder has files that changed in the last 7 days.";
        QTest::newRow("no folders") << int(K::allFolders) << false << 0 << "No folders were checked.";
    }

    void aFilterThatLeavesNoFolderSaysWhy()
    {
        QFETCH(int, list);
        QFETCH(bool, withFolder);
        QFETCH(int, rows);
        QFETCH(QString, line);
        Window w;
        CheckResult result;
        if (withFolder) {
            FolderTally music("Music", "/home/ana/Music");
            music.files = 3;
            music.counts.add(Place::both, 3);
            result.folders.push_back(music);
        }
        w.model.checks().load(result);
        w.model.view().setSelection(Section{static_cast<Section::Kind>(list)});
        auto* view = qobject_cast<AllFoldersView*>(w.window.placeScreen());
        QVERIFY(view);
        QCOMPARE(view->table()->model()->rowCount(), rows);
        QVERIFY(labels(view).contains(line));
    }

    void closingQuitsOnlyWhenNothingIsWatched_data()
    {
        QTest::addColumn<WatchSettings>("watch");
        QTest::addColumn<bool>("tray");
        QTest::addColumn<bool>("quits");
        QTest::newRow("all off") << WatchSettings{} << false << true;
        QTest::newRow("weekly") << WatchSettings{.weekly = true} << false << false;
        QTest::newRow("old backup") << WatchSettings{.oldBackup = true} << false << false;
        QTest::newRow("drive away") << WatchSettings{.driveAway = true} << false << false;
        QTest::newRow("more without") << WatchSettings{.moreWithout = true} << false << false;
        QTest::newRow("tray") << WatchSettings{} << true << false;
    }

    void closingQuitsOnlyWhenNothingIsWatched()
    {
        QFETCH(WatchSettings, watch);
        QFETCH(bool, tray);
        QFETCH(bool, quits);
        test::TestTree data;
        test::FakeServices fakes;
        AppModel model(fakes.services(data.root(), data.root()), {});
        model.keepWatch().setWatch(watch);
        model.view().setShowInMenuBar(tray);
        int quitCalls = 0;
        Shell shell(model, fakes.desktop, {.version = "1.2", .quit = [&quitCalls] { ++quitCalls; }});
        shell.showMainWindow();
        shell.mainWindow()->close();
        QVERIFY(!shell.mainWindow()->isVisible());
        QCOMPARE(quitCalls, quits ? 1 : 0);
        // The same window comes back.
        MainWindow* first = shell.mainWindow();
        shell.showMainWindow();
        QCOMPARE(shell.mainWindow(), first);
        QVERIFY(first->isVisible());
    }

    // A switch of appearance repaints everything with the other palette; what it leaves
    // behind must stay small over a day of switches.
    void switchingAppearanceLeavesLittleBehind()
    {
        QApplication::setStyle(new ThemeStyle);
        test::TestTree data;
        test::FakeServices fakes;
        const std::vector<std::string_view> arguments{"-demoDrive"};
        AppModel model(fakes.services(data.root(), data.root()), LaunchArguments::parse(arguments));
        Shell shell(model, fakes.desktop, {.version = "1.2", .quit = [] {}});
        shell.showMainWindow();
        shell.showSettings();
        const auto switches = [&](int count) {
            for (int i = 0; i < count; ++i) {
                T::setDark(i % 2 == 0);
                QCoreApplication::processEvents();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                shell.mainWindow()->repaint();
                shell.settingsWindow()->repaint();
            }
        };
        switches(50);
        const long long before = allocatedBytes();
        switches(200);
        // Each switch used to keep about 7 KB until Qt's pixmap cache was full (10 MB), and then
        // about 1.5 KB of cache entry names. Now what stays is the allocator's noise.
        QVERIFY2(allocatedBytes() - before < 100'000, QByteArray::number(allocatedBytes() - before).constData());
        T::setDark(false);
    }

    void theFrameIsKeptAndNeverBelowTheMinimum()
    {
        Window w;
        w.model.view().keepMainWindowFrame({10, 20, 600, 900});
        w.window.placeOnScreen();
        QCOMPARE(w.window.size(), QSize(1000, 900));
    }

    void tabReachesEveryControl_data()
    {
        QTest::addColumn<QString>("screen");
        for (const char* screen :
             {"overview", "all", "nosecond", "week", "folder=Documents", "drive", "icloud", "photos", "history"})
            QTest::newRow(screen) << screen;
    }

    // Every control of every screen is reached with Tab; a switch is used with Space; Escape
    // closes a sheet.
    void tabReachesEveryControl()
    {
        QFETCH(QString, screen);
        const std::string select = "-select=" + screen.toStdString();
        Window w({"-demoDrive", select});
        w.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        const QSet<QWidget*> reached = reachedByTab(w.window);
        QList<QWidget*> missed;
        for (QWidget* control : controlsOf(*w.window.placeScreen()) + controlsOf(*w.window.sidebar()))
            if (!reached.contains(control))
                missed << control;
        QVERIFY2(missed.isEmpty(), qPrintable("not reached with Tab: " + described(missed)));

        if (screen == "photos") {
            w.model.view().setShowPhotos(true);
            auto* sheet = w.window.findChild<PhotosGuideSheet*>();
            QVERIFY(sheet && sheet->isVisible());
            QTest::keyClick(sheet, Qt::Key_Escape);
            QVERIFY(!sheet->isVisible() && !w.model.view().showPhotos());
            w.model.view().setShowWelcome(true);
            auto* welcome = w.window.findChild<WelcomeSheet*>();
            QVERIFY(welcome && welcome->isVisible());
            QTest::keyClick(welcome, Qt::Key_Escape);
            QVERIFY(!welcome->isVisible() && !w.model.view().showWelcome());
        }
    }

    void theSettingsSwitchesAreReachedWithTabAndSwitchedWithSpace()
    {
        Window w;
        SettingsWindow settings(w.model, true);
        settings.show();
        QVERIFY(QTest::qWaitForWindowActive(&settings));
        const QSet<QWidget*> reached = reachedByTab(settings);
        QList<QWidget*> missed;
        for (QWidget* control : controlsOf(settings))
            if (!reached.contains(control))
                missed << control;
        QVERIFY2(missed.isEmpty(), qPrintable("not reached with Tab: " + described(missed)));
        Switch* weekly = settings.findChildren<Switch*>().front();
        weekly->setFocus();
        const bool before = weekly->isChecked();
        QTest::keyClick(weekly, Qt::Key_Space);
        QCOMPARE(weekly->isChecked(), !before);
    }

    void aNotificationBringsTheOverviewForwardAndTheMenuOpensTheProductsPages()
    {
        test::TestTree data;
        test::FakeServices fakes;
        AppModel model(fakes.services(data.root(), data.root()), {});
        model.view().setSelection(Section{Section::Kind::history});
        Shell shell(model, fakes.desktop, {.version = "1.2", .quit = [] {}});
        QVERIFY(!shell.mainWindow());
        emit fakes.notifier.activated("backupOld");
        QVERIFY(shell.mainWindow() && shell.mainWindow()->isVisible());
        QCOMPARE(model.view().selection(), Section{Section::Kind::overview});
        shell.commands().checkForUpdates()->trigger();
        shell.commands().help()->trigger();
        QCOMPARE(fakes.desktop.opened,
                 QList<QUrl>({QUrl("https://brindle.app/update?v=1.2"), QUrl("https://brindle.app/help")}));
    }

    void historyShowsItsEmptyStateOrOneRowPerCheck_data()
    {
        QTest::addColumn<int>("entries");
        QTest::addColumn<QString>("headline");
        QTest::newRow("none") << 0 << "History starts with your next check.";
        QTest::newRow("one") << 1 << "One check so far, today at ";
        QTest::newRow("two years daily") << 730 << "0 files have no second copy now, down from 9 ";
    }

    void historyShowsItsEmptyStateOrOneRowPerCheck()
    {
        QFETCH(int, entries);
        QFETCH(QString, headline);
        test::FakeServices clock;
        Window w({"-select=history"}, dailyHistory(entries, clock.now));
        w.window.resize(MainWindow::initialFrame);
        w.window.show();
        auto* view = qobject_cast<HistoryView*>(w.window.placeScreen());
        QVERIFY(view);
        QVERIFY(std::ranges::any_of(labels(view), [&](const QString& text) { return text.startsWith(headline); }));
        if (entries == 0) {
            QVERIFY(!view->list());
            return;
        }
        QListView* list = view->list();
        QCOMPARE(list->model()->rowCount(), entries);
        // Rows are painted, not made of widgets: the screen holds as many widgets for two years
        // as for one check.
        QVERIFY(view->findChildren<QWidget*>().size() < 40);
        list->scrollToBottom();
        QVERIFY(!list->grab().isNull());
        const auto* last = HistoryListModel::rowAt(list->model()->index(entries - 1, 0));
        QVERIFY(last && last->tally.files >= 1'000);
    }

    void printReportPrintsTheLetterTitledBrindleReport()
    {
        test::TestTree data;
        test::FakeServices fakes;
        const std::vector<std::string_view> demo{"-demoDrive"};
        AppModel model(fakes.services(data.root(), data.root()), LaunchArguments::parse(demo));
        const QString pdf = QString::fromStdString(data.path("letter.pdf"));
        QString job;
        Shell shell(model, fakes.desktop,
                    {.version = "1.2",
                     .quit = [] {},
                     .askWhereToPrint =
                         [&](QPrinter& printer, QWidget*) {
                             job = printer.docName();
                             printer.setOutputFormat(QPrinter::PdfFormat);
                             printer.setOutputFileName(pdf);
                             return true;
                         }});
        shell.showMainWindow();
        shell.commands().printReport()->trigger();
        QCOMPARE(job, "Brindle report");
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");
    }

    void laterLaunchArgumentsSelectAndShow()
    {
        test::TestTree data;
        test::FakeServices fakes;
        const std::vector<std::string_view> demo{"-demo"};
        AppModel model(fakes.services(data.root(), data.root()), LaunchArguments::parse(demo));
        Shell shell(model, fakes.desktop, {.version = "1.2", .quit = [] {}});
        shell.passArguments({"-select=history"});
        QVERIFY(shell.mainWindow() && shell.mainWindow()->isVisible());
        QCOMPARE(model.view().selection(), Section{Section::Kind::history});
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
