#include "Brindle/app/ui/AllFoldersView.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/FolderTableModel.h"
#include "Brindle/app/model/OpenKeys.h"
#include "Brindle/app/model/Presentation.h"
#include "Brindle/app/model/ScreenWords.h"
#include "Brindle/app/ui/Buttons.h"
#include "Brindle/app/ui/CoverageBand.h"
#include "Brindle/app/ui/Screen.h"
#include "Brindle/app/ui/Text.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace brindle {

namespace {
class CellDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width() + 8, 32};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        using T::Colour;
        using Tone = FolderTableModel::Tone;
        painter->save();
        const bool total = index.data(FolderTableModel::TotalRole).toBool();
        // The view has already drawn the style's own selection here: cover it.
        painter->fillRect(option.rect, T::colour(Colour::ground));
        if (option.state & QStyle::State_Selected && !total) {
            QColor fill = T::colour(Colour::accent);
            fill.setAlphaF(T::dark() ? 0.24f : 0.10f);
            painter->fillRect(option.rect, fill);
        }
        painter->setPen(T::colour(Colour::hairline));
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        const QString text = index.data().toString();
        const auto tone = static_cast<Tone>(index.data(FolderTableModel::ToneRole).toInt());
        const QRect inner = option.rect.adjusted(10, 0, -10, 0);
        if (index.column() == FolderTableModel::folder) {
            painter->setFont(total ? T::semibold(13) : T::text(13));
            painter->setPen(T::colour(Colour::text));
            painter->drawText(inner, Qt::AlignLeft | Qt::AlignVCenter,
                              painter->fontMetrics().elidedText(text, Qt::ElideMiddle, inner.width()));
        } else {
            painter->setFont(tone == Tone::accent || total ? T::semibold(13) : T::text(13));
            painter->setPen(T::colour(tone == Tone::muted    ? Colour::muted
                                      : tone == Tone::accent ? Colour::accent
                                                             : Colour::text));
            paintFigures(*painter, inner, text);
        }
        painter->restore();
    }
};
} // namespace

AllFoldersView::AllFoldersView(AppModel& model, placeTexts::Filter filter, QWidget* parent)
    : QScrollArea(parent), model_(model), filter_(filter), rows_(new FolderTableModel(model, filter, this)),
      sorted_(new FolderSortProxy(this))
{
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    auto* page = new ScreenPage(this, 1200);
    QVBoxLayout* column = page->column();

    heading_ = label({}, T::title(24), T::Colour::text, page);
    heading_->setWordWrap(true);
    column->addWidget(heading_);
    line_ = label({}, T::text(13), T::Colour::text2, page);
    line_->setWordWrap(true);
    column->addWidget(line_);
    column->addSpacing(6);

    sorted_->setSourceModel(rows_);
    sorted_->setSortRole(FolderTableModel::SortRole);
    table_ = new QTableView(page);
    table_->setModel(sorted_);
    table_->setItemDelegate(new CellDelegate(table_));
    table_->setSortingEnabled(true);
    table_->sortByColumn(-1, Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setTabKeyNavigation(false); // arrows move between rows; Tab goes on to the next control
    table_->setShowGrid(false);
    table_->setFrameShape(QFrame::NoFrame);
    table_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(32);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(FolderTableModel::folder, QHeaderView::Stretch);
    table_->horizontalHeader()->setFont(T::semibold(11));
    table_->horizontalHeader()->setHighlightSections(false);
    table_->setAccessibleName(q(words::folders()));
    column->addWidget(table_);
    empty_ = label({}, T::text(13), T::Colour::muted, page);
    empty_->setWordWrap(true);
    column->addWidget(empty_);

    auto* strip = new Card(page);
    strip_ = strip;
    stripColumn_ = strip->column();
    column->addWidget(strip_);
    strip_->hide();

    auto* add = new PlainButton(q(words::addFolder()), page);
    connect(add, &QPushButton::clicked, &model_.grants(), &Grants::chooseFolders);
    column->addWidget(add, 0, Qt::AlignLeft);
    column->addStretch(1);
    setWidget(page);

    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &AllFoldersView::showStrip);
    // The rows follow the result on their own (FolderTableModel); a reset drops the selection,
    // which is found again by its path.
    connect(sorted_, &QAbstractItemModel::modelReset, this, [this] {
        fitTable();
        const QModelIndexList found =
            selectedPath_.isEmpty()
                ? QModelIndexList{}
                : sorted_->match(sorted_->index(0, 0), FolderTableModel::PathRole, selectedPath_, 1, Qt::MatchExactly);
        if (found.isEmpty())
            showStrip();
        else
            table_->selectRow(found.front().row());
    });
    connect(sorted_, &QAbstractItemModel::rowsInserted, this, &AllFoldersView::fitTable);
    connect(sorted_, &QAbstractItemModel::rowsRemoved, this, &AllFoldersView::fitTable);
    // A table wider than the screen shows its scroll bar under the rows, not over the total.
    connect(table_->horizontalScrollBar(), &QScrollBar::rangeChanged, this, &AllFoldersView::fitTable);
    connect(&model_.checks(), &CheckLoop::resultChanged, this, &AllFoldersView::showTexts);
    showTexts();
    fitTable();
}

