// SettingsWindow: what is checked and how Brindle keeps watch. Folders and backup drives with
// their Remove buttons and pickers; the keep-watch switches, the tray switch and "Open at
// login". A switch takes effect at once through the model, which stores it and starts or stops
// the schedule. "Open at login" shows the system's real state each time the window appears,
// and under it the error of a change the system refused.
//
// One window, hidden when closed and shown again; `closed` tells the shell. Main thread only.
#pragma once

#include <QWidget>

#include <optional>

class QLabel;
class QVBoxLayout;

namespace brindle {

class AppModel;
class Switch;

class SettingsWindow final : public QWidget {
    Q_OBJECT
public:
    // `trayAvailable`: whether the desktop shows tray items; without, a line says so.
    SettingsWindow(AppModel& model, bool trayAvailable, QWidget* parent = nullptr);

    // The switch with that label, for tests.
    Switch* switchFor(const QString& label) const;
    QString loginError() const;

signals:
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void rebuildFolders();
    void rebuildDrives();
    void followWatch();
    void flipOpenAtLogin(bool on);
    void showLoginState();

    AppModel& model_;
    QVBoxLayout* folders_;
    QVBoxLayout* drives_;
    Switch* tray_;
    Switch* login_;
    QLabel* loginError_;
    std::optional<QString> error_;
};

} // namespace brindle
