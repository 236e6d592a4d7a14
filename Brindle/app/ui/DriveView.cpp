#include "Brindle/app/ui/DriveView.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/OpenKeys.h"
#include "Brindle/app/model/PlaceTexts.h"
#include "Brindle/app/model/RemoteBackupPlace.h"
#include "Brindle/app/model/ScreenWords.h"
#include "Brindle/app/ui/Buttons.h"
#include "Brindle/app/ui/Screen.h"
#include "Brindle/app/ui/Text.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace brindle {

namespace {
// A side-panel box; in the accent colour when it holds files with no second copy.
class SideBox final : public QWidget {
public:
    SideBox(const placeTexts::SideBox& box, QWidget* parent) : QWidget(parent), accent_(box.accent)
    {
        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(16, 14, 16, 14);
        column->setSpacing(4);
        column->addWidget(label(q(box.title), T::semibold(13), accent_ ? T::Colour::accent : T::Colour::text, this));
        column->addWidget(label(q(box.figure), T::title(24), accent_ ? T::Colour::accent : T::Colour::text, this));
        auto* line = label(q(box.line), T::text(13), T::Colour::text2, this);
        line->setWordWrap(true);
        column->addWidget(line);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
        QColor fill = accent_ ? T::colour(T::Colour::accent) : T::colour(T::Colour::card);
        if (accent_)
            fill.setAlphaF(T::dark() ? 0.16f : 0.07f);
        painter.fillPath(shape, fill);
        QColor edge = accent_ ? T::colour(T::Colour::accent) : T::colour(T::Colour::hairline);
        if (accent_)
            edge.setAlphaF(0.45f);
        painter.setPen(QPen(edge, 1));
        painter.drawPath(shape);
    }

private:
    bool accent_;
};
} // namespace

DriveView::DriveView(AppModel& model, QWidget* parent) : QScrollArea(parent), model_(model)
{
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    connect(&model_.checks(), &CheckLoop::resultChanged, this, &DriveView::rebuild);
    connect(&model_.grants(), &Grants::drivesChanged, this, &DriveView::rebuild);
    rebuild();
}

