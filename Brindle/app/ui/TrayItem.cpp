#include "Brindle/app/ui/TrayItem.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/ScreenWords.h"
#include "Brindle/app/model/TrayPresentation.h"
#include "Brindle/app/ui/Commands.h"
#include "Brindle/app/ui/Text.h"
#include "Brindle/app/ui/Theme.h"
#include "Brindle/app/ui/TrayIcon.h"
#include "Brindle/app/ui/TrayPanel.h"

#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QSystemTrayIcon>

#include <algorithm>

namespace brindle {

namespace {
// Where a popup of `size` goes beside `anchor`: centred on it, below it in the upper half of
// the screen and above it in the lower, and always within `screen`.
QPoint besides(const QRect& anchor, const QSize& size, const QRect& screen)
{
    const bool below = anchor.center().y() < screen.center().y();
    int x = anchor.center().x() - size.width() / 2;
    int y = below ? anchor.bottom() + 6 : anchor.top() - 6 - size.height();
    x = std::clamp(x, screen.left(), std::max(screen.left(), screen.right() - size.width()));
    y = std::clamp(y, screen.top(), std::max(screen.top(), screen.bottom() - size.height()));
    return {x, y};
}
} // namespace

TrayItem::TrayItem(AppModel& model, const Commands& commands, QObject* parent)
    : QObject(parent), model_(model), menu_(std::make_unique<QMenu>()), icon_(new QSystemTrayIcon(this))
{
    menu_->addAction(q(words::openBrindle()), this, &TrayItem::openRequested);
    menu_->addAction(commands.checkAgain());
    menu_->addAction(commands.settings());
    menu_->addSeparator();
    menu_->addAction(commands.quit());
    icon_->setContextMenu(menu_.get());
    connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            showPanel();
    });
    connect(&model_.checks(), &CheckLoop::resultChanged, this, &TrayItem::redraw);
    connect(&model_.view(), &ViewState::showInMenuBarChanged, this, &TrayItem::follow);
    connect(&T::changes(), &ThemeChanges::changed, this, &TrayItem::redraw);
    redraw();
    follow();
}

TrayItem::~TrayItem()
{
    // The icon before the menu it shows.
    delete icon_;
}

void TrayItem::follow()
{
    const bool shown = model_.view().showInMenuBar() && !model_.demo();
    icon_->setVisible(shown);
    if (!shown && panel_)
        panel_->hide();
}

void TrayItem::redraw()
{
    const std::int64_t count = presentation::trayCount(model_.checks().result());
    badge_ = QString::fromStdString(presentation::trayBadge(count));
    icon_->setIcon(trayIcon(badge_, T::colour(T::Colour::text)));
    icon_->setToolTip(QString::fromStdString(presentation::trayLabel(count)));
}

void TrayItem::showPanel()
{
    if (!panel_) {
        panel_ = std::make_unique<TrayPanel>(model_, nullptr, TrayPanel::popupFlags);
        connect(panel_.get(), &TrayPanel::openRequested, this, [this] {
            panel_->hide();
            emit openRequested();
        });
    }
    if (panel_->isVisible() || panel_->justDismissed()) {
        panel_->hide();
        return;
    }
    const QRect tray = icon_->geometry();
    const QRect anchor = tray.isValid() && !tray.isEmpty() ? tray : QRect(QCursor::pos(), QSize(1, 1));
    const QScreen* screen = QGuiApplication::screenAt(anchor.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(anchor.center(), panel_->size());
    panel_->move(besides(anchor, panel_->size(), available));
    panel_->show();
    panel_->activateWindow();
}

} // namespace brindle
