#include "Brindle/app/ui/Shell.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/Presentation.h"
#include "Brindle/app/ui/Commands.h"
#include "Brindle/app/ui/MainWindow.h"
#include "Brindle/app/ui/SettingsWindow.h"
#include "Brindle/app/ui/Theme.h"
#include "Brindle/app/ui/TrayItem.h"
#include "Brindle/app/ui/TrayPanel.h"

#include <QCoreApplication>
#include <QSystemTrayIcon>

#include <string_view>
#include <vector>

namespace brindle {

namespace {
// The menu commands' shortcuts also work in a window without the menus.
void addShortcuts(QWidget& window, const Commands& commands)
{
    window.addActions({commands.checkAgain(), commands.chooseFolders(), commands.printReport(), commands.settings(),
                       commands.quit(), commands.showMainWindow(), commands.help()});
}
} // namespace

Shell::Shell(AppModel& model, Desktop& desktop, Options options, QObject* parent)
    : QObject(parent), model_(model), options_(std::move(options)),
      commands_(new Commands(model, desktop, options_.version, this)), tray_(new TrayItem(model, *commands_, this)),
      printer_(new ReportPrinter(model, options_.askWhereToPrint, this)), forced_(model.arguments().appearance)
{
    if (!options_.quit)
        options_.quit = [] { QCoreApplication::quit(); };
    connect(&model_.view(), &ViewState::showMainWindowRequested, this, &Shell::showMainWindow);
    connect(commands_, &Commands::mainWindowRequested, this, &Shell::showMainWindow);
    connect(commands_, &Commands::quitRequested, this, &Shell::quit);
    connect(commands_, &Commands::settingsRequested, this, &Shell::showSettings);
    connect(&model_.view(), &ViewState::settingsWindowRequested, this, &Shell::showSettings);
    connect(tray_, &TrayItem::openRequested, this, &Shell::showMainWindow);
    connect(commands_, &Commands::printRequested, this, [this] { printer_->print(window_); });
}

Shell::~Shell()
{
    delete panelWindow_;
    delete settings_;
    delete window_;
}

MainWindow* Shell::mainWindow() const { return window_; }

SettingsWindow* Shell::settingsWindow() const { return settings_; }

TrayPanel* Shell::panelWindow() const { return panelWindow_; }

void Shell::start()
{
    applyAppearance();
    model_.keepWatch().follow();
    if (!model_.demo())
        model_.checks().start();
    if (model_.arguments().watchNow) { // after the launch check, as the schedule's tick would come
        const auto tick = [this] { model_.keepWatch().tick(); };
        connect(&model_.checks(), &CheckLoop::kept, this, tick, Qt::SingleShotConnection);
    }
    if (model_.arguments().menuBarWindow)
        showPanelWindow();
    else
        showMainWindow();
}

void Shell::showMainWindow()
{
    if (!window_) {
        window_ = new MainWindow(model_, *commands_);
        window_->placeOnScreen();
        connect(window_, &MainWindow::closed, this, &Shell::windowClosed);
        window_->installEventFilter(this);
        connect(window_, &MainWindow::firstPainted, this, &Shell::mainWindowPainted);
    }
    window_->show();
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->raise();
    window_->activateWindow();
}

void Shell::showSettings()
{
    if (!settings_) {
        settings_ = new SettingsWindow(model_, QSystemTrayIcon::isSystemTrayAvailable());
        connect(settings_, &SettingsWindow::closed, this, &Shell::windowClosed);
        settings_->installEventFilter(this);
        addShortcuts(*settings_, *commands_);
    }
    settings_->show();
    settings_->setWindowState(settings_->windowState() & ~Qt::WindowMinimized);
    settings_->raise();
    settings_->activateWindow();
}

void Shell::showPanelWindow()
{
    if (!panelWindow_) {
        panelWindow_ = new TrayPanel(model_, nullptr, Qt::Window);
        connect(panelWindow_, &TrayPanel::openRequested, this, &Shell::showMainWindow);
        connect(panelWindow_, &TrayPanel::closed, this, &Shell::windowClosed);
        panelWindow_->installEventFilter(this);
        addShortcuts(*panelWindow_, *commands_);
    }
    panelWindow_->show();
    panelWindow_->raise();
    panelWindow_->activateWindow();
}

void Shell::quit()
{
    // Closing hides each window the way the person's close does (the main window keeps its
    // frame); then every close that quitting asks of the hidden windows is granted, because
    // one refusal would cancel the quit.
    quitting_ = true;
    for (QWidget* window :
         {static_cast<QWidget*>(window_), static_cast<QWidget*>(settings_), static_cast<QWidget*>(panelWindow_)})
        if (window && window->isVisible())
            window->close();
    options_.quit();
}

bool Shell::eventFilter(QObject* watched, QEvent* event)
{
    if (quitting_ && event->type() == QEvent::Close && watched->isWidgetType() &&
        !static_cast<QWidget*>(watched)->isVisible()) {
        event->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void Shell::windowClosed()
{
    if (quitting_)
        return;
    for (const QWidget* window :
         {static_cast<QWidget*>(window_), static_cast<QWidget*>(settings_), static_cast<QWidget*>(panelWindow_)})
        if (window && window->isVisible())
            return;
    if (model_.quitsWithLastWindow())
        options_.quit();
}

void Shell::passArguments(const QStringList& arguments)
{
    std::vector<std::string> owned;
    for (const QString& argument : arguments)
        owned.push_back(argument.toStdString());
    const std::vector<std::string_view> views(owned.begin(), owned.end());
    const LaunchArguments passed = LaunchArguments::parse(views);
    if (passed.selection)
        model_.view().setSelection(passed.selection);
    if (passed.welcome)
        model_.view().setShowWelcome(true);
    if (passed.watchNow)
        model_.keepWatch().tick();
    if (passed.appearance != LaunchArguments::Appearance::system) {
        forced_ = passed.appearance;
        applyAppearance();
    }
    showMainWindow();
}

void Shell::followDesktop(DesktopAppearance::Scheme scheme)
{
    desktop_ = scheme;
    applyAppearance();
}

void Shell::applyAppearance()
{
    using Scheme = DesktopAppearance::Scheme;
    const std::optional<bool> desktopDark =
        desktop_ == Scheme::noPreference ? std::nullopt : std::optional(desktop_ == Scheme::dark);
    T::setDark(presentation::choosesDark(forced_, desktopDark, options_.paletteDark));
}

} // namespace brindle
