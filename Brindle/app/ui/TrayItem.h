// TrayItem: Brindle in the system tray. Its icon carries the count of files with no second
// copy as a badge and its tooltip says it in words; clicking it opens the panel as a popup
// beside it, and its menu offers the panel's actions. It is shown while the model's tray
// switch is on, never in the demonstration. On a desktop without a tray host nothing
// appears, and nothing else changes.
//
// Main thread only. The icon's ink follows the appearance.
#pragma once

#include <QObject>

#include <memory>

class QMenu;
class QSystemTrayIcon;

namespace brindle {

class AppModel;
class Commands;
class TrayPanel;

class TrayItem final : public QObject {
    Q_OBJECT
public:
    TrayItem(AppModel& model, const Commands& commands, QObject* parent = nullptr);
    ~TrayItem() override;

    QSystemTrayIcon& icon() const { return *icon_; }
    // The badge drawn on the icon now; empty for the bare icon.
    QString badge() const { return badge_; }
    // Opens the panel beside the icon (or the pointer, when the tray does not say where it is).
    void showPanel();
    TrayPanel* panel() const { return panel_.get(); }

signals:
    void openRequested();

private:
    void follow();
    void redraw();

    AppModel& model_;
    std::unique_ptr<QMenu> menu_;
    QSystemTrayIcon* icon_;
    std::unique_ptr<TrayPanel> panel_;
    QString badge_;
};

} // namespace brindle
