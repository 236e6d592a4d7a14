#include "Brindle/app/ui/SettingsWindow.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/ScreenWords.h"
#include "Brindle/app/ui/Buttons.h"
#include "Brindle/app/ui/Screen.h"
#include "Brindle/app/ui/Switch.h"
#include "Brindle/app/ui/Text.h"
#include "Brindle/app/ui/Theme.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>

#include <array>

namespace brindle {

namespace {
struct WatchSwitch {
    std::string (*label)();
    bool WatchSettings::*field;
};

constexpr std::array<WatchSwitch, 4> watchSwitches{{
    {words::checkEveryWeek, &WatchSettings::weekly},
    {words::noteOldBackup, &WatchSettings::oldBackup},
    {words::noteDriveAway, &WatchSettings::driveAway},
    {words::noteMoreWithout, &WatchSettings::moreWithout},
}};

QWidget* sectionTitle(const QString& text, QWidget* parent)
{
    auto* title = label(text, T::semibold(13), T::Colour::text2, parent);
    title->setContentsMargins(4, 8, 0, 0);
    return title;
}

// A row of a card: words on the left, a control on the right.
QHBoxLayout* row(QVBoxLayout* card)
{
    auto* line = new QHBoxLayout;
    line->setContentsMargins(0, 6, 0, 6);
    line->setSpacing(12);
    card->addLayout(line);
    return line;
}

void clear(QLayout* layout)
{
    while (QLayoutItem* item = layout->takeAt(0)) {
        if (QWidget* widget = item->widget())
            widget->deleteLater();
        else if (QLayout* inner = item->layout())
            clear(inner);
        delete item;
    }
}
} // namespace

SettingsWindow::SettingsWindow(AppModel& model, bool trayAvailable, QWidget* parent) : QWidget(parent), model_(model)
{
    setWindowTitle(q(words::settingsTitle()));
    setWindowFlag(Qt::Window);
    resize(600, 680);
    setMinimumSize(520, 420);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* area = new QScrollArea(this);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    outer->addWidget(area);
    auto* page = new ScreenPage(area, 640);
    area->setWidget(page);
    QVBoxLayout* column = page->column();

    column->addWidget(sectionTitle(q(words::folders()), page));
    auto* folders = new Card(page);
    folders_ = folders->column();
    folders_->setSpacing(0);
    column->addWidget(folders);

    column->addWidget(sectionTitle(q(words::backupDrives()), page));
    auto* drives = new Card(page);
    drives_ = drives->column();
    drives_->setSpacing(0);
    column->addWidget(drives);

    column->addWidget(sectionTitle(q(words::keepWatch()), page));
    auto* watchCard = new Card(page);
    QVBoxLayout* switches = watchCard->column();
    switches->setSpacing(0);
    const auto addSwitch = [&](const QString& text) {
        QHBoxLayout* line = row(switches);
        auto* words = label(text, T::text(14), T::Colour::text, watchCard);
        words->setWordWrap(true);
        line->addWidget(words, 1);
        auto* control = new Switch(text, watchCard);
        line->addWidget(control, 0, Qt::AlignVCenter);
        return control;
    };
    for (const WatchSwitch& each : watchSwitches) {
        Switch* control = addSwitch(q(each.label()));
        connect(control, &Switch::toggled, this, [this, field = each.field](bool on) {
            WatchSettings watch = model_.keepWatch().watch();
            watch.*field = on;
            model_.keepWatch().setWatch(watch);
        });
        switches->addWidget(new Hairline(watchCard));
    }
    tray_ = addSwitch(q(words::showInTray()));
    connect(tray_, &Switch::toggled, &model_.view(), &ViewState::setShowInMenuBar);
    if (!trayAvailable) {
        auto* none = label(q(words::noTray()), T::text(12), T::Colour::muted, watchCard);
        none->setWordWrap(true);
        none->setContentsMargins(0, 0, 0, 6);
        switches->addWidget(none);
    }
    switches->addWidget(new Hairline(watchCard));
    login_ = addSwitch(q(words::openAtLogin()));
    connect(login_, &Switch::toggled, this, &SettingsWindow::flipOpenAtLogin);
    loginError_ = label({}, T::text(12), T::Colour::accent, watchCard);
    loginError_->setWordWrap(true);
    loginError_->setContentsMargins(0, 0, 0, 6);
    loginError_->hide();
    switches->addWidget(loginError_);
    column->addWidget(watchCard);
    auto* footnote = label(q(words::watchFootnote()), T::text(12), T::Colour::muted, page);
    footnote->setWordWrap(true);
    footnote->setContentsMargins(4, 0, 4, 0);
    column->addWidget(footnote);
    column->addStretch(1);

    connect(&model_.grants(), &Grants::foldersChanged, this, &SettingsWindow::rebuildFolders);
    connect(&model_.grants(), &Grants::drivesChanged, this, &SettingsWindow::rebuildDrives);
    connect(&model_.keepWatch(), &KeepWatch::watchChanged, this, &SettingsWindow::followWatch);
    connect(&model_.view(), &ViewState::showInMenuBarChanged, this, &SettingsWindow::followWatch);
    rebuildFolders();
    rebuildDrives();
    followWatch();
    showLoginState();
}

Switch* SettingsWindow::switchFor(const QString& text) const
{
    for (Switch* each : findChildren<Switch*>())
        if (each->accessibleName() == text)
            return each;
    return nullptr;
}

QString SettingsWindow::loginError() const { return loginError_->isHidden() ? QString() : loginError_->text(); }

void SettingsWindow::rebuildFolders()
{
    clear(folders_);
    auto* card = folders_->parentWidget();
    for (const Grant& grant : model_.grants().folders()) {
        QHBoxLayout* line = row(folders_);
        auto* words = new QVBoxLayout;
        words->setSpacing(1);
        words->addWidget(label(q(grant.name), T::text(14), T::Colour::text, card));
        auto* path = label(q(grant.path), T::text(12), T::Colour::muted, card);
        path->setTextInteractionFlags(Qt::TextSelectableByMouse);
        words->addWidget(path);
        line->addLayout(words, 1);
        auto* remove = new PlainButton(q(words::remove()), card);
        remove->setAccessibleName(q(words::removeNamed(grant.name)));
        connect(remove, &QPushButton::clicked, this, [this, grant] { model_.grants().remove(grant); });
        line->addWidget(remove, 0, Qt::AlignVCenter);
        folders_->addWidget(new Hairline(card));
    }
    if (model_.grants().folders().empty()) {
        row(folders_)->addWidget(label(q(words::noneChosen()), T::text(14), T::Colour::muted, card));
        folders_->addWidget(new Hairline(card));
    }
    QHBoxLayout* buttons = row(folders_);
    auto* add = new PlainButton(q(words::addFolder()), card);
    connect(add, &QPushButton::clicked, &model_.grants(), &Grants::chooseFolders);
    buttons->addWidget(add);
    buttons->addStretch(1);
}

void SettingsWindow::rebuildDrives()
{
    clear(drives_);
    auto* card = drives_->parentWidget();
    const auto button = [&](const QString& title, bool adding, QHBoxLayout* line) {
        auto* choose = new PlainButton(title, card);
        connect(choose, &QPushButton::clicked, this, [this, adding] { model_.actions().chooseDrive(adding); });
        line->addWidget(choose, 0, Qt::AlignVCenter);
    };
    if (model_.grants().drives().empty()) {
        QHBoxLayout* line = row(drives_);
        line->addWidget(label(q(words::noneChosen()), T::text(14), T::Colour::muted, card), 1);
        button(q(words::chooseDrive()), false, line);
        return;
    }
    for (const Grant& drive : model_.grants().drives()) {
        QHBoxLayout* line = row(drives_);
        auto* words = new QVBoxLayout;
        words->setSpacing(1);
        words->addWidget(label(q(drive.name), T::text(14), T::Colour::text, card));
        words->addWidget(label(q(drive.path), T::text(12), T::Colour::muted, card));
        line->addLayout(words, 1);
        auto* remove = new PlainButton(q(words::remove()), card);
        remove->setAccessibleName(q(words::removeNamed(drive.name)));
        connect(remove, &QPushButton::clicked, this, [this, drive] { model_.grants().removeDrive(drive); });
        line->addWidget(remove, 0, Qt::AlignVCenter);
        drives_->addWidget(new Hairline(card));
    }
    QHBoxLayout* buttons = row(drives_);
    button(q(words::addAnotherDrive()), true, buttons);
    button(q(words::chooseAnotherDrive()), false, buttons);
    buttons->addStretch(1);
}

void SettingsWindow::followWatch()
{
    for (const WatchSwitch& each : watchSwitches) {
        Switch* control = switchFor(q(each.label()));
        const QSignalBlocker quiet(control);
        control->setChecked(model_.keepWatch().watch().*each.field);
    }
    const QSignalBlocker quiet(tray_);
    tray_->setChecked(model_.view().showInMenuBar());
}

void SettingsWindow::flipOpenAtLogin(bool on)
{
    error_ = model_.actions().setOpenAtLogin(on);
    showLoginState();
}

void SettingsWindow::showLoginState()
{
    {
        const QSignalBlocker quiet(login_);
        login_->setChecked(model_.actions().openAtLogin());
    }
    loginError_->setText(error_.value_or(QString()));
    loginError_->setVisible(error_.has_value());
}

void SettingsWindow::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        error_.reset();
        showLoginState();
    }
    QWidget::showEvent(event);
}

void SettingsWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    hide();
    emit closed();
}

} // namespace brindle
