// MainWindow: the sidebar of places on the left and the selected place's screen on the right,
// under a toolbar with the sidebar switch, the status line and "Check Again".
//
// Closing hides the window; it is kept and shown again. Whether the application then quits is
// the shell's decision (`closed` tells it). The window reads and keeps its frame through the
// model. Main thread only.
#pragma once

#include "Brindle/app/model/Section.h"

#include <QMainWindow>
#include <QPointer>

#include <optional>

class QDialog;
class QLabel;
class QSplitter;

namespace brindle {

class AppModel;
class Commands;
class Sidebar;
class StyledButton;
class WelcomeSheet;

class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    static constexpr QSize minimumFrame{1000, 640};
    static constexpr QSize initialFrame{1232, 760};

    MainWindow(AppModel& model, const Commands& commands, QWidget* parent = nullptr);

    // Restores the kept frame, or centres the window at its first size.
    void placeOnScreen();
    QString statusText() const;
    // The selected place's screen.
    QWidget* placeScreen() const { return screen_; }
    Sidebar* sidebar() const { return sidebar_; }
    // The welcome sheet while it is shown over the window.
    WelcomeSheet* welcomeSheet() const;

signals:
    void closed();
    // Emitted once, after the window was first painted.
    void firstPainted();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void showSelected();
    // Presents the sheets the model asks for, and takes them away when it stops asking.
    void showSheets();
    void updateStatus();
    void keepFrame();
    void presentWelcome();

    AppModel& model_;
    QSplitter* split_;
    Sidebar* sidebar_;
    QWidget* screen_ = nullptr;
    std::optional<Section> shown_;
    QLabel* status_;
    StyledButton* checkAgain_;
    bool painted_ = false;
    QPointer<QDialog> photosGuide_;
    QPointer<WelcomeSheet> welcome_;
};

} // namespace brindle
