#include "Brindle/app/ui/TrayPanel.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/Presentation.h"
#include "Brindle/app/model/ScreenWords.h"
#include "Brindle/app/model/TrayPresentation.h"
#include "Brindle/app/ui/Buttons.h"
#include "Brindle/app/ui/CoverageBand.h"
#include "Brindle/app/ui/Screen.h"
#include "Brindle/app/ui/Text.h"
#include "Brindle/app/ui/Theme.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

namespace brindle {

TrayPanel::TrayPanel(AppModel& model, QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags), model_(model)
{
    setWindowTitle(q(words::brindle()));
    setFixedWidth(width);
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    for (const auto change : {&CheckLoop::resultChanged, &CheckLoop::historyChanged})
        connect(&model_.checks(), change, this, &TrayPanel::rebuild);
    connect(&model_.grants(), &Grants::drivesChanged, this, &TrayPanel::rebuild);
    connect(&model_.checks(), &CheckLoop::checkingChanged, this, &TrayPanel::rebuild);
    connect(&model_.checks(), &CheckLoop::progressDoneChanged, this, [this] {
        if (reading_)
            reading_->setText(q(presentation::statusText(true, model_.checks().progressDone(), model_.checks().result(),
                                                         model_.now(), model_.calendar())));
    });
    connect(&model_.keepWatch(), &KeepWatch::watchChanged, this, &TrayPanel::rebuild);
    connect(&T::changes(), &ThemeChanges::changed, this, [this] { update(); });
    // "tomorrow" becomes "today" without any change in the model.
    auto* minute = new QTimer(this);
    minute->start(60'000);
    connect(minute, &QTimer::timeout, this, &TrayPanel::rebuild);
    rebuild();
}

void TrayPanel::rebuild()
{
    const Instant now = model_.now();
    const Calendar calendar = model_.calendar();
    const auto& result = model_.checks().result();
    reading_ = nullptr;
    auto* content = new QWidget(this);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(18, 16, 18, 16);
    column->setSpacing(8);

    auto* question = label(q(model_.guide().line), T::semibold(12), T::Colour::accent, content);
    question->setWordWrap(true);
    column->addWidget(question);
    auto* answer =
        label(q(presentation::panelAnswer(model_.checks().report())), T::title(16), T::Colour::text, content);
    answer->setWordWrap(true);
    column->addWidget(answer);
    if (result && result->total().files > 0) {
        const FolderTally total = result->total();
        auto* band = new CoverageBand(total, presentation::bandScale({total}, true), true, 10, content);
        band->setAccessibleName(q(presentation::bandSummary(total)));
        column->addWidget(band);
    }
    auto* backup =
        label(q(presentation::panelBackupLine(result, now, calendar)), T::text(12), T::Colour::text, content);
    backup->setWordWrap(true);
    column->addWidget(backup);
    if (!model_.checks().checking()) {
        auto* watch = label(q(presentation::panelWatchLine(model_.keepWatch().watch().weekly, result, now, calendar)),
                            T::text(11), T::Colour::muted, content);
        watch->setWordWrap(true);
        column->addWidget(watch);
    }
    column->addSpacing(4);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    if (model_.checks().checking()) {
        reading_ = label(q(presentation::statusText(true, model_.checks().progressDone(), result, now, calendar)),
                         T::text(12), T::Colour::text2, content);
        reading_->setWordWrap(true);
        buttons->addWidget(reading_, 1);
    } else {
        auto* again = new PlainButton(q(words::checkAgain()), content);
        again->setEnabled(presentation::canCheckNow(model_.checks().checking(), model_.demo()));
        connect(again, &QPushButton::clicked, &model_.checks(), &CheckLoop::start);
        buttons->addWidget(again);
    }
    buttons->addStretch(1);
    auto* open = new PrimaryButton(q(words::openBrindle()), content);
    connect(open, &QPushButton::clicked, this, &TrayPanel::openRequested);
    buttons->addWidget(open);
    column->addLayout(buttons);

    replacePage(*layout_, content_, content);
    // Wrapped lines need the height for the panel's width, which sizeHint does not give.
    resize(width, layout_->totalHeightForWidth(width));
}

QStringList TrayPanel::texts() const
{
    QStringList shown;
    if (!content_)
        return shown;
    for (const QWidget* child : content_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (const auto* text = qobject_cast<const QLabel*>(child))
            shown << text->text();
        else if (const auto* button = qobject_cast<const QAbstractButton*>(child))
            shown << button->text();
    }
    return shown;
}

bool TrayPanel::event(QEvent* event)
{
    const bool dismissed =
        event->type() == QEvent::WindowDeactivate ||
        (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape);
    if (isPopup() && dismissed) {
        if (isVisible())
            dismissed_.start();
        hide();
        return true;
    }
    return QWidget::event(event);
}

void TrayPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), T::colour(T::Colour::ground));
    if (isPopup()) {
        painter.setPen(QPen(T::colour(T::Colour::hairline), 1));
        painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    }
}

void TrayPanel::closeEvent(QCloseEvent* event)
{
    event->ignore();
    hide();
    emit closed();
}

} // namespace brindle
