// TrayPanel: the answer at a glance, 320 pixels wide: the tagline, the answer, the total's
// band, the backup line, the next weekly check (hidden while checking), "Reading N files" or
// "Check Again", and "Open Brindle". It is the tray item's popup and, with "-menubar", a window
// of its own. It redraws itself from the model; `openRequested` asks for the main window.
// `closed` is emitted when it is closed as a window (it then hides and is kept).
// Main thread only.
#pragma once

#include <QWidget>

class QLabel;
class QVBoxLayout;

namespace brindle {

class AppModel;

class TrayPanel final : public QWidget {
    Q_OBJECT
public:
    static constexpr int width = 320;

    explicit TrayPanel(AppModel& model, QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    // The texts shown, top to bottom, for tests.
    QStringList texts() const;

signals:
    void openRequested();
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void rebuild();

    AppModel& model_;
    QVBoxLayout* layout_;
    QWidget* content_ = nullptr;
    QLabel* reading_ = nullptr;
};

} // namespace brindle
