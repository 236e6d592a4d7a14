// WelcomeSheet: the first-run sheet over the main window, in three steps: the folders, the
// backup drive and the look at Photos. It follows the model while it is open (a folder granted
// turns "Choose Folders" into "Add More" and brings "Continue"). However it closes, the model's
// `showWelcome` is cleared; "Show Me How" also raises the Photos guide through `showPhotos`.
// Window-modal; main thread only.
#pragma once

#include <QDialog>

class QVBoxLayout;

namespace brindle {

class AppModel;

class WelcomeSheet final : public QDialog {
    Q_OBJECT
public:
    static constexpr QSize size{620, 520};

    explicit WelcomeSheet(AppModel& model, QWidget* parent = nullptr);

    int step() const { return step_; }
    void setStep(int step);

private:
    void rebuild();
    QWidget* buttons(QWidget* parent);

    AppModel& model_;
    int step_ = 1;
    QWidget* page_ = nullptr;
    QVBoxLayout* layout_;
};

} // namespace brindle
