// TrayPanel: the answer at a glance, 320 pixels wide: the tagline, the answer, the total's
// band, the backup line, the next weekly check (hidden while checking), "Reading N files" or
// "Check Again", and "Open Brindle". It is the tray item's popup and, with "-menubar", a window
// of its own. As the popup it is a frameless tool window that hides when it loses focus or on
// Escape: a Qt::Popup would be left out of the accessibility tree, where screen readers look.
// It redraws itself from the model; `openRequested` asks for the main window.
// `closed` is emitted when it is closed as a window (it then hides and is kept).
// Main thread only.
#pragma once

#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QVBoxLayout;

namespace brindle {

class AppModel;

class TrayPanel final : public QWidget {
    Q_OBJECT
public:
    static constexpr int width = 320;
    // The window flags of the tray item's popup.
    static constexpr Qt::WindowFlags popupFlags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;

    explicit TrayPanel(AppModel& model, QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    // Whether the popup was dismissed a moment ago: the click on the tray item that took its
    // focus away is then a click to close it, not to open it again.
    bool justDismissed() const { return dismissed_.isValid() && dismissed_.elapsed() < 400; }

    // The texts shown, top to bottom, for tests.
    QStringList texts() const;

signals:
    void openRequested();
    void closed();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void rebuild();
    bool isPopup() const { return windowFlags().testFlag(Qt::FramelessWindowHint); }

    AppModel& model_;
    QElapsedTimer dismissed_;
    QVBoxLayout* layout_;
    QWidget* content_ = nullptr;
    QLabel* reading_ = nullptr;
};

} // namespace brindle