void DriveView::rebuild()
{
    auto* page = new ScreenPage(this, 1000);
    QVBoxLayout* column = page->column();
    const auto& result = model_.checks().result();
    if (model_.grants().drives().empty()) {
        auto* title = label(q(placeTexts::noDriveTitle(result)), T::title(28), T::Colour::text, page);
        title->setWordWrap(true);
        column->addWidget(title);
        const bool drivesAdvised = placeTexts::drivesAdvised(result);
        if (drivesAdvised) {
            auto* text = label(q(placeTexts::noDriveText()), T::text(14), T::Colour::text2, page);
            text->setWordWrap(true);
            column->addWidget(text);
        }
        if (const auto remote = presentation::remoteCard(result, model_.now(), model_.calendar())) {
            auto* cards = new QVBoxLayout;
            cards->setSpacing(10);
            cards->addWidget(label(q(words::yourBackups()), T::semibold(13), T::Colour::muted, page));
            cards->addWidget(card(remote->target, remote->rows, remote->line, page));
            auto* columns = new QHBoxLayout;
            columns->addLayout(cards, 3);
            columns->addStretch(2);
            column->addSpacing(6);
            column->addLayout(columns);
            column->addSpacing(6);
        }
        auto* buttons = new QHBoxLayout;
        // The drive a backup tool on this computer writes to, when it is here: still one click
        // by the person, never chosen for them.
        if (!drivesAdvised) {
            auto* settings = new PrimaryButton(q(words::openBackupSettings()), page);
            connect(settings, &QPushButton::clicked, &model_,
                    [this] { model_.actions().open(openKeys::backupSettings); });
            buttons->addWidget(settings);
            buttons->addWidget(new PlainButton(q(words::chooseDrive()), page));
        } else if (const auto suggestion = model_.driveWatch().suggestedDrive()) {
            auto* use = new PrimaryButton(q(placeTexts::useDriveTitle(suggestion->name, suggestion->tool)), page);
            connect(use, &QPushButton::clicked, &model_,
                    [this, path = suggestion->path] { model_.grants().useDrive(path); });
            buttons->addWidget(use);
            buttons->addWidget(new PlainButton(q(words::chooseDrive()), page));
        } else {
            buttons->addWidget(new PrimaryButton(q(words::chooseDrive()), page));
        }
        auto* choose = static_cast<QPushButton*>(buttons->itemAt(buttons->count() - 1)->widget());
        connect(choose, &QPushButton::clicked, &model_, [this] { model_.actions().chooseDrive(false); });
        buttons->addStretch(1);
        column->addLayout(buttons);
    } else {
        auto* columns = new QHBoxLayout;
        columns->setSpacing(20);
        auto* cards = new QVBoxLayout;
        cards->setSpacing(10);
        if (result) {
            bool first = true;
            for (const DriveState& drive : result->drives()) {
                cards->addWidget(label(first ? q(words::yourBackupDrive()) : q(words::anotherBackupDrive()),
                                       T::semibold(13), T::Colour::muted, page));
                cards->addWidget(driveCard(drive, page));
                first = false;
            }
        }
        cards->addStretch(1);
        columns->addLayout(cards, 3);
        columns->addWidget(sidePanel(page), 2, Qt::AlignTop);
        column->addLayout(columns);

        auto* buttons = new QHBoxLayout;
        auto* settings = new PlainButton(q(words::openBackupSettings()), page);
        connect(settings, &QPushButton::clicked, &model_, [this] { model_.actions().open(openKeys::backupSettings); });
        auto* add = new PlainButton(q(words::addAnotherDrive()), page);
        connect(add, &QPushButton::clicked, &model_, [this] { model_.actions().chooseDrive(true); });
        auto* replace = new PlainButton(q(words::chooseAnotherDrive()), page);
        connect(replace, &QPushButton::clicked, &model_, [this] { model_.actions().chooseDrive(false); });
        for (QWidget* button :
             {static_cast<QWidget*>(settings), static_cast<QWidget*>(add), static_cast<QWidget*>(replace)})
            buttons->addWidget(button);
        buttons->addStretch(1);
        column->addSpacing(6);
        column->addLayout(buttons);
    }
    column->addStretch(1);
    replacePage(*this, page);
}

QWidget* DriveView::driveCard(const DriveState& drive, QWidget* parent)
{
    const Calendar calendar = model_.calendar();
    return card(drive.facts.name, placeTexts::driveRows(drive, model_.now(), calendar),
                placeTexts::backupsLine(drive, model_.now(), calendar), parent);
}

QWidget* DriveView::card(const std::string& name, const std::vector<placeTexts::DriveRow>& rows,
                         const std::string& footnote, QWidget* parent)
{
    auto* card = new Card(parent);
    card->column()->setSpacing(8);
    card->column()->addWidget(label(q(name), T::title(20), T::Colour::text, card));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(6);
    int row = 0;
    for (const placeTexts::DriveRow& shown : rows) {
        grid->addWidget(label(q(shown.label), T::text(13), shown.warning ? T::Colour::accent : T::Colour::muted, card),
                        row, 0, Qt::AlignTop);
        auto* text = label(q(shown.value), T::text(13), T::Colour::text, card);
        text->setWordWrap(true);
        grid->addWidget(text, row++, 1);
    }
    grid->setColumnStretch(1, 1);
    card->column()->addLayout(grid);
    auto* backups = label(q(footnote), T::text(12), T::Colour::muted, card);
    backups->setWordWrap(true);
    card->column()->addWidget(backups);
    return card;
}

QWidget* DriveView::sidePanel(QWidget* parent)
{
    auto* panel = new QWidget(parent);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    column->addWidget(label(q(words::newestBackup()), T::semibold(13), T::Colour::muted, panel));
    const auto& result = model_.checks().result();
    const FolderTally total = result ? result->total() : FolderTally{};
    for (const auto& box :
         placeTexts::sideBoxes(total, placeTexts::backupTool(result), presentation::cloudClient(result)))
        column->addWidget(new SideBox(box, panel));
    return panel;
}

} // namespace brindle
