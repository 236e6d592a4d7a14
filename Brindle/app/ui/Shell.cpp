#include "Brindle/app/ui/Shell.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/Presentation.h"
#include "Brindle/app/ui/Commands.h"
#include "Brindle/app/ui/MainWindow.h"
#include "Brindle/app/ui/Theme.h"

#include <QCoreApplication>

#include <string_view>
#include <vector>

namespace brindle {

Shell::Shell(AppModel& model, Desktop& desktop, Options options, QObject* parent)
    : QObject(parent), model_(model), options_(std::move(options)),
      commands_(new Commands(model, desktop, options_.version, this)), forced_(model.arguments().appearance)
{
    if (!options_.quit)
        options_.quit = [] { QCoreApplication::quit(); };
    connect(&model_, &AppModel::showMainWindowRequested, this, &Shell::showMainWindow);
    connect(commands_, &Commands::mainWindowRequested, this, &Shell::showMainWindow);
    connect(commands_, &Commands::quitRequested, this, [this] { options_.quit(); });
}

Shell::~Shell() { delete window_; }

MainWindow* Shell::mainWindow() const { return window_; }

void Shell::start()
{
    applyAppearance();
    model_.startWatching();
    if (!model_.demo())
        model_.start();
    showMainWindow();
}

void Shell::showMainWindow()
{
    if (!window_) {
        window_ = new MainWindow(model_, *commands_);
        window_->placeOnScreen();
        connect(window_, &MainWindow::closed, this, &Shell::windowClosed);
        connect(window_, &MainWindow::firstPainted, this, &Shell::mainWindowPainted);
    }
    window_->show();
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->raise();
    window_->activateWindow();
}

void Shell::windowClosed()
{
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
        model_.setSelection(passed.selection);
    if (passed.welcome)
        model_.setShowWelcome(true);
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
