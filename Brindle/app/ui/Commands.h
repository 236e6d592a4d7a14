// Commands: the application's menu commands as actions, with their shortcuts, shared by every
// window that shows a menu. Each action's enabled state follows the model: "Check Again" is
// off while a check runs and in the demonstration, "Print Report" until there is a result.
// The actions that need a window ("Print Report", "Settings", "Brindle") emit the matching
// request; the shell answers them.
//
// Threads: main thread only.
#pragma once

#include <QObject>

class QAction;
class QMenuBar;

namespace brindle {

class AppModel;
class Desktop;

class Commands final : public QObject {
    Q_OBJECT
public:
    Commands(AppModel& model, Desktop& desktop, QString version, QObject* parent = nullptr);

    QAction* checkAgain() const { return checkAgain_; }
    QAction* chooseFolders() const { return chooseFolders_; }
    QAction* printReport() const { return printReport_; }
    QAction* settings() const { return settings_; }
    QAction* quit() const { return quit_; }
    QAction* showMainWindow() const { return showMainWindow_; }
    QAction* help() const { return help_; }
    QAction* checkForUpdates() const { return checkForUpdates_; }

    // Fills `bar` with the menus: File, Window and Help.
    void addMenus(QMenuBar& bar) const;

    // The product's pages.
    static QString updatePage(const QString& version);
    static QString helpPage();

signals:
    void printRequested();
    void settingsRequested();
    void mainWindowRequested();
    void quitRequested();

private:
    void follow();

    AppModel& model_;
    QAction* checkAgain_;
    QAction* chooseFolders_;
    QAction* printReport_;
    QAction* settings_;
    QAction* quit_;
    QAction* showMainWindow_;
    QAction* help_;
    QAction* checkForUpdates_;
};

} // namespace brindle
