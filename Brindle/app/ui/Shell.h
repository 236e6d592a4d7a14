// Shell: the application's lifetime around its one model. It makes the main window when it is
// first wanted and shows the same window again afterwards, and likewise the settings window;
// it holds the tray item; with "-menubar" it opens the tray panel as a window at launch
// instead of the main window. It answers the menu commands that need a window, a later launch
// of the program, and the desktop's switches of appearance; and it decides, when the last of
// its windows closes, whether the application quits: only when nothing is watched and the
// tray item is hidden.
//
// An explicit quit (`quit`: the Quit command, or the "quit" action over D-Bus) always ends the
// application: the windows, which otherwise refuse to close and hide, let it close them.
//
// Main thread only. `quit` is called from the event loop; tests give a quit that records.
#pragma once

#include "Brindle/app/model/LaunchArguments.h"
#include "Brindle/app/services/DesktopAppearance.h"
#include "Brindle/app/ui/ReportPrinter.h"

#include <QObject>
#include <QPointer>

#include <functional>

namespace brindle {

class AppModel;
class Commands;
class Desktop;
class MainWindow;
class SettingsWindow;
class TrayItem;
class TrayPanel;

class Shell final : public QObject {
    Q_OBJECT
public:
    struct Options {
        QString version;
        // Quits the application; by default QCoreApplication::quit.
        std::function<void()> quit;
        // Whether the platform's own palette is dark, for a desktop without a preference.
        bool paletteDark = false;
        // Asks where "Print Report" prints; by default the system print dialog.
        ReportPrinter::Ask askWhereToPrint = ReportPrinter::systemDialog;
    };

    Shell(AppModel& model, Desktop& desktop, Options options, QObject* parent = nullptr);
    ~Shell() override;

    // The start-up: the appearance, the keep-watch schedule, the first check (not in the
    // demonstration) and the first window.
    void start();

    // Shows the main window, making it the first time, and brings it to the front.
    void showMainWindow();
    MainWindow* mainWindow() const;
    // Shows the settings window, making it the first time.
    void showSettings();
    SettingsWindow* settingsWindow() const;
    // The tray panel in a window of its own, as "-menubar" opens it.
    void showPanelWindow();
    TrayPanel* panelWindow() const;
    TrayItem& trayItem() const { return *tray_; }
    Commands& commands() const { return *commands_; }
    ReportPrinter& reportPrinter() const { return *printer_; }

    // Hides every window and quits the application, whatever is watched.
    void quit();

    // The launch arguments of a later start of the program.
    void passArguments(const QStringList& arguments);
    // The desktop's preferred scheme; forced launch appearances win over it.
    void followDesktop(DesktopAppearance::Scheme scheme);

signals:
    // Emitted once, after the main window was first painted.
    void mainWindowPainted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void windowClosed();
    void applyAppearance();

    AppModel& model_;
    Options options_;
    Commands* commands_;
    QPointer<MainWindow> window_;
    QPointer<SettingsWindow> settings_;
    QPointer<TrayPanel> panelWindow_;
    TrayItem* tray_;
    ReportPrinter* printer_;
    LaunchArguments::Appearance forced_;
    DesktopAppearance::Scheme desktop_ = DesktopAppearance::Scheme::noPreference;
    bool quitting_ = false;
};

} // namespace brindle