void AllFoldersView::showTexts()
{
    const auto& result = model_.checks().result();
    const auto show = [](QLabel* label, const std::string& text) {
        label->setText(q(text));
        label->setVisible(!text.empty());
    };
    show(heading_, placeTexts::listHeading(result, filter_));
    show(line_, placeTexts::listLine(result));
    show(empty_, placeTexts::emptyListLine(result, filter_));
}

void AllFoldersView::fitTable()
{
    const QScrollBar* across = table_->horizontalScrollBar();
    const int height = 2 * table_->frameWidth() + table_->horizontalHeader()->sizeHint().height() +
                       sorted_->rowCount() * table_->verticalHeader()->defaultSectionSize() +
                       (across->maximum() > 0 ? across->sizeHint().height() : 0);
    table_->setFixedHeight(height);
}

void AllFoldersView::showStrip()
{
    const QModelIndex current = sorted_->mapToSource(table_->currentIndex());
    const bool folderRow = current.isValid() && !current.data(FolderTableModel::TotalRole).toBool();
    selectedPath_ = folderRow ? current.data(FolderTableModel::PathRole).toString() : QString();
    QLayoutItem* item = nullptr;
    while ((item = stripColumn_->takeAt(0)) != nullptr) {
        if (item->widget())
            item->widget()->deleteLater();
        else if (item->layout())
            item->layout()->deleteLater();
        delete item;
    }
    strip_->setVisible(folderRow);
    if (!folderRow)
        return;
    const FolderTally tally = rows_->tally(current.row());
    const double scale = presentation::bandScale(model_.checks().result()->folders, true);
    stripColumn_->addWidget(new CoverageBand(tally, scale, true, 12, strip_));
    stripColumn_->addWidget(label(q(placeTexts::stripLine(tally)), T::semibold(14), T::Colour::text, strip_));
    stripColumn_->addWidget(label(q(placeTexts::kindLine(tally)), T::text(13), T::Colour::text2, strip_));
    auto* buttons = new QWidget(strip_);
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 4, 0, 0);
    auto* reveal = new PlainButton(q(words::showInFiles()), buttons);
    connect(reveal, &QPushButton::clicked, &model_, [this, path = tally.path] { model_.actions().reveal(path); });
    row->addWidget(reveal);
    if (placeTexts::offersBackupSettings(tally)) {
        auto* settings = new PlainButton(q(words::openBackupSettings()), buttons);
        connect(settings, &QPushButton::clicked, &model_, [this] { model_.actions().open(openKeys::backupSettings); });
        row->addWidget(settings);
    }
    row->addStretch(1);
    stripColumn_->addWidget(buttons);
}

} // namespace brindle
