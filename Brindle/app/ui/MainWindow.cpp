#include "Brindle/app/ui/MainWindow.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/Presentation.h"
#include "Brindle/app/model/ScreenWords.h"
#include "Brindle/app/ui/Buttons.h"
#include "Brindle/app/ui/Commands.h"
#include "Brindle/app/ui/DriveFormatsSheet.h"
#include "Brindle/app/ui/PhotosGuideSheet.h"
#include "Brindle/app/ui/Screens.h"
#include "Brindle/app/ui/Sidebar.h"
#include "Brindle/app/ui/Text.h"
#include "Brindle/app/ui/Theme.h"
#include "Brindle/app/ui/WelcomeSheet.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIconEngine>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

namespace brindle {

namespace {
// An icon of one picture, scaled to the size asked for. Qt's own caches each size it draws
// under the application palette's identity, which every switch of appearance renews, and
// keeps the name of every entry it drops.
class PictureIcon final : public QIconEngine {
public:
    explicit PictureIcon(QPixmap picture) : picture_(std::move(picture)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override
    {
        painter->drawPixmap(rect, picture_);
    }
    // `size` in device pixels.
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        return picture_.size() == size ? picture_
                                       : picture_.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    QIconEngine* clone() const override { return new PictureIcon(picture_); }

private:
    QPixmap picture_;
};

// The sidebar switch's symbol: a window with its left column drawn in.
QIcon drawSidebarIcon(bool dark)
{
    QPixmap pixmap(QSize(36, 36));
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = T::colour(T::Colour::text2, dark);
    painter.setPen(QPen(ink, 2.4));
    painter.drawRoundedRect(QRectF(5, 8, 26, 20), 4, 4);
    painter.drawLine(QPointF(14, 8), QPointF(14, 28));
    painter.end();
    pixmap.setDevicePixelRatio(2);
    return QIcon(new PictureIcon(pixmap));
}

// One icon for each appearance, made once: a new icon at every switch of appearance would
// leave its pixmaps behind in the style's caches.
QIcon sidebarIcon()
{
    static const QIcon light = drawSidebarIcon(false);
    static const QIcon dark = drawSidebarIcon(true);
    return T::dark() ? dark : light;
}
} // namespace

MainWindow::MainWindow(AppModel& model, const Commands& commands, QWidget* parent) : QMainWindow(parent), model_(model)
{
    setWindowTitle(q(words::brindle()));
    setMinimumSize(minimumFrame);
    resize(initialFrame);
    commands.addMenus(*menuBar());

    auto* toolbar = addToolBar(q(words::toolbar()));
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->toggleViewAction()->setVisible(false);
    toolbar->setIconSize(QSize(18, 18));
    toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    auto* toggle = toolbar->addAction(sidebarIcon(), q(words::hideSidebar()));
    toggle->setToolTip(q(words::hideSidebar()));
    toggle->setCheckable(true);
    connect(&T::changes(), &ThemeChanges::changed, toggle, [toggle] { toggle->setIcon(sidebarIcon()); });
    status_ = new QLabel(toolbar);
    status_->setFont(T::text(13));
    status_->setAlignment(Qt::AlignCenter);
    status_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    status_->setAccessibleName(q(words::status()));
    T::paint(status_, T::Colour::text2);
    toolbar->addWidget(status_);
    checkAgain_ = new PlainButton(q(words::checkAgain()), toolbar);
    connect(checkAgain_, &QPushButton::clicked, commands.checkAgain(), &QAction::trigger);
    const auto followAction = [this, action = commands.checkAgain()] { checkAgain_->setEnabled(action->isEnabled()); };
    connect(commands.checkAgain(), &QAction::changed, this, followAction);
    followAction();
    toolbar->addWidget(checkAgain_);
    auto* edge = new QWidget(toolbar);
    edge->setFixedWidth(8);
    toolbar->addWidget(edge);

    split_ = new QSplitter(this);
    split_->setChildrenCollapsible(false);
    split_->setHandleWidth(1);
    sidebar_ = new Sidebar(model_, split_);
    split_->addWidget(sidebar_);
    setCentralWidget(split_);
    connect(toggle, &QAction::toggled, this, [this, toggle](bool hidden) {
        sidebar_->setVisible(!hidden);
        toggle->setText(hidden ? q(words::showSidebar()) : q(words::hideSidebar()));
        toggle->setToolTip(toggle->text());
    });

    connect(&model_.view(), &ViewState::selectionChanged, this, &MainWindow::showSelected);
    connect(&model_.view(), &ViewState::showPhotosChanged, this, &MainWindow::showSheets);
    connect(&model_.view(), &ViewState::showWelcomeChanged, this, &MainWindow::presentWelcome);
    connect(&model_.view(), &ViewState::driveFormatsRequested, this, [this] {
        if (findChild<DriveFormatsSheet*>())
            return;
        auto* sheet = new DriveFormatsSheet(this);
        sheet->setAttribute(Qt::WA_DeleteOnClose);
        sheet->open();
    });
    connect(&model_.checks(), &CheckLoop::checkingChanged, this, &MainWindow::updateStatus);
    connect(&model_.checks(), &CheckLoop::progressDoneChanged, this, &MainWindow::updateStatus);
    connect(&model_.checks(), &CheckLoop::resultChanged, this, &MainWindow::updateStatus);
    // "today at 09:05" becomes "yesterday at 09:05" without any change in the model.
    auto* minute = new QTimer(this);
    minute->start(60'000);
    connect(minute, &QTimer::timeout, this, &MainWindow::updateStatus);
    showSelected();
    updateStatus();
    sidebar_->setFocus();
    showSheets();
}

void MainWindow::placeOnScreen()
{
    const QScreen* shownOn = QWidget::screen();
    const QRect available = shownOn ? shownOn->availableGeometry() : QRect();
    const auto kept = model_.view().mainWindowFrame(minimumFrame.width(), minimumFrame.height());
    if (kept) {
        const QRect frame(kept->x, kept->y, kept->width, kept->height);
        if (available.isEmpty() || available.intersects(frame)) {
            resize(frame.size());
            move(frame.topLeft());
            return;
        }
    }
    resize(initialFrame);
    if (!available.isEmpty())
        move(available.center() - QPoint(initialFrame.width() / 2, initialFrame.height() / 2));
}

QString MainWindow::statusText() const { return status_->text(); }

void MainWindow::updateStatus()
{
    const Calendar calendar = model_.calendar();
    status_->setText(QString::fromStdString(presentation::statusText(
        model_.checks().checking(), model_.checks().progressDone(), model_.checks().result(), model_.now(), calendar)));
}

void MainWindow::showSelected()
{
    const Section selected = model_.view().selection().value_or(Section{Section::Kind::overview});
    if (shown_ == selected)
        return;
    QWidget* next = makeScreen(model_, selected, nullptr);
    if (screen_) {
        // The old screen may hold the button whose click led here: it goes once the click is over.
        split_->replaceWidget(1, next);
        screen_->deleteLater();
    } else {
        split_->addWidget(next);
        split_->setStretchFactor(1, 1);
        // Room for the rows' names in languages whose names run longer, but never most of the
        // window for one long folder name.
        const int sidebar = std::clamp(sidebar_->sizeHint().width(), 240, 320);
        split_->setSizes({sidebar, width() - sidebar});
    }
    screen_ = next;
    shown_ = selected;
}

void MainWindow::showSheets()
{
    if (model_.view().showPhotos() && !photosGuide_) {
        photosGuide_ = new PhotosGuideSheet(model_, this);
        photosGuide_->setAttribute(Qt::WA_DeleteOnClose);
        photosGuide_->open();
    } else if (!model_.view().showPhotos() && photosGuide_) {
        photosGuide_->close();
    }
}

void MainWindow::keepFrame()
{
    if (isMaximized() || isFullScreen())
        return;
    const QRect frame = geometry();
    model_.view().keepMainWindowFrame({frame.x(), frame.y(), frame.width(), frame.height()});
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    keepFrame();
    event->ignore();
    hide();
    emit closed();
}

WelcomeSheet* MainWindow::welcomeSheet() const { return welcome_; }

// The sheet is shown over the window while the model wants it and the window is shown.
void MainWindow::presentWelcome()
{
    if (!model_.view().showWelcome() || welcome_ || !isVisible())
        return;
    welcome_ = new WelcomeSheet(model_, this);
    welcome_->setAttribute(Qt::WA_DeleteOnClose);
    welcome_->open();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    QTimer::singleShot(0, this, &MainWindow::presentWelcome);
}

bool MainWindow::event(QEvent* event)
{
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::UpdateRequest && isVisible()) {
        if (!painted_) {
            painted_ = true;
            QTimer::singleShot(0, this, &MainWindow::firstPainted);
        }
    }
    return handled;
}

} // namespace brindle
