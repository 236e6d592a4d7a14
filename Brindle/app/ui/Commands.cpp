#include "Brindle/app/ui/Commands.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/Presentation.h"
#include "Brindle/app/model/ScreenWords.h"
#include "Brindle/app/services/Desktop.h"
#include "Brindle/app/ui/Text.h"

#include <QAction>
#include <QMenuBar>
#include <QUrl>
#include <QUrlQuery>

namespace brindle {

namespace {
QAction* action(const QString& title, const QKeySequence& shortcut, QObject* parent)
{
    auto* action = new QAction(title, parent);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::ApplicationShortcut);
    return action;
}
} // namespace

Commands::Commands(AppModel& model, Desktop& desktop, QString version, QObject* parent)
    : QObject(parent), model_(model),
      checkAgain_(action(q(words::checkAgain()), QKeySequence(QStringLiteral("Ctrl+R")), this)),
      chooseFolders_(action(q(words::chooseFoldersCommand()), QKeySequence(QStringLiteral("Ctrl+O")), this)),
      printReport_(action(q(words::printReportCommand()), QKeySequence(QStringLiteral("Ctrl+P")), this)),
      settings_(action(q(words::settingsCommand()), QKeySequence(QStringLiteral("Ctrl+,")), this)),
      quit_(action(q(words::quit()), QKeySequence(QStringLiteral("Ctrl+Q")), this)),
      showMainWindow_(action(q(words::brindle()), QKeySequence(QStringLiteral("Ctrl+0")), this)),
      help_(action(q(words::help()), QKeySequence(QStringLiteral("F1")), this)),
      checkForUpdates_(action(q(words::checkForUpdates()), {}, this))
{
    settings_->setMenuRole(QAction::PreferencesRole);
    quit_->setMenuRole(QAction::QuitRole);
    connect(checkAgain_, &QAction::triggered, &model_.checks(), &CheckLoop::start);
    connect(chooseFolders_, &QAction::triggered, &model_.grants(), &Grants::chooseFolders);
    connect(printReport_, &QAction::triggered, this, &Commands::printRequested);
    connect(settings_, &QAction::triggered, this, &Commands::settingsRequested);
    connect(quit_, &QAction::triggered, this, &Commands::quitRequested);
    connect(showMainWindow_, &QAction::triggered, this, &Commands::mainWindowRequested);
    connect(help_, &QAction::triggered, this, [&desktop] { desktop.openUrl(QUrl(helpPage())); });
    connect(checkForUpdates_, &QAction::triggered, this,
            [&desktop, version] { desktop.openUrl(QUrl(updatePage(version))); });
    connect(&model_.checks(), &CheckLoop::checkingChanged, this, &Commands::follow);
    connect(&model_.checks(), &CheckLoop::resultChanged, this, &Commands::follow);
    follow();
}

void Commands::follow()
{
    checkAgain_->setEnabled(presentation::canCheckNow(model_.checks().checking(), model_.demo()));
    printReport_->setEnabled(model_.checks().result().has_value());
}

void Commands::addMenus(QMenuBar& bar) const
{
    QMenu* file = bar.addMenu(q(words::fileMenu()));
    file->addAction(checkAgain_);
    file->addAction(chooseFolders_);
    file->addSeparator();
    file->addAction(printReport_);
    file->addSeparator();
    file->addAction(settings_);
    file->addSeparator();
    file->addAction(quit_);
    QMenu* window = bar.addMenu(q(words::windowMenu()));
    window->addAction(showMainWindow_);
    QMenu* help = bar.addMenu(q(words::helpMenu()));
    help->addAction(help_);
    help->addAction(checkForUpdates_);
}

QString Commands::updatePage(const QString& version)
{
    QUrl url(QStringLiteral("https://brindle.app/update"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("v"), version);
    url.setQuery(query);
    return url.toString(QUrl::FullyEncoded);
}

QString Commands::helpPage() { return QStringLiteral("https://brindle.app/help"); }

} // namespace brindle
