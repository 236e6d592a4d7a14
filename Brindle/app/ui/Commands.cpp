#include "Brindle/app/ui/Commands.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/services/Desktop.h"

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
      checkAgain_(action(QStringLiteral("Check Again"), QKeySequence(QStringLiteral("Ctrl+R")), this)),
      chooseFolders_(action(QStringLiteral("Choose Folders…"), QKeySequence(QStringLiteral("Ctrl+O")), this)),
      printReport_(action(QStringLiteral("Print Report…"), QKeySequence(QStringLiteral("Ctrl+P")), this)),
      settings_(action(QStringLiteral("Settings…"), QKeySequence(QStringLiteral("Ctrl+,")), this)),
      quit_(action(QStringLiteral("Quit"), QKeySequence(QStringLiteral("Ctrl+Q")), this)),
      showMainWindow_(action(QStringLiteral("Brindle"), QKeySequence(QStringLiteral("Ctrl+0")), this)),
      help_(action(QStringLiteral("Brindle Help"), QKeySequence(QStringLiteral("F1")), this)),
      checkForUpdates_(action(QStringLiteral("Check for Updates"), {}, this))
{
    settings_->setMenuRole(QAction::PreferencesRole);
    quit_->setMenuRole(QAction::QuitRole);
    connect(checkAgain_, &QAction::triggered, &model_, &AppModel::start);
    connect(chooseFolders_, &QAction::triggered, &model_, &AppModel::chooseFolders);
    connect(printReport_, &QAction::triggered, this, &Commands::printRequested);
    connect(settings_, &QAction::triggered, this, &Commands::settingsRequested);
    connect(quit_, &QAction::triggered, this, &Commands::quitRequested);
    connect(showMainWindow_, &QAction::triggered, this, &Commands::mainWindowRequested);
    connect(help_, &QAction::triggered, this, [&desktop] { desktop.openUrl(QUrl(helpPage())); });
    connect(checkForUpdates_, &QAction::triggered, this,
            [&desktop, version] { desktop.openUrl(QUrl(updatePage(version))); });
    connect(&model_, &AppModel::checkingChanged, this, &Commands::follow);
    connect(&model_, &AppModel::resultChanged, this, &Commands::follow);
    follow();
}

void Commands::follow()
{
    checkAgain_->setEnabled(!model_.checking() && !model_.demo());
    printReport_->setEnabled(model_.result().has_value());
}

void Commands::addMenus(QMenuBar& bar) const
{
    QMenu* file = bar.addMenu(QStringLiteral("&File"));
    file->addAction(checkAgain_);
    file->addAction(chooseFolders_);
    file->addSeparator();
    file->addAction(printReport_);
    file->addSeparator();
    file->addAction(settings_);
    file->addSeparator();
    file->addAction(quit_);
    QMenu* window = bar.addMenu(QStringLiteral("&Window"));
    window->addAction(showMainWindow_);
    QMenu* help = bar.addMenu(QStringLiteral("&Help"));
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
